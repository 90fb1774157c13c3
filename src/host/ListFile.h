#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class FileSystem;
class HostControl;
struct LabelState;
class Operator;
class Parser;
struct Settings;
class WindowState;

// Lines of a list file shorter than this after trimming blanks are ignored.
inline constexpr std::size_t kMinListLineLength = 6;
inline constexpr int kListFieldCount = 19;

// The retained lines of a list file's text, untrimmed, in file order. Lines end at CR LF,
// LF or a lone CR.
std::vector<std::string> RetainedListLines(std::string_view data);

// Stores fields 1 to 19 of one list line (";"-separated) in the label.
void StoreListLine(std::string_view line, Parser& parser, LabelState& label);

// A list file names several programs at once: every retained line after the first becomes
// one entry of the host's execution list.
class ListFile {
public:
    static constexpr const char* kExtension = ".LST";

    ListFile(LabelState& label, const Settings& settings, FileSystem& files, Operator& op,
             Parser& parser, HostControl& host, WindowState& window)
        : label_(label), settings_(settings), files_(files), operator_(op), parser_(parser),
          host_(host), window_(window) {}

    // The list file's full name: GCodePath, the list name and ".LST".
    std::string FullName(std::string_view name) const;

    // True when entries were added. An empty, missing or unreadable list, a name that
    // leaves the program folder, or a host call that fails, ends the load with false;
    // entries added before a failure stay.
    bool LoadListFile(const std::string& name);
    // How many entries the last load added.
    int EntriesAdded() const { return added_; }

private:
    bool AddEntries(const std::vector<std::string>& lines);
    bool Fail(const std::string& message);

    LabelState& label_;
    const Settings& settings_;
    FileSystem& files_;
    Operator& operator_;
    Parser& parser_;
    HostControl& host_;
    WindowState& window_;
    int added_ = 0;
};

} // namespace quillet
