#include "ReplayPorts.h"

#include <utility>

namespace quillet::replay {

MessageAnswer UnattendedOperator::Message(MessageIcon icon, MessageButtons buttons,
                                          const std::string& title, const std::string& text) {
    TraceMessage(trace_, icon, title, text);
    return UnattendedAnswer(buttons);
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
