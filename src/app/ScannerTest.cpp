#include "app/ScannerTest.h"

#include "app/ScannerTestText.h"
#include "base/Trace.h"

namespace quillet {

void ScannerTest::Scanned(const std::string& bytes) {
    scans_.push_back(EscapeTraceText(bytes));
    const ScannerFinding finding = CheckScan(bytes, current_);
    findings_ = DescribeFinding(finding);
    found_ = finding.reference != nullptr ? std::optional(finding.setup) : std::nullopt;
    Changed();
}

void ScannerTest::PrintLabels() {
    if (!printLabels_) {
        return;
    }
    if (const std::string failure = printLabels_(); !failure.empty()) {
        findings_ = {failure};
        Changed();
    }
}

void ScannerTest::Changed() {
    if (redraw_) {
        redraw_();
    }
}

} // namespace quillet
