#include "config/win32/Win32SettingsDialog.h"

#include "config/DialogText.h"
#include "config/win32/Win32ConfigResources.h"
#include "config/win32/Win32Dialogs.h"

#include <array>
#include <string>
#include <vector>

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

// The port's options follow the form, and the note says how the port is found again.
void ShowPort(HWND dialog, const SerialSettingsForm& form) {
    const SerialOptionGroup& ports = SerialOptionGroups()[0];
    for (std::size_t i = 0; i < ports.options; ++i) {
        ::CheckDlgButton(dialog, IDC_OPT_PORT + static_cast<int>(i),
                         ports.selected(form, i) ? BST_CHECKED : BST_UNCHECKED);
    }
    ::SetDlgItemTextA(dialog, IDC_PORT_NOTE, PortIdentityNote(form).c_str());
}

void FillOtherPorts(HWND dialog, const SerialSettingsForm& form) {
    const std::vector<OtherPortEntry> entries = OtherPortEntries(form);
    for (const OtherPortEntry& entry : entries) {
        ::SendDlgItemMessageA(dialog, IDC_OTHER_PORT, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(entry.text.c_str()));
    }
    ::SendDlgItemMessageA(dialog, IDC_OTHER_PORT, CB_SETCURSEL,
                          static_cast<WPARAM>(OtherPortIndex(form)), 0);
    ::EnableWindow(::GetDlgItem(dialog, IDC_OTHER_PORT), !entries.empty());
    ::EnableWindow(::GetDlgItem(dialog, IDC_OPT_PORT + static_cast<int>(kOtherPortOption)),
                   !entries.empty());
}

// A line picked from the list chooses its port; a port option picked changes the note.
void Follow(HWND dialog, SerialSettingsForm& form, int control, int notification) {
    if (control == IDC_OTHER_PORT && notification == CBN_SELCHANGE) {
        const LRESULT picked = ::SendDlgItemMessageA(dialog, IDC_OTHER_PORT, CB_GETCURSEL, 0, 0);
        if (picked >= 0) {
            PickOtherPort(form, static_cast<std::size_t>(picked));
        }
        ShowPort(dialog, form);
        return;
    }
    const int option = control - IDC_OPT_PORT;
    if (notification == BN_CLICKED && option >= 0 &&
        option < static_cast<int>(SerialOptionGroups()[0].options)) {
        SerialOptionGroups()[0].select(form, static_cast<std::size_t>(option));
        ShowPort(dialog, form);
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
    FillOtherPorts(dialog, form);
    ShowPort(dialog, form);
    CenterWindow(dialog);
}

} // namespace

std::optional<SerialSettingsChoice> AskWin32SerialSettings(const Settings& settings,
                                                           const std::vector<SerialPortInfo>& ports,
                                                           HWND owner) {
    SerialSettingsForm form = LoadSerialSettingsForm(settings, ports);
    const FormDialog dialog{[&](HWND window) {
                                Init(window, form);
                                return TRUE;
                            },
                            [&](HWND window) { Exchange(window, form, false); },
                            [&](HWND window, int control, int notification) {
                                Follow(window, form, control, notification);
                            }};
    if (!RunFormDialog(IDD_SETTINGS, owner, dialog)) {
        return std::nullopt;
    }
    return ChosenSerialSettings(form);
}

} // namespace quillet
