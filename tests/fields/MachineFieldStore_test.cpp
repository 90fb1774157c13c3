#include "fields/MachineFieldStore.h"

#include "config/Settings.h"
#include "support/FakeIniProfile.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace quillet {
namespace {

using testing::FakeIniProfile;
using Writes = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kSlots[] = {"SFN", "SFM", "SFS", "SFA", "SFT", "SFR", "BFN",
                                  "BFM", "FFN", "FFM", "BFS", "BFA", "BFT", "BFR",
                                  "FFS", "FFA", "FFT", "FFR", "DFN"};

class MachineFieldStoreTest : public ::testing::Test {
protected:
    FakeIniProfile ini;
    MachineFieldModel model;
    AutoSelEditor editor{model};

    void Set(const std::string& key, const std::string& value) { ini.Set(kSection, key, value); }
    void Load() { LoadMachineFields(ini, editor); }
    void Store() {
        ini.writes.clear();
        StoreMachineFields(ini, editor);
    }
};

TEST_F(MachineFieldStoreTest, NoKeysGiveDefaults) {
    Load();
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        EXPECT_EQ(model.Code(slot), "") << kSlots[i];
        EXPECT_EQ(model.Flag(slot), SlotHasEnableFlag(slot) ? 0 : 1) << kSlots[i];
    }
    EXPECT_EQ(model.HlfLimX, "");
    EXPECT_EQ(model.HlfLimY, "");
    EXPECT_TRUE(model.MBC());
    EXPECT_TRUE(model.MSel());
    EXPECT_FALSE(model.triggerGroupEnabled);
    EXPECT_EQ(model.LabDispStr, std::string(24, '?'));
}

TEST_F(MachineFieldStoreTest, FlagValuesLoadAsCheckBoxStates) {
    const std::pair<const char*, int> cases[] = {
        {" 1", 1},  {"1", 1},    {"0.5", 0},   {"1.5", 2}, {"2.5", 2},      {"2", 2},
        {"3", 0},   {"-1", 0},   {"abc", 0},   {"", 0},    {"99999999", 0}, {"1abc", 1},
        {"1e5", 1}, {"-0.4", 0}, {"END.-", 0}, {".", 0},
    };
    for (const auto& [text, expected] : cases) {
        Set("FieldFlag_SFS", text);
        Set("FieldFlag_SFN", text);
        Load();
        EXPECT_EQ(model.Flag(FieldSlot::SFS), expected) << '"' << text << '"';
        EXPECT_EQ(model.Flag(FieldSlot::SFN), 1) << '"' << text << '"';
    }
}

TEST_F(MachineFieldStoreTest, AutoSelSettingSelectsOnlyExactTargets) {
    const std::pair<const char*, AutoSelTarget> cases[] = {
        {"1", AutoSelTarget::ProgramName}, {"2", AutoSelTarget::Comment},
        {"2.0", AutoSelTarget::Comment},   {" 2abc", AutoSelTarget::Comment},
        {"3", AutoSelTarget::Barcode},     {"2.5", AutoSelTarget::Barcode},
        {"0", AutoSelTarget::Barcode},     {"4", AutoSelTarget::Barcode},
        {"-1", AutoSelTarget::Barcode},    {"", AutoSelTarget::Barcode},
        {"x", AutoSelTarget::Barcode},     {"1e400", AutoSelTarget::ProgramName},
    };
    for (const auto& [text, expected] : cases) {
        MachineFieldModel fresh;
        model = fresh;
        Set("AutoSelSetting", text);
        Load();
        EXPECT_EQ(model.target, expected) << '"' << text << '"';
        EXPECT_EQ(model.triggerGroupEnabled, expected != AutoSelTarget::Barcode) << text;
    }
}

TEST_F(MachineFieldStoreTest, ProgramNameWithoutVariantKeySelectsNormAndMirror) {
    Set("AutoSelSetting", "1");
    Load();
    EXPECT_TRUE(model.MPName());
    EXPECT_TRUE(model.NMSel());
    EXPECT_TRUE(model.triggerGroupEnabled);
    EXPECT_EQ(model.LabDispStr, std::string(12, '?'));
}

