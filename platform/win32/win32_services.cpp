#include "platform/win32/win32_services.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/win32/input_dialog.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

// A locale text of the given kind for the moment given: GetDateFormatEx or GetTimeFormatEx.
template <typename Format>
std::wstring locale_text(Format&& format) {
    wchar_t text[128] = {};
    const int length = format(text, static_cast<int>(std::size(text)));
    return length > 0 ? std::wstring(text) : std::wstring();
}

BOOL CALLBACK collect_window(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

Win32Services::~Win32Services() {
    if (clipboard_owner != nullptr) {
        DestroyWindow(clipboard_owner);
    }
}

void Win32Services::message_box(std::string_view message, BoxStyle style, std::string_view title) {
    // The styles are MessageBoxW's own: 16 MB_ICONHAND, 48 MB_ICONEXCLAMATION, 64
    // MB_ICONASTERISK, each with MB_OK (0).
    MessageBoxW(GetActiveWindow(), to_wide(message).c_str(), to_wide(title).c_str(),
                MB_OK | static_cast<UINT>(style));
}

std::string Win32Services::input_box(std::string_view prompt, std::string_view title,
                                     std::string_view default_text) {
    const auto answer =
        input_dialog(GetActiveWindow(), to_wide(prompt), to_wide(title), to_wide(default_text));
    return answer ? to_utf8(*answer) : std::string();
}

void Win32Services::beep() {
    MessageBeep(MB_OK);
}

// The user's short date and long time, as Windows writes them: "2026/12/06 9:07:02" on a
// Japanese Windows, "12/6/2026 9:07:02 AM" on a US one.
std::string Win32Services::now_text() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring date = locale_text([&](wchar_t* text, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, size,
                               nullptr);
    });
    const std::wstring time = locale_text([&](wchar_t* text, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, text, size);
    });
    return to_utf8(date + L' ' + time);
}

// At once: keys queued behind Esc reach no window, and no destructor of a form still on the
// call stack runs. The windows go first, so nothing stays on screen while the process ends.
void Win32Services::end_program() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&windows));
    for (const HWND window : windows) {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
    }
    ExitProcess(0);
}

// Another program (Wine's clipboard manager, a clipboard viewer) may hold the clipboard open
// for a moment: try a few times before giving up.
bool Win32Services::open_clipboard() {
    if (clipboard_owner == nullptr) {
        clipboard_owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(clipboard_owner)) {
            return true;
        }
        Sleep(5);
    }
    return false;
}

std::string Win32Services::clipboard_text() {
    if (!open_clipboard()) {
        return {};
    }
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Bounded by the block: another program's text need not end in a null.
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return to_utf8(text);
}

void Win32Services::set_clipboard_text(std::string_view text) {
    const std::wstring wide = to_wide(text);
    if (!open_clipboard()) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        // The clipboard owns the block once it is set; it is ours to free if it cannot be
        // locked or set.
        void* copy = GlobalLock(block);
        if (copy != nullptr) {
            std::memcpy(copy, wide.c_str(), bytes);
            GlobalUnlock(block);
        }
        if (copy == nullptr || SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

}  // namespace platform::win32
