#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The 19 machine-field slots in their fixed order (the order of reading and writing).
enum class FieldSlot : int {
    SFN,
    SFM,
    SFS,
    SFA,
    SFT,
    SFR,
    BFN,
    BFM,
    FFN,
    FFM,
    BFS,
    BFA,
    BFT,
    BFR,
    FFS,
    FFA,
    FFT,
    FFR,
    DFN,
};
inline constexpr int kFieldSlotCount = 19;

// The slot's code as the INI keys spell it ("SFN" ...).
std::string_view SlotName(FieldSlot slot);
// SFN, SFM and DFN have no check box: always enabled.
bool SlotHasEnableFlag(FieldSlot slot);
std::optional<FieldSlot> SlotFromName(std::string_view name);

enum class AutoSelTarget : int { ProgramName = 1, Comment = 2, Barcode = 3 };

// One stored trigger setting, per target and variant.
struct AutoSelSlot {
    std::int16_t AlignLeft = 0; // -1: position counts from the left; 0: from the right
    std::int16_t Position = 0;  // 1-based
    std::string TriggerText;
};

// The stored settings of automatic field selection.
struct AutoSelState {
    AutoSelSlot PNameMirror, PNameNandM, CommentMirror, CommentNandM;
    std::int16_t PNameMSel = 0; // 1: a match produces "Mirror"; 0: "Norm and Mirror"
    std::int16_t CommentMSel = 0;
};

// The live values of every control of the machine-field dialog. The dialog binds its
// widgets to this object and the label interpreter reads it at the moment it needs a
// value, so an edit takes effect at once. Plain data: the editing rules live in the
// operations of the auto-selection editor and the store.
struct MachineFieldModel {
    // Field tab: code text of each slot (as typed) and the check box of each slot
    // (0 clear, 1 checked, 2 grey; only 1 counts as enabled).
    std::array<std::string, kFieldSlotCount> codes;
    std::array<std::int16_t, kFieldSlotCount> flags{};
    std::string HlfLimX;
    std::string HlfLimY;

    std::string& Code(FieldSlot s) { return codes[static_cast<std::size_t>(s)]; }
    const std::string& Code(FieldSlot s) const { return codes[static_cast<std::size_t>(s)]; }
    std::int16_t& Flag(FieldSlot s) { return flags[static_cast<std::size_t>(s)]; }
    std::int16_t Flag(FieldSlot s) const { return flags[static_cast<std::size_t>(s)]; }

    // Auto-selection tab: the choices.
    AutoSelTarget target = AutoSelTarget::Barcode; // MPName / MCmt / MBC
    bool mirrorSelected = true;                    // MSel ("Mirror"); false: NMSel
    bool MPName() const { return target == AutoSelTarget::ProgramName; }
    bool MCmt() const { return target == AutoSelTarget::Comment; }
    bool MBC() const { return target == AutoSelTarget::Barcode; }
    bool MSel() const { return mirrorSelected; }
    bool NMSel() const { return !mirrorSelected; }

    // The trigger group.
    std::string MSpec;      // trigger characters
    int PosScrollValue = 1; // PosScroll.Value
    int PosScrollMin = 1;   // PosScroll.Min
    int PosScrollMax = 25;  // PosScroll.Max
    bool OptAlnL = true;    // counting from the left; false: OptAlnR
    std::string LabDispStr = "????????????????????????";
    std::string PosDispLeft;  // caption
    std::string PosDispRight; // caption
    bool PosDispLeftVisible = true;
    bool PosDispRightVisible = true;
    bool triggerGroupEnabled = false; // FrameTSet and the seven controls in it

    // The stored trigger settings behind the controls.
    AutoSelState autoSel;
};

} // namespace quillet
