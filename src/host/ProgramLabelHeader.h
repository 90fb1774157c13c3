#pragma once

#include "base/LabelState.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The values a two-dimensional program label's header carries: fields separated by "^",
// field 1 the program name, fields 2 to 14 a letter and its value.
struct ProgramLabelHeader {
    static constexpr int kLastLetterField = 14;

    std::string ProgramName;              // field 1 as printed
    std::optional<std::string> FieldCode; // U
    std::optional<std::string> VarV;
    std::optional<std::string> DimX, DimY, DimZ;
    std::optional<std::string> VarA, VarB, VarC, VarD;
    std::optional<std::string> VarE, VarF, VarG, VarI;

    bool HasDimensions() const { return DimX || DimY || DimZ; }
    bool HasVarsAToD() const { return VarA || VarB || VarC || VarD; }
    bool HasVarsEToI() const { return VarE || VarF || VarG || VarI; }
};

// Splits the header (the label before its first "!"). A field's letter is its first byte,
// compared exactly; its value is the rest, trimmed of blanks. A later field overrides an
// earlier one with the same letter; unknown letters and fields past the 14th are ignored.
ProgramLabelHeader ParseProgramLabelHeader(std::string_view header);

// Stores the header's values in the label. U only fills a FieldCode that is empty or
// blank, so an explicitly chosen machine field wins. The program name is not touched.
void ApplyHeaderValues(const ProgramLabelHeader& header, LabelState& label);

} // namespace quillet
