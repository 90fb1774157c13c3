#include "app/InstanceLock.h"

#include "base/win32/AnsiText.h"

#include <windows.h>

namespace quillet {

namespace {

// Creates every missing folder on the way; failures show when the file is opened.
void CreateFolders(const std::wstring& folder) {
    if (folder.empty() || ::CreateDirectoryW(folder.c_str(), nullptr) != 0 ||
        ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return;
    }
    const std::size_t separator = folder.find_last_of(L"\\/");
    if (separator == std::wstring::npos || separator == 0) {
        return;
    }
    CreateFolders(folder.substr(0, separator));
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

} // namespace

InstanceLock::~InstanceLock() {
    Release();
}

// A byte-range lock rather than a sharing mode: the system drops it when the process ends,
// and the file can still be read by anyone looking for who holds it.
InstanceLock::Result InstanceLock::Acquire(const std::string& path) {
    Release();
    const std::wstring wide = WideFromAnsi(path);
    const std::size_t separator = wide.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        CreateFolders(wide.substr(0, separator));
    }
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Result::Unavailable;
    }
    OVERLAPPED whole{};
    if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole) == 0) {
        const bool busy = ::GetLastError() == ERROR_LOCK_VIOLATION;
        ::CloseHandle(file);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return Result::Acquired;
}

void InstanceLock::Release() {
    if (Held()) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        handle_ = -1;
    }
}

} // namespace quillet
