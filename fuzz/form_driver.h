#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tests/support/headless_form.h"

namespace fuzz {

// Runs an input of bytes as events on a chain of headless windows that begins with main (see
// the opcodes in form_driver.cpp), checking around every event that nothing escaped the form,
// every typed character was cancelled, every box is one the program shows, a fault changed
// nothing, no window changed once the program began to end, the display was typed or written
// as the key does it, and each window's state is one the calculator can be in. Returns the
// first fault found, or "". The fuzzer and the property test run the same driver.
std::string run_events(support::HeadlessForm& main, std::span<const std::uint8_t> input);

}  // namespace fuzz
