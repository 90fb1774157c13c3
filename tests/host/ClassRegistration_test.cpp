#include "host/ClassRegistration.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillet {
namespace {

TEST(OtherBitnessText, OnlyWhenTheOtherBitnessAloneHasAnInProcessServer) {
    const std::optional<std::string> use32 =
        "Tormial's automation objects are installed for 32-bit programs: use the 32-bit Quillet";
    const std::optional<std::string> use64 =
        "Tormial's automation objects are installed for 64-bit programs: use the 64-bit Quillet";
    const std::optional<std::string> neither;
    const ServerKeys none;
    const ServerKeys inProcess{true, false};
    const ServerKeys local{false, true};
    const struct {
        ServerKeys view32;
        ServerKeys view64;
        ProgramBits own;
        const std::optional<std::string>& text;
    } cases[] = {
        {inProcess, none, ProgramBits::Bits64, use32},
        {none, inProcess, ProgramBits::Bits32, use64},
        {none, none, ProgramBits::Bits64, neither},
        {none, none, ProgramBits::Bits32, neither},
        // Registered for both, or a local server of either kind: not a question of bitness.
        {inProcess, inProcess, ProgramBits::Bits64, neither},
        {inProcess, inProcess, ProgramBits::Bits32, neither},
        {inProcess, local, ProgramBits::Bits64, neither},
        {local, inProcess, ProgramBits::Bits32, neither},
        {ServerKeys{true, true}, none, ProgramBits::Bits64, neither},
        // Its own kind only.
        {none, inProcess, ProgramBits::Bits64, neither},
        {inProcess, none, ProgramBits::Bits32, neither},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OtherBitnessText(ClassRegistration{c.view32, c.view64}, c.own), c.text)
            << "32-bit view " << c.view32.inProcess << c.view32.local << ", 64-bit view "
            << c.view64.inProcess << c.view64.local << ", own "
            << (c.own == ProgramBits::Bits32 ? 32 : 64);
    }
}

} // namespace
} // namespace quillet
