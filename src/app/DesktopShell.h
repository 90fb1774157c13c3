#pragma once

#include "app/ScannerTest.h"
#include "base/SerialPortCatalog.h"
#include "config/SerialSettingsForm.h"
#include "config/Settings.h"

#include <optional>
#include <string>
#include <vector>

namespace quillet {

class AutoSelEditor;
class IniProfile;
struct LastProgram;

// The timers a desktop session runs on the toolkit's event loop: the scanner poll (Timer1),
// the retry of a scanner port that went away, and the retry of a close that waits for a
// label. Each fires DesktopSession::TimerFired until stopped.
enum class SessionTimer { Poll, PortRetry, CloseRetry };

class SessionTimers {
public:
    virtual ~SessionTimers() = default;
    // Starts or restarts `timer`.
    virtual void StartTimer(SessionTimer timer, int milliseconds) = 0;
    virtual void StopTimer(SessionTimer timer) = 0;
};

// What a toolkit does for the desktop session: its windows, dialogs and event loop. Each
// call only draws or asks; the session decides when.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual void CenterWindow() = 0;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    // Modal dialogs: the choice on OK, nothing on Cancel. The serial settings list `ports`
    // under "Other:".
    virtual std::optional<SerialSettingsChoice>
    AskSerialSettings(const Settings& settings, const std::vector<SerialPortInfo>& ports) = 0;
    virtual std::optional<std::string> AskExclusionFlags(const std::string& flags) = 0;
    virtual void ShowAbout() = 0;
    // The scanner test, modal; the set-up to store on "Use these settings", else nothing.
    virtual std::optional<ScannerSetup> AskScannerTest(ScannerTest& test) = 0;
    // The machine field dialog: made hidden at start-up, shown modally, gone at close.
    virtual void LoadFieldDialog(AutoSelEditor& editor, IniProfile& ini, LastProgram& last) = 0;
    virtual void ShowFieldDialog() = 0;
    virtual void UnloadFieldDialog() = 0;
    // The labels window beside the main window (not modal); shown again when it is open.
    virtual void ShowLabelsWindow() = 0;
    // Ends the event loop with `status`; before the loop runs, nothing (main() checks the
    // exit status first).
    virtual void EndLoop(int status) = 0;
};

} // namespace quillet
