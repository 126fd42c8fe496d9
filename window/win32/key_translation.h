#pragma once

#include "input/form_core.h"

namespace window::win32 {

// Turns a Win32 key stroke into the key-down event the display's handlers take. The key code is
// the message's own virtual-key code; only the modifiers are read here.

// Shift, Ctrl and Alt as the keyboard stood when the stroke was queued.
input::Modifiers held_modifiers();

}  // namespace window::win32
