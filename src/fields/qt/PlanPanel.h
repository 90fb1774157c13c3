#pragma once

#include "fields/PlanDrawing.h"

#include <QFrame>
#include <QRect>

class QGridLayout;
class QLayout;

namespace quillet {

// Both keep their right and bottom edges on the last pixel.
inline field_form::Rect ToPlanRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

// A panel of the machine table drawn as a plan: the panel's outline, its cells, and small
// circles at the cells' corners. Decoration only; the controls sit inside the cells.
class PlanPanel : public QFrame {
public:
    PlanPanel(int rows, int columns, QWidget* parent = nullptr);

    // The cell's rectangle in panel coordinates, valid once the panel is laid out.
    QRect CellRect(int row, int column) const;
    void SetCell(int row, int column, QLayout* content);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int rows_;
    int columns_;
    QGridLayout* grid_;
};

} // namespace quillet
