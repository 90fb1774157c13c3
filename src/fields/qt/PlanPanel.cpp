#include "fields/qt/PlanPanel.h"

#include <QGridLayout>
#include <QPainter>

namespace quillet {

namespace {
constexpr int kCellPadding = 8;
constexpr int kMargin = field_form::kPlanMargin;
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
            const auto cell = field_form::OutlineOf(ToPlanRect(CellRect(row, column)));
            if (!cell) {
                continue;
            }
            const field_form::Rect& line = cell->outline;
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(QPoint(line.left, line.top), QPoint(line.right, line.bottom)));
            painter.setBrush(palette().color(QPalette::Window));
            for (const field_form::Point corner : cell->corners) {
                painter.drawEllipse(QPoint(corner.x, corner.y), field_form::kCornerRadius,
                                    field_form::kCornerRadius);
            }
        }
    }
}

} // namespace quillet
