#include "app/qt/DesktopProgram.h"

#include "base/qt/SingleByteText.h"
#include "config/qt/AboutDialog.h"
#include "config/qt/CenterForm.h"
#include "config/qt/SettingsDialog.h"
#include "fields/ExclusionFlags.h"
#include "fields/qt/ExclusionDialog.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace quillet {

namespace {

// How often a close waits for the label being handled.
constexpr int kCloseRetryMs = 100;
constexpr int kHostWindowGap = 40;

} // namespace

std::string InstanceLockPath(const SettingsLocations& locations) {
    return locations.windowsDir + "/" + kInstanceLockName;
}

DesktopProgram::DesktopProgram(const DesktopSetup& setup, Trace& trace, QObject* parent)
    : QObject(parent), setup_(setup), trace_(trace), operator_(&window_, &trace, setup.unattended),
      files_(setup.paths), port_(setup.devices), tracedPort_(port_, trace),
      host_(std::make_shared<SimulatedHost>(trace, setup.host)),
      app_({files_, operator_, tracedPort_, pump_, desktop_, trace}),
      statusTrace_(trace, &window_) {
    window_.Attach(app_.Window());
    app_.Window().SetObserver(&statusTrace_);
    hostWindow_ = std::make_unique<HostListWindow>(*host_);
    ConnectWindow();
    ConnectPort();
}

DesktopProgram::~DesktopProgram() {
    ReleaseAll();
    app_.Window().SetObserver(nullptr);
    window_.Detach();
}

void DesktopProgram::UseScannerDevice(const std::string& device) {
    SerialDeviceMap devices = setup_.devices;
    devices.SetOverride(device);
    port_.SetDevices(devices);
}

void DesktopProgram::ConnectWindow() {
    Application& app = app_;
    connect(&window_, &MainWindow::autoClearClicked, this,
            [&app](bool on) { app.ClickAutoClear(on); });
    connect(&window_, &MainWindow::overwriteClicked, this,
            [&app](bool on) { app.ClickOverwrite(on); });
    connect(&window_, &MainWindow::autoStartClicked, this,
            [&app](bool on) { app.ClickAutoStart(on); });
    connect(&window_, &MainWindow::editClicked, this, [&app] { app.Manual().Edit(); });
    connect(&window_, &MainWindow::okClicked, this,
            [&app](const QString& text) { app.Manual().Ok(FromQString(text)); });
    app_.Manual().SetObserver([this] { window_.ShowManualEntry(app_.Manual().View()); });
    connect(&window_, &MainWindow::settingsRequested, this, &DesktopProgram::ShowSettingsDialog);
    connect(&window_, &MainWindow::autoFieldSelectRequested, this,
            &DesktopProgram::ShowMachineFieldDialog);
    connect(&window_, &MainWindow::exclusionInsertionRequested, this,
            &DesktopProgram::ShowExclusionDialog);
    connect(&window_, &MainWindow::aboutRequested, this, [this] {
        if (DialogMayOpen(AboutDialog::kTitle)) {
            AboutDialog::Show(&window_);
        }
    });
    // "E&xit" ends the program the same way as closing the window, so the port and the
    // host are released and the port's lock file goes.
    connect(&window_, &MainWindow::exitRequested, this, &DesktopProgram::Close);
    connect(&window_, &MainWindow::closeRequested, this, &DesktopProgram::Close);
    connect(&window_.PollTimer(), &QTimer::timeout, this, [&app] { app.Tick(); });
}

void DesktopProgram::ConnectPort() {
    const auto toStatus = [this](const QString& message) {
        app_.Window().SetStatus(FromQString(message));
    };
    connect(&port_, &QtSerialPort::disconnected, this, toStatus);
    connect(&port_, &QtSerialPort::reconnected, this, toStatus);
}

