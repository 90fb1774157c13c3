#include "host/CallFailureClass.h"

#include <cstdint>

namespace quillet {

namespace {

struct Known {
    std::uint32_t number;
    HostFailureKind kind;
};

// The system's numbers, as 32-bit values.
constexpr Known kKnown[] = {
    {0x80010108, HostFailureKind::Gone},       // object disconnected from its clients
    {0x800401FD, HostFailureKind::Gone},       // object not connected to its server
    {0x80010012, HostFailureKind::Gone},       // server died before the call was made
    {0x800706BA, HostFailureKind::Gone},       // RPC server unavailable
    {0x800706BF, HostFailureKind::Gone},       // RPC call failed and did not execute
    {0x800706B5, HostFailureKind::Gone},       // interface unknown: its server has ended
    {0x80010007, HostFailureKind::MayHaveRun}, // server died during the call
    {0x800706BE, HostFailureKind::MayHaveRun}, // RPC call failed
    {0x80010006, HostFailureKind::MayHaveRun}, // connection terminated
    {0x80010002, HostFailureKind::MayHaveRun}, // call cancelled while waiting
    {0x800706C6, HostFailureKind::MayHaveRun}, // RPC call cancelled
    {0x80010001, HostFailureKind::Busy},       // call rejected by the callee
    {0x8001010A, HostFailureKind::Busy},       // callee busy: retry later
    {0x800706BB, HostFailureKind::Busy},       // RPC server too busy
};

} // namespace

HostFailureKind ClassifyCallFailure(long number) {
    const auto value = static_cast<std::uint32_t>(number);
    for (const Known& known : kKnown) {
        if (known.number == value) {
            return known.kind;
        }
    }
    return HostFailureKind::Refused;
}

} // namespace quillet
