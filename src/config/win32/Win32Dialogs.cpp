#include "config/win32/Win32Dialogs.h"

namespace quillet {

namespace {

INT_PTR CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        return reinterpret_cast<const FormDialog*>(lParam)->init(window);
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const auto* dialog =
        reinterpret_cast<const FormDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    switch (LOWORD(wParam)) {
    case IDOK:
        dialog->store(window);
        ::EndDialog(window, IDOK);
        return TRUE;
    case IDCANCEL:
        ::EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        if (dialog->command) {
            dialog->command(window, LOWORD(wParam), HIWORD(wParam));
        }
        return FALSE;
    }
}

} // namespace

bool RunFormDialog(int templateId, HWND owner, const FormDialog& dialog) {
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                             FormProcedure, reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

} // namespace quillet
