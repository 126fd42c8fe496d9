// Long runs of the toolkit-free form: a day of clock ticks, a long chain of windows, a
// megabyte memo and a 10,000-digit display. Memory is judged by the blocks the program holds
// through operator new, which must come back to where they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/identity.h"
#include "platform/texts.h"
#include "tests/soak/live_allocations.h"
#include "tests/support/headless_form.h"

namespace {

using platform::Variant;
using soak::Clock;
using soak::live_allocations;
using soak::milliseconds_since;
using support::Box;
using support::HeadlessForm;

TEST(CaptionClockSoak, TwoWindowsTickForADayWithoutGrowing) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm* second = main.extra();
    ASSERT_NE(second, nullptr);
    main.type("12+3");
    main.type("y");
    second->type("y");  // both clocks run; "y" leaves the size alone
    ASSERT_TRUE(main.timer);
    ASSERT_TRUE(second->timer);
    const std::size_t boxes = main.services.boxes.size();

    const auto tick = [&] {
        main.core.Timer1_Timer();
        second->core.Timer1_Timer();
    };
    soak::run_ticks(600, main.services.now, tick);  // a simulated minute: strings at full size
    const auto before = live_allocations();
    const long resident_before = soak::resident_kib();
    const auto start = Clock::now();
    soak::run_ticks(soak::ticks_per_day, main.services.now, tick);
    const double elapsed = milliseconds_since(start);
    const auto after = live_allocations();
    soak::report_day("headless forms", elapsed, before, after, resident_before);

    EXPECT_EQ(after, before);
    // Both clocks write the main window's caption; the second window's stays as it was.
    EXPECT_EQ(main.caption, "2026/12/06 23:59:59");
    EXPECT_EQ(second->caption, platform::program_name);
    EXPECT_EQ(main.services.boxes.size(), boxes);
    EXPECT_EQ(main.extra(), second);
    EXPECT_EQ(second->extra(), nullptr);
    // The ticks touch nothing but the caption.
    EXPECT_EQ(main.display(), "3");
    EXPECT_EQ(main.core.calculator.pending_op, Variant{std::string("tasu")});
    EXPECT_EQ(main.core.calculator.operand, Variant{std::string("12")});
    EXPECT_TRUE(main.timer);
    EXPECT_TRUE(second->timer);
}

TEST(WindowChainSoak, TwoHundredWindowsOpenAndCloseWithoutLeak) {
    const auto before = live_allocations();
    for (int round = 0; round < 3; ++round) {
        {
            HeadlessForm main;
            HeadlessForm* last = &main;
            for (int i = 0; i < 200; ++i) {
                last->type("z");
                HeadlessForm* next = last->extra();
                ASSERT_NE(next, nullptr) << "window " << i + 1;
                last = next;
            }
            EXPECT_EQ(main.services.boxes.size(), 200U);
            // The last window has a state of its own and addresses the main window.
            last->type("12+3\rs");
            EXPECT_EQ(last->display(), "15");
            EXPECT_EQ(main.display(), "0");
            EXPECT_EQ(main.width_twips, 30);
            EXPECT_EQ(last->width_twips, 1350);
        }
        EXPECT_EQ(live_allocations(), before) << "after round " << round + 1;
    }
}

// A megabyte of mixed text, as a memo pasted from a long document would be.
std::string megabyte_text() {
    const std::string line = "メモ: 12+3=15, 大きな数 1E+308; note\n";
    std::string text;
    while (text.size() + line.size() <= (1U << 20)) {
        text += line;
    }
    text.append((1U << 20) - text.size(), 'x');
    return text;
}

TEST(MemoSoak, OneMegabyteThroughTheInputBox) {
    const std::string text = megabyte_text();
    ASSERT_EQ(text.size(), 1U << 20);
    const auto before = live_allocations();
    {
        HeadlessForm form;
        form.services.input_answers.push_back(text);
        form.services.input_answers.push_back(text + "!");
        const auto start = Clock::now();
        form.type("qwq");
        const double elapsed = milliseconds_since(start);
        std::printf("[ soak     ] 1 MiB memo: q, w, q in %.2f ms\n", elapsed);

        ASSERT_EQ(form.services.input_requests.size(), 2U);
        EXPECT_EQ(form.services.input_requests[0].default_text, "");
        EXPECT_EQ(form.services.input_requests[1].default_text, text);  // offered again whole
        ASSERT_EQ(form.services.boxes.size(), 1U);
        EXPECT_EQ(form.services.boxes[0].message, text);
        EXPECT_EQ(form.core.memo.memo_text, Variant{text + "!"});
        EXPECT_EQ(form.display(), "0");
        EXPECT_LT(elapsed, 2000.0);
    }
    EXPECT_EQ(live_allocations(), before);
}

// The keys that read the display's value. The operators and equals read it only when a second
// number was started, so their display is typed after "5+".
struct ReadingKey {
    const char* name;
    bool after_operator;
    std::function<void(HeadlessForm&)> press;
};

std::function<void(HeadlessForm&)> typed(const char* key) {
    return [key](HeadlessForm& form) { form.type(key); };
}

TEST(LongDisplaySoak, TenThousandDigitsOverflowEveryKeyThatReadsThem) {
    const ReadingKey keys[] = {
        {"+", true, typed("+")},
        {"-", true, typed("-")},
        {"*", true, typed("*")},
        {"/", true, typed("/")},
        {"Enter", true, typed("\r")},
        {"f", false, typed("f")},
        {"g", false, typed("g")},
        {"h", false, typed("h")},
        {"j", false, typed("j")},
        {"k", false, typed("k")},
        {"r", false, typed("r")},
        {"F1 store", false, [](HeadlessForm& form) { form.key_down(112); }},
        {"b", false, typed("b")},
        {"v", false, typed("v")},
    };
    const std::string digits(10'000, '1');
    const Box overflow{std::string(platform::overflow_message), platform::BoxStyle::critical,
                       std::string(platform::program_name)};
    double slowest_typing = 0;
    double slowest_key = 0;
    for (const ReadingKey& key : keys) {
        SCOPED_TRACE(key.name);
        HeadlessForm form;
        if (key.after_operator) {
            form.type("5+");
        }
        const auto typing = Clock::now();
        for (const char digit : digits) {
            form.type(std::string_view(&digit, 1));
        }
        slowest_typing = std::max(slowest_typing, milliseconds_since(typing));
        ASSERT_EQ(form.display(), digits);
        const auto& calculator = form.core.calculator;
        const Variant op_mark = calculator.op_mark;
        const Variant pending_op = calculator.pending_op;
        const Variant operand = calculator.operand;

        const auto pressed = Clock::now();
        key.press(form);
        slowest_key = std::max(slowest_key, milliseconds_since(pressed));

        ASSERT_EQ(form.services.boxes.size(), 1U);
        EXPECT_EQ(form.services.boxes[0], overflow);
        EXPECT_EQ(form.display(), digits);
        EXPECT_EQ(calculator.op_mark, op_mark);
        EXPECT_EQ(calculator.pending_op, pending_op);
        EXPECT_EQ(calculator.operand, operand);
        EXPECT_EQ(form.core.fkey_memory[112], Variant{});
        // The window goes on as before the key.
        form.type("c7");
        EXPECT_EQ(form.display(), "7");
    }
    std::printf(
        "[ soak     ] 10,000 digits typed key by key in at most %.1f ms; the slowest "
        "key on them took %.2f ms\n",
        slowest_typing, slowest_key);
    EXPECT_LT(slowest_typing, 5000.0);
    EXPECT_LT(slowest_key, 100.0);
}

}  // namespace
