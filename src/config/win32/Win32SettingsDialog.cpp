#include "config/win32/Win32SettingsDialog.h"

#include "config/DialogText.h"
#include "config/win32/Win32ConfigResources.h"
#include "config/win32/Win32Dialogs.h"

#include <string>

namespace quillet {

namespace {

// One frame of option buttons: its first control number, caption and the form value each
// option stands for.
template <typename Values, typename Caption, typename Selected, typename Select>
void ForOptions(const Values& values, int firstId, Caption caption, Selected selected,
                Select select, HWND dialog, bool load) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int id = firstId + static_cast<int>(i);
        if (load) {
            ::SetDlgItemTextA(dialog, id, caption(i).c_str());
            ::CheckDlgButton(dialog, id, selected(values[i]) ? BST_CHECKED : BST_UNCHECKED);
        } else if (::IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            select(values[i]);
        }
    }
}

// Loads the form into the options, or, with `load` false, takes the checked options back
// into it; a frame with nothing checked keeps its value.
void Exchange(HWND dialog, SerialSettingsForm& form, bool load) {
    const auto number = [](auto value) { return std::to_string(value); };
    ForOptions(
        kPortOptions, IDC_OPT_PORT,
        [&](std::size_t i) { return dialog_text::kPortCaptionPrefix + number(kPortOptions[i]); },
        [&](std::int16_t port) { return form.SelPort == port; },
        [&](std::int16_t port) { form.SelPort = port; }, dialog, load);
    ForOptions(
        kBaudOptions, IDC_OPT_BAUD, [&](std::size_t i) { return number(kBaudOptions[i]); },
        [&](std::int32_t baud) { return form.SelBaud == baud; },
        [&](std::int32_t baud) { form.SelBaud = baud; }, dialog, load);
    ForOptions(
        kParityOptions, IDC_OPT_PARITY,
        [&](std::size_t i) { return std::string(dialog_text::kParityCaptions[i]); },
        [&](const char* parity) { return form.SelParity == parity; },
        [&](const char* parity) { form.SelParity = parity; }, dialog, load);
    ForOptions(
        kDataBitsOptions, IDC_OPT_DATABITS,
        [&](std::size_t i) { return number(kDataBitsOptions[i]); },
        [&](std::int16_t bits) { return form.SelDataBits == bits; },
        [&](std::int16_t bits) { form.SelDataBits = bits; }, dialog, load);
    ForOptions(
        kStopBitsOptions, IDC_OPT_STOPBITS,
        [&](std::size_t i) { return number(kStopBitsOptions[i]); },
        [&](std::int16_t bits) { return form.SelStopBits == bits; },
        [&](std::int16_t bits) { form.SelStopBits = bits; }, dialog, load);
}

void Init(HWND dialog, SerialSettingsForm& form) {
    ::SetWindowTextA(dialog, dialog_text::kSettingsTitle);
    ::SetDlgItemTextA(dialog, IDC_FRAME_PORT, dialog_text::kComPortFrame);
    ::SetDlgItemTextA(dialog, IDC_FRAME_BAUD, dialog_text::kBaudRateFrame);
    ::SetDlgItemTextA(dialog, IDC_FRAME_PARITY, dialog_text::kParityFrame);
    ::SetDlgItemTextA(dialog, IDC_FRAME_DATABITS, dialog_text::kDataBitsFrame);
    ::SetDlgItemTextA(dialog, IDC_FRAME_STOPBITS, dialog_text::kStopBitsFrame);
    ::SetDlgItemTextA(dialog, IDOK, dialog_text::kSettingsOk);
    ::SetDlgItemTextA(dialog, IDCANCEL, dialog_text::kSettingsCancel);
    Exchange(dialog, form, true);
    CenterOnScreen(dialog);
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
