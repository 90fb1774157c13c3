#pragma once

#include <string>

namespace quillet {

// The status lines of a scanner port that goes away and comes back, for every platform.
inline std::string ScannerPortLostText(const std::string& device, const std::string& reason) {
    return "Scanner port " + device + " lost: " + reason;
}

inline std::string ScannerPortBackText(const std::string& device) {
    return "Scanner port " + device + " is back.";
}

// The scanner, remembered by its identity, found under another number and opened there.
inline std::string ScannerFoundText(int portNumber) {
    return "Scanner found on COM" + std::to_string(portNumber);
}

// The failure of a settings text that names no line a port can take.
inline constexpr long kBadSettingsError = 380;
inline constexpr const char* kBadSettingsText = "Invalid property value";

} // namespace quillet
