#pragma once

#include "app/SerialDeviceMap.h"

#include <optional>
#include <string>
#include <vector>

namespace quillet {

// The options only the desktop program takes, besides the common ones.
struct DesktopOptions {
    bool unattended = false;     // message boxes answered at once, dialogs cancelled
    bool virtualScanner = false; // a pseudo-terminal pair stands in for the scanner
    bool demo = false;           // runs on a fresh copy of the bundled demo set-up
    bool demoScript = false;     // the demo scans its sample labels itself, then ends
    std::optional<double> quitAfterSeconds;
    SerialDeviceMap devices;
    std::string error; // set when an option is unknown or its value is missing or bad
};

// `rest` is what the common options left over, in order.
DesktopOptions ParseDesktopOptions(const std::vector<std::string>& rest);

} // namespace quillet
