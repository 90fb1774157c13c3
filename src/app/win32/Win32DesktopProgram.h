#pragma once

#include "app/Application.h"
#include "app/ApplyCommSettings.h"
#include "app/CommandLine.h"
#include "app/StatusTrace.h"
#include "app/TracingSerialPort.h"
#include "app/win32/Win32Desktop.h"
#include "app/win32/Win32EventPump.h"
#include "app/win32/Win32MainWindow.h"
#include "app/win32/Win32Operator.h"
#include "app/win32/Win32SerialPort.h"
#include "config/NativeFileSystem.h"
#include "fields/win32/Win32MachineFieldDialog.h"
#include "host/HostObjects.h"
#include "host/SimulatedHost.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace quillet {

struct Win32DesktopSetup {
    SettingsLocations locations;
    PathMap paths;
    HostSimulationOptions host;
    HostKind hostKind = HostKind::Default; // Default: the real host over COM
    SerialDeviceMap devices;
    bool unattended = false;
};

// The Windows desktop program: the application object with the main window, the scanner's
// port, the poll timer and the message loop around it. Start-up, the window's commands and
// shutdown are wired here; every rule stays in the core.
class Win32DesktopProgram {
public:
    static constexpr int kExitAlreadyRunning = 1;
    // How often a scanner port that went away is tried again.
    static constexpr int kRetryMs = 500;

    Win32DesktopProgram(HINSTANCE instance, const Win32DesktopSetup& setup, Trace& trace);
    ~Win32DesktopProgram();
    Win32DesktopProgram(const Win32DesktopProgram&) = delete;
    Win32DesktopProgram& operator=(const Win32DesktopProgram&) = delete;

    // The start-up sequence; false when the program has to end (see ExitStatus()).
    bool Start();
    std::optional<int> ExitStatus() const { return operator_.ExitStatus(); }
    // The message loop until the program ends; the exit status.
    int Run();
    // Closing the window and "E&xit" both come here; waits while a label is handled.
    void Close();
    void CloseAfter(int milliseconds) { window_.CloseLater(milliseconds); }

private:
    MainWindowCommands Commands();
    bool AcquireSingleCopy();
    CommSettingsPorts PortOperations();
    bool DialogMayOpen(const char* title);
    void ShowSettingsDialog();
    void ShowExclusionDialog();
    void ShowMachineFieldDialog();
    void PollTick();
    void ReleaseAll();
    void EndSession();

    Win32DesktopSetup setup_;
    Trace& trace_;
    Win32Operator operator_;
    Win32EventPump pump_;
    Win32Desktop desktop_;
    NativeFileSystem files_;
    Win32SerialPort port_;
    TracingSerialPort tracedPort_;
    std::shared_ptr<HostApplication> host_;
    Application app_;
    Win32MainWindow window_;
    StatusTrace statusTrace_;
    std::unique_ptr<Win32MachineFieldDialog> machineFields_;
    HANDLE singleCopy_ = nullptr;
    bool closing_ = false;
    bool closed_ = false;
};

// The named mutex that lets one copy run per workstation, across user sessions.
inline constexpr const wchar_t* kSingleCopyMutex = L"Global\\Quillet.Desktop.SingleCopy";

} // namespace quillet
