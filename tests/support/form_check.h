#pragma once

#include <functional>
#include <string>

#include "tests/support/headless_form.h"

namespace support {

// The check the property test and the fuzzer make around every event, so both look for the
// same faults. Returns what went wrong, or "": an exception left the form; a box the program
// never shows; a fault box that changed the state; a state the calculator cannot be in (in any
// window of the chain); or, when `computes` and the display changed, a computed text that
// does not read back as itself.
std::string checked_event(HeadlessForm& form, const std::function<void()>& event, bool computes);

// Whether a typed character writes a computed number when it changes the display.
bool writes_number(char16_t code);

}  // namespace support
