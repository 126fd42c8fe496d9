#include "input/key_map.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "input/form_core.h"

namespace input {

namespace {

template <int Digit>
void digit(FormCore& form) {
    form.digit_entry(Digit);
}

// Display colours as 0x00BBGGRR.
constexpr std::uint32_t light_red = 0x008080FF;
constexpr std::uint32_t light_yellow = 0x0080FFFF;
constexpr std::uint32_t white = 0x00FFFFFF;

using F = FormCore&;

// One row per key, in code order. Backspace clears everything; Shift+Delete (a key-down key)
// removes one character.
constexpr std::array key_rows = {
    KeyRow{3, [](F f) { f.copy_display(); }},  // Ctrl+C
    KeyRow{8, [](F f) { f.calculator.clr_Click(); }},
    KeyRow{13, [](F f) { f.calculator.Command4_Click(); }},  // Enter: equals
    KeyRow{20, [](F f) { f.window().set_stay_on_top(!f.window().stay_on_top()); }},  // Ctrl+T
    KeyRow{22, [](F f) { f.paste_number(); }},                                       // Ctrl+V
    KeyRow{27, [](F f) { f.end_program(); }},                                        // Esc
    KeyRow{32, [](F f) { f.clock_with_resize(); }},
    KeyRow{u'*', [](F f) { f.calculator.Command2_Click(); }},
    KeyRow{u'+', [](F f) { f.calculator.puls_Click(); }},
    KeyRow{u'-', [](F f) { f.calculator.Command1_Click(); }},
    KeyRow{u'.', [](F f) { f.calculator.decimal_point(); }},
    KeyRow{u'/', [](F f) { f.calculator.Command3_Click(); }},
    KeyRow{u'0', digit<0>},
    KeyRow{u'1', digit<1>},
    KeyRow{u'2', digit<2>},
    KeyRow{u'3', digit<3>},
    KeyRow{u'4', digit<4>},
    KeyRow{u'5', digit<5>},
    KeyRow{u'6', digit<6>},
    KeyRow{u'7', digit<7>},
    KeyRow{u'8', digit<8>},
    KeyRow{u'9', digit<9>},
    KeyRow{u'a', [](F f) { f.centre_window(); }},
    KeyRow{u'b', [](F f) { f.calculator.binary_to_decimal(); }},
    KeyRow{u'c', [](F f) { f.calculator.clr_Click(); }},
    KeyRow{u'd', [](F f) { f.main_window_display_size(); }},
    KeyRow{u'e', [](F f) { f.calculator.sign(); }},
    KeyRow{u'f', [](F f) { f.calculator.square(); }},
    KeyRow{u'g', [](F f) { f.calculator.cube(); }},
    KeyRow{u'h', [](F f) { f.calculator.times_628(); }},
    KeyRow{u'i', [](F f) { f.window().set_display_colour(light_red); }},
    KeyRow{u'j', [](F f) { f.calculator.circle_area(); }},
    KeyRow{u'k', [](F f) { f.calculator.sphere_volume(); }},
    KeyRow{u'l', [](F f) { f.calculator.random_number(); }},
    KeyRow{u'm', [](F f) { f.mouse_mode_toggle(); }},
    // "n" is not a key.
    KeyRow{u'o', [](F f) { f.window().set_display_colour(light_yellow); }},
    KeyRow{u'p', [](F f) { f.window().set_display_colour(white); }},
    KeyRow{u'q', [](F f) { f.memo.enter_memo(); }},
    KeyRow{u'r', [](F f) { f.calculator.Command5_Click(); }},  // square root
    KeyRow{u's', [](F f) { f.main_window_tiny(); }},
    KeyRow{u't', [](F f) { f.memo.date_time_message(); }},
    // Not the text box default: the button-face colour, on purpose.
    KeyRow{u'u', [](F f) { f.window().set_display_colour(platform::button_face_colour); }},
    KeyRow{u'v', [](F f) { f.calculator.decimal_to_binary(); }},
    KeyRow{u'w', [](F f) { f.memo.show_memo(); }},
    KeyRow{u'x', [](F f) { f.end_program(); }},
    KeyRow{u'y', [](F f) { f.clock_toggle(); }},
    KeyRow{u'z', [](F f) { f.open_extra_window(); }},
};

static_assert(std::ranges::is_sorted(key_rows, {}, &KeyRow::code),
              "the key map is looked up by bisection");

}  // namespace

std::span<const KeyRow> key_map() {
    return key_rows;
}

void Text1_KeyPress(FormCore& form, char16_t& key_ascii) {
    const char16_t code = key_ascii;
    // Cancel first: the character must not reach the text box even if the action throws.
    key_ascii = 0;
    const auto row = std::ranges::lower_bound(key_rows, code, {}, &KeyRow::code);
    if (row != key_rows.end() && row->code == code) {
        row->action(form);
    }
}

}  // namespace input
