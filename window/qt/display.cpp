#include "window/qt/display.h"

#include <climits>

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "input/form_core.h"
#include "platform/qt/qt_text.h"
#include "platform/texts.h"
#include "window/qt/accessibility.h"
#include "window/qt/key_translation.h"

namespace window::qt {

// A text equal to the one shown is not set again: Qt would report it as a change all the same,
// and a screen reader would repeat it.
void DisplayText::show(std::string text, bool typed) {
    value = std::move(text);
    QString next = QString::fromStdString(value);
    if (next == shown && edit.text() == shown) {
        return;
    }
    shown = std::move(next);
    untyped = !typed;
    edit.setText(shown);
    untyped = false;
}

void DisplayText::refresh() {
    if (edit.text() != shown) {
        edit.setText(shown);
    }
}

// Empty until the window has given it its font and the core's text is shown: a text set now
// would first be shaped in the application's font, which the display never shows.
Display::Display(QWidget* parent) : QLineEdit(parent) {
    install_display_accessibility(*this);
    setObjectName(QStringLiteral("Text1"));
    setAccessibleName(platform::qt::to_qstring(platform::display_name));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The default limit of 32767 characters would cut what the program writes.
    setMaxLength(INT_MAX);
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

// The text is right-aligned and, when longer than the box, scrolled so that its end shows: it
// ends at the right edge of the contents, less the line edit's margin of 2 pixels (give or take
// the pixel of the caret, which is all a screen reader's review needs).
QRect Display::character_rect(int offset) const {
    const QString shown = text();
    if (offset < 0 || offset >= shown.size()) {
        return {};
    }
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this) - textMargins();
    const QFontMetrics metrics = fontMetrics();
    const int left = contents.right() - 2 - metrics.horizontalAdvance(shown) +
                     metrics.horizontalAdvance(shown.left(offset));
    return {left, contents.top(), metrics.horizontalAdvance(shown.mid(offset, 1)),
            contents.height()};
}

template <typename Handler>
void Display::deliver(Handler&& handler) {
    if (form_core == nullptr) {
        return;
    }
    handler(*form_core);
    shown_text.refresh();
}

bool Display::event(QEvent* event) {
    // Claim every key before shortcuts see it: the key map is the only meaning a key has here.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void Display::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const QString text = event->text();
    deliver([&](input::FormCore& core) {
        core.key_stroke(key_code(event->key(), modifiers), held_modifiers(modifiers),
                        text.isEmpty() ? char16_t{0} : text.front().unicode(),
                        input::ControlKeys::named);
    });
}

void Display::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

namespace {

// The pointer inside the display, in twips as single-precision numbers.
struct TwipsPoint {
    float x, y;
};

TwipsPoint twips_at(const QMouseEvent& event) {
    return {scale().of(static_cast<float>(event.position().x())),
            scale().of(static_cast<float>(event.position().y()))};
}

}  // namespace

void Display::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const TwipsPoint at = twips_at(*event);
    deliver([&](input::FormCore& core) { core.Text1_MouseDown(at.x, at.y); });
}

// The second press of a double click is a press like any other: it pulls the window too.
void Display::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void Display::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const TwipsPoint at = twips_at(*event);
    deliver([&](input::FormCore& core) { core.Text1_MouseMove(at.x, at.y); });
}

void Display::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    deliver([](input::FormCore& core) { core.Text1_MouseUp(); });
}

void Display::inputMethodEvent(QInputMethodEvent* event) {
    event->ignore();
}

void Display::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void Display::dragMoveEvent(QDragMoveEvent* event) {
    event->ignore();
}

void Display::dropEvent(QDropEvent* event) {
    event->ignore();
}

void Display::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

// Tab stays on the display: it is a key like any other, and the buttons take no focus.
bool Display::focusNextPrevChild(bool /*next*/) {
    return false;
}

}  // namespace window::qt
