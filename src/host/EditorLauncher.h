#pragma once

#include <string>

namespace quillet {

class Desktop;
class FileSystem;
class HostControl;
struct LabelState;
class Operator;
struct ScanRecord;
class Trace;

// Opens the current program in the host's editor, driving it as a user would: start it
// when it is not running, bring it to the front, Ctrl+O, the program's name, Enter twice.
class EditorLauncher {
public:
    static constexpr const char* kEditorPath = "c:\\tormial\\bin\\Pentrax.exe";
    static constexpr const char* kFailureTitle = "Error:  Unable to launch Editor";
    static constexpr const char* kFailureText =
        "Probably c:\\tormial\\bin\\Pentrax.exe could not be found";

    EditorLauncher(const LabelState& label, ScanRecord& record, Desktop& desktop, FileSystem& files,
                   HostControl& host, Operator& op, Trace& trace)
        : label_(label), record_(record), desktop_(desktop), files_(files), host_(host),
          operator_(op), trace_(trace) {}

    // Steps that fail are passed over; when the editor did not start or its window cannot
    // take keystrokes, the operator is told and nothing more is sent.
    void LaunchEditor();

private:
    bool Running();
    void Start();
    bool OpenProgram();
    bool Keys(const std::string& keys);
    void ReportFailure();

    const LabelState& label_;
    ScanRecord& record_;
    Desktop& desktop_;
    FileSystem& files_;
    HostControl& host_;
    Operator& operator_;
    Trace& trace_;
};

} // namespace quillet
