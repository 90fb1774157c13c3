#pragma once

#include "base/FileSystem.h"
#include "base/Operator.h"
#include "config/Settings.h"

#include <string>
#include <string_view>

namespace quillet {

enum class CsvAppend {
    Appended,
    NoCompanion,   // no companion file
    OutsideFolder, // the name leaves the CSV folder: never read, the operator has been told
    Empty,         // the companion holds no record: nothing is appended
    ReadFailed,    // the operator has been told
    WriteFailed,   // the operator has been told
};

// CSVInPath, "\", the program name without a ".CNC" extension (any case), ".CSV";
// blanks trimmed from the whole path.
std::string CompanionCsvPath(std::string_view programName, const Settings& settings);

// Copies the program's companion record, if there is one, to the end of CSVOutPath
// followed by CR LF. One final line break of the record (LF, then CR) is dropped first.
// A record that cannot be read or written, or whose name leaves CSVInPath, is reported to
// the operator, naming the file.
CsvAppend AppendCompanionCsv(std::string_view programName, const Settings& settings,
                             FileSystem& files, Operator& op);

} // namespace quillet
