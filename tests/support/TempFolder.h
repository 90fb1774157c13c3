#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet::testing {

// A fresh folder under the system's temporary folder, removed with everything in it. On
// Windows it lies below the working folder and its path carries no drive letter, so that
// tests mapping every drive onto folders of their own still reach it as it stands.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    void Write(std::string_view name, std::string_view data) const;
    // Makes the folder and any missing one above it; false when it cannot.
    bool MakeFolder(std::string_view name) const;
    std::string Read(std::string_view name) const;
    // Names in the folder (not recursive), sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

} // namespace quillet::testing
