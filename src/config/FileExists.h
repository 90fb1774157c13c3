#pragma once

#include "base/FileSystem.h"
#include "base/Operator.h"

#include <string_view>

namespace quillet {

enum class FileCheck {
    Found,
    Missing, // not found, or the operator gave up on the drive
    Fatal,   // an unexpected failure was shown and the program asked to end
};

// Looks the path up as an ordinary file. A device error asks "Unformatted Disk"
// (Retry/Cancel), a missing medium "Insert Disk" (OK/Cancel), for as long as the operator
// chooses to retry; a missing device or folder is silently "missing"; any other failure is
// shown as an unexpected error and the program is asked to end.
FileCheck CheckFile(std::string_view path, FileSystem& fs, Operator& op);

// True when an ordinary file matches the path.
bool FileExists(std::string_view path, FileSystem& fs, Operator& op);

} // namespace quillet
