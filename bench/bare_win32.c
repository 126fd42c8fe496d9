/* The reference for kirune.exe's start-up: the least a Win32 calculator display can be, one
 * popup window holding one EDIT control that shows "0", built as kirune.exe is (mingw-w64,
 * -Os, static, the same manifest), so that the ratio measures Kirune's own work. */
#include <windows.h>

static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show) {
    (void)previous;
    (void)command_line;
    WNDCLASSW window_class = {0};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    window_class.lpszClassName = L"BareWin32";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, L"BareWin32", L"Bare", WS_POPUP, 100, 100, 90, 17, NULL, NULL,
                                  instance, NULL);
    HWND edit = CreateWindowExW(0, L"EDIT", L"0", WS_CHILD | WS_VISIBLE, 0, 0, 90, 17, window, NULL,
                                instance, NULL);
    ShowWindow(window, show);
    SetFocus(edit);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
