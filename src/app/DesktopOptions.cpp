#include "app/DesktopOptions.h"

#include "app/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillet {

namespace {

// The close timer counts milliseconds in an int; a longer wait would overflow it.
constexpr double kMaxQuitAfterSeconds = std::numeric_limits<int>::max() / 1000;

// "--name value" or "--name=value"; advances `i` past a separate value.
std::optional<std::string> ValueOf(const std::vector<std::string>& args, std::size_t& i,
                                   const std::string& name) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    if (arg != name || i + 1 >= args.size()) {
        return std::nullopt;
    }
    return args[++i];
}

bool Named(const std::string& arg, const std::string& name) {
    return arg == name || arg.starts_with(name + "=");
}

// Takes one option with a value; false (with the error set) when it is not acceptable.
bool TakeValued(DesktopOptions& options, const std::vector<std::string>& args, std::size_t& i) {
    const std::string& arg = args[i];
    const std::string name = arg.substr(0, arg.find('='));
    const std::optional<std::string> value = ValueOf(args, i, name);
    if (!value || value->empty()) {
        options.error = "Option " + name + " needs a value";
        return false;
    }
    if (name == "--com" && !options.devices.AddMapping(*value)) {
        options.error = "Option --com needs N=DEVICE, not \"" + *value + "\"";
        return false;
    }
    if (name == "--serial-device") {
        options.devices.SetOverride(*value);
    }
    if (name == "--serial-by-id") {
        options.devices.SetByIdFolder(*value);
    }
    if (name == "--quit-after") {
        options.quitAfterSeconds = ParseSeconds(*value);
        if (!options.quitAfterSeconds || *options.quitAfterSeconds > kMaxQuitAfterSeconds) {
            options.error = "Option --quit-after needs a number of seconds, not \"" + *value + "\"";
            return false;
        }
    }
    return true;
}

bool TakeFlag(DesktopOptions& options, const std::string& arg) {
    if (arg == "--unattended") {
        options.unattended = true;
    } else if (arg == "--virtual-scanner") {
        options.virtualScanner = true;
    } else if (arg == "--demo") {
        options.demo = true;
    } else if (arg == "--demo-script") {
        options.demo = true;
        options.demoScript = true;
    } else {
        return false;
    }
    return true;
}

} // namespace

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& rest) {
    DesktopOptions options;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (TakeFlag(options, arg)) {
            continue;
        }
        const bool valued = Named(arg, "--com") || Named(arg, "--serial-device") ||
                            Named(arg, "--serial-by-id") || Named(arg, "--quit-after");
        if (!valued) {
            options.error = "unknown option " + arg;
            break;
        }
        if (!TakeValued(options, rest, i)) {
            break;
        }
    }
    if (options.demo && options.error.empty()) {
        options.virtualScanner = true;
    }
    return options;
}

} // namespace quillet
