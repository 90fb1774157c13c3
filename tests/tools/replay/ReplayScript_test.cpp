#include "replay/ReplayScript.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Kind = ReplayCommand::Kind;

TEST(ReplayScript, ParsesEveryCommand) {
    const ReplayScript script = ParseReplayScript("# a comment\r\n"
                                                  "\n"
                                                  "scan %1 2 P1 P%\r\n"
                                                  "burst  lead\\x21\\r\n"
                                                  "tick\n"
                                                  "tick 7\n"
                                                  "   \t\n"
                                                  "type abc\n"
                                                  "set AClear 0\n"
                                                  "set ShowEd 1\n"
                                                  "scan\n"
                                                  "scan \\xf1\\\\");
    ASSERT_TRUE(script.ok()) << script.error;
    struct Expected {
        Kind kind;
        int line;
        std::string text;
        long count;
    };
    const std::vector<Expected> expected = {
        {Kind::Scan, 3, "%1 2 P1 P%", 1}, {Kind::Burst, 4, " lead!\r", 1},
        {Kind::Tick, 5, "", 1},           {Kind::Tick, 6, "", 7},
        {Kind::Type, 8, "abc", 1},        {Kind::Set, 9, "AClear", 0},
        {Kind::Set, 10, "ShowEd", 1},     {Kind::Scan, 11, "", 1},
        {Kind::Scan, 12, "\xf1\\", 1},
    };
    ASSERT_EQ(script.commands.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ReplayCommand& c = script.commands[i];
        EXPECT_EQ(c.kind, expected[i].kind) << i;
        EXPECT_EQ(c.line, expected[i].line) << i;
        EXPECT_EQ(c.text, expected[i].text) << i;
        EXPECT_EQ(c.count, expected[i].count) << i;
    }
}

TEST(ReplayScript, BadLinesAreNamed) {
    struct Case {
        std::string script;
        int line;
        std::string errorStart;
    };
    const Case cases[] = {
        {"scan ok\nscn x\n", 2, "line 2: unknown command \"scn\""},
        {"Scan x", 1, "line 1: unknown command"},
        {"tick -1", 1, "line 1: tick takes"},
        {"tick 2x", 1, "line 1: tick takes"},
        {"tick 1000001", 1, "line 1: tick takes"},
        {"tick ", 1, "line 1: tick takes"},
        {"\n\nscan \\x4", 3, "line 3: malformed escape"},
        {"set AClear", 1, "line 1: set takes"},
        {"set AClear 2", 1, "line 1: set takes"},
        {"set Bogus 1", 1, "line 1: set takes"},
        {"set AClear 1 extra", 1, "line 1: set takes"},
        {" scan x", 1, "line 1: unknown command"},
    };
    for (const Case& c : cases) {
        const ReplayScript script = ParseReplayScript(c.script);
        EXPECT_FALSE(script.ok()) << c.script;
        EXPECT_EQ(script.errorLine, c.line) << c.script;
        EXPECT_TRUE(script.error.starts_with(c.errorStart)) << script.error;
    }
}

} // namespace
} // namespace quillet
