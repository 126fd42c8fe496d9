#include "window/win32/calculator_form.h"

#include "platform/form_layout.h"
#include "platform/identity.h"
#include "platform/win32/wide_text.h"
#include "window/win32/accessibility.h"
#include "window/win32/program_icon.h"

namespace window::win32 {

namespace {

constexpr wchar_t form_class[] = L"KiruneForm";

void register_form_class(WNDPROC procedure) {
    static const bool registered = [&] {
        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = procedure;
        form.hInstance = GetModuleHandleW(nullptr);
        form.hIcon = program_icon();
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // The 5-twip strip below the display shows the form's face, as a form's does.
        form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        form.lpszClassName = form_class;
        return RegisterClassExW(&form) != 0;
    }();
    (void)registered;
}

// "ＭＳ Ｐゴシック" 8.25 pt, or where it is missing the Japanese Gothic the font mapper picks
// for the Shift-JIS character set, as Windows itself falls back.
HFONT display_font(unsigned dpi) {
    const int height = -static_cast<int>(std::lround(8.25 * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
}

}  // namespace

CalculatorForm::CalculatorForm(platform::Services& services, const input::FormCore* opener)
    : services(services), core(services, *this, Text1.text_box(), opener) {
    register_form_class(form_proc);
    // Created as an overlapped window so that Windows picks its default place (cascading the
    // windows "z" opens), then made a popup: a popup would always open at the screen's corner.
    const std::wstring caption = platform::win32::to_wide(platform::program_name);
    // WS_EX_APPWINDOW: every calculator window, further ones too, has its own task-bar button.
    form = CreateWindowExW(WS_EX_APPWINDOW, form_class, caption.c_str(), WS_OVERLAPPED,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(form, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    // Without the edge Windows adds to an overlapped window: no frame at all.
    SetWindowLongPtrW(form, GWL_EXSTYLE, WS_EX_APPWINDOW);
    SetWindowPos(form, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    Text1.create(form);
    for (std::size_t i = 0; i < platform::button_rows.size(); ++i) {
        // Disabled and hidden: never clicked, never focused, and not listed by a screen reader.
        buttons[i] = CreateWindowExW(
            0, L"BUTTON", platform::win32::to_wide(platform::button_rows[i].caption).c_str(),
            WS_CHILD | WS_DISABLED | BS_PUSHBUTTON, 0, 0, 0, 0, form, nullptr,
            GetModuleHandleW(nullptr), nullptr);
    }
    lay_out_controls();
    const platform::Twips pixels = scale();
    resize_to(pixels.size(platform::client_width), pixels.size(platform::client_height));

    Text1.attach(core);
    core.Form_Load();
    // Named once the window is up: the annotation service and UI Automation are no part of the
    // start-up.
    PostMessageW(form, name_message, 0, 0);
}

// The window goes before the core: no message may reach a core being destroyed.
CalculatorForm::~CalculatorForm() {
    Text1.detach();
    Text1.text_box().screen_reader = nullptr;
    screen_reader.reset();
    SetWindowLongPtrW(form, GWLP_USERDATA, 0);
    DestroyWindow(form);
    if (font != nullptr) {
        DeleteObject(font);
    }
    if (display_brush != nullptr) {
        DeleteObject(display_brush);
    }
}

// Places the controls and sizes the font for the DPI of the window's monitor.
void CalculatorForm::lay_out_controls() {
    const unsigned dpi = GetDpiForWindow(form);
    const platform::Twips pixels(dpi);
    Text1.set_dpi(dpi);
    const HFONT old_font = font;
    font = display_font(dpi);
    MoveWindow(Text1.handle(), 0, 0, pixels.size(platform::display_width),
               pixels.size(platform::display_height), TRUE);
    SendMessageW(Text1.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (std::size_t i = 0; i < platform::button_rows.size(); ++i) {
        const platform::ButtonRow& row = platform::button_rows[i];
        MoveWindow(buttons[i], pixels.position(row.left), pixels.position(row.top),
                   pixels.size(row.width), pixels.size(row.height), FALSE);
        if (row.own_font) {
            SendMessageW(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    if (old_font != nullptr) {
        DeleteObject(old_font);
    }
}

LRESULT CALLBACK CalculatorForm::form_proc(HWND form, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CalculatorForm*>(GetWindowLongPtrW(form, GWLP_USERDATA));
    if (self == nullptr || self->form == nullptr) {
        return DefWindowProcW(form, message, wparam, lparam);
    }
    return self->handle_message(message, wparam, lparam);
}

LRESULT CalculatorForm::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SETFOCUS:
            // The display keeps the keyboard for the whole life of the window: activated by a
            // click, or again after a box closes, the window hands it on.
            SetFocus(Text1.handle());
            return 0;
        case WM_TIMER:
            if (wparam == clock_timer_id) {
                core.Timer1_Timer();
            } else if (wparam == activate_timer_id) {
                activate();
            }
            return 0;
        case WM_CTLCOLOREDIT:
            if (const auto brush = display_colours(reinterpret_cast<HDC>(wparam))) {
                return *brush;
            }
            break;
        case name_message: {
            const std::wstring description =
                platform::win32::to_wide(core.accessible_description());
            keep_accessible_names(form, description, Text1.handle());
            screen_reader.emplace(form, description, system_accessibility_calls());
            Text1.text_box().screen_reader = &*screen_reader;
            return 0;
        }
        case WM_GETOBJECT:
            if (screen_reader) {
                if (const auto element = screen_reader->get_object(wparam, lparam)) {
                    return *element;
                }
            }
            break;
        case WM_CLOSE:
            // Not destroyed: the core ends the program or hides the window.
            core.window_closed();
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another DPI: the same twips in that monitor's pixels.
            const auto* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(form, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            lay_out_controls();
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(form, message, wparam, lparam);
}

std::unique_ptr<platform::Window> CalculatorForm::create_form() {
    return std::make_unique<CalculatorForm>(services, &core);
}

}  // namespace window::win32
