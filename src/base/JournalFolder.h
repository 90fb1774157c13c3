#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The folder a journal keeps its day files in. One file is open at a time; writes are
// buffered until Flush().
class JournalFolder {
public:
    virtual ~JournalFolder() = default;
    // The names of the files in the folder; empty when there is none or it cannot be read.
    virtual std::vector<std::string> Names() = 0;
    virtual bool Remove(const std::string& name) = 0;
    // Opens the file for appending, creating the folder and the file where missing, and
    // closes the one open before. Its size, or nothing when it cannot be opened.
    virtual std::optional<std::uint64_t> Open(const std::string& name) = 0;
    virtual bool Write(std::string_view bytes) = 0;
    virtual bool Flush() = 0;
    // A file's whole text as it stands on disk; nothing when it cannot be read.
    virtual std::optional<std::string> Read(const std::string& /*name*/) { return std::nullopt; }
    virtual void Close() = 0;
    // Where the file lives on this machine, as the operator reads it.
    virtual std::string NativePath(const std::string& name) const = 0;
    // The same, as the system spells it (for opening it in the operator's own programs).
    virtual std::filesystem::path FilePath(const std::string& name) const = 0;
};

// The journal folder on disk.
class DiskJournalFolder final : public JournalFolder {
public:
    // The folder stays in the system's characters: a user's folder may have a name that the
    // single-byte text cannot spell.
    explicit DiskJournalFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
    DiskJournalFolder(const DiskJournalFolder&) = delete;
    DiskJournalFolder& operator=(const DiskJournalFolder&) = delete;
    ~DiskJournalFolder() override { Close(); }

    std::vector<std::string> Names() override;
    bool Remove(const std::string& name) override;
    std::optional<std::uint64_t> Open(const std::string& name) override;
    bool Write(std::string_view bytes) override;
    bool Flush() override;
    std::optional<std::string> Read(const std::string& name) override;
    void Close() override;
    std::string NativePath(const std::string& name) const override;
    std::filesystem::path FilePath(const std::string& name) const override;

private:
    std::filesystem::path folder_;
    std::FILE* file_ = nullptr;
};

} // namespace quillet
