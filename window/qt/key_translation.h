#pragma once

#include <cstdint>

#include <Qt>

#include "input/form_core.h"

namespace window::qt {

// Turns a Qt key stroke into the key-down event the display's handlers take: a key code of the
// classic Windows virtual-key set and a shift state. Knows nothing of what the keys mean or
// which character they type; the key map decides that.

// The virtual-key code; 0 for keys without one here. Keypad keys carry Qt::KeypadModifier and
// have codes of their own: the keypad minus is 109, the main minus 189.
std::uint16_t key_code(int key, Qt::KeyboardModifiers modifiers);

// Shift, Ctrl and Alt; Meta and the keypad flag do not count.
input::Modifiers held_modifiers(Qt::KeyboardModifiers modifiers);

}  // namespace window::qt
