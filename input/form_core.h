#pragma once

#include <cstdint>
#include <memory>

#include "engine/calculator.h"
#include "engine/memory_registers.h"
#include "input/form_actions.h"
#include "memo/memo.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/window.h"

namespace input {

// Everything one calculator window does, without a toolkit: its per-window state and the
// handlers of its events. The Qt window and the tests' headless form both drive this same
// object, so the tests run the code the window runs. The window only adapts: it turns toolkit
// events into these calls and implements platform::Window and platform::TextBox.
class FormCore : private FormActions {
public:
    // self is the window this core belongs to; Form1 is the main window (self, for the main
    // window itself), which size, caption and clock statements address from any window.
    FormCore(platform::Services& services, platform::Window& self, platform::Window& Form1,
             platform::TextBox& Text1);
    ~FormCore() override;

    // Events. Each runs to its end; a RuntimeError from any action is reported here, once,
    // and the program goes on with the state it had before the fault.
    void Form_Load();
    void Text1_KeyPress(char16_t& key_ascii);
    void Text1_KeyDown(std::uint16_t& key_code, int shift);
    // Pointer position inside the display, in twips.
    void Text1_MouseDown(float x, float y);
    void Text1_MouseMove(float x, float y);
    void Text1_MouseUp();
    void Timer1_Timer();

    // The window the code calls Form1.
    platform::Window& main_window() const { return Form1; }

    engine::Calculator calculator;  // op_mark, operand, pending_op
    engine::MemoryRegisters fkey_memory;
    memo::Memo memo;  // memo_text
    bool mouse_mode = false;
    std::unique_ptr<platform::Window> extra_window;

private:
    // The one place a fault is caught. Every action computes before it writes, so the window
    // keeps the state it had before the key, and the user can go on after the box.
    template <typename Action>
    void guarded(Action&& action) {
        try {
            action();
        } catch (const platform::RuntimeError& error) {
            services.report_runtime_error(error);
        }
    }

    // FormActions
    void clr_Click() override;
    void puls_Click() override;
    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;
    void Command5_Click() override;
    void digit_entry(int digit) override;
    void decimal_point() override;
    void end_program() override;
    void sign() override;
    void square() override;
    void cube() override;
    void times_628() override;
    void circle_area() override;
    void sphere_volume() override;
    void random_number() override;
    void binary_to_decimal() override;
    void decimal_to_binary() override;
    void clock_with_resize() override;
    void clock_toggle() override;
    void centre_window() override;
    void main_window_display_size() override;
    void main_window_tiny() override;
    void display_light_red() override;
    void display_light_yellow() override;
    void display_white() override;
    void display_button_face() override;
    void toggle_mouse_mode() override;
    void open_extra_window() override;
    void enter_memo() override;
    void show_memo() override;
    void date_time_message() override;
    void delete_last_character() override;
    void change_sign() override;
    void memory_store(int key_code) override;
    void memory_recall(int key_code) override;
    void memory_show(int key_code) override;
    void memory_clear(int key_code) override;
    void memory_clear_all() override;
    void copy_display() override;
    void paste_number() override;
    void toggle_stay_on_top() override;

    platform::Services& services;
    platform::Window& self;
    platform::Window& Form1;
    platform::TextBox& Text1;
};

}  // namespace input
