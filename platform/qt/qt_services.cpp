#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/qt/date_time_text.h"
#include "platform/qt/qt_text.h"

namespace platform::qt {

namespace {

// The window a box belongs to, and the one that gets the keyboard back when it closes. Without
// a window manager nobody else would return it, and the next keys would go nowhere.
class BoxOwner {
public:
    BoxOwner() : window(QApplication::activeWindow()) {}
    ~BoxOwner() {
        if (window != nullptr && window->isVisible() && window->isEnabled()) {
            window->activateWindow();
        }
    }
    BoxOwner(const BoxOwner&) = delete;
    BoxOwner& operator=(const BoxOwner&) = delete;

    QWidget* get() const { return window; }

private:
    QPointer<QWidget> window;
};

QMessageBox::Icon box_icon(BoxStyle style) {
    switch (style) {
        case BoxStyle::critical:
            return QMessageBox::Critical;
        case BoxStyle::exclamation:
            return QMessageBox::Warning;
        case BoxStyle::information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtServices::message_box(std::string_view message, BoxStyle style, std::string_view title) {
    const BoxOwner owner;
    QMessageBox box(box_icon(style), to_qstring(title), to_qstring(message), QMessageBox::Ok,
                    owner.get());
    // A memo is the user's own text: "<b>" must show as typed, not turn the rest bold.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

std::string QtServices::input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) {
    const BoxOwner owner;
    bool accepted = false;
    const QString text =
        QInputDialog::getText(owner.get(), to_qstring(title), to_qstring(prompt), QLineEdit::Normal,
                              to_qstring(default_text), &accepted);
    return accepted ? text.toStdString() : std::string();
}

void QtServices::beep() {
    QApplication::beep();
}

std::string QtServices::now_text() {
    return date_time_text(QDateTime::currentDateTime(), QLocale()).toStdString();
}

void QtServices::end_program() {
    if (ending) {
        return;
    }
    ending = true;
    // Keys already queued behind Esc must reach no form: a disabled widget gets no input.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->setEnabled(false);
    }
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

std::string QtServices::clipboard_text() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtServices::set_clipboard_text(std::string_view text) {
    QGuiApplication::clipboard()->setText(to_qstring(text));
}

}  // namespace platform::qt
