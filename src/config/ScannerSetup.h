#pragma once

#include "base/IniProfile.h"

#include <string>

namespace quillet {

// What a scanner is set up to send around each code beyond the terminator every scanner
// may add: a fixed prefix, a fixed suffix (both empty when it adds none) and an AIM
// symbology identifier ("]", a letter, a modifier) before the code.
struct ScannerSetup {
    std::string prefix;
    std::string suffix;
    bool symbologyId = false;

    bool operator==(const ScannerSetup&) const = default;
};

// The set-up in ZOR.INI's own section; absent keys give the empty set-up. Prefix and suffix
// are written in the trace's escapes; one that does not unescape is taken as written.
ScannerSetup ReadScannerSetup(const IniProfile& ini);

// Writes all three keys in one write of the file.
FileWrite SaveScannerSetup(IniProfile& ini, const ScannerSetup& setup);

// The text stored for a prefix or suffix: escaped, with blanks at either end written as
// "\x20" so that the profile's trimming keeps them.
std::string ScannerTextForIni(const std::string& bytes);

} // namespace quillet
