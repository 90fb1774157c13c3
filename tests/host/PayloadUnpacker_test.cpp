#include "host/PayloadUnpacker.h"

#include "host/PayloadPacker.h"
#include "support/FakeFileSystem.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace quillet {
namespace {

using testing::FakeFileSystem;

const std::string kDamagedPrefix = "Compressed barcode damaged: ";

std::string Text(std::size_t size, char fill = 'G') {
    std::string text(size, fill);
    text[0] = 'P';
    text[size / 2] = '!';
    return text;
}

std::string Pack(std::string_view text) {
    const PackResult packed = PackPayload(text);
    EXPECT_TRUE(packed.ok()) << packed.error;
    return packed.label;
}

std::string WithLengthField(std::string label, std::string_view field) {
    return label.replace(kLengthFieldStart, kLengthFieldWidth, field);
}

struct UnpackTest : ::testing::Test {
    FakeFileSystem fs;
    WindowState window;
    std::string Unpack(std::string_view label) { return UnpackPayload(label, fs, window); }
};

TEST(UnescapePayload, PairsOfBackslashesBecomeOne) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"ABC", "ABC"},
        {"A\\\\B", "A\\B"},
        {"A\\B", "A\\B"},
        {"A\\\\\\B", "A\\\\B"},
        {"A\\\\\\\\B", "A\\\\B"},
        {"\\\\\\\\\\", "\\\\\\"},
        {"\\\\", "\\"},
        {"\\", "\\"},
        {"A\\\\B\\\\C", "A\\B\\C"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnescapePayload(c.in), c.out) << c.in;
    }
}

TEST(UnescapePayload, UndoesEscapingOfEveryRun) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) {
            c = random() % 3 == 0 ? 'x' : '\\';
        }
        EXPECT_EQ(UnescapePayload(EscapePayload(bytes)), bytes);
    }
}

// A stated length above the text gives the buffer's blanks after it in memory, and the
// work file's content through the files.
TEST_F(UnpackTest, LengthFieldFollowsTheLeadingNumberRuleAndMayExceedTheText) {
    const std::string text = Text(123);
    const std::string large = Text(kMemoryExpandLimit + 1);
    const struct {
        std::string text;
        const char* field;
        std::string expected;
    } cases[] = {
        {text, "00123", text},   {text, " 123A", text},
        {text, "123  ", text},   {text, "00130", text + std::string(7, ' ')},
        {large, "30000", large},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Unpack(WithLengthField(Pack(c.text), c.field)), c.expected) << c.field;
    }
}

TEST_F(UnpackTest, BoundaryBetweenMemoryAndWorkFiles) {
    const std::string atLimit = Text(kMemoryExpandLimit);
    EXPECT_EQ(Unpack(Pack(atLimit)), atLimit);
    EXPECT_TRUE(fs.files.empty());

    const std::string aboveLimit = Text(kMemoryExpandLimit + 1);
    const std::string label = Pack(aboveLimit);
    EXPECT_EQ(Unpack(label), aboveLimit);
    EXPECT_EQ(fs.files[kCompressedWorkFile], UnescapePayload(label.substr(kPayloadStart)));
    EXPECT_EQ(fs.files[kExpandedWorkFile], aboveLimit);
    EXPECT_EQ(window.Status(), WindowState::kReady);
}

TEST_F(UnpackTest, StaleBytesAfterAShorterPayloadAreIgnored) {
    const std::string stale(40000, '\x5c');
    fs.files[kCompressedWorkFile] = stale;
    fs.files[kExpandedWorkFile] = "old program";
    const std::string text = Text(30000, 'X');
    const std::string payload = UnescapePayload(Pack(text).substr(kPayloadStart));

    EXPECT_EQ(Unpack(Pack(text)), text);
    const std::string& work = fs.files[kCompressedWorkFile];
    ASSERT_EQ(work.size(), stale.size());
    EXPECT_EQ(work.substr(0, payload.size()), payload);
    EXPECT_EQ(work.substr(payload.size()), stale.substr(payload.size()));
}

