#include "host/ListFile.h"

#include "base/FileSystem.h"
#include "base/InsideFolder.h"
#include "base/LabelReset.h"
#include "base/LabelState.h"
#include "base/Operator.h"
#include "base/Text.h"
#include "base/WindowState.h"
#include "config/LineReader.h"
#include "config/Settings.h"
#include "host/HostControl.h"
#include "host/TextSplitter.h"

#include <array>

namespace quillet {

namespace {

bool IsMissing(FsError error) {
    return error == FsError::NotFound || error == FsError::PathNotFound;
}

} // namespace

std::vector<std::string> RetainedListLines(std::string_view data) {
    std::vector<std::string> lines;
    LineReader reader(data);
    for (auto line = reader.Next(); line; line = reader.Next()) {
        if (TrimBlanks(*line).size() >= kMinListLineLength) {
            lines.emplace_back(*line);
        }
    }
    return lines;
}

void StoreListLine(std::string_view line, Parser& parser, LabelState& label) {
    // Field number -> member; fields 8 and 11 are not used.
    const std::array<std::pair<int, std::string LabelState::*>, 17> map = {{
        {1, &LabelState::ProgramName},
        {2, &LabelState::HostValue164},
        {3, &LabelState::FieldCode},
        {4, &LabelState::HostValue165},
        {5, &LabelState::DimX},
        {6, &LabelState::DimY},
        {7, &LabelState::DimZ},
        {9, &LabelState::HostValue282},
        {10, &LabelState::VarV},
        {12, &LabelState::VarA},
        {13, &LabelState::VarB},
        {14, &LabelState::VarC},
        {15, &LabelState::VarD},
        {16, &LabelState::VarE},
        {17, &LabelState::VarF},
        {18, &LabelState::VarG},
        {19, &LabelState::VarI},
    }};
    parser.Separators(";");
    parser.Text(line);
    for (const auto& [field, member] : map) {
        label.*member = parser.Field(field);
    }
}

std::string ListFile::FullName(std::string_view name) const {
    return settings_.GCodePath + std::string(name) + kExtension;
}

bool ListFile::LoadListFile(const std::string& name) {
    const std::string fullName = FullName(name);
    added_ = 0;
    // A list name comes from a label; it must not lead the read out of the program folder.
    if (!StaysInFolder(name)) {
        return Fail("List File " + fullName + " lies outside the program folder");
    }
    const FileRead read = files_.ReadAll(fullName);
    if (read.error != FsError::None) {
        return Fail(IsMissing(read.error) ? "List File " + fullName + " Not Found" : "");
    }
    const std::vector<std::string> lines = RetainedListLines(read.data);
    if (lines.size() < 2) {
        operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                          "List File " + fullName + " Empty");
        host_.ShowReady();
        window_.HideRowIndicators();
        return false;
    }
    if (!AddEntries(lines)) {
        return Fail("");
    }
    host_.Pause(0.6);
    host_.ShowReady();
    window_.HideRowIndicators();
    ResetLabelState(label_);
    return true;
}

bool ListFile::AddEntries(const std::vector<std::string>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        StoreListLine(lines[i], parser_, label_);
        window_.SetStatus(HostControl::kAddingStatus);
        if (!host_.HostAddLine()) {
            return false;
        }
        ++added_;
        if (!host_.SetDeviceStatus(HostControl::kAddProgStatus, 1)) {
            return false;
        }
    }
    return !window_.autoStart() || host_.HostStart();
}

bool ListFile::Fail(const std::string& message) {
    host_.ShowReady();
    if (!message.empty()) {
        operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName, message);
    }
    window_.HideRowIndicators();
    return false;
}

} // namespace quillet
