#include "host/ComHost.h"

#include "base/win32/AnsiText.h"
#include "base/win32/SystemErrors.h"
#include "host/BusyHostPolicy.h"
#include "host/CallFailureClass.h"
#include "host/HostActivation.h"
#include "host/win32/ClassRegistry.h"
#include "host/win32/HostProcessRights.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

namespace {

const CLSID kHostAppClass = {
    0x13C0F70D, 0xB865, 0x4983, {0x93, 0x76, 0x88, 0xA7, 0xB0, 0x0C, 0x22, 0x62}};

// ": <the system's words>", or nothing when the system has none.
std::string Reason(HRESULT hr) {
    const std::string text = SystemMessage(static_cast<DWORD>(hr));
    return text.empty() ? std::string() : ": " + text;
}

// A call that failed on its way: the system's words, else which call it was.
std::string CallFailureText(HRESULT hr, const std::string& call) {
    const std::string text = SystemMessage(static_cast<DWORD>(hr));
    return text.empty() ? "the Tormial call " + call + " failed" : text;
}

struct Releaser {
    void operator()(IDispatch* object) const { object->Release(); }
};
using DispatchPtr = std::unique_ptr<IDispatch, Releaser>;

// A host object and the ids of the names already looked up on it.
struct HostObject {
    explicit HostObject(IDispatch* o = nullptr) : object(o) {}
    DispatchPtr object;
    std::map<std::wstring, DISPID, std::less<>> ids;
};

// A call's arguments, freed on every path out of the call.
class CallArgs {
public:
    CallArgs() = default;
    CallArgs(std::initializer_list<VARIANT> args) : args_(args) {}
    ~CallArgs() {
        for (VARIANT& arg : args_) {
            ::VariantClear(&arg);
        }
    }
    CallArgs(const CallArgs&) = delete;
    CallArgs& operator=(const CallArgs&) = delete;

    // The arguments last first, as IDispatch takes them.
    std::vector<VARIANT> Reversed() const { return {args_.rbegin(), args_.rend()}; }

private:
    std::vector<VARIANT> args_;
};

// Waits out a host that answers "retry later" (busy, or in a dialog of its own), letting
// window events run meanwhile, and gives up a call the host leaves unanswered for longer
// than the limit. Lives as long as the apartment that registers it.
class MessageFilter final : public IMessageFilter {
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
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
        const auto answer = rejectType == SERVERCALL_RETRYLATER ? BusyHostPolicy::Answer::RetryLater
                                                                : BusyHostPolicy::Answer::Rejected;
        const std::optional<int> wait = BusyHostPolicy::RetryAfter(answer, elapsedMs);
        return wait ? static_cast<DWORD>(*wait) : static_cast<DWORD>(-1);
    }
    // Messages stay queued (the default processing would drop keys and clicks, a keyboard
    // scanner's among them) and are handled once the call is back.
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD elapsedMs, DWORD) override {
        if (BusyHostPolicy::OnMessagePending(elapsedMs, limitMs) ==
            BusyHostPolicy::Pending::GiveUp) {
            gaveUp = true;
            return PENDINGMSG_CANCELCALL;
        }
        return PENDINGMSG_WAITNOPROCESS;
    }

    unsigned limitMs = 60000;
    bool gaveUp = false; // the call under way was given up as unanswered
};

// Every object's calls share the trace, the last failure and the apartment; the apartment
// ends when the last object is gone.
struct ComState {
    explicit ComState(Trace& t) : trace(t) {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        initialised = SUCCEEDED(hr);
        if (!initialised) {
            Fail(hr, "COM could not be started on this thread" + Reason(hr));
            return;
        }
        filtered = SUCCEEDED(::CoRegisterMessageFilter(&filter, &previousFilter));
    }
    ~ComState() {
        // The thread's filter from before ours is put back (and our reference to it dropped).
        if (filtered) {
            ::CoRegisterMessageFilter(previousFilter, nullptr);
        }
        if (previousFilter != nullptr) {
            previousFilter->Release();
        }
        if (initialised) {
            ::CoUninitialize();
        }
    }
    ComState(const ComState&) = delete;
    ComState& operator=(const ComState&) = delete;

    void Event(std::string_view call) { trace.Event("host", call); }
    bool Fail(HRESULT hr, std::string description,
              HostFailureKind kind = HostFailureKind::Refused) {
        lastFailure = HostFailure{static_cast<long>(hr), std::move(description), kind};
        return false;
    }

