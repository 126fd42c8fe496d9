#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace input {

class FormCore;

struct KeyRow {
    char16_t code;
    void (*action)(FormCore&);
};

// The whole key map, in code order. Codes not in it (upper-case letters, "n", ...) do nothing.
std::span<const KeyRow> key_map();

// Runs the action of a typed character and cancels the character: on return key_ascii is 0,
// so the text box never edits itself.
void Text1_KeyPress(FormCore& form, char16_t& key_ascii);

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

// The key-down keys: Delete, Ctrl with the keypad minus, Insert, F1 to F12. The shift state
// is compared as a whole value, so Shift+Ctrl counts neither as Shift nor as Ctrl. Sets
// key_code to 0 when the key is consumed (Delete that clears).
void Text1_KeyDown(FormCore& form, std::uint16_t& key_code, int shift);

// The full-width form of a digit, point, + - * / or E as its ASCII character, and the
// ideographic space as a blank: a Japanese input method types these for the same keys. Any
// other character comes back as it is.
char32_t ascii_form(char32_t code);

// Which Ctrl strokes type a character.
enum class ControlKeys {
    // Only Ctrl+C, Ctrl+T and Ctrl+V (3, 20, 22): on X11 desktops Ctrl+H must not clear and
    // Ctrl+M not compute.
    named,
    // The control character the platform typed, as Windows does (Ctrl+H 8, Ctrl+M 13, Ctrl+[ 27).
    platform,
};

// The character code a stroke hands to the key map, or nothing. key_code and shift are those
// of its key-down event; typed is the character the toolkit says it typed (0 for none). With
// Alt held, or with Ctrl on a printable character, a stroke types nothing, so Ctrl with the
// keypad minus changes the sign without also subtracting. The keypad's decimal key types the
// point whatever the layout puts on it.
std::optional<char16_t> typed_character(std::uint16_t key_code, int shift, char16_t typed,
                                        ControlKeys control_keys);

}  // namespace input
