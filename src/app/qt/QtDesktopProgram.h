#pragma once

#include "app/DesktopProgramSetup.h"
#include "app/DesktopSession.h"
#include "app/qt/QtMainWindow.h"
#include "app/qt/QtScannerDevice.h"
#include "base/qt/QtDesktop.h"
#include "base/qt/QtEventPump.h"
#include "base/qt/QtOperator.h"
#include "config/NativeFileSystem.h"
#include "fields/qt/QtMachineFieldDialog.h"
#include "host/SimulatedHost.h"
#include "host/qt/HostListWindow.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

namespace quillet {

// The Linux desktop program: the session drawn with Qt, with the simulated host's list
// window beside it. Windows, timers and the event loop only; the flows are the session's.
class QtDesktopProgram final : public QObject, private DesktopShell, private SessionTimers {
    Q_OBJECT

public:
    static constexpr int kExitAlreadyRunning = DesktopSession::kExitAlreadyRunning;

    QtDesktopProgram(const DesktopProgramSetup& setup, Trace& trace, QObject* parent = nullptr);
    ~QtDesktopProgram() override;

    // Every port number opens `device` (the virtual scanner's side). Call before Start().
    void UseScannerDevice(const std::string& device);

    bool Start() { return session_.Start(); }
    std::optional<int> ExitStatus() const { return session_.ExitStatus(); }
    void Close() { session_.Close(); }
    bool Closed() const { return session_.Closed(); }

    Application& App() { return session_.App(); }
    QtMainWindow& Window() { return window_; }
    SerialPort& Port() { return session_.Port(); }
    QtScannerDevice& Scanner() { return scanner_; }
    HostListWindow* HostWindow() { return hostWindow_.get(); }
    SimulatedHost& Host() { return *host_; }

private:
    void CenterWindow() override;
    void ShowWindow() override;
    void HideWindow() override;
    std::optional<SerialSettingsChoice> AskSerialSettings(const Settings& settings) override;
    std::optional<std::string> AskExclusionFlags(const std::string& flags) override;
    void ShowAbout() override;
    std::optional<ScannerSetup> AskScannerTest(ScannerTest& test) override;
    void LoadFieldDialog(AutoSelEditor& editor, IniProfile& ini, LastProgram& last) override;
    void ShowFieldDialog() override;
    void UnloadFieldDialog() override;
    void EndLoop(int status) override;
    void StartTimer(SessionTimer timer, int milliseconds) override;
    void StopTimer(SessionTimer timer) override;
    QTimer& TimerOf(SessionTimer timer);
    void ConnectWindow();

    DesktopProgramSetup setup_;
    QtMainWindow window_;
    QTimer portRetry_;
    QTimer closeRetry_;
    QtOperator boxes_;
    QtEventPump pump_;
    QtDesktop desktop_;
    NativeFileSystem files_;
    QtScannerDevice scanner_;
    LockFileSingleCopy singleCopy_;
    std::shared_ptr<SimulatedHost> host_;
    std::unique_ptr<HostListWindow> hostWindow_;
    // Lives hidden from start-up to close; its widgets are bound to the live field model.
    std::unique_ptr<QtMachineFieldDialog> machineFields_;
    DesktopSession session_;
};

// Where the single-copy lock lives: one copy runs per Windows directory.
std::string InstanceLockPath(const SettingsLocations& locations);

} // namespace quillet
