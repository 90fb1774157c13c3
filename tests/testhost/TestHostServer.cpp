// The test automation server as a local-server EXE, and the tool that registers either
// form for the current user.
//   quillet-testhost -Embedding          serve (COM starts it so); never ends by itself
//   quillet-testhost --register inproc   the DLL beside this program serves the classes
//   quillet-testhost --register local    this program serves them
//   quillet-testhost --unregister        neither: the host is "not installed"
#include "TestHost.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using namespace quillet::testhost;

std::wstring ClassKey(REFCLSID clsid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(clsid, text, 40);
    return std::wstring(L"Software\\Classes\\CLSID\\") + text;
}

// Per user, as on Windows; Wine 8's COM reads only the machine's classes, so in a test
// prefix the same keys go there too.
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    const LONG result = ::RegSetValueExW(handle, name, 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    ::RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

void Unregister() {
    for (HKEY root : kRoots) {
        for (REFCLSID clsid : {kHostAppClass, kExeListClass}) {
            ::RegDeleteTreeW(root, ClassKey(clsid).c_str());
        }
        ::RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\") + kExeListProgId).c_str());
    }
}

bool Register(bool inproc) {
    Unregister();
    wchar_t self[MAX_PATH] = {};
    const std::wstring exe(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    const std::wstring dll = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"quillet-testhost.dll";
    wchar_t listClass[40] = {};
    ::StringFromGUID2(kExeListClass, listClass, 40);
    bool ok = true;
    for (HKEY root : kRoots) {
        for (REFCLSID clsid : {kHostAppClass, kExeListClass}) {
            const std::wstring key = ClassKey(clsid);
            if (inproc) {
                ok = ok && SetValue(root, key + L"\\InprocServer32", nullptr, dll) &&
                     SetValue(root, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
            } else {
                ok = ok && SetValue(root, key + L"\\LocalServer32", nullptr, L"\"" + exe + L"\"");
            }
        }
        ok =
            ok && SetValue(root, std::wstring(L"Software\\Classes\\") + kExeListProgId + L"\\CLSID",
                           nullptr, listClass);
    }
    return ok;
}

// Turns calls away or asks for patience as the configuration says.
class ServerFilter final : public IMessageFilter {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
            *object = static_cast<IMessageFilter*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        return IncomingCall();
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
        return static_cast<DWORD>(-1);
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return PENDINGMSG_WAITDEFPROCESS;
    }
};

// Ends as a host that is closed does: its objects cut off from their clients, its classes
// withdrawn, so that COM starts a new server for the next client (as Windows also does for
// a server that was killed). The last answer is given time to leave.
[[noreturn]] void End(const DWORD (&cookies)[2]) {
    ForEachLiveObject([](IUnknown* object) { ::CoDisconnectObject(object, 0); });
    for (DWORD cookie : cookies) {
        ::CoRevokeClassObject(cookie);
    }
    ::Sleep(300);
    ::ExitProcess(0);
}

int Serve() {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    static ServerFilter filter;
    ::CoRegisterMessageFilter(&filter, nullptr);
    DWORD cookies[2] = {};
    const CLSID* classes[2] = {&kHostAppClass, &kExeListClass};
    for (int i = 0; i < 2; ++i) {
        IUnknown* factory = nullptr;
        GetClassObject(*classes[i], IID_IUnknown, reinterpret_cast<void**>(&factory));
        if (FAILED(::CoRegisterClassObject(*classes[i], factory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &cookies[i]))) {
            return 1;
        }
    }
    // Serves until the session ends: leaving on the last Release races the next client.
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
        if (Ending()) {
            End(cookies);
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"-Embedding" || command == L"/Embedding") {
        return Serve();
    }
    if (command == L"--register" && argc == 3) {
        const std::wstring form = argv[2];
        if ((form == L"inproc" || form == L"local") && Register(form == L"inproc")) {
            return 0;
        }
    }
    if (command == L"--unregister" && argc == 2) {
        Unregister();
        return 0;
    }
    std::fputs("usage: quillet-testhost -Embedding | --register inproc|local | --unregister\n",
               stderr);
    return 2;
}
