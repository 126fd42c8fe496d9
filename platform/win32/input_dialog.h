#pragma once

#include <optional>
#include <string>

#include <windows.h>

namespace platform::win32 {

// The memo's input box: a small modal dialog with the prompt, one line of text, OK and Cancel,
// built in memory so that the program carries no dialog resource. The field starts with
// default_text selected. The text on OK; nothing on Cancel, Esc or the close box.
std::optional<std::wstring> input_dialog(HWND owner, const std::wstring& prompt,
                                         const std::wstring& title,
                                         const std::wstring& default_text);

}  // namespace platform::win32
