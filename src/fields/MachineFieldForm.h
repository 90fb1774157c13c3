#pragma once

#include "fields/MachineFieldModel.h"

#include <cstdint>
#include <span>
#include <vector>

// The machine field dialog as both desktop programs draw it: its tabs, the plans of the
// machine table on them, which fields and check boxes each tab holds, and the rules of
// its buttons and check boxes. The texts are in FieldDialogText.h.
namespace quillet::field_form {

enum Tab : int { kAutoFieldSelect, kStandardFields, kFrontAndBack, kFieldLimits };
inline constexpr int kTabCount = 4;

// A field and its mirrored counterpart side by side in one cell of a plan, each with its
// check box when the slot has one: box, check, gap, check, box.
struct PlanCell {
    int row;
    int column;
    FieldSlot left;
    FieldSlot right;
};

// A panel of the machine table drawn as a plan: its grid and the fields in its cells.
struct Plan {
    int rows;
    int columns;
    std::span<const PlanCell> cells;
};

struct TabForm {
    const char* caption;
    // Top to bottom.
    std::span<const Plan> plans;
};

const TabForm& TabAt(int tab);
// The tab a field's box sits on: the default field, in no plan, is on the first.
Tab TabOf(FieldSlot slot);
// The check boxes on the tab, in the order they are laid out.
std::vector<FieldSlot> ChecksOn(int tab);

// Set All and Clear All show only where there are check boxes, and reach only those.
bool SetAllVisible(int tab);
void SetAll(MachineFieldModel& model, int tab, bool on);

// Grey (2) is a loaded state only: a click checks it, and from then on toggles between
// clear (0) and checked (1).
constexpr std::int16_t FlagAfterClick(std::int16_t flag) {
    return flag == 1 ? 0 : 1;
}

// The front S, A, T and R codes may be typed longer than the others.
constexpr int TypingLimitOf(FieldSlot slot) {
    switch (slot) {
    case FieldSlot::FFS:
    case FieldSlot::FFA:
    case FieldSlot::FFT:
    case FieldSlot::FFR:
        return 5;
    default:
        return 3;
    }
}

struct Rgb {
    int red;
    int green;
    int blue;
};
// The code boxes, the half limits and the check boxes.
inline constexpr Rgb kFieldGrey{192, 192, 192};
// The trigger preview's fixed-pitch font.
inline constexpr double kPreviewPointSize = 9.75;

} // namespace quillet::field_form
