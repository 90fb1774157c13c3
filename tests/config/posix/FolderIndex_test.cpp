#include "config/posix/FolderIndex.h"

#include "base/TemporaryFiles.h"
#include "config/NativeFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillet {
namespace {

using testing::TempFolder;

// Long enough for a folder's time stamp to be trusted on file systems that keep fractions of
// a second, as the temporary folder's do.
void WaitUntilSettled() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

TEST(FolderIndex, FindsNamesWithoutRegardToCase) {
    TempFolder dir;
    dir.Write("Part1.cnc", "");
    dir.Write("part2.cnc", "");
    dir.Write("PART2.CNC", "");
    FolderIndex index;
    const struct {
        std::string name;
        std::optional<std::string> found;
    } cases[] = {
        {"PART1.CNC", "Part1.cnc"},
        {"Part2.Cnc", "PART2.CNC"}, // the smallest of several variants
        {"PART3.CNC", std::nullopt},
        {"..", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index.Find(dir.path(), c.name), c.found) << c.name;
    }
    EXPECT_EQ(index.Find(dir / "missing", "PART1.CNC"), std::nullopt);
}

// Right after a change (the folder was just made) and once the folder has settled.
TEST(FolderIndex, SeesWhatAnotherProgramAddsOrRemovesAtTheNextLookUp) {
    for (const bool settled : {false, true}) {
        TempFolder dir;
        FolderIndex index;
        ASSERT_EQ(index.Find(dir.path(), "NEW.CNC"), std::nullopt);
        if (settled) {
            WaitUntilSettled();
            ASSERT_EQ(index.Find(dir.path(), "NEW.CNC"), std::nullopt);
        }
        dir.Write("new.cnc", "");
        EXPECT_EQ(index.Find(dir.path(), "NEW.CNC"), "new.cnc") << settled;
        std::remove((dir / "new.cnc").c_str());
        EXPECT_EQ(index.Find(dir.path(), "NEW.CNC"), std::nullopt) << settled;
    }
}

TEST(FolderIndex, SettledFolderIsReadOnce) {
    TempFolder dir;
    dir.Write("A.CNC", "");
    WaitUntilSettled();
    FolderIndex index;
    for (int i = 0; i < 100; ++i) {
        index.Find(dir.path(), "missing" + std::to_string(i));
    }
    EXPECT_EQ(index.Find(dir.path(), "a.cnc"), "A.CNC");
    EXPECT_EQ(index.Reads(), 1);
}

// Our own writes go into the index without a read; the folder is read once more after the
// write's time stamp has settled, in case someone else changed it in the same tick.
TEST(FolderIndex, OwnWritesAreIndexedAndCheckedOnceLater) {
    TempFolder dir;
    WaitUntilSettled();
    NativeFileSystem files{PathMap()};
    const FolderIndex& index = files.Index();
    EXPECT_FALSE(files.Lookup(dir / "PROG1.CNC").isFile);
    ASSERT_EQ(index.Reads(), 1);

    ASSERT_TRUE(files.WriteAtomic(dir / "Prog1.cnc", "G0").ok());
    ASSERT_TRUE(files.Append(dir / "Out.csv", "a\r\n").ok());
    EXPECT_EQ(files.Lookup(dir / "PROG1.CNC").nativePath, dir / "Prog1.cnc");
    EXPECT_EQ(files.Lookup(dir / "OUT.CSV").nativePath, dir / "Out.csv");
    EXPECT_EQ(index.Reads(), 1);

    // Past the settling time, and past the spacing the cost of reading the folder sets.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_FALSE(files.Lookup(dir / "PROG2.CNC").isFile);
    EXPECT_FALSE(files.Lookup(dir / "PROG3.CNC").isFile);
    EXPECT_EQ(index.Reads(), 2);
}

// Leftovers of whole-or-nothing writes are found in the index, not by reading the folder at
// every write.
TEST(FolderIndex, WritesClearLeftoversWithoutReadingTheFolderEachTime) {
    TempFolder dir;
    const std::string leftover = TemporaryName("P0.CNC", ::getpid()); // an earlier run's
    dir.Write(leftover, "half");
    WaitUntilSettled();
    NativeFileSystem files{PathMap()};
    std::vector<std::string> written;
    for (int i = 0; i < 20; ++i) {
        written.push_back("P" + std::to_string(i) + ".CNC");
        ASSERT_TRUE(files.WriteAtomic(dir / written.back(), "G0").ok());
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(dir.Names(), written);
    EXPECT_LT(files.Index().Reads(), 5);
}

} // namespace
} // namespace quillet
