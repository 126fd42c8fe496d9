#pragma once

#include <array>

namespace platform {

// The calculator window as it was drawn, in twips: the window layers build it from this, and
// the keys that size the main window use its display's size.
inline constexpr float client_width = 1350.0F;
inline constexpr float client_height = 255.0F;
inline constexpr float display_width = 1350.0F;
inline constexpr float display_height = 250.0F;

struct ButtonRow {
    const char* name;
    const char* caption;  // UTF-8
    float left, top, width, height;
    bool own_font;  // the display's font; the last two keep the window's default
};

// All below the 255-twip client area: the buttons are never seen, and the keys call their
// click handlers. The digits' captions are what digit keys enter.
inline constexpr std::array<ButtonRow, 17> button_rows{{
    {"zero", "0", 0, 1200, 495, 240, true},
    {"iti", "1", 0, 960, 255, 240, true},
    {"ni", "2", 240, 960, 255, 240, true},
    {"san", "3", 480, 960, 255, 240, true},
    {"yon", "4", 0, 720, 255, 240, true},
    {"five", "5", 240, 720, 255, 240, true},
    {"roku", "6", 480, 720, 255, 240, true},
    {"nana", "7", 0, 480, 255, 240, true},
    {"hati", "8", 240, 480, 255, 240, true},
    {"kyu", "9", 480, 480, 255, 240, true},
    {"puls", "+", 720, 480, 360, 360, true},
    {"Command1", "-", 720, 840, 360, 360, true},
    {"Command2", "×", 1080, 480, 360, 360, true},
    {"Command3", "÷", 1080, 840, 360, 360, true},
    {"Command4", "＝", 720, 1200, 720, 240, true},
    {"clr", "ｃ", 960, 1560, 240, 240, false},
    {"Command5", "√", 1440, 600, 375, 375, false},
}};

}  // namespace platform
