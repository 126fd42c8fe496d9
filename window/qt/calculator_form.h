#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include <QTimer>
#include <QWidget>

#include "input/form_core.h"
#include "platform/form_layout.h"
#include "platform/services.h"
#include "platform/window.h"
#include "window/qt/display.h"

class QFont;
class QPushButton;

namespace window::qt {

// One calculator window on Qt: a frameless top-level as large as its display, with the hidden
// buttons and the timer. It builds the controls, adapts Qt's events and properties to the
// core and runs the load handler; everything the window does lives in input::FormCore.
//
// Careful: platform::Window's width(), height(), show() and hide() hide QWidget's. On a form they
// are twips and the showing that also focuses the display; use size() for pixels.
class CalculatorForm : public QWidget, public platform::Window {
public:
    // The main window, which the code calls Form1, or with the opener's core a further window,
    // opened with "z" in the opener's window: its own state, the shared services and main
    // window.
    explicit CalculatorForm(platform::Services& services, const input::FormCore* opener = nullptr);
    ~CalculatorForm() override;

    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    void set_left(float twips) override;
    void set_top(float twips) override;
    void set_width(float twips) override;
    void set_height(float twips) override;
    bool places_itself() const override;
    float screen_width() const override;
    float screen_height() const override;
    void set_caption(std::string_view caption) override;
    void set_display_colour(std::uint32_t colour) override;
    bool timer_enabled() const override;
    void set_timer_enabled(bool enabled) override;
    bool stay_on_top() const override;
    void set_stay_on_top(bool on_top) override;
    std::string button_caption(std::size_t row) const override;
    void show() override;
    void hide() override;
    std::unique_ptr<platform::Window> create_form() override;

    Display& display() { return *Text1; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_buttons(const QFont& font);

    platform::Services& services;
    Display* Text1;  // a child: Qt deletes it with the window
    QTimer Timer1;
    // In the order of platform::button_rows, which is the tab order.
    std::array<QPushButton*, platform::button_rows.size()> buttons{};

public:
    input::FormCore core;
};

}  // namespace window::qt
