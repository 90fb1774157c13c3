#pragma once

#include "app/Application.h"
#include "app/DesktopShell.h"
#include "app/Journal.h"
#include "app/LabelTrial.h"
#include "app/MainMenu.h"
#include "app/ReconnectingSerialPort.h"
#include "app/SessionOperator.h"
#include "app/SingleCopy.h"
#include "app/StatusTrace.h"
#include "app/TodaysLabels.h"
#include "app/TracingSerialPort.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

struct DesktopSessionSetup {
    SettingsLocations locations;
    std::shared_ptr<HostApplication> host;
    double connectTimeoutSeconds = 30;
    // Nobody at the screen: no box is shown and no dialog opens.
    bool unattended = false;
    // The run's journal, when it keeps one (it is also the trace the ports were given).
    Journal* journal = nullptr;
    // Ends the run by itself this long after start-up.
    std::optional<double> quitAfterSeconds{};
    // The printable page of the scanner test's labels.
    std::string testLabels{};
};

// The platform and the toolkit as the desktop session reaches them.
struct DesktopPorts {
    FileSystem& files;
    Operator& boxes; // the toolkit's plain message boxes
    ScannerDevice& scanner;
    SerialPortCatalog& catalog; // the serial ports the system has now
    EventPump& pump;
    Desktop& desktop;
    SingleCopy& singleCopy;
    Trace& trace;
    WindowStateObserver& view; // the main window
    DesktopShell& shell;
    SessionTimers& timers;
};

// One run of a desktop program, whatever draws it: the single-copy check, start-up, the
// menu commands and their dialogs, the scanner port that goes away and comes back, closing
// while a label is handled, and the release order. The toolkit only draws and forwards.
class DesktopSession {
public:
    static constexpr int kExitAlreadyRunning = 1;
    // How often a close waits for the label being handled.
    static constexpr int kCloseRetryMs = 100;
    // How often a scanner port that went away is tried again.
    static constexpr int kPortRetryMs = 500;

    DesktopSession(const DesktopSessionSetup& setup, DesktopPorts ports);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // The main window has attached itself to the window state: from now on each change
    // passes through the trace on its way to the window.
    void ViewAttached() { app_.Window().SetObserver(&statusTrace_); }

    // The start-up sequence; false when the program has to end (see ExitStatus()). The
    // window is shown and the poll runs only once start-up has finished, so no label
    // reaches the interpreter before the host's list is held.
    bool Start();
    std::optional<int> ExitStatus() const { return operator_.ExitStatus(); }

    void Run(Command command);
    void TimerFired(SessionTimer timer);
    // The system announced a new serial port: a scanner port that went away is tried at
    // once, without waiting for the retry timer.
    void DeviceArrived();

    // Closing the window and "E&xit" both come here: the machine field dialog goes, the
    // poll stops, and once no label is being handled the port is closed, the host
    // released and the event loop ended.
    void Close();
    bool Closed() const { return closed_; }
    // The user's session ends (log-off, shut-down): the same release as closing, without
    // waiting for a label in hand (the system will not) and without a message box that
    // nobody could answer.
    void EndSession();

    // The labels window's side: today's rows, and labels tried without touching the
    // machine. A typed try uses the trace's escapes (\r, \xHH) for bytes a box cannot take.
    TodaysLabels& Labels() { return labels_; }
    bool KeepsJournal() const { return setup_.journal != nullptr; }
    void TryLabel(const std::string& typed);
    // While on, the scanner's labels go to the try instead of the machine.
    void SetScansTried(bool on) { scansTried_ = on; }
    bool ScansTried() const { return scansTried_; }
    // Each try's report as text, one block a label.
    void OnTryReport(std::function<void(const std::string&)> report) {
        tryReport_ = std::move(report);
    }

    Application& App() { return app_; }
    ReconnectingSerialPort& Port() { return port_; }
    Operator& Op() { return operator_; }

private:
    CommSettingsPorts PortOperations();
    void OpenScannerPort();
    void RetryScannerPort();
    void ScannerFound();
    bool DialogMayOpen(const char* title);
    void ShowExclusionDialog();
    void ShowFieldDialog();
    void OpenJournal();
    void ShowScannerTest();
    std::string PrintTestLabels();
    void UnloadFieldDialog();
    void ReleaseAll();
    void PollTried();
    bool PrepareTry();

    DesktopSessionSetup setup_;
    Trace& trace_;
    Desktop& desktop_;
    DesktopShell& shell_;
    SessionTimers& timers_;
    SingleCopy& singleCopy_;
    SerialPortCatalog& catalog_;
    SessionOperator operator_;
    ReconnectingSerialPort port_;
    TracingSerialPort tracedPort_;
    Application app_;
    StatusTrace statusTrace_;
    TodaysLabels labels_;
    LabelTrial trial_;
    bool scansTried_ = false;
    std::function<void(const std::string&)> tryReport_;
    bool fieldDialogLoaded_ = false;
    bool closing_ = false;
    bool closed_ = false;
};

} // namespace quillet
