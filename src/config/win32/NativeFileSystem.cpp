#include "config/NativeFileSystem.h"

#include "base/NativeFiles.h"
#include "base/win32/AnsiText.h"
#include "base/win32/FileHandle.h"
#include "base/win32/SystemErrors.h"
#include "base/win32/Win32Files.h"

#include <windows.h>

namespace quillet {

namespace {

// Opens (creating when missing) and writes from the first byte.
FileWrite WriteAt(const std::string& nativePath, std::string_view data) {
    FileHandle file(::CreateFileW(WideFromAnsi(nativePath).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.open()) {
        return WriteFailure(::GetLastError(), nativePath);
    }
    const bool written = WriteAll(file.handle, data);
    const DWORD writeError = ::GetLastError();
    if (!file.Close() || !written) {
        return WriteFailure(written ? ::GetLastError() : writeError, nativePath);
    }
    return {};
}

} // namespace

NativeFileSystem::NativeFileSystem(PathMap map) : map_(std::move(map)) {}

// The file system ignores letter case itself, so the mapped name is the name.
std::string NativeFileSystem::NativePath(std::string_view path) {
    return map_.ToNative(path);
}

FileLookup NativeFileSystem::Lookup(std::string_view path) {
    const std::string native = NativePath(path);
    const DWORD attributes = ::GetFileAttributesW(WideFromAnsi(native).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const bool isFile = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        return {FsError::None, isFile, native, {}, 0};
    }
    const DWORD error = ::GetLastError();
    const bool parentExists = FolderExists(ParentFolder(native));
    if (error == ERROR_FILE_NOT_FOUND && parentExists) {
        return {FsError::None, false, native, {}, 0};
    }
    return {FsErrorFromSystemError(error, parentExists), false, native, SystemErrorText(error),
            static_cast<int>(error)};
}

FileRead NativeFileSystem::ReadAll(std::string_view path) {
    return ReadNativeFile(NativePath(path));
}

FileWrite NativeFileSystem::WriteAtomic(std::string_view path, std::string_view data) {
    const std::string native = NativePath(path);
    if (FolderExists(native)) {
        return {FsError::AccessDenied, SystemErrorText(ERROR_ACCESS_DENIED)};
    }
    return WriteFileAtomic(native, data);
}

FileWrite NativeFileSystem::Append(std::string_view path, std::string_view data) {
    return AppendToFile(NativePath(path), data);
}

FileWrite NativeFileSystem::Overwrite(std::string_view path, std::string_view data) {
    return WriteAt(NativePath(path), data);
}

} // namespace quillet
