#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Maps the paths the program reads or builds onto this machine's file system.
// A backslash is always a separator. A path with a drive letter ("C:\Tormial\Bin",
// "c:rel", "D:\") goes through the drive map; its ".." cannot climb above the drive's
// folder, as on the drive itself. A native absolute path stays as it is; a relative path
// stays relative.
class PathMap {
public:
    // Drives without a folder of their own map to `<drivesRoot>/<lower-case letter>`; with
    // no root (where drive letters are native) such a path is used exactly as given.
    explicit PathMap(std::optional<std::string> drivesRoot = "drives");

    // False for a character that is not a letter A-Z (either case).
    bool SetDrive(char letter, std::string nativeFolder);
    std::string DriveFolder(char letter) const;

    std::string ToNative(std::string_view path) const;

private:
    std::optional<std::string> drivesRoot_;
    std::array<std::optional<std::string>, 26> drives_;
};

} // namespace quillet
