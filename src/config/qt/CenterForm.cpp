#include "config/qt/CenterForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quillet {
namespace {

int CenteredStart(int screen, int window) {
    const double start = (static_cast<double>(screen) - static_cast<double>(window)) / 2.0;
    return static_cast<int>(std::floor(std::max(start, 0.0)));
}

} // namespace

QPoint CenteredPosition(QSize screen, QSize window) {
    return {CenteredStart(screen.width(), window.width()),
            CenteredStart(screen.height(), window.height())};
}

void CenterForm(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    // A window never sized has Qt's placeholder size until it is shown; take the size it
    // will show with instead.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
    }
    // The frame is known only once the window is shown; before that its size is the best guess.
    const QSize size = window.isVisible() ? window.frameGeometry().size() : window.size();
    window.move(area.topLeft() + CenteredPosition(area.size(), size));
}

} // namespace quillet
