#include "host/SimulatedHost.h"

#include "support/RecordingTrace.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Fields = std::map<int, std::string>;

TEST(ParseFieldString, SplitsItemsAndKeepsSemicolonsInsideValues) {
    struct Case {
        const char* text;
        Fields fields;
    };
    for (const Case& c : {
             Case{"#161=A.CNC;#171=2;#168=;", {{161, "A.CNC"}, {171, "2"}, {168, ""}}},
             Case{"#161=A;B;#164=1;", {{161, "A;B"}, {164, "1"}}},
             Case{"#161=x#1;", {{161, "x#1"}}},
             Case{"#161=no end", {{161, "no end"}}},
             Case{"", {}},
             Case{"garbage", {}},
             Case{"#=1;", {}},
             Case{"#99999999999=1;", {}},
         }) {
        EXPECT_EQ(ParseFieldString(c.text), c.fields) << c.text;
    }
}

TEST(SimulatedHost, EveryListObjectWorksOnTheOneListAndObserverHearsChanges) {
    testing::RecordingTrace trace;
    SimulatedHost host(trace, HostSimulationOptions{});
    int changes = 0;
    host.SetObserver([&] { ++changes; });
    const auto list = host.GetExeList();
    const auto created = host.CreateExeList("Tormial.ExeList");
    ASSERT_TRUE(list && created);
    EXPECT_EQ(host.CreateExeList("Other.List"), nullptr);
    EXPECT_TRUE(list->AddLine("#161=A;"));
    EXPECT_TRUE(created->Clear());
    EXPECT_TRUE(created->AddLine("#161=B;"));
    ASSERT_EQ(host.Entries().size(), 2u);
    EXPECT_EQ(host.Entries()[1].fields.at(161), "B");
    EXPECT_TRUE(list->ClearList());
    EXPECT_TRUE(host.Entries().empty());
    EXPECT_TRUE(host.Start());
    EXPECT_EQ(host.State(), SimulatedHost::RunState::Started);
    EXPECT_EQ(changes, 4);
}

} // namespace
} // namespace quillet
