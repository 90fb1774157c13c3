#include "config/FileExists.h"

#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using testing::FakeFileSystem;
using testing::FakeOperator;

// Fails the look-up with `error` as long as `failures` lasts, then finds the file.
class FlakyFileSystem : public FakeFileSystem {
public:
    FsError error = FsError::None;
    int failures = 0;
    FileLookup Lookup(std::string_view path) override {
        if (failures > 0) {
            --failures;
            ++lookups;
            return {error, false, std::string(path), "Input/output error", 5};
        }
        return FakeFileSystem::Lookup(path);
    }
};

TEST(FileExists, FoundAndNotFound) {
    FakeFileSystem fs;
    FakeOperator op;
    fs.files["C:\\x"] = "";
    EXPECT_TRUE(FileExists("C:\\x", fs, op));
    EXPECT_FALSE(FileExists("C:\\y", fs, op));
    EXPECT_TRUE(op.shown.empty());
}

TEST(FileExists, SilentFailures) {
    for (const FsError error :
         {FsError::DeviceUnavailable, FsError::PathNotFound, FsError::NotFound}) {
        FakeFileSystem fs;
        FakeOperator op;
        fs.lookupErrors["A:\\x"] = error;
        EXPECT_FALSE(FileExists("A:\\x", fs, op));
        EXPECT_TRUE(op.shown.empty());
        EXPECT_EQ(op.exitRequests, 0);
    }
}

TEST(FileExists, PromptsRepeatWhileOperatorRetries) {
    const struct {
        FsError error;
        MessageButtons buttons;
        const char* text;
        MessageAnswer again;
    } cases[] = {
        {FsError::DeviceIo, MessageButtons::RetryCancel, "Unformatted Disk", MessageAnswer::Retry},
        {FsError::NotReady, MessageButtons::OkCancel, "Insert Disk", MessageAnswer::Ok},
    };
    for (const auto& c : cases) {
        FlakyFileSystem fs;
        FakeOperator op;
        fs.files["A:\\x"] = "";
        fs.error = c.error;
        fs.failures = 2;
        op.answers = {c.again, c.again};
        EXPECT_TRUE(FileExists("A:\\x", fs, op)) << c.text;
        ASSERT_EQ(op.shown.size(), 2u);
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Question);
        EXPECT_EQ(op.shown[0].buttons, c.buttons);
        EXPECT_EQ(op.shown[0].title, "Quillet");
        EXPECT_EQ(op.shown[0].text, c.text);
        EXPECT_EQ(fs.lookups, 3);

        fs.failures = 5;
        op.answers = {c.again, MessageAnswer::Cancel};
        EXPECT_FALSE(FileExists("A:\\x", fs, op)) << c.text;
        EXPECT_EQ(fs.lookups, 5);
    }
}

TEST(FileExists, UnexpectedFailureEndsTheProgram) {
    FlakyFileSystem fs;
    FakeOperator op;
    fs.files["C:\\x"] = "";
    fs.error = FsError::AccessDenied;
    fs.failures = 1;
    EXPECT_EQ(CheckFile("C:\\x", fs, op), FileCheck::Fatal);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.shown[0].text, "Unexpected error # 5 occured: Input/output error");
    EXPECT_EQ(op.exitRequests, 1);
}

} // namespace
} // namespace quillet
