#pragma once

#include "config/SerialSettingsForm.h"
#include "config/Settings.h"

#include <windows.h>

#include <optional>

namespace quillet {

// frmSettings: the scanner's port and line settings as option buttons in frames. OK hands
// back the choice; the caller stores and applies it.
std::optional<SerialSettingsChoice> AskWin32SerialSettings(const Settings& settings, HWND owner);

} // namespace quillet
