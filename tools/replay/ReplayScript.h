#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// One command of a replay script.
struct ReplayCommand {
    enum class Kind { Scan, Burst, Tick, Type, Set };
    Kind kind = Kind::Tick;
    int line = 0;     // 1-based line of the script
    std::string text; // scan, burst, type: the bytes; set: the box's name
    long count = 1;   // tick: how many; set: 0 or 1
};

struct ReplayScript {
    std::vector<ReplayCommand> commands;
    int errorLine = 0; // 0: no error
    std::string error; // "line N: ..." naming the line
    bool ok() const { return errorLine == 0; }
};

inline constexpr long kMaxReplayTicks = 1000000;

// Option boxes a script may set.
inline constexpr const char* kReplayBoxes[] = {"AClear", "Overwrite", "AutoStart", "ShowEd"};

// One command a line; blank lines and lines starting with "#" are ignored. The text of
// scan, burst and type starts after the single blank that follows the keyword and uses the
// trace's escapes. Parsing stops at the first bad line.
ReplayScript ParseReplayScript(std::string_view script);

} // namespace quillet
