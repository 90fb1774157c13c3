#pragma once

#include "host/ClassRegistration.h"

#include <guiddef.h>

#include <string>

namespace quillet {

constexpr ProgramBits kThisProgramBits =
    sizeof(void*) == 8 ? ProgramBits::Bits64 : ProgramBits::Bits32;

// The server keys of the class `id` in each registry view, as COM sees them (the user's
// classes over the machine's).
ClassRegistration FindClassRegistration(const CLSID& id);

// The file name of the program that the local server registration of the class `id`
// starts ("Tormial.exe"); empty when it has none.
std::wstring LocalServerProgram(const CLSID& id);

} // namespace quillet
