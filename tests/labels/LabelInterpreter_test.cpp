#include "labels/LabelInterpreter.h"

#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/ProgramReader.h"
#include "host/TextSplitter.h"
#include "labels/EntrySender.h"
#include "support/FakeSerialPort.h"
#include "support/HostRig.h"

#include <gtest/gtest.h>

#include <random>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

const std::string kAdding = "status Adding to Barcode data to List.";
const std::string kAck = "serial-out ACK\r";
const std::string kPause = "pause 0.6";
const std::string kReady = "status Ready.";
const std::string kWaiting = "status  Waiting for next barcode...";

// Status line and scanner writes go to the same trace as the host calls, so their order
// can be checked in one list.
struct StatusToTrace : WindowStateObserver {
    explicit StatusToTrace(Trace& t) : trace(t) {}
    void StatusChanged(const std::string& text) override { trace.Event("status", text); }
    Trace& trace;
};

struct TracedSerialPort : testing::FakeSerialPort {
    explicit TracedSerialPort(Trace& t) : trace(t) {}
    bool Write(std::string_view bytes) override {
        trace.Event("serial-out", bytes);
        return FakeSerialPort::Write(bytes);
    }
    Trace& trace;
};

std::string Line(const std::string& name, int code, const std::string& x, const std::string& y,
                 const std::string& z, const std::string& v164 = "1") {
    const bool mirrored = code % 2 == 0 && code != CodeTable::kNotInTable;
    return "host AddLine #161=" + name + ";#164=" + v164 + ";#171=" + std::to_string(code) +
           ";#284=" + (mirrored ? "1" : "0") + ";#280=;#165=1;#168=" + x + ";#169=" + y +
           ";#170=" + z + ";#282=;#283=;";
}

class LabelInterpreterTest : public ::testing::Test, protected testing::HostRig {
protected:
    void SetUp() override {
        fields.Code(FieldSlot::SFN) = "S";
        fields.Code(FieldSlot::SFM) = "A";
        ASSERT_TRUE(Connect());
        control.SetFirstScanPending(false);
        window.SetAutoStart(false);
        window.SetObserver(&statusTrace);
    }

    bool Scan(const std::string& text) {
        trace.lines.clear();
        return interpreter.ProcessLabel(text);
    }

    // Feeds labels, checking each answer; the trace holds the last label's lines.
    void ScanAll(const std::vector<std::pair<std::string, bool>>& labels) {
        for (const auto& [text, expected] : labels) {
            EXPECT_EQ(Scan(text), expected) << text;
        }
    }

    Lines SendTail() const { return {kPause, kPause, kReady}; }

    MachineFieldModel fields;
    Parser parser;
    StatusToTrace statusTrace{trace};
    TracedSerialPort serial{trace};
    LastProgram last;
    std::vector<std::string> listNames;
    bool listResult = true;
    std::vector<std::string> editedPrograms;
    ProgramReader reader{label, settings, files, op, parser};
    EntrySender sender{
        label,  record, fields, control,
        window, serial, last,   [this] { editedPrograms.push_back(label.ProgramName); }};
    LabelInterpreter interpreter{InterpreterContext{label, record, fields, codes, settings, control,
                                                    reader, window, files, op, sender},
                                 [this](const std::string& name) {
                                     listNames.push_back(name);
                                     return listResult;
                                 }};
};

TEST_F(LabelInterpreterTest, TwoRowSetIsCollectedThenSentInEitherOrder) {
    for (const bool rowOneFirst : {true, false}) {
        const std::string one = "%12PART1 S1 7";
        const std::string two = "%22800 600 18%";
        EXPECT_FALSE(Scan(rowOneFirst ? one : two));
        EXPECT_EQ(trace.lines, Lines{kWaiting});
        EXPECT_TRUE(window.RowIndicatorVisible(rowOneFirst ? 1 : 2));
        EXPECT_EQ(record.RowsSeen, rowOneFirst ? "1" : "2");

        EXPECT_TRUE(Scan(rowOneFirst ? two : one));
        // The terminator stays on the last value.
        EXPECT_EQ(trace.lines, (Lines{kAdding, Line("PART1", 9, "800", "600", "18%"), kAck, kPause,
                                      kPause, kReady}));
        EXPECT_TRUE(record.RowsSeen.empty());
        EXPECT_FALSE(window.RowIndicatorVisible(1));
        EXPECT_FALSE(window.RowIndicatorVisible(2));
        EXPECT_EQ(label.ProgramName, "");
        EXPECT_EQ(label.FieldCode, "N");
        EXPECT_EQ(last.ProgramName, "PART1");
    }
}

