#include "app/win32/Win32DesktopProgram.h"

#include "app/InstanceLock.h"
#include "config/DialogText.h"
#include "config/win32/Win32AboutDialog.h"
#include "config/win32/Win32Dialogs.h"
#include "config/win32/Win32SettingsDialog.h"
#include "fields/ExclusionFlags.h"
#include "fields/FieldDialogText.h"
#include "fields/win32/Win32ExclusionDialog.h"
#include "fields/win32/Win32MachineFieldDialog.h"
#include "host/ComHost.h"

namespace quillet {

namespace {

// How often a close waits for the label being handled.
constexpr int kCloseRetryMs = 100;

} // namespace

Win32DesktopProgram::Win32DesktopProgram(HINSTANCE instance, const Win32DesktopSetup& setup,
                                         Trace& trace)
    : setup_(setup), trace_(trace), operator_(&trace, setup.unattended), files_(setup.paths),
      port_(setup.devices), tracedPort_(port_, trace),
      host_(setup.hostKind != HostKind::Simulated
                ? MakeComHost(trace)
                : std::shared_ptr<HostApplication>(
                      std::make_shared<SimulatedHost>(trace, setup.host))),
      app_({files_, operator_, tracedPort_, pump_, desktop_, trace}), window_(instance, Commands()),
      statusTrace_(trace, &window_) {
    pump_.SetDialog(window_.Handle());
    operator_.SetOwner(window_.Handle());
    window_.Attach(app_.Window());
    app_.Window().SetObserver(&statusTrace_);
    app_.Manual().SetObserver([this] { window_.ShowManualEntry(app_.Manual().View()); });
    const auto toStatus = [this](const std::string& text) { app_.Window().SetStatus(text); };
    port_.OnLost([this, toStatus](const std::string& text) {
        toStatus(text);
        window_.StartRetrying(kRetryMs);
    });
    port_.OnBack([this, toStatus](const std::string& text) {
        window_.StopRetrying();
        toStatus(text);
    });
}

Win32DesktopProgram::~Win32DesktopProgram() {
    ReleaseAll();
    app_.Window().SetObserver(nullptr);
    window_.Detach();
    if (singleCopy_ != nullptr) {
        ::CloseHandle(singleCopy_);
    }
}

MainWindowCommands Win32DesktopProgram::Commands() {
    MainWindowCommands commands;
    commands.autoClear = [this](bool on) { app_.ClickAutoClear(on); };
    commands.overwrite = [this](bool on) { app_.ClickOverwrite(on); };
    commands.autoStart = [this](bool on) { app_.ClickAutoStart(on); };
    commands.edit = [this] { app_.Manual().Edit(); };
    commands.ok = [this](const std::string& text) { app_.Manual().Ok(text); };
    commands.settings = [this] { ShowSettingsDialog(); };
    commands.autoFieldSelect = [this] { ShowMachineFieldDialog(); };
    commands.exclusionInsertion = [this] { ShowExclusionDialog(); };
    commands.about = [this] {
        if (DialogMayOpen(dialog_text::kAboutTitle)) {
            ShowWin32AboutDialog(window_.Handle());
        }
    };
    // "E&xit" ends the program the same way as closing the window, so the port and the host
    // are released.
    commands.exit = [this] { Close(); };
    commands.close = [this] { Close(); };
    commands.endSession = [this] { EndSession(); };
    commands.pollTick = [this] { PollTick(); };
    commands.retryTick = [this] { port_.Retry(); };
    return commands;
}

// One copy per workstation, whichever session started it: a named mutex in the global
// namespace, dropped by the system when a copy ends or crashes. A mutex we may not open
// was made by a copy of another user or an elevated one: that copy runs.
bool Win32DesktopProgram::AcquireSingleCopy() {
    singleCopy_ = ::CreateMutexW(nullptr, FALSE, kSingleCopyMutex);
    const DWORD error = ::GetLastError();
    if (singleCopy_ == nullptr) {
        return error != ERROR_ACCESS_DENIED;
    }
    return error != ERROR_ALREADY_EXISTS;
}

bool Win32DesktopProgram::Start() {
    if (!AcquireSingleCopy()) {
        operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                          kAlreadyRunning);
        operator_.RequestExit(kExitAlreadyRunning);
        return false;
    }
    const StartOptions options{setup_.locations, host_, setup_.host.connectTimeoutSeconds,
                               [this] {
                                   ApplyCommSettings(app_.settings(), app_.Ini(), app_.Window(),
                                                     operator_, PortOperations());
                               },
                               [this] { CenterOnScreen(window_.Handle()); }};
    if (!app_.Start(options)) {
        return false;
    }
    if (IniProfile* ini = app_.Ini()) {
        machineFields_ =
            std::make_unique<Win32MachineFieldDialog>(app_.FieldEditor(), *ini, app_.Last());
    }
    ::ShowWindow(window_.Handle(), SW_SHOW);
    ::SetForegroundWindow(window_.Handle());
    window_.StartPolling(app_.settings().PollIntervalMs);
    return true;
}

