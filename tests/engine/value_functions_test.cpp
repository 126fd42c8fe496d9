#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::text;
using support::HeadlessForm;

constexpr engine_test::KeysCase function_cases[] = {
    // An empty display, or one that begins with no number, reads as 0.
    {"{}r", "0"},
    {"{}e", "0"},
    {"{}f", "0"},
    {"{}g", "0"},
    {"{}h", "0"},
    {"{}j", "0"},
    {"{}k", "0"},
    {"{abc}f", "0"},
    {"{-}h", "0"},
    {"2r", "1.4142135623731"},
    {"9r", "3"},
    {"0.25r", "0.5"},
    {"{-0}r", "0"},  // the root of -0 is -0, shown as 0
    {"{-3.5}e", "-1"},
    {"0.001e", "1"},
    {"0e", "0"},
    {"{1.5E+20}e", "1"},
    {"{-2}f", "4"},
    {"{-2}g", "-8"},
    {"1.5f", "2.25"},
    {"3g", "27"},
    {"1h", "6.28"},
    {"3h", "18.84"},
    {"2j", "12.56"},
    {"{-2}j", "12.56"},
    {"1k", "4.18666666666667"},
    {"3k", "113.04"},
    {"10k", "4186.66666666667"},
    {"{12.5abc}h", "78.5"},  // characters after the leading number are ignored
    {"{1E+200}r", "1E+100"},
};

TEST(ValueFunctions, KeysGiveDisplay) {
    engine_test::expect_keys_give_display(function_cases);
}

TEST(ValueFunctions, LeaveChainStateAlone) {
    for (const char key : std::string_view("refghjk")) {
        SCOPED_TRACE(key);
        HeadlessForm form;
        press(form, "4+7");
        press(form, std::string_view(&key, 1));
        EXPECT_EQ(form.core.calculator.op_mark, text(""));
        EXPECT_EQ(form.core.calculator.pending_op, text("tasu"));
        EXPECT_EQ(form.core.calculator.operand, text("4"));
    }
}

TEST(RandomNumber, DrawGivesWholeNumberFrom100To999) {
    struct Case {
        float r;
        std::string_view display;
    };
    const Case cases[] = {
        {0.0F, "100"},
        {0.5F, "550"},
        {0.25F, "325"},
        {0.999F, "999"},
        {std::nextafter(1.0F, 0.0F), "999"},  // the largest draw still stays below 1000
        {0.0011F, "100"},
        {0.00112F, "101"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r);
        HeadlessForm form;
        form.services.random_values = {c.r};
        press(form, "l");
        EXPECT_EQ(form.display(), c.display);
    }
}

TEST(RandomNumber, ActsAsNewSecondNumberInEveryState) {
    struct Case {
        std::string_view keys, display, operand, op_mark, pending_op;
    };
    constexpr Case cases[] = {
        {"5+l", "325", "5", "", "tasu"},  {"5+l\r", "330", "5", "", ""},
        {"5+2l", "325", "2", "", "tasu"},  // replaces the left operand by the typed 2
        {"5+2l\r", "327", "2", "", ""},   {"7l", "325", "7", "", ""},
        {"7l\r", "325", "7", "", ""},  // nothing pending: equals computes nothing
        {"7l1", "3251", "7", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessForm form;
        form.services.random_values = {0.25F};
        press(form, c.keys);
        EXPECT_EQ(form.display(), c.display);
        EXPECT_EQ(form.core.calculator.operand, text(c.operand));
        EXPECT_EQ(form.core.calculator.op_mark, text(c.op_mark));  // l always writes ""
        // Empty (never assigned) and "" are the same "nothing pending".
        EXPECT_EQ(platform::text_of(form.core.calculator.pending_op), c.pending_op);
    }
}

}  // namespace