TEST_F(LabelInterpreterTest, StateTableAcrossLabelSequences) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, bool>> labels;
        const char* rowsAfter;
        std::size_t entries;
        Lines lastLines;
    };
    const std::vector<Case> cases = {
        {"three rows", {{"%13A S", false}, {"%23 1 2 3", false}, {"%331 2 3 4", true}}, "", 1, {}},
        {"repeated row is malformed, set kept",
         {{"%13A S", false}, {"%13B S", false}},
         "1",
         0,
         {"status Barcode Formating Error.  %13B S"}},
        {"repeated row whose count matches completes",
         {{"%13A S", false}, {"%231 2 3", false}, {"%22x", true}},
         "",
         1,
         {}},
        {"first character not %",
         {{"x%12A", false}},
         "",
         0,
         {"status Barcode Formating Error.  x%12A"}},
        {"dollar only", {{"$", false}}, "", 0, {"status Barcode Formating Error.  $"}},
        {"row 5 is refused, set kept",
         {{"%13A S", false}, {"%53x", false}},
         "1",
         0,
         {"status Barcode Formating Error.  %53x"}},
        {"row label too short", {{"%1", false}}, "", 0, {"status Barcode Formating Error.  %1"}},
        {"lone percent", {{"%", false}}, "", 0, {"status Barcode Formating Error.  %"}},
        {"count larger than rows available waits", {{"%15A S", false}}, "1", 0, {kWaiting}},
        {"count digit 9 sends at once", {{"%19A S", true}}, "", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        record = {};
        label = {};
        const std::size_t before = host->Entries().size();
        ScanAll(c.labels);
        EXPECT_EQ(record.RowsSeen, c.rowsAfter);
        EXPECT_EQ(host->Entries().size() - before, c.entries);
        if (!c.lastLines.empty()) {
            EXPECT_EQ(trace.lines, c.lastLines);
        }
    }
}

TEST_F(LabelInterpreterTest, RepeatedRowLeavesTheCollectedValuesAlone) {
    ScanAll({{"%13A S", false}, {"%13B T", false}});
    EXPECT_EQ(label.ProgramName, "A");
    EXPECT_EQ(label.FieldCode, "S");
}

TEST_F(LabelInterpreterTest, CountDigitNineSendsOneRowWith999) {
    EXPECT_TRUE(Scan("%19PART S"));
    EXPECT_EQ(trace.lines[1], Line("PART", 3, "", "", "", "999"));
}

TEST_F(LabelInterpreterTest, CommandsMakeTheirHostCall) {
    struct Case {
        const char* label;
        const char* call;
    };
    for (const Case& c : {Case{"%START%", "host Start"}, Case{"%STOP%", "host Stop"},
                          Case{"%END%", "host End"}, Case{"%CLEAR%", "host ClearList"},
                          Case{"%SETPOINT%", "host SetDeviceStatus DRAVINESK.MAIN.CmdSetP 1"},
                          Case{"%SETP%", "host SetDeviceStatus DRAVINESK.MAIN.CmdSetP 1"}}) {
        EXPECT_TRUE(Scan(c.label));
        EXPECT_EQ(trace.lines, (Lines{c.call, kPause, kReady})) << c.label;
    }
    EXPECT_TRUE(serial.written.empty());
}

TEST_F(LabelInterpreterTest, ClearWithPendingRowsOnlyDiscardsThem) {
    EXPECT_FALSE(Scan("%12PART S"));
    label.VarA = "kept";
    EXPECT_TRUE(Scan("%CLEAR%"));
    EXPECT_EQ(trace.lines, (Lines{kPause, kReady}));
    EXPECT_TRUE(record.RowsSeen.empty());
    EXPECT_FALSE(window.RowIndicatorVisible(1));
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_EQ(label.VarA, "kept");
    EXPECT_TRUE(Scan("%CLEAR%"));
    EXPECT_EQ(trace.lines, (Lines{"host ClearList", kPause, kReady}));
}

