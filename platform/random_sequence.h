#pragma once

#include <random>

namespace platform {

// The random key's sequence, the same on every platform: seeded from the clock, it draws
// Singles in [0, 1). platform::Services holds one.
class RandomSequence {
public:
    void seed_from_clock();
    float next();

private:
    std::mt19937 engine;
};

}  // namespace platform
