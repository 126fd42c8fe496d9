#include "platform/win32/input_dialog.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/texts.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

constexpr int field_id = 100;
// Predefined control classes, named by atom in a dialog template.
constexpr WORD button_class = 0x0080;
constexpr WORD edit_class = 0x0081;
constexpr WORD static_class = 0x0082;

// A DLGTEMPLATE and its items as the dialog manager reads them: 16-bit words, each item
// starting on a 32-bit boundary.
class DialogTemplate {
public:
    DialogTemplate(const std::wstring& title, short width, short height, WORD items) {
        add_dword(DS_MODALFRAME | DS_SHELLFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        add_dword(0);
        words.insert(words.end(), {items, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height),
                                   0, 0});  // no menu, own class
        add_text(title);
        // "MS Shell Dlg" is the system's dialog font: on a Japanese Windows a Japanese one.
        words.push_back(9);
        add_text(L"MS Shell Dlg");
    }

    void add_item(DWORD style, short x, short y, short width, short height, WORD id,
                  WORD control_class, const std::wstring& text) {
        if (words.size() % 2 != 0) {
            words.push_back(0);
        }
        add_dword(style | WS_CHILD | WS_VISIBLE);
        add_dword(0);
        words.insert(words.end(),
                     {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width),
                      static_cast<WORD>(height), id, 0xFFFF, control_class});
        add_text(text);
        words.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void add_dword(DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    }
    void add_text(std::wstring_view text) {
        words.insert(words.end(), text.begin(), text.end());
        words.push_back(0);
    }

    std::vector<WORD> words;
};

INT_PTR CALLBACK dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            return TRUE;  // the dialog manager focuses the field and selects its text
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                auto* answer =
                    reinterpret_cast<std::wstring*>(GetWindowLongPtrW(dialog, DWLP_USER));
                const HWND field = GetDlgItem(dialog, field_id);
                answer->resize(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1);
                const int length =
                    GetWindowTextW(field, answer->data(), static_cast<int>(answer->size()));
                answer->resize(static_cast<std::size_t>(length));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::wstring> input_dialog(HWND owner, const std::wstring& prompt,
                                         const std::wstring& title,
                                         const std::wstring& default_text) {
    // Dialog units. The prompt comes just before the field, so screen readers take it for the
    // field's label; the field is the first tab stop and takes the focus, as the user types at
    // once. SS_NOPREFIX: an "&" in the prompt shows as typed.
    DialogTemplate dialog(title, 240, 84, 4);
    dialog.add_item(SS_LEFT | SS_NOPREFIX, 7, 7, 170, 50, static_cast<WORD>(-1), static_class,
                    prompt);
    dialog.add_item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 63, 226, 14, field_id, edit_class,
                    default_text);
    dialog.add_item(BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 7, 50, 14, IDOK, button_class,
                    to_wide(ok_button_text));
    dialog.add_item(BS_PUSHBUTTON | WS_TABSTOP, 183, 25, 50, 14, IDCANCEL, button_class,
                    to_wide(cancel_button_text));
    std::wstring answer;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner,
                                                   dialog_proc, reinterpret_cast<LPARAM>(&answer));
    if (result != IDOK) {
        return std::nullopt;
    }
    return answer;
}

}  // namespace platform::win32
