#include "app/command_line.h"
#include "app/display_choice.h"

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The arguments, the status (nullopt: the calculator starts), how the output starts, the errors.
const std::tuple<std::vector<const char*>, std::optional<int>, std::string, std::string> cases[] = {
    {{"-platform", "xcb", "--version", "--bogus"}, 0, "Kirune 1.00\n", ""},
    {{"--help"}, 0, "使い方: kirune [Qt のオプション]\nUsage: kirune [Qt options]\n", ""},
    {{"-platform", "offscreen", "-style=fusion", "-reverse"}, std::nullopt, "", ""},
    {{"-title", "--version"}, std::nullopt, "", ""},  // a Qt option's value, not ours
    {{"--frobnicate", "--help"}, 2, "", "kirune: unknown argument '--frobnicate' (try --help)\n"},
    {{"-platform", "xcb", "extra"}, 2, "", "kirune: unknown argument 'extra' (try --help)\n"},
    {{"-styles"}, 2, "", "kirune: unknown argument '-styles' (try --help)\n"},
};

TEST(CommandLine, ArgumentsGiveStatusAndOutput) {
    for (const auto& [arguments, status, out_start, errors] : cases) {
        std::vector<const char*> argv{"kirune"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        SCOPED_TRACE(argv.back());
        std::ostringstream out, err;
        EXPECT_EQ(app::handle_command_line(int(argv.size()), argv.data(), out, err), status);
        EXPECT_EQ(out.str().substr(0, out_start.size()), out_start);
        EXPECT_EQ(out.str().empty(), out_start.empty());
        EXPECT_EQ(err.str(), errors);
    }
}

// DISPLAY, WAYLAND_DISPLAY, whether Qt's Wayland plugin is installed: the platforms Qt tries in
// turn, and what Kirune says when none opens.
const std::tuple<app::Displays, std::string, std::string> displays[] = {
    {{":0", "", false}, "xcb", "kirune: no window can open: the X display :0 cannot be reached"},
    {{":0", "wayland-0", true},
     "xcb;wayland",
     "kirune: no window can open: the X display :0 cannot be reached, nor the Wayland display "
     "wayland-0"},
    {{"", "wayland-0", false},
     "wayland",
     "kirune: no window can open: DISPLAY is not set, and Qt's Wayland plugin is not installed "
     "(install qt6-wayland)"},
    {{"", "", true},
     "",
     "kirune: no display found (DISPLAY is not set); run it on a desktop, or headless with: "
     "xvfb-run -a kirune"},
};

TEST(CommandLine, XFirstThenWaylandAndWhyNoWindowOpened) {
    for (const auto& [offered, order, message] : displays) {
        EXPECT_EQ(app::platform_order(offered), order) << message;
        EXPECT_EQ(app::no_window_message(offered), message);
    }
}

}  // namespace
