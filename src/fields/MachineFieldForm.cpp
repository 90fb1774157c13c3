#include "fields/MachineFieldForm.h"

#include "fields/FieldDialogText.h"

namespace quillet::field_form {

namespace {

using S = FieldSlot;

// The numbers and names wide apart above the pairs.
constexpr PlanCell kStandardUpper[] = {{0, 0, S::SFN, S::SFM}};
constexpr PlanCell kStandardLower[] = {{0, 0, S::SFS, S::SFA}, {0, 1, S::SFT, S::SFR}};
constexpr PlanCell kFrontBackUpper[] = {{0, 0, S::BFN, S::BFM}, {1, 0, S::FFN, S::FFM}};
// Back zone above the front zone; S/A cells on the left, T/R on the right.
constexpr PlanCell kFrontBackLower[] = {
    {0, 0, S::BFS, S::BFA}, {0, 1, S::BFT, S::BFR}, {1, 0, S::FFS, S::FFA}, {1, 1, S::FFT, S::FFR}};

constexpr Plan kStandardPlans[] = {{1, 1, kStandardUpper}, {1, 2, kStandardLower}};
constexpr Plan kFrontBackPlans[] = {{2, 1, kFrontBackUpper}, {2, 2, kFrontBackLower}};
// The half limits measure its upper left cell.
constexpr Plan kLimitsPlans[] = {{2, 2, {}}};

constexpr TabForm kTabs[kTabCount] = {
    {field_text::kTabCaptions[kAutoFieldSelect], {}},
    {field_text::kTabCaptions[kStandardFields], kStandardPlans},
    {field_text::kTabCaptions[kFrontAndBack], kFrontBackPlans},
    {field_text::kTabCaptions[kFieldLimits], kLimitsPlans},
};

} // namespace

const TabForm& TabAt(int tab) {
    return kTabs[static_cast<std::size_t>(tab)];
}

Tab TabOf(FieldSlot slot) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        for (const Plan& plan : TabAt(tab).plans) {
            for (const PlanCell& cell : plan.cells) {
                if (cell.left == slot || cell.right == slot) {
                    return static_cast<Tab>(tab);
                }
            }
        }
    }
    return kAutoFieldSelect;
}

std::vector<FieldSlot> ChecksOn(int tab) {
    std::vector<FieldSlot> checks;
    for (const Plan& plan : TabAt(tab).plans) {
        for (const PlanCell& cell : plan.cells) {
            for (const FieldSlot slot : {cell.left, cell.right}) {
                if (SlotHasEnableFlag(slot)) {
                    checks.push_back(slot);
                }
            }
        }
    }
    return checks;
}

bool SetAllVisible(int tab) {
    return !ChecksOn(tab).empty();
}

void SetAll(MachineFieldModel& model, int tab, bool on) {
    for (const FieldSlot slot : ChecksOn(tab)) {
        model.Flag(slot) = on ? 1 : 0;
    }
}

} // namespace quillet::field_form
