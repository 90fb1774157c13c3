#pragma once

#include "base/FileSystem.h"

#include <string>
#include <string_view>

namespace quillet {

// errno onto the conditions the program reacts to:
//   EIO -> DeviceIo; ENOMEDIUM -> NotReady; ENXIO, ENODEV -> DeviceUnavailable;
//   ENOENT -> NotFound, or PathNotFound when `parentExists` is false;
//   ENOTDIR, ENAMETOOLONG, ELOOP -> PathNotFound;
//   EACCES, EPERM, EROFS, EISDIR, ETXTBSY -> AccessDenied; ENOSPC, EDQUOT, EFBIG -> NoSpace;
//   anything else -> Other.
FsError FsErrorFromErrno(int error, bool parentExists = true);

// Writes through an open descriptor until everything is written or a write fails.
bool WriteFully(int fd, std::string_view data);

// The failure of the last system call, as a FileWrite / FileRead.
FileWrite WriteFailure(int error, const std::string& nativePath);

} // namespace quillet
