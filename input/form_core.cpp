#include "input/form_core.h"

#include <new>

#include "input/clipboard_text.h"
#include "input/key_down.h"
#include "input/key_map.h"
#include "input/texts.h"
#include "platform/identity.h"
#include "platform/runtime_error.h"

namespace input {

FormCore::FormCore(platform::Services& services, platform::Window& self, platform::TextBox& Text1,
                   const FormCore* opener)
    : calculator(Text1, services),
      fkey_memory(Text1, services),
      memo(services),
      services(services),
      self(self),
      Form1(opener != nullptr ? opener->Form1 : self),
      Text1(Text1),
      place_in_chain(opener != nullptr ? opener->place_in_chain + 1 : 1) {}

FormCore::~FormCore() = default;

std::string FormCore::accessible_description() const {
    if (place_in_chain == 1) {
        return {};
    }
    return std::to_string(place_in_chain) + std::string(further_window_description);
}

void FormCore::Form_Load() {
    calculator.Form_Load();
}

void FormCore::Text1_KeyPress(char16_t& key_ascii) {
    guarded([&] { input::Text1_KeyPress(*this, key_ascii); });
}

void FormCore::Text1_KeyDown(std::uint16_t& key_code, int shift) {
    guarded([&] { input::Text1_KeyDown(*this, key_code, shift); });
}

char16_t FormCore::key_stroke(std::uint16_t key_code, Modifiers held, char16_t typed,
                              ControlKeys control_keys) {
    last_key_code = key_code;
    last_shift = shift_state(held);
    // The key-down handler zeroing the code does not cancel the character.
    std::uint16_t code = key_code;
    Text1_KeyDown(code, last_shift);
    const char16_t left = stroke_character(typed, control_keys);
    // Alt+F4 keeps the meaning Windows gives it once its key-down has cleared register 4: the
    // window closes, on every desktop that lets the stroke reach the program.
    if (key_code == key_f1 + 3 && last_shift == alt_bit && !services.program_ending()) {
        window_closed();
    }
    return left;
}

char16_t FormCore::stroke_character(char16_t typed, ControlKeys control_keys) {
    // The program may have begun to end while the key-down ran (the main window closed while a
    // box the key-down opened was up): its windows are going, and no key may reach them.
    if (services.program_ending()) {
        return 0;
    }
    const auto character = typed_character(last_key_code, last_shift, typed, control_keys);
    if (!character) {
        return 0;
    }
    char16_t key_ascii = *character;
    Text1_KeyPress(key_ascii);
    return key_ascii;
}

void FormCore::report_fault(const std::exception_ptr& fault) noexcept {
    try {
        try {
            std::rethrow_exception(fault);
        } catch (const platform::RuntimeError& error) {
            services.report_runtime_error(error);
        } catch (const std::bad_alloc&) {
            services.message_box(out_of_memory_message, platform::BoxStyle::critical,
                                 platform::program_name);
        } catch (...) {
            services.message_box(internal_error_message, platform::BoxStyle::critical,
                                 platform::program_name);
        }
    } catch (...) {
        // The box itself failed (memory is still short): the event ends without it, and the
        // program goes on all the same.
    }
}

void FormCore::digit_entry(int digit) {
    // The text entered is the caption of the digit's hidden button, not a constant. The digit
    // buttons, zero to kyu, come first in the button rows: a digit is its button's row.
    calculator.digit_entry(self.button_caption(static_cast<std::size_t>(digit)));
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
