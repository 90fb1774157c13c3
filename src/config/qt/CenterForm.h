#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace quillet {

// Top-left corner that puts a window of `window` size in the middle of a screen of
// `screen` size, computed in floating point; a window larger than the screen starts at 0.
QPoint CenteredPosition(QSize screen, QSize window);

// Places the window in the middle of its screen (the primary one before it is shown).
void CenterForm(QWidget& window);

} // namespace quillet
