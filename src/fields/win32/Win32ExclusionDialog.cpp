#include "fields/win32/Win32ExclusionDialog.h"

#include "config/win32/Win32Dialogs.h"
#include "fields/ExclusionFlags.h"
#include "fields/FieldDialogText.h"
#include "fields/win32/Win32FieldResources.h"

namespace quillet {

namespace {

struct Exchange {
    std::string flags;
};

void Init(HWND dialog, const Exchange& exchange) {
    ::SetWindowTextA(dialog, field_text::kExclusionTitle);
    ::SetDlgItemTextA(dialog, IDC_EXCLUSION_PROMPT, field_text::kExclusionPrompt);
    ::SetDlgItemTextA(dialog, IDOK, field_text::kOk);
    ::SetDlgItemTextA(dialog, IDCANCEL, field_text::kCancel);
    const ExclusionTicks ticks = ExclusionTicksFrom(exchange.flags);
    for (int i = 0; i < kExclusionCount; ++i) {
        ::SetDlgItemTextA(dialog, IDC_EXCLUSION_CHECK1 + i, std::to_string(i + 1).c_str());
        ::CheckDlgButton(dialog, IDC_EXCLUSION_CHECK1 + i,
                         ticks[static_cast<std::size_t>(i)] ? BST_CHECKED : BST_UNCHECKED);
    }
    CenterOnScreen(dialog);
}

std::string FlagsOf(HWND dialog) {
    ExclusionTicks ticks{};
    for (int i = 0; i < kExclusionCount; ++i) {
        ticks[static_cast<std::size_t>(i)] =
            ::IsDlgButtonChecked(dialog, IDC_EXCLUSION_CHECK1 + i) != BST_UNCHECKED;
    }
    return ExclusionFlagsFrom(ticks);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Init(dialog, *reinterpret_cast<Exchange*>(lParam));
        ::SetFocus(::GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    auto* exchange = reinterpret_cast<Exchange*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    switch (LOWORD(wParam)) {
    case IDOK:
        exchange->flags = FlagsOf(dialog);
        ::EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::string> AskWin32ExclusionFlags(const std::string& flags, HWND owner) {
    Exchange exchange{flags};
    const INT_PTR answer =
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EXCLUSION), owner,
                          Procedure, reinterpret_cast<LPARAM>(&exchange));
    if (answer != IDOK) {
        return std::nullopt;
    }
    return exchange.flags;
}

} // namespace quillet
