#include <gtest/gtest.h>

#include <string_view>

#include "tests/engine/key_script.h"

namespace {

using engine_test::press;
using engine_test::text;
using support::HeadlessForm;

constexpr engine_test::KeysCase edit_cases[] = {
    {"123[shift+del]", "12"},
    {"12.5[shift+del]", "12."},  // a point left after a non-zero number stays
    {"{-12}[shift+del]", "-1"},
    {"7[shift+del]", "0"},
    {"0[shift+del]", "0"},
    {"0.5[shift+del]", "0"},   // "0." reads as 0
    {"{-5}[shift+del]", "0"},  // a lone "-" reads as 0
    {"{}[shift+del]", "0"},
    {"{0.05}[shift+del]", "0"},
    {"{1.5E+20}[shift+del]", "1.5E+2"},
    // A number beyond the double range is not 0: no fault, the text just loses a character.
    {"{1E+4000}[shift+del]", "1E+400"},
    {"{1E+400x}[shift+del]", "1E+400"},
    {"25[ctrl+kp-]", "-25"},
    {"25[ctrl+kp-][ctrl+kp-]", "25"},
    {"{1.5E+20}[ctrl+kp-]", "-1.5E+20"},
    {"12.[ctrl+kp-]", "-12."},  // changed as text: the trailing point stays
    {"0.5[ctrl+kp-]", "-0.5"},
    {"{1E+400}[ctrl+kp-]", "-1E+400"},  // beyond the range counts as not 0
    {"{-0}[ctrl+kp-]", "0"},
    {"{-}[ctrl+kp-]", ""},
    {"0[ctrl+kp-]", "0", 1},
    {"0.[ctrl+kp-]", "0.", 1},
    {"{0.000}[ctrl+kp-]", "0.000", 1},
    {"{}[ctrl+kp-]", "", 1},
    {"{abc}[ctrl+kp-]", "abc", 1},
    // Only Ctrl alone changes the sign.
    {"25[kp-]", "25"},
    {"25[shift+kp-]", "25"},
    {"25[ctrl+shift+kp-]", "25"},
    {"25[ctrl+alt+kp-]", "25"},
};

TEST(EditingKeys, KeysGiveDisplay) {
    engine_test::expect_keys_give_display(edit_cases);
}

TEST(EditingKeys, DeleteWithoutExactlyShiftClearsAndConsumesKey) {
    for (const int shift : {0, 2, 3, 4, 5, 6, 7}) {
        SCOPED_TRACE(shift);
        HeadlessForm form;
        press(form, "12+3.5");
        EXPECT_EQ(form.key_down(46, shift), 0);
        EXPECT_EQ(form.display(), "0");
        EXPECT_EQ(form.core.calculator.op_mark, text(""));
        EXPECT_EQ(form.core.calculator.pending_op, text(""));
        EXPECT_EQ(form.core.calculator.operand, platform::Variant(platform::Integer{0}));
    }
}

TEST(EditingKeys, ShiftDeleteKeepsKeyAndChain) {
    HeadlessForm form;
    press(form, "12+");
    EXPECT_EQ(form.key_down(46, 1), 46);
    EXPECT_EQ(form.display(), "1");
    EXPECT_EQ(form.core.calculator.op_mark, text("tasu"));
    EXPECT_EQ(form.core.calculator.pending_op, text("tasu"));
}

TEST(EditingKeys, SignChangeIsNoSecondNumber) {
    HeadlessForm form;
    press(form, "5+[ctrl+kp-]\r");
    EXPECT_EQ(form.display(), "-5");
    EXPECT_EQ(form.core.calculator.pending_op, text(""));
}

}  // namespace
