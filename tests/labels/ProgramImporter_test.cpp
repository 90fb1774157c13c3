#include "host/ProgramImporter.h"

#include "config/NativeFileSystem.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/ProgramFileName.h"
#include "host/ProgramReader.h"
#include "host/TextSplitter.h"
#include "labels/EntrySender.h"
#include "support/FakeSerialPort.h"
#include "support/HostRig.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kFolder = "C:\\MIRT\\PRODUCT\\";
constexpr const char* kAddProg = "host SetDeviceStatus DRAVINESK.MAIN.AddProg 1";
const std::string kBody = "G0 X10 Y20 Z5"; // long enough to be stored

class StatusLog : public WindowStateObserver {
public:
    Lines texts;
    void StatusChanged(const std::string& text) override { texts.push_back(text); }
};

// What the label state and the indicators held when the host received an entry.
struct Seen {
    std::map<int, std::string> fields;
    std::array<bool, WindowState::kRowIndicators> rows{};
};

class ProgramImporterTest : public ::testing::Test, protected testing::HostRig {
protected:
    void SetUp() override {
        settings.GCodePath = kFolder;
        fields.Code(FieldSlot::SFN) = "N";
        fields.Code(FieldSlot::SFM) = "M";
        window.SetAutoStart(false);
        window.SetObserver(&status);
        ASSERT_TRUE(Connect());
        control.SetFirstScanPending(false);
        host->SetObserver([this] { OnHostChange(); });
    }

    void OnHostChange() {
        if (host->Entries().size() == seen.size()) {
            return;
        }
        Seen s{host->Entries().back().fields, {}};
        for (int i = 0; i < WindowState::kRowIndicators; ++i) {
            s.rows[static_cast<std::size_t>(i)] = window.RowIndicatorVisible(i);
        }
        seen.push_back(s);
    }

    ImportResult Import(const std::string& text) { return importer.ImportProgramLabel(text); }
    std::string Path(const std::string& name) const { return kFolder + name; }
    long Count(const std::string& line) const {
        return std::count(trace.lines.begin(), trace.lines.end(), line);
    }
    bool Saw(const std::string& text) const {
        return std::find(status.texts.begin(), status.texts.end(), text) != status.texts.end();
    }
    void ExpectNothingHappened() {
        EXPECT_TRUE(trace.lines.empty());
        EXPECT_TRUE(files.files.empty());
        EXPECT_TRUE(host->Entries().empty());
    }

    MachineFieldModel fields;
    testing::FakeSerialPort serial;
    StatusLog status;
    LastProgram last;
    std::vector<Seen> seen;
    Lines listsLoaded;
    bool listLoads = true;
    Parser parser;
    ProgramReader reader{label, settings, files, op, parser};
    EntrySender sender{label, record, fields, control, window, serial, last, nullptr};
    ProgramImporter importer{
        label, control, window, files, reader, sender, [this](const std::string& name) {
            listsLoaded.push_back(name);
            return listLoads;
        }};
};

TEST_F(ProgramImporterTest, ProgramLabelStoresTheFileAndAddsOneEntry) {
    ASSERT_EQ(Import("P1.CNC^X800^Y600^Z18^Q5!  " + kBody + "  "), ImportResult::Added);
    EXPECT_EQ(files.files[Path("P1.CNC")], kBody + "\r\n");
    EXPECT_EQ(trace.lines, (Lines{"host AddLine #161=P1.CNC;#164=1;#171=1;#284=0;#280=;#165=1;"
                                  "#168=800;#169=600;#170=18;#282=;#283=;",
                                  kAddProg, "pause 0.6", "pause 0.6"}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rows, (std::array<bool, 5>{false, true, true, false, false}));
    EXPECT_TRUE(Saw(ProgramImporter::kSaving));
    EXPECT_EQ(window.Status(), WindowState::kReady);
    EXPECT_EQ(serial.written, "");
    EXPECT_EQ(last.ProgramName, "P1.CNC");
    // Finished: indicators hidden and the label state back to its defaults.
    EXPECT_FALSE(window.RowIndicatorVisible(1));
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_EQ(label.DimX, "");
    EXPECT_EQ(label.FieldCode, "N");
}

TEST_F(ProgramImporterTest, VariablesLightTheirIndicators) {
    label.FieldCode = "";
    ASSERT_EQ(Import("P1^A1^I2^V3^UM!" + kBody), ImportResult::Added);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rows, (std::array<bool, 5>{false, true, false, true, true}));
    EXPECT_EQ(seen[0].fields.at(171), "2"); // U chose M
    EXPECT_EQ(label.VarA, "1");
    EXPECT_EQ(label.VarI, "2");
}

