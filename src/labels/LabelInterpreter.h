#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace quillet {

class CodeTable;
class EntrySender;
class FileSystem;
class HostControl;
struct LabelState;
struct MachineFieldModel;
class Operator;
class ProgramReader;
struct ScanRecord;
struct Settings;
class Trace;
class WindowState;

// Everything the interpreter reads and writes; the application object owns all of it.
struct InterpreterContext {
    LabelState& label;
    ScanRecord& record;
    const MachineFieldModel& fields;
    const CodeTable& codes;
    const Settings& settings;
    HostControl& host;
    ProgramReader& programReader;
    WindowState& window;
    FileSystem& files;
    Operator& op;
    EntrySender& sender;
};

// Decides what a framed label is (command, field code, row of a set, program name) and
// carries it out: collects rows until their set is complete and hands complete sets to the
// host as one entry or a normal and mirrored pair, acknowledging each to the scanner.
class LabelInterpreter {
public:
    static constexpr const char* kWaiting = " Waiting for next barcode...";
    static constexpr const char* kFormatError = "Barcode Formating Error.";
    static constexpr const char* kRunFieldNotSelected = "Run Field Not Selected";
    // The journal's words for a label that is none of the kinds, and for "%CLEAR%" while
    // rows wait.
    static constexpr const char* kNotALabel = "not a label";
    static constexpr const char* kRowsDropped = "the rows waiting are dropped";

    // `loadListFile` loads the list file named by a row-0 label; true when entries were
    // added.
    // `journal`, when given, is told which rule refused a label.
    LabelInterpreter(const InterpreterContext& context,
                     std::function<bool(const std::string&)> loadListFile, Trace* journal = nullptr)
        : c_(context), loadListFile_(std::move(loadListFile)), journal_(journal) {}

    // True when the label needs no further input: a command ran, a field code was taken,
    // a list file was loaded, or an entry went to the host. False while a set waits for
    // more rows, for a rejected label, and when a host call failed (the operator has been
    // told and the label set is dropped).
    bool ProcessLabel(const std::string& label);

private:
    enum class Status { Malformed, RunFieldMissing, RowTaken };

    // What a plain label or a row left behind for the rest of ProcessLabel.
    struct Taken {
        Status status = Status::Malformed;
        std::string count;              // the set's row count as the label gave it
        bool answer = false;            // ProcessLabel's answer while the set is incomplete
        std::optional<bool> listLoaded; // row 0: the list file's load ends the label
        const char* refusal = "not a command, field code, row or program name";
    };

    std::optional<bool> RunCommand(const std::string& label);
    bool TakeFieldCode(const std::string& label);
    Taken TakePlainLabel(const std::string& label);
    Taken TakeRow(const std::string& label);
    void TakeProgramRow(const std::string& payload);
    bool Finish(const std::string& label, const Taken& taken);
    bool Send();
    void SetProgramName(const std::string& name);
    void DropLabelSet();
    // Journal lines: the kind of each label as it is taken ("label <kind>: <label>"), and
    // the rule that refused one.
    void NoteLabel(const std::string& kind, const std::string& label);
    void Note(const char* kind, const std::string& text);

    InterpreterContext c_;
    std::function<bool(const std::string&)> loadListFile_;
    Trace* journal_ = nullptr;
};

} // namespace quillet