TEST_F(LabelInterpreterTest, FirstLabelMakesTheListVisibleAndClearsItOnce) {
    control.SetFirstScanPending(true);
    EXPECT_TRUE(Scan("%STOP%"));
    EXPECT_EQ(trace.lines,
              (Lines{"host Visible true", "host ClearList", "host Stop", kPause, kReady}));
    EXPECT_FALSE(control.FirstScanPending());
    EXPECT_TRUE(Scan("%STOP%"));
    EXPECT_EQ(trace.lines.front(), "host Stop");
}

TEST_F(LabelInterpreterTest, FieldCodeLabelChoosesTheFieldOfTheNextProgramOnly) {
    EXPECT_TRUE(Scan("%M%"));
    EXPECT_TRUE(trace.lines.empty());
    EXPECT_TRUE(label.CodeChosen);
    EXPECT_TRUE(record.ResumeFromCode);
    // Row 1 keeps its own code token out while a code is chosen.
    ScanAll({{"%12PART S1", false}, {"%22800 600 18", true}});
    EXPECT_EQ(trace.lines[1], Line("PART", 2, "800", "600", "18"));
    EXPECT_FALSE(label.CodeChosen);
    ScanAll({{"%12NEXT S1", false}, {"%22800 600 18", true}});
    EXPECT_EQ(trace.lines[1], Line("NEXT", 9, "800", "600", "18"));
}

TEST_F(LabelInterpreterTest, FieldCodeLabelLengthAndContent) {
    struct Case {
        const char* label;
        bool isCode;
    };
    for (const Case& c : {Case{"%R1/%", true}, Case{"$N$", true}, Case{"%n%", false},
                          Case{"%R1/%x", false}, Case{"%N", false}, Case{"%12x", false}}) {
        label = {};
        record = {};
        Scan(c.label);
        EXPECT_EQ(label.CodeChosen, c.isCode) << c.label;
    }
}

TEST_F(LabelInterpreterTest, FieldCodeThenPlainLabelSendsWithoutAutomaticSelection) {
    EXPECT_TRUE(Scan("%T1%"));
    EXPECT_TRUE(Scan("  PLAIN  "));
    EXPECT_EQ(trace.lines,
              (Lines{kAdding, Line("PLAIN", 11, "", "", ""), kAck, kPause, kPause, kReady}));
}

TEST_F(LabelInterpreterTest, PlainLabelNeedsAWayToChooseTheRunField) {
    EXPECT_FALSE(Scan("PLAIN"));
    EXPECT_EQ(trace.lines, Lines{"status Run Field Not Selected"});
    EXPECT_TRUE(host->Entries().empty());
    EXPECT_TRUE(record.RowsSeen.empty());

    fields.Code(FieldSlot::DFN) = "s1";
    EXPECT_TRUE(Scan("PLAIN"));
    EXPECT_EQ(trace.lines[1], Line("PLAIN", 9, "", "", ""));
}

TEST_F(LabelInterpreterTest, BlankPlainLabelIsRefused) {
    fields.Code(FieldSlot::DFN) = "S";
    for (const char* text : {"", "   "}) {
        EXPECT_FALSE(Scan(text));
        EXPECT_EQ(trace.lines, Lines{"status Barcode Formating Error.  " + std::string(text)});
    }
    EXPECT_TRUE(host->Entries().empty());
}

TEST_F(LabelInterpreterTest, RowOneWithoutBlankTakesTheRestUntrimmedAndReadsNoFiles) {
    files.files["C:\\PARTX.CSV"] = "rec";
    EXPECT_FALSE(Scan("%12PARTX"));
    EXPECT_EQ(label.ProgramName, "PARTX");
    EXPECT_EQ(files.lookups, 0);
    EXPECT_EQ(files.files.count(settings.CSVOutPath), 0u);
}

