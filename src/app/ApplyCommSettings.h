#pragma once

#include "base/IniProfile.h"
#include "base/Operator.h"
#include "base/WindowState.h"
#include "config/SerialSettingsForm.h"
#include "config/Settings.h"

#include <functional>
#include <optional>
#include <string>

namespace quillet {

// Why the scanner's port could not be opened: the number and text of the
// unexpected-error message.
struct SerialOpenResult {
    bool ok = true;
    long errorNumber = 0;
    std::string errorText;
};

struct CommSettingsPorts {
    // Closes the port if open, then opens port `portNumber` with the settings text.
    std::function<SerialOpenResult(int portNumber, const std::string& settings)> open;
    // The serial settings dialog, modal: the choice on OK, nothing on Cancel.
    std::function<std::optional<SerialSettingsChoice>(const Settings&)> askSettings;
};

// The port's state where the main window shows the port: open, "COM1:9600,N,8,1"; lost
// (it did not open and nothing tries it again), "COM1: lost"; gone and tried again on a
// timer, "COM1: retrying".
std::string PortSettingsCaption(const Settings& settings);
std::string PortLostCaption(const Settings& settings);
std::string PortRetryingCaption(const Settings& settings);

// Opens the port with the current settings and shows them in the main window. A failure
// shows the port lost there instead, shows the unexpected-error message and
// offers the settings dialog; its OK stores the
// choice and tries again. The dialog is offered again only while each failing attempt
// uses settings other than the one before, so a port that keeps failing cannot hold the
// operator in a loop: OK on unchanged settings ends with the port closed. `ini` may be
// null (nothing is stored then). True when the port is open.
bool ApplyCommSettings(Settings& settings, IniProfile* ini, WindowState& window, Operator& op,
                       const CommSettingsPorts& ports);

// The menu's "&Settings": the dialog, then on OK the choice stored and applied. Nothing
// happens without a dialog to ask (nobody at the screen).
void ChangeCommSettings(Settings& settings, IniProfile* ini, WindowState& window, Operator& op,
                        const CommSettingsPorts& ports);

} // namespace quillet
