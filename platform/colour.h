#pragma once

#include <cstdint>
#include <variant>

namespace platform {

// Colours are 0x00BBGGRR, or 0x80000000 plus the index of a system colour.
inline constexpr int button_face_index = 15;
inline constexpr std::uint32_t button_face_colour = 0x80000000U | button_face_index;

struct Rgb {
    std::uint8_t red, green, blue;
};
struct SystemColour {
    int index;
};

// A colour as a window system takes it: its red, green and blue, or the system colour it names.
inline std::variant<Rgb, SystemColour> decoded_colour(std::uint32_t colour) {
    if ((colour & 0x80000000U) != 0) {
        return SystemColour{static_cast<int>(colour & 0xFFU)};
    }
    return Rgb{static_cast<std::uint8_t>(colour & 0xFFU),
               static_cast<std::uint8_t>((colour >> 8) & 0xFFU),
               static_cast<std::uint8_t>((colour >> 16) & 0xFFU)};
}

}  // namespace platform
