#pragma once

#include "fields/MachineFieldModel.h"

namespace quillet::field_layout {

// The check boxes each field tab offers, in the order both desktop programs lay them out.
inline constexpr FieldSlot kStandardChecks[] = {FieldSlot::SFS, FieldSlot::SFA, FieldSlot::SFT,
                                                FieldSlot::SFR};
inline constexpr FieldSlot kFrontBackChecks[] = {
    FieldSlot::BFN, FieldSlot::FFN, FieldSlot::BFM, FieldSlot::FFM, FieldSlot::BFS, FieldSlot::FFS,
    FieldSlot::BFA, FieldSlot::FFA, FieldSlot::BFT, FieldSlot::FFT, FieldSlot::BFR, FieldSlot::FFR};

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

} // namespace quillet::field_layout
