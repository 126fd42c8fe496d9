// A screen reader's ears for the end-to-end test, run in Kirune's Wine prefix: prints the name and
// control type of Kirune's window as UI Automation gives them ("element Kirune 50032", or
// "element none" where no client exists: Wine 8), "listening", then one line for every value
// change of another process's object, its name and new value ("change 表示 = 72").
#include <cstdio>
#include <string>

#include <windows.h>

#include <oleacc.h>

// UI Automation's client interfaces up to the methods called, which Debian 12's mingw-w64 does
// not declare; the placeholders stand for the methods before them. Outside the anonymous
// namespace: there GCC 14 takes the hierarchy for closed, finds no class that implements them
// and compiles the calls to a jump into nowhere.
struct Element : IUnknown {
    virtual void m1() = 0, m2() = 0, m3() = 0, m4() = 0, m5() = 0, m6() = 0, m7() = 0, m8() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(int id, BOOL, VARIANT* value) = 0;
};
struct Automation : IUnknown {
    virtual void m1() = 0, m2() = 0, m3() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, Element** element) = 0;
};

namespace {

void print(const std::wstring& line) {
    char utf8[1024];
    utf8[WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8 - 1, nullptr,
                             nullptr)] = '\0';
    std::printf("%s\n", utf8);
    std::fflush(stdout);
}

std::wstring text(BSTR value) {
    std::wstring copy = value != nullptr ? value : L"(none)";
    SysFreeString(value);
    return copy;
}

void CALLBACK value_changed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                            DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT self{};
    BSTR name = nullptr, value = nullptr;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &accessible, &self))) {
        accessible->get_accName(self, &name);
        accessible->get_accValue(self, &value);
    }
    print(L"change " + text(name) + L" = " + text(value));
}

// The window's name and control type, through CUIAutomation8 and its IUIAutomation.
std::wstring element_of(HWND window) {
    const CLSID client = {
        0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
    const IID automation_id = {
        0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
    Automation* automation = nullptr;
    Element* element = nullptr;
    if (FAILED(CoCreateInstance(client, nullptr, CLSCTX_INPROC_SERVER, automation_id,
                                reinterpret_cast<void**>(&automation))) ||
        FAILED(automation->ElementFromHandle(window, &element))) {
        return L"none";
    }
    VARIANT name{}, type{};
    element->GetCurrentPropertyValueEx(30005, FALSE, &name);  // UIA_NamePropertyId
    element->GetCurrentPropertyValueEx(30003, FALSE, &type);  // UIA_ControlTypePropertyId
    return text(name.vt == VT_BSTR ? name.bstrVal : nullptr) + L" " + std::to_wstring(type.lVal);
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    print(L"element " + element_of(FindWindowW(L"KiruneForm", nullptr)));
    SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, value_changed, 0,
                    0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    print(L"listening");
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) {
        DispatchMessageW(&message);
    }
}
