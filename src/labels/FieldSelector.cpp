#include "labels/FieldSelector.h"

#include <array>
#include <cstdio>

#include "base/Numbers.h"

namespace quillet {

namespace {

// Which half limits a piece must stay under for a field to take it.
enum class Fit { XY, X, Y };

struct Candidate {
    FieldSlot slot;
    Fit fit;
};

using CandidateList = std::array<Candidate, 8>;

// Order of trial per group and SwapOrder. In the normal group with SwapOrder set, the
// S side field comes last, after both N fields, unlike T in the other order.
constexpr CandidateList kNormal = {{
    {FieldSlot::FFS, Fit::XY},
    {FieldSlot::BFS, Fit::XY},
    {FieldSlot::SFS, Fit::X},
    {FieldSlot::FFT, Fit::XY},
    {FieldSlot::BFT, Fit::XY},
    {FieldSlot::SFT, Fit::X},
    {FieldSlot::FFN, Fit::Y},
    {FieldSlot::BFN, Fit::Y},
}};
constexpr CandidateList kNormalSwapped = {{
    {FieldSlot::FFT, Fit::XY},
    {FieldSlot::BFT, Fit::XY},
    {FieldSlot::SFT, Fit::X},
    {FieldSlot::FFS, Fit::XY},
    {FieldSlot::BFS, Fit::XY},
    {FieldSlot::FFN, Fit::Y},
    {FieldSlot::BFN, Fit::Y},
    {FieldSlot::SFS, Fit::X},
}};
constexpr CandidateList kMirror = {{
    {FieldSlot::FFA, Fit::XY},
    {FieldSlot::BFA, Fit::XY},
    {FieldSlot::SFA, Fit::X},
    {FieldSlot::FFR, Fit::XY},
    {FieldSlot::BFR, Fit::XY},
    {FieldSlot::SFR, Fit::X},
    {FieldSlot::FFM, Fit::Y},
    {FieldSlot::BFM, Fit::Y},
}};
constexpr CandidateList kMirrorSwapped = {{
    {FieldSlot::FFR, Fit::XY},
    {FieldSlot::BFR, Fit::XY},
    {FieldSlot::SFR, Fit::X},
    {FieldSlot::FFA, Fit::XY},
    {FieldSlot::BFA, Fit::XY},
    {FieldSlot::SFA, Fit::X},
    {FieldSlot::FFM, Fit::Y},
    {FieldSlot::BFM, Fit::Y},
}};

// Limits are typed in millimetres; small pieces are taken to be given in inches.
constexpr float kMillimetreToInch = 0.03937f;

void Prime(int mode, ScanRecord& record, const LabelState& state) {
    if (mode == kPrimeAndResume) {
        record.ResumeFromCode = true;
    }
    if (state.FieldCode.empty()) {
        return;
    }
    switch (state.FieldCode.front()) {
    case 'S':
    case 'N':
        record.SwapOrder = false;
        record.NextMirror = false;
        break;
    case 'A':
        record.SwapOrder = false;
        record.NextMirror = true;
        break;
    case 'T':
        record.SwapOrder = true;
        record.NextMirror = false;
        break;
    case 'R':
    case 'M':
        record.SwapOrder = true;
        record.NextMirror = true;
        break;
    default:
        break;
    }
}

bool MirrorGroupOf(int mode, const ScanRecord& record) {
    if (mode == kSelectAlternating || record.ResumeFromCode) {
        return record.NextMirror;
    }
    return mode != kSelectNormal;
}

bool UseMirrorGroup(int mode, ScanRecord& record) {
    if (mode == kSelectAlternating || record.ResumeFromCode) {
        record.ResumeFromCode = false;
        return record.NextMirror;
    }
    return mode != kSelectNormal;
}

// Whether the piece stays under the half limit: strictly, with the scaled limit rounded to
// single precision before the comparison.
bool UnderLimit(float scale, const std::string& limitText, float size) {
    const auto limit = static_cast<float>(scale * LeadingSingle(limitText));
    return limit > size;
}

bool Fits(Fit fit, bool xSmall, bool ySmall) {
    switch (fit) {
    case Fit::XY:
        return xSmall && ySmall;
    case Fit::X:
        return xSmall;
    case Fit::Y:
        return ySmall;
    }
    return false;
}

const CandidateList& Candidates(bool mirror, bool swapped) {
    if (mirror) {
        return swapped ? kMirrorSwapped : kMirror;
    }
    return swapped ? kNormalSwapped : kNormal;
}

float ScaleFor(float x, float y) {
    return (y >= 60.0f || x >= 140.0f) ? 1.0f : kMillimetreToInch;
}

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string Choose(bool mirror, float x, float y, const ScanRecord& record,
                   const MachineFieldModel& fields) {
    const float scale = ScaleFor(x, y);
    const bool xSmall = UnderLimit(scale, fields.HlfLimX, x);
    const bool ySmall = UnderLimit(scale, fields.HlfLimY, y);
    for (const Candidate& c : Candidates(mirror, record.SwapOrder)) {
        // Only a plain check counts; the grey state does not enable a field.
        if (fields.Flag(c.slot) == 1 && Fits(c.fit, xSmall, ySmall)) {
            return fields.Code(c.slot);
        }
    }
    return fields.Code(mirror ? FieldSlot::SFM : FieldSlot::SFN);
}

} // namespace

std::string ExplainFieldChoice(int mode, float x, float y, const ScanRecord& record,
                               const MachineFieldModel& fields) {
    const bool mirror = MirrorGroupOf(mode, record);
    const float scale = ScaleFor(x, y);
    const bool xSmall = UnderLimit(scale, fields.HlfLimX, x);
    const bool ySmall = UnderLimit(scale, fields.HlfLimY, y);
    std::string why = Number(x) + " x " + Number(y) + " against half limits " + fields.HlfLimX +
                      " x " + fields.HlfLimY + (scale == 1.0f ? "" : " (small piece: inches)") +
                      ": x " + (xSmall ? "within" : "beyond") + ", y " +
                      (ySmall ? "within" : "beyond") + "; " + (mirror ? "mirror" : "normal") +
                      " group" + (record.SwapOrder ? " swapped" : "") + ", tried";
    for (const Candidate& c : Candidates(mirror, record.SwapOrder)) {
        why += std::string(" ") + std::string(SlotName(c.slot));
        if (fields.Flag(c.slot) != 1) {
            why += " off,";
        } else if (!Fits(c.fit, xSmall, ySmall)) {
            why += " too big,";
        } else {
            return why + " fits";
        }
    }
    return why + " none fits, side field " +
           std::string(SlotName(mirror ? FieldSlot::SFM : FieldSlot::SFN)) + " taken";
}

std::string SelectField(int mode, float x, float y, ScanRecord& record, const LabelState& state,
                        const MachineFieldModel& fields) {
    if (mode == kPrimeAndResume || mode == kPrimeFromCode) {
        Prime(mode, record, state);
        return {};
    }
    const bool mirror = UseMirrorGroup(mode, record);
    std::string result = Choose(mirror, x, y, record, fields);
    record.NextMirror = !mirror;
    record.SwapOrder = !record.SwapOrder;
    return result;
}

} // namespace quillet
