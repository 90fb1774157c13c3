#include "host/HostActivation.h"

#include <cstdint>

namespace quillet {

namespace {

constexpr const char* kOtherRightsText =
    "The host runs with other rights than Quillet: start both the same way";
constexpr long kAccessDenied = static_cast<long>(0x80070005); // E_ACCESSDENIED

// The registered server is gone: a fresh activation starts it anew.
bool StaleRegistration(long number) {
    switch (static_cast<std::uint32_t>(number)) {
    case 0x800706BA: // RPC_S_SERVER_UNAVAILABLE
    case 0x80080008: // CO_E_SERVER_STOPPING
    case 0x80010108: // RPC_E_DISCONNECTED
        return true;
    default:
        return false;
    }
}

} // namespace

ActivationResult ActivateHost(HostProcess process, const std::function<long()>& activate) {
    ActivationResult result;
    if (process == HostProcess::OtherRights) {
        result.number = kAccessDenied;
        result.failure = HostFailure{kAccessDenied, kOtherRightsText, HostFailureKind::Refused};
        return result;
    }
    result.number = activate();
    result.activations = 1;
    if (StaleRegistration(result.number)) {
        result.number = activate();
        result.activations = 2;
    }
    return result;
}

} // namespace quillet
