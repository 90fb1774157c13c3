#include "config/SettingsLoader.h"

#include "config/IniStore.h"
#include "config/NativeFileSystem.h"
#include "support/FakeFileSystem.h"
#include "support/FakeIniProfile.h"
#include "support/FakeOperator.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using testing::FakeOperator;
using testing::TempFolder;

class SettingsLoaderTest : public ::testing::Test {
protected:
    TempFolder dir;
    NativeFileSystem fs{PathMap(dir / "drives")};
    FakeOperator op;
    Settings settings;
    SettingsLocations locations{dir / "bin", dir / "windows"};

    void SetUp() override {
        dir.MakeFolder("bin");
        dir.MakeFolder("windows");
    }

    bool LoadWith(const std::string& section) {
        dir.Write("bin/ZOR.INI", "[Other]\r\nSettings=wrong\r\n[VORKSTAB]\r\n" + section);
        return LoadSettings(settings, locations, fs, op);
    }
};

TEST_F(SettingsLoaderTest, MissingEverywhereTellsOperator) {
    EXPECT_FALSE(LoadSettings(settings, locations, fs, op));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(op.shown[0].title, "Quillet");
    EXPECT_EQ(op.shown[0].text, "File ZOR.INI Not Found");
    EXPECT_FALSE(settings.ForceCncExtension);
}

TEST_F(SettingsLoaderTest, ProgramFolderCopyWins) {
    dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\nCommPort=2\r\n");
    dir.Write("windows/ZOR.INI", "[VORKSTAB]\r\nCommPort=3\r\n");
    ASSERT_TRUE(LoadSettings(settings, locations, fs, op));
    EXPECT_EQ(settings.IniFile, locations.programDir + "\\ZOR.INI");
    EXPECT_EQ(settings.CommPortNumber, 2);
    EXPECT_TRUE(settings.ForceCncExtension);
}

