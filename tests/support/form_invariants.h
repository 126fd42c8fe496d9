#pragma once

#include <string>

#include "tests/support/headless_form.h"

namespace support {

// What is wrong with a form's state after any event, or "" when nothing is: op_mark and
// pending_op hold only Empty, "" or an operation name, and op_mark is empty or equals
// pending_op; operand is the Integer 0 or a String; the display is a number text (never
// "inf" or "nan"); registers are Empty, a finite Double or the Integer 0; the window's lengths
// are finite. The property test and the fuzzer both check it after every event.
std::string state_problem(const HeadlessForm& form);

}  // namespace support
