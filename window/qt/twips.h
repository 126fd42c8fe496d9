#pragma once

#include "platform/twips.h"

namespace window::qt {

// Qt works in device-independent pixels and scales them itself (QT_SCALE_FACTOR), so its
// windows always convert at 96 dpi: 15 twips to the pixel.
inline constexpr float twips_per_pixel = 15.0F;

inline int position_pixels(float twips) {
    return platform::Twips(96).position(twips);
}

inline int size_pixels(float twips) {
    return platform::Twips(96).size(twips);
}

inline float twips(int pixels) {
    return platform::Twips(96).of(pixels);
}

}  // namespace window::qt
