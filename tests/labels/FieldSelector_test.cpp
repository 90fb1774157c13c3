#include "labels/FieldSelector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace quillet {
namespace {

using Names = std::vector<std::string>;

// Every slot's code text is its own name, so a result shows which slot was chosen.
MachineFieldModel AllEnabled(std::int16_t flag = 1) {
    MachineFieldModel f;
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        f.Code(slot) = std::string(SlotName(slot));
        f.Flag(slot) = flag;
    }
    f.HlfLimX = "1000";
    f.HlfLimY = "1000";
    return f;
}

// The order in which slots are taken: each result is disabled before the next selection.
Names TrialOrder(MachineFieldModel fields, int mode, bool swapOrder, float x, float y) {
    Names order;
    for (int i = 0; i < 10; ++i) {
        ScanRecord record;
        record.SwapOrder = swapOrder;
        const std::string chosen = SelectField(mode, x, y, record, LabelState{}, fields);
        order.push_back(chosen);
        if (chosen == "SFN" || chosen == "SFM") {
            break;
        }
        fields.Flag(*SlotFromName(chosen)) = 0;
    }
    return order;
}

TEST(SelectField, CandidateOrderPerGroupAndHalf) {
    const float big = 200; // scale 1: the limit of 1000 takes any piece below it
    const struct {
        const char* what;
        int mode;
        bool swap;
        float x, y;
        Names order;
    } cases[] = {
        {"normal",
         0,
         false,
         big,
         10,
         {"FFS", "BFS", "SFS", "FFT", "BFT", "SFT", "FFN", "BFN", "SFN"}},
        {"normal swapped",
         0,
         true,
         big,
         10,
         {"FFT", "BFT", "SFT", "FFS", "BFS", "FFN", "BFN", "SFS", "SFN"}},
        {"mirror",
         1,
         false,
         big,
         10,
         {"FFA", "BFA", "SFA", "FFR", "BFR", "SFR", "FFM", "BFM", "SFM"}},
        {"mirror swapped",
         1,
         true,
         big,
         10,
         {"FFR", "BFR", "SFR", "FFA", "BFA", "SFA", "FFM", "BFM", "SFM"}},
        // Too long for a half in X: only the fields that need a short Y remain.
        {"normal, x too big", 0, false, 1000, 10, {"FFN", "BFN", "SFN"}},
        {"mirror swapped, x too big", 1, true, 1000, 10, {"FFM", "BFM", "SFM"}},
        // Too wide in Y: only the side fields.
        {"normal, y too big", 0, false, big, 1000, {"SFS", "SFT", "SFN"}},
        {"normal swapped, y too big", 0, true, big, 1000, {"SFT", "SFS", "SFN"}},
        {"mirror, y too big", 1, false, big, 1000, {"SFA", "SFR", "SFM"}},
        {"mirror swapped, y too big", 1, true, big, 1000, {"SFR", "SFA", "SFM"}},
        {"too big for any half", 0, false, 1000, 1000, {"SFN"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrialOrder(AllEnabled(), c.mode, c.swap, c.x, c.y), c.order) << c.what;
    }
}

TEST(SelectField, OnlyCheckedBoxesCount) {
    for (const std::int16_t flag : {0, 2, -1, 3}) {
        const MachineFieldModel fields = AllEnabled(flag);
        ScanRecord normal;
        EXPECT_EQ(SelectField(0, 10, 10, normal, LabelState{}, fields), "SFN") << flag;
        ScanRecord mirror;
        EXPECT_EQ(SelectField(1, 10, 10, mirror, LabelState{}, fields), "SFM") << flag;
    }
}

TEST(SelectField, FallbackIsTheTextAsTyped) {
    MachineFieldModel fields = AllEnabled(0);
    fields.Code(FieldSlot::SFN) = "n1";
    fields.Code(FieldSlot::SFM) = "";
    ScanRecord record;
    EXPECT_EQ(SelectField(0, 10, 10, record, LabelState{}, fields), "n1");
    EXPECT_EQ(SelectField(1, 10, 10, record, LabelState{}, fields), "");
}

// With limits of 1000 mm the inch scale makes them 39.37: pieces of 100 by 50 then fit
// no half at all, while at scale 1 they fit every half.
TEST(SelectField, ScaleBoundary) {
    const struct {
        float x, y;
        const char* chosen;
    } cases[] = {
        {100, 50, "SFN"}, {139.99f, 59.99f, "SFN"}, {140, 50, "FFS"}, {100, 60, "FFS"},
        {150, 10, "FFS"}, {30, 20, "FFS"},          {30, 50, "SFS"},  {50, 20, "FFN"},
    };
    for (const auto& c : cases) {
        ScanRecord record;
        EXPECT_EQ(SelectField(0, c.x, c.y, record, LabelState{}, AllEnabled()), c.chosen)
            << c.x << " x " << c.y;
    }
}

TEST(SelectField, LimitIsScaledInSinglePrecisionAndComparedStrictly) {
    MachineFieldModel fields = AllEnabled();
    fields.HlfLimX = "1000";
    fields.HlfLimY = "60 mm"; // leading number
    const float limit = static_cast<float>(0.03937f * 1000.0f);
    const struct {
        float x, y;
        const char* chosen;
    } cases[] = {
        // Equal to the rounded limit is not smaller; the unrounded product would be larger.
        {limit, 1, "FFN"},       {std::nextafter(limit, 0.0f), 1, "FFS"},
        {1500, 59.99f, "FFN"},   // scale 1 from X: only Y is below its limit
        {99.99f, 60, "SFS"},     // scale 1 from Y: a Y of 60 is not below a limit of 60
        {99.99f, 59.99f, "SFN"}, // inch scale again: nothing fits
    };
    for (const auto& c : cases) {
        ScanRecord record;
        EXPECT_EQ(SelectField(0, c.x, c.y, record, LabelState{}, fields), c.chosen)
            << c.x << " x " << c.y;
    }
}

TEST(SelectField, ConsecutiveSelectionsAlternate) {
    const MachineFieldModel fields = AllEnabled();
    const struct {
        int mode;
        Names results;
    } cases[] = {
        // Mode 8 from start-up: normal group first, then mirror, each flipping the half.
        {8, {"FFS", "FFR", "FFS", "FFR"}},
        {0, {"FFS", "FFT", "FFS", "FFT"}},
        {1, {"FFA", "FFR", "FFA", "FFR"}},
    };
    for (const auto& c : cases) {
        ScanRecord record;
        Names results;
        for (std::size_t i = 0; i < c.results.size(); ++i) {
            results.push_back(SelectField(c.mode, 10, 10, record, LabelState{}, fields));
        }
        EXPECT_EQ(results, c.results) << c.mode;
    }
}

TEST(SelectField, PrimingFromTheFieldCode) {
    const struct {
        const char* code;
        bool swap, nextMirror; // from a start of false/false
        bool changed;
    } cases[] = {
        {"S", false, false, true},  {"N1/", false, false, true}, {"A/0", false, true, true},
        {"T", true, false, true},   {"R1", true, true, true},    {"M/", true, true, true},
        {"", false, false, false},  {"&", false, false, false},  {"P", false, false, false},
        {"W", false, false, false}, {"s", false, false, false},
    };
    const MachineFieldModel fields = AllEnabled();
    for (const auto& c : cases) {
        for (const int mode : {6, 7}) {
            LabelState state;
            state.FieldCode = c.code;
            for (const bool start : {false, true}) {
                ScanRecord record;
                record.SwapOrder = start;
                record.NextMirror = start;
                EXPECT_EQ(SelectField(mode, 10, 10, record, state, fields), "");
                EXPECT_EQ(record.SwapOrder, c.changed ? c.swap : start) << c.code << mode;
                EXPECT_EQ(record.NextMirror, c.changed ? c.nextMirror : start) << c.code << mode;
                EXPECT_EQ(record.ResumeFromCode, mode == 6) << c.code << mode;
            }
        }
    }
}

TEST(SelectField, ModeSixMakesTheNextSelectionUseTheCodesGroup) {
    const MachineFieldModel fields = AllEnabled();
    LabelState state;
    state.FieldCode = "R";
    ScanRecord record;
    SelectField(6, 0, 0, record, state, fields);
    // Mode 0 would choose the normal group; the primed code sends it to the mirror group.
    EXPECT_EQ(SelectField(0, 10, 10, record, state, fields), "FFR");
    EXPECT_FALSE(record.ResumeFromCode);
    EXPECT_EQ(SelectField(0, 10, 10, record, state, fields), "FFS");

    state.FieldCode = "T";
    SelectField(7, 0, 0, record, state, fields);
    EXPECT_FALSE(record.ResumeFromCode);
    EXPECT_EQ(SelectField(1, 10, 10, record, state, fields), "FFR");
}

TEST(ExplainFieldChoice, NamesTheLimitsTheGroupAndEachFieldTried) {
    struct Case {
        int mode;
        bool swapped;
        float x, y;
        Names enabled;
        const char* line;
    };
    // clang-format off
    const Case cases[] = {
        {kSelectNormal, false, 1200, 600, {"FFS", "SFS", "FFN"},
         "1200 x 600 against half limits 1000 x 1000: x beyond, y within; normal group, tried "
         "FFS too big, BFS off, SFS too big, FFT off, BFT off, SFT off, FFN fits"},
        {kSelectMirror, true, 1200, 1200, {"FFR"},
         "1200 x 1200 against half limits 1000 x 1000: x beyond, y beyond; mirror group swapped, "
         "tried FFR too big, BFR off, SFR off, FFA off, BFA off, SFA off, FFM off, BFM off, "
         "none fits, side field SFM taken"},
        {kSelectNormal, false, 50, 20, {"FFS"},
         "50 x 20 against half limits 1000 x 1000 (small piece: inches): x beyond, y within; "
         "normal group, tried FFS too big, BFS off, SFS off, FFT off, BFT off, SFT off, FFN off, "
         "BFN off, none fits, side field SFN taken"},
    };
    // clang-format on
    for (const Case& c : cases) {
        MachineFieldModel fields = AllEnabled(0);
        for (const std::string& name : c.enabled) {
            fields.Flag(*SlotFromName(name)) = 1;
        }
        ScanRecord record;
        record.SwapOrder = c.swapped;
        EXPECT_EQ(ExplainFieldChoice(c.mode, c.x, c.y, record, fields), c.line);
    }
}

} // namespace
} // namespace quillet
