#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// Why a file operation failed, in the terms the program reacts to.
enum class FsError {
    None,
    NotFound,          // no such file (the folder exists)
    PathNotFound,      // a folder on the way does not exist
    DeviceIo,          // input/output error of the device
    NotReady,          // removable medium missing
    DeviceUnavailable, // the drive or device is not there
    AccessDenied,
    NoSpace,
    Other,
};

struct FileLookup {
    FsError error = FsError::None; // None: the look-up itself worked
    bool isFile = false;           // an ordinary file matches the path
    std::string nativePath;        // where the path resolved to on this platform
    std::string errorText;         // the platform's text for the failure
    int errorNumber = 0;           // the platform's number for the failure (errno)
};

struct FileRead {
    FsError error = FsError::None;
    std::string data; // bytes, one character each
    std::string errorText;
};

struct FileWrite {
    FsError error = FsError::None;
    std::string errorText;
    // The folder refused a whole-or-nothing replace: the new file beside the target, or
    // putting it in the target's place.
    bool replaceRefused = false;
    bool ok() const { return error == FsError::None; }
};

// The file system as the program sees it. Paths are given as the program builds them:
// Windows-style ones (drive letter, backslashes) from ZOR.INI and the fixed paths map onto
// this platform's folders; a native absolute path is used as it stands. A backslash is
// always a separator. A missing exact name is looked up again without regard to case.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual FileLookup Lookup(std::string_view path) = 0;
    virtual FileRead ReadAll(std::string_view path) = 0;
    // Whole or nothing: writes a new file beside the target and renames it into place.
    virtual FileWrite WriteAtomic(std::string_view path, std::string_view data) = 0;
    // Appends to the file, creating it when missing.
    virtual FileWrite Append(std::string_view path, std::string_view data) = 0;
    // Writes over the file from its first byte without shortening it first.
    virtual FileWrite Overwrite(std::string_view path, std::string_view data) = 0;
    // The native path a program path maps to (exact or case-insensitive match when the
    // file exists, otherwise the mapped name as it would be created).
    virtual std::string NativePath(std::string_view path) = 0;
};

} // namespace quillet
