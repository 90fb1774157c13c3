#include "app/CommandLine.h"

#include "base/InfoRequest.h"

#include <charconv>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillet {

namespace {

enum class Kind {
    Folder,
    Drive,
    Trace,
    WithholdList,
    ConnectTimeout,
    FailAddLine,
    Flag,
    Host,
    Journal,
    JournalDays,
};

struct OptionDef {
    std::string_view name;
    Kind kind;
};

constexpr OptionDef kOptions[] = {
    {"--program-dir", Kind::Folder},
    {"--windows-dir", Kind::Folder},
    {"--drive", Kind::Drive},
    {"--trace", Kind::Trace},
    {"--host-withhold-list", Kind::WithholdList},
    {"--host-connect-timeout", Kind::ConnectTimeout},
    {"--host-fail-addline", Kind::FailAddLine},
    {"--host-no-device-status", Kind::Flag},
    {"--host", Kind::Host},
    {"--journal", Kind::Journal},
    {"--journal-days", Kind::JournalDays},
};

const OptionDef* FindOption(std::string_view name) {
    for (const OptionDef& def : kOptions) {
        if (def.name == name) {
            return &def;
        }
    }
    return nullptr;
}

std::optional<int> Count(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::atoi(text.c_str());
}

bool ApplyDrive(CommonOptions& options, const std::string& value) {
    const char letter = value.empty() ? '\0' : value[0];
    const bool isLetter = (letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z');
    if (!isLetter || value.size() < 3 || value[1] != '=') {
        return false;
    }
    const char upper = letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter;
    options.drives.emplace_back(upper, value.substr(2));
    return true;
}

// Applies one option's value; false when the value is not acceptable.
bool Apply(CommonOptions& options, std::string_view name, Kind kind, const std::string& value) {
    switch (kind) {
    case Kind::Host:
        if (value == "simulated" || value == "com") {
            options.hostKind = value == "com" ? HostKind::Com : HostKind::Simulated;
            return true;
        }
        return false;
    case Kind::Folder:
        (name == "--program-dir" ? options.programDir : options.windowsDir) = value;
        return !value.empty();
    case Kind::Drive:
        return ApplyDrive(options, value);
    case Kind::Trace:
        options.traceFile = value;
        return !value.empty();
    case Kind::WithholdList:
        if (value == "forever") {
            options.host.withholdListForever = true;
            return true;
        }
        if (const std::optional<int> count = Count(value)) {
            options.host.withholdList = *count;
            return true;
        }
        return false;
    case Kind::ConnectTimeout:
        if (const std::optional<double> seconds = ParseSeconds(value)) {
            options.host.connectTimeoutSeconds = *seconds;
            return true;
        }
        return false;
    case Kind::FailAddLine:
        if (const std::optional<int> count = Count(value)) {
            options.host.failAddLine = *count;
            return true;
        }
        return false;
    case Kind::Flag:
        options.host.noDeviceStatus = true;
        return true;
    case Kind::Journal:
        options.journal = value;
        return !value.empty();
    case Kind::JournalDays:
        if (const std::optional<int> days = Count(value); days && *days > 0) {
            options.journalDays = *days;
            return true;
        }
        return false;
    }
    return false;
}

std::string Expectation(Kind kind) {
    switch (kind) {
    case Kind::Folder:
        return "a folder";
    case Kind::Drive:
        return "a drive letter and a folder, as C=DIR";
    case Kind::Trace:
        return "a file name, or - for standard output";
    case Kind::WithholdList:
        return "a count of calls, or forever";
    case Kind::ConnectTimeout:
        return "a number of seconds";
    case Kind::FailAddLine:
        return "a count of calls";
    case Kind::Flag:
        return "no value";
    case Kind::Host:
        return "com or simulated";
    case Kind::Journal:
        return "a folder, or off";
    case Kind::JournalDays:
        return "a number of days";
    }
    return {};
}

constexpr const char* kCommonHelp =
    "Options every program takes:\n"
    "  --program-dir DIR     the program's own folder (default: the executable's folder)\n"
    "  --windows-dir DIR     the folder that stands for the Windows directory (default: the\n"
    "                        system's own where there is one, else $XDG_CONFIG_HOME/quillet,\n"
    "                        else ~/.config/quillet)\n"
    "  --drive L=DIR         maps drive letter L onto a folder (repeatable)\n"
    "  --trace FILE          writes the trace to FILE (- for standard output); off by\n"
    "                        default in quillet (standard output with --demo-script),\n"
    "                        standard output in quillet-replay\n"
    "  --journal DIR|off     keeps the journal of every label in DIR, one file a day, or\n"
    "                        none; quillet keeps one by default (see README), the tools\n"
    "                        only when told\n"
    "  --journal-days N      day files older than N days are removed at start (default 90)\n"
    "  --host com|simulated  the host to talk to: the real one over COM (Windows builds\n"
    "                        only; the Linux build knows only simulated) or the simulated\n"
    "                        one. quillet.exe uses the real one unless told, quillet-replay\n"
    "                        the simulated one; --demo always uses the simulated one\n"
    "  --host-withhold-list N|forever\n"
    "                        the simulated host's first N GetExeList calls yield nothing\n"
    "  --host-connect-timeout SECONDS\n"
    "                        how long connecting waits for the host's list (default 30)\n"
    "  --host-fail-addline N the simulated host's next N AddLine calls fail\n"
    "  --host-no-device-status\n"
    "                        the simulated host hands out no device-status object\n";

} // namespace

std::string CommonOptionsHelp() {
    std::string help = kCommonHelp;
    help.append(kInfoOptionsHelp);
    return help + "Options take their value as --opt value or --opt=value.\n";
}

std::optional<double> ParseSeconds(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

CommonOptions ParseCommonOptions(const std::vector<std::string>& args, bool comHostBuilt) {
    CommonOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.rest.insert(options.rest.end(), args.begin() + static_cast<long>(i) + 1,
                                args.end());
            break;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionDef* def = arg.rfind("--", 0) == 0 ? FindOption(name) : nullptr;
        if (def == nullptr) {
            options.rest.push_back(arg);
            continue;
        }
        const bool inlineValue = equals != std::string::npos;
        if (def->kind == Kind::Flag) {
            if (inlineValue) {
                options.error = "Option " + name + " takes no value";
                break;
            }
            Apply(options, name, def->kind, {});
            continue;
        }
        if (!inlineValue && i + 1 >= args.size()) {
            options.error = "Option " + name + " needs " + Expectation(def->kind);
            break;
        }
        const std::string value = inlineValue ? arg.substr(equals + 1) : args[++i];
        if (!Apply(options, name, def->kind, value)) {
            options.error =
                "Option " + name + " needs " + Expectation(def->kind) + ", not \"" + value + "\"";
            break;
        }
        if (options.hostKind == HostKind::Com && !comHostBuilt) {
            options.error = "Option --host: this build knows only the simulated host (--host "
                            "simulated); the COM host exists only in the Windows build";
            break;
        }
    }
    return options;
}

SettingsLocations ResolveLocations(const CommonOptions& options, const std::string& executableDir,
                                   const EnvironmentLookup& environment) {
    SettingsLocations locations;
    locations.programDir = options.programDir.value_or(executableDir);
    if (options.windowsDir) {
        locations.windowsDir = *options.windowsDir;
        return locations;
    }
    const std::optional<std::string> config = environment("XDG_CONFIG_HOME");
    if (config && !config->empty() && config->front() == '/') {
        locations.windowsDir = *config + "/quillet";
        return locations;
    }
    const std::optional<std::string> home = environment("HOME");
    locations.windowsDir = (home && !home->empty() ? *home : std::string(".")) + "/.config/quillet";
    return locations;
}

SettingsLocations ResolveLocations(const CommonOptions& options, const std::string& executableDir) {
    SettingsLocations locations;
    if (const std::optional<std::string> system = SystemWindowsDir();
        system && !options.windowsDir) {
        locations = {options.programDir.value_or(executableDir), *system};
    } else {
        locations = ResolveLocations(options, executableDir, [](const char* name) {
            const char* value = std::getenv(name);
            return value == nullptr ? std::nullopt : std::optional<std::string>(value);
        });
    }
    if (const std::filesystem::path data = LocalAppDataFolder(); !data.empty()) {
        locations.virtualStore = data / "VirtualStore";
    }
    return locations;
}

PathMap MakePathMap(const CommonOptions& options, const SettingsLocations& locations,
                    bool nativeDrives) {
    PathMap map(nativeDrives ? std::nullopt : std::optional(locations.windowsDir + "/drives"));
    for (const auto& [letter, folder] : options.drives) {
        map.SetDrive(letter, folder);
    }
    return map;
}

} // namespace quillet
