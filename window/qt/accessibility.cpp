#include "window/qt/accessibility.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

#include "platform/identity.h"
#include "platform/qt/qt_text.h"
#include "window/qt/display.h"

namespace window::qt {

namespace {

// The display as a screen reader sees it: a text field named "表示" whose text is the display.
// It replaces Qt's line edit interface, whose single text attribute run is empty: Orca then
// reads no text at all when the display gets the focus. The display never edits itself, so
// there is no editable-text interface for a screen reader to type through either.
class DisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DisplayAccessible(Display* display)
        : QAccessibleWidget(display, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // As Qt's own line edit says: editable, so that screen readers treat it as a text field
    // and echo the keys typed into it.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return shown();
        }
        return QAccessibleWidget::text(kind);
    }

    QString text(int start, int end) const override {
        const QString all = shown();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = end < 0 ? static_cast<int>(all.size())
                      : std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }

    // One run without attributes over the whole text.
    QString attributes(int offset, int* start, int* end) const override {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *start = *end = -1;
        } else {
            *start = 0;
            *end = count;
        }
        return {};
    }

    int cursorPosition() const override { return display()->cursorPosition(); }
    void setCursorPosition(int position) override { display()->setCursorPosition(position); }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && display()->hasSelectedText()) {
            *start = display()->selectionStart();
            *end = display()->selectionEnd();
        }
    }
    int selectionCount() const override { return display()->hasSelectedText() ? 1 : 0; }
    // The selection is the display's own: a screen reader does not change it.
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}

    QRect characterRect(int offset) const override {
        const QRect local = display()->character_rect(offset);
        if (local.isNull()) {
            return {};
        }
        return {display()->mapToGlobal(local.topLeft()), local.size()};
    }
    // The character drawn there, by the same reckoning as characterRect.
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = display()->mapFromGlobal(point);
        for (int offset = 0; offset < characterCount(); ++offset) {
            const QRect drawn = display()->character_rect(offset);
            if (local.x() >= drawn.left() && local.x() <= drawn.right() &&
                display()->rect().contains(local)) {
                return offset;
            }
        }
        return -1;
    }
    void scrollToSubstring(int, int) override {}

private:
    Display* display() const { return static_cast<Display*>(widget()); }
    QString shown() const { return display()->text(); }
};

class FormAccessible : public QAccessibleWidget {
public:
    explicit FormAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
};

bool holds_display(QWidget* window) {
    const QObjectList& children = window->children();
    return std::any_of(children.cbegin(), children.cend(),
                       [](QObject* child) { return dynamic_cast<Display*>(child) != nullptr; });
}

QAccessibleInterface* interface_for(const QString& class_name, QObject* object) {
    // The display and the form declare no class of their own to Qt: they go by their bases'.
    if (class_name == QLatin1String("QLineEdit")) {
        auto* display = dynamic_cast<Display*>(object);
        return display != nullptr ? new DisplayAccessible(display) : nullptr;
    }
    // Qt makes a plain top-level widget a filler, which Orca 48 does not name when the focus
    // comes back from a box; a calculator window is a frame, as the toolkits' main windows are.
    if (class_name == QLatin1String("QWidget")) {
        auto* window = static_cast<QWidget*>(object);
        if (window->isWindow() && holds_display(window)) {
            return new FormAccessible(window);
        }
    }
    return nullptr;
}

// Forgets an interface that Qt made for the widget before the factory could recognise it.
template <typename Ours>
void drop_early_interface(QWidget& widget) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(&widget);
    if (interface != nullptr && dynamic_cast<Ours*>(interface) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(interface));
    }
}

QAccessible::UpdateHandler qt_handler = nullptr;

void forward(QAccessibleEvent* event) {
    if (qt_handler != nullptr) {
        qt_handler(event);
        return;
    }
    // Qt's platform bridge is reached only with no handler installed.
    const QAccessible::UpdateHandler self = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(self);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// A text the user did not type is announced: the screen reader speaks an announcement as it
// is, once, whatever key came before (Orca 48 takes two quick description changes for one and
// keeps the later, empty one). Returns whether it was sent.
bool announce(QAccessibleInterface* display, const QString& text) {
    QAccessibleAnnouncementEvent announcement(display->object(), text);
    forward(&announcement);
    return true;
}
#else
// Orca 43 speaks a text change only when it can guess a cause from the last key: the insertion
// after Return or a Ctrl stroke, the deleted text after Backspace (the old value), the
// character at the caret after Delete; it keeps quiet after r, F1 or c. So for a text the user
// did not type, the new text is sent as a change of the display's accessible description, which
// Orca speaks as it is, once. A second change back to the empty description, which Orca does
// not speak, leaves what screen readers keep of the description as it really is: empty, or the
// value would be read twice on focus.
//
// Qt 6.4 sends such events with the object instead of the text as their data, which Orca
// refuses to speak; these are sent here on Qt's own connection to the accessibility bus, as
// Qt's bridge sends its events, with the text. Without that connection nothing is sent, and
// the caller lets Qt's own text events go out instead.
bool announce(QAccessibleInterface* display, const QString& text) {
    QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected()) {
        return false;
    }
    const QString prefix = QStringLiteral("/org/a11y/atspi/accessible/");
    const QString path = prefix + QString::number(QAccessible::uniqueId(display));
    // The application's root object, which every event of the bridge names last.
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(prefix + QStringLiteral("root"));
    application.endStructure();
    for (const QString& description : {text, QString()}) {
        QDBusMessage signal = QDBusMessage::createSignal(
            path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
        signal << QStringLiteral("accessible-description") << 0 << 0
               << QVariant::fromValue(QDBusVariant(description))
               << QVariant::fromValue(application);
        bus.send(signal);
    }
    return true;
}
#endif

// For a text the user did not type, the display's own text events are held back: a screen
// reader would guess a cause for them from the last key and speak the wrong thing or nothing.
void update(QAccessibleEvent* event) {
    const QAccessible::Event type = event->type();
    if (type == QAccessible::TextInserted || type == QAccessible::TextRemoved ||
        type == QAccessible::TextUpdated) {
        auto* display = dynamic_cast<Display*>(event->object());
        // A window not shown yet (or hidden) has nothing to tell: its first "0" would make
        // Orca take its display for the focus, and keep quiet when it really gets it.
        if (display != nullptr && !display->isVisible()) {
            return;
        }
        if (display != nullptr && display->writes_untyped_text() &&
            announce(event->accessibleInterface(), display->text())) {
            // The caret, at the end of the new text once more, makes a screen reader write its
            // braille line again: an announcement is only flashed, then the old line returns.
            QAccessibleTextCursorEvent caret(display, static_cast<int>(display->text().size()));
            forward(&caret);
            return;
        }
    }
    forward(event);
}

}  // namespace

void keep_accessible_name(QWidget& window, const std::string& description) {
    drop_early_interface<FormAccessible>(window);
    window.setAccessibleName(platform::qt::to_qstring(platform::program_name));
    window.setAccessibleDescription(platform::qt::to_qstring(description));
}

void install_display_accessibility(Display& display) {
    static const bool installed = [] {
        QAccessible::installFactory(interface_for);
        qt_handler = QAccessible::installUpdateHandler(update);
        return true;
    }();
    Q_UNUSED(installed);
    // An interface asked for while the line edit was still being built is Qt's own.
    drop_early_interface<DisplayAccessible>(display);
}

}  // namespace window::qt
