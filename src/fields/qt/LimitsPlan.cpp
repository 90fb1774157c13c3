#include "fields/qt/LimitsPlan.h"

#include "fields/qt/PlanPanel.h"

#include <QLineEdit>
#include <QPainter>

namespace quillet {

namespace {
constexpr int kGap = 10;
constexpr int kTick = 5;
constexpr QSize kPanelSize(260, 150);
} // namespace

LimitsPlan::LimitsPlan(QLineEdit& limitX, QLineEdit& limitY, int rows, int columns, QWidget* parent)
    : QWidget(parent), limitX_(limitX), limitY_(limitY), rows_(rows), columns_(columns),
      panel_(new PlanPanel(rows, columns, this)) {
    limitX_.setParent(this);
    limitY_.setParent(this);
    panel_->setMinimumSize(kPanelSize);
}

QSize LimitsPlan::minimumSizeHint() const {
    const QSize box = limitY_.sizeHint();
    return {box.width() + 2 * kGap + kPanelSize.width() + kGap,
            limitX_.sizeHint().height() + 2 * kGap + kPanelSize.height() + kGap};
}

QSize LimitsPlan::sizeHint() const {
    return minimumSizeHint();
}

// The upper left cell: X measures its width, Y its height.
QRect LimitsPlan::MeasuredCell() const {
    const QRect cell = panel_->CellRect(0, 0);
    if (cell.isValid()) {
        return cell.translated(panel_->pos());
    }
    const QRect area = panel_->geometry();
    return {area.topLeft(), QSize(area.width() / columns_, area.height() / rows_)};
}

void LimitsPlan::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize boxX = limitX_.sizeHint();
    const QSize boxY = QSize(limitY_.width(), limitY_.sizeHint().height());
    const int left = boxY.width() + 2 * kGap;
    const int top = boxX.height() + 2 * kGap;
    panel_->setGeometry(left, top, width() - left - kGap, height() - top - kGap);
    const QRect area = panel_->geometry();
    const QRect cell(area.topLeft(), QSize(area.width() / columns_, area.height() / rows_));
    limitX_.setGeometry(cell.center().x() - limitX_.width() / 2, kGap, limitX_.width(),
                        boxX.height());
    limitY_.setGeometry(kGap, cell.center().y() - boxY.height() / 2, boxY.width(), boxY.height());
}

void LimitsPlan::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const QRect cell = MeasuredCell().adjusted(3, 3, -3, -3);
    const QRect x = limitX_.geometry();
    const QRect y = limitY_.geometry();
    const int lineY = x.center().y();
    const int lineX = y.center().x();
    // Extension marks from the cell's edges out to the dimension lines.
    painter.drawLine(cell.left(), lineY - kTick, cell.left(), cell.top() - kGap / 2);
    painter.drawLine(cell.right(), lineY - kTick, cell.right(), cell.top() - kGap / 2);
    painter.drawLine(lineX - kTick, cell.top(), cell.left() - kGap / 2, cell.top());
    painter.drawLine(lineX - kTick, cell.bottom(), cell.left() - kGap / 2, cell.bottom());
    // Dimension lines from the cell's edges to the boxes.
    painter.drawLine(cell.left(), lineY, x.left() - 2, lineY);
    painter.drawLine(x.right() + 2, lineY, cell.right(), lineY);
    painter.drawLine(lineX, cell.top(), lineX, y.top() - 2);
    painter.drawLine(lineX, y.bottom() + 2, lineX, cell.bottom());
}

} // namespace quillet