    // Calls `name` on `target` by name.
    bool Invoke(HostObject& target, const wchar_t* name, WORD flags, const CallArgs& args,
                VARIANT* result = nullptr);

    Trace& trace;
    bool initialised = false;
    bool filtered = false;
    IMessageFilter* previousFilter = nullptr;
    MessageFilter filter;
    std::optional<HostFailure> lastFailure;
};

bool ComState::Invoke(HostObject& target, const wchar_t* name, WORD flags, const CallArgs& args,
                      VARIANT* result) {
    const std::string shownName = AnsiFromWide(name);
    auto known = target.ids.find(std::wstring_view(name));
    if (known == target.ids.end()) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        const HRESULT hr =
            target.object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (hr == DISP_E_UNKNOWNNAME) {
            return Fail(hr, "Tormial does not know the call " + shownName);
        }
        if (FAILED(hr)) {
            return Fail(hr, CallFailureText(hr, shownName), ClassifyCallFailure(hr));
        }
        known = target.ids.emplace(name, id).first;
    }
    std::vector<VARIANT> reversed = args.Reversed();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT badArg = 0;
    filter.gaveUp = false;
    // The filter hears of the call only when a message arrives: a tick each second makes
    // sure it does, so a hung host is given up even when nobody touches the program.
    const UINT_PTR tick = ::SetTimer(nullptr, 0, 1000, nullptr);
    const HRESULT hr = target.object->Invoke(known->second, IID_NULL, LOCALE_USER_DEFAULT, flags,
                                             &params, result, &exception, &badArg);
    if (tick != 0) {
        ::KillTimer(nullptr, tick);
    }
    if (SUCCEEDED(hr)) {
        return true;
    }
    if (filter.gaveUp) {
        return Fail(hr,
                    "Tormial does not answer: the call " + shownName + " was given up after " +
                        std::to_string(filter.limitMs / 1000) + " s",
                    HostFailureKind::MayHaveRun);
    }
    if (hr != DISP_E_EXCEPTION) {
        return Fail(hr, CallFailureText(hr, shownName), ClassifyCallFailure(hr));
    }
    if (exception.pfnDeferredFillIn != nullptr) {
        exception.pfnDeferredFillIn(&exception);
    }
    const std::string description =
        exception.bstrDescription != nullptr
            ? AnsiFromWide(std::wstring_view(exception.bstrDescription,
                                             ::SysStringLen(exception.bstrDescription)))
            : "the Tormial call " + shownName + " failed";
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    const long number = exception.scode != 0   ? exception.scode
                        : exception.wCode != 0 ? exception.wCode
                                               : hr;
    return Fail(static_cast<HRESULT>(number), description);
}

VARIANT BoolArg(bool value) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT StringArg(std::string_view text) {
    const std::wstring wide = WideFromAnsi(text);
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return v;
}

// An object handed back by a call; nothing for an empty, null or non-object result.
DispatchPtr TakeObject(VARIANT& result) {
    IDispatch* object = nullptr;
    if (result.vt == VT_DISPATCH && result.pdispVal != nullptr) {
        object = result.pdispVal;
        object->AddRef();
    } else if (result.vt == VT_UNKNOWN && result.punkVal != nullptr) {
        result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    }
    ::VariantClear(&result);
    return DispatchPtr(object);
}

// The connect step: the host's application object, started or reached by COM, unless the
// host's program already runs where this program cannot reach it.
DispatchPtr ConnectHostApp(ComState& state) {
    IDispatch* object = nullptr;
    const ActivationResult activation =
        ActivateHost(FindHostProcess(LocalServerProgram(kHostAppClass)), [&object] {
            return static_cast<long>(::CoCreateInstance(
                kHostAppClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                reinterpret_cast<void**>(&object)));
        });
    if (activation.failure) {
        state.lastFailure = activation.failure;
        return nullptr;
    }
    const auto hr = static_cast<HRESULT>(activation.number);
    // No server this program can use (Wine says "key missing" where Windows says "not
    // registered" when only the other bitness has one).
    if (hr == REGDB_E_CLASSNOTREG || hr == REGDB_E_KEYMISSING) {
        if (auto text = OtherBitnessText(FindClassRegistration(kHostAppClass), kThisProgramBits)) {
            state.Fail(hr, *text);
            return nullptr;
        }
    }
    if (hr == REGDB_E_CLASSNOTREG) {
        state.Fail(hr, "Tormial is not installed: its automation object HostApp is not "
                       "registered on this computer.");
        return nullptr;
    }
    if (FAILED(hr)) {
        state.Fail(hr,
                   "Tormial is not running: its automation object HostApp is registered but "
                   "could not be started or reached" +
                       Reason(hr) + ".",
                   HostFailureKind::Gone);
        return nullptr;
    }
    return DispatchPtr(object);
}

