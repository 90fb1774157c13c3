#include "fields/MachineFieldForm.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quillet::field_form {
namespace {

// Set All and Clear All reach the tab's check boxes and nothing else.
TEST(MachineFieldForm, SetAllReachesTheTabsChecksOnly) {
    const std::pair<Tab, std::string> cases[] = {
        {kAutoFieldSelect, ""},
        {kStandardFields, "SFS SFA SFT SFR "},
        {kFrontAndBack, "BFN BFM FFN FFM BFS BFA BFT BFR FFS FFA FFT FFR "},
        {kFieldLimits, ""},
    };
    for (const auto& [tab, checks] : cases) {
        EXPECT_EQ(SetAllVisible(tab), !checks.empty()) << tab;
        for (const bool on : {true, false}) {
            MachineFieldModel model;
            model.flags.fill(2);
            SetAll(model, tab, on);
            std::string reached;
            for (int i = 0; i < kFieldSlotCount; ++i) {
                if (model.flags[static_cast<std::size_t>(i)] == (on ? 1 : 0)) {
                    reached += std::string(SlotName(static_cast<FieldSlot>(i))) + " ";
                }
            }
            EXPECT_EQ(reached, checks) << tab;
        }
    }
}

TEST(MachineFieldForm, EachFieldSitsOnItsTab) {
    const std::pair<FieldSlot, Tab> cases[] = {{FieldSlot::DFN, kAutoFieldSelect},
                                               {FieldSlot::SFM, kStandardFields},
                                               {FieldSlot::FFR, kFrontAndBack}};
    for (const auto& [slot, tab] : cases) {
        EXPECT_EQ(TabOf(slot), tab) << SlotName(slot);
    }
}

TEST(MachineFieldForm, GreyOnlyUntilTheFirstClick) {
    const std::pair<std::int16_t, std::int16_t> clicks[] = {{2, 1}, {1, 0}, {0, 1}};
    for (const auto& [before, after] : clicks) {
        EXPECT_EQ(FlagAfterClick(before), after) << before;
    }
}

} // namespace
} // namespace quillet::field_form
