#pragma once

#include <objbase.h>

namespace quillet::testhost {

// The test automation server: the host's application and list objects, reached by name
// only, every call written to a record file as "host <call>" lines.
//
// The server reads quillet-testhost.cfg beside its module whenever an application object
// is created; its lines are key=value:
//   record=FILE          where the calls go (appended)
//   withhold-list=N      the first N GetExeList calls hand out no list ("forever": never)
//   fail-addline=N       the next N AddLine calls raise an error
//   no-device-status=1   the DeviceStatus property gives nothing
// and, for the local server only, counted in calls of the record:
//   die-after=N          the process ends right after answering its N-th call
//   reject-calls=N       its message filter rejects the next N incoming calls outright
//   busy-calls=N         ... and answers the next N "retry later" (Wine runs them anyway)
//   faults-after=K       rejections and "retry later" begin after the K-th call

extern const CLSID kHostAppClass;
extern const CLSID kExeListClass;
inline constexpr const wchar_t* kExeListProgId = L"Tormial.ExeList";

// The module whose folder holds the configuration (the DLL; null for the EXE).
void SetModule(HMODULE module);

// A class factory for `clsid`, or E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

// The local server's message filter's answer to an incoming call (SERVERCALL_...).
DWORD IncomingCall();

// The call that die-after names has been answered: the process is to end.
bool Ending();

// Every object handed out and still alive, so that an ending server can cut them off.
void ForEachLiveObject(void (*visit)(IUnknown* object));

} // namespace quillet::testhost
