#pragma once

#include "app/Journal.h"
#include "base/SystemFolders.h"
#include "config/PathMap.h"
#include "config/SettingsLoader.h"
#include "host/HostSimulationOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillet {

// Which host a program talks to: the real one over COM (Windows only) or the simulated one.
// Default leaves the choice to the program.
enum class HostKind { Default, Simulated, Com };

// The options every program and tool of the project takes.
struct CommonOptions {
    std::optional<std::string> programDir, windowsDir;
    std::vector<std::pair<char, std::string>> drives; // letter (upper case), native folder
    std::optional<std::string> traceFile;             // "-" is standard output
    std::optional<std::string> journal;               // a folder, or "off"
    int journalDays = JournalLimits{}.keepDays;
    HostSimulationOptions host;
    HostKind hostKind = HostKind::Default;
    std::vector<std::string> rest; // everything else, in order
    std::string error;             // set when an option's value is missing or bad
};

// `args` without the program's own name. Takes "--opt value" and "--opt=value"; "--" ends
// the options and passes all that follows to `rest`. Parsing stops at the first error.
// "--host com" is refused where `comHostBuilt` is false.
CommonOptions ParseCommonOptions(const std::vector<std::string>& args,
                                 bool comHostBuilt = ComHostBuilt());

// The help lines of the options above, --help and --version, for every program that takes
// them; the program's own lines come before them.
std::string CommonOptionsHelp();

// A non-negative decimal number of seconds ("30", "0.5"); empty for anything else.
std::optional<double> ParseSeconds(const std::string& text);

// Looks up an environment variable; empty when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char*)>;

// The program folder is the executable's unless overridden; the Windows directory is
// $XDG_CONFIG_HOME/quillet, else $HOME/.config/quillet, unless overridden.
SettingsLocations ResolveLocations(const CommonOptions& options, const std::string& executableDir,
                                   const EnvironmentLookup& environment);
// As above, except that the system's own Windows directory, where there is one, is the
// default.
SettingsLocations ResolveLocations(const CommonOptions& options, const std::string& executableDir);

// A drive letter maps to the folder --drive gives it; any other maps to
// <windows dir>/drives/<letter>, or stays as it is where drive letters are native.
PathMap MakePathMap(const CommonOptions& options, const SettingsLocations& locations,
                    bool nativeDrives = NativeDriveLetters());

} // namespace quillet