TEST_F(MachineFieldStoreTest, CommentVariantComesFromItsOwnKey) {
    Set("AutoSelSetting", "2");
    Set("PNameMSel", "0");
    Set("CommentMSel", "1");
    Set("CommentMirrorLR", "-1");
    Set("CommentMirrorCPos", "4");
    Set("CommentMirrorText", "mir");
    Load();
    EXPECT_TRUE(model.MCmt());
    EXPECT_TRUE(model.MSel());
    EXPECT_EQ(model.MSpec, "mir");
    EXPECT_EQ(model.LabDispStr, "???mir" + std::string(19, '?'));
    EXPECT_EQ(model.PosDispLeft, "4 From Left");
}

TEST_F(MachineFieldStoreTest, SlotNumbersOutsideRangeAreClampedOrZeroed) {
    Set("PNameNandMCPos", "99999");
    Set("CommentMirrorCPos", "-99999");
    Set("CommentNandMCPos", "2.5");
    Set("PNameMirrorCPos", "1.5");
    Set("PNameNandMLR", "99999");
    Set("PNameMirrorLR", "1");
    Set("CommentMirrorLR", "-1.2");
    Set("PNameMSel", "70000");
    Set("CommentMSel", "-3");
    Load();
    const AutoSelState& s = model.autoSel;
    EXPECT_EQ(s.PNameNandM.Position, 32767);
    EXPECT_EQ(s.CommentMirror.Position, -32768);
    EXPECT_EQ(s.CommentNandM.Position, 2);
    EXPECT_EQ(s.PNameMirror.Position, 2);
    EXPECT_EQ(s.PNameNandM.AlignLeft, 0);
    EXPECT_EQ(s.PNameMirror.AlignLeft, 1);
    EXPECT_EQ(s.CommentMirror.AlignLeft, -1);
    EXPECT_EQ(s.PNameMSel, 0);
    EXPECT_EQ(s.CommentMSel, -3);
}

TEST_F(MachineFieldStoreTest, HugeStoredPositionIsBroughtIntoTheScrollBounds) {
    Set("AutoSelSetting", "1");
    Set("PNameMSel", "1");
    Set("PNameMirrorCPos", "99999");
    Set("PNameMirrorText", "AB");
    Load();
    EXPECT_EQ(model.PosScrollValue, 11);
    EXPECT_EQ(model.LabDispStr, "??????????AB");
    EXPECT_FALSE(model.OptAlnL);
    EXPECT_EQ(model.PosDispRight, "1 From Right");
    Store();
    EXPECT_EQ(ini.Get(kSection, "PNameMirrorCPos"), "11");
    EXPECT_EQ(ini.Get(kSection, "PNameMirrorLR"), "0");
}

