#include "input/form_core.h"

#include "input/clipboard_text.h"
#include "input/key_map.h"
#include "platform/runtime_error.h"

namespace input {

FormCore::FormCore(platform::Services& services, platform::Window& self, platform::Window& Form1,
                   platform::TextBox& Text1)
    : calculator(Text1, services),
      fkey_memory(Text1, services),
      memo(services),
      services(services),
      self(self),
      Form1(Form1),
      Text1(Text1) {}

FormCore::~FormCore() = default;

void FormCore::Form_Load() {
    calculator.Form_Load();
}

void FormCore::Text1_KeyPress(char16_t& key_ascii) {
    guarded([&] { input::Text1_KeyPress(*this, key_ascii); });
}

void FormCore::Text1_KeyDown(std::uint16_t& key_code, int shift) {
    guarded([&] { input::Text1_KeyDown(*this, key_code, shift); });
}

void FormCore::clr_Click() {
    calculator.clr_Click();
}
void FormCore::puls_Click() {
    calculator.puls_Click();
}
void FormCore::Command1_Click() {
    calculator.Command1_Click();
}
void FormCore::Command2_Click() {
    calculator.Command2_Click();
}
void FormCore::Command3_Click() {
    calculator.Command3_Click();
}
void FormCore::Command4_Click() {
    calculator.Command4_Click();
}
void FormCore::Command5_Click() {
    calculator.Command5_Click();
}

void FormCore::digit_entry(int digit) {
    // The text entered is the caption of the digit's hidden button, not a constant.
    calculator.digit_entry(self.digit_caption(digit));
}

void FormCore::decimal_point() {
    calculator.decimal_point();
}

void FormCore::end_program() {
    services.end_program();
}

void FormCore::sign() {
    calculator.sign();
}
void FormCore::square() {
    calculator.square();
}
void FormCore::cube() {
    calculator.cube();
}
void FormCore::times_628() {
    calculator.times_628();
}
void FormCore::circle_area() {
    calculator.circle_area();
}
void FormCore::sphere_volume() {
    calculator.sphere_volume();
}
void FormCore::random_number() {
    calculator.random_number();
}
void FormCore::binary_to_decimal() {
    calculator.binary_to_decimal();
}
void FormCore::decimal_to_binary() {
    calculator.decimal_to_binary();
}

void FormCore::enter_memo() {
    memo.enter_memo();
}
void FormCore::show_memo() {
    memo.show_memo();
}
void FormCore::date_time_message() {
    memo.date_time_message();
}

void FormCore::delete_last_character() {
    calculator.delete_last_character();
}
void FormCore::change_sign() {
    calculator.change_sign();
}
void FormCore::memory_store(int key_code) {
    fkey_memory.store(key_code);
}
void FormCore::memory_recall(int key_code) {
    fkey_memory.recall(key_code);
}
void FormCore::memory_show(int key_code) {
    fkey_memory.show(key_code);
}
void FormCore::memory_clear(int key_code) {
    fkey_memory.clear(key_code);
}
void FormCore::memory_clear_all() {
    fkey_memory.clear_all();
}

// The display text exactly as shown.
void FormCore::copy_display() {
    services.set_clipboard_text(Text1.text());
}

// Only one number in the display's grammar gets in, and it enters the chain like the random
// key: 5, +, paste 7, Enter shows 12. Anything else is refused with a beep.
void FormCore::paste_number() {
    const auto number = clipboard_number(services.clipboard_text());
    if (!number) {
        services.beep();
        return;
    }
    calculator.enter_number(*number);
}

}  // namespace input
