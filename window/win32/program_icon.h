#pragma once

#include <windows.h>

namespace window::win32 {

// The program's icon from the icon resource of its .rc, in every size drawn. The task bar shows
// it for every window.
HICON program_icon();

}  // namespace window::win32
