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
    heard += (as_the_calculator ? " said " : " said otherwise ") +
             platform::win32::to_utf8(std::wstring_view(text, SysStringLen(text)));
    return S_OK;
}

struct Window : support::FakeWindow {
    std::unique_ptr<platform::Window> create_form() override { return nullptr; }
};

// A key ("\x7f" is Shift+Delete, "\x16" a paste of 12), and what screen readers are told of
// it: the value change of every change, the text of every change but number entry's, nothing
// when the display stays.
// clang-format off
constexpr std::pair<const char*, const char*> keys[] = {
    {"7", " changed"}, {"2", " changed"}, {"r", " changed said 8.48528137423857"},
    {"c", " changed said 0"}, {"c", ""}, {"9", " changed"}, {"g", " changed said 729"}, {"+", ""},
    {"1", " changed"}, {"\r", " changed said 730"}, {".", " changed"},
    {"\x7f", " changed said 730"}, {"\x16", " changed said 12"}, {"l", " changed said 550"}};
// clang-format on

// Where the system has no notification (Wine 8, Windows before 10 1709) only the value changes.
TEST(ScreenReader, HearsEveryChangeOnceAndTheTextOfEveryChangeNotTyped) {
    for (const bool notifications : {true, false}) {
        window::win32::ScreenReader screen_reader(
            nullptr, L"",
            {value_changed, notifications ? notify : nullptr,
             [](HWND, WPARAM, LPARAM, IRawElementProviderSimple*) -> LRESULT { return 0; },
             [](HWND, IRawElementProviderSimple**) -> HRESULT { return E_FAIL; }, SysAllocString,
             SysFreeString});
        window::win32::DisplayText display;
        display.screen_reader = &screen_reader;
        support::FakeServices services;
        services.clipboard = "12";
        Window window;
        input::FormCore core(services, window, display);
        for (const auto& [key, expected] : keys) {
            heard.clear();
            char16_t code = static_cast<unsigned char>(*key);
            std::uint16_t del = 46;
            code == 0x7f ? core.Text1_KeyDown(del, 1) : core.Text1_KeyPress(code);
            const std::string told = expected;
            EXPECT_EQ(heard, notifications ? told : told.substr(0, told.find(" said")))
                << "key " << key << (notifications ? "" : ", without notifications");
        }
    }
}

}  // namespace
