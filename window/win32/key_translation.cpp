#include "window/win32/key_translation.h"

#include <windows.h>

namespace window::win32 {

input::Modifiers held_modifiers() {
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace window::win32
