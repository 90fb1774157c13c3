#include "base/Operator.h"

namespace quillet {

std::string UnexpectedErrorText(long number, const std::string& text) {
    const std::string digits = std::to_string(number);
    return "Unexpected error #" + (number < 0 ? digits : " " + digits) + " occured: " + text;
}

std::string ShownTitle(const std::string& title) {
    return title.empty() ? std::string(kProgramName) : title;
}

namespace {

const char* IconWord(MessageIcon icon) {
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

} // namespace

void TraceMessage(Trace& trace, MessageIcon icon, const std::string& title,
                  const std::string& text) {
    trace.Event("message", std::string(IconWord(icon)) + "|" + ShownTitle(title) + "|" + text);
}

MessageAnswer UnattendedAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace quillet
