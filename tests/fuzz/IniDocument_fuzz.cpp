// Parses arbitrary bytes as an INI file, reads a key, then writes one key. The write may
// change only that key's line (or add it), every other byte stays as it was, a leading
// byte-order mark stays first, and the written value reads back as the profile reads it.

#include "config/IniDocument.h"
#include "fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// What reading gives for a value written as it stands.
std::string ReadBack(std::string_view value) {
    value = TrimBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// The bytes that differ between the two texts, as the span of `before` they replace.
std::string_view Replaced(std::string_view before, std::string_view after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    const std::size_t room = std::min(before.size(), after.size()) - prefix;
    while (suffix < room &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return before.substr(prefix, before.size() - prefix - suffix);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(32);
    const std::string text = input.ConsumeRemainingBytesAsString();

    quillet::IniDocument document(text);
    const std::string before = document.ReadString(section, key, "dflt", 64);
    FUZZ_CHECK(before.size() < 64);
    document.ReadInt(section, key, 7);

    const bool writable = quillet::IniDocument::Writable(section, key, value);
    FUZZ_CHECK(document.Set(section, key, value) == writable);
    const std::string& after = document.Text();
    if (!writable) {
        FUZZ_CHECK(after == text);
        return 0;
    }
    FUZZ_CHECK(Replaced(text, after).find_first_of("\r\n") == std::string_view::npos);
    FUZZ_CHECK(!text.starts_with("\xEF\xBB\xBF") || after.starts_with("\xEF\xBB\xBF"));
    FUZZ_CHECK(document.Value(section, key) == ReadBack(value));
    return 0;
}
