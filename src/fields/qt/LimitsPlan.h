#pragma once

#include <QWidget>

class QLineEdit;

namespace quillet {

class PlanPanel;

// The "Field Limits" drawing: a plan panel with the half-limit boxes along its top and left
// edges and dimension marks from each box to the upper left cell, which they measure.
class LimitsPlan : public QWidget {
public:
    LimitsPlan(QLineEdit& limitX, QLineEdit& limitY, int rows, int columns,
               QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect MeasuredCell() const;

    QLineEdit& limitX_;
    QLineEdit& limitY_;
    int rows_;
    int columns_;
    PlanPanel* panel_;
};

} // namespace quillet
