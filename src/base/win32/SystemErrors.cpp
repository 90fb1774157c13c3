#include "base/win32/SystemErrors.h"

#include <cerrno>
#include <cstring>

#include <windows.h>

namespace quillet {

FsError FsErrorFromSystemError(unsigned long error, bool parentExists) {
    switch (error) {
    case ERROR_SUCCESS:
        return FsError::None;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NOT_DOS_DISK:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_UNRECOGNIZED_VOLUME:
    case ERROR_IO_DEVICE:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_DISK_CORRUPT:
        return FsError::DeviceIo;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
        return FsError::NotReady;
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return FsError::DeviceUnavailable;
    case ERROR_FILE_NOT_FOUND:
        return parentExists ? FsError::NotFound : FsError::PathNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
        return FsError::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FsError::AccessDenied;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return FsError::NoSpace;
    default:
        return FsError::Other;
    }
}

namespace {

// The errno the C runtime gives the code; 0 when it has none of its own.
int MatchingErrno(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return 0;
    }
}

} // namespace

// Ours add their own full stop.
std::string SystemMessage(unsigned long code) {
    char* buffer = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length =
        ::FormatMessageA(flags, nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? std::string(buffer, length) : std::string();
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

// The common failures read as the C runtime words them, so a message is the same on every
// build; the system's own text for the rest.
std::string SystemErrorText(unsigned long error) {
    if (const int number = MatchingErrno(error); number != 0) {
        return std::strerror(number);
    }
    const std::string text = SystemMessage(error);
    return text.empty() ? "Windows error " + std::to_string(error) : text;
}

} // namespace quillet
