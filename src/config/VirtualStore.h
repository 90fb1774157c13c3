#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quillet {

// Where Windows keeps its own copy of the file `nativePath` for a 32-bit program without a
// manifest that wrote to it without the rights to (a host installed under Program Files
// writing its ZOR.INI): the same path, without its drive, below the user's VirtualStore
// folder `store`. Nothing without a store, for a relative path or for a network share.
std::optional<std::filesystem::path> VirtualStoreCopy(const std::filesystem::path& store,
                                                      const std::string& nativePath);

// The status line and the journal when such a copy of the settings file exists.
std::string VirtualStoreText(const std::string& settingsFile, const std::string& copy);

} // namespace quillet
