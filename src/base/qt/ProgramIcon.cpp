#include "base/qt/ProgramIcon.h"

namespace quillet {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/quillet-%1.png").arg(side), QSize(side, side));
    }
    return icon;
}

} // namespace quillet
