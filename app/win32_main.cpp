// kirune.exe: one main calculator window and the message loop. The program takes no command
// line; it ends through the services (Esc, "x", closing the main window), which end the
// process with status 0.
#include <windows.h>

#include "platform/win32/win32_services.h"
#include "window/win32/calculator_form.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*command_line*/,
                    int /*show*/) {
    platform::win32::Win32Services services;
    window::win32::CalculatorForm Form1(services);
    Form1.show();
    // No IsDialogMessage: Tab, Enter and Esc are the key map's, not a dialog's navigation.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
