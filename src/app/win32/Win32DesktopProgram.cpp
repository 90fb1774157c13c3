#include "app/win32/Win32DesktopProgram.h"

#include "app/win32/Win32ScannerTestDialog.h"
#include "config/win32/Win32AboutDialog.h"
#include "config/win32/Win32Dialogs.h"
#include "config/win32/Win32SettingsDialog.h"
#include "fields/win32/Win32ExclusionDialog.h"
#include "host/ComHost.h"

namespace quillet {

namespace {

std::shared_ptr<HostApplication> MakeHost(const DesktopProgramSetup& setup, Trace& trace) {
    if (setup.hostKind != HostKind::Simulated) {
        return MakeComHost(trace);
    }
    return std::make_shared<SimulatedHost>(trace, setup.host);
}

} // namespace

MutexSingleCopy::~MutexSingleCopy() {
    if (mutex_ != nullptr) {
        ::CloseHandle(mutex_);
    }
}

// A mutex we may not open was made by a copy of another user or an elevated one: that
// copy runs.
bool MutexSingleCopy::Acquire() {
    mutex_ = ::CreateMutexW(nullptr, FALSE, kSingleCopyMutex);
    const DWORD error = ::GetLastError();
    if (mutex_ == nullptr) {
        return error != ERROR_ACCESS_DENIED;
    }
    return error != ERROR_ALREADY_EXISTS;
}

Win32DesktopProgram::Win32DesktopProgram(HINSTANCE instance, const DesktopProgramSetup& setup,
                                         Trace& trace)
    : window_(instance, Commands()), files_(setup.paths), scanner_(setup.devices),
      session_(SessionSetupOf(setup, MakeHost(setup, trace)),
               {files_, boxes_, scanner_, catalog_, pump_, desktop_, singleCopy_, trace, window_,
                *this, *this}),
      labels_(
          instance, session_.Labels(), [this](const std::string& text) { session_.TryLabel(text); },
          [this](bool on) { session_.SetScansTried(on); }) {
    session_.OnTryReport([this](const std::string& report) { labels_.ShowTried(report); });
    pump_.SetDialog(window_.Handle());
    boxes_.SetOwner(window_.Handle());
    window_.Attach(session_.App().Window());
    session_.ViewAttached();
    Application& app = session_.App();
    app.Manual().SetObserver([this, &app] { window_.ShowManualEntry(app.Manual().View()); });
}

Win32DesktopProgram::~Win32DesktopProgram() {
    session_.OnTryReport({});
    machineFields_.reset();
    window_.Detach();
}

MainWindowCommands Win32DesktopProgram::Commands() {
    MainWindowCommands commands;
    commands.autoClear = [this](bool on) { session_.App().ClickAutoClear(on); };
    commands.overwrite = [this](bool on) { session_.App().ClickOverwrite(on); };
    commands.autoStart = [this](bool on) { session_.App().ClickAutoStart(on); };
    commands.edit = [this] { session_.App().Manual().Edit(); };
    commands.ok = [this](const std::string& text) { session_.App().Manual().Ok(text); };
    commands.command = [this](Command command) { session_.Run(command); };
    commands.close = [this] { session_.Close(); };
    commands.endSession = [this] { session_.EndSession(); };
    commands.timer = [this](SessionTimer timer) { session_.TimerFired(timer); };
    commands.deviceArrived = [this] { session_.DeviceArrived(); };
    return commands;
}

int Win32DesktopProgram::Run() {
    const int status = pump_.Run();
    return ExitStatus().value_or(status);
}

void Win32DesktopProgram::CenterWindow() {
    quillet::CenterWindow(window_.Handle());
}

void Win32DesktopProgram::ShowWindow() {
    ::ShowWindow(window_.Handle(), SW_SHOW);
    ::SetForegroundWindow(window_.Handle());
}

void Win32DesktopProgram::HideWindow() {
    labels_.Close();
    ::ShowWindow(window_.Handle(), SW_HIDE);
}

std::optional<SerialSettingsChoice>
Win32DesktopProgram::AskSerialSettings(const Settings& settings,
                                       const std::vector<SerialPortInfo>& ports) {
    return AskWin32SerialSettings(settings, ports, window_.Handle());
}

std::optional<ScannerSetup> Win32DesktopProgram::AskScannerTest(ScannerTest& test) {
    return AskWin32ScannerTest(test, window_.Handle());
}

std::optional<std::string> Win32DesktopProgram::AskExclusionFlags(const std::string& flags) {
    return AskWin32ExclusionFlags(flags, window_.Handle());
}

void Win32DesktopProgram::ShowAbout() {
    ShowWin32AboutDialog(window_.Handle());
}

void Win32DesktopProgram::LoadFieldDialog(AutoSelEditor& editor, IniProfile& ini,
                                          LastProgram& last) {
    machineFields_ = std::make_unique<Win32MachineFieldDialog>(editor, ini, last);
}

void Win32DesktopProgram::ShowFieldDialog() {
    machineFields_->Show(window_.Handle());
}

// The dialog may be showing (a close from the window's frame while it is up): it ends as
// Cancel ends it; the object stays until the program goes.
void Win32DesktopProgram::UnloadFieldDialog() {
    machineFields_->Dismiss();
}

void Win32DesktopProgram::ShowLabelsWindow() {
    labels_.Show(window_.Handle());
}

void Win32DesktopProgram::EndLoop(int status) {
    ::PostQuitMessage(status);
}

void Win32DesktopProgram::StartTimer(SessionTimer timer, int milliseconds) {
    window_.StartTimer(timer, milliseconds);
}

void Win32DesktopProgram::StopTimer(SessionTimer timer) {
    window_.StopTimer(timer);
}

} // namespace quillet
