#include "app/ApplyCommSettings.h"

#include "support/FakeIniProfile.h"
#include "support/FakeOperator.h"

#include <gtest/gtest.h>

#include <deque>

namespace quillet {
namespace {

using Attempts = std::vector<std::string>;

class ApplyCommSettingsTest : public ::testing::Test {
protected:
    ApplyCommSettingsTest() {
        ports.open = [this](int port, const std::string& line) {
            attempts.push_back("COM" + std::to_string(port) + ":" + line);
            const bool ok = working == attempts.back();
            return ok ? SerialOpenResult{} : SerialOpenResult{false, 8002, "Invalid port number"};
        };
        ports.askSettings = [this](const Settings&) -> std::optional<SerialSettingsChoice> {
            ++dialogs;
            if (choices.empty()) {
                return std::nullopt;
            }
            const SerialSettingsChoice choice = choices.front();
            choices.pop_front();
            return choice;
        };
    }

    bool Apply() { return ApplyCommSettings(settings, &ini, window, op, ports); }

    Settings settings;
    testing::FakeIniProfile ini;
    WindowState window;
    testing::FakeOperator op;
    CommSettingsPorts ports;
    std::string working = "COM1:9600,N,8,1";
    Attempts attempts;
    std::deque<SerialSettingsChoice> choices;
    int dialogs = 0;
};

TEST_F(ApplyCommSettingsTest, OpenPortShowsItsSettings) {
    settings.CommPortNumber = 1;
    EXPECT_TRUE(Apply());
    EXPECT_EQ(window.PortSettingsCaption(), "COM1:9600,N,8,1");
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(ini.writes.empty());
}

TEST_F(ApplyCommSettingsTest, FailureReportsThenOffersTheDialogWhoseOkSavesAndRetries) {
    settings.CommPortNumber = 3;
    choices.push_back({1, "9600,N,8,1", ""});
    EXPECT_TRUE(Apply());
    EXPECT_EQ(attempts, (Attempts{"COM3:9600,N,8,1", "COM1:9600,N,8,1"}));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.shown[0].title, "Quillet");
    EXPECT_EQ(op.shown[0].text, "Unexpected error # 8002 occured: Invalid port number");
    EXPECT_EQ(ini.writes, (std::vector<std::pair<std::string, std::string>>{
                              {"Settings", "9600,N,8,1"}, {"CommPort", "1"}}));
    EXPECT_EQ(window.PortSettingsCaption(), "COM1:9600,N,8,1");
}

TEST_F(ApplyCommSettingsTest, CancelLeavesThePortClosedAndNothingStored) {
    settings.CommPortNumber = 2;
    window.SetPortSettingsCaption("COM1:9600,N,8,1"); // the port the attempt closed
    EXPECT_FALSE(Apply());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(op.shown.size(), 1u);
    EXPECT_TRUE(ini.writes.empty());
    EXPECT_EQ(window.PortSettingsCaption(), "COM2: lost");
}

// OK on settings that have just failed ends the round: one more message, no dialog.
TEST_F(ApplyCommSettingsTest, UnchangedOkAfterAFailureEndsTheLoop) {
    working.clear();
    settings.CommPortNumber = 2;
    choices = {{2, "9600,N,8,1", ""}, {2, "9600,N,8,1", ""}};
    EXPECT_FALSE(Apply());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(attempts.size(), 2u);
    EXPECT_EQ(op.shown.size(), 2u);
}

TEST_F(ApplyCommSettingsTest, DialogIsOfferedAgainWhileEachChoiceIsNew) {
    working.clear();
    settings.CommPortNumber = 1;
    choices = {{2, "9600,N,8,1", ""}, {3, "9600,N,8,1", ""}, {3, "9600,N,8,1", ""}};
    EXPECT_FALSE(Apply());
    EXPECT_EQ(attempts, (Attempts{"COM1:9600,N,8,1", "COM2:9600,N,8,1", "COM3:9600,N,8,1",
                                  "COM3:9600,N,8,1"}));
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(op.shown.size(), 4u);
}

TEST_F(ApplyCommSettingsTest, WithoutADialogAFailureOnlyReports) {
    ports.askSettings = nullptr;
    settings.CommPortNumber = 4;
    EXPECT_FALSE(Apply());
    EXPECT_EQ(op.shown.size(), 1u);
}

TEST_F(ApplyCommSettingsTest, MenuCancelChangesNothingAndOkStoresThenOpens) {
    ChangeCommSettings(settings, &ini, window, op, ports);
    EXPECT_TRUE(attempts.empty());
    choices.push_back({1, "9600,N,8,1", ""});
    settings.CommPortNumber = 4;
    ChangeCommSettings(settings, &ini, window, op, ports);
    EXPECT_EQ(attempts, (Attempts{"COM1:9600,N,8,1"}));
    EXPECT_EQ(settings.CommPortNumber, 1);
    EXPECT_EQ(ini.Get(kSection, "CommPort"), "1");
}

TEST_F(ApplyCommSettingsTest, MenuWithoutADialogChangesNothing) {
    ports.askSettings = nullptr;
    ChangeCommSettings(settings, &ini, window, op, ports);
    EXPECT_TRUE(attempts.empty());
    EXPECT_TRUE(ini.writes.empty());
}

} // namespace
} // namespace quillet
