#pragma once

#include <windows.h>

namespace window::win32 {

// Gives the window the name a screen reader calls it by, whatever its caption: the caption
// turns into a ticking clock, which would make the name chatter. Uses the system's annotation
// service (IAccPropServices), loaded on first use so that start-up does not wait for COM.
// Without the service the window keeps the name its caption gives.
void keep_accessible_name(HWND window, const wchar_t* name);

}  // namespace window::win32
