#include "config/SerialSettingsForm.h"

#include "config/Settings.h"

#include <gtest/gtest.h>

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
        LoadCase{"PortOutsideOptionsReadsZero", 7, "9600,N,8,1", 0, 9600, "N", 8, 1, "9600,N,8,1"},
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

} // namespace
} // namespace quillet
