#include "window/win32/display.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include "input/form_core.h"
#include "platform/texts.h"
#include "platform/win32/wide_text.h"
#include "window/win32/key_translation.h"

namespace window::win32 {

namespace {

// What a message the display took for itself answers: its frame is client area, a cursor it set
// and an X button it took say TRUE.
LRESULT taken_result(UINT message) {
    switch (message) {
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_SETCURSOR:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
            return TRUE;
        default:
            return 0;
    }
}

}  // namespace

// A text equal to the one shown is not set again: a screen reader would hear it twice.
void DisplayText::show(std::string text, bool typed) {
    value = std::move(text);
    if (value == shown) {
        return;
    }
    shown = value;
    const std::wstring wide = platform::win32::to_wide(shown);
    if (edit != nullptr) {
        SetWindowTextW(edit, wide.c_str());
    }
    if (screen_reader != nullptr) {
        screen_reader->display_changed(edit, wide, typed);
    }
}

void Display::create(HWND form) {
    // Screen readers name a text box after the label created just before it.
    CreateWindowExW(0, L"STATIC", platform::win32::to_wide(platform::display_name).c_str(),
                    WS_CHILD, 0, 0, 0, 0, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Right-aligned like a calculator's register; ES_AUTOHSCROLL shows the end of a long text.
    shown_text.edit =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL, 0, 0, 0, 0,
                        form, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(shown_text.edit, subclass_proc, 0, reinterpret_cast<DWORD_PTR>(this));
    // No input method: it would compose text in the control behind the key map's back.
    ImmAssociateContextEx(shown_text.edit, nullptr, 0);
}

LRESULT CALLBACK Display::subclass_proc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, subclass_proc, 0);
    } else if (reinterpret_cast<Display*>(self)->handle_message(message, wparam, lparam)) {
        return taken_result(message);
    }
    return DefSubclassProc(edit, message, wparam, lparam);
}

// True when the message is the program's alone and the EDIT control must not see it.
bool Display::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            key_down(message, wparam);
            return true;
        case WM_CHAR:
            if (form_core != nullptr) {
                form_core->stroke_character(static_cast<char16_t>(wparam),
                                            input::ControlKeys::platform);
            }
            return true;
        // An Alt stroke types nothing, and the menu keys (Alt, F10) open no menu loop.
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CONTEXTMENU:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case WM_MOUSEWHEEL:
            return true;
        case WM_NCHITTEST:
            // The EDIT's 2-pixel frame (WS_EX_CLIENTEDGE) is display too, as the whole line edit
            // is on Qt: over it, moves and presses arrive as client messages instead of
            // WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN ..., in client coordinates that run below 0 on
            // the left and top edges, and reach the handlers with the window-relative twips.
            return true;
        case WM_SETCURSOR:
            // The ordinary arrow, not the text-entry beam: the display is no place to type.
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second press of a double click pulls the window too
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP:
            mouse(message, wparam, lparam);
            return true;
        default:
            return false;
    }
}

// Ctrl+H, Ctrl+M and Ctrl+[ type 8, 13 and 27 here, as everywhere on Windows.
void Display::key_down(UINT message, WPARAM key) {
    // TranslateMessage queued this stroke's character before the key-down was dispatched.
    // Taken now, the key-press follows its key-down within the one event, as on Qt, even when
    // the key-down opens a box whose message loop would otherwise deliver the character. An
    // Alt stroke's character (WM_SYSCHAR) types nothing.
    MSG typed{};
    const UINT char_message = message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    const bool has_char = PeekMessageW(&typed, handle(), char_message, char_message, PM_REMOVE);
    const auto key_code = static_cast<std::uint16_t>(key);
    if (form_core != nullptr) {
        form_core->key_stroke(
            key_code, held_modifiers(),
            has_char && message == WM_KEYDOWN ? static_cast<char16_t>(typed.wParam) : char16_t{0},
            input::ControlKeys::platform);
    }
}

void Display::mouse(UINT message, WPARAM buttons, LPARAM at) {
    // From the window's top left corner, where the display's frame begins, as in the Qt
    // window: a press at the window's centre pulls it nowhere.
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    MapWindowPoints(handle(), GetParent(handle()), &point, 1);
    const float x = scale.of(point.x);
    const float y = scale.of(point.y);
    switch (message) {
        case WM_MOUSEMOVE:
            if (form_core != nullptr) {
                form_core->Text1_MouseMove(x, y);
            }
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP:
            // The pull keeps the pointer while any button is held, even off the window.
            if ((buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) ==
                0) {
                ReleaseCapture();
            }
            if (form_core != nullptr) {
                form_core->Text1_MouseUp();
            }
            return;
        default:
            SetCapture(handle());
            if (form_core != nullptr) {
                form_core->Text1_MouseDown(x, y);
            }
            return;
    }
}

}  // namespace window::win32
