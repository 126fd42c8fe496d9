// The window's properties as the core reads and sets them: twips at the window's own DPI,
// the caption, the display's colour, the clock's timer, stay on top and showing.
#include "window/win32/calculator_form.h"

#include <variant>

#include "platform/colour.h"
#include "platform/win32/wide_text.h"

namespace window::win32 {

platform::Twips CalculatorForm::scale() const {
    return platform::Twips(GetDpiForWindow(form));
}

// Outer and client size are one: the window has no frame.
RECT CalculatorForm::outer() const {
    RECT rect{};
    GetWindowRect(form, &rect);
    return rect;
}

void CalculatorForm::move_to(int x, int y) {
    SetWindowPos(form, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CalculatorForm::resize_to(int width, int height) {
    SetWindowPos(form, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float CalculatorForm::left() const {
    return scale().of(outer().left);
}
float CalculatorForm::top() const {
    return scale().of(outer().top);
}
float CalculatorForm::width() const {
    const RECT rect = outer();
    return scale().of(rect.right - rect.left);
}
float CalculatorForm::height() const {
    const RECT rect = outer();
    return scale().of(rect.bottom - rect.top);
}

void CalculatorForm::set_left(float twips) {
    move_to(scale().position(twips), outer().top);
}
void CalculatorForm::set_top(float twips) {
    move_to(outer().left, scale().position(twips));
}
void CalculatorForm::set_width(float twips) {
    const RECT rect = outer();
    resize_to(scale().size(twips), rect.bottom - rect.top);
}
void CalculatorForm::set_height(float twips) {
    const RECT rect = outer();
    resize_to(rect.right - rect.left, scale().size(twips));
}

// The monitor the window is on, which "a" centres it on.
RECT CalculatorForm::monitor() const {
    MONITORINFO info{sizeof info, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}

float CalculatorForm::screen_width() const {
    const RECT rect = monitor();
    return scale().of(rect.right - rect.left);
}
float CalculatorForm::screen_height() const {
    const RECT rect = monitor();
    return scale().of(rect.bottom - rect.top);
}

void CalculatorForm::set_caption(std::string_view caption) {
    SetWindowTextW(form, platform::win32::to_wide(caption).c_str());
}

void CalculatorForm::set_display_colour(std::uint32_t colour) {
    display_colour = colour;
    if (display_brush != nullptr) {
        DeleteObject(display_brush);
        display_brush = nullptr;
    }
    InvalidateRect(Text1.handle(), nullptr, TRUE);
}

// A system colour is read when the display is drawn, so that it follows a change of the
// Windows colours.
std::optional<LRESULT> CalculatorForm::display_colours(HDC dc) {
    if (!display_colour) {
        return std::nullopt;
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const auto decoded = platform::decoded_colour(*display_colour);
    if (const auto* system = std::get_if<platform::SystemColour>(&decoded)) {
        SetBkColor(dc, GetSysColor(system->index));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(system->index));
    }
    const auto& [red, green, blue] = std::get<platform::Rgb>(decoded);
    const COLORREF rgb = RGB(red, green, blue);
    if (display_brush == nullptr) {
        display_brush = CreateSolidBrush(rgb);
    }
    SetBkColor(dc, rgb);
    return reinterpret_cast<LRESULT>(display_brush);
}

bool CalculatorForm::timer_enabled() const {
    return timer_running;
}

void CalculatorForm::set_timer_enabled(bool enabled) {
    if (enabled) {
        SetTimer(form, clock_timer_id, 100, nullptr);  // a running one starts its interval anew
    } else if (timer_running) {
        KillTimer(form, clock_timer_id);
    }
    timer_running = enabled;
}

bool CalculatorForm::stay_on_top() const {
    return (GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void CalculatorForm::set_stay_on_top(bool on_top) {
    SetWindowPos(form, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::string CalculatorForm::button_caption(std::size_t row) const {
    wchar_t caption[16] = {};
    const int length =
        GetWindowTextW(buttons.at(row), caption, static_cast<int>(std::size(caption)));
    return platform::win32::to_utf8(std::wstring_view(caption, static_cast<std::size_t>(length)));
}

// Modeless and unowned, in front and with the keyboard: nothing else would give it to a
// window shown again by "z", nor to any window where no window manager runs.
void CalculatorForm::show() {
    ShowWindow(form, SW_SHOWNA);
    if (GetActiveWindow() == nullptr) {
        activate();
        return;
    }
    // Another window of the program was just activated: the one whose box closed before "z"
    // shows this one. Wine without a window manager turns each activation into an X focus
    // request and each focus event back into an activation; two requests in flight would
    // bounce the focus between the windows for good. Activating a moment later lets the
    // first one settle; on Windows the moment goes unnoticed.
    SetTimer(form, activate_timer_id, 50, nullptr);
}

void CalculatorForm::hide() {
    ShowWindow(form, SW_HIDE);
}

void CalculatorForm::activate() {
    KillTimer(form, activate_timer_id);
    SetForegroundWindow(form);
    SetFocus(Text1.handle());
}

}  // namespace window::win32
