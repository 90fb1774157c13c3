#pragma once

#include "base/FileSystem.h"

#include <string>

namespace quillet {

// GetLastError() codes onto the conditions the program reacts to:
//   ERROR_CRC, ERROR_SEEK, ERROR_SECTOR_NOT_FOUND, ERROR_NOT_DOS_DISK, ERROR_READ_FAULT,
//   ERROR_WRITE_FAULT, ERROR_GEN_FAILURE, ERROR_UNRECOGNIZED_VOLUME, ERROR_IO_DEVICE,
//   ERROR_UNRECOGNIZED_MEDIA, ERROR_DISK_CORRUPT -> DeviceIo;
//   ERROR_NOT_READY, ERROR_NO_MEDIA_IN_DRIVE -> NotReady;
//   ERROR_INVALID_DRIVE, ERROR_BAD_UNIT, ERROR_DEV_NOT_EXIST, ERROR_BAD_NETPATH,
//   ERROR_BAD_NET_NAME -> DeviceUnavailable;
//   ERROR_FILE_NOT_FOUND -> NotFound, or PathNotFound when `parentExists` is false;
//   ERROR_PATH_NOT_FOUND, ERROR_INVALID_NAME, ERROR_BAD_PATHNAME, ERROR_DIRECTORY,
//   ERROR_FILENAME_EXCED_RANGE -> PathNotFound;
//   ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT, ERROR_SHARING_VIOLATION,
//   ERROR_LOCK_VIOLATION -> AccessDenied; ERROR_HANDLE_DISK_FULL, ERROR_DISK_FULL -> NoSpace;
//   anything else -> Other.
FsError FsErrorFromSystemError(unsigned long error, bool parentExists = true);

// The system's message for a system error or HRESULT without its final full stop; empty
// when the system has none.
std::string SystemMessage(unsigned long code);

// The text for the code: the C runtime's words where it has a matching errno, otherwise
// the system's message without its final full stop.
std::string SystemErrorText(unsigned long error);

} // namespace quillet
