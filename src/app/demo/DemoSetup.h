#pragma once

#include <string>
#include <vector>

namespace quillet {

// One sample label of the demo and what it shows.
struct DemoLabel {
    std::string bytes;
    std::string description;
};

// A fresh copy of the bundled demo set-up.
struct DemoSetup {
    std::string folder;     // the copy
    std::string programDir; // holds ZOR.INI
    std::string windowsDir;
    std::vector<DemoLabel> labels;
    std::string error; // set when the copy could not be made
};

inline constexpr const char* kDemoFolderMarker = "@DEMO@";

// Copies the demo folder `source` into a new folder "quillet-demo-XXXXXX" under `parent`:
// its programs, list file and companion records as they are, and ZOR.INI into bin/ with
// every "@DEMO@" replaced by the copy's native path. The sample labels come from
// labels.txt: one a line, the label's bytes (with the trace's escapes), a tab, its
// description.
DemoSetup MakeDemoSetup(const std::string& source, const std::string& parent);

// The demo folder beside the executable (copied there by the build), else where an
// installation keeps it, else `fallback`.
std::string FindDemoSource(const std::string& executableDir, const std::string& fallback);

// $TMPDIR when it is an absolute path, else /tmp: where the demo's copy goes.
std::string TemporaryParent();

// What the demo tells whoever started it: its folder and how to scan each sample label.
std::string DemoHelp(const DemoSetup& demo, const std::string& scannerPath);

// The shell command that scans `bytes` through the scanner at `path`:
// printf '%%12DEMO1 N 5' > 'PATH'
std::string PrintfCommand(const std::string& bytes, const std::string& path);

} // namespace quillet
