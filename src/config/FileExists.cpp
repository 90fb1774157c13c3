#include "config/FileExists.h"

#include <cstring>

namespace quillet {

namespace {

bool AskRetry(Operator& op, MessageButtons buttons, const char* text) {
    const MessageAnswer answer = op.Message(MessageIcon::Question, buttons, kProgramName, text);
    return answer == MessageAnswer::Retry || answer == MessageAnswer::Ok;
}

FileCheck Unexpected(const FileLookup& lookup, Operator& op) {
    const int number = lookup.errorNumber;
    const std::string text =
        lookup.errorText.empty() ? std::string(std::strerror(number)) : lookup.errorText;
    op.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
               UnexpectedErrorText(number, text));
    op.RequestExit(1);
    return FileCheck::Fatal;
}

} // namespace

FileCheck CheckFile(std::string_view path, FileSystem& fs, Operator& op) {
    for (;;) {
        const FileLookup lookup = fs.Lookup(path);
        switch (lookup.error) {
        case FsError::None:
            return lookup.isFile ? FileCheck::Found : FileCheck::Missing;
        case FsError::DeviceIo:
            if (AskRetry(op, MessageButtons::RetryCancel, "Unformatted Disk")) {
                continue;
            }
            return FileCheck::Missing;
        case FsError::NotReady:
            if (AskRetry(op, MessageButtons::OkCancel, "Insert Disk")) {
                continue;
            }
            return FileCheck::Missing;
        case FsError::DeviceUnavailable:
        case FsError::PathNotFound:
        case FsError::NotFound:
            return FileCheck::Missing;
        default:
            return Unexpected(lookup, op);
        }
    }
}

bool FileExists(std::string_view path, FileSystem& fs, Operator& op) {
    return CheckFile(path, fs, op) == FileCheck::Found;
}

} // namespace quillet
