// Window keys and mouse rules on a recording window system; lengths in twips.
#include <gtest/gtest.h>

#include "tests/support/headless_form.h"

namespace {

using platform::BoxStyle;
using support::Box;
using support::HeadlessForm;

TEST(CaptionClock, SpaceShrinksRunsTheClockAndRestores) {
    HeadlessForm form;
    form.type(" ");
    EXPECT_TRUE(form.timer);
    EXPECT_EQ(form.width_twips, 30);
    EXPECT_EQ(form.height_twips, 30);
    form.services.now = "2026/12/06 18:18:34";
    form.core.Timer1_Timer();
    EXPECT_EQ(form.caption, "2026/12/06 18:18:34");
    form.services.now = "2026/12/06 18:18:35";
    form.core.Timer1_Timer();
    EXPECT_EQ(form.caption, "2026/12/06 18:18:35");
    form.type(" ");
    EXPECT_FALSE(form.timer);
    EXPECT_EQ(form.width_twips, 1350);
    EXPECT_EQ(form.height_twips, 250);
    EXPECT_EQ(form.caption, "Kirune");
}

TEST(CaptionClock, YTogglesWithoutResizing) {
    HeadlessForm form;
    form.type("y");
    EXPECT_TRUE(form.timer);
    form.core.Timer1_Timer();
    EXPECT_NE(form.caption, "Kirune");
    form.type("y");
    EXPECT_FALSE(form.timer);
    EXPECT_EQ(form.caption, "Kirune");
    EXPECT_EQ(form.width_twips, 1350);
    EXPECT_EQ(form.height_twips, 255);
}

TEST(CaptionClock, SpaceWhileYClockRunsRestoresTheSize) {
    HeadlessForm form;
    form.type("y ");
    EXPECT_FALSE(form.timer);
    EXPECT_EQ(form.height_twips, 250);
    EXPECT_EQ(form.caption, "Kirune");
}

TEST(CaptionClock, FurtherWindowResizesAndCaptionsTheMainWindow) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm& second = *main.extra();
    second.type(" ");
    EXPECT_TRUE(second.timer);
    EXPECT_FALSE(main.timer);
    EXPECT_EQ(main.width_twips, 30);
    EXPECT_EQ(second.width_twips, 1350);
    main.services.now = "12/6/2026 6:18:34 PM";
    second.core.Timer1_Timer();
    EXPECT_EQ(main.caption, "12/6/2026 6:18:34 PM");
    EXPECT_EQ(second.caption, "Kirune");
}

TEST(Mouse, PressPullsTheCentreUnderThePointerAndRunsTheClock) {
    struct Case {
        float x, y, left_after, top_after;
    };
    // Form1 is 1350 x 255: its centre is at 675, 127.5. The window starts at 3000, 2000.
    const Case cases[] = {
        {675, 127.5F, 3000, 2000},  // at the centre: no move
        {975, 227.5F, 3300, 2100},  // right and below
        {75, 27.5F, 2400, 1900},    // left and above
        {675, 0, 3000, 1872.5F},    // top edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        HeadlessForm form;
        form.left_twips = 3000;
        form.top_twips = 2000;
        form.core.Text1_MouseDown(c.x, c.y);
        EXPECT_TRUE(form.timer);
        EXPECT_FLOAT_EQ(form.left_twips, c.left_after);
        EXPECT_FLOAT_EQ(form.top_twips, c.top_after);
        form.core.Text1_MouseUp();
        EXPECT_FALSE(form.timer);
    }
}

TEST(Mouse, ReleaseFreezesTheCaption) {
    HeadlessForm form;
    form.core.Text1_MouseDown(675, 127.5F);
    form.services.now = "2026/12/06 18:18:34";
    form.core.Timer1_Timer();
    form.core.Text1_MouseUp();
    EXPECT_EQ(form.caption, "2026/12/06 18:18:34");
}

TEST(Mouse, FleesOnlyInMouseMode) {
    HeadlessForm form;
    form.left_twips = 3000;
    form.top_twips = 2000;
    // 300 twips right of and 100 below the centre.
    form.core.Text1_MouseMove(975, 227.5F);
    EXPECT_EQ(form.left_twips, 3000);
    EXPECT_EQ(form.top_twips, 2000);
    form.type("m");
    form.core.Text1_MouseMove(975, 227.5F);
    EXPECT_FLOAT_EQ(form.left_twips, 2700);
    EXPECT_FLOAT_EQ(form.top_twips, 1700);
    form.type("m");
    form.core.Text1_MouseMove(975, 227.5F);
    EXPECT_FLOAT_EQ(form.left_twips, 2700);
    EXPECT_FALSE(form.timer) << "moving never starts the clock";
}

TEST(Mouse, FurtherWindowMovesItselfByTheMainWindowsSize) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm& second = *main.extra();
    main.type("s");  // Form1 is now 30 x 30: its centre is 15, 15
    second.left_twips = 1000;
    second.top_twips = 1000;
    second.core.Text1_MouseDown(115, 15);
    EXPECT_FLOAT_EQ(second.left_twips, 1100);
    EXPECT_FLOAT_EQ(second.top_twips, 1000);
    EXPECT_TRUE(second.timer);
    EXPECT_FALSE(main.timer);
    EXPECT_EQ(main.left_twips, 0);
}

TEST(AppearanceKeys, CentreOnTheScreen) {
    HeadlessForm form;
    form.type("s");
    form.type("a");
    EXPECT_FLOAT_EQ(form.left_twips, 19200.0F / 2 - 15);
    EXPECT_FLOAT_EQ(form.top_twips, 15360.0F / 2 - 15);
}

TEST(AppearanceKeys, SizesAddressTheMainWindow) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm& second = *main.extra();
    second.type("s");
    EXPECT_EQ(main.width_twips, 30);
    EXPECT_EQ(main.height_twips, 30);
    EXPECT_EQ(second.width_twips, 1350);
    second.type("d");
    EXPECT_EQ(main.width_twips, 1350);
    EXPECT_EQ(main.height_twips, 250);
}

TEST(AppearanceKeys, ColoursRecolourOnlyThisDisplay) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"i", 0x008080FF}, {"o", 0x0080FFFF}, {"p", 0x00FFFFFF}, {"u", 0x8000000F}};
    for (const auto& [key, colour] : cases) {
        HeadlessForm main;
        main.type("z");
        main.extra()->type(key);
        EXPECT_EQ(main.extra()->display_colour, colour) << key;
        EXPECT_EQ(main.display_colour, 0x00FFFFFFU) << key;
    }
}

TEST(FurtherWindows, ZAnnouncesThenShowsOneWindowPerWindow) {
    HeadlessForm main;
    main.type("z");
    HeadlessForm* second = main.extra();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->shows, 1);
    main.type("z");
    EXPECT_EQ(main.extra(), second) << "the same window, not a third";
    EXPECT_EQ(second->shows, 2);
    const Box announce{"新しいKiruneが現れました。", BoxStyle::critical, "Kirune"};
    EXPECT_EQ(main.services.boxes, (std::vector<Box>{announce, announce}));
    second->type("z");
    ASSERT_NE(second->extra(), nullptr);
    EXPECT_NE(second->extra(), second);
    second->extra()->type("s");
    EXPECT_EQ(main.width_twips, 30) << "a third window still addresses the main window";
}

}  // namespace
