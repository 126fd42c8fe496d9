#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

#include "app/command_line.h"
#include "app/display_choice.h"
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

bool wayland_plugin_installed() {
    QStringList folders = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& folder : folders) {
        if (!QDir(folder + QStringLiteral("/platforms"))
                 .entryList({QStringLiteral("libqwayland*")})
                 .isEmpty()) {
            return true;
        }
    }
    return false;
}

// While Qt opens the platform its messages are held back. When none opens, Kirune's own line
// says why, in place of Qt's warnings and its hint to reinstall; when one opens, they go on to
// Qt's handler as they came.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
app::Displays displays;
std::vector<HeldMessage> held;

void while_opening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs((app::no_window_message(displays) + "\n").c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.file, context.function, context.category, context.line, text});
}

}  // namespace

int main(int argc, char** argv) {
    // --version and --help answer without a display.
    if (const auto status = app::handle_command_line(argc, argv, std::cout, std::cerr)) {
        return *status;
    }
    const bool choosing = !platform_chosen(argc, argv);
    QtMessageHandler qt_handler = nullptr;
    if (choosing) {
        displays.x = qEnvironmentVariable("DISPLAY").toStdString();
        displays.wayland = qEnvironmentVariable("WAYLAND_DISPLAY").toStdString();
        displays.wayland_plugin = !displays.wayland.empty() && wayland_plugin_installed();
        const std::string order = app::platform_order(displays);
        if (order.empty()) {
            std::fputs((app::no_window_message(displays) + "\n").c_str(), stderr);
            return 1;
        }
        // A list: Qt opens the first of them that it can.
        qputenv("QT_QPA_PLATFORM", order.c_str());
        qt_handler = qInstallMessageHandler(while_opening);
    }

    QApplication application(argc, argv);
    if (choosing) {
        qInstallMessageHandler(qt_handler);
        for (const HeldMessage& m : held) {
            const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                             m.category.constData());
            qt_message_output(m.type, context, m.text);
        }
        held.clear();
    }
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
