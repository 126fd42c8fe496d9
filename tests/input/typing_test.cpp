#include <gtest/gtest.h>

#include <utility>

#include "input/clipboard_text.h"

namespace {

// clang-format off
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

// The clipboard gives one number in the display's grammar, or nothing.
TEST(Typing, TheClipboardGivesOneNumberOrNothing) {
    for (const auto& [text, number] : clipboard) {
        EXPECT_EQ(input::clipboard_number(text).value_or("refused"), number ? number : "refused")
            << text;
    }
}

}  // namespace