bool DesktopProgram::Start() {
    if (lock_.Acquire(InstanceLockPath(setup_.locations)) == InstanceLock::Result::HeldElsewhere) {
        operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                          kAlreadyRunning);
        operator_.RequestExit(kExitAlreadyRunning);
        return false;
    }
    const StartOptions options{setup_.locations, host_, setup_.host.connectTimeoutSeconds,
                               [this] { ApplyPortSettings(); }, [this] { CenterForm(window_); }};
    if (!app_.Start(options)) {
        return false;
    }
    machineFields_ = std::make_unique<MachineFieldDialog>(app_.FieldEditor(), *app_.Ini(),
                                                          app_.Last(), &window_);
    window_.show();
    PlaceHostWindow();
    StartPolling();
    return true;
}

// Under the main window, so the two do not cover each other.
void DesktopProgram::PlaceHostWindow() {
    const QRect main = window_.frameGeometry();
    hostWindow_->move(std::max(0, main.center().x() - hostWindow_->width() / 2),
                      main.bottom() + kHostWindowGap);
}

void DesktopProgram::StartPolling() {
    window_.PollTimer().setInterval(app_.settings().PollIntervalMs);
    window_.PollTimer().start();
}

CommSettingsPorts DesktopProgram::PortOperations() {
    CommSettingsPorts ports;
    ports.open = [this](int portNumber, const std::string& settings) {
        return port_.Open(portNumber, settings);
    };
    // Nobody at the screen: the dialog counts as cancelled, the port stays as it is.
    ports.askSettings = [this](const Settings& settings) -> std::optional<SerialSettingsChoice> {
        if (!DialogMayOpen(SettingsDialog::kTitle)) {
            return std::nullopt;
        }
        return SettingsDialog::Ask(settings, &window_);
    };
    return ports;
}

bool DesktopProgram::ApplyPortSettings() {
    return ApplyCommSettings(app_.settings(), app_.Ini(), app_.Window(), operator_,
                             PortOperations());
}

void DesktopProgram::ShowSettingsDialog() {
    ChangeCommSettings(app_.settings(), app_.Ini(), app_.Window(), operator_, PortOperations());
}

// The machine field dialog is built elsewhere; it is shown modally from here.
void DesktopProgram::ShowMachineFieldDialog() {
    if (machineFields_ && DialogMayOpen(MachineFieldDialog::kTitle)) {
        machineFields_->exec();
    }
}

void DesktopProgram::UnloadMachineFieldDialog() {
    machineFields_.reset();
}

void DesktopProgram::ShowExclusionDialog() {
    IniProfile* ini = app_.Ini();
    if (ini == nullptr || !DialogMayOpen(ExclusionDialog::kTitle)) {
        return;
    }
    if (const auto flags = ExclusionDialog::Ask(app_.settings().ExclusionFlags, &window_)) {
        ApplyExclusionFlags(*flags, *ini, app_.settings(), app_.Window());
    }
}

// Unattended, no dialog opens: the trace says which one would have.
bool DesktopProgram::DialogMayOpen(const char* title) {
    if (!setup_.unattended) {
        return true;
    }
    trace_.Event("dialog", std::string(title) + " not opened");
    return false;
}

void DesktopProgram::Close() {
    if (closed_) {
        return;
    }
    if (!closing_) {
        closing_ = true;
        UnloadMachineFieldDialog();
        window_.PollTimer().stop();
    }
    // A label still being handled finishes first; it may still need the port and the host.
    if (app_.Poller().Busy()) {
        QTimer::singleShot(kCloseRetryMs, this, &DesktopProgram::Close);
        return;
    }
    FinishClose();
}

void DesktopProgram::FinishClose() {
    ReleaseAll();
    window_.hide();
    closed_ = true;
    emit closed();
    QCoreApplication::exit(operator_.ExitStatus().value_or(0));
}

void DesktopProgram::ReleaseAll() {
    window_.PollTimer().stop();
    port_.Close();
    app_.Shutdown();
    if (hostWindow_) {
        hostWindow_->Detach();
        hostWindow_->close();
    }
}

} // namespace quillet
