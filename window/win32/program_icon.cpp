#include "window/win32/program_icon.h"

namespace window::win32 {

HICON program_icon() {
    return LoadIconW(GetModuleHandleW(nullptr), L"IDI_ICON1");
}

}  // namespace window::win32
