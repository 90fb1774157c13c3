#pragma once

#include "app/CommandLine.h"
#include "app/DesktopOptions.h"
#include "app/DesktopProgramSetup.h"
#include "app/JournalFile.h"
#include "app/TraceFile.h"

#include <optional>
#include <string>
#include <vector>

namespace quillet {

// A desktop program's command line and what comes of it before any window: the options,
// the places of the settings, the trace file and the journal in front of it.
class DesktopLaunch {
public:
    static constexpr int kExitUsage = 2;

    // `args` without the program's own name. Empty when the options are good, otherwise
    // what is wrong with them.
    std::string Parse(const std::vector<std::string>& args);
    // May be changed between Parse and Open (the demo names its own folders).
    CommonOptions& Common() { return common_; }
    const DesktopOptions& Options() const { return desktop_; }
    // Finds the settings and opens the trace and the journal, once. Empty on success,
    // otherwise why the trace cannot be written.
    std::string Open(const std::string& executableDir);
    // After Open succeeded.
    DesktopProgramSetup Setup();
    Trace& trace() { return journal_ ? journal_->trace() : traceFile_.trace(); }

private:
    CommonOptions common_;
    DesktopOptions desktop_;
    SettingsLocations locations_;
    TraceFile traceFile_;
    std::optional<JournalFile> journal_;
    std::string testLabels_;
};

} // namespace quillet
