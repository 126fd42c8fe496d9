#include "platform/number_text.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace {

struct ReadCase {
    std::string_view text;
    double value;
};

const ReadCase leading_cases[] = {
    {"", 0},
    {"0", 0},
    {"-", 0},
    {".", 0},
    {"-.", 0},
    {"12", 12},
    {"12.", 12},
    {".5", 0.5},
    {"-.5", -0.5},
    {"+7", 7},
    {"-25", -25},
    {"abc", 0},
    {"12abc", 12},
    {"1 2", 12},  // blanks are skipped even between digits
    {" \t\r\n-  1 2 . 5 ", -12.5},
    {"1.2.3", 1.2},  // a second point ends the number
    {"1..5", 1},
    {"--5", 0},
    {"-+5", 0},
    {"1E3", 1000},
    {"1e3", 1000},
    {"1D3", 1000},
    {"2.5d-2", 0.025},
    {"1E", 1},
    {"1E+", 1},
    {"1E-", 1},
    {"1 E - 2", 0.01},
    {"1E2E3", 100},
    {"1E2.5", 100},
    {"12+3", 12},
    {"007", 7},
    {"0.000056789", 0.000056789},
    {"1.4142135623731", 1.4142135623731},
    {"4186.66666666667", 4186.66666666667},
    {"3.33333333333333E-05", 3.33333333333333e-05},
    {"1.79769313486231E+308", 1.79769313486231e308},
    {"4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
    {"1E-400", 0},
    {"1E-999999999999999999999", 0},
    {"0E999999", 0},
    {"0.1E1", 1},
    {"123456789012345678901234567890", 1.2345678901234568e29},
};

TEST(LeadingNumber, ReadsTheLeadingNumber) {
    for (const auto& c : leading_cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::leading_number(c.text), c.value);
    }
}

TEST(LeadingNumber, MinusZeroShowsAsZero) {
    EXPECT_EQ(platform::double_text(platform::leading_number("-0")), "0");
}

platform::ErrorKind error_of(std::string_view text) {
    try {
        platform::leading_number(text);
    } catch (const platform::RuntimeError& error) {
        return error.kind;
    }
    ADD_FAILURE() << "no error for " << text.substr(0, 40);
    return platform::ErrorKind::type_mismatch;
}

// Beyond the double range is an overflow, never an infinity on the display.
TEST(LeadingNumber, BeyondTheRangeOverflows) {
    const std::string_view texts[] = {
        "1.79769313486232E+308",  // the largest double's own text, rounded up
        "1E+309",
        "-1E+309",
        "1E999999999999999999999",
        "0.001E+312",
    };
    for (const auto text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(error_of(text), platform::ErrorKind::overflow);
    }
    EXPECT_EQ(error_of(std::string(400, '9')), platform::ErrorKind::overflow);
    EXPECT_EQ(error_of(std::string(10000, '1')), platform::ErrorKind::overflow);
}

// Long texts are read in one pass: the display may hold any number of typed digits.
TEST(LeadingNumber, LongDigitRunsAreCountedRight) {
    const std::string zeros(10000, '0');
    EXPECT_EQ(platform::leading_number(zeros + "12"), 12);
    EXPECT_EQ(platform::leading_number("0." + zeros + "1"), 0);
    EXPECT_EQ(platform::leading_number("0." + zeros + "1E10000"), 0.1);
    EXPECT_EQ(platform::leading_number("1" + zeros + "E-10000"), 1);
    EXPECT_EQ(platform::leading_number("12." + zeros + "5"), 12);
    // Digits far past the kept ones still decide the rounding: this is just above a tie.
    EXPECT_EQ(platform::leading_number("9007199254740993." + zeros + "1"), 9007199254740994.0);
    EXPECT_EQ(platform::leading_number("9007199254740993." + zeros), 9007199254740992.0);
    EXPECT_EQ(platform::leading_number(std::string(1 << 20, ' ') + "5"), 5);
    EXPECT_EQ(error_of(std::string(1 << 20, '7')), platform::ErrorKind::overflow);
}

struct WholeCase {
    std::string_view text;
    std::optional<double> value;
};

TEST(WholeNumber, WholeTextMustBeOneNumber) {
    const WholeCase cases[] = {
        {"12", 12},
        {" 12 ", 12},
        {"\t-1.5\r\n", -1.5},
        {"+.5", 0.5},
        {"12.", 12},
        {"1E3", 1000},
        {"1e-3", 0.001},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1E", std::nullopt},
        {"1E+", std::nullopt},
        {"tasu", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::whole_number(c.text), c.value);
    }
    EXPECT_THROW(platform::whole_number("1E+309"), platform::RuntimeError);
}

// The program runs under the user's locale; a German one writes "," as the decimal point,
// but the display always uses ".".
TEST(NumberText, LocaleDoesNotChangeThePoint) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : locales) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const std::string point = std::localeconv()->decimal_point;
    const double read = platform::leading_number("12.5");
    const std::string shown = platform::double_text(12.5);
    const std::string small = platform::double_text(1.0 / 30000.0);
    const std::string single = platform::single_text(654322.25f);
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(point, ",") << chosen;
    EXPECT_EQ(read, 12.5);
    EXPECT_EQ(shown, "12.5");
    EXPECT_EQ(small, "3.33333333333333E-05");
    EXPECT_EQ(single, "654322.3");
}

}  // namespace
