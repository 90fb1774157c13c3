#include "labels/CompanionCsv.h"

#include "labels/CncExtension.h"

#include "base/Text.h"
#include "config/FileExists.h"

namespace quillet {

namespace {

// A program name may name a sub-folder of the CSV folder, but never climb out of it or
// switch drives.
bool StaysInFolder(std::string_view base) {
    if (base.find(':') != std::string_view::npos || base.find('\0') != std::string_view::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= base.size()) {
        const std::size_t end = base.find_first_of("\\/", start);
        const std::size_t stop = end == std::string_view::npos ? base.size() : end;
        if (TrimBlanks(base.substr(start, stop - start)) == "..") {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

std::string_view BaseName(std::string_view programName) {
    if (EndsWithCnc(programName)) {
        return programName.substr(0, programName.size() - kCncExtension.size());
    }
    return programName;
}

void DropOneLineBreak(std::string& text) {
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
}

void Tell(Operator& op, const std::string& text) {
    op.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName, text);
}

} // namespace

std::string CompanionCsvPath(std::string_view programName, const Settings& settings) {
    return TrimBlanks(settings.CSVInPath + "\\" + std::string(BaseName(programName)) + ".CSV");
}

CsvAppend AppendCompanionCsv(std::string_view programName, const Settings& settings,
                             FileSystem& files, Operator& op) {
    if (!StaysInFolder(BaseName(programName))) {
        return CsvAppend::NoCompanion;
    }
    const std::string companion = CompanionCsvPath(programName, settings);
    if (!FileExists(companion, files, op)) {
        return CsvAppend::NoCompanion;
    }
    FileRead read = files.ReadAll(companion);
    if (read.error != FsError::None) {
        Tell(op, "The CSV record " + companion + " could not be read (" + read.errorText +
                     "); it was not added to " + settings.CSVOutPath + ".");
        return CsvAppend::ReadFailed;
    }
    DropOneLineBreak(read.data);
    if (read.data.empty()) {
        return CsvAppend::Empty;
    }
    const FileWrite written = files.Append(settings.CSVOutPath, read.data + "\r\n");
    if (!written.ok()) {
        Tell(op, "The CSV record " + companion + " could not be added to " + settings.CSVOutPath +
                     " (" + written.errorText + ").");
        return CsvAppend::WriteFailed;
    }
    return CsvAppend::Appended;
}

} // namespace quillet
