#include "fields/AutoSelEditor.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

class AutoSelEditorTest : public ::testing::Test {
protected:
    MachineFieldModel model;
    AutoSelEditor editor{model};

    // Selects a target and variant whose slot holds the given values, as a click would.
    void Show(AutoSelTarget target, bool mirror, AutoSelSlot slot) {
        model.mirrorSelected = mirror;
        AutoSelState& s = model.autoSel;
        const bool pname = target == AutoSelTarget::ProgramName;
        (pname ? (mirror ? s.PNameMirror : s.PNameNandM)
               : (mirror ? s.CommentMirror : s.CommentNandM)) = slot;
        editor.TargetClicked(target);
    }
};

TEST_F(AutoSelEditorTest, PreviewAndCaptionsFollowAlignment) {
    Show(AutoSelTarget::ProgramName, true, {-1, 3, "AB"});
    EXPECT_TRUE(model.triggerGroupEnabled);
    EXPECT_EQ(model.PosScrollMax, 11);
    EXPECT_EQ(model.LabDispStr, "??AB????????");
    EXPECT_EQ(model.PosDispLeft, "3 From Left");
    EXPECT_EQ(model.PosDispRight, "9 From Right");
    EXPECT_TRUE(model.PosDispLeftVisible);
    EXPECT_FALSE(model.PosDispRightVisible);

    editor.AlignmentClicked(false);
    EXPECT_EQ(model.LabDispStr, "??AB????????");
    EXPECT_FALSE(model.PosDispLeftVisible);
    EXPECT_TRUE(model.PosDispRightVisible);
}

TEST_F(AutoSelEditorTest, EmptyTriggerAtLastPositionIsNotRedrawn) {
    Show(AutoSelTarget::Comment, true, {-1, 25, ""});
    EXPECT_EQ(model.PosScrollMax, 26);
    EXPECT_EQ(model.LabDispStr, std::string(25, '?'));
    editor.PosScrollChanged(26);
    EXPECT_EQ(model.PosScrollValue, 26);
    EXPECT_EQ(model.LabDispStr, std::string(25, '?'));
    EXPECT_EQ(model.PosDispLeft, "25 From Left");
    EXPECT_EQ(model.PosDispRight, "2 From Right");
}

TEST_F(AutoSelEditorTest, SwitchToShorterPreviewLowersPositionButNotTheSlot) {
    Show(AutoSelTarget::Comment, true, {-1, 20, ""});
    EXPECT_EQ(model.PosScrollValue, 20);
    model.autoSel.PNameMirror = {-1, 20, "X"};
    editor.ChoicePressed();
    editor.TargetClicked(AutoSelTarget::ProgramName);
    EXPECT_EQ(model.PosScrollValue, 12);
    EXPECT_EQ(model.PosScrollMax, 12);
    EXPECT_EQ(model.LabDispStr, "???????????X");
    EXPECT_EQ(model.PosDispLeft, "12 From Left");
    EXPECT_EQ(model.PosDispRight, "1 From Right");
    EXPECT_EQ(model.autoSel.PNameMirror.Position, 20);
    EXPECT_EQ(model.autoSel.CommentMirror.Position, 20);
}

TEST_F(AutoSelEditorTest, GrowingTriggerRedrawsWithTheLoweredPosition) {
    Show(AutoSelTarget::ProgramName, true, {-1, 12, ""});
    editor.MSpecChanged("ABC");
    EXPECT_EQ(model.PosScrollValue, 10);
    EXPECT_EQ(model.LabDispStr, "?????????ABC");
    EXPECT_EQ(model.PosDispLeft, "10 From Left");
    EXPECT_EQ(model.PosDispRight, "1 From Right");
}

TEST_F(AutoSelEditorTest, TriggerLongerThanPreviewKeepsPositionAtOne) {
    Show(AutoSelTarget::ProgramName, true, {-1, 5, "ABCDEFGHIJKLMNOP"});
    EXPECT_EQ(model.PosScrollValue, 1);
    EXPECT_EQ(model.PosScrollMax, 1);
    EXPECT_EQ(model.LabDispStr, "ABCDEFGHIJKL");
    EXPECT_EQ(model.PosDispRight, "1 From Right");
    editor.PosScrollChanged(-4);
    EXPECT_EQ(model.PosScrollValue, 1);
}

