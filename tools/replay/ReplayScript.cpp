#include "replay/ReplayScript.h"

#include "base/Trace.h"

#include <charconv>
#include <optional>

namespace quillet {

namespace {

struct Keyword {
    std::string_view word;
    ReplayCommand::Kind kind;
};

constexpr Keyword kKeywords[] = {
    {"scan", ReplayCommand::Kind::Scan}, {"burst", ReplayCommand::Kind::Burst},
    {"tick", ReplayCommand::Kind::Tick}, {"type", ReplayCommand::Kind::Type},
    {"set", ReplayCommand::Kind::Set},
};

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::optional<long> Count(std::string_view text) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 0 || value > kMaxReplayTicks) {
        return std::nullopt;
    }
    return value;
}

bool IsBox(std::string_view name) {
    for (const char* box : kReplayBoxes) {
        if (name == box) {
            return true;
        }
    }
    return false;
}

// Fills the command from the text after the keyword; an error text when it is bad.
std::string ParseArgument(ReplayCommand& command, std::optional<std::string_view> argument) {
    using Kind = ReplayCommand::Kind;
    switch (command.kind) {
    case Kind::Scan:
    case Kind::Burst:
    case Kind::Type: {
        const auto bytes = UnescapeTraceText(argument.value_or(""));
        if (!bytes) {
            return "malformed escape in the text";
        }
        command.text = *bytes;
        return {};
    }
    case Kind::Tick: {
        const auto count = argument ? Count(*argument) : std::optional<long>(1);
        if (!count) {
            return "tick takes a count from 0 to " + std::to_string(kMaxReplayTicks);
        }
        command.count = *count;
        return {};
    }
    case Kind::Set: {
        const std::string_view arg = argument.value_or("");
        const std::size_t blank = arg.find(' ');
        const std::string_view name = arg.substr(0, blank);
        const std::string_view value =
            blank == std::string_view::npos ? std::string_view() : arg.substr(blank + 1);
        if (!IsBox(name) || (value != "0" && value != "1")) {
            return "set takes AClear, Overwrite, AutoStart or ShowEd and 0 or 1";
        }
        command.text = name;
        command.count = value == "1" ? 1 : 0;
        return {};
    }
    }
    return {};
}

// The error text, or empty when the line holds a command.
std::string ParseLine(std::string_view line, ReplayCommand& command) {
    const std::size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    std::optional<std::string_view> argument;
    if (blank != std::string_view::npos) {
        argument = line.substr(blank + 1);
    }
    for (const Keyword& keyword : kKeywords) {
        if (word == keyword.word) {
            command.kind = keyword.kind;
            return ParseArgument(command, argument);
        }
    }
    return "unknown command \"" + EscapeTraceText(word) + "\"";
}

} // namespace

ReplayScript ParseReplayScript(std::string_view script) {
    ReplayScript result;
    int number = 0;
    std::size_t pos = 0;
    while (pos < script.size()) {
        std::size_t end = script.find('\n', pos);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        std::string_view line = script.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (IsBlankLine(line) || line.starts_with('#')) {
            continue;
        }
        ReplayCommand command;
        command.line = number;
        if (const std::string error = ParseLine(line, command); !error.empty()) {
            result.errorLine = number;
            result.error = "line " + std::to_string(number) + ": " + error;
            return result;
        }
        result.commands.push_back(std::move(command));
    }
    return result;
}

} // namespace quillet
