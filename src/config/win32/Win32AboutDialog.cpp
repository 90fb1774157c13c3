#include "config/win32/Win32AboutDialog.h"

#include "base/win32/WindowDpi.h"
#include "config/DialogText.h"
#include "config/win32/Win32ConfigResources.h"
#include "config/win32/Win32Dialogs.h"

namespace quillet {

namespace {

constexpr const char* kBoldProp = "QuilletBold";
constexpr const char* kDpiProp = "QuilletDpi";

// The product's name in bold: the dialog's font made bold, at the scale the dialog now has.
void MakeBold(HWND dialog, LONG height) {
    LOGFONTA font{};
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    ::GetObjectA(dialogFont, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    if (height != 0) {
        font.lfHeight = height;
        font.lfWidth = 0;
    }
    const HFONT bold = ::CreateFontIndirectA(&font);
    ::SendDlgItemMessageA(dialog, IDC_ABOUT_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(bold),
                          TRUE);
    ::DeleteObject(::RemovePropA(dialog, kBoldProp));
    ::SetPropA(dialog, kBoldProp, bold);
}

void ChangeScale(HWND dialog, UINT dpi) {
    const auto before = static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetPropA(dialog, kDpiProp)));
    LOGFONTA font{};
    ::GetObjectA(::GetPropA(dialog, kBoldProp), sizeof font, &font);
    MakeBold(dialog, Rescaled(font.lfHeight, dpi, before));
    ::SetPropA(dialog, kDpiProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void Init(HWND dialog) {
    ::SetWindowTextA(dialog, dialog_text::kAboutTitle);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, dialog_text::kAboutProduct);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_HOST, dialog_text::kAboutHost);
    ::SetDlgItemTextA(dialog, IDC_ABOUT_MAKER, dialog_text::kAboutMaker);
    ::SetDlgItemTextA(dialog, IDOK, dialog_text::kAboutOk);
    ::SetPropA(dialog, kDpiProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(DpiOf(dialog))));
    MakeBold(dialog, 0);
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
    case WM_DPICHANGED:
        ChangeScale(dialog, HIWORD(wParam));
        return FALSE;
    case WM_DESTROY:
        ::RemovePropA(dialog, kDpiProp);
        ::DeleteObject(::RemovePropA(dialog, kBoldProp));
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
