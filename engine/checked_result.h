#pragma once

#include <cmath>

#include "platform/runtime_error.h"

namespace engine {

// The fault test every computed Double passes before it is written: a result beyond the
// double range (or an undefined one) is an overflow, thrown while the display and the state
// still hold their old values.
inline double checked_result(double result) {
    if (!std::isfinite(result)) {
        throw platform::RuntimeError(platform::ErrorKind::overflow);
    }
    return result;
}

}  // namespace engine
