#include "base/qt/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace quillet {
namespace {

// Bar widths in units of 1/32 of the icon, left to right; gaps of one unit between them.
constexpr std::array<int, 9> kBars = {2, 1, 1, 3, 1, 2, 1, 1, 2};

QPixmap DrawIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double unit = side / 32.0;
    const QRectF label(unit, 4 * unit, 30 * unit, 24 * unit);
    painter.setPen(QPen(QColor(40, 40, 40), std::max(1.0, unit)));
    painter.setBrush(QColor(255, 250, 220));
    painter.drawRect(label);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 10, 10));
    double x = 4 * unit;
    for (const int width : kBars) {
        painter.drawRect(QRectF(x, 7 * unit, width * unit, 14 * unit));
        x += (width + 1) * unit;
    }
    // A red scan line across the bars.
    painter.setBrush(QColor(220, 30, 30));
    painter.drawRect(QRectF(2 * unit, 13 * unit, 28 * unit, std::max(1.0, 2 * unit)));
    painter.setBrush(QColor(10, 10, 10));
    painter.drawRect(QRectF(4 * unit, 23 * unit, 24 * unit, 2 * unit));
    return pixmap;
}

} // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48, 64}) {
        icon.addPixmap(DrawIcon(side));
    }
    return icon;
}

} // namespace quillet
