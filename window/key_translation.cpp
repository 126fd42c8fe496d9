#include "window/key_translation.h"

#include <array>

namespace window {

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

// A Japanese input method may send digits and operators in their full-width forms; they are
// the calculator's keys all the same.
char16_t ascii_form(char16_t c) {
    if (c >= u'０' && c <= u'９') {
        return static_cast<char16_t>(u'0' + (c - u'０'));
    }
    switch (c) {
        case u'．':
            return u'.';
        case u'＋':
            return u'+';
        case u'－':
            return u'-';
        case u'＊':
            return u'*';
        case u'／':
            return u'/';
        default:
            return c;
    }
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

int shift_state(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift |= 4;
    }
    return shift;
}

std::optional<char16_t> typed_character(int key, Qt::KeyboardModifiers modifiers,
                                        const QString& text) {
    const auto held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::ControlModifier) {
        // Ctrl with C, T or V types its control character, as on the classic desktop; the
        // other Ctrl strokes type nothing (Ctrl+H must not clear, Ctrl+M not compute).
        switch (key) {
            case Qt::Key_C:
                return char16_t{3};
            case Qt::Key_T:
                return char16_t{20};
            case Qt::Key_V:
                return char16_t{22};
            default:
                return std::nullopt;
        }
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return u'\r';
        case Qt::Key_Backspace:
            return u'\b';
        case Qt::Key_Escape:
            return char16_t{27};
        case Qt::Key_Space:
            return u' ';
        default:
            break;
    }
    // Some layouts put a decimal comma on the keypad; it is still the calculator's point.
    if (modifiers.testFlag(Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        return u'.';
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    // X11 gives Delete the text DEL and Tab a TAB; neither types a character on the display.
    const char16_t first = text.front().unicode();
    if (first < 32 || first == 127) {
        return std::nullopt;
    }
    return ascii_form(first);
}

}  // namespace window
