// The form as a whole: start, clear, end, memo keys and the independence of windows.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless_form.h"

namespace {

using platform::BoxStyle;
using platform::Variant;
using support::Box;
using support::HeadlessForm;

TEST(Form, StartsWithEmptyMarksAndIntegerZeroOperand) {
    HeadlessForm form;
    EXPECT_EQ(form.display(), "0");
    EXPECT_EQ(form.core.calculator.op_mark, Variant{platform::Empty{}});
    EXPECT_EQ(form.core.calculator.pending_op, Variant{platform::Empty{}});
    EXPECT_EQ(form.core.calculator.operand, Variant{platform::Integer{0}});
    EXPECT_EQ(form.services.randomize_calls, 1);
}

TEST(Form, BackspaceAndCClearEverythingButRegistersAndMemo) {
    for (const char* clear_key : {"\b", "c"}) {
        SCOPED_TRACE(clear_key);
        HeadlessForm form;
        form.services.input_answers.push_back("note");
        form.type("12.5");
        form.key_down(112);  // F1 stores 12.5
        form.type("q12+3");
        form.type(clear_key);
        EXPECT_EQ(form.display(), "0");
        EXPECT_EQ(form.core.calculator.op_mark, Variant{std::string()});
        EXPECT_EQ(form.core.calculator.pending_op, Variant{std::string()});
        EXPECT_EQ(form.core.calculator.operand, Variant{platform::Integer{0}});
        EXPECT_EQ(form.core.fkey_memory[112], Variant{12.5});
        EXPECT_EQ(form.core.memo.memo_text, Variant{std::string("note")});
        form.type("7");  // the next digit replaces the "0"
        EXPECT_EQ(form.display(), "7");
    }
}

TEST(Form, EscAndXEndTheProgramAtOnce) {
    for (const char* key : {"\x1b", "x"}) {
        HeadlessForm form;
        form.type(key);
        EXPECT_EQ(form.services.end_calls, 1) << key;
        EXPECT_TRUE(form.services.boxes.empty()) << "no question is asked";
    }
}

TEST(Form, UnlistedKeysChangeNothing) {
    HeadlessForm form;
    form.type("12+");
    form.type("ABCNXZn ~!@#");  // the space starts the clock only
    EXPECT_EQ(form.display(), "12");
    EXPECT_EQ(form.core.calculator.op_mark, Variant{std::string("tasu")});
    EXPECT_TRUE(form.services.boxes.empty());
}

TEST(Form, FaultShowsCriticalBoxAndTheNextKeysWork) {
    HeadlessForm form;
    form.type("8/0\r");
    ASSERT_EQ(form.services.boxes.size(), 1U);
    EXPECT_EQ(form.services.boxes[0],
              (Box{"0 で割ることはできません。", BoxStyle::critical, "Kirune"}));
    EXPECT_EQ(form.display(), "0");
    form.type("2\r");
    EXPECT_EQ(form.display(), "4");
}

TEST(Memo, EnterShowAndCancel) {
    HeadlessForm form;
    form.type("w");  // before any memo: an empty box
    form.services.input_answers = {"abc", "abcdef"};
    form.type("qwqw");
    form.type("q");  // the script is empty: Cancel, which erases the memo
    form.type("w");
    const std::vector<Box> expected = {
        {"", BoxStyle::information, "Kirune"},
        {"abc", BoxStyle::information, "Kirune"},
        {"abcdef", BoxStyle::information, "Kirune"},
        {"", BoxStyle::information, "Kirune"},
    };
    EXPECT_EQ(form.services.boxes, expected);
    ASSERT_EQ(form.services.input_requests.size(), 3U);
    EXPECT_EQ(form.services.input_requests[0].prompt, "メモすることを書き込んでください");
    EXPECT_EQ(form.services.input_requests[0].title, "Kirune");
    EXPECT_EQ(form.services.input_requests[0].default_text, "");
    EXPECT_EQ(form.services.input_requests[1].default_text, "abc");
    EXPECT_EQ(form.services.input_requests[2].default_text, "abcdef");
    EXPECT_EQ(form.core.memo.memo_text, Variant{std::string()});
}

TEST(Memo, DateTimeMessageLeavesDisplayAndState) {
    HeadlessForm form;
    form.services.now = "2026/12/06 18:18:34";
    form.type("5+3t");
    EXPECT_EQ(form.services.boxes,
              (std::vector<Box>{{"2026/12/06 18:18:34", BoxStyle::information, "Kirune"}}));
    EXPECT_EQ(form.display(), "3");
    form.type("\r");
    EXPECT_EQ(form.display(), "8");
}

TEST(Windows, SecondWindowHasItsOwnStateRegistersAndMemo) {
    HeadlessForm main;
    main.services.input_answers = {"first", "second"};
    main.type("12+q");
    main.key_down(112);
    main.type("z");
    HeadlessForm* second = main.extra();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->display(), "0");
    EXPECT_EQ(second->core.calculator.op_mark, Variant{platform::Empty{}});
    EXPECT_EQ(second->core.fkey_memory[112], Variant{platform::Empty{}});
    EXPECT_EQ(second->core.memo.memo_text, Variant{platform::Empty{}});
    second->type("7*6\rq");
    EXPECT_EQ(second->display(), "42");
    main.type("3\r");
    EXPECT_EQ(main.display(), "15");
    EXPECT_EQ(main.core.memo.memo_text, Variant{std::string("first")});
    EXPECT_EQ(second->core.memo.memo_text, Variant{std::string("second")});
}

}  // namespace
