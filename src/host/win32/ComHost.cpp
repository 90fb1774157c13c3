#include "host/ComHost.h"
#include "host/win32/ClassRegistry.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

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
// The host's strings are UTF-16; ours are single-byte text in this code page.
constexpr UINT kHostCodePage = 1252;

std::wstring WideText(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int n = ::MultiByteToWideChar(kHostCodePage, 0, text.data(), size, wide.data(), size);
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

std::string NarrowText(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(size) * 2, '\0');
    const int n = ::WideCharToMultiByte(kHostCodePage, 0, wide.data(), size, text.data(),
                                        static_cast<int>(text.size()), "?", nullptr);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

std::string SystemText(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? std::wstring_view(buffer, n) : std::wstring_view());
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return NarrowText(text);
}

// ": <the system's words>", or nothing when the system has none.
std::string Reason(HRESULT hr) {
    const std::string text = SystemText(hr);
    return text.empty() ? std::string() : ": " + text;
}

struct Releaser {
    void operator()(IDispatch* object) const { object->Release(); }
};
using DispatchPtr = std::unique_ptr<IDispatch, Releaser>;

// Every object's calls share the trace, the last failure and the apartment; the apartment
// ends when the last object is gone.
struct ComState {
    explicit ComState(Trace& t) : trace(t) {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        initialised = SUCCEEDED(hr);
        if (!initialised) {
            Fail(hr, "COM could not be started on this thread" + Reason(hr));
        }
    }
    ~ComState() {
        if (initialised) {
            ::CoUninitialize();
        }
    }
    ComState(const ComState&) = delete;
    ComState& operator=(const ComState&) = delete;

    void Event(std::string_view call) { trace.Event("host", call); }
    bool Fail(HRESULT hr, std::string description) {
        lastFailure = HostFailure{static_cast<long>(hr), std::move(description)};
        return false;
    }

    // Calls `name` on `object` by name. `args` are in the order the call takes them.
    bool Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                VARIANT* result = nullptr);

    Trace& trace;
    bool initialised = false;
    std::optional<HostFailure> lastFailure;
};

bool ComState::Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                      VARIANT* result) {
    const std::string shownName = NarrowText(name);
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return Fail(hr, "Tormial does not know the call " + shownName + Reason(hr));
    }
    std::vector<VARIANT> reversed(args.rbegin(), args.rend()); // IDispatch takes them last first
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT badArg = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception,
                        &badArg);
    for (VARIANT& arg : args) {
        ::VariantClear(&arg);
    }
    if (SUCCEEDED(hr)) {
        return true;
    }
    if (hr != DISP_E_EXCEPTION) {
        return Fail(hr, "the Tormial call " + shownName + " failed" + Reason(hr));
    }
    if (exception.pfnDeferredFillIn != nullptr) {
        exception.pfnDeferredFillIn(&exception);
    }
    const std::string description =
        exception.bstrDescription != nullptr
            ? NarrowText(std::wstring_view(exception.bstrDescription,
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
    const std::wstring wide = WideText(text);
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

class ComExeList final : public HostExeList {
public:
    ComExeList(std::shared_ptr<ComState> state, DispatchPtr object)
        : state_(std::move(state)), object_(std::move(object)) {}

    bool AddLine(const std::string& fieldString) override {
        state_->Event("AddLine " + fieldString);
        return state_->Invoke(object_.get(), L"AddLine", DISPATCH_METHOD, {StringArg(fieldString)});
    }
    bool SetVisible(bool visible) override {
        state_->Event(visible ? "Visible true" : "Visible false");
        return state_->Invoke(object_.get(), L"Visible", DISPATCH_PROPERTYPUT, {BoolArg(visible)});
    }
    bool ClearList() override {
        state_->Event("ClearList");
        return state_->Invoke(object_.get(), L"ClearList", DISPATCH_METHOD, {});
    }
    bool Clear() override {
        state_->Event("Clear");
        return state_->Invoke(object_.get(), L"Clear", DISPATCH_METHOD, {});
    }

private:
    std::shared_ptr<ComState> state_; // declared first: outlives the object it serves
    DispatchPtr object_;
};

class ComHostApp final : public HostApplication {
public:
    explicit ComHostApp(Trace& trace) : state_(std::make_shared<ComState>(trace)) {}

    bool Attach(bool attach) override {
        if (!object_ && !Create()) {
            return false;
        }
        state_->Event(attach ? "Attach true" : "Attach false");
        return state_->Invoke(object_.get(), L"Attach", DISPATCH_METHOD, {BoolArg(attach)});
    }
    std::shared_ptr<HostExeList> GetExeList() override {
        if (!object_) {
            return nullptr;
        }
        state_->Event("GetExeList");
        VARIANT result;
        ::VariantInit(&result);
        if (!state_->Invoke(object_.get(), L"GetExeList", DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                            {}, &result)) {
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
        HRESULT hr = ::CLSIDFromProgID(WideText(progId).c_str(), &id);
        if (FAILED(hr)) {
            state_->Fail(hr, "Tormial's list object " + progId + " is not registered");
            return nullptr;
        }
        IDispatch* object = nullptr;
        hr = ::CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, reinterpret_cast<void**>(&object));
        if (FAILED(hr)) {
            state_->Fail(hr,
                         "Tormial's list object " + progId + " could not be created" + Reason(hr));
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
        IDispatch* object = nullptr;
        const HRESULT hr =
            ::CoCreateInstance(kHostAppClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                               IID_IDispatch, reinterpret_cast<void**>(&object));
        // No server this program can use (Wine says "key missing" where Windows says "not
        // registered" when only the other bitness has one).
        if (hr == REGDB_E_CLASSNOTREG || hr == REGDB_E_KEYMISSING) {
            if (auto text =
                    OtherBitnessText(FindClassRegistration(kHostAppClass), kThisProgramBits)) {
                return state_->Fail(hr, *text);
            }
        }
        if (hr == REGDB_E_CLASSNOTREG) {
            return state_->Fail(hr, "Tormial is not installed: its automation object HostApp is "
                                    "not registered on this computer.");
        }
        if (FAILED(hr)) {
            return state_->Fail(hr, "Tormial is not running: its automation object HostApp is "
                                    "registered but could not be started or reached" +
                                        Reason(hr) + ".");
        }
        object_.reset(object);
        return true;
    }
    bool Call(std::string_view call, const wchar_t* name) {
        if (!object_) {
            return false;
        }
        state_->Event(call);
        return state_->Invoke(object_.get(), name, DISPATCH_METHOD, {});
    }

    std::shared_ptr<ComState> state_; // declared first: outlives the object it serves
    DispatchPtr object_;
};

} // namespace

std::shared_ptr<HostApplication> MakeComHost(Trace& trace) {
    return std::make_shared<ComHostApp>(trace);
}

} // namespace quillet
