#include <gtest/gtest.h>

#include "input/clipboard_text.h"
#include "input/key_map.h"

namespace {

constexpr auto named = input::ControlKeys::named;
constexpr auto platform = input::ControlKeys::platform;

// The key-down's code and shift state, the character the toolkit typed, the rule for Ctrl, and
// what the key map gets (0: nothing).
struct Stroke {
    std::uint16_t key_code;
    int shift;
    char16_t typed;
    input::ControlKeys rule;
    char16_t result;
};

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

// The clipboard's text and the number a paste enters (nullptr: refused).
constexpr std::pair<const char*, const char*> clipboard[] = {
    {"\u3000 －１２．５０\t\n", "-12.50"}, {"１Ｅ＋１５", "1E+15"}, {"2E-05", "2E-05"}, {".5", ".5"},
    {"12.", "12."}, {"", nullptr}, {" ", nullptr}, {"-", nullptr}, {"1,000", nullptr},
    {"1 2", nullptr}, {"+5", nullptr}, {"1.2.3", nullptr}, {"1E5", nullptr}, {"1e+5", nullptr},
    {"1E+", nullptr}, {"5円", nullptr}, {"1\xe3\x80", nullptr},
    {"1234567890123456789012345678901234567890123456789012345678901234",
     "1234567890123456789012345678901234567890123456789012345678901234"},
    {"12345678901234567890123456789012345678901234567890123456789012345", nullptr}};
// clang-format on

TEST(Typing, StrokesGiveKeyMapCodes) {
    for (const Stroke& s : strokes) {
        SCOPED_TRACE(testing::Message() << s.key_code << " " << s.shift << " " << int{s.typed});
        const auto typed = input::typed_character(s.key_code, s.shift, s.typed, s.rule);
        EXPECT_EQ(typed.has_value() ? int{*typed} : -1, s.result == 0 ? -1 : int{s.result});
    }
}

TEST(Typing, ClipboardGivesOneNumberInTheDisplaysGrammar) {
    for (const auto& [text, number] : clipboard) {
        EXPECT_EQ(input::clipboard_number(text).value_or("refused"), number ? number : "refused")
            << text;
    }
}

}  // namespace
