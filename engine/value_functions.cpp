#include <cmath>
#include <string>

#include "engine/calculator.h"
#include "engine/checked_result.h"
#include "platform/number_text.h"

namespace engine {

// Each function reads the shown value, computes into a local, tests it and only then writes:
// a fault leaves the old text. The operations are done in the order written, which decides
// the last bit of some results (k on 1 shows 4.18666666666667).

void Calculator::Command5_Click() {
    const double x = display_value();
    if (x < 0) {
        throw platform::RuntimeError(platform::ErrorKind::invalid_argument);
    }
    // sqrt(-0) is -0, which the Double text shows as "0".
    Text1.set_text(platform::double_text(std::sqrt(x)));
}

// The sign is an Integer, so it never shows a decimal point.
void Calculator::sign() {
    const double x = display_value();
    const platform::Integer s = x < 0 ? -1 : (x > 0 ? 1 : 0);
    Text1.set_text(platform::integer_text(s));
}

void Calculator::square() {
    Text1.set_text(platform::double_text(checked_result(std::pow(display_value(), 2.0))));
}

void Calculator::cube() {
    Text1.set_text(platform::double_text(checked_result(std::pow(display_value(), 3.0))));
}

// Circumference with pi taken as 3.14.
void Calculator::times_628() {
    Text1.set_text(platform::double_text(checked_result(display_value() * 6.28)));
}

// Area of a circle: x multiplied by itself, not raised to a power, then by 3.14.
void Calculator::circle_area() {
    const double x = display_value();
    Text1.set_text(platform::double_text(checked_result((x * x) * 3.14)));
}

// Volume of a sphere: x cubed, times 4/3, then times 3.14, in this order.
void Calculator::sphere_volume() {
    const double cubed = checked_result(std::pow(display_value(), 3.0));
    Text1.set_text(platform::double_text(checked_result(cubed * (4.0 / 3.0) * 3.14)));
}

// Acts like typing a new three-digit number: the shown text becomes the left operand in
// every state, so pressed while a second number is being typed it replaces the stored first
// operand by that partly typed number. pending_op is left alone.
void Calculator::random_number() {
    // Single arithmetic: r stays below 1, so r * 900 rounds down to at most 899 and the
    // result lies from 100 to 999. Drawn before anything is written.
    const float r = services.random_next();
    const float value = std::floor(r * 900.0F) + 100.0F;
    operand = Text1.text();
    Text1.set_text(platform::single_text(value));
    op_mark = std::string();
}

void Calculator::enter_number(std::string_view number_text) {
    // Read first: a number beyond the double range is the overflow fault, nothing written.
    const double value = platform::leading_number(number_text);
    operand = Text1.text();
    Text1.set_text(platform::double_text(value));
    op_mark = std::string();
}

}  // namespace engine
