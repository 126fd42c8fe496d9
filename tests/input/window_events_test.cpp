#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/headless_form.h"

namespace {

using input::ControlKeys;
using input::Modifiers;

// A stroke as a toolkit hands it over: the key's code, the modifiers held, the character typed.
struct Stroke {
    std::uint16_t key_code;
    Modifiers held;
    char16_t typed;
};

constexpr Modifiers none{}, shift{.shift = true}, ctrl{.ctrl = true}, alt{.alt = true};
constexpr ControlKeys named = ControlKeys::named, windows = ControlKeys::platform;

// Keys typed first, one stroke, a further character of that stroke (0: none), keys typed after,
// the platform's rule for Ctrl, and the display.
struct StrokeCase {
    std::string_view before;
    Stroke stroke;
    char16_t further;
    std::string_view after;
    ControlKeys rule;
    std::string_view display;
};

// clang-format off
constexpr StrokeCase strokes[] = {
    {"25", {109, ctrl, u'-'}, 0, "3", named, "-253"},  // the sign, no subtraction
    {"25", {109, ctrl, 0}, u'-', "3", windows, "-253"},  // nor by a later character
    {"9", {109, none, u'-'}, 0, "4\r", named, "5"},
    {"123", {46, shift, 0x7f}, 0, "", named, "12"},  // Delete's character types nothing
    {"123", {46, none, 0x7f}, 0, "4", named, "4"},
    {"12", {'5', alt, u'5'}, 0, "", windows, "12"},
    {"12", {'H', ctrl, 8}, 0, "", named, "12"},  // X11's Ctrl+H must not clear
    {"12", {'H', ctrl, 8}, 0, "", windows, "0"},  // Windows' does
    {"5+", {0, none, u'７'}, 0, "\r", named, "12"},
    {"1", {110, none, u','}, 0, "5", named, "1.5"},
    {"12x", {'5', none, u'5'}, 0, "", named, "12"},  // the program is ending
};
// clang-format on

// A stroke raises the key-down event, then the key-press of the character it types, if any.
TEST(WindowEvents, StrokesRaiseKeyDownThenTheTypedCharactersKeyPress) {
    for (const StrokeCase& c : strokes) {
        SCOPED_TRACE(testing::Message() << c.before << " then key " << c.stroke.key_code);
        support::HeadlessForm form;
        form.type(c.before);
        form.core.key_stroke(c.stroke.key_code, c.stroke.held, c.stroke.typed, c.rule);
        if (c.further != 0) {
            form.core.stroke_character(c.further, c.rule);
        }
        form.type(c.after);
        EXPECT_EQ(form.display(), c.display);
    }
}

// A chain of windows, each shown with its clock running and its own display; one of them
// closes (0 the main window). Whether the program ends, then which windows are shown and
// which clocks run, main window first. The end of the program takes the main window along.
struct CloseCase {
    int windows, closed, ends;
    std::string_view shown, clocks;
};

constexpr CloseCase closes[] = {
    {1, 0, 1, "1", "0"},     {2, 0, 1, "11", "01"},   {2, 1, 0, "10", "10"},
    {3, 1, 0, "101", "101"}, {3, 2, 0, "110", "110"},
};

// Closing the main window ends the program; closing a further one hides it, and "z" in its
// opener shows it again as it was. A closed window's clock stops.
TEST(WindowEvents, ClosingTheMainWindowEndsAFurtherOneHidesUntilZ) {
    for (const CloseCase& c : closes) {
        SCOPED_TRACE(testing::Message() << c.closed << " of " << c.windows << " closes");
        support::HeadlessForm main;
        main.show();
        std::vector<support::HeadlessForm*> chain{&main};
        for (int i = 1; i < c.windows; ++i) {
            chain.back()->type("z");
            chain.push_back(chain.back()->extra());
        }
        for (std::size_t i = 0; i < chain.size(); ++i) {
            chain[i]->type("y" + std::to_string(i + 1));
        }
        chain[c.closed]->core.window_closed();
        std::string shown, clocks;
        for (const support::HeadlessForm* window : chain) {
            shown += window->visible ? '1' : '0';
            clocks += window->timer ? '1' : '0';
        }
        EXPECT_EQ(main.services.end_calls, c.ends);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(clocks, c.clocks);
        if (c.closed > 0) {
            support::HeadlessForm* closed = chain[c.closed];
            chain[c.closed - 1]->type("z");
            EXPECT_EQ(chain[c.closed - 1]->extra(), closed);
            EXPECT_TRUE(closed->visible);
            EXPECT_EQ(closed->display(), std::to_string(c.closed + 1));
        }
    }
}

}  // namespace
