#include "host/win32/ClassRegistry.h"

#include <objbase.h>
#include <windows.h>

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

} // namespace

ClassRegistration FindClassRegistration(const CLSID& id) {
    wchar_t text[40] = {};
    if (::StringFromGUID2(id, text, static_cast<int>(std::size(text))) == 0) {
        return {};
    }
    const std::wstring classId(text);
    ClassRegistration registration;
    registration.view32 = FindServerKeys(classId, KEY_WOW64_32KEY);
    if (HasView64()) {
        registration.view64 = FindServerKeys(classId, KEY_WOW64_64KEY);
    }
    return registration;
}

} // namespace quillet
