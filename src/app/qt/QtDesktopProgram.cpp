#include "app/qt/QtDesktopProgram.h"

#include "app/qt/QtScannerTestDialog.h"
#include "base/qt/SingleByteText.h"
#include "config/qt/CenterForm.h"
#include "config/qt/QtAboutDialog.h"
#include "config/qt/QtSettingsDialog.h"
#include "fields/qt/QtExclusionDialog.h"

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

QtDesktopProgram::QtDesktopProgram(const DesktopProgramSetup& setup, Trace& trace, QObject* parent)
    : QObject(parent), setup_(setup), boxes_(&window_), files_(setup.paths),
      scanner_(setup.devices), singleCopy_(InstanceLockPath(setup.locations)),
      host_(std::make_shared<SimulatedHost>(trace, setup.host)),
      hostWindow_(std::make_unique<HostListWindow>(*host_)),
      session_(SessionSetupOf(setup, host_), {files_, boxes_, scanner_, pump_, desktop_,
                                              singleCopy_, trace, window_, *this, *this}) {
    window_.Attach(App().Window());
    session_.ViewAttached();
    ConnectWindow();
}

QtDesktopProgram::~QtDesktopProgram() {
    machineFields_.reset();
    hostWindow_->Detach();
    window_.Detach();
}

void QtDesktopProgram::UseScannerDevice(const std::string& device) {
    SerialDeviceMap devices = setup_.devices;
    devices.SetOverride(device);
    scanner_.SetDevices(devices);
}

void QtDesktopProgram::ConnectWindow() {
    Application& app = App();
    connect(&window_, &QtMainWindow::autoClearClicked, this,
            [&app](bool on) { app.ClickAutoClear(on); });
    connect(&window_, &QtMainWindow::overwriteClicked, this,
            [&app](bool on) { app.ClickOverwrite(on); });
    connect(&window_, &QtMainWindow::autoStartClicked, this,
            [&app](bool on) { app.ClickAutoStart(on); });
    connect(&window_, &QtMainWindow::editClicked, this, [&app] { app.Manual().Edit(); });
    connect(&window_, &QtMainWindow::okClicked, this,
            [&app](const QString& text) { app.Manual().Ok(FromQString(text)); });
    app.Manual().SetObserver([this] { window_.ShowManualEntry(App().Manual().View()); });
    connect(&window_, &QtMainWindow::commandRequested, this,
            [this](Command command) { session_.Run(command); });
    connect(&window_, &QtMainWindow::closeRequested, this, [this] { session_.Close(); });
    for (const SessionTimer timer :
         {SessionTimer::Poll, SessionTimer::PortRetry, SessionTimer::CloseRetry}) {
        connect(&TimerOf(timer), &QTimer::timeout, this,
                [this, timer] { session_.TimerFired(timer); });
    }
}

void QtDesktopProgram::CenterWindow() {
    CenterForm(window_);
}

// The host's list window goes under the main window, so the two do not cover each other.
void QtDesktopProgram::ShowWindow() {
    window_.show();
    const QRect main = window_.frameGeometry();
    hostWindow_->move(std::max(0, main.center().x() - hostWindow_->width() / 2),
                      main.bottom() + kHostWindowGap);
}

void QtDesktopProgram::HideWindow() {
    window_.hide();
    hostWindow_->Detach();
    hostWindow_->close();
}

std::optional<SerialSettingsChoice> QtDesktopProgram::AskSerialSettings(const Settings& settings) {
    return QtSettingsDialog::Ask(settings, &window_);
}

std::optional<std::string> QtDesktopProgram::AskExclusionFlags(const std::string& flags) {
    return QtExclusionDialog::Ask(flags, &window_);
}

void QtDesktopProgram::ShowAbout() {
    QtAboutDialog::Show(&window_);
}

std::optional<ScannerSetup> QtDesktopProgram::AskScannerTest(ScannerTest& test) {
    return QtScannerTestDialog::Ask(test, &window_);
}

void QtDesktopProgram::LoadFieldDialog(AutoSelEditor& editor, IniProfile& ini, LastProgram& last) {
    machineFields_ = std::make_unique<QtMachineFieldDialog>(editor, ini, last, &window_);
}

void QtDesktopProgram::ShowFieldDialog() {
    machineFields_->exec();
}

void QtDesktopProgram::UnloadFieldDialog() {
    machineFields_.reset();
}

// Before the loop runs there is nothing to end: main() checks the exit status first.
void QtDesktopProgram::EndLoop(int status) {
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(status);
    }
}

QTimer& QtDesktopProgram::TimerOf(SessionTimer timer) {
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

void QtDesktopProgram::StartTimer(SessionTimer timer, int milliseconds) {
    TimerOf(timer).start(milliseconds);
}

void QtDesktopProgram::StopTimer(SessionTimer timer) {
    TimerOf(timer).stop();
}

} // namespace quillet
