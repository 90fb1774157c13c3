#include "host/ProgramReader.h"

#include "base/FileSystem.h"
#include "base/LabelState.h"
#include "base/Numbers.h"
#include "base/Operator.h"
#include "base/Text.h"
#include "config/LineReader.h"
#include "config/Settings.h"
#include "host/TextSplitter.h"

#include <charconv>
#include <optional>

namespace quillet {

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view upperWord) {
    return UpperCase(text).find(upperWord) != std::string::npos;
}

// A whole field as a single-precision number: blanks around it, an optional sign, digits
// with "." as decimal point and an optional exponent; anything else, or a value outside
// the single-precision range, is no number.
std::optional<float> StrictSingle(std::string_view field) {
    std::string_view text = field;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
        return std::nullopt; // refuses "inf", "nan" and a sign alone
    }
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

void FillDimension(std::string& text, float value) {
    if (LeadingNumber(text) == 0) {
        text = FormatNumber(value);
    }
}

} // namespace

void ProgramReader::FillMissingDimensions(float& x, float& y) {
    x = LeadingSingle(label_.DimX);
    y = LeadingSingle(label_.DimY);
    float z = LeadingSingle(label_.DimZ);
    if (x == 0 || y == 0 || z == 0) {
        ReadProgramDimensions(x, y, z);
    }
    FillDimension(label_.DimX, x);
    FillDimension(label_.DimY, y);
    FillDimension(label_.DimZ, z);
    x = LeadingSingle(label_.DimX);
    y = LeadingSingle(label_.DimY);
}

std::string ProgramReader::ProgramPath() const {
    return TrimBlanks(settings_.GCodePath + label_.ProgramName);
}

void ProgramReader::ReadProgramDimensions(float& x, float& y, float& z) {
    label_.Comment.clear();
    const std::string path = ProgramPath();
    const FileRead file = files_.ReadAll(path);
    if (file.error != FsError::None) {
        return;
    }
    LineReader lines(file.data);
    const auto line1 = lines.NextNonBlank();
    if (!line1) {
        return;
    }
    const auto line2 = lines.NextNonBlank();
    if (!line2) {
        return;
    }
    if (ContainsIgnoringCase(*line1, "ZOR")) {
        ReadZor(lines.Rest(), *line2, x, y, z);
        return;
    }
    const std::string head = UpperCase(TrimBlanks(*line1)).substr(0, 3);
    if (head == "G71" || head == "G70") {
        ReadGCode(*line1, *line2, x, y, z);
        return;
    }
    operator_.Message(MessageIcon::None, MessageButtons::Ok, kProgramName, path + kNotAProgram);
}

void ProgramReader::ReadZor(std::string_view rest, std::string_view line2, float& x, float& y,
                            float& z) {
    LineReader lines(rest);
    auto line = lines.Next();
    while (line && !ContainsIgnoringCase(*line, "UN")) {
        line = lines.Next();
    }
    if (!line) {
        return;
    }
    parser_.Separators("\r =");
    parser_.Text(*line);
    x = LeadingSingle(parser_.Field(3));
    y = LeadingSingle(parser_.Field(5));
    z = LeadingSingle(parser_.Field(7));
    label_.Comment = line2.size() > 2 ? std::string(line2.substr(2)) : std::string();
}

void ProgramReader::ReadGCode(std::string_view line1, std::string_view line2, float& x, float& y,
                              float& z) {
    parser_.Separators("XYZT");
    parser_.Text(line1);
    for (auto [field, target] : {std::pair{2, &x}, std::pair{3, &y}, std::pair{4, &z}}) {
        const auto value = StrictSingle(parser_.Field(field));
        if (!value) {
            return;
        }
        *target = *value;
    }
    parser_.Separators("()");
    parser_.Text(TrimBlanks(line2));
    label_.Comment = parser_.Field(2);
}

} // namespace quillet
