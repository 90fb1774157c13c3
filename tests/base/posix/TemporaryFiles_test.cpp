#include "base/TemporaryFiles.h"

#include "base/NativeFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillet {
namespace {

using testing::TempFolder;

long DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(TemporaryFilesTest, WriteClearsLeftoversOfEndedRunsAndNothingElse) {
    TempFolder dir;
    const long dead = DeadPid();
    const std::string ours = std::to_string(::getpid());
    dir.Write("ZOR.INI", "old");
    dir.Write(TemporaryName("ZOR.INI", dead), "half");
    dir.Write(TemporaryName("P1.CNC", dead), "half");
    dir.Write(TemporaryName("ZOR.INI", ::getpid()), "half"); // an earlier process, same id
    const std::vector<std::string> kept = {
        TemporaryName("ZOR.INI", 1), // its process lives
        "ZOR.INI.quillet-12x.tmp",
        "ZOR.INI.tmp123",
        "notes.txt",
    };
    for (const std::string& name : kept) {
        dir.Write(name, "keep");
    }
    ASSERT_EQ(::mkdir((dir / TemporaryName("D", dead)).c_str(), 0755), 0);

    ASSERT_TRUE(WriteFileAtomic(dir / "ZOR.INI", "new").ok());

    std::vector<std::string> expected = kept;
    expected.push_back(TemporaryName("D", dead));
    expected.push_back("ZOR.INI");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Names(), expected);
    EXPECT_EQ(dir.Read("ZOR.INI"), "new");
}

} // namespace
} // namespace quillet
