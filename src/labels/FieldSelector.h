#pragma once

#include <string>

#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "fields/MachineFieldModel.h"

namespace quillet {

// Modes of SelectField.
inline constexpr int kSelectNormal = 0;      // choose in the normal group (S, T, N)
inline constexpr int kSelectMirror = 1;      // choose in the mirror group (A, R, M)
inline constexpr int kPrimeAndResume = 6;    // prime from FieldCode; next choice uses its group
inline constexpr int kPrimeFromCode = 7;     // prime from FieldCode
inline constexpr int kSelectAlternating = 8; // choose in the group NextMirror names

// Priming modes (6, 7) set the selection state from the first letter of FieldCode and return
// an empty text. Every other mode chooses a machine field for a piece of x by y from the
// enabled fields of the machine-field dialog and returns its code text; the choice then
// flips the half of the group tried first and names the other group for mode 8.
std::string SelectField(int mode, float x, float y, ScanRecord& record, const LabelState& state,
                        const MachineFieldModel& fields);

// Why a choosing mode of SelectField chooses as it does, in one line: the piece against the
// half limits, the group, and each field tried up to the one taken. Asked before
// SelectField, which moves the selection state on.
std::string ExplainFieldChoice(int mode, float x, float y, const ScanRecord& record,
                               const MachineFieldModel& fields);

} // namespace quillet
