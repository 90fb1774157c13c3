#pragma once

namespace quillet {

// Standard input and output carry bytes as they are: no line-end translation, as a
// Windows C runtime does by default, so a label or a trace is the same on every platform.
void UseBinaryStandardStreams();

} // namespace quillet
