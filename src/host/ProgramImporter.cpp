#include "host/ProgramImporter.h"

#include "base/FileSystem.h"
#include "base/LabelState.h"
#include "base/Text.h"
#include "base/WindowState.h"
#include "host/EntrySink.h"
#include "host/HostControl.h"
#include "host/ProgramFileName.h"
#include "host/ProgramLabelHeader.h"
#include "host/ProgramReader.h"

#include <algorithm>
#include <array>

namespace quillet {

namespace {

constexpr SendOptions kImportSend{.notifyAddProgram = true, .acknowledgeScanner = false};

// What a failed write may have to put back: the label and the indicators as they were.
struct Snapshot {
    LabelState label;
    std::array<bool, WindowState::kRowIndicators> rows{};
};

Snapshot Take(const LabelState& label, const WindowState& window) {
    Snapshot s{label, {}};
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        s.rows[static_cast<std::size_t>(i)] = window.RowIndicatorVisible(i);
    }
    return s;
}

void Restore(const Snapshot& s, LabelState& label, WindowState& window) {
    label = s.label;
    window.HideRowIndicators();
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        if (s.rows[static_cast<std::size_t>(i)]) {
            window.ShowRowIndicator(i);
        }
    }
}

std::string NameRefusal(std::string_view what, std::string_view name, const std::string& fault) {
    return "Barcode refused: " + std::string(what) + " " + PrintableName(TrimBlanks(name)) + " " +
           fault + ".";
}

} // namespace

std::string_view WithoutPrefix(std::string_view label) {
    if (label.empty() || label.front() != ProgramImporter::kPrefixMarker) {
        return label;
    }
    return label.substr(std::min(label.size(), ProgramImporter::kPrefixLength));
}

ImportResult ProgramImporter::ImportProgramLabel(std::string label) {
    host_.BeginLabel();
    const std::string_view text = WithoutPrefix(label);
    if (const std::size_t bang = text.find('!'); bang != std::string_view::npos) {
        return ImportProgram(text, bang);
    }
    if (text.starts_with(kListLabelStart)) {
        return ImportList(text);
    }
    return SendHeld();
}

// Every refusal comes before the first-label step, so a refused label leaves the host
// list as it was.
ImportResult ProgramImporter::ImportProgram(std::string_view text, std::size_t bang) {
    const ProgramLabelHeader header = ParseProgramLabelHeader(text.substr(0, bang));
    const std::string body = TrimBlanks(text.substr(bang + 1));
    if (TrimBlanks(header.ProgramName).empty()) {
        return Refuse(kNoName);
    }
    if (const std::string fault = ProgramFileNameFault(header.ProgramName); !fault.empty()) {
        return Refuse(NameRefusal("program name", header.ProgramName, fault));
    }
    if (body.find('\0') != std::string::npos) {
        return Refuse(kNulInProgram);
    }

    host_.FirstLabelStep();
    window_.SetStatus(kSaving);
    const Snapshot before = Take(label_, window_);
    label_.ProgramName = header.ProgramName;
    label_.HostValue164 = "1";
    label_.HostValue165 = "1";
    window_.ShowRowIndicator(1);
    ApplyHeaderValues(header, label_);
    if (header.HasDimensions()) {
        window_.ShowRowIndicator(2);
    }
    if (header.HasVarsAToD()) {
        window_.ShowRowIndicator(3);
    }
    if (header.HasVarsEToI()) {
        window_.ShowRowIndicator(4);
    }

    if (body.size() >= kMinStoredBody && !StoreProgram(body)) {
        Restore(before, label_, window_);
        return ImportResult::NotSaved;
    }
    float x = 0;
    float y = 0;
    reader_.FillMissingDimensions(x, y);
    return sender_.SendEntries(x, y, kImportSend) ? ImportResult::Added : ImportResult::HostFailed;
}

ImportResult ProgramImporter::ImportList(std::string_view text) {
    const std::size_t start = kListLabelStart.size();
    if (text.size() <= start + kListLabelTail) {
        return Refuse(kNoListName);
    }
    const std::string name(text.substr(start, text.size() - start - kListLabelTail));
    if (TrimBlanks(name).empty()) {
        return Refuse(kNoListName);
    }
    if (const std::string fault = ProgramFileNameFault(name); !fault.empty()) {
        return Refuse(NameRefusal("list name", name, fault));
    }
    host_.FirstLabelStep();
    if (!host_.HostClearList()) {
        return ImportResult::HostFailed;
    }
    if (loadListFile_ && loadListFile_(name)) {
        return ImportResult::ListLoaded;
    }
    return ImportResult::ListNotLoaded;
}

// A label with "^" but no program text sends what the label state already holds.
ImportResult ProgramImporter::SendHeld() {
    if (TrimBlanks(label_.ProgramName).empty()) {
        return Refuse(kNoName);
    }
    host_.FirstLabelStep();
    return sender_.SendEntries(0, 0, kImportSend) ? ImportResult::Added : ImportResult::HostFailed;
}

// Keeps an existing program unless Overwrite is checked; a file that exists but cannot be
// read is kept as well, since nothing shows that it is empty.
bool ProgramImporter::StoreProgram(std::string_view body) {
    const std::string path = reader_.ProgramPath();
    if (!window_.overwrite()) {
        const FileLookup found = files_.Lookup(path);
        if (found.error == FsError::None && found.isFile) {
            const FileRead read = files_.ReadAll(path);
            if (read.error != FsError::None || !read.data.empty()) {
                return true;
            }
        }
    }
    const FileWrite written = files_.WriteAtomic(path, std::string(body) + "\r\n");
    if (written.ok()) {
        return true;
    }
    std::string status = "Program file " + PrintableName(path) + " not saved";
    if (!written.errorText.empty()) {
        status += ": " + written.errorText;
    }
    window_.SetStatus(status + ".");
    return false;
}

ImportResult ProgramImporter::Refuse(const std::string& why) {
    window_.SetStatus(why);
    return ImportResult::Refused;
}

} // namespace quillet