TEST_F(ProgramImporterTest, TenCharacterBodyIsNotStoredElevenIs) {
    const struct {
        std::string body;
        bool stored;
    } cases[] = {
        {"G0 X1 Y2Z3", false},
        {"G0 X1 Y2 Z3", true},
        {"   G0 X1 Y2Z3   ", false},
        {"", false},
    };
    for (const auto& c : cases) {
        files.files.clear();
        ASSERT_EQ(Import("P1^X1^Y1^Z1!" + c.body), ImportResult::Added) << c.body;
        EXPECT_EQ(files.files.count(Path("P1")), c.stored ? 1u : 0u) << c.body;
    }
    EXPECT_EQ(host->Entries().size(), 4u);
}

TEST_F(ProgramImporterTest, OverwriteAndTheExistingFileRule) {
    const struct {
        const char* what;
        bool overwrite;
        std::optional<std::string> existing;
        bool unreadable;
        std::string after;
    } cases[] = {
        {"absent", false, std::nullopt, false, kBody + "\r\n"},
        {"empty replaced", false, "", false, kBody + "\r\n"},
        {"non-empty kept", false, "OLD", false, "OLD"},
        {"unreadable kept", false, "OLD", true, "OLD"},
        {"overwrite replaces", true, "OLD", false, kBody + "\r\n"},
        {"overwrite replaces unreadable", true, "OLD", true, kBody + "\r\n"},
    };
    for (const auto& c : cases) {
        files.files.clear();
        files.readErrors.clear();
        window.SetOverwrite(c.overwrite);
        if (c.existing) {
            files.files[Path("P1")] = *c.existing;
        }
        if (c.unreadable) {
            files.readErrors[Path("P1")] = FsError::AccessDenied;
        }
        EXPECT_EQ(Import("P1^X1^Y1^Z1!" + kBody), ImportResult::Added) << c.what;
        EXPECT_EQ(files.files[Path("P1")], c.after) << c.what;
    }
}

TEST_F(ProgramImporterTest, MissingDimensionsComeFromTheProgramFile) {
    const struct {
        const char* header;
        const char* file;
        const char* x;
        const char* y;
        const char* z;
        const char* comment;
    } cases[] = {
        {"P1^X0^Y250", "G71 X800 Y600 Z18 T1\r\n(OAK)\r\n", "800", "250", "18", "OAK"},
        {"P1^X0.0^Y0^Z0", "G71 X12.5 Y0.5 Z1234567.8 T1\r\n(X)\r\n", "12.5", ".5", "1234568", "X"},
        {"P1^X5^Yabc^Z7", "G71 X800 Y600 Z18 T1\r\n(Y)\r\n", "5", "600", "7", "Y"},
        {"P1", "G71 X0 Y0 Z0 T1\r\n(Z)\r\n", "", "", "", "Z"},
    };
    for (const auto& c : cases) {
        files.files[Path("P1")] = c.file;
        const std::size_t before = host->Entries().size();
        ASSERT_EQ(Import(std::string(c.header) + "!short"), ImportResult::Added) << c.header;
        ASSERT_EQ(host->Entries().size(), before + 1);
        const auto& f = host->Entries().back().fields;
        EXPECT_EQ(f.at(168), c.x) << c.header;
        EXPECT_EQ(f.at(169), c.y) << c.header;
        EXPECT_EQ(f.at(170), c.z) << c.header;
        EXPECT_EQ(last.Comment, c.comment) << c.header;
    }
}

