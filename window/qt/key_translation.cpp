#include "window/qt/key_translation.h"

#include <array>

namespace window::qt {

namespace {

struct CodeRow {
    int key;
    std::uint16_t code;
};

// Keys whose code does not depend on the keyboard layout. Letters, digits and function keys
// are ranges and are handled below.
constexpr std::array main_codes{
    CodeRow{Qt::Key_Backspace, 8},
    CodeRow{Qt::Key_Tab, 9},
    CodeRow{Qt::Key_Backtab, 9},
    CodeRow{Qt::Key_Clear, 12},
    CodeRow{Qt::Key_Return, 13},
    CodeRow{Qt::Key_Enter, 13},
    CodeRow{Qt::Key_Shift, 16},
    CodeRow{Qt::Key_Control, 17},
    CodeRow{Qt::Key_Alt, 18},
    CodeRow{Qt::Key_Pause, 19},
    CodeRow{Qt::Key_CapsLock, 20},
    CodeRow{Qt::Key_Escape, 27},
    CodeRow{Qt::Key_Space, 32},
    CodeRow{Qt::Key_PageUp, 33},
    CodeRow{Qt::Key_PageDown, 34},
    CodeRow{Qt::Key_End, 35},
    CodeRow{Qt::Key_Home, 36},
    CodeRow{Qt::Key_Left, 37},
    CodeRow{Qt::Key_Up, 38},
    CodeRow{Qt::Key_Right, 39},
    CodeRow{Qt::Key_Down, 40},
    CodeRow{Qt::Key_Print, 44},
    CodeRow{Qt::Key_Insert, 45},
    CodeRow{Qt::Key_Delete, 46},
    CodeRow{Qt::Key_Menu, 93},
    CodeRow{Qt::Key_NumLock, 144},
    CodeRow{Qt::Key_ScrollLock, 145},
    // The punctuation keys of the US layout; other layouts move them, and nothing relies on them.
    CodeRow{Qt::Key_Semicolon, 186},
    CodeRow{Qt::Key_Equal, 187},
    CodeRow{Qt::Key_Plus, 187},
    CodeRow{Qt::Key_Comma, 188},
    CodeRow{Qt::Key_Minus, 189},
    CodeRow{Qt::Key_Period, 190},
    CodeRow{Qt::Key_Slash, 191},
    CodeRow{Qt::Key_QuoteLeft, 192},
    CodeRow{Qt::Key_BracketLeft, 219},
    CodeRow{Qt::Key_Backslash, 220},
    CodeRow{Qt::Key_BracketRight, 221},
    CodeRow{Qt::Key_Apostrophe, 222},
};

// The numeric keypad. With Num Lock off its digit keys arrive as Home, Up, ... and take the
// codes of those keys from the table above.
constexpr std::array keypad_codes{
    CodeRow{Qt::Key_Asterisk, 106}, CodeRow{Qt::Key_Plus, 107},  CodeRow{Qt::Key_Minus, 109},
    CodeRow{Qt::Key_Period, 110},   CodeRow{Qt::Key_Comma, 110}, CodeRow{Qt::Key_Slash, 111},
    CodeRow{Qt::Key_Enter, 13},
};

template <std::size_t N>
std::optional<std::uint16_t> look_up(const std::array<CodeRow, N>& rows, int key) {
    for (const CodeRow& row : rows) {
        if (row.key == key) {
            return row.code;
        }
    }
    return std::nullopt;
}

}  // namespace

std::uint16_t key_code(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return static_cast<std::uint16_t>((keypad ? 96 : 48) + digit);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::uint16_t>(65 + (key - Qt::Key_A));
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::uint16_t>(112 + (key - Qt::Key_F1));
    }
    if (keypad) {
        if (const auto code = look_up(keypad_codes, key)) {
            return *code;
        }
    }
    return look_up(main_codes, key).value_or(0);
}

input::Modifiers held_modifiers(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

}  // namespace window::qt
