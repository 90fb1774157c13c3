#include "labels/MirrorDetector.h"

#include <string>
#include <string_view>

#include "base/Text.h"

namespace quillet {

namespace {

std::string MirrorSource(const MachineFieldModel& fields, const LabelState& state) {
    if (fields.MPName()) {
        return UpperCase(TrimBlanks(state.ProgramName));
    }
    if (fields.MCmt()) {
        return UpperCase(TrimBlanks(state.Comment));
    }
    return {};
}

// Whether `marker` stands in `source` at the 1-based `position`. Positions outside the text
// and markers running past its end do not match.
bool MarkerAt(std::string_view source, std::string_view marker, long long position) {
    if (position < 1) {
        return false;
    }
    const auto start = static_cast<std::size_t>(position - 1);
    if (start > source.size() || source.size() - start < marker.size()) {
        return false;
    }
    return source.substr(start, marker.size()) == marker;
}

bool MarkerFound(const MachineFieldModel& fields, std::string_view source,
                 std::string_view marker) {
    const long long value = fields.PosScrollValue;
    if (fields.OptAlnL) {
        return MarkerAt(source, marker, value);
    }
    // Counting from the right: the scroll bar's distance from its upper bound, taken back
    // from the end of the text. The end itself is excluded.
    const auto n = static_cast<long long>(source.size());
    const long long start = n - (static_cast<long long>(fields.PosScrollMax) - value);
    return start > 0 && start < n && MarkerAt(source, marker, start);
}

std::string PositionText(const MachineFieldModel& fields) {
    if (fields.OptAlnL) {
        return "at position " + std::to_string(fields.PosScrollValue);
    }
    return std::to_string(fields.PosScrollMax - fields.PosScrollValue) + " from the right";
}

} // namespace

std::string ExplainMirror(const MachineFieldModel& fields, const LabelState& state) {
    if (!fields.MPName() && !fields.MCmt()) {
        return "mirror trigger not used (the barcode chooses)";
    }
    const std::string marker = UpperCase(fields.MSpec);
    if (marker.empty()) {
        return "no mirror trigger set";
    }
    const std::string source = MirrorSource(fields, state);
    const std::string where =
        std::string(fields.MPName() ? "name" : "comment") + " \"" + source + "\"";
    const bool found = marker.size() <= source.size() &&
                       (marker.front() == '*' || MarkerFound(fields, source, marker));
    return "mirror trigger \"" + marker + "\" " + PositionText(fields) +
           (found ? " found in " : " not in ") + where +
           (found && fields.NMSel() ? " (norm and mirror: twice)" : "");
}

bool DetectMirror(const MachineFieldModel& fields, LabelState& state) {
    const std::string source = MirrorSource(fields, state);
    const std::string marker = UpperCase(fields.MSpec);
    if (marker.empty() || marker.size() > source.size()) {
        return false;
    }
    const bool found = marker.front() == '*' || MarkerFound(fields, source, marker);
    if (fields.MPName() || fields.MCmt()) {
        // Built first: assigning the literal trips a false -Wrestrict in GCC 12 at -O2.
        state.FieldCode = std::string(found ? "W" : "P");
    }
    return fields.NMSel() && found;
}

} // namespace quillet
