#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

#include "input/form_core.h"
#include "platform/form_layout.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "platform/window.h"
#include "window/win32/accessibility.h"
#include "window/win32/display.h"

namespace window::win32 {

// One calculator window on Win32: a popup with no caption or border, as large as its display,
// with the seventeen hidden, disabled buttons and the timer. It builds the controls, adapts
// window messages and properties to the core and runs the load handler; everything the window
// does lives in input::FormCore, as in the Qt window.
class CalculatorForm : public platform::Window {
public:
    // The main window, which the code calls Form1, or with the opener's core a further window,
    // opened with "z" in the opener's window: its own state, the shared services and main
    // window.
    explicit CalculatorForm(platform::Services& services, const input::FormCore* opener = nullptr);
    ~CalculatorForm() override;
    CalculatorForm(const CalculatorForm&) = delete;
    CalculatorForm& operator=(const CalculatorForm&) = delete;

    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    void set_left(float twips) override;
    void set_top(float twips) override;
    void set_width(float twips) override;
    void set_height(float twips) override;
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

    HWND handle() const { return form; }

private:
    static LRESULT CALLBACK form_proc(HWND form, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    std::optional<LRESULT> display_colours(HDC dc);
    void lay_out_controls();
    void activate();
    platform::Twips scale() const;
    RECT outer() const;
    RECT monitor() const;
    void move_to(int x, int y);
    void resize_to(int width, int height);

    // Timer1's, and the one that activates a window shown just after another was activated.
    static constexpr UINT_PTR clock_timer_id = 1;
    static constexpr UINT_PTR activate_timer_id = 2;
    static constexpr UINT name_message = WM_APP + 1;

    platform::Services& services;
    HWND form = nullptr;
    Display Text1;
    // In the order of platform::button_rows, which is the tab order.
    std::array<HWND, platform::button_rows.size()> buttons{};
    HFONT font = nullptr;
    // The display's background as the core set it (0x00BBGGRR or a system colour); none
    // until a colour key, so the EDIT keeps the system's own.
    std::optional<std::uint32_t> display_colour;
    HBRUSH display_brush = nullptr;
    bool timer_running = false;
    // Once the window is up.
    std::optional<ScreenReader> screen_reader;

public:
    input::FormCore core;
};

}  // namespace window::win32
