// Long runs of real Qt windows on the offscreen platform: a day of caption-clock ticks in two
// windows, and a chain of 200 windows opened with "z" and destroyed again. Qt fills its caches
// (fonts, style, the platform windows) on first use, so each test measures after a warm-up of
// the same work; a block left after that is a leak.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include <QApplication>
#include <QTest>

#include "platform/identity.h"
#include "tests/soak/live_allocations.h"
#include "tests/support/fake_services.h"
#include "window/calculator_form.h"

namespace {

using soak::Clock;
using soak::live_allocations;
using soak::milliseconds_since;
using window::CalculatorForm;

CalculatorForm* extra_of(CalculatorForm& form) {
    return dynamic_cast<CalculatorForm*>(form.core.extra_window.get());
}

// Qt deletes some of a window's objects later, from the event loop.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Chain {
    int shown;
    soak::LiveAllocations open;  // the heap while the whole chain is open
};

// Opens a chain of further windows with "z", each typed into the last one, then destroys the
// whole chain with its main window.
Chain open_and_close_chain(int length) {
    support::FakeServices services;
    auto main = std::make_unique<CalculatorForm>(services);
    main->show();
    CalculatorForm* last = main.get();
    for (int i = 0; i < length; ++i) {
        QTest::keyClick(&last->display(), Qt::Key_Z);
        CalculatorForm* next = extra_of(*last);
        if (next == nullptr || !next->isVisible()) {
            ADD_FAILURE() << "window " << i + 1 << " did not open";
            break;
        }
        last = next;
    }
    const Chain chain{static_cast<int>(QApplication::topLevelWidgets().size()), live_allocations()};
    EXPECT_EQ(services.boxes.size(), static_cast<std::size_t>(length));
    main.reset();
    settle();
    return chain;
}

// Qt's caches (fonts, the hashes of windows) resize and expire on their own schedule, so the
// byte count may drift by a few hundred bytes either way. A leaked window costs far more: the
// test prints what one window holds.
constexpr long long cache_drift_bytes = 16 * 1024;

// Every reading is taken before anything is checked: a failed check allocates its message.
TEST(WindowChainSoak, TwoHundredFormsOpenAndCloseWithoutLeak) {
    constexpr int length = 200;
    constexpr int rounds = 3;
    const auto widgets = QApplication::allWidgets().size();
    // Two rounds of warm-up: Qt's hashes grow to the largest number of windows once.
    open_and_close_chain(length);
    open_and_close_chain(length);
    const auto before = live_allocations();
    Chain chain[rounds];
    soak::LiveAllocations after[rounds];
    qsizetype widgets_after[rounds];
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        chain[round] = open_and_close_chain(length);
        after[round] = live_allocations();
        widgets_after[round] = QApplication::allWidgets().size();
    }
    const auto per_window = [&](long long open, long long closed) {
        return static_cast<double>(open - closed) / (length + 1);
    };
    std::printf(
        "[ soak     ] %d x %d windows opened with z and destroyed in %.0f ms; one window "
        "holds %.0f blocks, %.0f bytes\n",
        rounds, length + 1, milliseconds_since(start),
        per_window(chain[0].open.blocks, before.blocks),
        per_window(chain[0].open.bytes, before.bytes));
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round + 1);
        EXPECT_EQ(chain[round].shown, length + 1);
        EXPECT_EQ(widgets_after[round], widgets);
        EXPECT_LE(after[round].blocks, before.blocks);
        EXPECT_LE(after[round].bytes - before.bytes, cache_drift_bytes);
    }
}

TEST(CaptionClockSoak, TwoFormsTickForADayWithoutGrowing) {
    support::FakeServices services;
    CalculatorForm main(services);
    main.show();
    QTest::keyClick(&main.display(), Qt::Key_Z);
    CalculatorForm* second = extra_of(main);
    ASSERT_NE(second, nullptr);
    QTest::keyClick(&main.display(), Qt::Key_Y);
    QTest::keyClick(&second->display(), Qt::Key_Y);
    ASSERT_TRUE(main.timer_enabled());
    ASSERT_TRUE(second->timer_enabled());
    const auto widgets = QApplication::allWidgets().size();
    const std::size_t boxes = services.boxes.size();

    const auto tick = [&] {
        main.core.Timer1_Timer();
        second->core.Timer1_Timer();
    };
    soak::run_ticks(600, services.now, tick);  // a simulated minute first
    settle();
    const auto before = live_allocations();
    const long resident_before = soak::resident_kib();
    const auto start = Clock::now();
    soak::run_ticks(soak::ticks_per_day, services.now, tick);
    settle();
    const double elapsed = milliseconds_since(start);
    const auto after = live_allocations();
    soak::report_day("Qt windows", elapsed, before, after, resident_before);

    EXPECT_LE(after.blocks, before.blocks);
    EXPECT_LE(after.bytes - before.bytes, cache_drift_bytes);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(services.boxes.size(), boxes);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("2026/12/06 23:59:59"));
    EXPECT_EQ(second->windowTitle().toStdString(), platform::program_name);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
