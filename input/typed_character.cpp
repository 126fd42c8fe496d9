#include "input/typed_character.h"

#include <array>

#include "input/key_down.h"

namespace input {

namespace {

// The Ctrl strokes that type a character on every platform.
struct ControlStroke {
    std::uint16_t key_code;
    char16_t typed;
};
constexpr std::array named_control_strokes{
    ControlStroke{'C', 3},
    ControlStroke{'T', 20},
    ControlStroke{'V', 22},
};

}  // namespace

char32_t ascii_form(char32_t code) {
    if (code >= U'０' && code <= U'９') {
        return U'0' + (code - U'０');
    }
    switch (code) {
        case U'．':
            return U'.';
        case U'＋':
            return U'+';
        case U'－':
            return U'-';
        case U'＊':
            return U'*';
        case U'／':
            return U'/';
        case U'Ｅ':
            return U'E';
        case U'\u3000':  // ideographic space
            return U' ';
        default:
            return code;
    }
}

std::optional<char16_t> typed_character(std::uint16_t key_code, int shift, char16_t typed,
                                        ControlKeys control_keys) {
    if ((shift & alt_bit) != 0) {
        return std::nullopt;
    }
    if ((shift & ctrl_bit) != 0) {
        if (control_keys == ControlKeys::platform) {
            if (typed != 0 && typed < 32) {
                return typed;
            }
            return std::nullopt;
        }
        if (shift == ctrl_bit) {
            for (const ControlStroke& stroke : named_control_strokes) {
                if (stroke.key_code == key_code) {
                    return stroke.typed;
                }
            }
        }
        return std::nullopt;
    }
    switch (key_code) {
        case key_backspace:
        case key_return:
        case key_escape:
        case key_space:
            return static_cast<char16_t>(key_code);
        case key_keypad_decimal:
            // Some layouts put a decimal comma on the keypad; it is still the calculator's point.
            return u'.';
        default:
            break;
    }
    // Tab, Delete and the other control characters type nothing on the display.
    if (typed < 32 || typed == 127) {
        return std::nullopt;
    }
    return static_cast<char16_t>(ascii_form(typed));
}

}  // namespace input
