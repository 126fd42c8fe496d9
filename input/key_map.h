#pragma once

#include <cstdint>
#include <span>

#include "input/form_actions.h"

namespace input {

using KeyAction = void (*)(FormActions&);

struct KeyRow {
    char16_t code;
    KeyAction action;
};

// The whole key map, in code order. Codes not in it (upper-case letters, "n", ...) do nothing.
std::span<const KeyRow> key_map();

// Runs the action of a typed character and cancels the character: on return key_ascii is 0,
// so the text box never edits itself.
void Text1_KeyPress(FormActions& form, char16_t& key_ascii);

// Key codes and shift bits of the key-down event.
inline constexpr std::uint16_t key_insert = 45;
inline constexpr std::uint16_t key_delete = 46;
inline constexpr std::uint16_t key_keypad_minus = 109;
inline constexpr std::uint16_t key_f1 = 112;
inline constexpr std::uint16_t key_f12 = 123;
inline constexpr int shift_bit = 1;
inline constexpr int ctrl_bit = 2;
inline constexpr int alt_bit = 4;

// The key-down keys: Delete, Ctrl with the keypad minus, F1 to F12. The shift state is
// compared as a whole value, so Shift+Ctrl counts neither as Shift nor as Ctrl. Sets
// key_code to 0 when the key is consumed (Delete that clears).
void Text1_KeyDown(FormActions& form, std::uint16_t& key_code, int shift);

}  // namespace input
