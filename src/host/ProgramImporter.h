#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

class EntrySink;
class FileSystem;
class HostControl;
struct LabelState;
class ProgramReader;
class WindowState;

enum class ImportResult {
    Added,         // one entry, or a normal and a mirrored pair, went to the host list
    ListLoaded,    // a list-file label: LoadListFile added its entries
    ListNotLoaded, // a list-file label whose list added nothing (LoadListFile said why)
    Refused,       // the label was refused; the status line says why, nothing was written
    NotSaved,      // the program file could not be written; nothing was added
    HostFailed,    // a host call failed (the operator has been told)
};

// Imports a two-dimensional program label: stores its program in the program folder,
// fills the label state from its header and hands the program to the host. Also takes
// the list-file label "*%00<name>..".
class ProgramImporter {
public:
    static constexpr char kPrefixMarker = '\xD1';
    static constexpr std::size_t kPrefixLength = 8;
    static constexpr std::size_t kMinStoredBody = 11;
    static constexpr std::string_view kListLabelStart = "*%00";
    static constexpr std::size_t kListLabelTail = 2;

    static constexpr const char* kSaving = "Wait saving g-code.";
    static constexpr const char* kNoName = "Barcode refused: no program name.";
    static constexpr const char* kNulInProgram =
        "Barcode refused: the program text holds NUL bytes.";
    static constexpr const char* kNoListName =
        "Barcode refused: the list file label names no list.";

    ProgramImporter(LabelState& label, HostControl& host, WindowState& window, FileSystem& files,
                    ProgramReader& reader, EntrySink& sender,
                    std::function<bool(const std::string&)> loadListFile)
        : label_(label), host_(host), window_(window), files_(files), reader_(reader),
          sender_(sender), loadListFile_(std::move(loadListFile)) {}

    ImportResult ImportProgramLabel(std::string label);

private:
    ImportResult ImportProgram(std::string_view label, std::size_t bang);
    ImportResult ImportList(std::string_view label);
    ImportResult SendHeld();
    bool StoreProgram(std::string_view body);
    ImportResult Refuse(const std::string& why);

    LabelState& label_;
    HostControl& host_;
    WindowState& window_;
    FileSystem& files_;
    ProgramReader& reader_;
    EntrySink& sender_;
    std::function<bool(const std::string&)> loadListFile_;
};

// The label without the 8-character prefix that a first byte 0xD1 announces.
std::string_view WithoutPrefix(std::string_view label);

} // namespace quillet
