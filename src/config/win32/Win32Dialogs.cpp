#include "config/win32/Win32Dialogs.h"

namespace quillet {

void CenterOnScreen(HWND window) {
    RECT box{};
    ::GetWindowRect(window, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG x = work.left + (work.right - work.left - (box.right - box.left)) / 2;
    const LONG y = work.top + (work.bottom - work.top - (box.bottom - box.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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
        return FALSE;
    }
}

} // namespace

bool RunFormDialog(int templateId, HWND owner, const FormDialog& dialog) {
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                             FormProcedure, reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

} // namespace quillet
