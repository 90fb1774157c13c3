#include "base/StandardStreams.h"

namespace quillet {

// POSIX streams never translate.
void UseBinaryStandardStreams() {}

} // namespace quillet
