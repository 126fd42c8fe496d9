#pragma once

#include <exception>
#include <string_view>

namespace platform {

// The faults the calculator can meet. They are thrown where the fault is found and
// caught once, by the form's event dispatch, which reports them and goes on.
enum class ErrorKind {
    division_by_zero,  // also 0 / 0
    overflow,          // a result or a read number beyond the double range
    invalid_argument,  // the square root of a negative value
};

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind) : kind(kind) {}
    const char* what() const noexcept override;

    ErrorKind kind;
};

// The text the user reads in the critical box for this fault.
std::string_view error_message(ErrorKind kind);

}  // namespace platform
