#pragma once

#include "base/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Files larger than this are refused rather than read into memory whole.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} * 1024 * 1024;

// The folder part of a native path ("." for a bare name, "/" for a root entry).
std::string ParentFolder(std::string_view nativePath);

bool FolderExists(const std::string& nativePath);

// Reads a whole native file; a directory is refused (AccessDenied).
FileRead ReadNativeFile(const std::string& nativePath);

// Whole or nothing: a temporary file beside the target is written, flushed to disk and
// renamed over the target, which keeps its permissions. A symbolic link is followed so that
// the file it names is replaced, not the link. No temporary file is left behind.
// `knownTemporaries`, when given, are the names of temporary form in the target's folder as
// the caller's index knows them, which spares reading the folder for leftovers. A folder
// that refuses the temporary file, or its rename over the target, gives AccessDenied with
// replaceRefused set.
FileWrite WriteFileAtomic(const std::string& nativePath, std::string_view data,
                          const std::vector<std::string>* knownTemporaries = nullptr);

// Writes `data` over an existing file (never creating it), cuts it to that length and
// flushes it to disk (RewriteWhole): a full disk leaves the old content as it was; only a
// crash meanwhile can leave a mix.
FileWrite RewriteFileInPlace(const std::string& nativePath, std::string_view data);

// Appends `data` to the file, creating it when missing (AppendWhole): a failed append
// leaves the file as it was.
FileWrite AppendToFile(const std::string& nativePath, std::string_view data);

} // namespace quillet
