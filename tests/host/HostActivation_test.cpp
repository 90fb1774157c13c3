#include "host/HostActivation.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace quillet {
namespace {

// The answers of successive activations as the system numbers them.
constexpr long kOk = 0;
constexpr long kServerUnavailable = static_cast<long>(0x800706BA);
constexpr long kServerStopping = static_cast<long>(0x80080008);
constexpr long kExecFailure = static_cast<long>(0x80080005);
constexpr long kNotRegistered = static_cast<long>(0x80040154);
constexpr long kAccessDenied = static_cast<long>(0x80070005);

TEST(ActivateHost, NoSecondHostBesideOneWithOtherRightsAndAStaleRegistrationTriedOnce) {
    const struct {
        HostProcess process;
        std::vector<long> answers;
        int activations;
        long number;
        bool refusedHere;
    } cases[] = {
        {HostProcess::NotRunning, {kOk}, 1, kOk, false},
        {HostProcess::SameRights, {kOk}, 1, kOk, false},
        // Started or reached by COM as it stands: one activation, its failure as it came.
        {HostProcess::NotRunning, {kNotRegistered}, 1, kNotRegistered, false},
        {HostProcess::SameRights, {kAccessDenied}, 1, kAccessDenied, false},
        // Left behind by a host that ended: once more, and what that says is reported.
        {HostProcess::NotRunning, {kServerUnavailable, kOk}, 2, kOk, false},
        {HostProcess::NotRunning,
         {kServerUnavailable, kServerUnavailable},
         2,
         kServerUnavailable,
         false},
        {HostProcess::SameRights, {kServerStopping, kExecFailure}, 2, kExecFailure, false},
        // COM would start a second host that this program can reach: none is asked for.
        {HostProcess::OtherRights, {kOk}, 0, kAccessDenied, true},
    };
    for (const auto& c : cases) {
        std::size_t made = 0;
        const ActivationResult result = ActivateHost(
            c.process, [&] { return made < c.answers.size() ? c.answers[made++] : kOk; });
        const auto row = ::testing::Message()
                         << "process " << static_cast<int>(c.process) << ", first answer 0x"
                         << std::hex << c.answers.front();
        EXPECT_EQ(result.activations, c.activations) << row;
        EXPECT_EQ(static_cast<int>(made), c.activations) << row;
        EXPECT_EQ(result.number, c.number) << row;
        ASSERT_EQ(result.failure.has_value(), c.refusedHere) << row;
        if (result.failure) {
            EXPECT_EQ(result.failure->description,
                      "The host runs with other rights than Quillet: start both the same way");
            EXPECT_EQ(result.failure->kind, HostFailureKind::Refused);
        }
    }
}

} // namespace
} // namespace quillet
