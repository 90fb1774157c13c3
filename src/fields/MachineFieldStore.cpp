#include "fields/MachineFieldStore.h"

#include "base/Numbers.h"
#include "base/Text.h"
#include "config/ReadIniString.h"
#include "config/Settings.h"

#include <iterator>
#include <limits>
#include <string>

namespace quillet {

namespace {

struct SlotKeys {
    const char* name;
    AutoSelSlot AutoSelState::*slot;
};

// The order of reading and writing the trigger slots.
constexpr SlotKeys kTriggerSlots[] = {
    {"PNameMirror", &AutoSelState::PNameMirror},
    {"PNameNandM", &AutoSelState::PNameNandM},
    {"CommentMirror", &AutoSelState::CommentMirror},
    {"CommentNandM", &AutoSelState::CommentNandM},
};

using namespace setting_keys;

// Two keys per field slot, the two half limits, the target, three keys per trigger slot and
// the two variant choices.
constexpr std::size_t kStoredEntries =
    2 * kFieldSlotCount + 2 + 1 + 3 * std::size(kTriggerSlots) + 2;

std::string Read(const IniProfile& ini, const std::string& key) {
    return ReadIniString(ini, kSection, key);
}

// A check box holds 0, 1 or 2 (grey); anything else would be a state it cannot show.
std::int16_t LoadFlag(const std::string& text) {
    const std::optional<std::int16_t> value = LeadingInt16(text);
    if (!value || *value < 0 || *value > 2) {
        return 0;
    }
    return *value;
}

std::int16_t LoadInt16OrZero(const std::string& text) {
    return LeadingInt16(text).value_or(0);
}

std::int16_t LoadClampedInt16(const std::string& text) {
    const double number = LeadingNumber(text);
    if (const std::optional<std::int16_t> value = RoundToInt16(number)) {
        return *value;
    }
    return number < 0 ? std::numeric_limits<std::int16_t>::min()
                      : std::numeric_limits<std::int16_t>::max();
}

// Reading drops blanks at both ends of a value and one pair of quotes around it; a text
// that would lose either is stored inside quotes, so that it reads back as it was typed.
std::string StoredText(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    if (!text.empty() && (blank(text.front()) || blank(text.back()) || quoted)) {
        return '"' + text + '"';
    }
    return text;
}

// Integers from controls carry one leading blank when not negative (" 1", " 0").
std::string FlagText(std::int16_t flag) {
    return flag < 0 ? FormatNumber(flag) : " " + FormatNumber(flag);
}

void LoadFieldTable(const IniProfile& ini, MachineFieldModel& model) {
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        const std::string name(SlotName(slot));
        model.Code(slot) = Read(ini, kFieldCodePrefix + name);
        const std::int16_t flag = LoadFlag(Read(ini, kFieldFlagPrefix + name));
        model.Flag(slot) = SlotHasEnableFlag(slot) ? flag : std::int16_t{1};
    }
    model.HlfLimX = Read(ini, kHalfLimitX.name);
    model.HlfLimY = Read(ini, kHalfLimitY.name);
}

void LoadTarget(const IniProfile& ini, AutoSelEditor& editor) {
    const AutoSelState& state = editor.Model().autoSel;
    // Only an exact 1, 2 or 3 selects: 2.0 is "Comment", 2.5 is nothing.
    const double setting = LeadingNumber(Read(ini, kAutoSelSetting.name));
    if (setting == 1.0) {
        editor.SelectTarget(AutoSelTarget::ProgramName);
        editor.SelectVariant(state.PNameMSel != 0);
    } else if (setting == 2.0) {
        editor.SelectTarget(AutoSelTarget::Comment);
        editor.SelectVariant(state.CommentMSel != 0);
    } else if (setting == 3.0) {
        editor.SelectTarget(AutoSelTarget::Barcode);
    }
}

void LoadTriggerSlots(const IniProfile& ini, AutoSelState& state) {
    for (const SlotKeys& keys : kTriggerSlots) {
        AutoSelSlot& slot = state.*keys.slot;
        const std::string name = keys.name;
        slot.AlignLeft = LoadInt16OrZero(Read(ini, name + kTriggerAlignSuffix));
        slot.Position = LoadClampedInt16(Read(ini, name + kTriggerPositionSuffix));
        slot.TriggerText = Read(ini, name + kTriggerTextSuffix);
    }
}

const char* TargetText(AutoSelTarget target) {
    switch (target) {
    case AutoSelTarget::Barcode:
        return "3";
    case AutoSelTarget::Comment:
        return "2";
    case AutoSelTarget::ProgramName:
        break;
    }
    return "1";
}

} // namespace

void LoadMachineFields(const IniProfile& ini, AutoSelEditor& editor) {
    MachineFieldModel& model = editor.Model();
    LoadFieldTable(ini, model);
    model.autoSel.PNameMSel = LoadInt16OrZero(Read(ini, kPNameMSel.name));
    model.autoSel.CommentMSel = LoadInt16OrZero(Read(ini, kCommentMSel.name));
    LoadTarget(ini, editor);
    LoadTriggerSlots(ini, model.autoSel);
    editor.SetAutoSel();
}

void StoreMachineFields(IniProfile& ini, AutoSelEditor& editor) {
    std::vector<IniEntry> entries;
    entries.reserve(kStoredEntries);
    const auto add = [&entries](std::string key, std::string value) {
        entries.push_back({std::move(key), std::move(value)});
    };
    MachineFieldModel& model = editor.Model();
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        const std::string name(SlotName(slot));
        add(kFieldCodePrefix + name, StoredText(UpperCase(model.Code(slot))));
        const std::int16_t flag = SlotHasEnableFlag(slot) ? model.Flag(slot) : std::int16_t{1};
        add(kFieldFlagPrefix + name, FlagText(flag));
    }
    add(kHalfLimitX.name, StoredText(model.HlfLimX));
    add(kHalfLimitY.name, StoredText(model.HlfLimY));

    editor.GetAutoSel();
    const AutoSelState& state = model.autoSel;
    add(kAutoSelSetting.name, TargetText(model.target));
    for (const SlotKeys& keys : kTriggerSlots) {
        const AutoSelSlot& slot = state.*keys.slot;
        const std::string name = keys.name;
        add(name + kTriggerAlignSuffix, FormatNumber(slot.AlignLeft));
        add(name + kTriggerPositionSuffix, FormatNumber(slot.Position));
        add(name + kTriggerTextSuffix, StoredText(slot.TriggerText));
    }
    add(kPNameMSel.name, FormatNumber(state.PNameMSel));
    add(kCommentMSel.name, FormatNumber(state.CommentMSel));
    ini.WriteEntries(kSection, entries);
}

} // namespace quillet
