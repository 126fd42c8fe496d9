#include "window/win32/accessibility.h"

#include <atomic>
#include <utility>

#include <initguid.h>  // defines the annotation service's GUIDs here, in this one file

#include <objbase.h>
#include <oleacc.h>
// Not uiautomation.h: Debian 12's uiautomationcoreapi.h names a parameter "new", no C++.
#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include "platform/identity.h"
#include "platform/texts.h"
#include "platform/win32/wide_text.h"

namespace window::win32 {

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

// GetProcAddress's type is no function's own: going through void (*)() says so to the compiler.
template <typename Function>
void load(Function& function, HMODULE library, const char* name) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// UI Automation's values, declared here: Debian 12's mingw-w64 headers lack them.
constexpr HRESULT element_gone = static_cast<HRESULT>(0x80040201);  // UIA_E_ELEMENTNOTAVAILABLE
constexpr LONG root_object_id = -25;                                // UiaRootObjectId
constexpr int window_control_type = 50032;                          // UIA_WindowControlTypeId
constexpr int notification_kind_other = 4;                          // NotificationKind_Other
constexpr int important_most_recent = 1;  // NotificationProcessing_ImportantMostRecent
constexpr wchar_t display_updated[] = L"DisplayUpdated";  // the activity, as Windows' calculator

// The window as UI Automation sees it: its name and description, whatever the caption says, and
// its control type; everything else (place, focus, children) comes from the window itself.
class FormElement final : public IRawElementProviderSimple {
public:
    FormElement(HWND form, std::wstring description, AccessibilityCalls calls)
        : form(form), description(std::move(description)), calls(calls) {}

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != __uuidof(IUnknown) && id != __uuidof(IRawElementProviderSimple)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IRawElementProviderSimple*>(this);
        AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                                ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
        value->vt = VT_EMPTY;
        if (form == nullptr) {
            return element_gone;
        }
        if (property == UIA_ControlTypePropertyId) {
            value->vt = VT_I4;
            value->lVal = window_control_type;
        } else if (property == UIA_NamePropertyId ||
                   (property == UIA_HelpTextPropertyId && !description.empty())) {
            const std::wstring name = platform::win32::to_wide(platform::program_name);
            value->vt = VT_BSTR;
            value->bstrVal =
                calls.new_string((property == UIA_NamePropertyId ? name : description).c_str());
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        *host = nullptr;
        return form != nullptr ? calls.host_element(form, host) : element_gone;
    }

    HWND form;  // null once the window is gone: clients may still hold the element

private:
    ~FormElement() = default;

    std::wstring description;
    AccessibilityCalls calls;
    std::atomic<ULONG> references = 1;
};

}  // namespace

void keep_accessible_names(HWND window, std::wstring_view description, HWND display) {
    const HMODULE ole = LoadLibraryW(L"ole32.dll");
    if (ole == nullptr) {
        return;
    }
    CoInitializeExFunction initialize = nullptr;
    CoCreateInstanceFunction create = nullptr;
    load(initialize, ole, "CoInitializeEx");
    load(create, ole, "CoCreateInstance");
    // COM stays initialized on the window thread for the program's life: the service keeps
    // answering for the window after this call, and UI Automation calls the window's element
    // through it.
    if (initialize == nullptr || create == nullptr ||
        FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED))) {
        return;
    }
    IAccPropServices* service = nullptr;
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void**>(&service)))) {
        return;
    }
    const std::wstring name = platform::win32::to_wide(platform::program_name);
    // The window object and its client area: screen readers ask either.
    for (const LONG object : {OBJID_WINDOW, OBJID_CLIENT}) {
        service->SetHwndPropStr(window, object, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
        if (!description.empty()) {
            service->SetHwndPropStr(window, object, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                    std::wstring(description).c_str());
        }
    }
    // The label before the display names it too, but a hidden label may not count everywhere.
    service->SetHwndPropStr(display, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                            platform::win32::to_wide(platform::display_name).c_str());
    service->Release();
}

const AccessibilityCalls& system_accessibility_calls() {
    static const AccessibilityCalls calls = [] {
        AccessibilityCalls loaded;
        if (const HMODULE automation = LoadLibraryW(L"uiautomationcore.dll")) {
            load(loaded.notify, automation, "UiaRaiseNotificationEvent");
            load(loaded.return_element, automation, "UiaReturnRawElementProvider");
            load(loaded.host_element, automation, "UiaHostProviderFromHwnd");
        }
        if (const HMODULE strings = LoadLibraryW(L"oleaut32.dll")) {
            load(loaded.new_string, strings, "SysAllocString");
            load(loaded.free_string, strings, "SysFreeString");
        }
        return loaded;
    }();
    return calls;
}

ScreenReader::ScreenReader(HWND form, std::wstring description, AccessibilityCalls calls)
    : form(form), calls(calls) {
    if (calls.return_element != nullptr && calls.host_element != nullptr &&
        calls.new_string != nullptr && calls.free_string != nullptr) {
        element = new FormElement(form, std::move(description), calls);
    }
}

// Clients may keep the element beyond the window: it answers that it is gone.
ScreenReader::~ScreenReader() {
    if (element != nullptr) {
        calls.return_element(form, 0, 0, nullptr);
        static_cast<FormElement*>(element)->form = nullptr;
        element->Release();
    }
}

void ScreenReader::display_changed(HWND display, const std::wstring& text, bool typed) {
    calls.value_changed(EVENT_OBJECT_VALUECHANGE, display, OBJID_CLIENT, CHILDID_SELF);
    if (typed || calls.notify == nullptr || element == nullptr) {
        return;
    }
    const BSTR shown = calls.new_string(text.c_str());
    const BSTR activity = calls.new_string(display_updated);
    calls.notify(element, notification_kind_other, important_most_recent, shown, activity);
    calls.free_string(shown);
    calls.free_string(activity);
}

std::optional<LRESULT> ScreenReader::get_object(WPARAM wparam, LPARAM lparam) {
    // The object id is a DWORD: a negative one may arrive without its sign extended.
    if (element == nullptr || static_cast<LONG>(static_cast<DWORD>(lparam)) != root_object_id) {
        return std::nullopt;
    }
    return calls.return_element(form, wparam, lparam, element);
}

}  // namespace window::win32