TEST_F(LabelInterpreterTest, RowOneCopiesTheCompanionRecordAndReadsTheComment) {
    files.files["C:\\PART.CSV"] = "1;2\r\n";
    files.files["C:\\MIRT\\PRODUCT\\PART"] = "G71 X800 Y600 Z18 T1\r\n(SHELF)\r\n";
    EXPECT_FALSE(Scan("%12PART P 5"));
    EXPECT_EQ(files.files[settings.CSVOutPath], "1;2\r\n");
    EXPECT_EQ(label.Comment, "SHELF");
    EXPECT_EQ(label.FieldCode, "P");
    EXPECT_EQ(label.VarV, "5");
    // A set that is later cleared keeps its record.
    EXPECT_TRUE(Scan("%CLEAR%"));
    EXPECT_EQ(files.files[settings.CSVOutPath], "1;2\r\n");
}

TEST_F(LabelInterpreterTest, RowTwoWithLeadingBlankShiftsTheValues) {
    EXPECT_FALSE(Scan("%23 800 600"));
    EXPECT_EQ(label.DimX, "");
    EXPECT_EQ(label.DimY, "800");
    EXPECT_EQ(label.DimZ, "600");
}

TEST_F(LabelInterpreterTest, MissingDimensionsComeFromTheProgramFile) {
    files.files["C:\\MIRT\\PRODUCT\\PART"] = "G71 X800.5 Y600 Z18 T1\r\n(SHELF)\r\n";
    ScanAll({{"%12PART S", false}, {"%22123 0", true}});
    EXPECT_EQ(trace.lines[1], Line("PART", 3, "123", "600", "18"));
    EXPECT_EQ(last.Comment, "SHELF");
}

TEST_F(LabelInterpreterTest, NormAndMirrorAddsTwoEntriesEachAcknowledgedAndStarted) {
    fields.target = AutoSelTarget::ProgramName;
    fields.mirrorSelected = false;
    fields.MSpec = "*";
    window.SetAutoStart(true);
    EXPECT_TRUE(Scan("PART"));
    EXPECT_EQ(trace.lines,
              (Lines{kAdding, Line("PART", 3, "", "", ""), "host Start", kAck, kAdding,
                     Line("PART", 4, "", "", ""), "host Start", kAck, kPause, kPause, kReady}));
    EXPECT_FALSE(window.AutoFieldSelectionVisible());
}

TEST_F(LabelInterpreterTest, AutomaticClearComesBeforeTheEntry) {
    window.SetAutoClear(true);
    EXPECT_TRUE(Scan("%19PART S"));
    EXPECT_EQ(trace.lines.front(), "host ClearList");
    EXPECT_EQ(trace.lines[2], Line("PART", 3, "", "", "", "999"));
}

TEST_F(LabelInterpreterTest, LowerCaseSetpIsRowZeroAndLoadsAList) {
    EXPECT_TRUE(Scan("%setp%"));
    EXPECT_EQ(trace.lines, Lines{"host ClearList"});
    EXPECT_EQ(listNames, Lines{"tp%"});
    EXPECT_TRUE(window.RowIndicatorVisible(0));
    EXPECT_TRUE(record.RowsSeen.empty());
    listResult = false;
    EXPECT_FALSE(Scan("%01JOBS"));
    EXPECT_EQ(listNames.back(), "JOBS");
    // A list outside the program folder is refused by the load: the host's list stays.
    EXPECT_FALSE(Scan("%01..\\JOBS"));
    EXPECT_EQ(listNames.back(), "..\\JOBS");
    EXPECT_TRUE(trace.lines.empty());
}

TEST_F(LabelInterpreterTest, ForcedCncExtensionAndEditor) {
    settings.ForceCncExtension = true;
    window.SetShowEditor(true);
    fields.Code(FieldSlot::DFN) = "S";
    for (const char* name : {"PART", "part.cnc"}) {
        EXPECT_TRUE(Scan(name));
    }
    EXPECT_EQ(editedPrograms, (Lines{"PART.CNC", "part.cnc"}));
}

TEST_F(LabelInterpreterTest, NoAcknowledgementWhileThePortIsClosed) {
    serial.open = false;
    EXPECT_TRUE(Scan("%19PART S"));
    EXPECT_TRUE(serial.written.empty());
}

