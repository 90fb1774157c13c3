#pragma once

#include "base/Operator.h"
#include "base/Trace.h"

#include <functional>
#include <optional>

namespace quillet {

// Message boxes as both desktop programs show them, over the toolkit's plain boxes: every
// box traced as "message <icon>|<title>|<text>"; unattended, none is shown and each is
// answered as the replay tool answers it; an exit request kept for main() and passed to
// the event loop once.
class SessionOperator final : public Operator {
public:
    using EndLoop = std::function<void(int status)>;

    SessionOperator(Operator& boxes, Trace& trace, bool unattended, EndLoop endLoop)
        : boxes_(boxes), trace_(trace), unattended_(unattended), endLoop_(std::move(endLoop)) {}

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override {
        TraceMessage(trace_, icon, title, text);
        return unattended_ ? UnattendedAnswer(buttons) : boxes_.Message(icon, buttons, title, text);
    }
    void Beep() override { boxes_.Beep(); }
    void RequestExit(int status) override {
        if (exitStatus_) {
            return;
        }
        exitStatus_ = status;
        if (endLoop_) {
            endLoop_(status);
        }
    }
    std::optional<int> ExitStatus() const { return exitStatus_; }
    bool Unattended() const { return unattended_; }
    // From now on no box is shown (the user's session is ending): each is answered as
    // unattended.
    void Silence() { unattended_ = true; }

private:
    Operator& boxes_;
    Trace& trace_;
    bool unattended_;
    EndLoop endLoop_;
    std::optional<int> exitStatus_;
};

} // namespace quillet
