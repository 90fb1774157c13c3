#include "support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace quillet::testing {

namespace {

std::filesystem::path Parent() {
#ifdef _WIN32
    std::error_code error;
    return "/" / std::filesystem::current_path(error).relative_path();
#else
    return std::filesystem::temp_directory_path();
#endif
}

} // namespace

TempFolder::TempFolder() {
    const std::filesystem::path parent = Parent();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto folder = parent / ("quillet-test-" + std::to_string(random() % 1000000));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) {
            path_ = folder.generic_string();
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) {
        std::filesystem::remove_all(path_, ignored);
    }
}

void TempFolder::Write(std::string_view name, std::string_view data) const {
    std::ofstream out(*this / name, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

bool TempFolder::MakeFolder(std::string_view name) const {
    std::error_code error;
    return std::filesystem::create_directories(*this / name, error);
}

std::string TempFolder::Read(std::string_view name) const {
    std::ifstream in(*this / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace quillet::testing
