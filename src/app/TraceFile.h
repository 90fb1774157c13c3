#pragma once

#include "base/Trace.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

// The trace of a run as the options ask for it: nothing, standard output ("-") or a file.
class TraceFile {
public:
    TraceFile() = default;
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    ~TraceFile();

    // Empty on success, otherwise why the file cannot be written. `path` unset: no trace.
    std::string Open(const std::optional<std::string>& path);
    // False when the file could not be completed.
    bool Close();

    Trace& trace() { return writer_ ? static_cast<Trace&>(*writer_) : null_; }

private:
    std::FILE* file_ = nullptr;
    bool owned_ = false;
    std::unique_ptr<TraceWriter> writer_;
    NullTrace null_;
};

} // namespace quillet
