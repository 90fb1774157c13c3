#include "app/win32/Win32ScannerTestDialog.h"

#include "app/ScannerTestText.h"
#include "app/win32/Win32AppResources.h"
#include "base/win32/Win32CenterWindow.h"

namespace quillet {

namespace {

using namespace scanner_test_text;

void Redraw(HWND dialog, const ScannerTest& test) {
    const HWND scans = ::GetDlgItem(dialog, IDC_ST_SCANS);
    ::SendMessageA(scans, LB_RESETCONTENT, 0, 0);
    for (const std::string& scan : test.Scans()) {
        ::SendMessageA(scans, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(scan.c_str()));
    }
    const auto count = ::SendMessageA(scans, LB_GETCOUNT, 0, 0);
    ::SendMessageA(scans, LB_SETTOPINDEX, static_cast<WPARAM>(count > 0 ? count - 1 : 0), 0);
    std::string findings;
    for (const std::string& line : test.Findings()) {
        findings += findings.empty() ? line : "\r\n" + line;
    }
    ::SetDlgItemTextA(dialog, IDC_ST_FINDINGS, findings.c_str());
    ::EnableWindow(::GetDlgItem(dialog, IDC_ST_USE), test.CanUse() ? TRUE : FALSE);
}

void Init(HWND dialog, ScannerTest& test) {
    ::SetWindowTextA(dialog, kTitle);
    ::SetDlgItemTextA(dialog, IDC_ST_INTRO, kIntro);
    ::SetDlgItemTextA(dialog, IDC_ST_SCANS_CAPTION, kScansCaption);
    ::SetDlgItemTextA(dialog, IDC_ST_FINDINGS_CAPTION, kFindingsCaption);
    ::SetDlgItemTextA(dialog, IDC_ST_PRINT, kPrintLabels);
    ::SetDlgItemTextA(dialog, IDC_ST_USE, kUseSettings);
    ::SetDlgItemTextA(dialog, IDCANCEL, kClose);
    test.OnChange([dialog, &test] { Redraw(dialog, test); });
    Redraw(dialog, test);
    CenterWindow(dialog);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Init(dialog, *reinterpret_cast<ScannerTest*>(lParam));
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    auto* test = reinterpret_cast<ScannerTest*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    switch (LOWORD(wParam)) {
    case IDC_ST_PRINT:
        test->PrintLabels();
        return TRUE;
    case IDC_ST_USE:
        test->OnChange({});
        ::EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        test->OnChange({});
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<ScannerSetup> AskWin32ScannerTest(ScannerTest& test, HWND owner) {
    const INT_PTR chosen =
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SCANNER_TEST), owner,
                          Procedure, reinterpret_cast<LPARAM>(&test));
    test.OnChange({});
    if (chosen != IDOK) {
        return std::nullopt;
    }
    return test.Found();
}

} // namespace quillet
