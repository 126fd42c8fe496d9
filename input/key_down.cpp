#include "input/key_down.h"

#include "input/form_core.h"

namespace input {

int shift_state(Modifiers held) {
    return (held.shift ? shift_bit : 0) | (held.ctrl ? ctrl_bit : 0) | (held.alt ? alt_bit : 0);
}

void Text1_KeyDown(FormCore& form, std::uint16_t& key_code, int shift) {
    if (key_code == key_delete) {
        if (shift == shift_bit) {
            form.calculator.delete_last_character();
        } else {
            form.calculator.clr_Click();
            key_code = 0;
        }
    } else if (key_code == key_keypad_minus) {
        if (shift == ctrl_bit) {
            form.calculator.change_sign();
        }
    } else if (key_code == key_insert) {
        // The clipboard keys of older desktops, besides Ctrl+C and Ctrl+V.
        if (shift == ctrl_bit) {
            form.copy_display();
        } else if (shift == shift_bit) {
            form.paste_number();
        }
    } else if (key_code >= key_f1 && key_code <= key_f12) {
        switch (shift) {
            case 0:
                form.fkey_memory.store(key_code);
                break;
            case shift_bit:
                form.fkey_memory.recall(key_code);
                break;
            case ctrl_bit:
                form.fkey_memory.show(key_code);
                break;
            case alt_bit:
                form.fkey_memory.clear(key_code);
                break;
            case ctrl_bit | alt_bit:
                form.fkey_memory.clear_all();
                break;
            default:  // Shift with Ctrl or Alt: nothing
                break;
        }
    }
}

}  // namespace input
