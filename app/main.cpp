#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <QApplication>

#include "app/command_line.h"
#include "platform/identity.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_text.h"
#include "window/qt/calculator_form.h"
#include "window/qt/program_icon.h"

namespace {

bool platform_chosen(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") != nullptr) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // --version and --help answer without a display.
    if (const auto status = app::handle_command_line(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    if (!platform_chosen(argc, argv)) {
        if (std::getenv("DISPLAY") != nullptr) {
            // On a Wayland desktop a window cannot place itself: "a", the pull of the mouse
            // and the fleeing window would do nothing. Its X11 compatibility layer allows it.
            qputenv("QT_QPA_PLATFORM", "xcb");
        } else if (std::getenv("WAYLAND_DISPLAY") == nullptr) {
            std::fputs(
                "kirune: no display found (DISPLAY is not set); run it on a desktop, or "
                "headless with: xvfb-run -a kirune\n",
                stderr);
            return 1;
        }
    }

    QApplication application(argc, argv);
    // No application display name: Qt would append it to every window and box title.
    QApplication::setApplicationName(platform::qt::to_qstring(platform::program_name));
    QApplication::setApplicationVersion(platform::qt::to_qstring(platform::program_version));
    QApplication::setWindowIcon(window::qt::program_icon());
    // Lets Wayland and desktop shells match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kirune.Kirune"));

    platform::qt::QtServices services;
    window::qt::CalculatorForm Form1(services);
    Form1.show();
    return QApplication::exec();
}