class ComExeList final : public HostExeList {
public:
    ComExeList(std::shared_ptr<ComState> state, DispatchPtr object)
        : state_(std::move(state)), list_(object.release()) {}

    bool AddLine(const std::string& fieldString) override {
        state_->Event("AddLine " + fieldString);
        return state_->Invoke(list_, L"AddLine", DISPATCH_METHOD, {StringArg(fieldString)});
    }
    bool SetVisible(bool visible) override {
        state_->Event(visible ? "Visible true" : "Visible false");
        return state_->Invoke(list_, L"Visible", DISPATCH_PROPERTYPUT, {BoolArg(visible)});
    }
    bool ClearList() override {
        state_->Event("ClearList");
        return state_->Invoke(list_, L"ClearList", DISPATCH_METHOD, {});
    }
    bool Clear() override {
        state_->Event("Clear");
        return state_->Invoke(list_, L"Clear", DISPATCH_METHOD, {});
    }

private:
    std::shared_ptr<ComState> state_; // declared first: outlives the object it serves
    HostObject list_;
};

class ComHostApp final : public HostApplication {
public:
    explicit ComHostApp(Trace& trace) : state_(std::make_shared<ComState>(trace)) {}

    bool Attach(bool attach) override {
        if (!app_.object && !Create()) {
            return false;
        }
        state_->Event(attach ? "Attach true" : "Attach false");
        return state_->Invoke(app_, L"Attach", DISPATCH_METHOD, {BoolArg(attach)});
    }
    void Disconnect() override { app_ = HostObject(); }
    void SetCallTimeLimit(int milliseconds) override {
        state_->filter.limitMs = static_cast<unsigned>(milliseconds > 0 ? milliseconds : 0);
    }
    std::shared_ptr<HostExeList> GetExeList() override {
        if (!app_.object) {
            return nullptr;
        }
        state_->Event("GetExeList");
        VARIANT result;
        ::VariantInit(&result);
        if (!state_->Invoke(app_, L"GetExeList", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {},
                            &result)) {
            return nullptr;
        }
        DispatchPtr list = TakeObject(result);
        return list ? std::make_shared<ComExeList>(state_, std::move(list)) : nullptr;
    }
    bool Start() override { return Call("Start", L"Start"); }
    bool Stop() override { return Call("Stop", L"Stop"); }
    bool End() override { return Call("End", L"End"); }
    std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) override {
        state_->Event("CreateExeList");
        CLSID id = {};
        HRESULT hr = ::CLSIDFromProgID(WideFromAnsi(progId).c_str(), &id);
        if (FAILED(hr)) {
            state_->Fail(hr, "Tormial's list object " + progId + " is not registered");
            return nullptr;
        }
        IDispatch* object = nullptr;
        hr = ::CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, reinterpret_cast<void**>(&object));
        if (FAILED(hr)) {
            state_->Fail(hr,
                         "Tormial's list object " + progId + " could not be created" + Reason(hr),
                         ClassifyCallFailure(hr));
            return nullptr;
        }
        return std::make_shared<ComExeList>(state_, DispatchPtr(object));
    }
    // The host hands none out that we know of; the device-status calls are skipped.
    std::shared_ptr<HostDeviceStatus> DeviceStatus() override { return nullptr; }
    std::optional<HostFailure> LastFailure() const override { return state_->lastFailure; }

private:
    bool Create() {
        if (!state_->initialised) {
            return false;
        }
        app_ = HostObject(ConnectHostApp(*state_).release());
        return app_.object != nullptr;
    }
    bool Call(std::string_view call, const wchar_t* name) {
        if (!app_.object) {
            return false;
        }
        state_->Event(call);
        return state_->Invoke(app_, name, DISPATCH_METHOD, {});
    }

    std::shared_ptr<ComState> state_; // declared first: outlives the object it serves
    HostObject app_;
};

} // namespace

std::shared_ptr<HostApplication> MakeComHost(Trace& trace) {
    return std::make_shared<ComHostApp>(trace);
}

} // namespace quillet
