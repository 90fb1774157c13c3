#include "labels/EntrySender.h"

#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "support/FakeSerialPort.h"
#include "support/HostRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class EntrySenderTest : public ::testing::Test, protected testing::HostRig {
protected:
    void SetUp() override {
        fields.Code(FieldSlot::SFN) = "S";
        fields.Code(FieldSlot::SFM) = "A";
        window.SetAutoStart(false);
        ASSERT_TRUE(Connect());
        label.ProgramName = "PART";
    }

    // The field number the host received in the last entry.
    std::string LastCode() const { return host->Entries().back().fields.at(171); }

    MachineFieldModel fields;
    testing::FakeSerialPort serial;
    LastProgram last;
    std::function<void()> launchEditor;
    EntrySender sender{label, record, fields, control, window, serial, last, [this] {
                           if (launchEditor) {
                               launchEditor();
                           }
                       }};
    const SendOptions interpreter{.notifyAddProgram = false, .acknowledgeScanner = true};
    const SendOptions import{.notifyAddProgram = true, .acknowledgeScanner = false};
};

TEST_F(EntrySenderTest, FieldChoiceFollowsTheFirstCharacterOfTheCode) {
    struct Case {
        std::string code;
        const char* number;
        bool automatic;
    };
    for (const Case& c : {Case{"P", "3", true}, Case{"", "3", true}, Case{"W", "4", true},
                          Case{"&", "3", true}, Case{"S1", "9", false}, Case{"R/", "18", false},
                          Case{"X", "37", false}, Case{std::string("\0X", 2), "37", false}}) {
        record = {};
        window.SetAutoFieldSelectionVisible(false);
        label.FieldCode = c.code;
        label.CodeChosen = true;
        ASSERT_EQ(sender.AddToHost(0, 0, interpreter), EntrySender::Entry::Added);
        EXPECT_EQ(LastCode(), c.number) << c.code;
        EXPECT_EQ(window.AutoFieldSelectionVisible(), c.automatic) << c.code;
        EXPECT_EQ(label.FieldCode, "");
        EXPECT_FALSE(label.CodeChosen);
    }
}

TEST_F(EntrySenderTest, FixedCodePrimesTheAlternation) {
    label.FieldCode = "R";
    ASSERT_EQ(sender.AddToHost(0, 0, interpreter), EntrySender::Entry::Added);
    EXPECT_TRUE(record.SwapOrder);
    EXPECT_TRUE(record.NextMirror);
}

TEST_F(EntrySenderTest, AcknowledgesOnlyForTheInterpreterAndOnlyWhileThePortIsOpen) {
    ASSERT_EQ(sender.AddToHost(0, 0, interpreter), EntrySender::Entry::Added);
    EXPECT_EQ(serial.written, "ACK\r");
    serial.open = false;
    ASSERT_EQ(sender.AddToHost(0, 0, interpreter), EntrySender::Entry::Added);
    serial.open = true;
    ASSERT_EQ(sender.AddToHost(0, 0, import), EntrySender::Entry::Added);
    EXPECT_EQ(serial.written, "ACK\r");
}

TEST_F(EntrySenderTest, NoticeAndAutoStartFollowTheLine) {
    window.SetAutoStart(true);
    label.FieldCode = "N";
    ASSERT_EQ(sender.AddToHost(0, 0, import), EntrySender::Entry::Added);
    ASSERT_EQ(trace.lines.size(), 3u);
    EXPECT_EQ(trace.lines[1], "host SetDeviceStatus DRAVINESK.MAIN.AddProg 1");
    EXPECT_EQ(trace.lines[2], "host Start");
    trace.lines.clear();
    window.SetAutoStart(false);
    label.FieldCode = "N";
    ASSERT_EQ(sender.AddToHost(0, 0, interpreter), EntrySender::Entry::Added);
    EXPECT_EQ(trace.lines.size(), 1u);
}

TEST_F(EntrySenderTest, SendEntriesFinishesTheLabel) {
    bool edited = false;
    launchEditor = [&] { edited = label.ProgramName == "PART"; };
    window.SetShowEditor(true);
    window.ShowRowIndicator(1);
    label.Comment = " note ";
    ASSERT_TRUE(sender.SendEntries(0, 0, interpreter));
    EXPECT_TRUE(edited);
    EXPECT_EQ(last.ProgramName, "PART");
    EXPECT_EQ(last.Comment, "note");
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_EQ(label.FieldCode, "N");
    EXPECT_FALSE(window.RowIndicatorVisible(1));
    EXPECT_FALSE(window.AutoFieldSelectionVisible());
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_EQ(pump.sleeps, (std::vector<int>{600, 600}));
}

TEST_F(EntrySenderTest, RefusedLineStopsBeforeStartAndAcknowledgementAndResets) {
    options.failAddLine = 100;
    ASSERT_TRUE(Connect());
    window.SetAutoStart(true);
    label.FieldCode = "S";
    label.CodeChosen = true;
    window.ShowRowIndicator(2);
    EXPECT_FALSE(sender.SendEntries(0, 0, interpreter));
    EXPECT_TRUE(serial.written.empty());
    EXPECT_TRUE(host->Entries().empty());
    EXPECT_EQ(std::count(trace.lines.begin(), trace.lines.end(), "host Start"), 0);
    EXPECT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_FALSE(label.CodeChosen);
    EXPECT_FALSE(window.RowIndicatorVisible(2));
    EXPECT_EQ(last.ProgramName, "");
}

TEST_F(EntrySenderTest, SecondEntryOfAPairIsNotTriedAfterTheFirstFailed) {
    fields.target = AutoSelTarget::ProgramName;
    fields.mirrorSelected = false;
    fields.MSpec = "*";
    options.failAddLine = 100;
    ASSERT_TRUE(Connect());
    EXPECT_FALSE(sender.SendEntries(0, 0, interpreter));
    EXPECT_EQ(op.shown.size(), 1u);
}

TEST_F(EntrySenderTest, AddedEntriesAreAcknowledgedWhenTheirStartFails) {
    struct Case {
        bool pair;
        std::size_t entries;
        const char* acks;
    };
    for (const Case& c : {Case{false, 1, "ACK\r"}, Case{true, 2, "ACK\rACK\r"}}) {
        fields.target = AutoSelTarget::ProgramName;
        fields.mirrorSelected = false;
        fields.MSpec = c.pair ? "*" : "";
        options.failStart = 1;
        ASSERT_TRUE(Connect());
        window.SetAutoStart(true);
        serial.written.clear();
        op.shown.clear();
        last = {};
        label.ProgramName = "PART";
        EXPECT_FALSE(sender.SendEntries(0, 0, interpreter));
        EXPECT_EQ(host->Entries().size(), c.entries) << c.pair;
        EXPECT_EQ(serial.written, c.acks);
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_NE(op.shown[0].text.find("call Start failed"), std::string::npos);
        EXPECT_EQ(last.ProgramName, "PART");
    }
}

} // namespace
} // namespace quillet
