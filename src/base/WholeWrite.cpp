#include "base/WholeWrite.h"

#include <algorithm>

namespace quillet {

namespace {

// Grows the file to `size` when it is shorter; on failure its length is put back.
bool Reserve(OpenFile& file, std::uint64_t old, std::uint64_t size) {
    if (size <= old || file.Resize(size)) {
        return true;
    }
    file.Resize(old);
    return false;
}

} // namespace

bool RewriteWhole(OpenFile& file, std::string_view data) {
    const std::optional<std::uint64_t> old = file.Size();
    if (!old || !Reserve(file, *old, std::max<std::uint64_t>(*old, data.size()))) {
        return false;
    }
    return file.WriteAt(0, data) && file.Resize(data.size()) && file.Flush();
}

bool AppendWhole(OpenFile& file, std::string_view data) {
    const std::optional<std::uint64_t> old = file.Size();
    if (!old || !Reserve(file, *old, *old + data.size())) {
        return false;
    }
    if (file.WriteAt(*old, data) && file.Flush()) {
        return true;
    }
    file.Resize(*old);
    return false;
}

} // namespace quillet
