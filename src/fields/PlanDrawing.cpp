#include "fields/PlanDrawing.h"

namespace quillet::field_form {

namespace {

Rect Inset(Rect cell) {
    return {cell.left + kCellInset, cell.top + kCellInset, cell.right - kCellInset,
            cell.bottom - kCellInset};
}

} // namespace

std::optional<CellOutline> OutlineOf(Rect cell) {
    const Rect in = Inset(cell);
    if (in.left > in.right || in.top > in.bottom) {
        return std::nullopt;
    }
    return CellOutline{in,
                       {Point{in.left, in.top}, Point{in.right, in.top}, Point{in.left, in.bottom},
                        Point{in.right, in.bottom}}};
}

std::array<Segment, 8> LimitMarks(Rect cell, Rect boxX, Rect boxY) {
    const Rect in = Inset(cell);
    const int lineY = (boxX.top + boxX.bottom) / 2;
    const int lineX = (boxY.left + boxY.right) / 2;
    const int markEnd = kLimitGap / 2;
    return {{
        {{in.left, lineY - kLimitTick}, {in.left, in.top - markEnd}},
        {{in.right, lineY - kLimitTick}, {in.right, in.top - markEnd}},
        {{lineX - kLimitTick, in.top}, {in.left - markEnd, in.top}},
        {{lineX - kLimitTick, in.bottom}, {in.left - markEnd, in.bottom}},
        {{in.left, lineY}, {boxX.left - kBoxClearance, lineY}},
        {{boxX.right + kBoxClearance, lineY}, {in.right, lineY}},
        {{lineX, in.top}, {lineX, boxY.top - kBoxClearance}},
        {{lineX, boxY.bottom + kBoxClearance}, {lineX, in.bottom}},
    }};
}

} // namespace quillet::field_form
