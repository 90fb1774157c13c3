#pragma once

#include "config/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// Files larger than this are refused rather than read into memory whole.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} * 1024 * 1024;

// errno onto the conditions the program reacts to:
//   EIO -> DeviceIo; ENOMEDIUM -> NotReady; ENXIO, ENODEV -> DeviceUnavailable;
//   ENOENT -> NotFound, or PathNotFound when `parentExists` is false;
//   ENOTDIR, ENAMETOOLONG, ELOOP -> PathNotFound;
//   EACCES, EPERM, EROFS, EISDIR, ETXTBSY -> AccessDenied; ENOSPC, EDQUOT, EFBIG -> NoSpace;
//   anything else -> Other.
FsError FsErrorFromErrno(int error, bool parentExists = true);

// The folder part of a native path ("." for a bare name, "/" for a root entry).
std::string ParentFolder(std::string_view nativePath);

bool FolderExists(const std::string& nativePath);

// Reads a whole native file; a directory is refused (AccessDenied).
FileRead ReadNativeFile(const std::string& nativePath);

// Whole or nothing: a temporary file beside the target is written, flushed to disk and
// renamed over the target, which keeps its permissions. A symbolic link is followed so that
// the file it names is replaced, not the link. No temporary file is left behind.
FileWrite WriteFileAtomic(const std::string& nativePath, std::string_view data);

// Writes through an open descriptor until everything is written or a write fails.
bool WriteFully(int fd, std::string_view data);

// The failure of the last system call (errno, or GetLastError() on Windows), as a FileWrite.
FileWrite WriteFailure(int error, const std::string& nativePath);

} // namespace quillet
