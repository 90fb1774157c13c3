#include "base/NativeFiles.h"

#include "base/TemporaryFiles.h"
#include "base/WholeWrite.h"
#include "base/win32/AnsiText.h"
#include "base/win32/FileHandle.h"
#include "base/win32/SystemErrors.h"
#include "base/win32/Win32Files.h"

#include <windows.h>

#include <functional>

namespace quillet {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

FileRead ReadFailure(DWORD error, const std::string& nativePath) {
    const FileWrite failure = WriteFailure(error, nativePath);
    return {failure.error, {}, failure.errorText};
}

// A new file beside the target that no one else has opened. Leftovers of killed runs are
// cleared first, so the folder holds at most the one temporary file of this write.
HANDLE CreateTemporary(const std::string& target, std::string& tempPath) {
    RemoveStrayTemporaries(ParentFolder(target));
    const std::size_t nameStart = target.find_last_of("\\/:") + 1; // npos + 1 is 0
    tempPath = target.substr(0, nameStart) +
               TemporaryName(target.substr(nameStart), static_cast<long>(::GetCurrentProcessId()));
    const std::wstring wide = WideFromAnsi(tempPath);
    HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    // Our own id on a leftover: an earlier process's, as no write of ours is under way.
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS &&
        ::DeleteFileW(wide.c_str()) != 0) {
        file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return file;
}

bool Shared(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// A virus scanner or a backup program may hold a file we just wrote for a moment; such a
// hold is waited out for about a second before the write counts as failed.
constexpr int kSharedRetries = 20;
constexpr DWORD kSharedRetryMs = 50;

HANDLE RetriedWhileShared(const std::function<HANDLE()>& open) {
    HANDLE handle = open();
    for (int i = 0;
         handle == INVALID_HANDLE_VALUE && Shared(::GetLastError()) && i < kSharedRetries; ++i) {
        ::Sleep(kSharedRetryMs);
        handle = open();
    }
    return handle;
}

// An existing target is replaced keeping its permissions, attributes and streams. Without
// a backup name a failed replace leaves the target where it was, so wherever the volume or
// the file refuses it (or Wine, which answers "directory name invalid"), the new file is
// moved over the target instead.
bool ReplaceOrMove(const std::wstring& from, const std::wstring& to) {
    if (::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr) != 0) {
        return true;
    }
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A target that is a symbolic link (or another reparse point) is replaced where it leads.
std::wstring FinalTarget(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    FileHandle file(::CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.open()) {
        return path;
    }
    std::wstring resolved(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(file.handle, resolved.data(),
                                        static_cast<DWORD>(resolved.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return path;
        }
        if (length < resolved.size()) {
            resolved.resize(length);
            return resolved;
        }
        resolved.resize(length + 1);
    }
}

// rename() would refuse an existing target; this replaces it in one step. A target that
// someone holds open refuses the replace as access denied rather than as shared, so that
// is waited out too (a file that is really read-only fails a second later).
DWORD MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
    for (int i = 0;; ++i) {
        const bool exists = ::GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (exists ? ReplaceOrMove(from, to)
                   : ::MoveFileExW(from.c_str(), to.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return ERROR_SUCCESS;
        }
        const DWORD error = ::GetLastError();
        if (!(Shared(error) || error == ERROR_ACCESS_DENIED) || i == kSharedRetries) {
            return error;
        }
        ::Sleep(kSharedRetryMs);
    }
}

// The whole-write steps over a handle; `error` keeps the code of the step that failed.
class HandleFile final : public OpenFile {
public:
    explicit HandleFile(HANDLE handle) : handle_(handle) {}
    std::optional<std::uint64_t> Size() override {
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(handle_, &size) == 0) {
            return Failed();
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }
    // Setting the end claims the clusters: a full disk fails here.
    bool Resize(std::uint64_t size) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(size);
        return (::SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) != 0 &&
                ::SetEndOfFile(handle_) != 0) ||
               Failed();
    }
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        return (::SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) != 0 &&
                WriteAll(handle_, data)) ||
               Failed();
    }
    bool Flush() override { return ::FlushFileBuffers(handle_) != 0 || Failed(); }

    DWORD error = ERROR_SUCCESS;

private:
    bool Failed() {
        error = ::GetLastError();
        return false;
    }
    HANDLE handle_;
};

