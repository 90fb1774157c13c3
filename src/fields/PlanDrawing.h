#pragma once

#include <array>
#include <optional>

// How the plans of the machine table are drawn, in pixels, whatever draws them: each cell's
// outline with a small circle on every corner, and the half limits' dimension drawing from
// their boxes to the cell they measure. Edges are inclusive: a rectangle's right and bottom
// are its last column and row of pixels, and a segment covers both of its ends.
namespace quillet::field_form {

// Between a plan's frame and its cells.
inline constexpr int kPlanMargin = 6;
// Between a cell's place and its outline.
inline constexpr int kCellInset = 3;
inline constexpr int kCornerRadius = 3;
// Around the half limits' boxes; the extension marks stop half of it short of the cell.
inline constexpr int kLimitGap = 10;
// How far the extension marks run past the dimension lines.
inline constexpr int kLimitTick = 5;
// The dimension lines end this far off the boxes.
inline constexpr int kBoxClearance = 2;

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const Rect&) const = default;
};

struct Segment {
    Point from;
    Point to;
    bool operator==(const Segment&) const = default;
};

struct CellOutline {
    Rect outline;
    // Upper left, upper right, lower left, lower right; each a circle of kCornerRadius.
    std::array<Point, 4> corners;
};

// The outline inside a cell's place; none where the place is too small to hold one.
std::optional<CellOutline> OutlineOf(Rect cell);

// X measures the cell's width from above, Y its height from the left: first the extension
// marks from the cell's edges out past the dimension lines, then the dimension lines from
// the cell's edges to the boxes.
std::array<Segment, 8> LimitMarks(Rect cell, Rect boxX, Rect boxY);

} // namespace quillet::field_form
