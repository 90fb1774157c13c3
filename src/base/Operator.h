#pragma once

#include "base/Trace.h"

#include <string>

namespace quillet {

enum class MessageIcon { None, Critical, Exclamation, Question, Information };
enum class MessageButtons { Ok, OkCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Retry };

// The program's name: the caption of the main window and the title of every message box
// that names no title of its own.
inline constexpr const char* kProgramName = "Quillet";

// Message boxes: the operator sees them and answers.
class Operator {
public:
    virtual ~Operator() = default;
    virtual MessageAnswer Message(MessageIcon icon, MessageButtons buttons,
                                  const std::string& title, const std::string& text) = 0;
    // The system beep (a refused manual entry).
    virtual void Beep() {}
    // The program ends (a fatal condition such as a missing ZOR.INI or a file-system
    // failure the program cannot go on from). The desktop program may not return.
    virtual void RequestExit(int /*status*/) {}
};

// "Unexpected error #", the number as the platform shows it (a leading blank when it is
// not negative), " occured: " and the platform's text.
std::string UnexpectedErrorText(long number, const std::string& text);

// The title a box shows: its own, or the program's name.
std::string ShownTitle(const std::string& title);

// A message box as a trace records it: "<icon>|<title>|<text>".
void TraceMessage(Trace& trace, MessageIcon icon, const std::string& title,
                  const std::string& text);

// How a box is answered with nobody at the screen: Cancel where it has one, otherwise OK.
MessageAnswer UnattendedAnswer(MessageButtons buttons);

} // namespace quillet
