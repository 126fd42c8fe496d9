#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include "platform/qt/date_time_text.h"
#include "platform/qt/qt_text.h"
#include "platform/texts.h"

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

// The Japanese of the texts Qt draws into a box: the menu of the memo box's field, as a Japanese
// Windows writes it. Qt's own translations are not installed with the program, and would follow
// the locale.
class BoxTexts : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        struct Row {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static constexpr Row rows[] = {
            {"QLineEdit", "&Undo", "元に戻す(&U)"},        {"QLineEdit", "&Redo", "やり直し(&R)"},
            {"QLineEdit", "Cu&t", "切り取り(&T)"},         {"QLineEdit", "&Copy", "コピー(&C)"},
            {"QLineEdit", "&Paste", "貼り付け(&P)"},       {"QLineEdit", "Delete", "削除(&D)"},
            {"QLineEdit", "Select All", "すべて選択(&A)"},
        };
        for (const Row& row : rows) {
            if (qstrcmp(context, row.context) == 0 && qstrcmp(source, row.source) == 0) {
                return QString::fromUtf8(row.japanese);
            }
        }
        return {};
    }
    bool isEmpty() const override { return false; }
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

QtServices::QtServices() : box_texts(std::make_unique<BoxTexts>()) {
    QCoreApplication::installTranslator(box_texts.get());
}

QtServices::~QtServices() = default;

void QtServices::message_box(std::string_view message, BoxStyle style, std::string_view title) {
    const BoxOwner owner;
    QMessageBox box(box_icon(style), to_qstring(title), to_qstring(message), QMessageBox::Ok,
                    owner.get());
    // A memo is the user's own text: "<b>" must show as typed, not turn the rest bold.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Orca 48 (beside Qt 6.8 on Debian 13) reads a box's label only when it has three
    // blank-separated words, which a Japanese sentence has not, but reads its description in
    // any language. Orca 43 (beside Qt 6.4) reads the label, and would read a description too.
    box.setAccessibleDescription(box.text());
#endif
    box.exec();
}

std::string QtServices::input_box(std::string_view prompt, std::string_view title,
                                  std::string_view default_text) {
    const BoxOwner owner;
    QInputDialog box(owner.get());
    box.setWindowTitle(to_qstring(title));
    box.setLabelText(to_qstring(prompt));
    box.setTextValue(to_qstring(default_text));
    // Named here rather than through the translations: a platform theme (KDE's, GNOME's)
    // would put the locale's own words on them.
    box.setOkButtonText(to_qstring(ok_button_text));
    box.setCancelButtonText(to_qstring(cancel_button_text));
    return box.exec() == QDialog::Accepted ? box.textValue().toStdString() : std::string();
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
