#include "config/NativeFileSystem.h"

#include "base/NativeFiles.h"
#include "base/posix/PosixFiles.h"
#include "config/NoCase.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
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

// The entry of `folder` whose name equals `name` without regard to case; the smallest
// such name when several differ only in case, so the choice does not depend on the order
// the folder lists them in.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (EqualsNoCase(candidate, name) && (!found || candidate < *found)) {
            found = std::string(candidate);
        }
    }
    ::closedir(dir);
    return found;
}

std::string Join(const std::string& folder, std::string_view name) {
    if (folder.empty()) {
        return std::string(name);
    }
    return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

// Follows the path one component at a time, taking a case variant where the exact name is
// missing; components past the first one that matches nothing stay as given.
std::string ResolveNoCase(const std::string& nativePath) {
    if (Exists(nativePath)) {
        return nativePath;
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
                FindNoCase(resolved.empty() ? "." : resolved, part);
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
    return ResolveNoCase(map_.ToNative(path));
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
    return WriteFileAtomic(native, data);
}

FileWrite NativeFileSystem::Append(std::string_view path, std::string_view data) {
    return WriteAt(NativePath(path), data, O_APPEND);
}

FileWrite NativeFileSystem::Overwrite(std::string_view path, std::string_view data) {
    return WriteAt(NativePath(path), data, 0);
}

} // namespace quillet
