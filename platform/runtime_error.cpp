#include "platform/runtime_error.h"

#include "platform/texts.h"

namespace platform {

// An ASCII name for logs and test output; the user reads error_message instead.
const char* RuntimeError::what() const noexcept {
    switch (kind) {
        case ErrorKind::division_by_zero:
            return "division by zero";
        case ErrorKind::overflow:
            return "overflow";
        case ErrorKind::invalid_argument:
            return "invalid argument";
    }
    return "run-time error";
}

std::string_view error_message(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::division_by_zero:
            return division_by_zero_message;
        case ErrorKind::overflow:
            return overflow_message;
        case ErrorKind::invalid_argument:
            return invalid_argument_message;
    }
    return overflow_message;
}

}  // namespace platform
