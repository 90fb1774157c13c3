#include "labels/LabelInterpreter.h"

#include "base/FileSystem.h"
#include "base/InsideFolder.h"
#include "base/LabelReset.h"
#include "base/LabelState.h"
#include "base/Numbers.h"
#include "base/Operator.h"
#include "base/ScanRecord.h"
#include "base/Text.h"
#include "base/Trace.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "fields/MachineFieldModel.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/ProgramReader.h"
#include "labels/CncExtension.h"
#include "labels/CompanionCsv.h"
#include "labels/EntrySender.h"
#include "labels/FieldCodeCheck.h"
#include "labels/FieldSelector.h"
#include "labels/Tokenizer.h"

#include <string_view>

namespace quillet {

namespace {

// Rows above this have no indicator and no payload layout.
constexpr int kLastRow = WindowState::kRowIndicators - 1;

constexpr std::string_view kCommands[] = {"%START%", "%STOP%",     "%END%",
                                          "%CLEAR%", "%SETPOINT%", "%SETP%"};

bool IsCommand(std::string_view label) {
    for (const std::string_view command : kCommands) {
        if (label == command) {
            return true;
        }
    }
    return false;
}

} // namespace

bool LabelInterpreter::ProcessLabel(const std::string& label) {
    c_.host.BeginLabel();
    if (!c_.host.FirstLabelStep()) {
        return false;
    }
    if (const std::optional<bool> done = RunCommand(label)) {
        return *done;
    }
    if (TakeFieldCode(label)) {
        return true;
    }
    c_.label.HostValue164 = "1";
    c_.label.HostValue165 = "1";

    Taken taken;
    if (label.find_first_of("%$") == std::string::npos) {
        // A blank label names no program: nothing to send.
        if (!TrimBlanks(label).empty()) {
            NoteLabel("plain name", label);
            taken = TakePlainLabel(label);
        } else {
            NoteLabel(kNotALabel, label);
            taken.refusal = "a blank label names no program";
        }
    } else {
        taken = TakeRow(label);
        if (taken.listLoaded) {
            return *taken.listLoaded;
        }
    }
    return Finish(label, taken);
}

std::optional<bool> LabelInterpreter::RunCommand(const std::string& label) {
    if (!IsCommand(label)) {
        return std::nullopt;
    }
    NoteLabel("command", label);
    bool ok = true;
    if (label == "%START%") {
        ok = c_.host.HostStart();
    } else if (label == "%STOP%") {
        ok = c_.host.HostStop();
    } else if (label == "%END%") {
        ok = c_.host.HostEnd();
    } else if (label == "%CLEAR%") {
        if (c_.record.RowsSeen.empty()) {
            ok = c_.host.HostClearList();
        } else {
            Note("decide", kRowsDropped);
            c_.window.HideRowIndicators();
            ResetLabelState(c_.label);
            c_.record.RowsSeen.clear();
        }
    } else {
        ok = c_.host.SetDeviceStatus(HostControl::kSetPointStatus, 1);
    }
    if (!ok) {
        return false;
    }
    c_.host.ShowReady();
    return true;
}

bool LabelInterpreter::TakeFieldCode(const std::string& label) {
    if (label.size() < 3 || label.size() > 5) {
        return false;
    }
    const std::string trimmed = TrimBlanks(label);
    const std::string code = trimmed.size() > 1 ? trimmed.substr(1, label.size() - 2) : "";
    if (!IsFieldCode(c_.codes, code)) {
        return false;
    }
    NoteLabel("field code", label);
    c_.label.FieldCode = code;
    c_.label.CodeChosen = true;
    SelectField(kPrimeAndResume, 0, 0, c_.record, c_.label, c_.fields);
    return true;
}

LabelInterpreter::Taken LabelInterpreter::TakePlainLabel(const std::string& label) {
    Taken taken;
    const std::string& defaultCode = c_.fields.Code(FieldSlot::DFN);
    if (!defaultCode.empty() && !c_.label.CodeChosen) {
        c_.label.FieldCode = UpperCase(defaultCode);
        c_.label.CodeChosen = true;
        SelectField(kPrimeFromCode, 0, 0, c_.record, c_.label, c_.fields);
        taken.answer = true;
    }
    if (!c_.fields.MPName() && !c_.fields.MCmt() && !c_.label.CodeChosen) {
        c_.window.SetStatus(kRunFieldNotSelected);
        taken.status = Status::RunFieldMissing;
        taken.refusal = "no field code given and the mirror trigger reads neither name nor comment";
        return taken;
    }
    SetProgramName(TrimBlanks(label));
    taken.count = "1";
    c_.record.RowsSeen = "1";
    taken.status = Status::RowTaken;
    return taken;
}

LabelInterpreter::Taken LabelInterpreter::TakeRow(const std::string& label) {
    Taken taken;
    const std::string rowChar = label.size() >= 2 ? label.substr(1, 1) : "";
    taken.count = label.size() >= 3 ? label.substr(2, 1) : "";
    if (LeadingNumber(taken.count) == 9) {
        c_.label.HostValue164 = "999";
        taken.count = "1";
    }
    // Too short to carry a row and a count: malformed, the set stays as it is.
    if (label.size() < 3 || label[0] != '%') {
        NoteLabel(kNotALabel, label);
        taken.refusal = "a row needs \"%\", its number and the set's row count";
        return taken;
    }
    const int row = static_cast<int>(LeadingNumber(rowChar));
    NoteLabel(row == 0 ? "list file" : "row " + rowChar + " of " + taken.count, label);
    if (row > kLastRow) {
        taken.refusal = "row number beyond the last row 4";
        return taken;
    }
    if (c_.record.RowsSeen.find(rowChar[0]) != std::string::npos) {
        taken.refusal = "row already taken in this set";
        return taken;
    }
    taken.status = Status::RowTaken;
    c_.record.RowsSeen += rowChar;
    const std::string payload = label.substr(3);
    c_.window.ShowRowIndicator(row);
    switch (row) {
    case 0:
        c_.record.RowsSeen.clear();
        // A list outside the program folder is refused by the load; the host's list stays.
        if (StaysInFolder(payload)) {
            c_.host.HostClearListIgnoringFailure();
        }
        NextToken(c_.record, "");
        if (!loadListFile_) {
            c_.window.HideRowIndicators();
            taken.listLoaded = false;
        } else {
            taken.listLoaded = loadListFile_(payload);
        }
        return taken;
    case 1:
        TakeProgramRow(payload);
        break;
    case 2:
        c_.label.DimX = NextToken(c_.record, payload);
        c_.label.DimY = NextToken(c_.record, payload);
        c_.label.DimZ = NextToken(c_.record, payload);
        break;
    case 3:
        c_.label.VarA = NextToken(c_.record, payload);
        c_.label.VarB = NextToken(c_.record, payload);
        c_.label.VarC = NextToken(c_.record, payload);
        c_.label.VarD = NextToken(c_.record, payload);
        break;
    default:
        c_.label.VarE = NextToken(c_.record, payload);
        c_.label.VarF = NextToken(c_.record, payload);
        c_.label.VarG = NextToken(c_.record, payload);
        c_.label.VarI = NextToken(c_.record, payload);
        break;
    }
    NextToken(c_.record, "");
    return taken;
}

void LabelInterpreter::TakeProgramRow(const std::string& payload) {
    const std::size_t blank = payload.find(' ');
    if (blank == std::string::npos) {
        c_.label.ProgramName = payload;
        return;
    }
    SetProgramName(TrimBlanks(payload.substr(0, blank)));
    // Only the comment is wanted here; the dimensions are read again when sending.
    float x = 0;
    float y = 0;
    float z = 0;
    c_.programReader.ReadProgramDimensions(x, y, z);
    const std::string rest = payload.substr(blank + 1);
    std::string code = NextToken(c_.record, rest);
    if (!c_.label.CodeChosen) {
        c_.label.FieldCode = std::move(code);
    }
    c_.label.VarV = NextToken(c_.record, rest);
}

bool LabelInterpreter::Finish(const std::string& label, const Taken& taken) {
    const std::string& rows = c_.record.RowsSeen;
    if (!rows.empty() && LeadingNumber(taken.count) == static_cast<double>(rows.size())) {
        return Send();
    }
    if (taken.status == Status::RowTaken) {
        c_.window.SetStatus(kWaiting);
    } else if (taken.status == Status::Malformed) {
        c_.window.SetStatus(std::string(kFormatError) + "  " + label);
    }
    if (taken.status != Status::RowTaken) {
        Note("refused", taken.refusal);
    }
    return taken.answer;
}

bool LabelInterpreter::Send() {
    c_.record.RowsSeen.clear();
    float x = 0;
    float y = 0;
    c_.programReader.FillMissingDimensions(x, y);

    if (c_.window.autoClear() && !c_.host.HostClearList()) {
        DropLabelSet();
        return false;
    }
    if (!c_.sender.SendEntries(
            x, y, SendOptions{.notifyAddProgram = false, .acknowledgeScanner = true})) {
        c_.window.SetStatus(WindowState::kReady);
        return false;
    }
    return true;
}

void LabelInterpreter::NoteLabel(const std::string& kind, const std::string& label) {
    Note("label", kind + ": " + label);
}

void LabelInterpreter::Note(const char* kind, const std::string& text) {
    if (journal_ != nullptr) {
        journal_->Note(kind, text);
    }
}

void LabelInterpreter::SetProgramName(const std::string& name) {
    c_.label.ProgramName = name;
    if (c_.settings.ForceCncExtension && !EndsWithCnc(name)) {
        c_.label.ProgramName += kCncExtension;
    }
    AppendCompanionCsv(c_.label.ProgramName, c_.settings, c_.files, c_.op);
}

// After a failed host call: the operator has been told; the next label starts clean.
void LabelInterpreter::DropLabelSet() {
    c_.record.RowsSeen.clear();
    c_.sender.DropLabelSet();
    c_.window.SetStatus(WindowState::kReady);
}

} // namespace quillet
