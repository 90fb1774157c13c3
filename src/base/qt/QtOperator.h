#pragma once

#include "base/Operator.h"
#include "base/Trace.h"

#include <optional>

class QWidget;

namespace quillet {

// Message boxes over the main window. Unattended, nothing is shown: a box with Cancel
// answers Cancel, any other box OK. With a trace, every message is recorded as
// "message <icon>|<title>|<text>".
class QtOperator final : public Operator {
public:
    explicit QtOperator(QWidget* parent = nullptr, Trace* trace = nullptr, bool unattended = false);

    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override;
    void Beep() override;

    // Leaves the running event loop with `status`, so main() returns and every object is
    // destroyed in order (the port closed, the trace flushed). Before the loop runs, the
    // request is only recorded: main() checks ExitStatus() before entering the loop.
    void RequestExit(int status) override;
    std::optional<int> ExitStatus() const { return exitStatus_; }

private:
    QWidget* parent_;
    Trace* trace_;
    bool unattended_;
    std::optional<int> exitStatus_;
};

} // namespace quillet
