#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include <windows.h>

#include "platform/twips.h"
#include "platform/window.h"
#include "window/win32/accessibility.h"

namespace input {
class FormCore;
}

namespace window::win32 {

// The display's text as the core reads and writes it. The core's text is the register; the
// EDIT control only shows it, and is written at once so a box opened mid-action sees it.
class DisplayText : public platform::TextBox {
public:
    const std::string& text() const override { return value; }
    void set_text(std::string text) override { show(std::move(text), false); }
    void set_typed_text(std::string text) override { show(std::move(text), true); }

    HWND edit = nullptr;
    // Told of every change once the window is up.
    ScreenReader* screen_reader = nullptr;

private:
    void show(std::string text, bool typed);

    std::string value = "0";
    std::string shown = "0";
};

// Text1: the window's one visible control, an EDIT subclassed so that every key stroke and
// mouse event goes to the core's handlers. It never edits itself: no typing, paste, cut, undo,
// context menu or input method; what it shows changes only through DisplayText.
class Display {
public:
    Display() = default;
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    void create(HWND form);
    // Events reach the core from here on; before, and after detach, they are dropped.
    void attach(input::FormCore& core) { form_core = &core; }
    void detach() { form_core = nullptr; }
    void set_dpi(unsigned dpi) { scale = platform::Twips(dpi); }

    HWND handle() const { return shown_text.edit; }
    DisplayText& text_box() { return shown_text; }

private:
    static LRESULT CALLBACK subclass_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR id, DWORD_PTR self);
    bool handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    void key_down(UINT message, WPARAM key);
    void mouse(UINT message, WPARAM buttons, LPARAM at);

    DisplayText shown_text;
    input::FormCore* form_core = nullptr;
    platform::Twips scale{96};
};

}  // namespace window::win32
