// The window's properties as the core reads and sets them: twips at 96 dpi, the caption, the
// display's colour, the clock's timer, stay on top and showing.
#include "window/qt/calculator_form.h"

#include <variant>

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "platform/colour.h"
#include "platform/qt/qt_text.h"

namespace window::qt {

namespace {

QColor colour_of(std::uint32_t colour) {
    const auto decoded = platform::decoded_colour(colour);
    if (const auto* system = std::get_if<platform::SystemColour>(&decoded)) {
        // Other system colours are never set; the text box's own background is the nearest.
        return QApplication::palette().color(
            system->index == platform::button_face_index ? QPalette::Button : QPalette::Base);
    }
    const auto& rgb = std::get<platform::Rgb>(decoded);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

float CalculatorForm::left() const {
    return scale().of(pos().x());
}
float CalculatorForm::top() const {
    return scale().of(pos().y());
}
float CalculatorForm::width() const {
    return scale().of(size().width());
}
float CalculatorForm::height() const {
    return scale().of(size().height());
}

void CalculatorForm::set_left(float twips) {
    move(scale().position(twips), pos().y());
}
void CalculatorForm::set_top(float twips) {
    move(pos().x(), scale().position(twips));
}
void CalculatorForm::set_width(float twips) {
    resize(scale().size(twips), size().height());
}
void CalculatorForm::set_height(float twips) {
    resize(size().width(), scale().size(twips));
}

bool CalculatorForm::places_itself() const {
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

float CalculatorForm::screen_width() const {
    return scale().of(screen()->geometry().width());
}
float CalculatorForm::screen_height() const {
    return scale().of(screen()->geometry().height());
}

void CalculatorForm::set_caption(std::string_view caption) {
    setWindowTitle(platform::qt::to_qstring(caption));
}

void CalculatorForm::set_display_colour(std::uint32_t colour) {
    const QColor background = colour_of(colour);
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Window, background);
    Text1->setPalette(palette);
}

bool CalculatorForm::stay_on_top() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CalculatorForm::set_stay_on_top(bool on_top) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
    QWindow* native = windowHandle();
    if (native == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // setWindowFlags would re-create the native window hidden. Shown again, Qt would take it for
    // inactive for good (a box opened afterwards has no owner and never gets the keyboard), and
    // a window manager would see a new window. The window system takes the hint in place.
    overrideWindowFlags(flags);
    native->setFlags(flags);
}

bool CalculatorForm::timer_enabled() const {
    return Timer1.isActive();
}

void CalculatorForm::set_timer_enabled(bool enabled) {
    if (enabled) {
        Timer1.start();
    } else {
        Timer1.stop();
    }
}

std::string CalculatorForm::button_caption(std::size_t row) const {
    return buttons.at(row)->text().toStdString();
}

void CalculatorForm::show() {
    QWidget::show();
    raise();
    // Without a window manager nobody else gives the new window the keyboard.
    activateWindow();
    Text1->setFocus();
}

void CalculatorForm::hide() {
    QWidget::hide();
}

}  // namespace window::qt
