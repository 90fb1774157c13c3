#include "config/win32/Win32SettingsDialog.h"

#include "config/DialogText.h"
#include "config/win32/Win32ConfigResources.h"
#include "config/win32/Win32Dialogs.h"

#include <array>
#include <string>

namespace quillet {

namespace {

// The frame and first option control of each option group, in the form's order.
struct GroupControls {
    int frame;
    int firstOption;
};
constexpr std::array<GroupControls, kSerialOptionGroups> kGroupControls = {{
    {IDC_FRAME_PORT, IDC_OPT_PORT},
    {IDC_FRAME_BAUD, IDC_OPT_BAUD},
    {IDC_FRAME_PARITY, IDC_OPT_PARITY},
    {IDC_FRAME_DATABITS, IDC_OPT_DATABITS},
    {IDC_FRAME_STOPBITS, IDC_OPT_STOPBITS},
}};

// Loads the form into the options, or, with `load` false, takes the checked options back
// into it; a frame with nothing checked keeps its value.
void Exchange(HWND dialog, SerialSettingsForm& form, bool load) {
    for (std::size_t g = 0; g < kSerialOptionGroups; ++g) {
        const SerialOptionGroup& group = SerialOptionGroups()[g];
        for (std::size_t i = 0; i < group.options; ++i) {
            const int id = kGroupControls[g].firstOption + static_cast<int>(i);
            if (load) {
                ::SetDlgItemTextA(dialog, id, group.optionCaption(i).c_str());
                ::CheckDlgButton(dialog, id, group.selected(form, i) ? BST_CHECKED : BST_UNCHECKED);
            } else if (::IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
                group.select(form, i);
            }
        }
    }
}

void Init(HWND dialog, SerialSettingsForm& form) {
    ::SetWindowTextA(dialog, dialog_text::kSettingsTitle);
    for (std::size_t g = 0; g < kSerialOptionGroups; ++g) {
        ::SetDlgItemTextA(dialog, kGroupControls[g].frame, SerialOptionGroups()[g].caption);
    }
    ::SetDlgItemTextA(dialog, IDOK, dialog_text::kSettingsOk);
    ::SetDlgItemTextA(dialog, IDCANCEL, dialog_text::kSettingsCancel);
    Exchange(dialog, form, true);
    CenterWindow(dialog);
}

} // namespace

std::optional<SerialSettingsChoice> AskWin32SerialSettings(const Settings& settings, HWND owner) {
    SerialSettingsForm form =
        LoadSerialSettingsForm(settings.CommPortNumber, settings.CommSettings);
    const FormDialog dialog{[&](HWND window) {
                                Init(window, form);
                                return TRUE;
                            },
                            [&](HWND window) { Exchange(window, form, false); }};
    if (!RunFormDialog(IDD_SETTINGS, owner, dialog)) {
        return std::nullopt;
    }
    return ChosenSerialSettings(form);
}

} // namespace quillet
