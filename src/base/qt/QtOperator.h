#pragma once

#include "base/Operator.h"

class QWidget;

namespace quillet {

// Message boxes over the main window, as Qt draws them. Tracing, unattended answers and
// the exit status are the desktop session's.
class QtOperator final : public Operator {
public:
    explicit QtOperator(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override;
    void Beep() override;

private:
    QWidget* parent_;
};

} // namespace quillet
