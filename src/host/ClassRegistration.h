#pragma once

#include <optional>
#include <string>

namespace quillet {

// The two kinds of Windows programs: a program loads in-process servers of its own kind
// only, while a local server (a program of its own) serves both.
enum class ProgramBits { Bits32, Bits64 };

// The server keys an automation class has in one registry view.
struct ServerKeys {
    bool inProcess = false; // InprocServer32
    bool local = false;     // LocalServer32
};

// Where an automation class is registered: the 32-bit programs' registry view and the
// 64-bit programs' (empty on 32-bit Windows, which has only the one).
struct ClassRegistration {
    ServerKeys view32;
    ServerKeys view64;
};

// When COM finds no server of the host's application class for a program of `own`
// bitness and the class is registered only as an in-process server of the other bitness:
// what the operator reads instead of "not installed", pointing to the other Quillet.
// Nothing when the registration is anything else (something else is wrong then).
std::optional<std::string> OtherBitnessText(const ClassRegistration& registration, ProgramBits own);

} // namespace quillet
