#pragma once

#include "base/LabelState.h"

namespace quillet {

// Puts the program's name, field code, dimensions and host values back to their defaults
// for the next label. The variables A to I, the explicit-code flag and the selection state
// carry over on purpose.
void ResetLabelState(LabelState& state);

} // namespace quillet
