#include "labels/FieldCodeCheck.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(IsFieldCode, ExactCodesOfTheTable) {
    CodeTable table;
    table.InitCodeTable();
    const struct {
        const char* code;
        bool isCode;
    } cases[] = {
        {"N", true},   {"R", true},    {"M1", true},   {"R1/", true}, {"S/0", true}, {"T/1", true},
        {"A1/", true}, {"n", false},   {"r1/", false}, {"", false},   {"N ", false}, {" N", false},
        {"X", false},  {"N/2", false}, {"NN", false},  {"P", false},  {"W", false},  {"&", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFieldCode(table, c.code), c.isCode) << '"' << c.code << '"';
    }
    for (int number = 1; number <= CodeTable::kSize; ++number) {
        EXPECT_TRUE(IsFieldCode(table, table.Code(number))) << number;
    }
}

TEST(IsFieldCode, NothingMatchesAnUnfilledTable) {
    const CodeTable table;
    EXPECT_FALSE(IsFieldCode(table, ""));
    EXPECT_FALSE(IsFieldCode(table, "N"));
}

} // namespace
} // namespace quillet
