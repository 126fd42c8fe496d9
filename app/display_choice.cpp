#include "app/display_choice.h"

namespace app {

std::string platform_order(const Displays& displays) {
    if (displays.x.empty()) {
        return displays.wayland.empty() ? "" : "wayland";
    }
    return displays.wayland.empty() ? "xcb" : "xcb;wayland";
}

std::string no_window_message(const Displays& displays) {
    if (displays.x.empty() && displays.wayland.empty()) {
        return "kirune: no display found (DISPLAY is not set); run it on a desktop, or headless "
               "with: xvfb-run -a kirune";
    }
    std::string message = "kirune: no window can open: ";
    message += displays.x.empty() ? "DISPLAY is not set"
                                  : "the X display " + displays.x + " cannot be reached";
    if (!displays.wayland.empty()) {
        message += displays.wayland_plugin
                       ? ", nor the Wayland display " + displays.wayland
                       : ", and Qt's Wayland plugin is not installed (install qt6-wayland)";
    }
    return message;
}

}  // namespace app
