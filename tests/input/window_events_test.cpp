#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
// the platform's rule for Ctrl, the display, and whether the program is ending.
struct StrokeCase {
    std::string_view before;
    Stroke stroke;
    char16_t further;
    std::string_view after;
    ControlKeys rule;
    std::string_view display;
    bool ends = false;
};

// clang-format off
constexpr StrokeCase strokes[] = {
    {"25", {109, ctrl, u'-'}, 0, "3", named, "-253"},  // the sign, no subtraction
    {"25", {109, ctrl, 0}, u'-', "3", windows, "-253"},  // nor by a later character
    {"123", {46, shift, 0x7f}, 0, "", named, "12"},  // Delete's character types nothing
    {"12", {'5', alt, u'5'}, 0, "", windows, "12"},
    {"12", {'5', ctrl, u'5'}, 0, "", named, "12"},
    {"12", {0, none, u'／'}, 0, "3\r", named, "4"},  // full-width characters are typed narrow
    {"12", {'H', ctrl, 8}, 0, "", named, "12"},  // X11's Ctrl+H must not clear
    {"12", {'H', ctrl, 8}, 0, "", windows, "0"},  // Windows' does
    {"12x", {'5', none, u'5'}, 0, "", named, "12", true},  // the program is ending
    {"12", {115, alt, 0}, 0, "", windows, "12", true},  // Alt+F4 closed the main window
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
        EXPECT_EQ(form.services.end_calls, c.ends ? 1 : 0);
    }
}

}  // namespace
