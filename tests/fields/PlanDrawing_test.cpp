#include "fields/PlanDrawing.h"

#include <gtest/gtest.h>

namespace quillet::field_form {
namespace {

TEST(PlanDrawing, CellOutlineWithItsCorners) {
    EXPECT_FALSE(OutlineOf({0, 0, 5, 40}).has_value());
    const auto cell = OutlineOf({10, 20, 49, 39});
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->outline, (Rect{13, 23, 46, 36}));
    const std::array<Point, 4> corners{{{13, 23}, {46, 23}, {13, 36}, {46, 36}}};
    EXPECT_EQ(cell->corners, corners);
}

// Box X above the cell, box Y to its left, each 20 pixels across its dimension line.
TEST(PlanDrawing, LimitMarksRunFromTheCellToTheBoxes) {
    const Segment expected[] = {
        {{103, 64}, {103, 98}}, {{196, 64}, {196, 98}}, // up from the cell's sides
        {{34, 103}, {98, 103}}, {{34, 156}, {98, 156}}, // left from its top and bottom
        {{103, 69}, {128, 69}}, {{171, 69}, {196, 69}}, // to box X, either side
        {{39, 103}, {39, 118}}, {{39, 141}, {39, 156}}, // to box Y, either side
    };
    const auto marks = LimitMarks({100, 100, 199, 159}, {130, 60, 169, 79}, {20, 120, 59, 139});
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i], expected[i]) << i;
    }
}

} // namespace
} // namespace quillet::field_form
