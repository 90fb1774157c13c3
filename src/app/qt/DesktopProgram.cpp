#include "app/qt/DesktopProgram.h"

#include "base/qt/SingleByteText.h"
#include "config/qt/AboutDialog.h"
#include "config/qt/CenterForm.h"
#include "config/qt/SettingsDialog.h"
#include "fields/qt/ExclusionDialog.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

namespace quillet {

namespace {

constexpr int kHostWindowGap = 40;

} // namespace

std::string InstanceLockPath(const SettingsLocations& locations) {
    return locations.windowsDir + "/" + kInstanceLockName;
}

DesktopProgram::DesktopProgram(const DesktopSetup& setup, Trace& trace, QObject* parent)
    : QObject(parent), setup_(setup), boxes_(&window_), files_(setup.paths),
      scanner_(setup.devices), singleCopy_(InstanceLockPath(setup.locations)),
      host_(std::make_shared<SimulatedHost>(trace, setup.host)),
      hostWindow_(std::make_unique<HostListWindow>(*host_)),
      session_(
          {setup.locations, host_, setup.host.connectTimeoutSeconds, setup.unattended,
           setup.journal},
          {files_, boxes_, scanner_, pump_, desktop_, singleCopy_, trace, window_, *this, *this}) {
    window_.Attach(App().Window());
    session_.ViewAttached();
    ConnectWindow();
}

DesktopProgram::~DesktopProgram() {
    machineFields_.reset();
    hostWindow_->Detach();
    window_.Detach();
}

void DesktopProgram::UseScannerDevice(const std::string& device) {
    SerialDeviceMap devices = setup_.devices;
    devices.SetOverride(device);
    scanner_.SetDevices(devices);
}

void DesktopProgram::ConnectWindow() {
    Application& app = App();
    connect(&window_, &MainWindow::autoClearClicked, this,
            [&app](bool on) { app.ClickAutoClear(on); });
    connect(&window_, &MainWindow::overwriteClicked, this,
            [&app](bool on) { app.ClickOverwrite(on); });
    connect(&window_, &MainWindow::autoStartClicked, this,
            [&app](bool on) { app.ClickAutoStart(on); });
    connect(&window_, &MainWindow::editClicked, this, [&app] { app.Manual().Edit(); });
    connect(&window_, &MainWindow::okClicked, this,
            [&app](const QString& text) { app.Manual().Ok(FromQString(text)); });
    app.Manual().SetObserver([this] { window_.ShowManualEntry(App().Manual().View()); });
    connect(&window_, &MainWindow::commandRequested, this,
            [this](Command command) { session_.Run(command); });
    connect(&window_, &MainWindow::closeRequested, this, [this] { session_.Close(); });
    for (const SessionTimer timer :
         {SessionTimer::Poll, SessionTimer::PortRetry, SessionTimer::CloseRetry}) {
        connect(&TimerOf(timer), &QTimer::timeout, this,
                [this, timer] { session_.TimerFired(timer); });
    }
}

void DesktopProgram::CenterWindow() {
    CenterForm(window_);
}

// The host's list window goes under the main window, so the two do not cover each other.
void DesktopProgram::ShowWindow() {
    window_.show();
    const QRect main = window_.frameGeometry();
    hostWindow_->move(std::max(0, main.center().x() - hostWindow_->width() / 2),
                      main.bottom() + kHostWindowGap);
}

void DesktopProgram::HideWindow() {
    window_.hide();
    hostWindow_->Detach();
    hostWindow_->close();
}

std::optional<SerialSettingsChoice> DesktopProgram::AskSerialSettings(const Settings& settings) {
    return SettingsDialog::Ask(settings, &window_);
}

std::optional<std::string> DesktopProgram::AskExclusionFlags(const std::string& flags) {
    return ExclusionDialog::Ask(flags, &window_);
}

void DesktopProgram::ShowAbout() {
    AboutDialog::Show(&window_);
}

void DesktopProgram::LoadFieldDialog(AutoSelEditor& editor, IniProfile& ini, LastProgram& last) {
    machineFields_ = std::make_unique<MachineFieldDialog>(editor, ini, last, &window_);
}

void DesktopProgram::ShowFieldDialog() {
    machineFields_->exec();
}

void DesktopProgram::UnloadFieldDialog() {
    machineFields_.reset();
}

// Before the loop runs there is nothing to end: main() checks the exit status first.
void DesktopProgram::EndLoop(int status) {
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(status);
    }
}

QTimer& DesktopProgram::TimerOf(SessionTimer timer) {
    switch (timer) {
    case SessionTimer::PortRetry:
        return portRetry_;
    case SessionTimer::CloseRetry:
        return closeRetry_;
    case SessionTimer::Poll:
        break;
    }
    return window_.PollTimer();
}

void DesktopProgram::StartTimer(SessionTimer timer, int milliseconds) {
    TimerOf(timer).start(milliseconds);
}

void DesktopProgram::StopTimer(SessionTimer timer) {
    TimerOf(timer).stop();
}

} // namespace quillet
