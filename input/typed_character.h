#pragma once

#include <cstdint>
#include <optional>

namespace input {

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
