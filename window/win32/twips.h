#pragma once

#include <algorithm>
#include <cmath>

namespace window::win32 {

// Lengths reach the window in twips, 1440 to the inch. How many pixels that is depends on the
// DPI of the monitor the window is on: 15 twips to the pixel at 96 dpi, 7.5 at 192.
class Twips {
public:
    explicit Twips(unsigned dpi) : per_pixel(1440.0F / static_cast<float>(dpi == 0 ? 96 : dpi)) {}

    // A position in pixels. The core computes positions freely (a fleeing window may run far
    // off the screen); Wine's X11 coordinates are 16-bit, and larger values would wrap.
    int position(float twips) const {
        if (std::isnan(twips)) {
            return 0;
        }
        return static_cast<int>(std::lround(std::clamp(twips / per_pixel, -32768.0F, 32767.0F)));
    }
    // A width or height in pixels: at least one, as in the Qt window.
    int size(float twips) const { return std::max(1, position(twips)); }
    float of(int pixels) const { return static_cast<float>(pixels) * per_pixel; }

private:
    float per_pixel;
};

}  // namespace window::win32
