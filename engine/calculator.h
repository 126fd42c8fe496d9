#pragma once

#include <optional>
#include <string_view>

#include "platform/services.h"
#include "platform/variant.h"
#include "platform/window.h"

namespace engine {

// One window's calculator: number entry, the left-to-right operator chain, the value
// functions and the base conversions. It keeps no number of its own: every action reads the
// display text, computes, and writes text back. It knows nothing of keys or windows.
//
// Every action either completes or throws platform::RuntimeError before it writes anything.
// Key b rewrites the display to its absolute value before it checks the digits, on purpose.
class Calculator {
public:
    Calculator(platform::TextBox& Text1, platform::Services& services);

    // Empty until first assigned; afterwards a String: "" or an operation name.
    platform::Variant op_mark;
    platform::Variant pending_op;
    // The Integer 0 after start and clear, otherwise the display text of its time (a String).
    platform::Variant operand;

    void Form_Load();
    void clr_Click();

    // Number entry. The caption is the text of the digit's hidden button.
    void digit_entry(std::string_view caption);
    void decimal_point();

    // The operator chain: + - * / and equals.
    void puls_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // Value functions of the shown number.
    void Command5_Click();  // square root
    void sign();
    void square();
    void cube();
    void times_628();
    void circle_area();
    void sphere_volume();
    void random_number();
    // A number from outside (a paste), entered exactly like the random number: the shown text
    // becomes the left operand and the number, in its Double text, the display.
    void enter_number(std::string_view number_text);

    // Base conversions, shown in message boxes.
    void binary_to_decimal();
    void decimal_to_binary();

    // Editing keys.
    void delete_last_character();
    void change_sign();

private:
    void operator_step(std::string_view name);
    // The operation name a mark holds; nullopt for Empty or "".
    static std::optional<std::string_view> operation_name(const platform::Variant& mark);
    // The leading number of the display; throws overflow for a number beyond the double range.
    double display_value() const;

    platform::TextBox& Text1;
    platform::Services& services;
};

}  // namespace engine
