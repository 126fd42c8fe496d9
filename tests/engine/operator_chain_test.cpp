#include <gtest/gtest.h>

#include <string_view>

#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::text;
using support::HeadlessForm;

constexpr engine_test::KeysCase chain_cases[] = {
    {"12+3\r", "15"},
    {"2+3*", "5"},
    {"2+3*4\r", "20"},  // left to right: no precedence
    {"9-4\r", "5"},     // the stored operand is the left one
    {"8/2\r", "4"},
    {"4-9\r", "-5"},
    {"5+-3\r", "2"},  // the last of two operators wins, nothing computed between
    {"5*/+3\r", "8"},
    {"5+\r", "5"},
    {"5+\r\r", "5"},
    {"\r", "0"},
    {"c\r", "0"},
    {"7\r", "7"},
    {"5+3+", "8"},
    {"5+3+1\r", "9"},
    {"2+3\r+4\r", "9"},  // the result is the left operand of the next addition
    {"2+3\r\r", "5"},
    {"1.5*2\r", "3"},
    {"5.+3\r", "8"},
    {"5[ctrl+kp-]*3\r", "-15"},
    {"1/3\r", "0.333333333333333"},
    {"1/3\r*3\r", "0.999999999999999"},  // the shown text is read back, not the exact result
    {"99999999*99999999\r", "9.9999998E+15"},
    {"0.1+0.2\r", "0.3"},
    {"0/5\r", "0"},
    {"{}+3\r", "3"},  // an empty display reads as 0
    {"3+1{}\r", "3"},
    {"{1E-200}*1{1E-200}\r", "0"},  // too small a result is 0, no fault
    // A value put in by a function or recall right after an operator is no second number.
    {"5+3f\r", "14"},  // a function on the second number being typed changes it
    {"5+f\r", "25"},
    {"5+f3\r", "28"},
    {"5+r\r", "2.23606797749979"},
    {"3[f1]c5+[shift+f1]\r", "3"},
    {"12+[shift+del]3\r", "4"},  // deleting a character keeps the operator just pressed
};

TEST(OperatorChain, KeysGiveDisplay) {
    engine_test::expect_keys_give_display(chain_cases);
}

TEST(OperatorChain, StatesAfterOperatorsAndEquals) {
    struct Case {
        std::string_view keys, op_mark, pending_op;
    };
    constexpr Case cases[] = {
        {"5+", "tasu", "tasu"},       {"5-", "hiku", "hiku"},  {"5*", "kakeru", "kakeru"},
        {"5/", "waru", "waru"},       {"5+-", "hiku", "hiku"}, {"5+3", "", "tasu"},
        {"5+3*", "kakeru", "kakeru"}, {"5+3\r", "", ""},       {"5+\r", "", ""},
        {"5+.", "tasu", "tasu"},      {"5+r", "tasu", "tasu"}, {"5+c", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessForm form;
        press(form, c.keys);
        EXPECT_EQ(platform::text_of(form.core.calculator.op_mark), c.op_mark);
        EXPECT_EQ(platform::text_of(form.core.calculator.pending_op), c.pending_op);
    }
}

TEST(OperatorChain, OperatorKeepsOperandUntilNextNumber) {
    HeadlessForm form;
    press(form, "9-4+");
    EXPECT_EQ(form.display(), "5");
    EXPECT_EQ(form.core.calculator.operand, text("9"));
    press(form, "1");
    EXPECT_EQ(form.core.calculator.operand, text("5"));
}

}  // namespace
