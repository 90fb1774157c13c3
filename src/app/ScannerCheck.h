#pragma once

#include "app/ReferenceLabels.h"
#include "config/ScannerSetup.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

enum class CaseChange { None, Upper, Lower };
enum class GsChange { Kept, Dropped, Changed };

// What one scan of a reference label tells about the scanner's set-up.
struct ScannerFinding {
    const ReferenceLabel* reference = nullptr; // none: not a reference label
    ScannerSetup setup;                        // what "Use these settings" stores
    bool stxEtx = false;                       // removed whatever the settings say
    std::string symbologyId;                   // "]C0" as it came; empty when none
    CaseChange caseChange = CaseChange::None;
    GsChange gs = GsChange::Kept;
    char gsAs = 0; // what a changed GS became
    // Not a reference label: what the current settings make of the scan.
    bool madeLabel = false;
    std::string made;
};

// Compares one scan, as it came, with the reference labels' texts.
ScannerFinding CheckScan(std::string_view scan, const ScannerSetup& current);

// The finding in the operator's words, one line each, bytes in the trace's escapes.
std::vector<std::string> DescribeFinding(const ScannerFinding& finding);

} // namespace quillet
