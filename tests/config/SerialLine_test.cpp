#include "config/SerialLine.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ParseSerialLine, AcceptsWhatAPortCanTake) {
    const struct {
        const char* text;
        std::int32_t baud;
        char parity;
        int dataBits;
        double stopBits;
    } cases[] = {
        {"9600,N,8,1", 9600, 'N', 8, 1},
        {"19200,e,7,2", 19200, 'E', 7, 2},
        {" 300 , O , 5 , 1.5 ", 300, 'O', 5, 1.5},
        {"115200,M,6,1", 115200, 'M', 6, 1},
        {"110,s,8,2", 110, 'S', 8, 2},
        {"2147483647,N,8,1", 2147483647, 'N', 8, 1},
    };
    for (const auto& c : cases) {
        const std::optional<SerialLine> line = ParseSerialLine(c.text);
        ASSERT_TRUE(line.has_value()) << c.text;
        EXPECT_EQ(line->baud, c.baud) << c.text;
        EXPECT_EQ(line->parity, c.parity) << c.text;
        EXPECT_EQ(line->dataBits, c.dataBits) << c.text;
        EXPECT_EQ(line->stopBits, c.stopBits) << c.text;
    }
}

TEST(ParseSerialLine, RefusesWhatAPortCannotTake) {
    for (const char* text :
         {"", "9600", "9600,N,8", "9600,N,8,1,1", "0,N,8,1", "-9600,N,8,1", "9600,X,8,1",
          "9600,NN,8,1", "9600,N,4,1", "9600,N,9,1", "9600,N,8,3", "9600,N,8,1.25", "96a0,N,8,1",
          "2147483648,N,8,1", "99999999999,N,8,1", "9600,,8,1", "9600,N,8,"}) {
        EXPECT_FALSE(ParseSerialLine(text).has_value()) << '"' << text << '"';
    }
}

} // namespace
} // namespace quillet
