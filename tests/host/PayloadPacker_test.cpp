#include "host/PayloadPacker.h"

#include "host/PayloadUnpacker.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PayloadPacker, LabelLayout) {
    const PackResult packed = PackPayload("P1^X!G0");
    ASSERT_TRUE(packed.ok());
    EXPECT_EQ(packed.label.substr(0, kPayloadStart), "\xF1  00007   ");
    EXPECT_GT(packed.label.size(), kPayloadStart);
}

TEST(PayloadPacker, LengthLimits) {
    EXPECT_TRUE(PackPayload(std::string(32767, 'a')).ok());
    const PackResult tooLong = PackPayload(std::string(32768, 'a'));
    EXPECT_FALSE(tooLong.ok());
    EXPECT_TRUE(tooLong.label.empty());
    EXPECT_NE(tooLong.error.find("32767"), std::string::npos);
    EXPECT_FALSE(PackPayload("").ok());
}

TEST(PayloadPacker, EscapingDoublesEveryBackslash) {
    EXPECT_EQ(EscapePayload("a\\b\\\\\\"), "a\\\\b\\\\\\\\\\\\");
    EXPECT_EQ(EscapePayload(std::string("\0x", 2)), std::string("\0x", 2));
}

} // namespace
} // namespace quillet
