#include "TestHost.h"

#include "base/Trace.h"
#include "base/win32/AnsiText.h"

#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::testhost {

const CLSID kHostAppClass = {
    0x13C0F70D, 0xB865, 0x4983, {0x93, 0x76, 0x88, 0xA7, 0xB0, 0x0C, 0x22, 0x62}};
const CLSID kExeListClass = {
    0x5B2E0C41, 0x7A3D, 0x4F19, {0x9C, 0x62, 0x3E, 0x8A, 0x1D, 0x0B, 0x7F, 0x24}};

namespace {

// The error an AddLine told to fail raises.
constexpr HRESULT kRefused = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x201);

// What one server process knows: the configuration read at the last application object's
// creation and the counters it drives. One per process, as COM's class objects are.
struct ServerState {
    HMODULE module = nullptr;
    std::wstring recordPath;
    int withholdList = 0;
    bool withholdForever = false;
    int failAddLine = 0;
    bool noDeviceStatus = false;
    int dieAfter = 0;
    int rejectCalls = 0;
    int busyCalls = 0;
    int faultsAfter = 0;
    int exeListCalls = 0;
    int recorded = 0;
    bool ending = false;
};

ServerState& State() {
    static ServerState state;
    return state;
}

// Apart from the state, which each new application object resets.
std::vector<IUnknown*>& LiveObjects() {
    static std::vector<IUnknown*> live;
    return live;
}

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(State().module, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

void ReadConfiguration() {
    ServerState& state = State();
    const HMODULE module = state.module;
    state = ServerState();
    state.module = module;
    const std::wstring path = ModuleFolder() + L"quillet-testhost.cfg";
    std::FILE* file = ::_wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return;
    }
    char line[1024];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        const std::size_t equals = text.find('=');
        const std::string key = text.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : text.substr(equals + 1);
        if (key == "record") {
            state.recordPath.assign(value.begin(), value.end());
        } else if (key == "withhold-list") {
            state.withholdForever = value == "forever";
            state.withholdList = std::atoi(value.c_str());
        } else if (key == "fail-addline") {
            state.failAddLine = std::atoi(value.c_str());
        } else if (key == "no-device-status") {
            state.noDeviceStatus = value == "1";
        } else if (key == "die-after") {
            state.dieAfter = std::atoi(value.c_str());
        } else if (key == "reject-calls") {
            state.rejectCalls = std::atoi(value.c_str());
        } else if (key == "busy-calls") {
            state.busyCalls = std::atoi(value.c_str());
        } else if (key == "faults-after") {
            state.faultsAfter = std::atoi(value.c_str());
        }
    }
    std::fclose(file);
}

void Record(std::string_view call) {
    ServerState& state = State();
    ++state.recorded;
    state.ending = state.ending || state.recorded == state.dieAfter;
    if (state.recordPath.empty()) {
        return;
    }
    // Opened for each line, so the test may empty the file between runs.
    if (std::FILE* file = ::_wfopen(state.recordPath.c_str(), L"ab")) {
        TraceWriter(file).Event("host", call);
        std::fclose(file);
    }
}

// In the system's code page, as the client's trace writes it.
std::string Narrow(BSTR text) {
    return AnsiFromWide(std::wstring_view(text, ::SysStringLen(text)));
}

// The argument as its record shows it; a wrong type shows as such, so the record then
// differs from the client's trace.
std::string BoolText(const VARIANT& v) {
    if (v.vt != VT_BOOL) {
        return "<type " + std::to_string(v.vt) + ">";
    }
    return v.boolVal == VARIANT_TRUE ? "true" : v.boolVal == VARIANT_FALSE ? "false" : "<bad bool>";
}

std::string StringText(const VARIANT& v) {
    return v.vt == VT_BSTR ? Narrow(v.bstrVal) : "<type " + std::to_string(v.vt) + ">";
}

HRESULT Raise(EXCEPINFO* exception, HRESULT code, const wchar_t* description) {
    if (exception != nullptr) {
        *exception = EXCEPINFO{};
        exception->bstrSource = ::SysAllocString(L"Tormial");
        exception->bstrDescription = ::SysAllocString(description);
        exception->scode = code;
    }
    return DISP_E_EXCEPTION;
}

// IDispatch by name alone: the names a class answers to, numbered from 1.
class Dispatch : public IDispatch {
public:
    Dispatch() { LiveObjects().push_back(this); }
    virtual ~Dispatch() { std::erase(LiveObjects(), static_cast<IUnknown*>(this)); }
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (std::size_t k = 0; i == 0 && k < Names().size(); ++k) {
                if (::_wcsicmp(names[0], Names()[k]) == 0) {
                    ids[0] = static_cast<DISPID>(k + 1);
                }
            }
            if (ids[i] == DISPID_UNKNOWN) {
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        if (id < 1 || static_cast<std::size_t>(id) > Names().size()) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result != nullptr) {
            ::VariantInit(result);
        }
        return Call(id, flags, *params, result, exception);
    }

protected:
    virtual std::span<const wchar_t* const> Names() const = 0;
    virtual HRESULT Call(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result,
                         EXCEPINFO* exception) = 0;

private:
    ULONG refs_ = 1;
};

// Arguments come last first.
const VARIANT* Arg(const DISPPARAMS& params, UINT index, UINT count) {
    return params.cArgs == count ? &params.rgvarg[count - 1 - index] : nullptr;
}

