#pragma once

#include <QSize>

class QWidget;

namespace quillet {

// The designed client sizes are in twips; at 96 dots per inch one pixel is 15 twips.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}

constexpr QSize TwipsToPixels(int width, int height) {
    return {TwipsToPixels(width), TwipsToPixels(height)};
}

// Fixes a dialog at its designed client size, grown where its layout needs more room so
// that no caption is clipped under larger fonts.
void FixDialogSize(QWidget& dialog, QSize designed);

} // namespace quillet
