#pragma once

#include "base/LabelState.h"
#include "fields/MachineFieldModel.h"

namespace quillet {

// Looks for the mirror marker of the machine-field dialog in the program name or comment
// (whichever the dialog names), at the position it shows, without regard to letter case;
// a marker starting with "*" matches every text at least as long as the marker. True only
// when it matched and "Norm and Mirror" is chosen: the program is then wanted twice.
// With a name or comment chosen, FieldCode becomes "W" on a match and "P" otherwise.
bool DetectMirror(const MachineFieldModel& fields, LabelState& state);

// What DetectMirror looks at and finds, in a few words for the journal.
std::string ExplainMirror(const MachineFieldModel& fields, const LabelState& state);

} // namespace quillet
