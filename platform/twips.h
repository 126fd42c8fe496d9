#pragma once

#include <algorithm>
#include <cmath>

namespace platform {

// Lengths reach the windows in twips, 1440 to the inch. How many pixels that is depends on the
// DPI the window is drawn at: 15 twips to the device-independent pixel at 96 dpi, 7.5 at 192.
// Both window layers convert through this one rule.
class Twips {
public:
    explicit Twips(unsigned dpi) : per_pixel(1440.0F / static_cast<float>(dpi == 0 ? 96 : dpi)) {}

    // A position in pixels. The core computes positions freely (a fleeing window may run far
    // off the screen), but X11 coordinates are 16-bit: larger values would wrap.
    int position(float twips) const {
        if (std::isnan(twips)) {
            return 0;
        }
        return static_cast<int>(std::lround(std::clamp(twips / per_pixel, -32768.0F, 32767.0F)));
    }
    // A width or height in pixels: at least one, since X11 refuses an empty window.
    int size(float twips) const { return std::max(1, position(twips)); }
    float of(float pixels) const { return pixels * per_pixel; }

private:
    float per_pixel;
};

}  // namespace platform
