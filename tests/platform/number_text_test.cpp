#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/number_text.h"
#include "platform/runtime_error.h"
#include "platform/variant.h"

namespace {

// D: double_text(value) is text; S: single_text; I: integer_text; L: leading_number(text) is
// value; O: leading_number(text) is the overflow fault.
using TextCase = std::tuple<char, double, std::string_view>;

// clang-format off
constexpr TextCase cases[] = {
    // 15 significant digits, exponent form where the plain one would not fit, ties away from
    // zero on the exact binary value
    {'D', 1.4142135623730951, "1.4142135623731"}, {'D', 4.0 / 3.0 * 3.14, "4.18666666666667"},
    {'D', -0.0, "0"}, {'D', 999999999999999.0, "999999999999999"}, {'D', 1e15, "1E+15"},
    {'D', -1.5e20, "-1.5E+20"}, {'D', DBL_MAX, "1.79769313486232E+308"},
    {'D', 0.000000000000015, "0.000000000000015"}, {'D', 1.5e-15, "1.5E-15"},
    {'D', 1.0 / 30000.0, "3.33333333333333E-05"},
    {'D', 4.9406564584124654e-324, "4.94065645841247E-324"},
    {'D', 1000000000000005.0, "1.00000000000001E+15"},
    {'D', -1234567890123.125, "-1234567890123.13"}, {'D', 999999999999999.5, "1E+15"},
    {'D', 1.9999999999999998, "2"}, {'D', 1e100, "1E+100"},
    {'D', 1.622070567590735, "1.62207056759073"}, {'D', 8.291618119031245, "8.29161811903125"},
    // A Single: 7 digits
    {'S', 654322.25, "654322.3"}, {'S', -654322.25, "-654322.3"}, {'S', 1e7, "1E+07"},
    {'S', 0.0000015, "0.0000015"}, {'S', 1.5e-8, "1.5E-08"}, {'I', -32768, "-32768"},
    // Reading: blanks anywhere are skipped, the first character that cannot go on ends it
    {'L', 0, ""}, {'L', -0.5, "-.5"}, {'L', 12, "12abc"}, {'L', -12.5, " \t\r\n-  1 2 . 5 "},
    {'L', 1.2, "1.2.3"}, {'L', 0.025, "2.5d-2"}, {'L', 0.01, "1 E - 2"}, {'L', 100, "1E2.5"},
    {'L', 1.79769313486231e308, "1.79769313486231E+308"}, {'L', 0, "1E-400"},
    {'L', 4.9406564584124654e-324, "4.94065645841247E-324"}, {'L', 0, "0E999999"},
    {'L', 0, "2E-324"}, {'L', 0, "1E-999999999999999999999"},
    {'L', 1.2345678901234568e29, "123456789012345678901234567890"},
    // Beyond the range: the overflow fault, also for the largest Double as it is shown
    {'O', 0, "1E+309"}, {'O', 0, "-1.8E+308"}, {'O', 0, "1E999999999999999999"},
    {'O', 0, "1.79769313486232E+308"}};
// clang-format on

TEST(NumberText, PinsTheOldRuntimesRules) {
    using namespace platform;
    for (const auto& [kind, value, text] : cases) {
        SCOPED_TRACE(text);
        if (kind == 'O') {
            EXPECT_THROW(leading_number(text), RuntimeError);
        } else if (kind == 'L') {
            EXPECT_EQ(leading_number(text), value);
        } else {
            EXPECT_EQ(kind == 'D'   ? double_text(value)
                      : kind == 'S' ? single_text(static_cast<float>(value))
                                    : integer_text(static_cast<Integer>(value)),
                      text);
        }
    }
    // A megabyte of digits is still one number.
    EXPECT_EQ(leading_number("1" + std::string(1 << 20, '0') + "E-1048576"), 1);
    EXPECT_EQ(leading_number("0." + std::string(400, '0') + "1E+401"), 1);
    EXPECT_THROW(leading_number("1" + std::string(309, '0')), RuntimeError);
    // Digits beyond the 800 kept still round: a hair above the halfway point goes up.
    EXPECT_EQ(leading_number("9007199254740993." + std::string(784, '0') + "1"),
              9007199254740994.0);
}

}  // namespace
