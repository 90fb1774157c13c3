#include "host/win32/HostProcessRights.h"

#include <windows.h>

#include <tlhelp32.h>

#include <optional>
#include <vector>

namespace quillet {

namespace {

struct Rights {
    bool elevated = false;
    std::vector<BYTE> user; // a TOKEN_USER
};

std::optional<Rights> RightsOfToken(HANDLE token) {
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) {
        return std::nullopt;
    }
    Rights rights{elevation.TokenIsElevated != 0, std::vector<BYTE>(256)};
    if (!::GetTokenInformation(token, TokenUser, rights.user.data(),
                               static_cast<DWORD>(rights.user.size()), &size)) {
        return std::nullopt;
    }
    return rights;
}

// Nothing when the process or its token cannot be opened: a process of an administrator
// or of another user keeps its token from a program without those rights.
std::optional<Rights> RightsOf(DWORD processId) {
    // The limited right is all Windows asks for the token; some systems want the full one.
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    }
    if (process == nullptr) {
        return std::nullopt;
    }
    HANDLE token = nullptr;
    std::optional<Rights> rights;
    if (::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        rights = RightsOfToken(token);
        ::CloseHandle(token);
    }
    ::CloseHandle(process);
    return rights;
}

bool Same(const std::optional<Rights>& a, const std::optional<Rights>& b) {
    if (!a || !b || a->elevated != b->elevated) {
        return false;
    }
    const auto* userA = reinterpret_cast<const TOKEN_USER*>(a->user.data());
    const auto* userB = reinterpret_cast<const TOKEN_USER*>(b->user.data());
    return ::EqualSid(userA->User.Sid, userB->User.Sid) != FALSE;
}

} // namespace

HostProcess FindHostProcess(const std::wstring& program) {
    if (program.empty()) {
        return HostProcess::NotRunning;
    }
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return HostProcess::NotRunning;
    }
    const std::optional<Rights> own = RightsOf(::GetCurrentProcessId());
    HostProcess found = HostProcess::NotRunning;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && found != HostProcess::SameRights;
         more = ::Process32NextW(snapshot, &entry)) {
        if (::_wcsicmp(entry.szExeFile, program.c_str()) == 0) {
            found = Same(own, RightsOf(entry.th32ProcessID)) ? HostProcess::SameRights
                                                             : HostProcess::OtherRights;
        }
    }
    ::CloseHandle(snapshot);
    return found;
}

} // namespace quillet
