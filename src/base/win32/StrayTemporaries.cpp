#include "base/TemporaryFiles.h"

#include "base/win32/AnsiText.h"

#include <windows.h>

namespace quillet {

namespace {

bool ProcessGone(long pid) {
    if (pid == static_cast<long>(::GetCurrentProcessId())) {
        return true;
    }
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

bool IsRegularFile(DWORD attributes) {
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace

int RemoveStrayTemporaries(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = WideFromAnsi(folder) + L"\\*.tmp";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int removed = 0;
    do {
        const std::string name = AnsiFromWide(found.cFileName);
        const std::optional<long> owner = TemporaryOwner(name);
        if (!owner || !IsRegularFile(found.dwFileAttributes) || !ProcessGone(*owner)) {
            continue;
        }
        if (::DeleteFileW((WideFromAnsi(folder) + L"\\" + found.cFileName).c_str())) {
            ++removed;
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return removed;
}

} // namespace quillet
