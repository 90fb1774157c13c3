#include "host/EditorLauncher.h"

#include "base/Desktop.h"
#include "base/FileSystem.h"
#include "base/LabelState.h"
#include "base/Operator.h"
#include "base/ScanRecord.h"
#include "base/Trace.h"
#include "host/HostControl.h"

namespace quillet {

namespace {

constexpr const char* kOpenFileKey = "\x0f"; // Ctrl+O
constexpr const char* kEnterKey = "\r";
constexpr double kEditorWaitSeconds = 0.5;
// How long a starting editor may take to show its window: rounds of the wait above.
constexpr int kEditorStartRounds = 10;

} // namespace

void EditorLauncher::LaunchEditor() {
    if (!Running()) {
        Start();
    }
    if (!Running() || !OpenProgram()) {
        ReportFailure();
    }
}

bool EditorLauncher::Running() {
    return record_.EditorTask != 0 && desktop_.IsRunning(record_.EditorTask);
}

void EditorLauncher::Start() {
    const std::string path = files_.NativePath(kEditorPath);
    trace_.Event("editor", "start " + path);
    record_.EditorTask = desktop_.StartProgram(path);
    if (record_.EditorTask == 0) {
        return;
    }
    // The wait lets the program's own events run, so the poll and the window stay alive.
    for (int round = 0; round < kEditorStartRounds; ++round) {
        host_.Pause(kEditorWaitSeconds);
        trace_.Event("editor", "activate");
        if (desktop_.ActivateTask(record_.EditorTask)) {
            break;
        }
    }
    record_.EditorWindow = desktop_.ActiveWindow();
}

bool EditorLauncher::OpenProgram() {
    trace_.Event("editor", "top");
    desktop_.PutOnTop(record_.EditorWindow);
    trace_.Event("editor", "activate");
    desktop_.ActivateTask(record_.EditorTask);
    if (!Keys(kOpenFileKey)) {
        return false;
    }
    host_.Pause(kEditorWaitSeconds);
    return Keys(label_.ProgramName) && Keys(kEnterKey) && Keys(kEnterKey);
}

// The system may refuse to hand the foreground to the editor (labels come by the serial
// port, so this program had no input of late): keys must then not go to whatever window
// holds it.
bool EditorLauncher::Keys(const std::string& keys) {
    if (!desktop_.ForegroundIsTask(record_.EditorTask)) {
        trace_.Event("editor", "not in front");
        return false;
    }
    trace_.Event("editor", "keys " + keys);
    return desktop_.SendKeys(keys);
}

void EditorLauncher::ReportFailure() {
    operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kFailureTitle, kFailureText);
}

} // namespace quillet
