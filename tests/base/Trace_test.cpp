#include "base/Trace.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(TraceText, EscapesEveryNonPrintableByteAndRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string escaped = EscapeTraceText(all);
    for (const char c : escaped) {
        EXPECT_TRUE(c >= 0x20 && c < 0x7f);
    }
    EXPECT_EQ(UnescapeTraceText(escaped), all);
    EXPECT_EQ(EscapeTraceText("A\\B\r\n\t\xf1"), "A\\\\B\\r\\n\\t\\xf1");
}

TEST(TraceText, MalformedEscapesAreRefused) {
    for (const char* bad : {"\\", "\\q", "\\x", "\\x4", "\\xg0", "ab\\"}) {
        EXPECT_FALSE(UnescapeTraceText(bad).has_value()) << bad;
    }
}

} // namespace
} // namespace quillet
