#include "fields/win32/Win32ExclusionDialog.h"

#include "config/win32/Win32Dialogs.h"
#include "fields/ExclusionFlags.h"
#include "fields/FieldDialogText.h"
#include "fields/win32/Win32FieldResources.h"

namespace quillet {

namespace {

void Init(HWND dialog, const std::string& flags) {
    ::SetWindowTextA(dialog, field_text::kExclusionTitle);
    ::SetDlgItemTextA(dialog, IDC_EXCLUSION_PROMPT, field_text::kExclusionPrompt);
    ::SetDlgItemTextA(dialog, IDOK, field_text::kOk);
    ::SetDlgItemTextA(dialog, IDCANCEL, field_text::kCancel);
    const ExclusionTicks ticks = ExclusionTicksFrom(flags);
    for (int i = 0; i < kExclusionCount; ++i) {
        ::SetDlgItemTextA(dialog, IDC_EXCLUSION_CHECK1 + i, std::to_string(i + 1).c_str());
        ::CheckDlgButton(dialog, IDC_EXCLUSION_CHECK1 + i,
                         ticks[static_cast<std::size_t>(i)] ? BST_CHECKED : BST_UNCHECKED);
    }
    CenterWindow(dialog);
}

std::string FlagsOf(HWND dialog) {
    ExclusionTicks ticks{};
    for (int i = 0; i < kExclusionCount; ++i) {
        ticks[static_cast<std::size_t>(i)] =
            ::IsDlgButtonChecked(dialog, IDC_EXCLUSION_CHECK1 + i) != BST_UNCHECKED;
    }
    return ExclusionFlagsFrom(ticks);
}

} // namespace

std::optional<std::string> AskWin32ExclusionFlags(const std::string& flags, HWND owner) {
    std::string chosen = flags;
    const FormDialog dialog{[&](HWND window) {
                                Init(window, flags);
                                // OK has the focus, so Enter confirms the flags as shown.
                                ::SetFocus(::GetDlgItem(window, IDOK));
                                return FALSE;
                            },
                            [&](HWND window) { chosen = FlagsOf(window); }};
    if (!RunFormDialog(IDD_EXCLUSION, owner, dialog)) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace quillet
