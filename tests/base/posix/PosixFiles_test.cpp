#include "base/posix/PosixFiles.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace quillet {
namespace {

TEST(FsErrorFromErrno, MapsPlatformErrors) {
    const struct {
        int error;
        bool parentExists;
        FsError expected;
    } cases[] = {
        {EIO, true, FsError::DeviceIo},
        {ENOMEDIUM, true, FsError::NotReady},
        {ENXIO, true, FsError::DeviceUnavailable},
        {ENODEV, true, FsError::DeviceUnavailable},
        {ENOENT, true, FsError::NotFound},
        {ENOENT, false, FsError::PathNotFound},
        {ENOTDIR, true, FsError::PathNotFound},
        {EACCES, true, FsError::AccessDenied},
        {EPERM, true, FsError::AccessDenied},
        {ENOSPC, true, FsError::NoSpace},
        {EMFILE, true, FsError::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FsErrorFromErrno(c.error, c.parentExists), c.expected) << c.error;
    }
}

} // namespace
} // namespace quillet
