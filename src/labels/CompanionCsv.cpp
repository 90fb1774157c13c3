#include "labels/CompanionCsv.h"

#include "labels/CncExtension.h"

#include "base/InsideFolder.h"
#include "base/Text.h"
#include "config/FileExists.h"

namespace quillet {

namespace {

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
    const std::string companion = CompanionCsvPath(programName, settings);
    if (programName.find('\0') != std::string_view::npos) {
        return CsvAppend::NoCompanion;
    }
    // The name comes from a label: a record outside the CSV folder is never read, and the
    // operator learns that the cumulative file misses it.
    if (!StaysInFolder(BaseName(programName))) {
        Tell(op, "The CSV record " + companion + " lies outside the CSV folder " +
                     settings.CSVInPath + "; it was not added to " + settings.CSVOutPath + ".");
        return CsvAppend::OutsideFolder;
    }
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
