#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quillet {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const std::string tiny = "." + std::string(323, '0') + "1"; // 1e-324
    const std::string huge = "1" + std::string(309, '0');       // 1e309
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"800", 800},      {"  12.5", 12.5}, {"800$", 800}, {".5", 0.5},
        {"-3.25x", -3.25}, {"", 0},          {"abc", 0},    {"  ", 0},
        {"1.2.3", 1.2},    {"+7", 7},        {"0012", 12},  {" 123A", 123},
        {"-", 0},          {".", 0},         {"5,5", 5},    {"1e3", 1},
        {"\t9", 9},        {"0", 0},         {"00.", 0},    {"0.25", 0.25},
        {tiny, 0},         {"-0" + tiny, 0}, {huge, kMax},  {"-" + huge + ".5", -kMax},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumber, HugeDigitRunsDoNotOverflow) {
    EXPECT_GT(LeadingNumber(std::string(5000, '9')), 1e300);
    EXPECT_DOUBLE_EQ(LeadingNumber("1." + std::string(5000, '0')), 1.0);
    EXPECT_FLOAT_EQ(LeadingSingle(std::string(60, '9')), std::numeric_limits<float>::max());
    // Leading zeros do not count towards the size of the number.
    EXPECT_DOUBLE_EQ(LeadingNumber(std::string(5000, '0')), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(std::string(5000, '0') + "12.5$"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("-" + std::string(5000, '0') + ".5"), -0.5);
}

TEST(LeadingInt16, RoundsHalvesToEvenAndRefusesOutOfRange) {
    const struct {
        const char* text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {" 1", 1},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"-1", -1},
        {"32767", 32767},
        {"32768", std::nullopt},
        {"-32768", -32768},
        {"-32769", std::nullopt},
        {"text", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingInt16(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(FormatNumber, SevenSignificantDigitsNoLeadingZero) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {800, "800"},
        {12.5, "12.5"},
        {0.5, ".5"},
        {0, "0"},
        {-0.25, "-.25"},
        {1234567.4, "1234567"},
        {0.1f, ".1"},
        {18, "18"},
        {123.456789, "123.4568"},
        {12345678, "12345680"},
        {-800, "-800"},
        {9.9999999, "10"},
        {1e20, "100000000000000000000"},
        {-3.4331492584847644e179, "-3433149" + std::string(173, '0')},
        {1.5e-7, ".00000015"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
    }
}

} // namespace
} // namespace quillet