class ExeList final : public Dispatch {
protected:
    std::span<const wchar_t* const> Names() const override {
        static const wchar_t* const names[] = {L"AddLine", L"Visible", L"ClearList", L"Clear"};
        return {names, 4};
    }
    HRESULT Call(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT*,
                 EXCEPINFO* exception) override {
        switch (id) {
        case 1: {
            const VARIANT* line = Arg(params, 0, 1);
            Record(line ? "AddLine " + StringText(*line) : "AddLine <arguments>");
            if (State().failAddLine > 0) {
                --State().failAddLine;
                return Raise(exception, kRefused, L"The execution list refused the line");
            }
            return S_OK;
        }
        case 2: {
            const VARIANT* value = Arg(params, 0, 1);
            const bool put = (flags & DISPATCH_PROPERTYPUT) != 0 && params.cNamedArgs == 1;
            Record(put && value ? "Visible " + BoolText(*value) : "Visible <not a put>");
            return S_OK;
        }
        case 3:
            Record(params.cArgs == 0 ? "ClearList" : "ClearList <arguments>");
            return S_OK;
        default:
            Record(params.cArgs == 0 ? "Clear" : "Clear <arguments>");
            return S_OK;
        }
    }
};

class DeviceStatus final : public Dispatch {
protected:
    std::span<const wchar_t* const> Names() const override {
        static const wchar_t* const names[] = {L"SetDeviceStatus"};
        return {names, 1};
    }
    HRESULT Call(DISPID, WORD, const DISPPARAMS& params, VARIANT*, EXCEPINFO*) override {
        const VARIANT* name = Arg(params, 0, 2);
        const VARIANT* value = Arg(params, 1, 2);
        if (name == nullptr || value == nullptr || value->vt != VT_I2) {
            Record("SetDeviceStatus <arguments>");
            return DISP_E_TYPEMISMATCH;
        }
        Record("SetDeviceStatus " + StringText(*name) + " " + std::to_string(value->iVal));
        return S_OK;
    }
};

class HostApp final : public Dispatch {
protected:
    std::span<const wchar_t* const> Names() const override {
        static const wchar_t* const names[] = {L"Attach", L"GetExeList", L"Start",
                                               L"Stop",   L"End",        L"DeviceStatus"};
        return {names, 6};
    }
    HRESULT Call(DISPID id, WORD, const DISPPARAMS& params, VARIANT* result, EXCEPINFO*) override {
        switch (id) {
        case 1: {
            const VARIANT* attach = Arg(params, 0, 1);
            Record(attach ? "Attach " + BoolText(*attach) : "Attach <arguments>");
            return S_OK;
        }
        case 2:
            Record("GetExeList");
            return GetExeList(result);
        case 3:
            Record("Start");
            return S_OK;
        case 4:
            Record("Stop");
            return S_OK;
        case 5:
            Record("End");
            return S_OK;
        default:
            if (result != nullptr && !State().noDeviceStatus) {
                result->vt = VT_DISPATCH;
                result->pdispVal = new testhost::DeviceStatus();
            }
            return S_OK;
        }
    }

private:
    // A withheld list shows as each kind of "nothing" in turn: empty, a null object, a
    // value that is no object.
    static HRESULT GetExeList(VARIANT* result) {
        ServerState& state = State();
        const int call = state.exeListCalls++;
        if (result == nullptr) {
            return S_OK;
        }
        if (state.withholdForever || call < state.withholdList) {
            if (call % 3 == 1) {
                result->vt = VT_DISPATCH;
                result->pdispVal = nullptr;
            } else if (call % 3 == 2) {
                result->vt = VT_BSTR;
                result->bstrVal = ::SysAllocString(L"not ready");
            }
            return S_OK;
        }
        result->vt = VT_DISPATCH;
        result->pdispVal = new ExeList();
        return S_OK;
    }
};

class Factory final : public IClassFactory {
public:
    explicit Factory(bool hostApp) : hostApp_(hostApp) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the process: the server never goes away on a last Release.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        Dispatch* created = nullptr;
        if (hostApp_) {
            ReadConfiguration();
            created = new HostApp();
        } else {
            Record("CreateExeList");
            created = new ExeList();
        }
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    bool hostApp_;
};

} // namespace

void SetModule(HMODULE module) {
    State().module = module;
}

DWORD IncomingCall() {
    ServerState& state = State();
    if (state.recorded < state.faultsAfter) {
        return SERVERCALL_ISHANDLED;
    }
    if (state.rejectCalls > 0) {
        --state.rejectCalls;
        return SERVERCALL_REJECTED;
    }
    if (state.busyCalls > 0) {
        --state.busyCalls;
        return SERVERCALL_RETRYLATER;
    }
    return SERVERCALL_ISHANDLED;
}

bool Ending() {
    return State().ending;
}

void ForEachLiveObject(void (*visit)(IUnknown* object)) {
    const std::vector<IUnknown*> live = LiveObjects();
    for (IUnknown* object : live) {
        object->AddRef();
    }
    for (IUnknown* object : live) {
        visit(object);
        object->Release();
    }
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    static Factory hostApp(true);
    static Factory exeList(false);
    if (clsid == kHostAppClass) {
        return hostApp.QueryInterface(iid, object);
    }
    if (clsid == kExeListClass) {
        return exeList.QueryInterface(iid, object);
    }
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace quillet::testhost
