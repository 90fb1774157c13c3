#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Escapes bytes for one trace line: printable ASCII as is except "\" (written "\\"),
// "\r", "\n", "\t", every other byte "\xHH" with lower-case hex digits.
std::string EscapeTraceText(std::string_view bytes);

// The reverse; empty when the text holds a malformed escape.
std::optional<std::string> UnescapeTraceText(std::string_view text);

// One trace line without its line end: "<kind> <text>" (escaped), or "<kind>" alone.
std::string TraceLine(std::string_view kind, std::string_view text);

// Where events of a run are recorded, one line each: "<kind> <text>" (or "<kind>" alone).
class Trace {
public:
    virtual ~Trace() = default;
    virtual void Event(std::string_view kind, std::string_view text) = 0;
    // A line only the journal keeps (what arrived, why a choice was made): the trace
    // compared between runs and builds leaves it out.
    virtual void Note(std::string_view /*kind*/, std::string_view /*text*/) {}
    // What was recorded so far should now be safe on disk: at the end of every label and
    // between labels, never in the middle of one.
    virtual void Flush() {}
};

class NullTrace final : public Trace {
public:
    void Event(std::string_view, std::string_view) override {}
};

// Writes escaped trace lines to a stream, flushing each line so a crash loses nothing.
class TraceWriter final : public Trace {
public:
    explicit TraceWriter(std::FILE* stream) : stream_(stream) {}
    void Event(std::string_view kind, std::string_view text) override;

private:
    std::FILE* stream_;
};

} // namespace quillet
