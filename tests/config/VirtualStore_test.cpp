#include "config/VirtualStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace quillet {
namespace {

using Path = std::filesystem::path;

TEST(VirtualStoreCopy, SamePathWithoutItsDriveBelowTheStore) {
    const Path store = Path("VS");
    const std::optional<Path> none;
    const struct {
        Path store;
        std::string file;
        std::optional<Path> copy;
    } cases[] = {
        {store, "C:\\Windows\\ZOR.INI", store / "Windows" / "ZOR.INI"},
        {store, "d:/Program Files (x86)/Tormial/ZOR.INI",
         store / "Program Files (x86)" / "Tormial" / "ZOR.INI"},
        {store, "C:\\Tormial\\\\ZOR.INI", store / "Tormial" / "ZOR.INI"},
        // The current drive's root.
        {store, "\\Windows\\ZOR.INI", store / "Windows" / "ZOR.INI"},
        // Network shares and relative paths are never virtualized.
        {store, "\\\\server\\tormial\\ZOR.INI", none},
        {store, "C:ZOR.INI", none},
        {store, "ZOR.INI", none},
        {store, "", none},
        {Path(), "C:\\Windows\\ZOR.INI", none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualStoreCopy(c.store, c.file), c.copy) << c.file;
    }
}

} // namespace
} // namespace quillet
