#include <gtest/gtest.h>

#include <tuple>

#include "input/clipboard_text.h"
#include "input/typed_character.h"
#include "tests/support/headless_form.h"

namespace {

constexpr auto named = input::ControlKeys::named;
constexpr auto platform = input::ControlKeys::platform;

// The key-down's code and shift state, the character the toolkit typed, the rule for Ctrl, and
// what the key map gets (0: nothing).
using Stroke = std::tuple<std::uint16_t, int, char16_t, input::ControlKeys, char16_t>;

// clang-format off
constexpr Stroke strokes[] = {
    {'C', 2, 3, named, 3}, {'T', 2, 20, named, 20}, {'V', 2, 22, named, 22},
    {'H', 2, 8, named, 0}, {'M', 2, 13, named, 0},  // on X11 Ctrl+H must not clear
    {'C', 3, 3, named, 0}, {'C', 6, 3, named, 0}, {'5', 2, '5', named, 0}, {'5', 4, '5', named, 0},
    {'H', 2, 8, platform, 8}, {'C', 2, 'c', platform, 0}, {'C', 2, 0, platform, 0},
    {8, 0, 8, named, 8}, {13, 0, 0, named, 13}, {27, 0, 27, named, 27}, {32, 0, ' ', named, 32},
    {110, 0, ',', named, '.'}, {9, 0, 9, named, 0}, {46, 0, 127, named, 0},
    {0, 0, u'５', named, '5'}, {0, 0, u'Ｅ', named, 'E'}, {0, 0, u'／', named, '/'},
    {'5', 1, '%', named, '%'}, {0, 0, u'あ', named, u'あ'}};

#define TEN "1234567890"

// The clipboard's text and the number a paste enters (nullptr: refused).
constexpr std::pair<const char*, const char*> clipboard[] = {
    {"\u3000 －１２．５０\t\n", "-12.50"}, {"１Ｅ＋１５", "1E+15"}, {"2E-05", "2E-05"}, {".5", ".5"},
    {"12.", "12."}, {"", nullptr}, {" ", nullptr}, {"-", nullptr}, {"1,000", nullptr},
    {"1 2", nullptr}, {"+5", nullptr}, {"1.2.3", nullptr}, {"1E5", nullptr}, {"1e+5", nullptr},
    {"1E+", nullptr}, {"5円", nullptr}, {"1\xe3\x80", nullptr},
    {TEN TEN TEN TEN TEN TEN "1234", TEN TEN TEN TEN TEN TEN "1234"},
    {TEN TEN TEN TEN TEN TEN "12345", nullptr}};  // 64 characters at most
// clang-format on

// Strokes give key map codes; the clipboard gives one number in the display's grammar.
TEST(Typing, StrokesAndClipboardGiveWhatTheKeyMapGets) {
    for (const auto& [key_code, shift, typed, rule, result] : strokes) {
        const auto got = input::typed_character(key_code, shift, typed, rule);
        EXPECT_EQ(got.value_or(0), result) << key_code << " " << shift << " " << int{typed};
    }
    for (const auto& [text, number] : clipboard) {
        EXPECT_EQ(input::clipboard_number(text).value_or("refused"), number ? number : "refused")
            << text;
    }
}

// Keys typed first, then the key whose write of the display is looked at: number entry's keys
// type it (a screen reader has echoed them); everything else writes a text the user did not type.
constexpr std::tuple<const char*, const char*, const char*> writes[] = {
    {"", "5", "typed"},
    {"12+", "3", "typed"},
    {"1", ".", "typed"},
    {"5+", ".", "typed"},
    {"12+3", "\r", "written"},
    {"12+3", "+", "written"},
    {"2", "r", "written"},
    {"12", "c", "written"},
    {"12", "\b", "written"},
    {"12", "l", "written"},
    {"12[F1]c", "[S-F1]", "written"},
    {"12", "[S-Del]", "written"},
    {"12", "[C-KP-]", "written"},
    {"12", "[Del]", "written"},
    {"{-1.5}", "b", "written"},
    {"12", "+", "none"},
    {"12", "[F1]", "none"},
    {"1.", ".", "none"}};

TEST(Typing, OnlyNumberEntryTypesTheDisplay) {
    for (const auto& [before, key, how] : writes) {
        support::HeadlessForm form;
        form.type(before);
        form.typed.reset();
        form.type(key);
        EXPECT_EQ(form.typed ? *form.typed ? "typed" : "written" : "none", std::string(how))
            << before << " then " << key;
    }
}

}  // namespace
