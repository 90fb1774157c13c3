// Loads the machine field table and the auto-selection settings from an arbitrary INI
// file, stores them and loads what was stored: it must load back as the same values (the
// codes upper-cased).

#include "base/Text.h"
#include "config/IniDocument.h"
#include "fields/AutoSelEditor.h"
#include "fields/MachineFieldStore.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

using namespace quillet;

bool SameSlot(const AutoSelSlot& a, const AutoSelSlot& b) {
    return a.AlignLeft == b.AlignLeft && a.Position == b.Position && a.TriggerText == b.TriggerText;
}

bool SameStoredValues(const MachineFieldModel& a, const MachineFieldModel& b) {
    const AutoSelState& s = a.autoSel;
    const AutoSelState& t = b.autoSel;
    return a.codes == b.codes && a.flags == b.flags && a.HlfLimX == b.HlfLimX &&
           a.HlfLimY == b.HlfLimY && a.target == b.target &&
           SameSlot(s.PNameMirror, t.PNameMirror) && SameSlot(s.PNameNandM, t.PNameNandM) &&
           SameSlot(s.CommentMirror, t.CommentMirror) && SameSlot(s.CommentNandM, t.CommentNandM) &&
           s.PNameMSel == t.PNameMSel && s.CommentMSel == t.CommentMSel;
}

// The keys of one section as written, each read back as the profile reads a value: blanks
// at both ends dropped, then one pair of wrapping quotes. A store of some sixty keys into a
// whole file, re-read after every write, would be far too slow for fuzzing; the file's own
// editing has a target of its own.
class StoredKeys final : public IniProfile {
public:
    // Forgets what the last input stored.
    void Begin() { ++input_; }

    std::string ReadString(std::string_view, std::string_view key, std::string_view fallback,
                           std::size_t bufferSize) const override {
        const std::string* found = Find(key);
        if (found == nullptr) {
            return std::string(fallback.substr(0, bufferSize - 1)); // fallbacks hold no blanks
        }
        std::string_view stored = *found;
        while (!stored.empty() && (stored.front() == ' ' || stored.front() == '\t')) {
            stored.remove_prefix(1);
        }
        while (!stored.empty() && (stored.back() == ' ' || stored.back() == '\t')) {
            stored.remove_suffix(1);
        }
        std::string value(stored);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value.substr(0, bufferSize - 1);
    }
    int ReadInt(std::string_view, std::string_view, int fallback) const override {
        return fallback; // the machine fields read every value as text
    }
    FileWrite WriteEntries(std::string_view section,
                           const std::vector<IniEntry>& entries) override {
        if (!IniDocument::Writable(section, entries)) {
            return {FsError::Other, IniDocument::kNotWritableText};
        }
        for (const IniEntry& entry : entries) {
            Stored& stored = values_[entry.key];
            stored.value = entry.value;
            stored.input = input_;
        }
        return {};
    }

private:
    // The store spells each key the same way every time.
    const std::string* Find(std::string_view key) const {
        const auto found = values_.find(key);
        if (found == values_.end() || found->second.input != input_) {
            return nullptr;
        }
        return &found->second.value;
    }

    // A value counts for the input that wrote it only. The keys stay, so the next input's
    // store writes into the strings this one left instead of allocating its own.
    struct Stored {
        std::string value;
        unsigned input = 0;
    };
    struct KeyHash {
        using is_transparent = void; // looked up by string_view, without a copy
        std::size_t operator()(std::string_view key) const {
            return std::hash<std::string_view>{}(key);
        }
    };
    std::unordered_map<std::string, Stored, KeyHash, std::equal_to<>> values_;
    unsigned input_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IniDocument input(std::string(reinterpret_cast<const char*>(data), size));
    MachineFieldModel first;
    AutoSelEditor firstEditor(first);
    LoadMachineFields(input, firstEditor);
    static StoredKeys stored;
    stored.Begin();
    StoreMachineFields(stored, firstEditor);

    MachineFieldModel second;
    AutoSelEditor secondEditor(second);
    LoadMachineFields(stored, secondEditor);
    for (std::string& code : first.codes) {
        code = UpperCase(code); // codes are stored upper-cased
    }
    FUZZ_CHECK(SameStoredValues(first, second));
    return 0;
}
