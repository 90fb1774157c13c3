#pragma once

#include "host/ClassRegistration.h"

#include <guiddef.h>

namespace quillet {

constexpr ProgramBits kThisProgramBits =
    sizeof(void*) == 8 ? ProgramBits::Bits64 : ProgramBits::Bits32;

// The server keys of the class `id` in each registry view, as COM sees them (the user's
// classes over the machine's).
ClassRegistration FindClassRegistration(const CLSID& id);

} // namespace quillet
