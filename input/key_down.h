#pragma once

#include <cstdint>

namespace input {

class FormCore;

// Key codes and shift bits of the key-down event.
inline constexpr std::uint16_t key_backspace = 8;
inline constexpr std::uint16_t key_return = 13;
inline constexpr std::uint16_t key_escape = 27;
inline constexpr std::uint16_t key_space = 32;
inline constexpr std::uint16_t key_insert = 45;
inline constexpr std::uint16_t key_delete = 46;
inline constexpr std::uint16_t key_keypad_minus = 109;
inline constexpr std::uint16_t key_keypad_decimal = 110;
inline constexpr std::uint16_t key_f1 = 112;
inline constexpr std::uint16_t key_f12 = 123;
inline constexpr int shift_bit = 1;
inline constexpr int ctrl_bit = 2;
inline constexpr int alt_bit = 4;

struct Modifiers;

// The key-down event's shift state: 1 Shift, 2 Ctrl, 4 Alt, added up.
int shift_state(Modifiers held);

// The key-down keys: Delete, Ctrl with the keypad minus, Insert, F1 to F12. The shift state
// is compared as a whole value, so Shift+Ctrl counts neither as Shift nor as Ctrl. Sets
// key_code to 0 when the key is consumed (Delete that clears).
void Text1_KeyDown(FormCore& form, std::uint16_t& key_code, int shift);

}  // namespace input
