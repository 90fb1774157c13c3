#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    void Write(std::string_view name, std::string_view data) const;
    std::string Read(std::string_view name) const;
    // Names in the folder (not recursive), sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

} // namespace quillet::testing