FileWrite WriteOpenFile(const std::string& nativePath, DWORD disposition,
                        bool (*write)(OpenFile&, std::string_view), std::string_view data) {
    const std::wstring wide = WideFromAnsi(nativePath);
    FileHandle file(RetriedWhileShared([&] {
        return ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    if (!file.open()) {
        return WriteFailure(::GetLastError(), nativePath);
    }
    HandleFile open(file.handle);
    if (!write(open, data)) {
        return WriteFailure(open.error, nativePath);
    }
    return file.Close() ? FileWrite{} : WriteFailure(::GetLastError(), nativePath);
}

} // namespace

std::string ParentFolder(std::string_view nativePath) {
    while (nativePath.size() > 1 && IsSeparator(nativePath.back()) &&
           !(nativePath.size() == 3 && nativePath[1] == ':')) {
        nativePath.remove_suffix(1);
    }
    const std::size_t separator = nativePath.find_last_of("\\/");
    if (separator == std::string_view::npos) {
        const bool drive = nativePath.size() >= 2 && nativePath[1] == ':';
        return drive ? std::string(nativePath.substr(0, 2)) : ".";
    }
    // The root of a drive or of the current drive keeps its separator.
    const bool root = separator == 0 || (separator == 2 && nativePath[1] == ':');
    return std::string(nativePath.substr(0, root ? separator + 1 : separator));
}

FileWrite WriteFailure(unsigned long error, const std::string& nativePath) {
    const bool parentExists =
        error != ERROR_FILE_NOT_FOUND || FolderExists(ParentFolder(nativePath));
    return {FsErrorFromSystemError(error, parentExists), SystemErrorText(error)};
}

bool FolderExists(const std::string& nativePath) {
    const DWORD attributes = ::GetFileAttributesW(WideFromAnsi(nativePath).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileRead ReadNativeFile(const std::string& nativePath) {
    FileHandle file(::CreateFileW(WideFromAnsi(nativePath).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.open()) {
        return ReadFailure(::GetLastError(), nativePath);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(file.handle, &info) == 0) {
        return ReadFailure(::GetLastError(), nativePath);
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {FsError::AccessDenied, {}, SystemErrorText(ERROR_ACCESS_DENIED)};
    }
    std::string data;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (::ReadFile(file.handle, chunk, sizeof chunk, &got, nullptr) == 0) {
            return ReadFailure(::GetLastError(), nativePath);
        }
        if (got == 0) {
            return {FsError::None, std::move(data), {}};
        }
        if (data.size() + got > kMaxFileBytes) {
            return {FsError::Other, {}, "File too large"};
        }
        data.append(chunk, got);
    }
}

// The file system ignores case here, so no index offers the folder's leftovers.
FileWrite WriteFileAtomic(const std::string& nativePath, std::string_view data,
                          const std::vector<std::string>* /*knownTemporaries*/) {
    std::string tempPath;
    FileHandle temp(CreateTemporary(nativePath, tempPath));
    if (!temp.open()) {
        FileWrite failure = WriteFailure(::GetLastError(), nativePath);
        failure.replaceRefused = failure.error == FsError::AccessDenied;
        return failure;
    }
    const std::wstring tempWide = WideFromAnsi(tempPath);
    const bool written = WriteAll(temp.handle, data) && ::FlushFileBuffers(temp.handle) != 0;
    const DWORD writeError = ::GetLastError();
    if (!temp.Close() || !written) {
        const DWORD error = written ? ::GetLastError() : writeError;
        ::DeleteFileW(tempWide.c_str());
        return WriteFailure(error, nativePath);
    }
    if (const DWORD error = MoveIntoPlace(tempWide, FinalTarget(WideFromAnsi(nativePath)));
        error != ERROR_SUCCESS) {
        ::DeleteFileW(tempWide.c_str());
        FileWrite failure = WriteFailure(error, nativePath);
        failure.replaceRefused = failure.error == FsError::AccessDenied;
        return failure;
    }
    return {};
}

FileWrite RewriteFileInPlace(const std::string& nativePath, std::string_view data) {
    return WriteOpenFile(nativePath, OPEN_EXISTING, RewriteWhole, data);
}

FileWrite AppendToFile(const std::string& nativePath, std::string_view data) {
    return WriteOpenFile(nativePath, OPEN_ALWAYS, AppendWhole, data);
}

} // namespace quillet