TEST_F(AutoSelEditorTest, StoredAlignmentAndPositionAreNormalisedWhenShown) {
    struct Case {
        std::int16_t align, position;
        bool fromLeft;
        std::int16_t shownPosition;
    };
    for (const Case c : {Case{-1, 3, true, 3}, Case{0, 3, false, 3}, Case{1, 3, false, 3},
                         Case{-2, 0, false, 1}, Case{-1, -7, true, 1}, Case{0, 300, false, 11}}) {
        MachineFieldModel fresh;
        model = fresh;
        Show(AutoSelTarget::ProgramName, false, {c.align, c.position, "AB"});
        EXPECT_EQ(model.OptAlnL, c.fromLeft) << c.align;
        EXPECT_EQ(model.PosScrollValue, c.shownPosition) << c.position;
        EXPECT_GE(model.autoSel.PNameNandM.Position, 1) << c.position;
    }
}

TEST_F(AutoSelEditorTest, PressOnMirrorCapturesNormAndMirrorSlot) {
    model.autoSel.CommentMirror = {0, 7, "MM"};
    Show(AutoSelTarget::Comment, false, {-1, 2, "Q"});
    editor.MSpecChanged("ZZ");
    editor.PosScrollChanged(4);
    editor.AlignmentClicked(false);
    model.autoSel.CommentMSel = 1;

    editor.ChoicePressed();
    EXPECT_EQ(model.autoSel.CommentNandM.TriggerText, "ZZ");
    EXPECT_EQ(model.autoSel.CommentNandM.Position, 4);
    EXPECT_EQ(model.autoSel.CommentNandM.AlignLeft, 0);
    EXPECT_EQ(model.autoSel.CommentMSel, 0);

    editor.VariantClicked(true);
    EXPECT_EQ(model.MSpec, "MM");
    EXPECT_EQ(model.PosScrollValue, 7);
    EXPECT_FALSE(model.OptAlnL);
}

TEST_F(AutoSelEditorTest, KeyboardChangeCapturesTheSlotBeingLeft) {
    Show(AutoSelTarget::ProgramName, true, {-1, 3, "AB"});
    editor.MSpecChanged("CD");
    editor.VariantChanged(false);
    EXPECT_EQ(model.autoSel.PNameMirror.TriggerText, "CD");
    EXPECT_EQ(model.autoSel.PNameMSel, 1);
    editor.TargetChanged(AutoSelTarget::Comment);
    EXPECT_EQ(model.autoSel.PNameNandM.TriggerText, "");
    EXPECT_EQ(model.autoSel.PNameMSel, 0);
}

TEST_F(AutoSelEditorTest, BarcodeDisablesGroupAndKeepsPreview) {
    Show(AutoSelTarget::ProgramName, true, {-1, 3, "AB"});
    editor.MSpecChanged("XY");
    editor.ChoicePressed();
    editor.TargetClicked(AutoSelTarget::Barcode);
    EXPECT_FALSE(model.triggerGroupEnabled);
    EXPECT_EQ(model.LabDispStr, "??XY????????");
    EXPECT_EQ(model.autoSel.PNameMirror.TriggerText, "XY");

    editor.PreviewDoubleClicked("PROG1", "comment");
    EXPECT_EQ(model.LabDispStr, "??XY????????");
    editor.ChoicePressed(); // nothing to capture
    EXPECT_EQ(model.autoSel.PNameMirror.TriggerText, "XY");
}

TEST_F(AutoSelEditorTest, DoubleClickShowsTheLastTextOfTheTarget) {
    Show(AutoSelTarget::ProgramName, true, {-1, 3, "AB"});
    editor.PreviewDoubleClicked("PROG1", "a comment");
    EXPECT_EQ(model.LabDispStr, "PROG1");
    editor.TargetClicked(AutoSelTarget::Comment);
    editor.PreviewDoubleClicked("PROG1", "a comment");
    EXPECT_EQ(model.LabDispStr, "a comment");
    editor.MSpecChanged("Z");
    EXPECT_EQ(model.LabDispStr, "Z" + std::string(24, '?'));
}

TEST_F(AutoSelEditorTest, ReportsEachOperationOnce) {
    int changes = 0;
    editor.SetObserver([&] { ++changes; });
    Show(AutoSelTarget::ProgramName, true, {-1, 12, "X"});
    editor.MSpecChanged("ABCDE"); // lowers the position: nested redraws
    editor.TargetChanged(AutoSelTarget::Comment);
    EXPECT_EQ(changes, 3);
}

} // namespace
} // namespace quillet
