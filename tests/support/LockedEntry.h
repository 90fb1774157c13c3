#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::testing {

// Makes a file or folder take no change of its entries for as long as it lives: immutable
// for root (who ignores permission bits), read-only for anyone else.
class LockedEntry {
public:
    explicit LockedEntry(std::string path) : path_(std::move(path)) {
        struct stat info {};
        ::stat(path_.c_str(), &info);
        mode_ = info.st_mode & 07777;
        locked_ = ::geteuid() == 0 ? SetImmutable(true) : ::chmod(path_.c_str(), 0555) == 0;
    }
    ~LockedEntry() {
        if (::geteuid() == 0) {
            SetImmutable(false);
        } else {
            ::chmod(path_.c_str(), mode_);
        }
    }
    LockedEntry(const LockedEntry&) = delete;
    LockedEntry& operator=(const LockedEntry&) = delete;
    bool locked() const { return locked_; }

private:
    bool SetImmutable(bool on) const {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        return done;
    }

    std::string path_;
    mode_t mode_ = 0;
    bool locked_ = false;
};

} // namespace quillet::testing
