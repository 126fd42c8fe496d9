#include "platform/random_sequence.h"

#include <chrono>
#include <cstdint>

namespace platform {

void RandomSequence::seed_from_clock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine.seed(seed);
}

float RandomSequence::next() {
    // 24 bits fill a float's mantissa exactly: the largest value is 1 - 2^-24, never 1.
    constexpr float scale = 1.0F / 16777216.0F;
    return static_cast<float>(engine() >> 8) * scale;
}

}  // namespace platform
