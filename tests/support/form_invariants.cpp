#include "tests/support/form_invariants.h"

#include <cmath>
#include <string_view>

#include "engine/operation_names.h"

namespace support {

namespace {

using platform::Variant;

std::string describe(const Variant& value) {
    static constexpr const char* kinds[] = {"Empty", "Integer", "Double", "String", "Boolean"};
    return std::string(kinds[value.index()]) + " \"" + platform::text_of(value) + "\"";
}

bool is_empty_mark(const Variant& value) {
    if (std::holds_alternative<platform::Empty>(value)) {
        return true;
    }
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && text->empty();
}

bool is_operation_name(const Variant& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && (*text == engine::tasu || *text == engine::hiku ||
                               *text == engine::kakeru || *text == engine::waru);
}

bool contains_no_number_word(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos;
}

// Only actions write the display: digits, a point, a sign, and number texts with an exponent.
bool is_display_text(std::string_view text) {
    return text.find_first_not_of("0123456789.-+E") == std::string_view::npos &&
           contains_no_number_word(text);
}

}  // namespace

std::string state_problem(const HeadlessForm& form) {
    const auto& calculator = form.core.calculator;
    const Variant& op_mark = calculator.op_mark;
    const Variant& pending_op = calculator.pending_op;
    for (const Variant* mark : {&op_mark, &pending_op}) {
        if (!is_empty_mark(*mark) && !is_operation_name(*mark)) {
            return "a mark holds something but empty or an operation name: " + describe(*mark);
        }
    }
    if (!is_empty_mark(op_mark) && op_mark != pending_op) {
        return "op_mark is neither empty nor pending_op: " + describe(op_mark) + " / " +
               describe(pending_op);
    }
    const Variant& operand = calculator.operand;
    if (!(std::holds_alternative<std::string>(operand) ||
          operand == Variant{platform::Integer{0}})) {
        return "operand is neither the Integer 0 nor a String: " + describe(operand);
    }
    if (!is_display_text(form.display())) {
        return "the display holds no number text: " + form.display();
    }
    for (int key = engine::MemoryRegisters::first_key; key <= engine::MemoryRegisters::last_key;
         ++key) {
        const Variant& value = form.core.fkey_memory[key];
        const bool ok =
            std::holds_alternative<platform::Empty>(value) ||
            value == Variant{platform::Integer{0}} ||
            (std::holds_alternative<double>(value) && std::isfinite(std::get<double>(value)));
        if (!ok) {
            return "register " + std::to_string(key) +
                   " is not Empty, a finite Double or the Integer 0: " + describe(value);
        }
    }
    for (const float length : {form.left(), form.top(), form.width(), form.height()}) {
        if (!std::isfinite(length)) {
            return "a window length is not finite: " + std::to_string(length);
        }
    }
    return "";
}

}  // namespace support
