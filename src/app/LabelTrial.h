#pragma once

#include "app/Application.h"
#include "app/StatusTrace.h"
#include "base/RefusingFileSystem.h"
#include "host/RecordingHost.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// What one tried label would have done: its lines in order, as the trace words them
// ("host AddLine ...", "file append C:\CSV\ALL.CSV 30 bytes", "decide ...", "status ...").
struct TryReport {
    std::string label; // the bytes as they came, escaped
    std::vector<std::string> lines;
};

// The report as one block of text: "label <label>", then each line indented.
std::string TryReportText(const TryReport& report);

// Collects a tried label's lines; each goes to the journal as "try <line>" as well, so the
// day keeps the try as a try and never as a label. Flush ends the block.
class TrialTrace final : public Trace {
public:
    explicit TrialTrace(Trace* journal) : journal_(journal) {}
    void OnReport(std::function<void(const TryReport&)> report) { report_ = std::move(report); }
    void Event(std::string_view kind, std::string_view text) override;
    void Note(std::string_view kind, std::string_view text) override;
    void Flush() override;
    // Forgets what was collected (the try's own start-up).
    void Discard() { block_ = {}; }
    // While quiet, nothing reaches the journal.
    void Quiet(bool quiet) { quiet_ = quiet; }

private:
    TryReport block_;
    Trace* journal_;
    bool quiet_ = false;
    std::function<void(const TryReport&)> report_;
};

// Labels tried without touching the machine: the same interpreter with the settings, the
// program folder and the machine field table read from disk as they stand, against a host
// that only records and a file system that keeps every write to itself. Its own label
// state, apart from the real session's: a row set tried stays a tried one.
class LabelTrial {
public:
    // `files`: the real file system, only read; `journal`: where tries are recorded.
    LabelTrial(FileSystem& files, SettingsLocations locations, Trace* journal);
    ~LabelTrial();
    LabelTrial(const LabelTrial&) = delete;
    LabelTrial& operator=(const LabelTrial&) = delete;

    void OnReport(std::function<void(const TryReport&)> report) {
        trace_.OnReport(std::move(report));
    }

    // Before a label: made afresh from the disk (so a changed setting or field table
    // counts) unless an earlier try left rows or a field code waiting. A fresh one starts
    // from a copy of `real`'s label state (a row tried after a real half set completes the
    // copy, never the set) and, without `real`, from where the tries so far left the first
    // label's set-up. The option boxes come from `boxes` (none: as ZOR.INI gives them).
    // False when the settings cannot be read.
    bool Prepare(const WindowState* boxes, Application* real);
    // The option boxes of the tries.
    WindowState* Boxes();
    // A whole scan: the bytes arrive and ticks run until they are framed and handled.
    void Scan(std::string_view bytes);
    // A label typed into the main window's box ("Edit", the text, "OK").
    void Type(const std::string& text);
    // Scans from the scanner, as the poll hands them over.
    void Arrive(std::string_view bytes);
    void Tick();
    // A scan is being collected: it goes on in the same try.
    bool Framing() const;

private:
    struct Engine;
    bool StartEngine();

    FileSystem& files_;
    SettingsLocations locations_;
    TrialTrace trace_;
    std::unique_ptr<Engine> engine_;
    bool firstScanPending_ = true;
};

} // namespace quillet
