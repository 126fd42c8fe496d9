#include "input/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PasteCase {
    const char* clipboard;
    const char* number;  // nullptr: refused
};

const PasteCase paste_cases[] = {
    {"7", "7"},
    {"７", "7"},
    {"  12.50 ", "12.50"},
    {"\t-3\n", "-3"},
    {"－１２．５", "-12.5"},
    {"1.5E+20", "1.5E+20"},
    {"１Ｅ＋１５", "1E+15"},
    {"2E-05", "2E-05"},
    {".5", ".5"},
    {"12.", "12."},
    {"\u3000４２\u3000", "42"},
    {"", nullptr},
    {"   ", nullptr},
    {"-", nullptr},
    {".", nullptr},
    {"1,000", nullptr},
    {"1 2", nullptr},
    {"12 34", nullptr},
    {"abc", nullptr},
    {"12abc", nullptr},
    {"1.2.3", nullptr},
    {"+5", nullptr},
    {"--5", nullptr},
    {"1E5", nullptr},
    {"1e+5", nullptr},
    {"1E+", nullptr},
    {"E+5", nullptr},
    {"５円", nullptr},
    {"\xff\xfe", nullptr},
    {"1\xe3\x80", nullptr},  // cut UTF-8
};

TEST(ClipboardNumber, AcceptsOneNumberInTheDisplayGrammar) {
    for (const auto& c : paste_cases) {
        SCOPED_TRACE(c.clipboard);
        const auto number = input::clipboard_number(c.clipboard);
        if (c.number == nullptr) {
            EXPECT_FALSE(number.has_value()) << *number;
        } else {
            ASSERT_TRUE(number.has_value());
            EXPECT_EQ(*number, c.number);
        }
    }
}

TEST(ClipboardNumber, RefusesMoreThan64Characters) {
    EXPECT_TRUE(input::clipboard_number(std::string(64, '9')).has_value());
    EXPECT_FALSE(input::clipboard_number(std::string(65, '9')).has_value());
    std::string full_width;
    for (int i = 0; i < 64; ++i) {
        full_width += "９";
    }
    EXPECT_TRUE(input::clipboard_number(full_width).has_value());
    EXPECT_FALSE(input::clipboard_number(full_width + "９").has_value());
    EXPECT_FALSE(input::clipboard_number(std::string(1'000'000, '1')).has_value());
}

}  // namespace
