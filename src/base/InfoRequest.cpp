#include "base/InfoRequest.h"

#include "base/Version.h"

namespace quillet {

InfoRequest FindInfoRequest(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") {
            break;
        }
        if (arg == "--help" || arg == "-h") {
            return InfoRequest::Help;
        }
        if (arg == "--version") {
            return InfoRequest::Version;
        }
    }
    return InfoRequest::None;
}

std::string InfoText(InfoRequest request, std::string_view program, std::string_view usage) {
    switch (request) {
    case InfoRequest::Help:
        return std::string(usage);
    case InfoRequest::Version:
        return std::string(program) + " " + kVersion + "\n";
    case InfoRequest::None:
        break;
    }
    return {};
}

} // namespace quillet