TEST_F(MachineFieldStoreTest, CodesAreStoredUpperCasedAndWhole) {
    const std::string longCode = "abcdefghijklmnopqrstuvwxyz0123456789";
    Set("FieldCode_SFN", "n");
    Set("FieldCode_FFS", longCode);
    Set("FieldCode_DFN", "\xF1s");
    Set("FieldCode_BFR", std::string(100, 'r'));
    Load();
    Store();
    EXPECT_EQ(ini.Get(kSection, "FieldCode_SFN"), "N");
    EXPECT_EQ(model.Code(FieldSlot::SFN), "n");
    EXPECT_EQ(ini.Get(kSection, "FieldCode_FFS"), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(ini.Get(kSection, "FieldCode_DFN"), "\xD1S");
    EXPECT_EQ(ini.Get(kSection, "FieldCode_BFR"), std::string(79, 'R'));
}

TEST_F(MachineFieldStoreTest, TextsReadingWouldChangeAreStoredInQuotes) {
    Load();
    model.autoSel.PNameMirror.TriggerText = " M";
    model.autoSel.CommentMirror.TriggerText = "'x'";
    model.HlfLimX = "1000";
    editor.SetAutoSel();
    Store();
    EXPECT_EQ(ini.Get(kSection, "PNameMirrorText"), "\" M\"");
    EXPECT_EQ(ini.Get(kSection, "CommentMirrorText"), "\"'x'\"");
    EXPECT_EQ(ini.Get(kSection, "HalfLimitX"), "1000");
}

TEST_F(MachineFieldStoreTest, SlotsWithoutCheckBoxAreAlwaysWrittenEnabled) {
    Set("FieldFlag_SFN", "0");
    Set("FieldFlag_SFM", "abc");
    Set("FieldFlag_DFN", "-5");
    Load();
    model.Flag(FieldSlot::SFN) = 0;
    Store();
    for (const char* key : {"FieldFlag_SFN", "FieldFlag_SFM", "FieldFlag_DFN"}) {
        EXPECT_EQ(ini.Get(kSection, key), " 1") << key;
    }
}

TEST_F(MachineFieldStoreTest, LoadThenStoreWritesEveryKeyInOrder) {
    for (int i = 0; i < kFieldSlotCount; ++i) {
        Set(std::string("FieldCode_") + kSlots[i], std::string("c") + kSlots[i]);
        Set(std::string("FieldFlag_") + kSlots[i], i % 3 == 0 ? " 1" : (i % 3 == 1 ? "0" : "2"));
    }
    Set("HalfLimitX", "1250.5");
    Set("HalfLimitY", "abc");
    Set("AutoSelSetting", "1");
    Set("PNameMSel", "1");
    Set("CommentMSel", "0");
    Set("PNameMirrorLR", "-1");
    Set("PNameMirrorCPos", "3");
    Set("PNameMirrorText", "ab");
    Set("PNameNandMLR", "0");
    Set("PNameNandMCPos", "5");
    Set("PNameNandMText", "xy");
    Set("CommentMirrorLR", "-1");
    Set("CommentMirrorCPos", "20");
    Set("CommentMirrorText", "MIR");
    Set("CommentNandMLR", "0");
    Set("CommentNandMCPos", "1");
    Set("CommentNandMText", "");
    Set("Exclusion", "01010101");
    Load();
    Store();
    EXPECT_EQ(ini.fileWrites, 1) << "the file is rewritten once for all keys";

    Writes expected;
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const std::string slot = kSlots[i];
        const bool always = slot == "SFN" || slot == "SFM" || slot == "DFN";
        expected.emplace_back("FieldCode_" + slot, "C" + slot);
        expected.emplace_back("FieldFlag_" + slot,
                              always || i % 3 == 0 ? " 1" : (i % 3 == 1 ? " 0" : " 2"));
    }
    const Writes rest = {
        {"HalfLimitX", "1250.5"},  {"HalfLimitY", "abc"},       {"AutoSelSetting", "1"},
        {"PNameMirrorLR", "-1"},   {"PNameMirrorCPos", "3"},    {"PNameMirrorText", "ab"},
        {"PNameNandMLR", "0"},     {"PNameNandMCPos", "5"},     {"PNameNandMText", "xy"},
        {"CommentMirrorLR", "-1"}, {"CommentMirrorCPos", "20"}, {"CommentMirrorText", "MIR"},
        {"CommentNandMLR", "0"},   {"CommentNandMCPos", "1"},   {"CommentNandMText", ""},
        {"PNameMSel", "1"},        {"CommentMSel", "0"},
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(ini.writes, expected);
    EXPECT_EQ(ini.Get(kSection, "Exclusion"), "01010101");
}

TEST_F(MachineFieldStoreTest, StoreCapturesEditedTriggerAndBarcodeTarget) {
    Set("AutoSelSetting", "2");
    Load();
    editor.MSpecChanged("Zq");
    editor.PosScrollChanged(6);
    Store();
    EXPECT_EQ(ini.Get(kSection, "CommentNandMText"), "Zq");
    EXPECT_EQ(ini.Get(kSection, "CommentNandMCPos"), "6");
    EXPECT_EQ(ini.Get(kSection, "CommentMSel"), "0");
    editor.ChoicePressed();
    editor.TargetClicked(AutoSelTarget::Barcode);
    Store();
    EXPECT_EQ(ini.Get(kSection, "AutoSelSetting"), "3");
}

} // namespace
} // namespace quillet
