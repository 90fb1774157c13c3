#pragma once

#include <string>
#include <string_view>

#include "base/ScanRecord.h"

namespace quillet {

// The next blank-separated value of `s`, or empty when none is left. Each blank ends a
// value, so two blanks in a row give an empty value between them. An empty `s` resets the
// tokenizer; callers reset it after every label, because a new text no longer than the
// position already reached yields nothing until then.
std::string NextToken(ScanRecord& record, std::string_view s);

} // namespace quillet
