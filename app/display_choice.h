#pragma once

#include <string>

namespace app {

// What the environment offers a window, read before Qt starts: the X display (DISPLAY), the
// Wayland compositor (WAYLAND_DISPLAY), empty when unset, and whether Qt's Wayland plugin is
// installed.
struct Displays {
    std::string x, wayland;
    bool wayland_plugin = false;
};

// The platforms for Qt to try in turn when the user chose none: X11 first, XWayland on a Wayland
// desktop, because only there may a window place itself ("a", the pull, the flight); Wayland when
// X cannot be reached. Empty when there is no display at all.
std::string platform_order(const Displays& displays);

// The one line that tells why no window could open, and what would help.
std::string no_window_message(const Displays& displays);

}  // namespace app
