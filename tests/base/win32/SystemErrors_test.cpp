#include "base/win32/SystemErrors.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quillet {
namespace {

TEST(FsErrorFromSystemError, MapsSystemErrors) {
    const struct {
        DWORD error;
        bool parentExists;
        FsError expected;
    } cases[] = {
        {ERROR_CRC, true, FsError::DeviceIo},
        {ERROR_UNRECOGNIZED_MEDIA, true, FsError::DeviceIo},
        {ERROR_NOT_READY, true, FsError::NotReady},
        {ERROR_NO_MEDIA_IN_DRIVE, true, FsError::NotReady},
        {ERROR_INVALID_DRIVE, true, FsError::DeviceUnavailable},
        {ERROR_BAD_NETPATH, true, FsError::DeviceUnavailable},
        {ERROR_FILE_NOT_FOUND, true, FsError::NotFound},
        {ERROR_FILE_NOT_FOUND, false, FsError::PathNotFound},
        {ERROR_PATH_NOT_FOUND, true, FsError::PathNotFound},
        {ERROR_INVALID_NAME, true, FsError::PathNotFound},
        {ERROR_ACCESS_DENIED, true, FsError::AccessDenied},
        {ERROR_SHARING_VIOLATION, true, FsError::AccessDenied},
        {ERROR_DISK_FULL, true, FsError::NoSpace},
        {ERROR_TOO_MANY_OPEN_FILES, true, FsError::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FsErrorFromSystemError(c.error, c.parentExists), c.expected) << c.error;
    }
    EXPECT_EQ(SystemErrorText(ERROR_PATH_NOT_FOUND), "No such file or directory");
    const std::string other = SystemErrorText(ERROR_NOT_READY);
    EXPECT_FALSE(other.empty());
    EXPECT_NE(other.back(), '.');
}

} // namespace
} // namespace quillet