TEST_F(SettingsLoaderTest, FallsBackToWindowsDirectoryAndFindsCaseVariant) {
    dir.Write("windows/zor.ini", "[vorkstab]\r\nCommPort=3\r\n");
    ASSERT_TRUE(LoadSettings(settings, locations, fs, op));
    EXPECT_EQ(settings.IniFile, locations.windowsDir + "\\ZOR.INI");
    EXPECT_EQ(settings.CommPortNumber, 3);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(SettingsLoaderTest, NoSectionGivesDefaults) {
    ASSERT_TRUE(LoadWith(""));
    EXPECT_EQ(settings.CommSettings, "9600,N,8,1");
    EXPECT_EQ(settings.CommPortNumber, 1);
    EXPECT_EQ(settings.PollIntervalMs, 1000);
    EXPECT_EQ(settings.GCodePath, "C:\\MIRT\\PRODUCT\\");
    EXPECT_EQ(settings.CSVInPath, "C:");
    EXPECT_EQ(settings.CSVOutPath, "C:\\Quillet.csv");
}

TEST_F(SettingsLoaderTest, PathsTrimmedAndCsvPathsLoseOneBackslash) {
    ASSERT_TRUE(LoadWith("GCodePath=\"  D:\\prog\\  \"\r\n"
                         "CSVInPath=D:\\in\\\\\r\n"
                         "CSVOutPath=D:\\out\\\r\n"));
    EXPECT_EQ(settings.GCodePath, "D:\\prog\\");
    EXPECT_EQ(settings.CSVInPath, "D:\\in\\");
    EXPECT_EQ(settings.CSVOutPath, "D:\\out");
}

TEST_F(SettingsLoaderTest, EmptyCsvPathStaysEmptyAndLongValuesAreCut) {
    ASSERT_TRUE(LoadWith("CSVInPath=\r\nCSVOutPath=\\\r\nSettings=" + std::string(300, '9') +
                         "\r\nGCodePath=" + std::string(200, 'g') + "\r\n"));
    EXPECT_EQ(settings.CSVInPath, "");
    EXPECT_EQ(settings.CSVOutPath, "");
    EXPECT_EQ(settings.CommSettings, std::string(127, '9'));
    EXPECT_EQ(settings.GCodePath, std::string(127, 'g'));
}

TEST_F(SettingsLoaderTest, PollTimeAndPortLimits) {
    const struct {
        const char* poll;
        int interval;
        const char* port;
        int portNumber;
        const char* callTimeout; // in Quillet's own section
        int callSeconds;
    } cases[] = {
        {"50", 1000, "0", 0, "0", 60},
        {"99", 1000, "-3", 0, "-5", 60},
        {"100", 100, "4", 4, "1", 1},
        {"250", 250, "x", 0, "x", 60},
        {"65535", 65535, "32767", 32767, "600", 600},
        {"70000", 65535, "99999", 32767, "", 60},
        {"", 1000, "", 1, "", 60},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(LoadWith(std::string("CommPollTime=") + c.poll + "\r\nCommPort=" + c.port +
                             "\r\n[Quillet]\r\nHostCallTimeout=" + c.callTimeout + "\r\n"));
        EXPECT_EQ(settings.PollIntervalMs, c.interval) << c.poll;
        EXPECT_EQ(settings.CommPortNumber, c.portNumber) << c.port;
        EXPECT_EQ(settings.HostCallTimeoutSeconds, c.callSeconds) << c.callTimeout;
    }
}

TEST_F(SettingsLoaderTest, SavedSerialSettingsReadBackUnchanged) {
    ASSERT_TRUE(LoadWith("Settings=9600,N,8,1\r\nCommPort=1\r\n"));
    settings.CommSettings = "19200,E,7,2";
    settings.CommPortNumber = 12;
    IniStore ini(fs.NativePath(settings.IniFile));
    SaveCommSettings(ini, settings);
    EXPECT_EQ(dir.Read("bin/ZOR.INI"),
              "[Other]\r\nSettings=wrong\r\n[VORKSTAB]\r\nSettings=19200,E,7,2\r\nCommPort=12\r\n");
    settings.ScannerPort = "USB\\VID_067B&PID_2303\\1234";
    SaveCommSettings(ini, settings);
    EXPECT_EQ(dir.Read("bin/ZOR.INI"),
              "[Other]\r\nSettings=wrong\r\n[VORKSTAB]\r\nSettings=19200,E,7,2\r\nCommPort=12\r\n"
              "[Quillet]\r\nScannerPort=USB\\VID_067B&PID_2303\\1234\r\n");
    Settings again;
    ASSERT_TRUE(LoadSettings(again, locations, fs, op));
    EXPECT_EQ(again.CommSettings, "19200,E,7,2");
    EXPECT_EQ(again.CommPortNumber, 12);
    EXPECT_EQ(again.ScannerPort, settings.ScannerPort);
}

TEST(SaveCommSettings, WritesSettingsThenPortWithoutBlanks) {
    testing::FakeIniProfile ini;
    Settings settings;
    settings.CommSettings = "4800,O,8,1";
    settings.CommPortNumber = 3;
    SaveCommSettings(ini, settings);
    const std::vector<std::pair<std::string, std::string>> expected = {{"Settings", "4800,O,8,1"},
                                                                       {"CommPort", "3"}};
    EXPECT_EQ(ini.writes, expected);
}

TEST(LoadSettings, FileFoundButUnreadableIsToldAndGivesDefaults) {
    struct Case {
        const char* name;
        std::string content;
        bool readFails;
        const char* fault;
    };
    for (const Case& c :
         {Case{"locked", "[VORKSTAB]\r\nCommPort=4\r\n", true, "fake read failure"},
          Case{"UTF-16", std::string("\xFF\xFE[\0V\0", 6), false, "not single-byte"},
          Case{"NUL inside", std::string("[VORKSTAB]\r\nCommPort=4\0", 23), false,
               "not single-byte"}}) {
        SCOPED_TRACE(c.name);
        testing::FakeFileSystem fs;
        FakeOperator op;
        Settings settings;
        fs.files["/bin\\ZOR.INI"] = c.content;
        if (c.readFails) {
            fs.readErrors["/bin\\ZOR.INI"] = FsError::AccessDenied;
        }
        ASSERT_TRUE(LoadSettings(settings, {"/bin", "/win"}, fs, op));
        EXPECT_EQ(settings.CommPortNumber, 1);
        EXPECT_NE(settings.IniReadFault.find(c.fault), std::string::npos) << settings.IniReadFault;
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(op.shown[0].text.starts_with("The settings file ")) << op.shown[0].text;
    }
}

TEST(LoadSettings, UnexpectedLookupFailureStopsWithoutFurtherMessages) {
    testing::FakeFileSystem fs;
    FakeOperator op;
    Settings settings;
    fs.lookupErrors["/bin\\ZOR.INI"] = FsError::AccessDenied;
    EXPECT_FALSE(LoadSettings(settings, {"/bin", "/win"}, fs, op));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.exitRequests, 1);
}

} // namespace
} // namespace quillet
