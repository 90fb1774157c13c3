#pragma once

#include "config/ScannerSetup.h"
#include "config/SettingsKeys.h"

#include <cstdint>
#include <string>

namespace quillet {

// The process-wide settings values, read from ZOR.INI at start-up.
struct Settings {
    std::string IniFile; // the settings file as found at start-up
    std::string CommSettings = setting_keys::kCommSettings.fallback; // baud,parity,data,stop
    std::int16_t CommPortNumber = setting_keys::kCommPort.number;
    std::string GCodePath = setting_keys::kGCodePath.fallback; // used exactly as read
    std::string CSVInPath = "C:"; // kCSVInPath's fallback as read: never ends with "\"
    std::string CSVOutPath = setting_keys::kCSVOutPath.fallback; // never ends with "\"
    int PollIntervalMs = setting_keys::kCommPollTime.number;     // Timer1's interval
    bool ForceCncExtension = false;                              // set by LoadSettings
    std::string ExclusionFlags;                                  // key Exclusion, eight "0"/"1"
    int HostCallTimeoutSeconds = setting_keys::kHostCallTimeout.number;
    // Why ZOR.INI, found, could not be read at start-up (the values above are defaults
    // then, and nothing may be saved over the file); empty when it was read.
    std::string IniReadFault;
    ScannerSetup Scanner; // what the scanner adds around each code ([Quillet])
    std::string ScannerPort; // the scanner port's identity; empty: known by number only
};

} // namespace quillet
