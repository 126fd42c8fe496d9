#include "window/win32/accessibility.h"

#include <initializer_list>

#include <initguid.h>  // defines the annotation service's GUIDs here, in this one file

#include <objbase.h>
#include <oleacc.h>

namespace window::win32 {

namespace {

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

// GetProcAddress's type is no function's own: going through void (*)() says so to the compiler.
template <typename Function>
Function function_of(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

void keep_accessible_name(HWND window, const wchar_t* name) {
    const HMODULE ole = LoadLibraryW(L"ole32.dll");
    if (ole == nullptr) {
        return;
    }
    const auto initialize = function_of<CoInitializeExFunction>(ole, "CoInitializeEx");
    const auto create = function_of<CoCreateInstanceFunction>(ole, "CoCreateInstance");
    // COM stays initialized on the window thread for the program's life: the service keeps
    // answering for the window after this call.
    if (initialize == nullptr || create == nullptr ||
        FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED))) {
        return;
    }
    IAccPropServices* service = nullptr;
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void**>(&service)))) {
        return;
    }
    // The window object and its client area: screen readers ask either.
    for (const LONG object : {OBJID_WINDOW, OBJID_CLIENT}) {
        service->SetHwndPropStr(window, object, CHILDID_SELF, PROPID_ACC_NAME, name);
    }
    service->Release();
}

}  // namespace window::win32
