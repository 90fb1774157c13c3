#include "fields/ExclusionFlags.h"

#include "base/WindowState.h"
#include "config/Settings.h"
#include "support/FakeIniProfile.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quillet {
namespace {

struct NoticeCase {
    const char* flags;
    bool visible;
    const char* numbers;
};

void PrintTo(const NoticeCase& c, std::ostream* os) {
    *os << '"' << c.flags << '"';
}

class ExclusionNotice : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(ExclusionNotice, VisibilityAndNumbers) {
    const NoticeCase& c = GetParam();
    EXPECT_EQ(ExclusionNoticeVisible(c.flags), c.visible) << c.flags;
    EXPECT_EQ(ExclusionNumbers(c.flags), c.numbers) << c.flags;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExclusionNotice,
    ::testing::Values(NoticeCase{"", false, ""}, NoticeCase{"00000000", false, ""},
                      NoticeCase{"00100100", true, "36"}, NoticeCase{"10000001", true, "18"},
                      NoticeCase{"11111111", true, "12345678"}, NoticeCase{"101", true, "13"},
                      NoticeCase{"000000001", false, ""}, NoticeCase{"000000011", true, "8"},
                      NoticeCase{"abc", false, ""}, NoticeCase{"x1000000", false, "2"},
                      NoticeCase{"2", false, ""}));

TEST(ExclusionFlags, NoticeText) {
    EXPECT_EQ(ExclusionNoticeText("10000001"), " Exclusion Number 18  for insertion.");
}

TEST(ExclusionFlags, TicksFromStoredString) {
    EXPECT_EQ(ExclusionTicksFrom(""), ExclusionTicks{});
    EXPECT_EQ(ExclusionTicksFrom("101"),
              (ExclusionTicks{true, false, true, false, false, false, false, false}));
    EXPECT_EQ(ExclusionTicksFrom("0000000111"),
              (ExclusionTicks{false, false, false, false, false, false, false, true}));
    EXPECT_EQ(ExclusionTicksFrom("2a1"),
              (ExclusionTicks{false, false, true, false, false, false, false, false}));
}

TEST(ExclusionFlags, FlagStringFromTicks) {
    EXPECT_EQ(ExclusionFlagsFrom(ExclusionTicks{}), "00000000");
    EXPECT_EQ(ExclusionFlagsFrom({true, false, true, false, false, false, false, false}),
              "10100000");
    ExclusionTicks all{};
    all.fill(true);
    EXPECT_EQ(ExclusionFlagsFrom(all), "11111111");
}

TEST(ExclusionFlags, ApplyStoresValueAndShowsNotice) {
    testing::FakeIniProfile ini;
    Settings settings;
    WindowState window;
    ApplyExclusionFlags("10100000", ini, settings, window);
    EXPECT_EQ(ini.Get(kSection, "Exclusion"), "10100000");
    EXPECT_EQ(settings.ExclusionFlags, "10100000");
    EXPECT_TRUE(window.ExclusionNoticeVisible());
    EXPECT_EQ(window.ExclusionNotice(), " Exclusion Number 13  for insertion.");

    ApplyExclusionFlags("00000000", ini, settings, window);
    EXPECT_EQ(ini.Get(kSection, "Exclusion"), "00000000");
    EXPECT_EQ(settings.ExclusionFlags, "00000000");
    EXPECT_FALSE(window.ExclusionNoticeVisible());
    ASSERT_EQ(ini.writes.size(), 2U);
}

} // namespace
} // namespace quillet
