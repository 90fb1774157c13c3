// quillet-pack: reads a program label's text (header, "!", program) from a file or standard
// input and writes the compressed label that the scanner would deliver.

#include "base/InfoRequest.h"
#include "base/StandardStreams.h"
#include "base/Trace.h"
#include "host/PayloadPacker.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quillet-pack [--escaped] [-o FILE] [FILE|-]\n"
    "Reads a program label's text (header, \"!\", program) from FILE, or from standard input\n"
    "when FILE is missing or \"-\", and writes the compressed label to standard output.\n"
    "  --escaped             writes the label in the trace's escaped form, one line, as\n"
    "                        quillet-replay's scan command takes it\n"
    "  -o FILE, --output FILE\n"
    "                        writes the label to FILE instead\n"
    "  --program-dir DIR, --windows-dir DIR, --drive L=DIR, --trace FILE, --host KIND and\n"
    "  the host options      accepted and ignored, as every program takes them\n";

// The options every program takes; a packer has no use for them.
constexpr std::string_view kIgnoredWithValue[] = {"--program-dir",
                                                  "--windows-dir",
                                                  "--drive",
                                                  "--trace",
                                                  "--host",
                                                  "--host-withhold-list",
                                                  "--host-connect-timeout",
                                                  "--host-fail-addline"};

std::string Usage() {
    std::string usage = kUsage;
    usage.append(quillet::kInfoOptionsHelp);
    return usage;
}

struct Options {
    bool escaped = false;
    std::string input;  // empty or "-": standard input
    std::string output; // empty: standard output
};

bool IsIgnoredWithValue(std::string_view arg) {
    for (const std::string_view name : kIgnoredWithValue) {
        if (arg == name) {
            return true;
        }
    }
    return false;
}

bool IsIgnoredJoined(std::string_view arg) {
    if (arg == "--host-no-device-status") {
        return true;
    }
    for (const std::string_view name : kIgnoredWithValue) {
        if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
            return true;
        }
    }
    return false;
}

std::optional<Options> ParseArguments(const std::vector<std::string_view>& args) {
    Options options;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--escaped") {
            options.escaped = true;
        } else if ((arg == "-o" || arg == "--output") && hasValue) {
            options.output = args[++i];
        } else if (IsIgnoredWithValue(arg) && hasValue) {
            ++i;
        } else if (IsIgnoredJoined(arg)) {
            continue;
        } else if ((arg == "-" || !arg.starts_with("-")) && !haveInput) {
            options.input = arg;
            haveInput = true;
        } else {
            std::cerr << "quillet-pack: unexpected argument: " << arg << "\n" << Usage();
            return std::nullopt;
        }
    }
    return options;
}

std::optional<std::string> ReadInput(const std::string& path) {
    const bool fromStdin = path.empty() || path == "-";
    std::FILE* file = fromStdin ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        std::cerr << "quillet-pack: cannot open " << path << ": " << std::strerror(errno) << "\n";
        return std::nullopt;
    }
    std::string data;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        data.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0;
    if (!fromStdin) {
        std::fclose(file);
    }
    if (failed) {
        std::cerr << "quillet-pack: cannot read " << (fromStdin ? "standard input" : path) << "\n";
        return std::nullopt;
    }
    return data;
}

bool WriteOutput(const std::string& path, const std::string& data) {
    std::FILE* file = path.empty() ? stdout : std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::cerr << "quillet-pack: cannot create " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = path.empty() ? std::fflush(file) == 0 : std::fclose(file) == 0;
    if (!written || !closed) {
        std::cerr << "quillet-pack: cannot write " << (path.empty() ? "standard output" : path)
                  << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    quillet::UseBinaryStandardStreams();
    if (const quillet::InfoRequest info = quillet::FindInfoRequest({argv + 1, argv + argc});
        info != quillet::InfoRequest::None) {
        std::cout << quillet::InfoText(info, "quillet-pack", Usage());
        return 0;
    }
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const std::optional<Options> options = ParseArguments(args);
    if (!options) {
        return 2;
    }
    const std::optional<std::string> text = ReadInput(options->input);
    if (!text) {
        return 1;
    }
    const quillet::PackResult packed = quillet::PackPayload(*text);
    if (!packed.ok()) {
        std::cerr << "quillet-pack: " << packed.error << "\n";
        return 1;
    }
    const std::string out =
        options->escaped ? quillet::EscapeTraceText(packed.label) + "\n" : packed.label;
    return WriteOutput(options->output, out) ? 0 : 1;
}
