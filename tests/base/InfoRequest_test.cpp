#include "base/InfoRequest.h"

#include "base/Version.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(FindInfoRequest, FirstRequestBeforeTheEndOfOptionsWins) {
    struct Case {
        std::vector<std::string> args;
        InfoRequest expected;
    };
    const Case cases[] = {
        {{}, InfoRequest::None},
        {{"script.txt"}, InfoRequest::None},
        {{"--help"}, InfoRequest::Help},
        {{"-h"}, InfoRequest::Help},
        {{"--version"}, InfoRequest::Version},
        {{"--trace", "-", "--version", "script.txt"}, InfoRequest::Version},
        {{"--version", "--help"}, InfoRequest::Version},
        {{"--help", "--version"}, InfoRequest::Help},
        {{"--", "--help"}, InfoRequest::None},
        {{"-", "--", "--version"}, InfoRequest::None},
        {{"--helpful", "--version=1", "-help", "help"}, InfoRequest::None},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args) {
            joined += arg + " ";
        }
        EXPECT_EQ(FindInfoRequest(c.args), c.expected) << joined;
    }
}

TEST(InfoText, VersionIsOneLineWithTheProgramsName) {
    EXPECT_EQ(InfoText(InfoRequest::Version, "quillet-pack", "usage"),
              std::string("quillet-pack ") + kVersion + "\n");
    EXPECT_EQ(InfoText(InfoRequest::Help, "quillet-pack", "usage: x\n"), "usage: x\n");
    EXPECT_EQ(InfoText(InfoRequest::None, "quillet-pack", "usage: x\n"), "");
}

} // namespace
} // namespace quillet
