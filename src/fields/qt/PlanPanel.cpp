#include "fields/qt/PlanPanel.h"

#include <QGridLayout>
#include <QPainter>

namespace quillet {

namespace {
constexpr int kMargin = 6;
constexpr int kCellPadding = 8;
constexpr int kCircleRadius = 3;
} // namespace

PlanPanel::PlanPanel(int rows, int columns, QWidget* parent)
    : QFrame(parent), rows_(rows), columns_(columns), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid_->setSpacing(0);
    for (int row = 0; row < rows_; ++row) {
        grid_->setRowStretch(row, 1);
    }
    for (int column = 0; column < columns_; ++column) {
        grid_->setColumnStretch(column, 1);
    }
}

QRect PlanPanel::CellRect(int row, int column) const {
    return grid_->cellRect(row, column);
}

void PlanPanel::SetCell(int row, int column, QLayout* content) {
    content->setContentsMargins(kCellPadding, kCellPadding, kCellPadding, kCellPadding);
    grid_->addLayout(content, row, column);
}

void PlanPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns_; ++column) {
            const QRect cell = CellRect(row, column).adjusted(3, 3, -3, -3);
            if (!cell.isValid()) {
                continue;
            }
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell);
            painter.setBrush(palette().color(QPalette::Window));
            for (const QPoint corner :
                 {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()}) {
                painter.drawEllipse(corner, kCircleRadius, kCircleRadius);
            }
        }
    }
}

} // namespace quillet
