#include "host/win32/ClassRegistry.h"

#include <objbase.h>
#include <windows.h>

#include <cwctype>
#include <iterator>
#include <string>

namespace quillet {

namespace {

bool HasKey(const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

ServerKeys FindServerKeys(const std::wstring& classId, REGSAM view) {
    const std::wstring base = L"CLSID\\" + classId + L"\\";
    return ServerKeys{HasKey(base + L"InprocServer32", view),
                      HasKey(base + L"LocalServer32", view)};
}

// On 32-bit Windows a request for the 64-bit view reads the only one there is.
bool HasView64() {
    if constexpr (kThisProgramBits == ProgramBits::Bits64) {
        return true;
    }
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

std::wstring ClassKey(const CLSID& id) {
    wchar_t text[40] = {};
    if (::StringFromGUID2(id, text, static_cast<int>(std::size(text))) == 0) {
        return {};
    }
    return text;
}

// The program of a server command line: quoted, or up to its ".exe" (the path may hold
// blanks without quotes), else up to the first blank.
std::wstring ProgramOfCommand(const std::wstring& command) {
    std::wstring program;
    if (command.starts_with(L'"')) {
        program = command.substr(1, command.find(L'"', 1) - 1);
    } else {
        std::wstring lower = command;
        for (wchar_t& c : lower) {
            c = static_cast<wchar_t>(::towlower(c));
        }
        const std::size_t exe = lower.find(L".exe");
        program = exe != std::wstring::npos ? command.substr(0, exe + 4)
                                            : command.substr(0, command.find(L' '));
    }
    const std::size_t separator = program.find_last_of(L"\\/");
    return separator == std::wstring::npos ? program : program.substr(separator + 1);
}

} // namespace

// Either view: a 32-bit host's server is registered in the 32-bit view only. The command
// is taken as written: its program's file name is all that is wanted of it.
std::wstring LocalServerProgram(const CLSID& id) {
    const std::wstring path = L"CLSID\\" + ClassKey(id) + L"\\LocalServer32";
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) !=
            ERROR_SUCCESS) {
            continue;
        }
        wchar_t command[MAX_PATH * 2] = {};
        DWORD size = sizeof command - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS read = ::RegQueryValueExW(key, nullptr, nullptr, &type,
                                                reinterpret_cast<BYTE*>(command), &size);
        ::RegCloseKey(key);
        if (read == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            return ProgramOfCommand(command);
        }
    }
    return {};
}

ClassRegistration FindClassRegistration(const CLSID& id) {
    const std::wstring classId = ClassKey(id);
    if (classId.empty()) {
        return {};
    }
    ClassRegistration registration;
    registration.view32 = FindServerKeys(classId, KEY_WOW64_32KEY);
    if (HasView64()) {
        registration.view64 = FindServerKeys(classId, KEY_WOW64_64KEY);
    }
    return registration;
}

} // namespace quillet
