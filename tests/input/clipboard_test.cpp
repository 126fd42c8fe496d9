// Copy and paste through the form: a pasted number enters the chain like a new number.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless_form.h"

namespace {

using platform::Variant;
using support::FakeServices;
using support::HeadlessForm;

constexpr char ctrl_c = 3;
constexpr char ctrl_v = 22;
constexpr std::uint16_t insert_key = 45;

struct PasteCase {
    const char* before;     // keys typed first
    const char* clipboard;  // pasted
    const char* after;      // keys typed after the paste
    const char* display;
};

// Each state of the operator chain: nothing pending, operator just pressed, second number
// started.
const PasteCase chain_cases[] = {
    {"", "7", "", "7"},
    {"5+", "７", "\r", "12"},
    {"5+2", "7", "\r", "9"},  // like the random key: the partly typed 2 became the operand
    {"9-", "  12.50 ", "", "12.5"},
    {"9-", "  12.50 ", "\r", "-3.5"},
    {"3*", "－２", "\r", "-6"},
    {"8/", "1.5E+20", "", "1.5E+20"},
    {"2+3\r", "4", "*2\r", "8"},
    {"", "0.00001", "", "0.00001"},
    {"", "000123", "", "123"},
};

TEST(Paste, EntersTheNumberInEachStateOfTheChain) {
    for (const auto& c : chain_cases) {
        SCOPED_TRACE(testing::Message() << c.before << " paste " << c.clipboard << " " << c.after);
        HeadlessForm form;
        form.type(c.before);
        form.services.clipboard = c.clipboard;
        form.type(std::string(1, ctrl_v));
        form.type(c.after);
        EXPECT_EQ(form.display(), c.display);
        EXPECT_EQ(form.services.beeps, 0);
    }
}

TEST(Paste, AfterAnOperatorTheShownValueBecomesTheOperand) {
    HeadlessForm form;
    form.type("5+");
    form.services.clipboard = "7";
    form.key_down(insert_key, 1);  // Shift+Insert
    EXPECT_EQ(form.core.calculator.operand, Variant{std::string("5")});
    EXPECT_EQ(form.core.calculator.op_mark, Variant{std::string()});
    EXPECT_EQ(form.core.calculator.pending_op, Variant{std::string("tasu")});
}

TEST(Paste, RefusedTextBeepsAndChangesNothing) {
    for (const char* clipboard : {"", "abc", "1,000", "1 2", "12abc", "--1", "+5", "１円"}) {
        SCOPED_TRACE(clipboard);
        HeadlessForm form;
        form.type("5+3");
        const auto operand = form.core.calculator.operand;
        form.services.clipboard = clipboard;
        form.type(std::string(1, ctrl_v));
        EXPECT_EQ(form.services.beeps, 1);
        EXPECT_EQ(form.display(), "3");
        EXPECT_EQ(form.core.calculator.operand, operand);
        EXPECT_EQ(form.core.calculator.op_mark, Variant{std::string()});
        EXPECT_TRUE(form.services.boxes.empty());
        form.type("\r");
        EXPECT_EQ(form.display(), "8") << "the chain goes on as before";
    }
}

TEST(Paste, NumberBeyondTheDoubleRangeIsTheOverflowMessage) {
    HeadlessForm form;
    form.type("5+");
    form.services.clipboard = "1E+400";
    form.type(std::string(1, ctrl_v));
    ASSERT_EQ(form.services.boxes.size(), 1U);
    EXPECT_EQ(form.services.boxes[0].message, "数が大きすぎます。");
    EXPECT_EQ(form.display(), "5");
    EXPECT_EQ(form.core.calculator.op_mark, Variant{std::string("tasu")});
}

TEST(Copy, PutsTheDisplayExactlyAsShown) {
    for (const char* keys : {"12.", "2+3\r", "1.5", "0"}) {
        HeadlessForm form;
        form.type(keys);
        form.type(std::string(1, ctrl_c));
        EXPECT_EQ(form.services.clipboard, form.display()) << keys;
    }
    HeadlessForm form;
    form.type("7");
    form.key_down(insert_key, 2);  // Ctrl+Insert
    EXPECT_EQ(form.services.clipboard, "7");
}

TEST(Copy, RoundTripMovesAValueToASecondWindow) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm& second = *main.extra();
    main.type("6*7\r");
    main.type(std::string(1, ctrl_c));
    second.type("100-");
    second.type(std::string(1, ctrl_v));
    second.type("\r");
    EXPECT_EQ(second.display(), "58");
    EXPECT_EQ(main.display(), "42");
}

TEST(StayOnTop, CtrlTTogglesThisWindowOnly) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm& second = *main.extra();
    EXPECT_FALSE(main.on_top);
    second.type("\x14");
    EXPECT_TRUE(second.on_top);
    EXPECT_FALSE(main.on_top);
    second.type("\x14");
    EXPECT_FALSE(second.on_top);
}

}  // namespace
