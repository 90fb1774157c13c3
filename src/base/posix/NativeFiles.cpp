#include "base/NativeFiles.h"

#include "base/posix/PosixFiles.h"

#include "base/TemporaryFiles.h"
#include "base/WholeWrite.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// The whole-write steps over a descriptor; `error` keeps the errno of the step that failed.
class DescriptorFile final : public OpenFile {
public:
    explicit DescriptorFile(int fd) : fd_(fd) {}
    std::optional<std::uint64_t> Size() override {
        struct stat info {};
        if (::fstat(fd_, &info) != 0) {
            return Failed();
        }
        return static_cast<std::uint64_t>(info.st_size);
    }
    bool Resize(std::uint64_t size) override {
        struct stat info {};
        if (::fstat(fd_, &info) == 0 && static_cast<std::uint64_t>(info.st_size) < size) {
            // Claims the blocks; file systems that cannot do that only get the length.
            const int claimed = ::posix_fallocate(fd_, 0, static_cast<off_t>(size));
            if (claimed == 0) {
                return true;
            }
            if (claimed != EOPNOTSUPP && claimed != EINVAL) {
                error = claimed;
                return false;
            }
        }
        return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 || Failed();
    }
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        while (!data.empty()) {
            const ssize_t written =
                ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return written < 0 ? Failed() : (error = ENOSPC, false);
            }
            data.remove_prefix(static_cast<std::size_t>(written));
            offset += static_cast<std::uint64_t>(written);
        }
        return true;
    }
    bool Flush() override { return ::fsync(fd_) == 0 || Failed(); }

    int error = 0;

private:
    bool Failed() {
        error = errno;
        return false;
    }
    int fd_;
};

// Opens `nativePath` for writing and runs `write` over it.
FileWrite WriteOpenFile(const std::string& nativePath, int flags,
                        bool (*write)(OpenFile&, std::string_view), std::string_view data) {
    Descriptor file{::open(nativePath.c_str(), O_WRONLY | O_CLOEXEC | flags, 0666)};
    if (file.fd < 0) {
        return WriteFailure(errno, nativePath);
    }
    DescriptorFile open(file.fd);
    if (!write(open, data)) {
        return WriteFailure(open.error, nativePath);
    }
    const int closed = ::close(file.fd);
    file.fd = -1;
    return closed == 0 ? FileWrite{} : WriteFailure(errno, nativePath);
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

// A target that is a symbolic link is replaced where the link points.
std::string FollowLink(const std::string& nativePath) {
    struct stat info {};
    if (::lstat(nativePath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return nativePath;
    }
    char* real = ::realpath(nativePath.c_str(), nullptr);
    if (real == nullptr) {
        return nativePath;
    }
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// Leftovers of killed runs are cleared first, so the folder holds at most the one
// temporary file of this write, and only until the rename.
int OpenTemporary(const std::string& target, std::string& tempPath,
                  const std::vector<std::string>* knownTemporaries) {
    const std::string folder = ParentFolder(target);
    if (knownTemporaries != nullptr) {
        RemoveStrayTemporaries(folder, *knownTemporaries);
    } else {
        RemoveStrayTemporaries(folder);
    }
    const std::size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    tempPath = folder + "/" + TemporaryName(name, static_cast<long>(::getpid()));
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    int fd = ::open(tempPath.c_str(), flags, 0666);
    if (fd < 0 && errno == EEXIST && ::unlink(tempPath.c_str()) == 0) {
        fd = ::open(tempPath.c_str(), flags, 0666);
    }
    return fd;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FsError FsErrorFromErrno(int error, bool parentExists) {
    switch (error) {
    case 0:
        return FsError::None;
    case EIO:
        return FsError::DeviceIo;
    case ENOMEDIUM:
        return FsError::NotReady;
    case ENXIO:
    case ENODEV:
        return FsError::DeviceUnavailable;
    case ENOENT:
        return parentExists ? FsError::NotFound : FsError::PathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FsError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return FsError::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FsError::NoSpace;
    default:
        return FsError::Other;
    }
}

std::string ParentFolder(std::string_view nativePath) {
    while (nativePath.size() > 1 && nativePath.back() == '/') {
        nativePath.remove_suffix(1);
    }
    const std::size_t slash = nativePath.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? "/" : std::string(nativePath.substr(0, slash));
}

bool FolderExists(const std::string& nativePath) {
    struct stat info {};
    return ::stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileWrite WriteFailure(int error, const std::string& nativePath) {
    const bool parentExists = error != ENOENT || FolderExists(ParentFolder(nativePath));
    return {FsErrorFromErrno(error, parentExists), ErrorText(error)};
}

bool WriteFully(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

FileRead ReadNativeFile(const std::string& nativePath) {
    Descriptor file{::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        const FileWrite failure = WriteFailure(errno, nativePath);
        return {failure.error, {}, failure.errorText};
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        return {FsErrorFromErrno(errno), {}, ErrorText(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return {FsError::AccessDenied, {}, ErrorText(EISDIR)};
    }
    std::string data;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return {FsErrorFromErrno(errno), {}, ErrorText(errno)};
        }
        if (got == 0) {
            return {FsError::None, std::move(data), {}};
        }
        if (data.size() + static_cast<std::size_t>(got) > kMaxFileBytes) {
            return {FsError::Other, {}, "File too large"};
        }
        data.append(chunk, static_cast<std::size_t>(got));
    }
}

FileWrite WriteFileAtomic(const std::string& nativePath, std::string_view data,
                          const std::vector<std::string>* knownTemporaries) {
    const std::string target = FollowLink(nativePath);
    // The names known are those of the folder the path names, not of one a link leads to.
    if (ParentFolder(target) != ParentFolder(nativePath)) {
        knownTemporaries = nullptr;
    }
    std::string tempPath;
    Descriptor temp{OpenTemporary(target, tempPath, knownTemporaries)};
    if (temp.fd < 0) {
        FileWrite failure = WriteFailure(errno, target);
        failure.replaceRefused = failure.error == FsError::AccessDenied;
        return failure;
    }
    struct stat original {};
    if (::stat(target.c_str(), &original) == 0) {
        ::fchmod(temp.fd, original.st_mode & 07777);
    }
    if (!WriteFully(temp.fd, data) || ::fsync(temp.fd) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return WriteFailure(error, target);
    }
    const int closed = ::close(temp.fd);
    temp.fd = -1;
    if (closed != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return WriteFailure(error, target);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        FileWrite failure = WriteFailure(error, target);
        failure.replaceRefused = failure.error == FsError::AccessDenied;
        return failure;
    }
    SyncFolder(ParentFolder(target));
    return {};
}

FileWrite RewriteFileInPlace(const std::string& nativePath, std::string_view data) {
    return WriteOpenFile(nativePath, 0, RewriteWhole, data);
}

FileWrite AppendToFile(const std::string& nativePath, std::string_view data) {
    return WriteOpenFile(nativePath, O_CREAT, AppendWhole, data);
}

} // namespace quillet
