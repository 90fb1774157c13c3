#include "app/ApplyCommSettings.h"

#include "config/SettingsLoader.h"

#include <utility>

namespace quillet {

namespace {

using Attempt = std::pair<std::int16_t, std::string>;

Attempt CurrentAttempt(const Settings& settings) {
    return {settings.CommPortNumber, settings.CommSettings};
}

void Store(const SerialSettingsChoice& choice, Settings& settings, IniProfile* ini) {
    TakeSerialSettings(choice, settings);
    if (ini != nullptr) {
        SaveCommSettings(*ini, settings);
    }
}

} // namespace

std::string PortSettingsCaption(const Settings& settings) {
    return "COM" + std::to_string(settings.CommPortNumber) + ":" + settings.CommSettings;
}

std::string PortLostCaption(const Settings& settings) {
    return "COM" + std::to_string(settings.CommPortNumber) + ": lost";
}

std::string PortRetryingCaption(const Settings& settings) {
    return "COM" + std::to_string(settings.CommPortNumber) + ": retrying";
}

bool ApplyCommSettings(Settings& settings, IniProfile* ini, WindowState& window, Operator& op,
                       const CommSettingsPorts& ports) {
    std::optional<Attempt> lastFailed;
    for (;;) {
        const SerialOpenResult opened = ports.open(settings.CommPortNumber, settings.CommSettings);
        if (opened.ok) {
            window.SetPortSettingsCaption(PortSettingsCaption(settings));
            return true;
        }
        // Opening closed the port that was open: the caption must not show it open.
        window.SetPortSettingsCaption(PortLostCaption(settings));
        op.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                   UnexpectedErrorText(opened.errorNumber, opened.errorText));
        const Attempt attempt = CurrentAttempt(settings);
        if (lastFailed == attempt || !ports.askSettings) {
            return false;
        }
        lastFailed = attempt;
        const std::optional<SerialSettingsChoice> choice = ports.askSettings(settings);
        if (!choice) {
            return false;
        }
        Store(*choice, settings, ini);
    }
}

void ChangeCommSettings(Settings& settings, IniProfile* ini, WindowState& window, Operator& op,
                        const CommSettingsPorts& ports) {
    if (!ports.askSettings) {
        return;
    }
    const std::optional<SerialSettingsChoice> choice = ports.askSettings(settings);
    if (!choice) {
        return;
    }
    Store(*choice, settings, ini);
    ApplyCommSettings(settings, ini, window, op, ports);
}

} // namespace quillet
