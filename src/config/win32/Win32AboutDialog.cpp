#include "config/win32/Win32AboutDialog.h"

#include "config/DialogText.h"
#include "config/win32/Win32ConfigResources.h"
#include "config/win32/Win32Dialogs.h"

namespace quillet {

namespace {

void Init(HWND dialog) {
    ::SetWindowTextA(dialog, dialog_text::kAboutTitle);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, dialog_text::kAboutProduct);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_HOST, dialog_text::kAboutHost);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_MAKER, dialog_text::kAboutMaker);
    ::SetDlgItemTextA(dialog, IDOK, dialog_text::kAboutOk);
    LOGFONTA font{};
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    ::GetObjectA(dialogFont, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    const HFONT bold = ::CreateFontIndirectA(&font);
    ::SetPropA(dialog, "QuilletBold", bold);
    ::SendDlgItemMessageA(dialog, IDC_ABOUT_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(bold),
                          FALSE);
    CenterWindow(dialog);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        Init(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    case WM_DESTROY:
        ::DeleteObject(::RemovePropA(dialog, "QuilletBold"));
        return FALSE;
    default:
        break;
    }
    return FALSE;
}

} // namespace

void ShowWin32AboutDialog(HWND owner) {
    ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, Procedure,
                      0);
}

} // namespace quillet
