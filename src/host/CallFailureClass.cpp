#include "host/CallFailureClass.h"

#include <cstdint>

namespace quillet {

namespace {

struct Known {
    std::uint32_t number;
    HostFailureKind kind;
};

// The system's numbers, as 32-bit values, with their names in the system's headers. Only
// those known not to have run, or known to be the host turning a call away, need to be
// here: every other transport failure counts as one that may have run.
constexpr Known kKnown[] = {
    {0x80010108, HostFailureKind::Gone},       // RPC_E_DISCONNECTED
    {0x800401FD, HostFailureKind::Gone},       // CO_E_OBJNOTCONNECTED
    {0x80010012, HostFailureKind::Gone},       // RPC_E_SERVER_DIED_DNE
    {0x80080008, HostFailureKind::Gone},       // CO_E_SERVER_STOPPING
    {0x800706BA, HostFailureKind::Gone},       // RPC_S_SERVER_UNAVAILABLE
    {0x800706BF, HostFailureKind::Gone},       // RPC_S_CALL_FAILED_DNE
    {0x800706B5, HostFailureKind::Gone},       // RPC_S_UNKNOWN_IF: its server has ended
    {0x80010001, HostFailureKind::Busy},       // RPC_E_CALL_REJECTED
    {0x8001010A, HostFailureKind::Busy},       // RPC_E_SERVERCALL_RETRYLATER
    {0x800706BB, HostFailureKind::Busy},       // RPC_S_SERVER_TOO_BUSY
    {0x80020009, HostFailureKind::Refused},    // DISP_E_EXCEPTION
    {0x80010007, HostFailureKind::MayHaveRun}, // RPC_E_SERVER_DIED
    {0x80010006, HostFailureKind::MayHaveRun}, // RPC_E_CONNECTION_TERMINATED
    {0x80010002, HostFailureKind::MayHaveRun}, // RPC_E_CALL_CANCELED
    {0x8007071A, HostFailureKind::MayHaveRun}, // RPC_S_CALL_CANCELLED
    {0x800706BE, HostFailureKind::MayHaveRun}, // RPC_S_CALL_FAILED
};

constexpr std::uint32_t kFacilityRpc = 1;
constexpr std::uint32_t kFacilityWin32 = 7;
// The Win32 errors of the RPC run time.
constexpr std::uint32_t kFirstRpcError = 1700;
constexpr std::uint32_t kLastRpcError = 1999;

bool IsTransportFailure(std::uint32_t value) {
    const std::uint32_t facility = (value >> 16) & 0x1FFF;
    const std::uint32_t code = value & 0xFFFF;
    const bool failure = (value & 0x80000000U) != 0;
    return failure &&
           (facility == kFacilityRpc ||
            (facility == kFacilityWin32 && code >= kFirstRpcError && code <= kLastRpcError));
}

} // namespace

HostFailureKind ClassifyCallFailure(long number) {
    const auto value = static_cast<std::uint32_t>(number);
    for (const Known& known : kKnown) {
        if (known.number == value) {
            return known.kind;
        }
    }
    // A transport failure nobody listed may have reached the host: never made again.
    return IsTransportFailure(value) ? HostFailureKind::MayHaveRun : HostFailureKind::Refused;
}

} // namespace quillet
