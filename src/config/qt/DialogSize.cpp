#include "config/qt/DialogSize.h"

#include <QLayout>
#include <QWidget>

#include <algorithm>

namespace quillet {

void FixDialogSize(QWidget& dialog, QSize designed) {
    QLayout* layout = dialog.layout();
    if (layout == nullptr) {
        dialog.setFixedSize(designed);
        return;
    }
    layout->activate();
    if (!layout->hasHeightForWidth()) {
        dialog.setFixedSize(designed.expandedTo(layout->sizeHint()));
        return;
    }
    // Wrapped text: keep the designed width when it suffices and take the height it needs.
    const int width = std::max(designed.width(), layout->minimumSize().width());
    const int height = std::max(designed.height(), layout->totalHeightForWidth(width));
    dialog.setFixedSize(width, height);
}

} // namespace quillet