TEST_F(ProgramImporterTest, DimensionsReadFromTheFileJustWritten) {
    ASSERT_EQ(Import("P1^X0!G71 X800 Y600 Z18 T1\r\n(NEW)"), ImportResult::Added);
    EXPECT_EQ(host->Entries().back().fields.at(168), "800");
    EXPECT_EQ(last.Comment, "NEW");
}

TEST_F(ProgramImporterTest, PrefixIsRemovedOnlyAfterByte209) {
    EXPECT_EQ(Import("\xD1"
                     "ABCDEFGP1^X1!" +
                     kBody),
              ImportResult::Added);
    EXPECT_EQ(files.files.count(Path("P1")), 1u);
    EXPECT_EQ(Import("\xF1"
                     "ABCDEFGP2^X1!" +
                     kBody),
              ImportResult::Added);
    EXPECT_EQ(files.files.count(Path("\xF1"
                                     "ABCDEFGP2")),
              1u);
    EXPECT_EQ(WithoutPrefix("\xD1"
                            "abc"),
              "");
    EXPECT_EQ(WithoutPrefix(""), "");
}

TEST_F(ProgramImporterTest, NormAndMirrorAddsTwoEntriesWithoutAcknowledgement) {
    fields.target = AutoSelTarget::ProgramName;
    fields.mirrorSelected = false; // "Norm and Mirror"
    fields.MSpec = "MX";
    fields.PosScrollValue = 3;
    window.SetAutoStart(true);
    ASSERT_EQ(Import("P1MX^X800^Y600!" + kBody), ImportResult::Added);
    ASSERT_EQ(host->Entries().size(), 2u);
    EXPECT_EQ(host->Entries()[0].fields.at(171), "1");
    EXPECT_EQ(host->Entries()[1].fields.at(171), "2");
    EXPECT_EQ(host->Entries()[1].fields.at(284), "1");
    EXPECT_EQ(Count(kAddProg), 2);
    EXPECT_EQ(Count("host Start"), 2);
    EXPECT_EQ(serial.written, "");
    EXPECT_FALSE(window.AutoFieldSelectionVisible());
}

TEST_F(ProgramImporterTest, FirstLabelClearsTheListFirst) {
    control.SetFirstScanPending(true);
    ASSERT_EQ(Import("P1^X1!" + kBody), ImportResult::Added);
    ASSERT_GE(trace.lines.size(), 3u);
    EXPECT_EQ(trace.lines[0], "host Visible true");
    EXPECT_EQ(trace.lines[1], "host ClearList");
    EXPECT_FALSE(control.FirstScanPending());
}

TEST_F(ProgramImporterTest, RefusedLabelsTouchNothing) {
    const struct {
        std::string label;
        const char* status;
    } cases[] = {
        {"!" + kBody, ProgramImporter::kNoName},
        {"^X800!" + kBody, ProgramImporter::kNoName},
        {"   ^X800!" + kBody, ProgramImporter::kNoName},
        {std::string(300, '^') + "!" + kBody, ProgramImporter::kNoName},
        {"\xD1"
         "1234",
         ProgramImporter::kNoName},
        {"X^Y", ProgramImporter::kNoName},
        {std::string("P1!G0 X1") + '\0' + " Y2 Z3 G1", ProgramImporter::kNulInProgram},
        {"..\\..\\WINDOWS\\P1^X1!" + kBody,
         "Barcode refused: program name ..\\..\\WINDOWS\\P1 leaves the program folder."},
        {"C:\\P1!" + kBody, "Barcode refused: program name C:\\P1 leaves the program folder."},
        {"/tmp/P1!" + kBody, "Barcode refused: program name /tmp/P1 leaves the program folder."},
        {"P\x01"
         "1!" +
             kBody,
         "Barcode refused: program name P?1 holds control characters."},
        {"CON!" + kBody, "Barcode refused: program name CON names a device."},
        {"*%00", ProgramImporter::kNoListName},
        {"*%00X", ProgramImporter::kNoListName},
        {"*%00XY", ProgramImporter::kNoListName},
        {"*%00  XY", ProgramImporter::kNoListName},
        {"*%00..\\JOBXY", "Barcode refused: list name ..\\JOB leaves the program folder."},
    };
    control.SetFirstScanPending(true);
    label.DimX = "9";
    for (const auto& c : cases) {
        EXPECT_EQ(Import(c.label), ImportResult::Refused) << PrintableName(c.label);
        EXPECT_EQ(window.Status(), c.status) << PrintableName(c.label);
        ExpectNothingHappened();
    }
    EXPECT_TRUE(control.FirstScanPending()); // the next good label still clears the list
    EXPECT_TRUE(listsLoaded.empty());
    EXPECT_EQ(label.DimX, "9");
    EXPECT_FALSE(window.RowIndicatorVisible(1));
}

