#include "platform/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace {

struct DoubleCase {
    double value;
    std::string_view text;
};

// Values the calculator actually produces, with the text the display must show.
const DoubleCase double_cases[] = {
    {std::sqrt(2.0), "1.4142135623731"},
    {1.0 * 1.0 * 1.0 * (4.0 / 3.0) * 3.14, "4.18666666666667"},
    {10.0 * 10.0 * 10.0 * (4.0 / 3.0) * 3.14, "4186.66666666667"},
    {1.0 / 3.0, "0.333333333333333"},
    {0.1 + 0.2, "0.3"},
    {3.0 * 3.0 * 3.0 * (4.0 / 3.0) * 3.14, "113.04"},
    {3.0 * 6.28, "18.84"},
    {2.0 * 2.0 * 3.14, "12.56"},
    {12.5, "12.5"},
    {-25.0, "-25"},
    {0.0, "0"},
    {-0.0, "0"},
    {999999999999999.0, "999999999999999"},
    {1e15, "1E+15"},
    {1.2e15, "1.2E+15"},
    {-1.5e20, "-1.5E+20"},
    {DBL_MAX, "1.79769313486232E+308"},
    {0.00001, "0.00001"},
    {0.000056789, "0.000056789"},
    {0.000000000000015, "0.000000000000015"},
    {5.6789e-12, "5.6789E-12"},
    {1.5e-15, "1.5E-15"},
    {1.0 / 30000.0, "3.33333333333333E-05"},
    {1e-100, "1E-100"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
};

TEST(DoubleText, CalculatorValuesGiveDisplayTexts) {
    for (const auto& c : double_cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::double_text(c.value), c.text);
    }
}

// An exact tie at the 16th digit rounds away from zero; a value that only prints as a tie
// with 17 digits rounds by its exact binary value.
TEST(DoubleText, TiesRoundAwayFromZeroOnTheExactValue) {
    const DoubleCase cases[] = {
        {1000000000000005.0, "1.00000000000001E+15"},
        {1000000000000025.0, "1.00000000000003E+15"},
        {-1000000000000025.0, "-1.00000000000003E+15"},
        {1234567890123.125, "1234567890123.13"},
        {-1234567890123.125, "-1234567890123.13"},
        {999999999999999.5, "1E+15"},
        {1.622070567590735, "1.62207056759073"},  // exactly 1.62207056759073497...
        {8.291618119031245, "8.29161811903125"},  // exactly 8.29161811903124501...
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::double_text(c.value), c.text);
    }
}

// Every text the display shows must read back as the number it shows.
TEST(DoubleText, ReadsBackAsTheSameNumber) {
    std::mt19937_64 random(20240601);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const std::uint64_t pattern = bits(random);
            std::memcpy(&value, &pattern, sizeof value);
            if (!std::isfinite(value)) {
                continue;
            }
        } else {
            value = mantissa(random) * std::pow(10.0, exponent(random));
        }
        const std::string text = platform::double_text(value);
        SCOPED_TRACE(text);
        if (std::fabs(value) > 1.797693134862315e308) {
            // Rounded up to 15 digits, the largest doubles' texts lie beyond the range.
            EXPECT_THROW(platform::leading_number(text), platform::RuntimeError);
            continue;
        }
        const double read = platform::leading_number(text);
        EXPECT_LE(std::fabs(read - value), 1e-14 * std::fabs(value));
    }
}

struct SingleCase {
    float value;
    std::string_view text;
};

TEST(SingleText, SevenDigitsTiesAwayFromZero) {
    const SingleCase cases[] = {
        {654322.25f, "654322.3"},  // an exact tie in binary
        {-654322.25f, "-654322.3"},
        {100.0f, "100"},
        {999.0f, "999"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.3333333"},
        {0.0000015f, "0.0000015"},
        {1.5e-8f, "1.5E-08"},
        {-0.0f, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::single_text(c.value), c.text);
    }
}

TEST(IntegerText, PlainWithMinusSign) {
    EXPECT_EQ(platform::integer_text(-1), "-1");
    EXPECT_EQ(platform::integer_text(0), "0");
    EXPECT_EQ(platform::integer_text(32767), "32767");
    EXPECT_EQ(platform::integer_text(-32768), "-32768");
}

}  // namespace
