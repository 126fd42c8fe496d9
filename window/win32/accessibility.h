#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>
#include <wtypes.h>

struct IRawElementProviderSimple;

namespace window::win32 {

// Gives the window and the display the names a screen reader calls them by, whatever the
// caption: the caption turns into a ticking clock, which would make the name chatter. Uses the
// system's annotation service (IAccPropServices), loaded on first use so that start-up does not
// wait for COM. Without the service (Wine has only a stub) the window keeps the name its
// caption gives, and the display the one of the label created before it.
void keep_accessible_names(HWND window, std::wstring_view description, HWND display);

// The system functions that tell screen readers of the display. The UI Automation ones come
// from uiautomationcore.dll at run time, null where missing: Wine 8 and Windows before 10 1709
// lack the notification, and importing it would keep the program from starting there.
struct AccessibilityCalls {
    void(WINAPI* value_changed)(DWORD event, HWND window, LONG object, LONG child) = NotifyWinEvent;
    HRESULT(WINAPI* notify)
    (IRawElementProviderSimple* element, int kind, int processing, BSTR text,
     BSTR activity) = nullptr;
    LRESULT(WINAPI* return_element)
    (HWND window, WPARAM, LPARAM, IRawElementProviderSimple* element) = nullptr;
    HRESULT(WINAPI* host_element)(HWND window, IRawElementProviderSimple** element) = nullptr;
    BSTR(WINAPI* new_string)(const OLECHAR* text) = nullptr;
    void(WINAPI* free_string)(BSTR text) = nullptr;
};

// Loads them once for the program.
const AccessibilityCalls& system_accessibility_calls();

// One window's part for screen readers. Every change of the display's text raises MSAA's value
// change on the display (Windows raises none when a program sets an EDIT's text). A change the
// user did not type as a key of number entry (a result, a clear, a recall, a paste) is also a
// UI Automation notification with the text as shown, as the Windows calculator raises one for
// each display update: NVDA and Narrator speak those for any program. A typed digit is not:
// the screen reader has echoed its key. The notification needs the window's own UI Automation
// element, a minimal one (name, description, control type) that it answers WM_GETOBJECT with.
class ScreenReader {
public:
    ScreenReader(HWND form, std::wstring description, AccessibilityCalls calls);
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    void display_changed(HWND display, const std::wstring& text, bool typed);
    std::optional<LRESULT> get_object(WPARAM wparam, LPARAM lparam);

private:
    HWND form;
    AccessibilityCalls calls;
    IRawElementProviderSimple* element = nullptr;
};

}  // namespace window::win32
