#include "fields/MachineFieldModel.h"

namespace quillet {

namespace {

constexpr std::array<std::string_view, kFieldSlotCount> kSlotNames = {
    "SFN", "SFM", "SFS", "SFA", "SFT", "SFR", "BFN", "BFM", "FFN", "FFM",
    "BFS", "BFA", "BFT", "BFR", "FFS", "FFA", "FFT", "FFR", "DFN",
};

} // namespace

std::string_view SlotName(FieldSlot slot) {
    return kSlotNames[static_cast<std::size_t>(slot)];
}

bool SlotHasEnableFlag(FieldSlot slot) {
    return slot != FieldSlot::SFN && slot != FieldSlot::SFM && slot != FieldSlot::DFN;
}

std::optional<FieldSlot> SlotFromName(std::string_view name) {
    for (std::size_t i = 0; i < kSlotNames.size(); ++i) {
        if (kSlotNames[i] == name) {
            return static_cast<FieldSlot>(i);
        }
    }
    return std::nullopt;
}

} // namespace quillet
