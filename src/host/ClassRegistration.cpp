#include "host/ClassRegistration.h"

namespace quillet {

std::optional<std::string> OtherBitnessText(const ClassRegistration& registration,
                                            ProgramBits own) {
    const bool ownInProcess =
        own == ProgramBits::Bits32 ? registration.view32.inProcess : registration.view64.inProcess;
    const bool otherInProcess =
        own == ProgramBits::Bits32 ? registration.view64.inProcess : registration.view32.inProcess;
    const bool localServer = registration.view32.local || registration.view64.local;
    if (!otherInProcess || ownInProcess || localServer) {
        return std::nullopt;
    }
    if (own == ProgramBits::Bits64) {
        return "Tormial's automation objects are installed for 32-bit programs: use the 32-bit "
               "Quillet";
    }
    return "Tormial's automation objects are installed for 64-bit programs: use the 64-bit Quillet";
}

} // namespace quillet
