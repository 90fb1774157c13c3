#include "base/WholeWrite.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

// A file on a disk with room for `room` more bytes than the file holds now: growing past
// it fails, and so does every byte written past it (the bytes up to it land).
class FakeFullDiskFile final : public OpenFile {
public:
    FakeFullDiskFile(std::string content, std::size_t room)
        : content_(std::move(content)), limit_(content_.size() + room) {}

    std::optional<std::uint64_t> Size() override { return content_.size(); }
    bool Resize(std::uint64_t size) override {
        if (size > limit_) {
            return false;
        }
        content_.resize(size, '\0');
        return true;
    }
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        for (std::size_t i = 0; i < data.size(); ++i, ++offset) {
            if (offset >= limit_) {
                return false;
            }
            if (offset >= content_.size()) {
                content_.resize(offset + 1);
            }
            content_[offset] = data[i];
        }
        return true;
    }
    bool Flush() override { return true; }

    const std::string& Content() const { return content_; }

private:
    std::string content_;
    std::size_t limit_;
};

// Every writer that writes in place comes down to one of these two: the settings and the
// field table (the rewrite where the folder takes no new file), the companion CSV (the
// append). A full disk at any byte leaves the old content whole; with room, the new one.
TEST(WholeWrite, FullDiskAtAnyByteLeavesTheOldContentWhole) {
    const std::string old = "[Quillet]\r\nA=1\r\n";
    struct Case {
        const char* name;
        bool append;
        std::string data;
        std::string written; // the content once it fits
    };
    const std::string longer = "[Quillet]\r\nA=1\r\nB=22222222\r\n";
    for (const Case& c : {Case{"rewrite, longer", false, longer, longer},
                          Case{"rewrite, shorter", false, "[Q]\r\n", "[Q]\r\n"},
                          Case{"append", true, "PART;1;2\r\n", old + "PART;1;2\r\n"}}) {
        const std::size_t needed =
            c.written.size() > old.size() ? c.written.size() - old.size() : 0;
        for (std::size_t room = 0; room <= needed; ++room) {
            SCOPED_TRACE(std::string(c.name) + ", room " + std::to_string(room));
            FakeFullDiskFile file(old, room);
            const bool ok = c.append ? AppendWhole(file, c.data) : RewriteWhole(file, c.data);
            EXPECT_EQ(ok, room == needed);
            EXPECT_EQ(file.Content(), ok ? c.written : old);
        }
    }
}

} // namespace
} // namespace quillet
