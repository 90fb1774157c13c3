// Parses arbitrary scripts. A script that parses holds only valid commands, and writing
// them back as a script parses to the same commands; a refused one names its line.

#include "base/Trace.h"
#include "fuzz/FuzzCheck.h"
#include "replay/ReplayScript.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quillet::ReplayCommand;

std::string Written(const ReplayCommand& command) {
    switch (command.kind) {
    case ReplayCommand::Kind::Scan:
        return "scan " + quillet::EscapeTraceText(command.text);
    case ReplayCommand::Kind::Burst:
        return "burst " + quillet::EscapeTraceText(command.text);
    case ReplayCommand::Kind::Type:
        return "type " + quillet::EscapeTraceText(command.text);
    case ReplayCommand::Kind::Tick:
        return "tick " + std::to_string(command.count);
    case ReplayCommand::Kind::Set:
        return "set " + command.text + " " + std::to_string(command.count);
    }
    return {};
}

bool Same(const ReplayCommand& a, const ReplayCommand& b) {
    return a.kind == b.kind && a.text == b.text && a.count == b.count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const quillet::ReplayScript parsed = quillet::ParseReplayScript(script);
    if (!parsed.ok()) {
        FUZZ_CHECK(parsed.errorLine > 0);
        FUZZ_CHECK(parsed.error.starts_with("line " + std::to_string(parsed.errorLine) + ": "));
        return 0;
    }
    std::string again;
    int line = 0;
    for (const ReplayCommand& command : parsed.commands) {
        FUZZ_CHECK(command.line > line);
        line = command.line;
        FUZZ_CHECK(command.count >= 0 && command.count <= quillet::kMaxReplayTicks);
        again += Written(command) + "\n";
    }
    const quillet::ReplayScript reparsed = quillet::ParseReplayScript(again);
    FUZZ_CHECK(reparsed.ok() && reparsed.commands.size() == parsed.commands.size());
    for (std::size_t i = 0; i < parsed.commands.size(); ++i) {
        FUZZ_CHECK(Same(parsed.commands[i], reparsed.commands[i]));
    }
    return 0;
}
