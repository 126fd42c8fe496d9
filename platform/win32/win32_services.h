#pragma once

#include <windows.h>

#include "platform/services.h"

namespace platform::win32 {

// The program's services on Win32: MessageBoxW, the memo's input dialog, MessageBeep, the
// user's locale for dates and times, the Win32 clipboard. One per program, created in
// wWinMain before the first window. A box belongs to the active window, which is the
// calculator window whose key opened it: it is modal to that window and stays in front of it.
class Win32Services : public Services {
public:
    Win32Services() = default;
    ~Win32Services() override;
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;

    void message_box(std::string_view message, BoxStyle style, std::string_view title) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override;
    void beep() override;
    std::string now_text() override;
    void end_program() override;
    // end_program does not return: the process is gone.
    bool program_ending() const override { return false; }
    std::string clipboard_text() override;
    void set_clipboard_text(std::string_view text) override;

private:
    bool open_clipboard();

    // Owns what the program puts on the clipboard: with no owner, SetClipboardData fails.
    HWND clipboard_owner = nullptr;
};

}  // namespace platform::win32