TEST_F(UnpackTest, DamagedLabelsGiveNothingAndSayWhy) {
    const std::string text = Text(500, 'Y') + "\\\\";
    const std::string good = Pack(text);
    std::string flipped = good;
    flipped[kPayloadStart + 6] ^= 0x20;
    const struct {
        const char* name;
        std::string label;
    } cases[] = {
        {"flipped byte", flipped},
        {"truncated", good.substr(0, good.size() - 3)},
        {"trailing bytes", good + "XYZ"},
        {"length too small by one", WithLengthField(good, "00501")},
        {"length too small", WithLengthField(good, "00499")},
        {"length 99999", WithLengthField(good, "99999")},
        {"negative length", WithLengthField(good, "-0005")},
        {"letters", WithLengthField(good, "ABCDE")},
        {"nothing from position 12", good.substr(0, kPayloadStart)},
        {"only the first byte", "\xF1"},
        {"empty", ""},
        {"random bytes", "\xF1xx00500xxx\x01\xff\\\\\\\x78\x9c"},
        {"huge payload", WithLengthField(good, "00010")},
    };
    for (const auto& c : cases) {
        window.SetStatus(WindowState::kReady);
        EXPECT_EQ(Unpack(c.label), "") << c.name;
        EXPECT_EQ(window.Status().rfind(kDamagedPrefix, 0), 0u)
            << c.name << ": " << window.Status();
    }
}

TEST_F(UnpackTest, DamagedPayloadThroughFilesLeavesNoOldText) {
    fs.files[kExpandedWorkFile] = "old program";
    std::string label = Pack(Text(25000, 'Z'));
    label.back() ^= 0x01;
    EXPECT_EQ(Unpack(label), "");
    EXPECT_EQ(window.Status().rfind(kDamagedPrefix, 0), 0u);
    EXPECT_EQ(fs.files[kExpandedWorkFile], "");
}

TEST_F(UnpackTest, WorkFileFailuresAreReported) {
    const std::string label = Pack(Text(24000));
    const struct {
        std::map<std::string, FsError>* errors;
        const char* path;
        std::string status;
    } cases[] = {
        {&fs.writeErrors, kCompressedWorkFile,
         "Cannot write work file C:\\Tormial\\Bin\\Temp.Cmp: fake write failure"},
        {&fs.readErrors, kCompressedWorkFile,
         "Cannot read work file C:\\Tormial\\Bin\\Temp.Cmp: fake read failure"},
        {&fs.writeErrors, kExpandedWorkFile,
         "Cannot write work file C:\\Tormial\\Bin\\Temp.Dat: fake write failure"},
        {&fs.readErrors, kExpandedWorkFile,
         "Cannot read work file C:\\Tormial\\Bin\\Temp.Dat: fake read failure"},
    };
    for (const auto& c : cases) {
        fs.readErrors.clear();
        fs.writeErrors.clear();
        (*c.errors)[c.path] = FsError::AccessDenied;
        EXPECT_EQ(Unpack(label), "") << c.status;
        EXPECT_EQ(window.Status(), c.status);
    }
}

TEST_F(UnpackTest, EmptyTextIsNotHandedOn) {
    char stream[32];
    uLongf size = sizeof stream;
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(stream), &size, nullptr, 0, 9), Z_OK);
    const std::string label = "\xF1  00000   " + EscapePayload(std::string(stream, size));
    EXPECT_EQ(Unpack(label), "");
    EXPECT_EQ(window.Status(), "Compressed barcode holds no text.");
}

TEST_F(UnpackTest, RandomTextsRoundTrip) {
    std::mt19937 random(20240611);
    const std::string alphabets[] = {"\\", "\\\\\\\\a", "GXYZ0123456789 .-\r\n!^"};
    for (int round = 0; round < 40; ++round) {
        const std::size_t size = 1 + random() % (round % 5 == 0 ? 32767 : 3000);
        std::string text(size, '\0');
        const int kind = round % 4;
        for (char& c : text) {
            c = kind == 3 ? static_cast<char>(random() & 0xff)
                          : alphabets[kind][random() % alphabets[kind].size()];
        }
        const std::string label = Pack(text);
        ASSERT_EQ(static_cast<unsigned char>(label[0]), 0xF1);
        EXPECT_EQ(Unpack(label), text) << "round " << round << ": " << window.Status();
    }
}

} // namespace
} // namespace quillet
