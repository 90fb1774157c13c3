#include "app/qt/QtOperator.h"

#include "app/qt/SingleByteText.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace quillet {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

bool HasCancel(MessageButtons buttons) {
    return buttons != MessageButtons::Ok;
}

} // namespace

const char* MessageIconWord(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return "critical";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::None:
        break;
    }
    return "none";
}

QtOperator::QtOperator(QWidget* parent, Trace* trace, bool unattended)
    : parent_(parent), trace_(trace), unattended_(unattended) {}

MessageAnswer QtOperator::Message(MessageIcon icon, MessageButtons buttons,
                                  const std::string& title, const std::string& text) {
    const std::string shownTitle = title.empty() ? std::string(kProgramName) : title;
    if (trace_ != nullptr) {
        trace_->Event("message",
                      std::string(MessageIconWord(icon)) + "|" + shownTitle + "|" + text);
    }
    if (unattended_) {
        return HasCancel(buttons) ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
    QMessageBox box(BoxIcon(icon), ToQString(shownTitle), ToQString(text), BoxButtons(buttons),
                    parent_);
    // Closing the box (Escape, the window's close button) means Cancel where there is one.
    box.setEscapeButton(HasCancel(buttons) ? QMessageBox::Cancel : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    return MessageAnswer::Ok;
}

void QtOperator::Beep() {
    QApplication::beep();
}

void QtOperator::RequestExit(int status) {
    if (exitStatus_.has_value()) {
        return;
    }
    exitStatus_ = status;
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(status);
    }
}

} // namespace quillet
