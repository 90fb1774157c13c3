#pragma once

#include "app/ScannerCheck.h"
#include "app/ScannerTestText.h"
#include "config/ScannerSetup.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// The Scanner Test dialog as every desktop program draws it: the scans as they came, what
// the latest one tells about the scanner, and the set-up "Use these settings" stores. While
// it is open the poll hands each scan here instead of dispatching it.
class ScannerTest {
public:
    // `printLabels` opens the page of test labels and says what went wrong, empty when
    // nothing did.
    ScannerTest(const ScannerSetup& current, std::function<std::string()> printLabels)
        : current_(current), printLabels_(std::move(printLabels)) {}

    // One framed scan, as it came from the port.
    void Scanned(const std::string& bytes);
    void PrintLabels();

    // Each scan in the trace's escapes, oldest first.
    const std::vector<std::string>& Scans() const { return scans_; }
    // What the latest scan told, one line each; a prompt before the first.
    const std::vector<std::string>& Findings() const { return findings_; }
    // The latest scan was a reference label, so there is a set-up to store.
    bool CanUse() const { return found_.has_value(); }
    const std::optional<ScannerSetup>& Found() const { return found_; }

    // Called after every change, for the view to draw it again.
    void OnChange(std::function<void()> redraw) { redraw_ = std::move(redraw); }

private:
    void Changed();

    ScannerSetup current_;
    std::function<std::string()> printLabels_;
    std::function<void()> redraw_;
    std::vector<std::string> scans_;
    std::vector<std::string> findings_{scanner_test_text::kWaiting};
    std::optional<ScannerSetup> found_;
};

} // namespace quillet
