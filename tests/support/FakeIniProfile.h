#pragma once

#include "base/IniProfile.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quillet::testing {

// An in-memory profile with case-insensitive names; records every key written in order
// and counts the writes of the file. `failWith`, when set, fails every write.
class FakeIniProfile : public IniProfile {
public:
    void Set(std::string_view section, std::string_view key, std::string_view value);
    bool Has(std::string_view section, std::string_view key) const;
    std::string Get(std::string_view section, std::string_view key) const;

    std::vector<std::pair<std::string, std::string>> writes; // key, value
    int fileWrites = 0;
    FileWrite failWith;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override;
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
    FileWrite WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) override;

private:
    static std::string Name(std::string_view section, std::string_view key);
    std::map<std::string, std::string> values_;
};

} // namespace quillet::testing