TEST_F(ProgramImporterTest, FailedWriteAddsNothingAndPutsTheLabelBack) {
    files.writeErrors[Path("P1")] = FsError::NoSpace;
    label.FieldCode = "M";
    window.ShowRowIndicator(2);
    EXPECT_EQ(Import("P1^X800^UT!" + kBody), ImportResult::NotSaved);
    EXPECT_EQ(files.files.count(Path("P1")), 0u);
    EXPECT_TRUE(host->Entries().empty());
    EXPECT_EQ(Count(kAddProg), 0);
    EXPECT_EQ(window.Status(),
              std::string("Program file ") + kFolder + "P1 not saved: fake write failure.");
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_EQ(label.DimX, "");
    EXPECT_EQ(label.FieldCode, "M");
    EXPECT_EQ(window.RowIndicatorVisible(1), false);
    EXPECT_EQ(window.RowIndicatorVisible(2), true);
}

TEST_F(ProgramImporterTest, ListFileLabelClearsTheListAndLoadsIt) {
    for (const bool loads : {true, false}) {
        trace.lines.clear();
        listsLoaded.clear();
        listLoads = loads;
        EXPECT_EQ(Import("*%00JOB 1\r\n"),
                  loads ? ImportResult::ListLoaded : ImportResult::ListNotLoaded);
        EXPECT_EQ(listsLoaded, Lines{"JOB 1"});
        EXPECT_EQ(trace.lines, Lines{"host ClearList"});
    }
    // A "!" makes it a program label, whatever it begins with.
    EXPECT_EQ(Import("*%00JOB^X1!" + kBody), ImportResult::Refused);
    EXPECT_EQ(listsLoaded.size(), 1u);
}

TEST_F(ProgramImporterTest, LabelWithoutProgramTextSendsWhatTheStateHolds) {
    label.ProgramName = "HELD";
    label.DimX = "300";
    ASSERT_EQ(Import("IGNORED^X800"), ImportResult::Added);
    ASSERT_EQ(host->Entries().size(), 1u);
    EXPECT_EQ(host->Entries()[0].fields.at(161), "HELD");
    EXPECT_EQ(host->Entries()[0].fields.at(168), "300");
    EXPECT_TRUE(files.files.empty());
}

// The real file system looks names up without regard to case.
TEST_F(ProgramImporterTest, NeverCreatesASecondFileDifferingInCase) {
    testing::TempFolder dir;
    PathMap map(dir / "drives");
    map.SetDrive('C', dir.path());
    NativeFileSystem native(map);
    Settings rootFolder;
    rootFolder.GCodePath = "C:\\";
    ProgramReader nativeReader{label, rootFolder, native, op, parser};
    ProgramImporter nativeImporter{label, control, window, native, nativeReader, sender, {}};
    dir.Write("part1.cnc", "OLD");

    EXPECT_EQ(nativeImporter.ImportProgramLabel("PART1.CNC!" + kBody), ImportResult::Added);
    EXPECT_EQ(dir.Read("part1.cnc"), "OLD");
    window.SetOverwrite(true);
    EXPECT_EQ(nativeImporter.ImportProgramLabel("PART1.CNC!" + kBody), ImportResult::Added);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"part1.cnc"});
    EXPECT_EQ(dir.Read("part1.cnc"), kBody + "\r\n");
}

} // namespace
} // namespace quillet
