#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "tests/support/headless_form.h"

namespace {

using support::HeadlessForm;

#define DIVIDE "box=16 Kirune 0 で割ることはできません。"
#define TOO_BIG "box=16 Kirune 数が大きすぎます。"
#define DEC "box=48 Kirune（十進法） "
#define BIN "box=64 Kirune（二進法） "
#define NOT_BINARY DEC "0 と 1 だけの整数にしてください。"
#define NINE "box=48 Kirune（二進法） 9桁以下にしてください。"
#define NEW_WINDOW "box=16 Kirune 新しいKiruneが現れました。"
#define ASKED "メモすることを書き込んでください|Kirune|"
#define NOW "2026/12/06 18:18:34"

// Keys typed into a fresh form (notation of HeadlessForm::type), the display they leave, and
// "name=value;..." for anything else that must hold (names of HeadlessForm::observed). No box,
// no beep and no end unless listed.
struct Row {
    std::string_view keys, display, more = "";
};

// clang-format off
constexpr Row rows[] = {
    // Entry
    {"", "0", "mark=_;pend=_;operand=i0;randomize=1;caption=untitled"}, {"005", "5"}, {".5", "0.5"},
    {"1.5.", "1.5", "beeps=1"}, {"1.5\b7", "7"}, {"12+34", "34", "mark=;pend=tasu;operand=12"},
    {"5.+3", "3", "operand=5."}, {"5[2Kp-]+3", "3", "operand=-5"},
    {"5+.", "5.", "mark=tasu;pend=tasu;operand=i0"}, {"2+3\r1", "51", "mark=;pend=;operand=2"},
    {"12+c3\r", "3", "mark=;pend=;operand=i0"},
    // The chain: left to right, the last of two operators wins, the shown text is read back
    {"2+3*4\r", "20", "mark=;pend="}, {"9-4\r", "5"}, {"8/2\r", "4"}, {"5+-3\r", "2"},
    {"5+3+", "8", "mark=tasu;pend=tasu;operand=5"}, {"2+3\r+4\r", "9"},
    {"1/3\r*3\r", "0.999999999999999"}, {"99999999*99999999\r", "9.9999998E+15"},
    // A value put in by a function or a recall right after an operator is no second number
    {"5+f\r", "25"}, {"5+f3\r", "28"}, {"5+3f\r", "14"}, {"3[F1]c5+[1F1]\r", "3"},
    {"5+[2Kp-]\r", "-5", "pend="}, {"12+[1Del]3\r", "4"},
    // Value functions; the random key enters a new number (draws 0.25, then just below 1)
    {"2r", "1.4142135623731"}, {"{-3.5}e", "-1"}, {"0.001e", "1"}, {"{-2}f", "4"}, {"{-2}g", "-8"},
    {"3h", "18.84"}, {"{-2}j", "12.56"}, {"1k", "4.18666666666667"}, {"2k", "33.4933333333333"},
    {"{-0}r", "0"},
    {"5+l", "325", "mark=;pend=tasu;operand=5"}, {"5+2l\r", "327"}, {"ll", "999"},
    // Base conversions
    {"101b", "101", DEC "101→5"},
    {"111111111111111b", "111111111111111", DEC "111111111111111→32767"}, {"{}b", "0", DEC "0→0"},
    {"12b", "12", NOT_BINARY}, {"{-1.5}b", "1.5", NOT_BINARY},
    {"1000000000000000b", "1E+15", NOT_BINARY}, {"{-5}v", "-5", BIN "5→101"},
    {"5.7v", "5.7", BIN "5.7→110"}, {"2.5v", "2.5", BIN "2.5→10"},
    {"999999999v", "999999999", BIN "999999999→111011100110101100100111111111"},
    {"{2E+9}v", "2E+9", BIN "2000000000→1110111001101011001010000000000"},
    {"1234567890v", "1234567890", NINE}, {"{-123456789}v", "-123456789", NINE},
    {"{3E+9}v", "3E+9", NINE}, {"7+12b\r", "19", NOT_BINARY}, {"1+b\r", "1", DEC "1→1"},
    {"7+5.7v\r", "12.7", BIN "5.7→110"},
    // Faults: the box, everything as it was, and the next keys work
    {"8/0\r2\r", "4", DIVIDE}, {"0/0\r", "0", DIVIDE ";mark=;pend=waru;operand=0"},
    {"8/0+4\r", "2", DIVIDE}, {"{1E+308}*10\r", "10", TOO_BIG ";mark=;pend=kakeru;operand=1E+308"},
    {"{1E+200}f[1Del]f", "1E+40", TOO_BIG}, {"{1E+103}g", "1E+103", TOO_BIG},
    {"{1E+308}h", "1E+308", TOO_BIG}, {"{1E+154}j", "1E+154", TOO_BIG},
    {"{5E+102}k", "5E+102", TOO_BIG},
    {"1[2Kp-]r[2Kp-]r", "1", "box=16 Kirune 負の数の平方根は求められません。"},
    {"{1E+300}0b", "1E+3000", TOO_BIG}, {"{1E+300}0+2\r", "2", TOO_BIG ";mark=;pend=tasu"},
    {"5[F1]{1E+400}[F1][1F1]", "5", TOO_BIG ";reg=F1:d5"},
    {"{1E+400}[2Ins]c5+[1Ins]", "5", TOO_BIG ";mark=tasu;operand=i0"},
    // Editing keys: Shift+Delete removes a character, Delete clears; the sign changes as text
    {"12.5[1Del]", "12."}, {"{}[1Del]", "0"}, {"0.5[1Del]", "0"}, {"{-5}[1Del]", "0"},
    {"{1E+4000}[1Del]", "1E+400"},
    {"12+3.5[Del]", "0", "mark=;pend=;operand=i0"}, {"12+3[3Del]", "0"}, {"25[2Kp-][2Kp-]", "25"},
    {"12.[2Kp-]", "-12."}, {"0.[2Kp-]", "0.", "beeps=1"}, {"25[Kp-][3Kp-][6Kp-]", "25"},
    // Memory keys: F store, Shift recall, Ctrl show, Alt clear, Ctrl+Alt clear all
    {"12.5[F1]c[1F1]", "12.5", "reg=F1:d12.5"}, {"12.[F12]c[1F12]", "12", "reg=F12:d12"},
    {"5[1F7]", "0", "reg="}, {"5[F7][4F7][1F7]", "0", "reg=F7:i0"},
    {"5[F0][F13][1F13][2F0]", "5", "reg="},  // the neighbours of F1 and F12 are no F-keys
    {"5[F1]7[F2]c[1F2]", "57", "reg=F1:d5 F2:d57"},
    {"[2F3]5[F3][2F3][4F3][2F3]", "5", "box=64 Kirune  | 64 Kirune 5 | 64 Kirune 0"},
    {"5[F1][F12][6F5]", "5",
     "reg=F1:i0 F2:i0 F3:i0 F4:i0 F5:i0 F6:i0 F7:i0 F8:i0 F9:i0 F10:i0 F11:i0 F12:i0"},
    // Memo and clock messages, the end, keys that are not in the map (answers: abc, abcdef)
    {"w", "0", "box=64 Kirune ;memo=_"}, {"3qw", "3", "memo=abc;box=64 Kirune abc;asked=" ASKED},
    {"qqqw", "0", "memo=;box=64 Kirune ;asked=" ASKED "abcdef"},
    {"5+3t\r", "8", "box=64 Kirune " NOW}, {"\x1b", "0", "end=1"}, {"12+x", "12", "end=1"},
    {"12+ABCNXZn~!@#", "12", "mark=tasu"},
    // Window keys; the screen is 19200 x 15360 twips, the window 1400 x 255 at 3000, 2000
    {" ", "0", "timer=1;size=30x30;caption=untitled"}, {" [Tick]", "0", "caption=" NOW},
    {" [Tick] ", "0", "timer=0;size=1350x250;caption=Kirune"}, {"y", "0", "timer=1;size=1400x255"},
    {"y[Tick]y", "0", "timer=0;caption=Kirune"},
    {"y ", "0", "timer=0;size=1350x250;caption=Kirune"}, {"a", "0", "pos=8900,7552.5"},
    {"sa", "0", "size=30x30;pos=9585,7665"}, {"sd", "0", "size=1350x250"},
    {"i", "0", "colour=8080ff"}, {"p", "0", "colour=ffffff"}, {"u", "0", "colour=8000000f"},
    {"\x14", "0", "top=1"}, {"\x14\x14", "0", "top=0"},
    // The pull puts Form1's centre under the pointer; in mouse mode the window flees
    {"[Down 1000 227.5]", "0", "pos=3300,2100;timer=1"}, {"[Down 700 0]", "0", "pos=3000,1872.5"},
    {"[Down 700 127.5][Tick][Up]", "0", "pos=3000,2000;timer=0;caption=" NOW},
    {"[Move 1000 227.5]", "0", "pos=3000,2000"},
    {"m[Move 1000 227.5]", "0", "mouse=1;pos=2700,1700;timer=0"},
    // Further windows: size, caption and clock address the main window; the rest is their own
    {"z", "0", NEW_WINDOW ";z.shows=1;z.display=0;z.mark=_;z.size=1400x255"},
    {"zz", "0", NEW_WINDOW " | 16 Kirune 新しいKiruneが現れました。;z.shows=2;z.z.shows="},
    {"12+z[>]4\r", "12", NEW_WINDOW ";mark=tasu;z.display=4;z.pend="},
    {"z[>]5[F1]q", "0", NEW_WINDOW ";reg=;z.reg=F1:d5;memo=_;z.memo=abc"},
    {"z[>]s", "0", NEW_WINDOW ";size=30x30;z.size=1400x255"},
    {"z[>] [Tick]", "0", NEW_WINDOW ";size=30x30;timer=0;caption=" NOW ";z.timer=1;z.caption=untitled"},
    {"z[>]z[>]s", "0", NEW_WINDOW " | 16 Kirune 新しいKiruneが現れました。;size=30x30;z.size=1400x255;z.z.shows=1"},
    {"sz[>][Down 100 50]", "0", NEW_WINDOW ";pos=3000,2000;timer=0;z.pos=3085,2035;z.timer=1"},
    // Copy the display as shown; a paste enters one number like the random key, else a beep
    {"12.50[2Ins]", "12.50", "clip=12.50"}, {"7\x03", "7", "clip=7"},
    {"{ １２.５０ }[2Ins]c9-[1Ins]", "12.5", "mark=;pend=hiku;operand=9"},
    {"{－２}[2Ins]c3*\x16\r", "-6"}, {"{７}[2Ins]c5+2[1Ins]\r", "9"},
    {"[1Ins]", "0", "beeps=1;mark=_;operand=i0"},
    {"{1,000}[2Ins]c5+[1Ins][3Ins][4Ins]", "5", "beeps=1;mark=tasu"},
    // Out of memory or another exception from a service: a box, the state before, and on
    {"5+3[!memory]\x16\r", "8", "box=16 Kirune メモリが足りません。;clip=(untouched)"},
    {"5+3[!error]\x16\r", "8", "box=16 Kirune 内部エラーが発生しました。"},
    {"[!memory]q3qw", "3", "memo=abc;box=16 Kirune メモリが足りません。 | 64 Kirune abc"},
    {" [!error][Tick]", "0", "caption=untitled;timer=1;box=16 Kirune 内部エラーが発生しました。"}};
// clang-format on

TEST(Keys, GiveDisplayStateBoxesAndWindow) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys);
        HeadlessForm form;
        form.services.input_answers = {"abc", "abcdef"};
        form.services.random_values = {0.25F, std::nextafter(1.0F, 0.0F)};
        form.type(row.keys);
        auto seen = form.observed();
        // The row's own expectations come first and win over the defaults after them.
        std::istringstream want(std::string(row.more) +
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

}  // namespace
