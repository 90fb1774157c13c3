#pragma once

#include "base/Operator.h"

#include <deque>
#include <string>
#include <vector>

namespace quillet::testing {

// Records every message box; answers from a queue, then with `defaultAnswer`.
class FakeOperator : public Operator {
public:
    struct Shown {
        MessageIcon icon;
        MessageButtons buttons;
        std::string title;
        std::string text;
    };
    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    int beeps = 0;
    int exitRequests = 0;

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override {
        shown.push_back({icon, buttons, title, text});
        if (answers.empty()) {
            return defaultAnswer;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override { ++beeps; }
    void RequestExit(int) override { ++exitRequests; }
};

} // namespace quillet::testing
