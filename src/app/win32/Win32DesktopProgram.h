#pragma once

#include "app/DesktopProgramSetup.h"
#include "app/DesktopSession.h"
#include "app/win32/Win32MainWindow.h"
#include "app/win32/Win32ScannerDevice.h"
#include "base/win32/Win32Desktop.h"
#include "base/win32/Win32EventPump.h"
#include "base/win32/Win32Operator.h"
#include "config/NativeFileSystem.h"
#include "fields/win32/Win32MachineFieldDialog.h"
#include "host/HostObjects.h"
#include "host/SimulatedHost.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace quillet {

// One copy per workstation, whichever session started it: a named mutex in the global
// namespace, dropped by the system when a copy ends or crashes.
class MutexSingleCopy final : public SingleCopy {
public:
    MutexSingleCopy() = default;
    ~MutexSingleCopy() override;
    MutexSingleCopy(const MutexSingleCopy&) = delete;
    MutexSingleCopy& operator=(const MutexSingleCopy&) = delete;
    bool Acquire() override;

private:
    HANDLE mutex_ = nullptr;
};

// The Windows desktop program: the session drawn with Win32. Windows, timers and the
// message loop only; the flows are the session's.
class Win32DesktopProgram final : private DesktopShell, private SessionTimers {
public:
    static constexpr int kExitAlreadyRunning = DesktopSession::kExitAlreadyRunning;

    Win32DesktopProgram(HINSTANCE instance, const DesktopProgramSetup& setup, Trace& trace);
    ~Win32DesktopProgram() override;
    Win32DesktopProgram(const Win32DesktopProgram&) = delete;
    Win32DesktopProgram& operator=(const Win32DesktopProgram&) = delete;

    bool Start() { return session_.Start(); }
    std::optional<int> ExitStatus() const { return session_.ExitStatus(); }
    // The message loop until the program ends; the exit status.
    int Run();

private:
    MainWindowCommands Commands();
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

    Win32MainWindow window_;
    Win32Operator boxes_;
    Win32EventPump pump_;
    Win32Desktop desktop_;
    NativeFileSystem files_;
    Win32ScannerDevice scanner_;
    MutexSingleCopy singleCopy_;
    std::unique_ptr<Win32MachineFieldDialog> machineFields_;
    DesktopSession session_;
};

// The named mutex that lets one copy run per workstation, across user sessions.
inline constexpr const wchar_t* kSingleCopyMutex = L"Global\\Quillet.Desktop.SingleCopy";

} // namespace quillet
