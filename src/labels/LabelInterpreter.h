#pragma once

#include "base/FileSystem.h"
#include "base/LabelState.h"
#include "base/Operator.h"
#include "base/ScanRecord.h"
#include "base/SerialPort.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/ProgramReader.h"
#include "labels/EntrySender.h"

#include <functional>
#include <optional>
#include <string>

namespace quillet {

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
    SerialPort& serial;
    FileSystem& files;
    Operator& op;
    LastProgram& last;
};

// Decides what a framed label is (command, field code, row of a set, program name) and
// carries it out: collects rows until their set is complete and hands complete sets to the
// host as one entry or a normal and mirrored pair, acknowledging each to the scanner.
class LabelInterpreter {
public:
    static constexpr const char* kWaiting = " Waiting for next barcode...";
    static constexpr const char* kFormatError = "Barcode Formating Error.";
    static constexpr const char* kRunFieldNotSelected = "Run Field Not Selected";

    explicit LabelInterpreter(const InterpreterContext& context);

    // Loads the list file named by a row-0 label; true when entries were added.
    std::function<bool(const std::string&)> loadListFile;
    // Opens the program in the host's editor ("Show Program in Editor").
    std::function<void()> launchEditor;

    // True when the label needs no further input: a command ran, a field code was taken,
    // a list file was loaded, or an entry went to the host. False while a set waits for
    // more rows, for a rejected label, and when a host call failed (the operator has been
    // told and the label set is dropped).
    bool ProcessLabel(const std::string& label);

private:
    enum class Status { Malformed, RunFieldMissing, RowTaken };

    std::optional<bool> RunCommand(const std::string& label);
    bool TakeFieldCode(const std::string& label);
    Status TakePlainLabel(const std::string& label, bool& result, std::string& count);
    Status TakeRow(const std::string& label, std::string& count, std::optional<bool>& listResult);
    void TakeProgramRow(const std::string& payload);
    bool Finish(const std::string& label, Status status, bool result, const std::string& count);
    bool Send();
    void SetProgramName(const std::string& name);
    void DropLabelSet();

    InterpreterContext c_;
    EntrySender sender_;
};

} // namespace quillet
