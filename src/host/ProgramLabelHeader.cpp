#include "host/ProgramLabelHeader.h"

#include "base/Text.h"

namespace quillet {

namespace {

std::optional<std::string>* Slot(ProgramLabelHeader& header, char letter) {
    switch (letter) {
    case 'U':
        return &header.FieldCode;
    case 'V':
        return &header.VarV;
    case 'X':
        return &header.DimX;
    case 'Y':
        return &header.DimY;
    case 'Z':
        return &header.DimZ;
    case 'A':
        return &header.VarA;
    case 'B':
        return &header.VarB;
    case 'C':
        return &header.VarC;
    case 'D':
        return &header.VarD;
    case 'E':
        return &header.VarE;
    case 'F':
        return &header.VarF;
    case 'G':
        return &header.VarG;
    case 'I':
        return &header.VarI;
    default:
        return nullptr;
    }
}

void Store(const std::optional<std::string>& value, std::string& target) {
    if (value) {
        target = *value;
    }
}

} // namespace

ProgramLabelHeader ParseProgramLabelHeader(std::string_view header) {
    ProgramLabelHeader result;
    int field = 1;
    std::size_t start = 0;
    // Walks the fields directly rather than through the splitter, so a header of
    // thousands of "^" costs one pass and stops after field 14.
    while (field <= ProgramLabelHeader::kLastLetterField) {
        const std::size_t end = header.find('^', start);
        const std::string_view text = header.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (field == 1) {
            result.ProgramName = std::string(text);
        } else if (!text.empty()) {
            if (std::optional<std::string>* slot = Slot(result, text.front())) {
                *slot = TrimBlanks(text.substr(1));
            }
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        ++field;
    }
    return result;
}

void ApplyHeaderValues(const ProgramLabelHeader& header, LabelState& label) {
    if (header.FieldCode && TrimBlanks(label.FieldCode).empty()) {
        label.FieldCode = *header.FieldCode;
    }
    Store(header.VarV, label.VarV);
    Store(header.DimX, label.DimX);
    Store(header.DimY, label.DimY);
    Store(header.DimZ, label.DimZ);
    Store(header.VarA, label.VarA);
    Store(header.VarB, label.VarB);
    Store(header.VarC, label.VarC);
    Store(header.VarD, label.VarD);
    Store(header.VarE, label.VarE);
    Store(header.VarF, label.VarF);
    Store(header.VarG, label.VarG);
    Store(header.VarI, label.VarI);
}

} // namespace quillet
