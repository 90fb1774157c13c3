#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// What a program is asked to tell about itself instead of running.
enum class InfoRequest { None, Help, Version };

// `args` without the program's own name. The first "--help" (or "-h") or "--version" before
// a "--" wins; "--" ends the options, so what follows it is never a request.
InfoRequest FindInfoRequest(const std::vector<std::string>& args);

// The help lines of --help and --version themselves.
inline constexpr std::string_view kInfoOptionsHelp =
    "  --help, -h            prints this help and ends\n"
    "  --version             prints the program's name and version and ends\n";

// What a program prints on standard output for `request`: `usage` for help, one line
// "<program> <version>" for the version.
std::string InfoText(InfoRequest request, std::string_view program, std::string_view usage);

} // namespace quillet
