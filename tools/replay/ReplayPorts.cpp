#include "ReplayPorts.h"

#include <utility>

namespace quillet::replay {

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

MessageAnswer UnattendedOperator::Message(MessageIcon icon, MessageButtons buttons,
                                          const std::string& title, const std::string& text) {
    const std::string shownTitle = title.empty() ? std::string(kProgramName) : title;
    trace_.Event("message", std::string(IconWord(icon)) + "|" + shownTitle + "|" + text);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void UnattendedOperator::RequestExit(int status) {
    if (!exitStatus_) {
        exitStatus_ = status;
    }
}

std::string ScriptedSerialPort::ReadAll() {
    return std::exchange(incoming_, {});
}

bool ScriptedSerialPort::Write(std::string_view bytes) {
    trace_.Event("serial-out", bytes);
    return true;
}

long SimulatedDesktop::StartProgram(const std::string& nativePath) {
    const FileLookup found = files_.Lookup(nativePath);
    running_ = found.error == FsError::None && found.isFile;
    return running_ ? kTask : 0;
}

} // namespace quillet::replay
