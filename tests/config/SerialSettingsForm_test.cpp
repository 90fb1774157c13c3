#include "config/SerialSettingsForm.h"

#include "config/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

struct LoadCase {
    const char* name;
    std::int16_t port;
    const char* settings;
    std::int16_t selPort;
    std::int32_t selBaud;
    const char* selParity;
    std::int16_t selDataBits;
    std::int16_t selStopBits;
    const char* okText; // what OK writes back without changes
};

SerialPortInfo Port(int number, std::string name = {}, std::string description = {},
                    std::string vendor = {}, std::string product = {}, std::string serial = {},
                    std::string identity = {}) {
    return {number,
            std::move(name),
            std::move(description),
            std::move(vendor),
            std::move(product),
            std::move(serial),
            std::move(identity)};
}

class SerialSettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SerialSettingsLoad, ReadsFieldsAndWritesThemBack) {
    const LoadCase& c = GetParam();
    const SerialSettingsForm form = LoadSerialSettingsForm(c.port, c.settings);
    EXPECT_EQ(form.SelPort, c.selPort);
    EXPECT_EQ(form.SelBaud, c.selBaud);
    EXPECT_EQ(form.SelParity, c.selParity);
    EXPECT_EQ(form.SelDataBits, c.selDataBits);
    EXPECT_EQ(form.SelStopBits, c.selStopBits);
    EXPECT_EQ(SerialSettingsText(form), c.okText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialSettingsLoad,
    ::testing::Values(
        LoadCase{"Default", 1, "9600,N,8,1", 1, 9600, "N", 8, 1, "9600,N,8,1"},
        LoadCase{"SevenEven", 4, "19200,E,7,1", 4, 19200, "E", 7, 1, "19200,E,7,1"},
        LoadCase{"UnknownBaudKept", 2, "115200,N,8,1", 2, 115200, "N", 8, 1, "115200,N,8,1"},
        LoadCase{"OneAndHalfStopBitsReadAsOne", 1, "9600,N,8,1.5", 1, 9600, "N", 8, 1,
                 "9600,N,8,1"},
        LoadCase{"LowerCaseParityKept", 1, "9600,n,8,1", 1, 9600, "n", 8, 1, "9600,n,8,1"},
        LoadCase{"PortBeyondOptionsKept", 7, "9600,N,8,1", 7, 9600, "N", 8, 1, "9600,N,8,1"},
        LoadCase{"PortNoneCanHaveReadsZero", 257, "9600,N,8,1", 0, 9600, "N", 8, 1, "9600,N,8,1"},
        LoadCase{"NegativePort", -1, "9600,N,8,1", 0, 9600, "N", 8, 1, "9600,N,8,1"},
        LoadCase{"NoCommaTakesUsualLine", 1, "9600", 1, 9600, "N", 8, 1, "9600,N,8,1"},
        LoadCase{"Empty", 1, "", 1, 0, "N", 8, 1, "0,N,8,1"},
        LoadCase{"TooShort", 1, "4800,O", 1, 4800, "O", 8, 1, "4800,O,8,1"},
        LoadCase{"TooShortForStopBits", 1, "4800,O,7", 1, 4800, "O", 7, 1, "4800,O,7,1"},
        LoadCase{"NonDigitFields", 3, "abc,X,y,z", 3, 0, "X", 0, 0, "0,X,0,0"},
        LoadCase{"BaudTooLargeForItsValue", 1, "99999999999,N,8,1", 1, 0, "N", 8, 1, "0,N,8,1"},
        LoadCase{"BaudWithBlanks", 1, " 2400 ,N,8,2", 1, 2400, "N", 8, 2, "2400,N,8,2"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST(SerialSettingsForm, OperatorChoiceBecomesSettingsText) {
    SerialSettingsForm form = LoadSerialSettingsForm(1, "9600,N,8,1");
    form.SelPort = 3;
    form.SelBaud = 19200;
    form.SelParity = "E";
    form.SelDataBits = 7;
    const SerialSettingsChoice choice = ChosenSerialSettings(form);
    EXPECT_EQ(choice.CommPortNumber, 3);
    EXPECT_EQ(choice.CommSettings, "19200,E,7,1");

    Settings settings;
    TakeSerialSettings(choice, settings);
    EXPECT_EQ(settings.CommPortNumber, 3);
    EXPECT_EQ(settings.CommSettings, "19200,E,7,1");
}

TEST(SerialSettingsForm, FreshFormHoldsNothing) {
    const SerialSettingsForm form;
    EXPECT_EQ(SerialSettingsText(form), "0,,0,0");
    EXPECT_EQ(ChosenSerialSettings(form).CommPortNumber, 0);
}

// The dialogs of both desktop programs draw these groups: the names and captions are the
// window's own, and picking an option must select it alone and reach the settings text.
TEST(SerialSettingsForm, OptionGroupsAsTheDialogShowsThem) {
    struct Expected {
        const char* frame;
        const char* caption;
        std::vector<std::string> names;
        std::vector<std::string> captions;
    };
    const Expected expected[] = {
        {"fraComPort",
         "&Com Port",
         {"optCom1", "optCom2", "optCom3", "OptCom4", "optComOther"},
         {"Com1", "Com2", "Com3", "Com4", "Other:"}},
        {"fraBaudRate",
         "&Baud Rate",
         {"optBaud300", "optBaud1200", "optBaud2400", "optBaud4800", "optBaud9600", "optBaud19200",
          "optBaud38400", "optBaud57600"},
         {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600"}},
        {"fraParity",
         "&Parity",
         {"optParityNone", "optParityOdd", "optParityEven"},
         {"None", "Odd", "Even"}},
        {"fraDataBits", "&Data Bits", {"optDataBits7", "optDataBits8"}, {"7", "8"}},
        {"fraStopBits", "&Stop Bits", {"optStopBits1", "optStopBits2"}, {"1", "2"}},
    };
    ASSERT_EQ(SerialOptionGroups().size(), std::size(expected));
    for (std::size_t g = 0; g < std::size(expected); ++g) {
        const SerialOptionGroup& group = SerialOptionGroups()[g];
        SCOPED_TRACE(group.frameName);
        EXPECT_STREQ(group.frameName, expected[g].frame);
        EXPECT_STREQ(group.caption, expected[g].caption);
        ASSERT_EQ(group.options, expected[g].names.size());
        for (std::size_t i = 0; i < group.options; ++i) {
            EXPECT_EQ(group.optionName(i), expected[g].names[i]);
            EXPECT_EQ(group.optionCaption(i), expected[g].captions[i]);
            SerialSettingsForm form = LoadSerialSettingsForm(Settings{}, {Port(7)});
            const bool wasSelected = group.selected(form, i);
            const SerialSettingsChoice before = ChosenSerialSettings(form);
            group.select(form, i);
            for (std::size_t other = 0; other < group.options; ++other) {
                EXPECT_EQ(group.selected(form, other), other == i) << i << " " << other;
            }
            const SerialSettingsChoice after = ChosenSerialSettings(form);
            EXPECT_EQ(after.CommPortNumber != before.CommPortNumber ||
                          after.CommSettings != before.CommSettings,
                      !wasSelected);
        }
    }
}

// The "Other:" list: what the system has, the stored number even when it is absent, and
// the identity stored beside the number.
TEST(SerialSettingsForm, OtherPortsListedAndChosenWithTheirIdentity) {
    const SerialPortInfo usb =
        Port(9, "COM9", "USB Serial Port", "067B", "2303", "1234", "USB\\VID_067B&PID_2303\\1234");
    const SerialPortInfo builtIn = Port(1, "COM1", "Communications Port");
    struct Case {
        const char* name;
        std::int16_t stored;
        const char* storedIdentity;
        std::vector<std::string> texts;
        int shown;
        std::int16_t selPort;
        const char* note;
    };
    const Case cases[] = {
        {"StoredBeyondOptionsAndAbsent",
         7,
         "",
         {"COM1  Communications Port", "COM7  (not present)",
          "COM9  USB Serial Port (USB 067B:2303, serial 1234)"},
         1,
         7,
         "Remembered by its number only"},
        {"StoredAbsentKeepsItsIdentity",
         7,
         "USB\\VID_1A86&PID_7523\\55",
         {"COM1  Communications Port", "COM7  (not present)",
          "COM9  USB Serial Port (USB 067B:2303, serial 1234)"},
         1,
         7,
         "Found again in any socket as USB\\VID_1A86&PID_7523\\55"},
        {"StoredPresent",
         9,
         "",
         {"COM1  Communications Port", "COM9  USB Serial Port (USB 067B:2303, serial 1234)"},
         1,
         9,
         "Found again in any socket as USB\\VID_067B&PID_2303\\1234"},
        {"OptionStoredListShowsFirstBeyond",
         1,
         "",
         {"COM1  Communications Port", "COM9  USB Serial Port (USB 067B:2303, serial 1234)"},
         1,
         1,
         "Remembered by its number only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings settings;
        settings.CommPortNumber = c.stored;
        settings.ScannerPort = c.storedIdentity;
        SerialSettingsForm form = LoadSerialSettingsForm(settings, {usb, builtIn, Port(0)});
        std::vector<std::string> texts;
        for (const OtherPortEntry& entry : OtherPortEntries(form)) {
            texts.push_back(entry.text);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(OtherPortIndex(form), c.shown);
        EXPECT_EQ(form.SelPort, c.selPort);
        EXPECT_EQ(PortIdentityNote(form), c.note);
    }

    Settings settings;
    settings.CommPortNumber = 2;
    settings.ScannerPort = "gone";
    SerialSettingsForm form = LoadSerialSettingsForm(settings, {usb, builtIn});
    PickOtherPort(form, 1);
    SerialSettingsChoice choice = ChosenSerialSettings(form);
    EXPECT_EQ(choice.CommPortNumber, 9);
    EXPECT_EQ(choice.ScannerPort, usb.identity);
    PickOtherPort(form, 0);
    EXPECT_EQ(ChosenSerialSettings(form).ScannerPort, "");
    SerialOptionGroups()[0].select(form, 1);
    EXPECT_EQ(ChosenSerialSettings(form).ScannerPort, "gone");
}

} // namespace
} // namespace quillet
