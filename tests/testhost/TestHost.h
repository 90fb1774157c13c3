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

extern const CLSID kHostAppClass;
extern const CLSID kExeListClass;
inline constexpr const wchar_t* kExeListProgId = L"Tormial.ExeList";

// The module whose folder holds the configuration (the DLL; null for the EXE).
void SetModule(HMODULE module);

// A class factory for `clsid`, or E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

} // namespace quillet::testhost
