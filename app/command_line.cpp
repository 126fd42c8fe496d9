#include "app/command_line.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "platform/identity.h"

namespace app {

namespace {

// The options QGuiApplication, QApplication and the xcb plugin take out of
// argv themselves, with one dash or two. Those that take the next argument
// as their value are listed apart, since that value may start with a dash
// (-title --version sets a title; it does not ask for the version).
constexpr std::string_view qt_options_with_value[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "session",
    "display",
    "geometry",
    "title",
    "icon",
    "name",
    "style",
    "stylesheet",
    "visual",
    "ncols",
    "fn",
    "bg",
    "fg",
    "btn",
    "im",
    "inputstyle",
};
constexpr std::string_view qt_flags[] = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "cmap", "testability",
};
// Options Qt also accepts as -option=value, in one argument.
constexpr std::string_view qt_options_joined[] = {
    "style=",
    "stylesheet=",
    "qmljsdebugger=",
};

bool listed(std::span<const std::string_view> names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

bool starts_with_any(std::span<const std::string_view> prefixes, std::string_view name) {
    return std::ranges::any_of(
        prefixes, [name](std::string_view prefix) { return name.starts_with(prefix); });
}

void print_usage(std::ostream& out) {
    out << "使い方: kirune [Qt のオプション]\n"
           "Usage: kirune [Qt options]\n"
           "\n"
           "Kirune はキーボードで操作する小さな電卓です。独自の引数はありません。\n"
           "Kirune is a tiny keyboard-driven calculator with no arguments of its own.\n"
           "\n"
           "Qt のオプション (-platform xcb, -style fusion など) はそのまま Qt に渡します。\n"
           "Qt's own options, such as -platform xcb or -style fusion, are passed on to Qt.\n"
           "キーの一覧は README にあります。\n"
           "The keys are listed in the README.\n"
           "\n"
           "  -h, --help     この説明を表示 / show this help\n"
           "      --version  バージョンを表示 / show the version\n";
}

}  // namespace

std::optional<int> handle_command_line(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            out << platform::program_name << ' ' << platform::program_version << '\n';
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            print_usage(out);
            return 0;
        }
        std::string_view name = argument;
        if (name.starts_with("--")) {
            name.remove_prefix(2);
        } else if (name.starts_with("-")) {
            name.remove_prefix(1);
        } else {
            name = {};  // not an option at all
        }
        if (!name.empty() && listed(qt_options_with_value, name)) {
            ++i;  // its value belongs to Qt, whatever it looks like
            continue;
        }
        if (!name.empty() && (listed(qt_flags, name) || starts_with_any(qt_options_joined, name))) {
            continue;
        }
        err << "kirune: unknown argument '" << argument << "' (try --help)\n";
        return 2;
    }
    return std::nullopt;
}

}  // namespace app
