#pragma once

#include <string>

namespace quillet {

class FileSystem;
struct LabelState;
class Operator;
class Parser;
struct Settings;

// Reads the piece dimensions and the comment from the head of a program file, in the ZOR
// format or as G-code starting with G70/G71.
class ProgramReader {
public:
    static constexpr const char* kNotAProgram = " Not a proper program file";

    ProgramReader(LabelState& label, const Settings& settings, FileSystem& files, Operator& op,
                  Parser& parser)
        : label_(label), settings_(settings), files_(files), operator_(op), parser_(parser) {}

    // Sets `Comment` of the label (empty first) and overwrites each of x, y, z whose field
    // is read. A missing or short file, or a G-code dimension that is not a number, ends
    // the reading silently and keeps what was set before. A file of neither format is
    // reported to the operator.
    void ReadProgramDimensions(float& x, float& y, float& z);

    // Each dimension of the label that reads as 0 is replaced by the one in the program
    // file (read only when one is missing); x and y are then the label's first two.
    void FillMissingDimensions(float& x, float& y);

    // GCodePath followed by ProgramName, blanks trimmed at both ends.
    std::string ProgramPath() const;

private:
    void ReadZor(std::string_view rest, std::string_view line2, float& x, float& y, float& z);
    void ReadGCode(std::string_view line1, std::string_view line2, float& x, float& y, float& z);

    LabelState& label_;
    const Settings& settings_;
    FileSystem& files_;
    Operator& operator_;
    Parser& parser_;
};

} // namespace quillet