TEST_F(LabelInterpreterTest, RefusedEntryDropsTheSetAndReportsFailure) {
    options.failAddLine = 100;
    host = std::make_shared<SimulatedHost>(trace, options);
    ASSERT_TRUE(control.Connect(host, 30));
    control.SetFirstScanPending(false);
    ScanAll({{"%M%", true}, {"%13PART S", false}, {"%23 1 2 3", false}});
    EXPECT_FALSE(Scan("%33a b c d"));
    EXPECT_EQ(op.shown.size(), 1u);
    EXPECT_TRUE(serial.written.empty());
    EXPECT_TRUE(record.RowsSeen.empty());
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_FALSE(label.CodeChosen);
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_FALSE(window.RowIndicatorVisible(1));
}

TEST_F(LabelInterpreterTest, HostEndingAfterTheEntryLosesTheLabelNotTheNextOne) {
    struct Case {
        const char* name;
        std::vector<std::string> labels; // the last one's entry goes to the host that ends
        bool mirrored;
    };
    for (const Case& c :
         {Case{"plain label", {"PART"}, false}, Case{"row set", {"%12PART S", "%22800 600"}, false},
          Case{"mirrored pair", {"PART"}, true}}) {
        SCOPED_TRACE(c.name);
        options.endAfterEntries = 1;
        ASSERT_TRUE(Connect());
        control.SetFirstScanPending(false);
        fields.target = c.mirrored ? AutoSelTarget::ProgramName : AutoSelTarget::Barcode;
        fields.mirrorSelected = !c.mirrored;
        fields.MSpec = c.mirrored ? "*" : "";
        fields.Code(FieldSlot::DFN) = c.mirrored ? "" : "S";
        window.SetAutoStart(true);
        op.shown.clear();
        trace.notes.clear();
        serial.written.clear();
        for (const std::string& text : c.labels) {
            EXPECT_FALSE(Scan(text));
        }
        // One entry, then nothing more: no connecting again, no Start, no second entry.
        ASSERT_EQ(trace.lines.size(), 3u) << ::testing::PrintToString(trace.lines);
        EXPECT_EQ(trace.lines[0], kAdding);
        EXPECT_TRUE(trace.lines[1].starts_with("host AddLine #161=PART;"));
        EXPECT_EQ(trace.lines[2], kReady);
        EXPECT_EQ(host->Restarts(), 1);
        EXPECT_TRUE(serial.written.empty());
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.shown[0].text, HostControl::kEndedAfterEntry);
        ASSERT_EQ(trace.notes.size(), 1u);
        EXPECT_TRUE(trace.notes[0].starts_with("host entry of PART lost: ")) << trace.notes[0];
        EXPECT_TRUE(record.RowsSeen.empty());

        // The next label reaches the host that took the old one's place.
        options.endAfterEntries = 0;
        fields.target = AutoSelTarget::Barcode;
        fields.MSpec = "";
        fields.Code(FieldSlot::DFN) = "S";
        EXPECT_TRUE(Scan("PART"));
        EXPECT_EQ(Lines(trace.lines.begin(), trace.lines.begin() + 5),
                  (Lines{kAdding, "status " + std::string(HostControl::kReconnectingStatus),
                         "host Attach true", "host GetExeList", "host Visible true"}));
        EXPECT_EQ(host->State(), SimulatedHost::RunState::Started);
        EXPECT_EQ(host->Entries().size(), 1u);
        EXPECT_EQ(serial.written, "ACK\r");
    }
}

TEST_F(LabelInterpreterTest, ArbitraryBytesNeverCrashOrReadOutOfRange) {
    fields.Code(FieldSlot::DFN) = "S";
    std::mt19937 random(7);
    std::vector<std::string> labels = {std::string(1, '\0'), std::string("%\0\0", 3),
                                       std::string(5000, '%'), "%1" + std::string(4000, ' '),
                                       "%12" + std::string(40000, 'A') + " S"};
    for (int c = 0; c < 256; ++c) {
        labels.push_back(std::string(1, static_cast<char>(c)));
        labels.push_back("%" + std::string(1, static_cast<char>(c)) + "2 x");
    }
    for (int i = 0; i < 300; ++i) {
        std::string text(random() % 40, ' ');
        for (char& ch : text) {
            ch = "%$ 0123459PS"[random() % 12];
        }
        labels.push_back(text);
    }
    for (const std::string& text : labels) {
        interpreter.ProcessLabel(text);
    }
    EXPECT_LE(record.RowsSeen.size(), 5u);
}

} // namespace
} // namespace quillet
