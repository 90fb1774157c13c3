#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <map>

namespace quillet {
namespace {

TEST(ParseCommonOptions, ReadsEveryOptionInBothForms) {
    const CommonOptions options = ParseCommonOptions(
        {"--program-dir", "/opt/q", "--windows-dir=/etc/q", "--drive", "c=/srv/c", "scan.txt",
         "--drive=D=/mnt/d", "--trace", "-", "--host-withhold-list=3", "--host-connect-timeout",
         "2.5", "--host-fail-addline", "4", "--host-no-device-status", "--other", "x"});
    EXPECT_TRUE(options.error.empty()) << options.error;
    EXPECT_EQ(options.programDir, "/opt/q");
    EXPECT_EQ(options.windowsDir, "/etc/q");
    const std::vector<std::pair<char, std::string>> drives = {{'C', "/srv/c"}, {'D', "/mnt/d"}};
    EXPECT_EQ(options.drives, drives);
    EXPECT_EQ(options.traceFile, "-");
    EXPECT_EQ(options.host.withholdList, 3);
    EXPECT_FALSE(options.host.withholdListForever);
    EXPECT_DOUBLE_EQ(options.host.connectTimeoutSeconds, 2.5);
    EXPECT_EQ(options.host.failAddLine, 4);
    EXPECT_TRUE(options.host.noDeviceStatus);
    EXPECT_EQ(options.rest, (std::vector<std::string>{"scan.txt", "--other", "x"}));
}

TEST(ParseCommonOptions, ForeverAndEndOfOptions) {
    const CommonOptions options =
        ParseCommonOptions({"--host-withhold-list", "forever", "--", "--trace", "x"});
    EXPECT_TRUE(options.error.empty());
    EXPECT_TRUE(options.host.withholdListForever);
    EXPECT_FALSE(options.traceFile.has_value());
    EXPECT_EQ(options.rest, (std::vector<std::string>{"--trace", "x"}));
}

TEST(ParseCommonOptions, BadValuesAreReported) {
    const std::vector<std::vector<std::string>> cases = {
        {"--trace"},
        {"--program-dir="},
        {"--drive", "C"},
        {"--drive", "1=/x"},
        {"--drive", "C="},
        {"--host-withhold-list", "-1"},
        {"--host-withhold-list", "often"},
        {"--host-connect-timeout", "soon"},
        {"--host-connect-timeout", "-2"},
        {"--host-fail-addline", "1.5"},
        {"--host-fail-addline", "99999999999"},
        {"--host-no-device-status=yes"},
    };
    for (const auto& args : cases) {
        const CommonOptions options = ParseCommonOptions(args);
        EXPECT_FALSE(options.error.empty()) << args[0];
        EXPECT_NE(options.error.find(args[0].substr(0, args[0].find('='))), std::string::npos)
            << options.error;
    }
}

TEST(ParseCommonOptions, HostChoiceAndBuildsWithoutCom) {
    struct Case {
        std::vector<std::string> args;
        bool comBuilt;
        HostKind kind;
        bool error;
    };
    const Case cases[] = {
        {{}, false, HostKind::Default, false},
        {{"--host", "simulated"}, false, HostKind::Simulated, false},
        {{"--host=com"}, true, HostKind::Com, false},
        {{"--host", "com"}, false, HostKind::Com, true},
        {{"--host", "real"}, true, HostKind::Default, true},
        {{"--host"}, true, HostKind::Default, true},
    };
    for (const Case& c : cases) {
        const CommonOptions options = ParseCommonOptions(c.args, c.comBuilt);
        EXPECT_EQ(!options.error.empty(), c.error) << options.error;
        if (!c.error) {
            EXPECT_EQ(options.hostKind, c.kind);
        }
    }
    EXPECT_NE(ParseCommonOptions({"--host", "com"}, false).error.find("only the simulated host"),
              std::string::npos);
}

TEST(ResolveLocations, DefaultsAndOverrides) {
    std::map<std::string, std::string> env = {{"HOME", "/home/op"}};
    const auto lookup = [&env](const char* name) -> std::optional<std::string> {
        auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    CommonOptions options;
    SettingsLocations locations = ResolveLocations(options, "/opt/q/bin", lookup);
    EXPECT_EQ(locations.programDir, "/opt/q/bin");
    EXPECT_EQ(locations.windowsDir, "/home/op/.config/quillet");

    env["XDG_CONFIG_HOME"] = "/xdg";
    EXPECT_EQ(ResolveLocations(options, "/b", lookup).windowsDir, "/xdg/quillet");
    env["XDG_CONFIG_HOME"] = "relative";
    EXPECT_EQ(ResolveLocations(options, "/b", lookup).windowsDir, "/home/op/.config/quillet");

    options.programDir = "/p";
    options.windowsDir = "/w";
    locations = ResolveLocations(options, "/b", lookup);
    EXPECT_EQ(locations.programDir, "/p");
    EXPECT_EQ(locations.windowsDir, "/w");
}

TEST(MakePathMap, DrivesUnderWindowsDirectoryUnlessGiven) {
    const CommonOptions options = ParseCommonOptions({"--drive", "c=/srv/c"});
    const PathMap map = MakePathMap(options, {"/p", "/w"}, false);
    EXPECT_EQ(map.ToNative("C:\\Tormial\\Bin\\Temp.Cmp"), "/srv/c/Tormial/Bin/Temp.Cmp");
    EXPECT_EQ(map.ToNative("D:\\x"), "/w/drives/d/x");

    const PathMap native = MakePathMap(options, {"/p", "/w"}, true);
    EXPECT_EQ(native.ToNative("C:\\Tormial\\Bin\\Temp.Cmp"), "/srv/c/Tormial/Bin/Temp.Cmp");
    EXPECT_EQ(native.ToNative("D:\\..\\x"), "D:\\..\\x");
}

} // namespace
} // namespace quillet
