#include "host/FieldString.h"

#include "base/Numbers.h"

namespace quillet {

namespace {

void AppendItem(std::string& out, int hostField, std::string_view value) {
    out += '#';
    out += std::to_string(hostField);
    out += '=';
    out += value;
    out += ';';
}

void EmptyIfZero(std::string& dimension) {
    if (LeadingNumber(dimension) == 0.0) {
        dimension.clear();
    }
}

} // namespace

std::string BuildFieldString(LabelState& label, const CodeTable& codes) {
    const int number = codes.NumberOf(label.FieldCode);
    const bool mirrored = number != CodeTable::kNotInTable && number % 2 == 0;
    EmptyIfZero(label.DimX);
    EmptyIfZero(label.DimY);
    EmptyIfZero(label.DimZ);

    std::string out;
    AppendItem(out, 161, label.ProgramName);
    AppendItem(out, 164, label.HostValue164);
    AppendItem(out, 171, std::to_string(number));
    AppendItem(out, 284, mirrored ? "1" : "0");
    AppendItem(out, 280, label.HostValue280);
    AppendItem(out, 165, label.HostValue165);
    AppendItem(out, 168, label.DimX);
    AppendItem(out, 169, label.DimY);
    AppendItem(out, 170, label.DimZ);
    AppendItem(out, 282, label.HostValue282);
    AppendItem(out, 283, label.HostValue283);
    return out;
}

} // namespace quillet
