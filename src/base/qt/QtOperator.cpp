#include "base/qt/QtOperator.h"

#include "base/qt/SingleByteText.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

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

} // namespace

MessageAnswer QtOperator::Message(MessageIcon icon, MessageButtons buttons,
                                  const std::string& title, const std::string& text) {
    const std::string shownTitle = ShownTitle(title);
    // Over the main window once it is shown; before that (start-up) a box placed over the
    // hidden window would end up in a corner, so it goes to the middle of the screen.
    QWidget* over = parent_ != nullptr && parent_->isVisible() ? parent_ : nullptr;
    QMessageBox box(BoxIcon(icon), ToQString(shownTitle), ToQString(text), BoxButtons(buttons),
                    over);
    // Closing the box (Escape, the window's close button) means Cancel where there is one.
    box.setEscapeButton(UnattendedAnswer(buttons) == MessageAnswer::Cancel ? QMessageBox::Cancel
                                                                           : QMessageBox::Ok);
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

} // namespace quillet
