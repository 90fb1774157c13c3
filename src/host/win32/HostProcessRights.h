#pragma once

#include "host/HostActivation.h"

#include <string>

namespace quillet {

// How the running processes of `program` (a file name, "Tormial.exe") run compared with
// this one: one of the same user and elevation is enough to reach it.
HostProcess FindHostProcess(const std::wstring& program);

} // namespace quillet
