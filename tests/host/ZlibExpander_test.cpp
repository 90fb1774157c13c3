#include "host/ZlibExpander.h"

#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace quillet {
namespace {

std::string Compress(const std::string& text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()), 9);
    out.resize(size);
    return out;
}

struct ZlibExpanderTest : ::testing::Test {
    testing::FakeFileSystem fs;
    ZlibExpander expander{fs};
    void SetUp() override { expander.Init(); }
};

TEST_F(ZlibExpanderTest, BufferExpansionStaysInsideTheDestination) {
    const std::string stream = Compress("hello, world");
    std::string destination(8, '.');
    EXPECT_EQ(expander.BufferToBuffer(stream, destination, 12, stream.size()),
              ExpandStatus::Damaged);
    EXPECT_EQ(destination, "........");

    destination.assign(20, '.');
    EXPECT_EQ(expander.BufferToBuffer(stream, destination, 12, stream.size()), ExpandStatus::Ok);
    EXPECT_EQ(destination, "hello, world........");
    EXPECT_EQ(expander.BufferToBuffer(stream, destination, 12, stream.size() + 1),
              ExpandStatus::Damaged);
}

TEST_F(ZlibExpanderTest, FileExpansionNeedsHandlesOfTheRightMode) {
    fs.files["in"] = Compress("abc") + "stale";
    const std::int16_t out = expander.OpenFile("out", ZlibExpander::OpenMode::Create);
    const std::int16_t in = expander.OpenFile("in", ZlibExpander::OpenMode::Read);
    ASSERT_GE(out, 0);
    ASSERT_GE(in, 0);
    EXPECT_EQ(fs.files["out"], "");

    const auto length = static_cast<std::uint32_t>(fs.files["in"].size() - 5);
    EXPECT_EQ(expander.ExpandFile({out, in, length, 3}), ExpandStatus::BadHandle);
    EXPECT_EQ(expander.ExpandFile({in, 99, length, 3}), ExpandStatus::BadHandle);
    EXPECT_EQ(expander.ExpandFile({in, out, length + 100, 3}), ExpandStatus::Damaged);
    EXPECT_EQ(expander.ExpandFile({in, out, length, 3}), ExpandStatus::Ok);
    EXPECT_TRUE(expander.CloseFile(out).ok());
    EXPECT_TRUE(expander.CloseFile(in).ok());
    EXPECT_FALSE(expander.CloseFile(in).ok());
    EXPECT_EQ(fs.files["out"], "abc");
}

TEST_F(ZlibExpanderTest, MissingInputFileGivesNoHandle) {
    EXPECT_EQ(expander.OpenFile("missing", ZlibExpander::OpenMode::Read), -1);
    EXPECT_FALSE(expander.LastError().empty());
}

} // namespace
} // namespace quillet
