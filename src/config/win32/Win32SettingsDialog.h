#pragma once

#include "config/SerialSettingsForm.h"
#include "config/Settings.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace quillet {

// frmSettings: the scanner's port and line settings as option buttons in frames. OK hands
// back the choice; the caller stores and applies it.
// The "Other:" list shows `ports`.
std::optional<SerialSettingsChoice> AskWin32SerialSettings(const Settings& settings,
                                                           const std::vector<SerialPortInfo>& ports,
                                                           HWND owner);

} // namespace quillet
