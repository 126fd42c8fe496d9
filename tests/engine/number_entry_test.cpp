#include <gtest/gtest.h>

#include <string_view>

#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::text;
using support::HeadlessForm;

constexpr engine_test::KeysCase entry_cases[] = {
    {"7", "7"},
    {"0", "0"},
    {"00", "0"},
    {"005", "5"},  // a lone 0 is replaced each time: no leading zero is built
    {".", "0."},   // the point does not replace the 0
    {".5", "0.5"},
    {"1.5.", "1.5", 1},
    {"1..", "1.", 1},
    {"0.0", "0.0"},
    {"1234567890123456789012345678901234567890", "1234567890123456789012345678901234567890"},
    {"12+", "12"},
    {"12+3", "3"},
    {"12+34", "34"},
    {"5+.", "5."},  // the point goes to the value still shown
    {"5+.3\r", "8"},
    {"2+3\r1", "51"},  // after equals, digits extend the result
    {"5+\r3", "53"},
    {"2+3\r0", "50"},
    {"{}4", "4"},
    {"{}.", "."},
    {"{1.5E+20}.", "1.5E+20", 1},
    {"{1E+20}.", "1E+20."},
    {"1.5c", "0"},
    {"1.5c7", "7"},
    {"1.5\b7", "7"},
    {"2+c3\r", "3"},  // clear drops the pending addition
    {"+\r", "0"},
};

TEST(NumberEntry, KeysGiveDisplay) {
    engine_test::expect_keys_give_display(entry_cases);
}

TEST(NumberEntry, FirstDigitAfterOperatorSavesShownTextAsOperand) {
    struct Case {
        std::string_view keys, operand;
    };
    constexpr Case cases[] = {
        {"12+3", "12"},
        {"5.+3", "5."},           // trailing point kept
        {"5[ctrl+kp-]+3", "-5"},  // leading minus kept
        {"5+f3", "25"},           // a function's result becomes the left operand
        {"{1.5E+20}*3", "1.5E+20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessForm form;
        press(form, c.keys);
        EXPECT_EQ(form.core.calculator.operand, text(c.operand));
        EXPECT_EQ(form.core.calculator.op_mark, text(""));
    }
}

TEST(NumberEntry, DigitsWithoutOperatorLeaveChainState) {
    HeadlessForm form;
    press(form, "12.5");
    EXPECT_TRUE(platform::is_empty(form.core.calculator.op_mark));
    EXPECT_TRUE(platform::is_empty(form.core.calculator.pending_op));
    EXPECT_EQ(form.core.calculator.operand, platform::Variant(platform::Integer{0}));
}

TEST(NumberEntry, PointAfterOperatorKeepsOperatorJustPressed) {
    HeadlessForm form;
    press(form, "5+.");
    EXPECT_EQ(form.core.calculator.op_mark, text("tasu"));
    EXPECT_EQ(form.core.calculator.operand, platform::Variant(platform::Integer{0}));
}

}  // namespace
