#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <Qt>

namespace window {

// Turns a Qt key stroke into the two events the display's handlers take: the key-down event
// (a key code of the classic Windows virtual-key set and a shift state) and, when the stroke
// types a character, the key-press event (its character code). Knows nothing of what the keys
// mean; the key map decides that.

// The virtual-key code; 0 for keys without one here. Keypad keys carry Qt::KeypadModifier and
// have codes of their own: the keypad minus is 109, the main minus 189.
std::uint16_t key_code(int key, Qt::KeyboardModifiers modifiers);

// 1 Shift, 2 Ctrl, 4 Alt, added up; Meta and the keypad flag do not count.
int shift_state(Qt::KeyboardModifiers modifiers);

// The character code the stroke types, or nothing. With Ctrl or Alt held a stroke types
// nothing, so Ctrl with the keypad minus changes the sign without also subtracting; only
// Ctrl+C, Ctrl+T and Ctrl+V type their control characters (3, 20, 22). Full-width digits and
// operators type their ASCII keys.
std::optional<char16_t> typed_character(int key, Qt::KeyboardModifiers modifiers,
                                        const QString& text);

}  // namespace window
