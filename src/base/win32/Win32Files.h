#pragma once

#include "base/FileSystem.h"

#include <string>

namespace quillet {

// The failure of the last system call (a GetLastError() code), as a FileWrite.
FileWrite WriteFailure(unsigned long error, const std::string& nativePath);

} // namespace quillet
