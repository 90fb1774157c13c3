#include "support/FakeIniProfile.h"

#include <cctype>

namespace quillet::testing {

std::string FakeIniProfile::Name(std::string_view section, std::string_view key) {
    std::string name = std::string(section) + '\n' + std::string(key);
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

void FakeIniProfile::Set(std::string_view section, std::string_view key, std::string_view value) {
    values_[Name(section, key)] = std::string(value);
}

bool FakeIniProfile::Has(std::string_view section, std::string_view key) const {
    return values_.count(Name(section, key)) != 0;
}

std::string FakeIniProfile::Get(std::string_view section, std::string_view key) const {
    auto it = values_.find(Name(section, key));
    return it == values_.end() ? std::string() : it->second;
}

std::string FakeIniProfile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback, std::size_t bufferSize) const {
    auto it = values_.find(Name(section, key));
    std::string value = it == values_.end() ? std::string(fallback) : it->second;
    if (bufferSize > 0 && value.size() > bufferSize - 1) {
        value.resize(bufferSize - 1);
    }
    return value;
}

int FakeIniProfile::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    auto it = values_.find(Name(section, key));
    if (it == values_.end()) {
        return fallback;
    }
    std::size_t i = 0;
    const std::string& v = it->second;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) {
        ++i;
    }
    int value = 0;
    for (; i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])) && value < 100000000;
         ++i) {
        value = value * 10 + (v[i] - '0');
    }
    return value;
}

FileWrite FakeIniProfile::WriteEntries(std::string_view section,
                                       const std::vector<IniEntry>& entries) {
    if (!failWith.ok()) {
        return failWith;
    }
    ++fileWrites;
    for (const IniEntry& entry : entries) {
        writes.emplace_back(entry.key, entry.value);
        Set(section, entry.key, entry.value);
    }
    return {};
}

} // namespace quillet::testing
