// The test automation server as an in-process DLL.
#include "TestHost.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        quillet::testhost::SetModule(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return quillet::testhost::GetClassObject(clsid, iid, object);
}

// Stays loaded: its counters live for the whole client process.
STDAPI DllCanUnloadNow() {
    return S_FALSE;
}
