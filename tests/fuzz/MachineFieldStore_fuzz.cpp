// Loads the machine field table and the auto-selection settings from an arbitrary INI
// file, stores them into a fresh file and loads that again. What was stored must load
// back as the same values (codes upper-cased), and storing those gives the same file.

#include "config/IniDocument.h"
#include "config/Text.h"
#include "fields/AutoSelEditor.h"
#include "fields/MachineFieldStore.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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

// The keys of one section as written, each read back as a one-entry INI file would read
// it: a store of some sixty keys into a whole file, re-read after every write, would be
// far too slow for fuzzing, and the file's own editing has a target of its own.
class StoredKeys final : public IniProfile {
public:
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override {
        return Entry(section, key).ReadString(section, key, fallback, bufferSize);
    }
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override {
        return Entry(section, key).ReadInt(section, key, fallback);
    }
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        if (!IniDocument::Writable(section, key, value)) {
            return false;
        }
        const std::string name = UpperCase(key);
        if (values_.emplace(name, value).second) {
            order_.push_back(name);
        } else {
            values_[name] = value;
        }
        return true;
    }
    std::string Text() const {
        std::string text;
        for (const std::string& key : order_) {
            text += key + "=" + values_.at(key) + "\n";
        }
        return text;
    }

private:
    IniDocument Entry(std::string_view section, std::string_view key) const {
        const auto found = values_.find(UpperCase(key));
        return found == values_.end() ? IniDocument()
                                      : IniDocument("[" + std::string(section) + "]\n" +
                                                    found->first + "=" + found->second);
    }

    std::map<std::string, std::string> values_;
    std::vector<std::string> order_;
};

// Loads `from`, stores into fresh keys and hands them back.
template <typename Profile>
void LoadAndStore(const Profile& from, MachineFieldModel& model, StoredKeys& stored) {
    AutoSelEditor editor(model);
    LoadMachineFields(from, editor);
    StoreMachineFields(stored, editor);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IniDocument input(std::string(reinterpret_cast<const char*>(data), size));
    MachineFieldModel first;
    StoredKeys stored;
    LoadAndStore(input, first, stored);
    MachineFieldModel second;
    StoredKeys again;
    LoadAndStore(stored, second, again);
    FUZZ_CHECK(again.Text() == stored.Text());
    for (std::string& code : first.codes) {
        code = UpperCase(code); // codes are stored upper-cased
    }
    FUZZ_CHECK(SameStoredValues(first, second));
    return 0;
}
