#include "fields/qt/LimitsPlan.h"

#include "fields/qt/PlanPanel.h"

#include <QLineEdit>
#include <QPainter>

namespace quillet {

namespace {
constexpr int kGap = field_form::kLimitGap;
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
    const auto marks = field_form::LimitMarks(
        ToPlanRect(MeasuredCell()), ToPlanRect(limitX_.geometry()), ToPlanRect(limitY_.geometry()));
    for (const field_form::Segment& mark : marks) {
        painter.drawLine(mark.from.x, mark.from.y, mark.to.x, mark.to.y);
    }
}

} // namespace quillet
