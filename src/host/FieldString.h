#pragma once

#include "base/LabelState.h"
#include "host/CodeTable.h"

#include <string>

namespace quillet {

// The text of one execution-list entry: "#<host field>=<value>;" for the fields 161, 164,
// 171, 284, 280, 165, 168, 169, 170, 282 and 283, in that order. A dimension that reads
// as 0 is emptied in `label` as well, so the entry and the label agree afterwards.
std::string BuildFieldString(LabelState& label, const CodeTable& codes);

} // namespace quillet
