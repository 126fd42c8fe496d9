#include "engine/calculator.h"

#include <string>

#include "engine/operation_names.h"
#include "platform/number_text.h"

namespace engine {

Calculator::Calculator(platform::TextBox& Text1, platform::Services& services)
    : Text1(Text1), services(services) {}

// op_mark and pending_op stay Empty until first assigned; Empty already counts as "".
void Calculator::Form_Load() {
    operand = platform::Integer{0};
    services.randomize();
}

void Calculator::clr_Click() {
    Text1.set_text(platform::integer_text(0));
    operand = platform::Integer{0};
    op_mark = std::string();
    pending_op = std::string();
}

std::optional<std::string_view> Calculator::operation_name(const platform::Variant& mark) {
    for (const std::string_view name : {tasu, hiku, waru, kakeru}) {
        if (platform::equals_text(mark, name)) {
            return name;
        }
    }
    return std::nullopt;
}

double Calculator::display_value() const {
    return platform::leading_number(Text1.text());
}

// The first digit after an operator starts the second number: the shown text, exactly as it
// stands ("5." or "-3" included), becomes the left operand. Otherwise the digit is appended
// as a character, so after equals 2+3=5 followed by 1 shows 51.
void Calculator::digit_entry(std::string_view caption) {
    // op_mark holds a name: an operator was pressed last.
    if (operation_name(op_mark)) {
        operand = Text1.text();
        Text1.set_typed_text(std::string(caption));
        op_mark = std::string();
        return;
    }
    // A lone "0" is replaced, so no leading zero is ever built; "0." is extended.
    std::string text = Text1.text() == "0" ? std::string() : Text1.text();
    text += caption;
    Text1.set_typed_text(std::move(text));
}

// The point neither starts a new number nor replaces "0": right after an operator it is
// appended to the value still shown, which then becomes the left operand.
void Calculator::decimal_point() {
    const std::string& text = Text1.text();
    if (text.find('.') != std::string::npos) {
        services.beep();
        return;
    }
    Text1.set_typed_text(text + ".");
}

}  // namespace engine