int Win32DesktopProgram::Run() {
    const int status = pump_.Run();
    return ExitStatus().value_or(status);
}

void Win32DesktopProgram::PollTick() {
    port_.CheckHealth();
    app_.Tick();
}

CommSettingsPorts Win32DesktopProgram::PortOperations() {
    CommSettingsPorts ports;
    ports.open = [this](int portNumber, const std::string& settings) {
        window_.StopRetrying();
        return port_.Open(portNumber, settings);
    };
    // Nobody at the screen: the dialog counts as cancelled, the port stays as it is.
    ports.askSettings = [this](const Settings& settings) -> std::optional<SerialSettingsChoice> {
        if (!DialogMayOpen(dialog_text::kSettingsTitle)) {
            return std::nullopt;
        }
        return AskWin32SerialSettings(settings, window_.Handle());
    };
    return ports;
}

void Win32DesktopProgram::ShowSettingsDialog() {
    ChangeCommSettings(app_.settings(), app_.Ini(), app_.Window(), operator_, PortOperations());
}

void Win32DesktopProgram::ShowExclusionDialog() {
    IniProfile* ini = app_.Ini();
    if (ini == nullptr || !DialogMayOpen(field_text::kExclusionTitle)) {
        return;
    }
    if (const auto flags =
            AskWin32ExclusionFlags(app_.settings().ExclusionFlags, window_.Handle())) {
        ApplyExclusionFlags(*flags, *ini, app_.settings(), app_.Window());
    }
}

void Win32DesktopProgram::ShowMachineFieldDialog() {
    if (machineFields_ && DialogMayOpen(field_text::kMachineFieldTitle)) {
        machineFields_->Show(window_.Handle());
    }
}

bool Win32DesktopProgram::DialogMayOpen(const char* title) {
    if (!setup_.unattended) {
        return true;
    }
    trace_.Event("dialog", std::string(title) + " not opened");
    return false;
}

void Win32DesktopProgram::Close() {
    if (closed_) {
        return;
    }
    if (!closing_) {
        closing_ = true;
        if (machineFields_) {
            machineFields_->Dismiss();
        }
        window_.StopPolling();
    }
    // A label still being handled finishes first; it may still need the port and the host.
    if (app_.Poller().Busy()) {
        window_.CloseLater(kCloseRetryMs);
        return;
    }
    ReleaseAll();
    ::ShowWindow(window_.Handle(), SW_HIDE);
    closed_ = true;
    ::PostQuitMessage(ExitStatus().value_or(0));
}

// The same release as closing, without waiting for a label in hand (the system will not)
// and without a message box that nobody could answer.
void Win32DesktopProgram::EndSession() {
    operator_.Silence();
    if (closed_) {
        return;
    }
    closing_ = true;
    if (machineFields_) {
        machineFields_->Dismiss();
    }
    ReleaseAll();
    closed_ = true;
    ::PostQuitMessage(ExitStatus().value_or(0));
}

void Win32DesktopProgram::ReleaseAll() {
    window_.StopPolling();
    window_.StopRetrying();
    port_.Close();
    app_.Shutdown();
}

} // namespace quillet
