#pragma once

#include <cstdint>
#include <string>

namespace quillet {

inline constexpr const char* kSection = "VORKSTAB";

// The process-wide settings values, read from ZOR.INI at start-up.
struct Settings {
    std::string IniFile;                     // the settings file as found at start-up
    std::string CommSettings = "9600,N,8,1"; // baud,parity,data bits,stop bits
    std::int16_t CommPortNumber = 1;
    std::string GCodePath = "C:\\MIRT\\PRODUCT\\"; // used exactly as read
    std::string CSVInPath = "C:";                  // never ends with "\"
    std::string CSVOutPath = "C:\\Quillet.csv";    // never ends with "\"
    int PollIntervalMs = 1000;                     // Timer1's interval
    bool ForceCncExtension = false;                // set by LoadSettings
    std::string ExclusionFlags;                    // key Exclusion, eight "0"/"1"
};

} // namespace quillet
