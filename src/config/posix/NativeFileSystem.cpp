#include "config/NativeFileSystem.h"

#include "base/NativeFiles.h"
#include "base/posix/PosixFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

bool Exists(const std::string& nativePath) {
    struct stat info {};
    return ::lstat(nativePath.c_str(), &info) == 0;
}

std::string Join(const std::string& folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

std::string_view BaseName(std::string_view nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    return slash == std::string_view::npos ? nativePath : nativePath.substr(slash + 1);
}

// The usual miss: the folder exists as spelt and only the last name is looked up again.
std::optional<std::string> ResolveLastName(const std::string& nativePath, FolderIndex& index) {
    const std::string_view name = BaseName(nativePath);
    if (name.empty() || name == "." || name == ".." || name.size() == nativePath.size()) {
        return std::nullopt;
    }
    const std::string folder = ParentFolder(nativePath);
    if (!FolderExists(folder)) {
        return std::nullopt;
    }
    const std::optional<std::string> variant = index.Find(folder, name);
    return variant ? Join(folder, *variant) : nativePath;
}

// Follows the path one component at a time, taking a case variant where the exact name is
// missing; components past the first one that matches nothing stay as given.
std::string ResolveNoCase(const std::string& nativePath, FolderIndex& index) {
    if (Exists(nativePath)) {
        return nativePath;
    }
    if (std::optional<std::string> resolved = ResolveLastName(nativePath, index)) {
        return *std::move(resolved);
    }
    const bool absolute = !nativePath.empty() && nativePath.front() == '/';
    std::string resolved = absolute ? "/" : "";
    std::string_view rest(nativePath);
    bool matching = true;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty()) {
            continue;
        }
        std::string next = Join(resolved, part);
        if (matching && !Exists(next) && part != "." && part != "..") {
            const std::optional<std::string> variant =
                index.Find(resolved.empty() ? "." : resolved, part);
            matching = variant.has_value();
            next = variant ? Join(resolved, *variant) : next;
        }
        resolved = std::move(next);
    }
    if (!nativePath.empty() && nativePath.back() == '/' && !resolved.empty() &&
        resolved.back() != '/') {
        resolved += '/';
    }
    return resolved;
}

FileWrite WriteAt(const std::string& nativePath, std::string_view data, int flags) {
    const int fd = ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
    if (fd < 0) {
        return WriteFailure(errno, nativePath);
    }
    const bool written = WriteFully(fd, data);
    const int error = errno;
    if (::close(fd) != 0 && written) {
        return WriteFailure(errno, nativePath);
    }
    return written ? FileWrite{} : WriteFailure(error, nativePath);
}

} // namespace

NativeFileSystem::NativeFileSystem(PathMap map) : map_(std::move(map)) {}

std::string NativeFileSystem::NativePath(std::string_view path) {
    return ResolveNoCase(map_.ToNative(path), index_);
}

FileLookup NativeFileSystem::Lookup(std::string_view path) {
    const std::string native = NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0) {
        return {FsError::None, S_ISREG(info.st_mode), native, {}, 0};
    }
    const int error = errno;
    const bool parentExists = FolderExists(ParentFolder(native));
    if (error == ENOENT && parentExists) {
        return {FsError::None, false, native, {}, 0};
    }
    return {FsErrorFromErrno(error, parentExists), false, native, std::strerror(error), error};
}

FileRead NativeFileSystem::ReadAll(std::string_view path) {
    return ReadNativeFile(NativePath(path));
}

FileWrite NativeFileSystem::WriteAtomic(std::string_view path, std::string_view data) {
    const std::string native = NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return WriteFailure(EISDIR, native);
    }
    const std::optional<std::vector<std::string>> temporaries =
        index_.Temporaries(ParentFolder(native));
    return Written(native, [&] {
        return WriteFileAtomic(native, data, temporaries ? &*temporaries : nullptr);
    });
}

FileWrite NativeFileSystem::Append(std::string_view path, std::string_view data) {
    const std::string native = NativePath(path);
    return Written(native, [&] { return AppendToFile(native, data); });
}

FileWrite NativeFileSystem::Overwrite(std::string_view path, std::string_view data) {
    const std::string native = NativePath(path);
    return Written(native, [&] { return WriteAt(native, data, 0); });
}

FileWrite NativeFileSystem::Written(const std::string& nativePath,
                                    const std::function<FileWrite()>& write) {
    const std::string folder = ParentFolder(nativePath);
    index_.BeforeWrite(folder);
    FileWrite result = write();
    if (result.ok()) {
        index_.AfterWrite(folder, BaseName(nativePath));
    }
    return result;
}

} // namespace quillet
