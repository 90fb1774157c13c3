#include "base/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

namespace quillet {

namespace {
constexpr qint64 kSliceMs = 10;
}

void QtEventPump::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::Sleep(int milliseconds) {
    QDeadlineTimer deadline(std::max(milliseconds, 0));
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            break;
        }
        QThread::msleep(static_cast<unsigned long>(std::min(left, kSliceMs)));
    }
}

} // namespace quillet
