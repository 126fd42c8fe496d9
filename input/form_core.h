#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "engine/calculator.h"
#include "engine/memory_registers.h"
#include "input/typed_character.h"
#include "memo/memo.h"
#include "platform/services.h"
#include "platform/window.h"

namespace input {

// The modifier keys held during a stroke, as the toolkit reports them.
struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Everything one calculator window does, without a toolkit: its per-window state and the
// handlers of its events. The Qt window, the Win32 window and the tests' headless form all
// drive this same object, so the tests run the code the windows run. A window only adapts: it
// turns toolkit events into these calls and implements platform::Window and platform::TextBox.
class FormCore {
public:
    // self is the window this core belongs to. opener is the core of the window whose "z"
    // opened it, none for the main window; its Form1, which size, caption and clock statements
    // address from any window, is the opener's main window (self, for the main window).
    FormCore(platform::Services& services, platform::Window& self, platform::TextBox& Text1,
             const FormCore* opener = nullptr);
    ~FormCore();

    // Events. Each runs to its end; a fault in any of them is shown in a box and the program
    // goes on with the state it had before the fault.
    void Form_Load();
    void Text1_KeyPress(char16_t& key_ascii);
    void Text1_KeyDown(std::uint16_t& key_code, int shift);
    // A key stroke as the toolkit delivered it: the key's code (of the Windows virtual-key set),
    // the modifiers held and the character the toolkit says it typed (0 for none). It raises
    // the key-down event, then, if the stroke types a character by the control_keys rule, the
    // key-press event. Once the program is ending the key-press no longer runs. Returns the
    // character the key-press left for the display to insert, 0 when it cancelled it: the key
    // map cancels every character, and the windows insert nothing themselves.
    char16_t key_stroke(std::uint16_t key_code, Modifiers held, char16_t typed,
                        ControlKeys control_keys);
    // A character the toolkit typed for the last stroke, its key-press alone, with key_stroke's
    // result. Windows sends a second character of one stroke on its own (a dead key before a key
    // it does not combine with).
    char16_t stroke_character(char16_t typed, ControlKeys control_keys);
    // Pointer position inside the display, in twips.
    void Text1_MouseDown(float x, float y);
    void Text1_MouseMove(float x, float y);
    void Text1_MouseUp();
    void Timer1_Timer();
    // The user closed the window (its close box, Alt+F4).
    void window_closed();

    // The window the code calls Form1, and this core's own window.
    platform::Window& main_window() const { return Form1; }
    platform::Window& window() const { return self; }
    // What a screen reader adds to the window's name, "Kirune": every window has that name and
    // opens in the same place, so a further one tells its place in the chain of "z" ("2 番目の
    // ウィンドウ"); the main window adds nothing.
    std::string accessible_description() const;

    // The actions of the keys that act on windows, the memo and the clipboard; the key map
    // reaches the calculator's own actions directly.
    void digit_entry(int digit);
    void clock_with_resize();                       // space
    void clock_toggle();                            // y
    void centre_window();                           // a
    void main_window_display_size();                // d
    void main_window_tiny();                        // s
    void mouse_mode_toggle();                       // m
    void open_extra_window();                       // z
    void copy_display();                            // Ctrl+C, Ctrl+Insert
    void paste_number();                            // Ctrl+V, Shift+Insert
    void end_program() { services.end_program(); }  // Esc, x

    // Whether the window flees the pointer, and the window its "z" opened (none yet).
    bool in_mouse_mode() const { return mouse_mode; }
    platform::Window* further_window() const { return extra_window.get(); }

    // The key map hands the calculator's keys, the registers' and the memo's to these
    // directly: each keeps its own state behind its own actions.
    engine::Calculator calculator;  // op_mark, operand, pending_op
    engine::MemoryRegisters fkey_memory;
    memo::Memo memo;  // memo_text

private:
    // Every event runs through here, and a fault is caught nowhere else but in one reading of
    // the editing keys (an overflowing display is "not 0" there). Every action computes before
    // it writes, so the window keeps the state it had before the key, and the user can go on
    // after the box. Nothing unwinds into the toolkit, out of memory included.
    template <typename Action>
    void guarded(Action&& action) {
        try {
            action();
        } catch (...) {
            report_fault(std::current_exception());
        }
    }
    void report_fault(const std::exception_ptr& fault) noexcept;

    platform::Services& services;
    bool mouse_mode = false;
    std::unique_ptr<platform::Window> extra_window;
    platform::Window& self;
    platform::Window& Form1;
    platform::TextBox& Text1;
    const int place_in_chain;  // 1 for the main window
    // The key-down a further character of a stroke belongs to.
    std::uint16_t last_key_code = 0;
    int last_shift = 0;
};

}  // namespace input
