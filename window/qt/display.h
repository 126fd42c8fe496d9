#pragma once

#include <string>

#include <QLineEdit>
#include <QString>

#include "platform/twips.h"
#include "platform/window.h"

namespace input {
class FormCore;
}

namespace window::qt {

// Qt works in device-independent pixels and scales them itself (QT_SCALE_FACTOR), so its
// windows always convert at 96 dpi: 15 twips to the pixel.
inline platform::Twips scale() {
    return platform::Twips(96);
}

// The display's text as the core reads and writes it. The core's text is the register; the
// line edit only shows it, and is written at once so a box opened mid-action sees the new text.
class DisplayText : public platform::TextBox {
public:
    explicit DisplayText(QLineEdit& edit) : edit(edit) {}

    const std::string& text() const override { return value; }
    void set_text(std::string text) override { show(std::move(text), false); }
    void set_typed_text(std::string text) override { show(std::move(text), true); }

    // Shows the core's text again if anything else changed the line edit.
    void refresh();

    // While the line edit takes a text the user did not type: a screen reader is told it.
    bool writes_untyped_text() const { return untyped; }

private:
    void show(std::string text, bool typed);

    QLineEdit& edit;
    std::string value = "0";
    QString shown = QStringLiteral("0");
    bool untyped = false;
};

// Text1: the window's one visible control. It turns every key stroke and mouse event into the
// core's handlers and never edits itself: no typing, selecting, pasting, undo, drag and drop or
// context menu. What it shows changes only through DisplayText.
class Display : public QLineEdit {
public:
    explicit Display(QWidget* parent);

    // Events reach the core from here on; before, they are dropped.
    void attach(input::FormCore& core) { form_core = &core; }
    void detach() { form_core = nullptr; }

    DisplayText& text_box() { return shown_text; }
    bool writes_untyped_text() const { return shown_text.writes_untyped_text(); }

    // Where the character at offset is drawn, in the display's own pixels; null past the end.
    QRect character_rect(int offset) const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    template <typename Handler>
    void deliver(Handler&& handler);

    DisplayText shown_text{*this};
    input::FormCore* form_core = nullptr;
};

}  // namespace window::qt
