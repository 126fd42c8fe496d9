#pragma once

#include <array>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/variant.h"
#include "tests/support/headless_form.h"

namespace engine_test {

// Runs a key script on the form. Plain characters are typed through the key map; "[...]"
// is a key-down: [del], [kp-], [f1]..[f12], each with optional "shift+", "ctrl+", "alt+" in
// front ([shift+del], [ctrl+alt+f3]); "{text}" puts text into the display, as a display
// that shows an earlier result (such as 1E+300) would hold it.
void press(support::HeadlessForm& form, std::string_view script);

// Everything an action may change, for checking that a fault changed nothing.
struct Snapshot {
    std::string display;
    int display_writes;
    platform::Variant op_mark;
    platform::Variant pending_op;
    platform::Variant operand;
    std::array<platform::Variant, 12> registers;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const support::HeadlessForm& form);
// Lets a failed comparison show the values instead of bytes.
void PrintTo(const Snapshot& s, std::ostream* out);

platform::Variant text(std::string_view value);

// Keys typed into a fresh form, the display they leave and the beeps they sound.
struct KeysCase {
    std::string_view keys;
    std::string_view display;
    int beeps = 0;
};

// Runs each case on its own fresh form; none may show a box.
void expect_keys_give_display(std::span<const KeysCase> cases);

}  // namespace engine_test

namespace support {
// Lets a failed comparison of recorded boxes show their texts.
void PrintTo(const Box& box, std::ostream* out);
}  // namespace support
