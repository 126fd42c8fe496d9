#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "input/clipboard_text.h"
#include "tests/support/headless_form.h"

namespace {

using support::HeadlessForm;

// Keys typed into a fresh form (in HeadlessForm::type's notation: a character is a stroke,
// "[S-F1]" one with its modifiers, "{1E+300}" a text an earlier result left), the display
// they leave, and "name=value;..." for anything else that must hold (the names of
// HeadlessForm::observed; a text of the list below stands in braces). No box, no beep and no
// end unless listed.
struct Row {
    std::string_view keys, display, more = "";
};

// The texts that recur or run long: the boxes as "style title message", the memo box's question
// as "prompt|title|", the fake clock's time.
constexpr std::pair<std::string_view, std::string_view> texts[] = {
    {"{divide_by_zero}", "16 Kirune 0 で割ることはできません。"},
    {"{too_large}", "16 Kirune 数が大きすぎます。"},
    {"{negative_root}", "16 Kirune 負の数の平方根は求められません。"},
    {"{not_binary}", "48 Kirune（十進法） 0 と 1 だけの整数にしてください。"},
    {"{nine_digits}", "48 Kirune（二進法） 9桁以下にしてください。"},
    {"{decimal}", "48 Kirune（十進法）"},
    {"{binary}", "64 Kirune（二進法）"},
    {"{new_window}", "16 Kirune 新しいKiruneが現れました。"},
    {"{out_of_memory}", "16 Kirune メモリが足りません。"},
    {"{internal_error}", "16 Kirune 内部エラーが発生しました。"},
    {"{memo_prompt}", "メモすることを書き込んでください|Kirune|"},
    {"{now}", "2026/12/06 18:18:34"},
};

std::string with_texts(std::string_view more) {
    std::string expanded(more);
    for (const auto& [name, text] : texts) {
        for (std::size_t at; (at = expanded.find(name)) != std::string::npos;) {
            expanded.replace(at, name.size(), text);
        }
    }
    return expanded;
}

// Every row on a fresh form whose input box answers "abc", then "abcdef", and whose random
// sequence draws 0, then the last float below 1.
void expect_rows(std::string_view subject, std::span<const Row> rows) {
    for (const Row& row : rows) {
        // Printed as a literal, so that a failure names the row, control characters and all.
        SCOPED_TRACE(std::string(subject) + ", keys " + testing::PrintToString(row.keys));
        HeadlessForm form;
        form.services.input_answers = {"abc", "abcdef"};
        form.services.random_values = {0.0F, std::nextafter(1.0F, 0.0F)};
        form.type(row.keys);
        auto seen = form.observed();
        // The row's own expectations come first and win over the defaults after them.
        std::istringstream want(with_texts(row.more) +
                                ";box=;beeps=0;end=0;display=" + std::string(row.display) + ";");
        std::set<std::string> checked;
        for (std::string name, value;
             std::getline(want, name, '=') && std::getline(want, value, ';');) {
            if (name = name.substr(name.find_first_not_of(';')); checked.insert(name).second) {
                EXPECT_EQ(seen[name], value) << name;
            }
        }
    }
}

// clang-format off
// Number entry: digits and the point build the shown number
constexpr Row entry[] = {
    {"",           "0", "mark=_;pend=_;operand=i0;randomize=1;caption=untitled"},
    {"005",        "5", "typed=1"},
    {".5",         "0.5", "typed=1"},
    {"1.5.",       "1.5", "beeps=1"},
    {"1.5\b7",     "7"},
    {"12+34",      "34", "mark=;pend=tasu;operand=12"},
    {"5.+3",       "3", "operand=5."},
    {"5[C-KP-]+3", "3", "operand=-5"},
    {"5+.",        "5.", "mark=tasu;pend=tasu;operand=i0"},
    {"2+3\r1",     "51", "mark=;pend=;operand=2"},
    {"12+c3\r",    "3", "mark=;pend=;operand=i0"},
    {"{}7",        "7"},
    {"{}.",        "."},
    {"{1.5E+20}.", "1.5E+20", "beeps=1"},
    {"{1E+20}.",   "1E+20.", "typed=1"},
};
TEST(Keys, Entry) { expect_rows("entry", entry); }

// The chain: left to right, the last of two operators wins, the shown text is read back
constexpr Row chain[] = {
    {"2+3*4\r",             "20", "mark=;pend=;typed=0"},
    {"9-4\r",               "5"},
    {"8/2\r",               "4"},
    {"5+-3\r",              "2"},
    {"5+3+",                "8", "mark=tasu;pend=tasu;operand=5"},
    {"2+3\r+4\r",           "9"},
    {"1/3\r*3\r",           "0.999999999999999"},
    {"99999999*99999999\r", "9.9999998E+15"},
    // A value put in by a function or a recall right after an operator is no second number
    {"5+f\r",               "25"},
    {"5+f3\r",              "28"},
    {"5+3f\r",              "14"},
    {"3[F1]c5+[S-F1]\r",    "3"},
    {"5+[C-KP-]\r",         "-5", "pend="},
    {"12+[S-Del]3\r",       "4"},
};
TEST(Keys, Chain) { expect_rows("chain", chain); }

// Functions of the shown value, an empty display or no number counting as 0; the random key
// enters a new number (draws 0, then just below 1)
constexpr Row functions[] = {
    {"2r",      "1.4142135623731", "typed=0"},
    {"{-3.5}e", "-1"},
    {"0.001e",  "1"},
    {"{-2}f",   "4"},
    {"{-2}g",   "-8"},
    {"3h",      "18.84"},
    {"{-2}j",   "12.56"},
    {"1k",      "4.18666666666667"},
    {"2k",      "33.4933333333333"},
    {"{-0}r",   "0"},
    {"{}e",     "0"},
    {"{-}f",    "0"},
    {"{}g",     "0"},
    {"{E5}h",   "0"},
    {"{}j",     "0"},
    {"{abc}k",  "0"},
    {"{.}r",    "0"},
    {"5+l",     "100", "mark=;pend=tasu;operand=5"},
    {"5+2l\r",  "102"},
    {"ll",      "999", "typed=0"},
};
TEST(Keys, Functions) { expect_rows("functions", functions); }

// Base conversions, told in boxes; b first makes the display its absolute value
constexpr Row conversions[] = {
    {"101b",              "101", "box={decimal} 101→5"},
    {"111111111111111b",  "111111111111111", "box={decimal} 111111111111111→32767"},
    {"{}b",               "0", "box={decimal} 0→0"},
    {"12b",               "12", "box={not_binary}"},
    {"{-1.5}b",           "1.5", "box={not_binary}"},
    {"1000000000000000b", "1E+15", "box={not_binary}"},
    {"{-5}v",             "-5", "box={binary} 5→101"},
    {"5.7v",              "5.7", "box={binary} 5.7→110"},
    {"2.5v",              "2.5", "box={binary} 2.5→10"},
    {"999999999v",        "999999999", "box={binary} 999999999→111011100110101100100111111111"},
    {"{2E+9}v",           "2E+9", "box={binary} 2000000000→1110111001101011001010000000000"},
    {"{-12345678}v",      "-12345678", "box={binary} 12345678→101111000110000101001110"},
    {"1234567890v",       "1234567890", "box={nine_digits}"},
    {"{-123456789}v",     "-123456789", "box={nine_digits}"},
    {"{3E+9}v",           "3E+9", "box={nine_digits}"},
    {"7+12b\r",           "19", "box={not_binary}"},
    {"1+b\r",             "1", "box={decimal} 1→1"},
    {"7+5.7v\r",          "12.7", "box={binary} 5.7→110"},
};
TEST(Keys, Conversions) { expect_rows("conversions", conversions); }

// Faults: the box, everything as it was, and the next keys work
constexpr Row faults[] = {
    {"8/0\r2\r",                  "4", "box={divide_by_zero}"},
    {"0/0\r",                     "0", "box={divide_by_zero};mark=;pend=waru;operand=0"},
    {"8/0+4\r",                   "2", "box={divide_by_zero}"},
    {"{1E+308}*10\r",             "10", "box={too_large};mark=;pend=kakeru;operand=1E+308"},
    {"{1E+200}f[S-Del]f",         "1E+40", "box={too_large}"},
    {"{1E+103}g",                 "1E+103", "box={too_large}"},
    {"{1E+308}h",                 "1E+308", "box={too_large}"},
    {"{1E+154}j",                 "1E+154", "box={too_large}"},
    {"{5E+102}k",                 "5E+102", "box={too_large}"},
    {"1[C-KP-]r[C-KP-]r",         "1", "box={negative_root}"},
    {"{1E+300}0b",                "1E+3000", "box={too_large}"},
    {"{1E+300}0+2\r",             "2", "box={too_large};mark=;pend=tasu"},
    {"5[F1]{1E+400}[F1][S-F1]",   "5", "box={too_large};reg=F1:d5"},
    {"{1E+400}[C-Ins]c5+[S-Ins]", "5", "box={too_large};mark=tasu;operand=i0"},
};
TEST(Keys, Faults) { expect_rows("faults", faults); }

// Editing keys: Shift+Delete removes a character, Delete clears; the sign changes as text
constexpr Row editing[] = {
    {"12.5[S-Del]",               "12.", "typed=0"},
    {"{}[S-Del]",                 "0"},
    {"0.5[S-Del]",                "0"},
    {"{-5}[S-Del]",               "0"},
    {"{1E+4000}[S-Del]",          "1E+400"},
    {"12+3.5[Del]",               "0", "mark=;pend=;operand=i0"},
    {"12+3[S-C-Del]",             "0"},
    {"25[C-KP-][C-KP-]",          "25"},
    {"12.[C-KP-]",                "-12."},
    {"0.[C-KP-]",                 "0.", "beeps=1"},
    {"25[KP-][S-C-KP-][C-A-KP-]", "25"},
};
TEST(Keys, Editing) { expect_rows("editing", editing); }

// Memory keys: F store, Shift recall, Ctrl show, Alt clear, Ctrl+Alt clear all
constexpr Row registers[] = {
    {"12.5[F1]c[S-F1]",               "12.5", "reg=F1:d12.5;typed=0"},
    {"12.[F12]c[S-F12]",              "12", "reg=F12:d12"},
    {"5[S-F7]",                       "0", "reg="},
    {"5[F7][A-F7][S-F7]",             "0", "reg=F7:i0"},
    {"5[F0][F13][S-F13][C-F0]",       "5", "reg="},  // the neighbours of F1 and F12 are no F-keys
    {"5[F1]7[F2]c[S-F2]",             "57", "reg=F1:d5 F2:d57"},
    {"[C-F3]5[F3][C-F3][A-F3][C-F3]", "5", "box=64 Kirune  | 64 Kirune 5 | 64 Kirune 0"},
    {"5[F1][F12][C-A-F5]",            "5", "reg=F1:i0 F2:i0 F3:i0 F4:i0 F5:i0 F6:i0 F7:i0 F8:i0 F9:i0 F10:i0 F11:i0 F12:i0"},
    {"5[S-C-F1][S-A-F6][S-C-A-F12]",  "5", "reg="},  // Shift with Ctrl or Alt
};
TEST(Keys, Registers) { expect_rows("registers", registers); }

// Memo and clock messages (the input box answers abc, then abcdef)
constexpr Row memo_and_clock[] = {
    {"w",              "0", "box=64 Kirune ;memo=_"},
    {"3qw",            "3", "memo=abc;box=64 Kirune abc;asked={memo_prompt}"},
    {"qqqw",           "0", "memo=;box=64 Kirune ;asked={memo_prompt}abcdef"},
    {"5+3t\r",         "8", "box=64 Kirune {now}"},
};
TEST(Keys, MemoAndClock) { expect_rows("memo and clock", memo_and_clock); }

// Esc and x end the program at once; keys that are not in the map do nothing
constexpr Row window_keys[] = {
    {"\x1b",                        "0", "end=1"},
    {"12+x",                         "12", "end=1"},
    {"12+ABCNXZn~!@#",               "12", "mark=tasu"},
    // Window keys; the screen is 19200 x 15360 twips, the window 1400 x 255 at 3000, 2000
    {" ",                          "0", "timer=1;size=30x30;caption=untitled"},
    {" [Tick]",                    "0", "caption={now}"},
    {" [Tick] ",                   "0", "timer=0;size=1350x250;caption=Kirune"},
    {"y",                          "0", "timer=1;size=1400x255"},
    {"y[Tick]y",                   "0", "timer=0;caption=Kirune"},
    {"y ",                         "0", "timer=0;size=1350x250;caption=Kirune"},
    {"a",                          "0", "pos=8900,7552.5"},
    {"sa",                         "0", "size=30x30;pos=9585,7665"},
    {"sd",                         "0", "size=1350x250"},
    {"i",                          "0", "colour=8080ff"},
    {"p",                          "0", "colour=ffffff"},
    {"o",                          "0", "colour=80ffff"},
    {"u",                          "0", "colour=8000000f"},
    {"\x14",                       "0", "top=1"},
    {"\x14\x14",                   "0", "top=0"},
    // The pull puts Form1's centre under the pointer; in mouse mode the window flees
    {"[Down 1000 227.5]",          "0", "pos=3300,2100;timer=1"},
    {" [Down 15 15]",              "0", "timer=1;size=30x30"},  // a running clock keeps its beat
    {"[Down 700 0]",               "0", "pos=3000,1872.5"},
    {"[Down 700 127.5][Tick][Up]", "0", "pos=3000,2000;timer=0;caption={now}"},
    {"[Move 1000 227.5]",          "0", "pos=3000,2000"},
    {"m[Move 1000 227.5]",         "0", "mouse=1;pos=2700,1700;timer=0"},
    // Where the window system places windows itself, the keys that would move it beep
    {"[Wayland]a",                 "0", "pos=3000,2000;beeps=1"},
    {"[Wayland]mm",                "0", "mouse=0;beeps=2"},
    // Clear leaves the window, the registers and the memo alone
    {"5[F1]q c",                   "0", "reg=F1:d5;memo=abc;asked={memo_prompt};size=30x30;timer=1;caption=untitled"},
};
TEST(Keys, WindowKeys) { expect_rows("window keys", window_keys); }

// Further windows: size, caption and clock address the main window; the rest is their own
constexpr Row further_windows[] = {
    {"z", "0", "box={new_window};z.shows=1;z.display=0;z.mark=_;z.size=1400x255"},
    {"zz", "0", "box={new_window} | {new_window};z.shows=2;z.z.shows="},
    {"12+z[>]4\r", "12", "box={new_window};mark=tasu;z.display=4;z.pend="},
    {"z[>]5[F1]q", "0", "box={new_window};reg=;z.reg=F1:d5;memo=_;z.memo=abc"},
    {"z[>]s", "0", "box={new_window};size=30x30;z.size=1400x255"},
    {"z[>] [Tick]", "0", "box={new_window};size=30x30;timer=0;caption={now};"
                         "z.timer=1;z.caption=untitled"},
    {"z[>]z[>]s", "0", "box={new_window} | {new_window};size=30x30;z.size=1400x255;z.z.shows=1"},
    {"sz[>][Down 100 50]", "0", "box={new_window};pos=3000,2000;timer=0;z.pos=3085,2035;z.timer=1"},
    {"z[>]sdai", "0", "box={new_window};size=1350x250;pos=3000,2000;colour=123456;"
                      "z.size=1400x255;z.pos=8900,7552.5;z.colour=8080ff"},
    // Closing the main window ends the program; closing a further one hides it and stops its
    // clock, and z in its opener shows it again as it was
    {"y[Close]", "0", "end=1;timer=0"},
    {"z[>]7y[Close]", "0", "box={new_window};end=0;z.visible=0;z.timer=0;z.display=7"},
    {"z[>]7[Close][<]z", "0", "box={new_window} | {new_window};z.visible=1;z.shows=2;z.display=7"},
    {"z[>]z[>][Close]", "0", "box={new_window} | {new_window};z.visible=1;z.z.visible=0"},
};
TEST(Keys, FurtherWindows) { expect_rows("further windows", further_windows); }

// Copy the display as shown; a paste enters one number like the random key, else a beep
constexpr Row clipboard[] = {
    {"12.50[C-Ins]",                             "12.50", "clip=12.50;typed=1"},
    {"7\x03",                                    "7", "clip=7"},
    {"{ １２.５０ }[C-Ins]c9-[S-Ins]",               "12.5", "mark=;pend=hiku;operand=9"},
    {"{－２}[C-Ins]c3*\x16\r",                     "-6"},
    {"{７}[C-Ins]c5+2[S-Ins]\r",                  "9"},
    {"[S-Ins]",                                  "0", "beeps=1;mark=_;operand=i0"},
    {"{1,000}[C-Ins]c5+[S-Ins][S-C-Ins][A-Ins]", "5", "beeps=1;mark=tasu"},
};
TEST(Keys, Clipboard) { expect_rows("clipboard", clipboard); }

#define TEN "1234567890"

// The clipboard's text and the number a paste enters (nullptr: refused).
constexpr std::pair<const char*, const char*> clipboard_texts[] = {
    {"\u3000 －１２．５０\t\n", "-12.50"}, {"１Ｅ＋１５", "1E+15"}, {"2E-05", "2E-05"}, {".5", ".5"},
    {"12.", "12."}, {"", nullptr}, {" ", nullptr}, {"-", nullptr}, {"1,000", nullptr},
    {"1 2", nullptr}, {"+5", nullptr}, {"1.2.3", nullptr}, {"1E5", nullptr}, {"1e+5", nullptr},
    {"1E+", nullptr}, {"5円", nullptr}, {"1\xe3\x80", nullptr},
    {TEN TEN TEN TEN TEN TEN "1234", TEN TEN TEN TEN TEN TEN "1234"},
    {TEN TEN TEN TEN TEN TEN "12345", nullptr}};  // 64 characters at most
// clang-format on

// The clipboard gives one number in the display's grammar, or nothing.
TEST(Keys, ClipboardTextGivesOneNumberOrNothing) {
    for (const auto& [text, number] : clipboard_texts) {
        EXPECT_EQ(input::clipboard_number(text).value_or("refused"), number ? number : "refused")
            << text;
    }
}

// clang-format off


// Strokes as the windows hand them over: a key, its modifiers, the character the toolkit typed.
// On X11 only Ctrl+C, T and V type; on Windows ("[Win]") every control character does. With
// Alt, or Ctrl on a printable character, nothing is typed; once the program ends, no key counts.
constexpr Row strokes[] = {
    {"25[C-KP-]3",           "-253"},  // the sign, no subtraction
    {"[Win]25[C-KP-][Char -]3", "-253"},  // nor by a later character of the stroke
    {"12[A-5][C-5][C-H]",    "12"},
    {"[Win]12[A-5][C-5]",    "12"},
    {"[Win]12[C-H]",         "0"},
    {"12／3\r",              "4"},  // full-width characters are typed narrow
    {"12x5",                 "12", "end=1"},
    {"12[F4][A-F4]5",        "12", "end=1;reg=F4:i0"},  // Alt+F4 clears, then closes
    {"z[>]3[F4][A-F4][<]z",  "0", "box={new_window} | {new_window};z.reg=F4:i0;z.visible=1;z.shows=2"},
};
TEST(Keys, Strokes) { expect_rows("strokes", strokes); }

// Out of memory or another exception from a service: a box, the state before, and on
constexpr Row service_faults[] = {
    {"5+3[!memory]\x16\r", "8", "box={out_of_memory};clip=(untouched)"},
    {"5+3[!error]\x16\r",  "8", "box={internal_error}"},
    {"[!memory]q3qw",      "3", "memo=abc;box={out_of_memory} | 64 Kirune abc"},
    {" [!error][Tick]",    "0", "caption=untitled;timer=1;box={internal_error}"},
};
TEST(Keys, ServiceFaults) { expect_rows("service faults", service_faults); }

// clang-format on

}  // namespace
