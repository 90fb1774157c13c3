#pragma once

#include "app/Application.h"
#include "app/ApplyCommSettings.h"
#include "app/CommandLine.h"
#include "app/InstanceLock.h"
#include "app/StatusTrace.h"
#include "app/TracingSerialPort.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtSerialPort.h"
#include "base/qt/QtDesktop.h"
#include "base/qt/QtEventPump.h"
#include "base/qt/QtOperator.h"
#include "config/NativeFileSystem.h"
#include "fields/qt/MachineFieldDialog.h"
#include "host/SimulatedHost.h"
#include "host/qt/HostListWindow.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>

namespace quillet {

struct DesktopSetup {
    SettingsLocations locations;
    PathMap paths;
    HostSimulationOptions host;
    SerialDeviceMap devices;
    bool unattended = false;
};

// The desktop program: the application object with the main window, the scanner's port,
// the poll timer and the simulated host's list window around it. Start-up, the window's
// commands and shutdown are wired here; every rule stays in the core.
class DesktopProgram : public QObject {
    Q_OBJECT

public:
    // Exit status when a second copy was refused.
    static constexpr int kExitAlreadyRunning = 1;

    DesktopProgram(const DesktopSetup& setup, Trace& trace, QObject* parent = nullptr);
    ~DesktopProgram() override;

    // Every port number opens `device` (the virtual scanner's side). Call before Start().
    void UseScannerDevice(const std::string& device);

    // The start-up sequence; false when the program has to end (see ExitStatus()). The
    // main window is shown and the poll runs only once start-up has finished, so no label
    // reaches the interpreter before the host's list is held.
    bool Start();
    std::optional<int> ExitStatus() const { return operator_.ExitStatus(); }

    // Closing the window and "E&xit" both come here: the machine field dialog goes, the
    // poll stops, the port is closed and the host released, then the event loop ends.
    // Waits while a label is still being handled.
    void Close();
    bool Closed() const { return closed_; }

    Application& App() { return app_; }
    MainWindow& Window() { return window_; }
    QtSerialPort& Port() { return port_; }
    HostListWindow* HostWindow() { return hostWindow_.get(); }
    SimulatedHost& Host() { return *host_; }

signals:
    void closed();

private:
    void ConnectWindow();
    void ConnectPort();
    bool ApplyPortSettings();
    CommSettingsPorts PortOperations();
    void StartPolling();
    void PlaceHostWindow();
    bool DialogMayOpen(const char* title);
    void ShowSettingsDialog();
    void ShowMachineFieldDialog();
    void ShowExclusionDialog();
    void UnloadMachineFieldDialog();
    void FinishClose();
    void ReleaseAll();

    DesktopSetup setup_;
    Trace& trace_;
    MainWindow window_;
    QtOperator operator_;
    QtEventPump pump_;
    QtDesktop desktop_;
    NativeFileSystem files_;
    QtSerialPort port_;
    TracingSerialPort tracedPort_;
    std::shared_ptr<SimulatedHost> host_;
    Application app_;
    // Lives hidden from start-up to close; its widgets are bound to the live field model.
    std::unique_ptr<MachineFieldDialog> machineFields_;
    StatusTrace statusTrace_;
    std::unique_ptr<HostListWindow> hostWindow_;
    InstanceLock lock_;
    bool closing_ = false;
    bool closed_ = false;
};

// Where the single-copy lock lives: one copy runs per Windows directory.
std::string InstanceLockPath(const SettingsLocations& locations);

} // namespace quillet
