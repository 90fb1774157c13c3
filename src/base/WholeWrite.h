#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet {

// An open file as the in-place writes need it; each platform implements it over its own
// handle and keeps the reason of the last failed step.
class OpenFile {
public:
    virtual ~OpenFile() = default;
    virtual std::optional<std::uint64_t> Size() = 0;
    // Sets the length; growing claims the disk space, so that a full disk fails here.
    virtual bool Resize(std::uint64_t size) = 0;
    virtual bool WriteAt(std::uint64_t offset, std::string_view data) = 0;
    virtual bool Flush() = 0;
};

// Writes `data` over the file where no new file can be put beside it. The file is grown to
// the new length first, so a full disk fails before a byte of the old content is touched
// (and the file is cut back to it); then it is written from its start and cut to length.
bool RewriteWhole(OpenFile& file, std::string_view data);

// Appends `data`, growing the file first; a failure cuts the file back to its old length,
// so no half line is ever left at the end.
bool AppendWhole(OpenFile& file, std::string_view data);

} // namespace quillet
