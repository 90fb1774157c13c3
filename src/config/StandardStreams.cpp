#include "config/StandardStreams.h"

namespace quillet {

// POSIX streams never translate.
void UseBinaryStandardStreams() {}

} // namespace quillet
