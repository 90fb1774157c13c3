#include "app/ScannerCheck.h"

#include "app/ScannerInput.h"
#include "app/ScannerTestText.h"
#include "base/Trace.h"

#include <cctype>
#include <optional>

namespace quillet {

namespace {

using namespace scanner_test_text;

struct BodyMatch {
    std::size_t length;
    CaseChange caseChange;
    GsChange gs;
    char gsAs;
};

bool SameChar(char scanned, char expected, CaseChange change) {
    const auto e = static_cast<unsigned char>(expected);
    switch (change) {
    case CaseChange::Upper:
        return scanned == static_cast<char>(std::toupper(e));
    case CaseChange::Lower:
        return scanned == static_cast<char>(std::tolower(e));
    case CaseChange::None:
        break;
    }
    return scanned == expected;
}

// The reference text read at `pos` with one case change and one treatment of GS.
std::optional<BodyMatch> MatchAt(std::string_view scan, std::size_t pos, std::string_view text,
                                 CaseChange change, GsChange gs) {
    BodyMatch match{0, change, gs, 0};
    std::size_t i = pos;
    for (const char c : text) {
        if (c == kGroupSeparator && gs != GsChange::Kept) {
            if (gs == GsChange::Changed) {
                if (i >= scan.size() || scan[i] == kGroupSeparator) {
                    return std::nullopt;
                }
                match.gsAs = scan[i++];
            }
            continue;
        }
        if (i >= scan.size() || !SameChar(scan[i], c, change)) {
            return std::nullopt;
        }
        ++i;
    }
    match.length = i - pos;
    return match;
}

// The first place and reading at which `text` is found; as it is before any change.
std::optional<std::pair<std::size_t, BodyMatch>> Find(std::string_view scan,
                                                      std::string_view text) {
    const bool hasGs = text.find(kGroupSeparator) != std::string_view::npos;
    for (const CaseChange change : {CaseChange::None, CaseChange::Upper, CaseChange::Lower}) {
        for (const GsChange gs : {GsChange::Kept, GsChange::Dropped, GsChange::Changed}) {
            if (gs != GsChange::Kept && !hasGs) {
                continue;
            }
            for (std::size_t pos = 0; pos < scan.size(); ++pos) {
                if (const auto match = MatchAt(scan, pos, text, change, gs)) {
                    return std::make_pair(pos, *match);
                }
            }
        }
    }
    return std::nullopt;
}

ScannerFinding Infer(std::string_view scan, const ReferenceLabel& reference, std::size_t pos,
                     const BodyMatch& match) {
    ScannerFinding finding;
    finding.reference = &reference;
    finding.caseChange = match.caseChange;
    finding.gs = match.gs;
    finding.gsAs = match.gsAs;
    std::string head(scan.substr(0, pos));
    std::string tail(scan.substr(pos + match.length));
    if (head.starts_with(ScannerInput::kStx) && tail.ends_with(ScannerInput::kEtx)) {
        finding.stxEtx = true;
        head.erase(0, 1);
        tail.pop_back();
    }
    const std::size_t idLength = ScannerInput::kSymbologyIdLength;
    if (head.size() >= idLength && StartsWithSymbologyId(head.substr(head.size() - idLength))) {
        finding.symbologyId = head.substr(head.size() - idLength);
        head.resize(head.size() - idLength);
    }
    finding.setup = {head, tail, !finding.symbologyId.empty()};
    return finding;
}

std::string OrNone(const std::string& bytes) {
    return bytes.empty() ? kNone : EscapeTraceText(bytes);
}

} // namespace

ScannerFinding CheckScan(std::string_view scan, const ScannerSetup& current) {
    for (const ReferenceLabel& reference : kReferenceLabels) {
        if (const auto found = Find(scan, reference.text)) {
            return Infer(scan, reference, found->first, found->second);
        }
    }
    ScannerFinding finding;
    const CleanedInput cleaned = ScannerInput(current).Clean(scan);
    finding.madeLabel = cleaned.isLabel;
    finding.made = cleaned.label;
    return finding;
}

std::vector<std::string> DescribeFinding(const ScannerFinding& f) {
    if (f.reference == nullptr) {
        return {kNotReference,
                f.madeLabel ? kCurrentMake + EscapeTraceText(f.made) : kCurrentMakeNothing};
    }
    std::vector<std::string> lines{
        std::string(kFound) + f.reference->symbology + kFoundEnd, kPrefix + OrNone(f.setup.prefix),
        kSymbologyId + (f.symbologyId.empty()
                            ? std::string(kNone)
                            : f.symbologyId + " (" + SymbologyName(f.symbologyId[1]) + ")"),
        kSuffix + OrNone(f.setup.suffix)};
    if (f.stxEtx) {
        lines.emplace_back(kStxEtx);
    }
    if (f.caseChange != CaseChange::None) {
        lines.emplace_back(f.caseChange == CaseChange::Upper ? kUpperCase : kLowerCase);
    }
    if (f.gs == GsChange::Dropped) {
        lines.emplace_back(kGsDropped);
    } else if (f.gs == GsChange::Changed) {
        lines.emplace_back(kGsChanged + EscapeTraceText(std::string(1, f.gsAs)));
    }
    return lines;
}

} // namespace quillet
