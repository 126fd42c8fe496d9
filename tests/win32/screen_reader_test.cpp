#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include "input/form_core.h"
#include "platform/win32/wide_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/fake_window.h"
#include "window/win32/display.h"

namespace {

// What the system was asked to tell screen readers since the last key.
std::string heard;

void WINAPI value_changed(DWORD event, HWND, LONG object, LONG child) {
    const bool display = event == EVENT_OBJECT_VALUECHANGE && object == OBJID_CLIENT && child == 0;
    heard += display ? " changed" : " another event";
}

HRESULT WINAPI notify(IRawElementProviderSimple* element, int kind, int processing, BSTR text,
                      BSTR activity) {
    const bool as_the_calculator = element != nullptr && kind == 4 && processing == 1 &&
                                   std::wstring_view(activity) == L"DisplayUpdated";
    heard += (as_the_calculator ? " said " : " said otherwise ") + platform::win32::to_utf8(text);
    return S_OK;
}

// Each key, and what screen readers are told of it: the value change of every change, the text
// of every change but number entry's, nothing when the display stays. Without the notification
// (Wine 8) only the value changes come, as the end-to-end test hears there.
// clang-format off
constexpr std::pair<char16_t, const char*> keys[] = {
    {'7', " changed"}, {'2', " changed"}, {'r', " changed said 8.48528137423857"},
    {'c', " changed said 0"}, {'c', ""}, {'9', " changed"}, {'g', " changed said 729"}, {'+', ""},
    {'1', " changed"}, {'\r', " changed said 730"}, {'.', " changed"}, {'l', " changed said 550"}};
// clang-format on

TEST(ScreenReader, HearsEveryChangeOnceAndTheTextOfEveryChangeNotTyped) {
    window::win32::ScreenReader screen_reader(
        nullptr, L"",
        {value_changed, notify,
         [](HWND, WPARAM, LPARAM, IRawElementProviderSimple*) -> LRESULT { return 0; },
         [](HWND, IRawElementProviderSimple**) -> HRESULT { return E_FAIL; }, SysAllocString,
         SysFreeString});
    window::win32::DisplayText display;
    display.screen_reader = &screen_reader;
    support::FakeServices services;
    support::FakeWindow window;
    input::FormCore core(services, window, display);
    for (auto [key, told] : keys) {
        heard.clear();
        core.Text1_KeyPress(key);
        EXPECT_EQ(heard, told) << "key " << char(key);
    }
}

}  // namespace
