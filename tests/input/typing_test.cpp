#include <gtest/gtest.h>

#include <tuple>

#include "input/clipboard_text.h"
#include "tests/support/headless_form.h"

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
