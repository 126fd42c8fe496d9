#include <string>

#include "engine/calculator.h"
#include "engine/checked_result.h"
#include "engine/operation_names.h"
#include "platform/number_text.h"

namespace engine {

namespace {

// The left operand is the stored text of its time, the right one the display:
// 9 - 4 = 5, 8 / 2 = 4.
double apply(std::string_view operation, double a, double b) {
    if (operation == tasu) {
        return a + b;
    }
    if (operation == hiku) {
        return a - b;
    }
    if (operation == kakeru) {
        return a * b;
    }
    // 0 / 0 is reported like any other division by zero.
    if (b == 0) {
        throw platform::RuntimeError(platform::ErrorKind::division_by_zero);
    }
    return a / b;
}

}  // namespace

// One procedure for + - * / and equals. It computes only when a second number was started
// since the last operator, so of two operators in a row the last one wins (5 + - 3 = 2),
// and a value put into the display by a function or a recall right after an operator is
// not taken as the second number.
void Calculator::operator_step(std::string_view name) {
    const auto operation = operation_name(pending_op);
    if (platform::equals_text(op_mark, "") && operation) {
        const double b = display_value();
        const double a = platform::leading_number(platform::text_of(operand));
        Text1.set_text(platform::double_text(checked_result(apply(*operation, a, b))));
    }
    op_mark = std::string(name);
    pending_op = std::string(name);
}

void Calculator::puls_Click() {
    operator_step(tasu);
}
void Calculator::Command1_Click() {
    operator_step(hiku);
}
void Calculator::Command2_Click() {
    operator_step(kakeru);
}
void Calculator::Command3_Click() {
    operator_step(waru);
}
// Equals completes like an operator and leaves nothing pending.
void Calculator::Command4_Click() {
    operator_step("");
}

}  // namespace engine
