#pragma once

#include <algorithm>
#include <cmath>

namespace window {

// Lengths reach the windows in twips, 15 to a device-independent pixel at 96 dpi.
inline constexpr float twips_per_pixel = 15.0F;

// A position in pixels. The core computes positions freely (a fleeing window may run far off
// the screen), but X11 coordinates are 16-bit: larger values would wrap to the other side.
inline int position_pixels(float twips) {
    if (std::isnan(twips)) {
        return 0;
    }
    const float pixels = std::clamp(twips / twips_per_pixel, -32768.0F, 32767.0F);
    return static_cast<int>(std::lround(pixels));
}

// A width or height in pixels: at least one, since X11 refuses an empty window.
inline int size_pixels(float twips) {
    return std::max(1, position_pixels(twips));
}

inline float twips(int pixels) {
    return static_cast<float>(pixels) * twips_per_pixel;
}

}  // namespace window
