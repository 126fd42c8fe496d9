#include "input/key_map.h"

#include <algorithm>
#include <array>

namespace input {

namespace {

template <void (FormActions::*Method)()>
void call(FormActions& form) {
    (form.*Method)();
}

template <int Digit>
void digit(FormActions& form) {
    form.digit_entry(Digit);
}

using F = FormActions;

// One row per key, in code order. Backspace clears everything; Shift+Delete (a key-down key)
// removes one character.
constexpr std::array key_rows = {
    KeyRow{3, call<&F::copy_display>},          // Ctrl+C
    KeyRow{8, call<&F::clr_Click>},             // Backspace
    KeyRow{13, call<&F::Command4_Click>},       // Enter: equals
    KeyRow{20, call<&F::toggle_stay_on_top>},   // Ctrl+T
    KeyRow{22, call<&F::paste_number>},         // Ctrl+V
    KeyRow{27, call<&F::end_program>},          // Esc
    KeyRow{32, call<&F::clock_with_resize>},    // space
    KeyRow{u'*', call<&F::Command2_Click>},     // multiply
    KeyRow{u'+', call<&F::puls_Click>},         // add
    KeyRow{u'-', call<&F::Command1_Click>},     // subtract
    KeyRow{u'.', call<&F::decimal_point>},      //
    KeyRow{u'/', call<&F::Command3_Click>},     // divide
    KeyRow{u'0', digit<0>},                     //
    KeyRow{u'1', digit<1>},                     //
    KeyRow{u'2', digit<2>},                     //
    KeyRow{u'3', digit<3>},                     //
    KeyRow{u'4', digit<4>},                     //
    KeyRow{u'5', digit<5>},                     //
    KeyRow{u'6', digit<6>},                     //
    KeyRow{u'7', digit<7>},                     //
    KeyRow{u'8', digit<8>},                     //
    KeyRow{u'9', digit<9>},                     //
    KeyRow{u'a', call<&F::centre_window>},      //
    KeyRow{u'b', call<&F::binary_to_decimal>},  //
    KeyRow{u'c', call<&F::clr_Click>},          //
    KeyRow{u'd', call<&F::main_window_display_size>},
    KeyRow{u'e', call<&F::sign>},                  //
    KeyRow{u'f', call<&F::square>},                //
    KeyRow{u'g', call<&F::cube>},                  //
    KeyRow{u'h', call<&F::times_628>},             //
    KeyRow{u'i', call<&F::display_light_red>},     //
    KeyRow{u'j', call<&F::circle_area>},           //
    KeyRow{u'k', call<&F::sphere_volume>},         //
    KeyRow{u'l', call<&F::random_number>},         //
    KeyRow{u'm', call<&F::toggle_mouse_mode>},     //
    KeyRow{u'o', call<&F::display_light_yellow>},  // "n" is not a key
    KeyRow{u'p', call<&F::display_white>},         //
    KeyRow{u'q', call<&F::enter_memo>},            //
    KeyRow{u'r', call<&F::Command5_Click>},        // square root
    KeyRow{u's', call<&F::main_window_tiny>},      //
    KeyRow{u't', call<&F::date_time_message>},     //
    KeyRow{u'u', call<&F::display_button_face>},   //
    KeyRow{u'v', call<&F::decimal_to_binary>},     //
    KeyRow{u'w', call<&F::show_memo>},             //
    KeyRow{u'x', call<&F::end_program>},           //
    KeyRow{u'y', call<&F::clock_toggle>},          //
    KeyRow{u'z', call<&F::open_extra_window>},     //
};

static_assert(std::ranges::is_sorted(key_rows, {}, &KeyRow::code),
              "the key map is looked up by bisection");

}  // namespace

std::span<const KeyRow> key_map() {
    return key_rows;
}

void Text1_KeyPress(FormActions& form, char16_t& key_ascii) {
    const char16_t code = key_ascii;
    // Cancel first: the character must not reach the text box even if the action throws.
    key_ascii = 0;
    const auto row = std::ranges::lower_bound(key_rows, code, {}, &KeyRow::code);
    if (row != key_rows.end() && row->code == code) {
        row->action(form);
    }
}

void Text1_KeyDown(FormActions& form, std::uint16_t& key_code, int shift) {
    if (key_code == key_delete) {
        if (shift == shift_bit) {
            form.delete_last_character();
        } else {
            form.clr_Click();
            key_code = 0;
        }
    } else if (key_code == key_keypad_minus) {
        if (shift == ctrl_bit) {
            form.change_sign();
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
                form.memory_store(key_code);
                break;
            case shift_bit:
                form.memory_recall(key_code);
                break;
            case ctrl_bit:
                form.memory_show(key_code);
                break;
            case alt_bit:
                form.memory_clear(key_code);
                break;
            case ctrl_bit | alt_bit:
                form.memory_clear_all();
                break;
            default:  // Shift with Ctrl or Alt: nothing
                break;
        }
    }
}

}  // namespace input
