#pragma once

namespace input {

// Every action a key can start on one window. The key map and the key-down handler call
// these and nothing else, so a fake can record which action a key reached.
class FormActions {
public:
    virtual ~FormActions() = default;

    // The hidden buttons' click handlers: a key and its button are one action.
    virtual void clr_Click() = 0;
    virtual void puls_Click() = 0;
    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
    virtual void Command3_Click() = 0;
    virtual void Command4_Click() = 0;
    virtual void Command5_Click() = 0;

    virtual void digit_entry(int digit) = 0;
    virtual void decimal_point() = 0;
    virtual void end_program() = 0;

    // Value functions and conversions.
    virtual void sign() = 0;
    virtual void square() = 0;
    virtual void cube() = 0;
    virtual void times_628() = 0;
    virtual void circle_area() = 0;
    virtual void sphere_volume() = 0;
    virtual void random_number() = 0;
    virtual void binary_to_decimal() = 0;
    virtual void decimal_to_binary() = 0;

    // Window keys.
    virtual void clock_with_resize() = 0;         // space
    virtual void clock_toggle() = 0;              // y
    virtual void centre_window() = 0;             // a
    virtual void main_window_display_size() = 0;  // d
    virtual void main_window_tiny() = 0;          // s
    virtual void display_light_red() = 0;         // i
    virtual void display_light_yellow() = 0;      // o
    virtual void display_white() = 0;             // p
    virtual void display_button_face() = 0;       // u
    virtual void toggle_mouse_mode() = 0;         // m
    virtual void open_extra_window() = 0;         // z

    // Memo and messages.
    virtual void enter_memo() = 0;         // q
    virtual void show_memo() = 0;          // w
    virtual void date_time_message() = 0;  // t

    // Beyond the letter keys: control characters no key above uses.
    virtual void copy_display() = 0;        // Ctrl+C, Ctrl+Insert
    virtual void paste_number() = 0;        // Ctrl+V, Shift+Insert
    virtual void toggle_stay_on_top() = 0;  // Ctrl+T

    // Key-down keys. key_code is the function key's code, 112 (F1) to 123 (F12).
    virtual void delete_last_character() = 0;
    virtual void change_sign() = 0;
    virtual void memory_store(int key_code) = 0;
    virtual void memory_recall(int key_code) = 0;
    virtual void memory_show(int key_code) = 0;
    virtual void memory_clear(int key_code) = 0;
    virtual void memory_clear_all() = 0;
};

}  // namespace input
