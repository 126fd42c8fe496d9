// A screen reader's ears for the end-to-end test, run in Kirune's Wine prefix: prints
// "listening", then one line for every value change of another process's object, its name and
// new value ("change 表示 = 72").
#include <cstdio>
#include <string>

#include <windows.h>

#include <oleacc.h>

namespace {

void print(const std::wstring& line) {
    char utf8[1024];
    utf8[WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8 - 1, nullptr,
                             nullptr)] = '\0';
    std::printf("%s\n", utf8);
    std::fflush(stdout);
}

// The object and its strings are left to the end of the process, which lives for one test.
void CALLBACK value_changed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT self{};
    BSTR name = nullptr, value = nullptr;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &accessible, &self))) {
        accessible->get_accName(self, &name);
        accessible->get_accValue(self, &value);
    }
    print(L"change " + std::wstring(name ? name : L"(none)") + L" = " +
          (value ? value : L"(none)"));
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, value_changed, 0,
                    0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    print(L"listening");
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) {
        DispatchMessageW(&message);
    }
}
