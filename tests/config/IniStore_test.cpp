#include "config/IniStore.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillet {
namespace {

using testing::TempFolder;

class IniStoreTest : public ::testing::Test {
protected:
    TempFolder dir;
    std::string path = dir / "ZOR.INI";
    IniStore ini{path};

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback = "dflt", std::size_t size = 128) const {
        return ini.ReadString(section, key, fallback, size);
    }
};

TEST_F(IniStoreTest, ReadsWithProfileSemantics) {
    dir.Write("ZOR.INI", "junk before=1\r\n"
                         "[vorkstab]\r\n"
                         "  Spaced  =  value with blanks \t \r\n"
                         "Quoted=\"  in quotes  \"\r\n"
                         "Single='x'\r\n"
                         "Mixed=\"abc'\r\n"
                         "Lone=\"\r\n"
                         "Inline=diet ;x\r\n"
                         "; Commented=1\r\n"
                         "#Hash=2\r\n"
                         "Dup=first\r\n"
                         "DUP=second\r\n"
                         "NoEquals\r\n"
                         "Empty=\r\n"
                         "Latin=\xf1"
                         "and\xd1\r\n"
                         "[Other] trailing text\r\n"
                         "Key=other\r\n"
                         "[Open\r\n"
                         "K=open\r\n"
                         "[VORKSTAB]\r\n"
                         "Second=never\r\n");
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"VORKSTAB", "spaced", "value with blanks"},
        {"VorksTab", "Quoted", "  in quotes  "},
        {"VORKSTAB", "Single", "x"},
        {"VORKSTAB", "Mixed", "\"abc'"},
        {"VORKSTAB", "Lone", "\""},
        {"VORKSTAB", "Inline", "diet ;x"},
        {"VORKSTAB", "Commented", "dflt"},
        {"VORKSTAB", "#Hash", "2"},
        {"VORKSTAB", "Dup", "first"},
        {"VORKSTAB", "NoEquals", "dflt"},
        {"VORKSTAB", "Empty", ""},
        {"VORKSTAB", "Latin",
         "\xf1"
         "and\xd1"},
        {"VORKSTAB", "Second", "dflt"},
        {"VORKSTAB", "Key", "dflt"},
        {"OTHER", "Key", "other"},
        {"open", "k", "open"},
        {"Missing", "Key", "dflt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
}

TEST_F(IniStoreTest, LineEndingsOfEveryKind) {
    dir.Write("ZOR.INI", "[A]\rCr=1\rLf=2\nCrLf=3\r\nLast=4");
    EXPECT_EQ(Read("A", "Cr"), "1");
    EXPECT_EQ(Read("A", "Lf"), "2");
    EXPECT_EQ(Read("A", "CrLf"), "3");
    EXPECT_EQ(Read("A", "Last"), "4");
}

TEST_F(IniStoreTest, CutsToBufferAndTrimsTrailingBlanksOfDefault) {
    dir.Write("ZOR.INI", "[A]\nLong=" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(Read("A", "Long", "", 128), std::string(127, 'x'));
    EXPECT_EQ(Read("A", "Long", "", 1), "");
    EXPECT_EQ(Read("A", "Long", "", 0), "");
    EXPECT_EQ(Read("A", "Missing", "  def  ", 128), "  def");
    EXPECT_EQ(Read("A", "Missing", "abcdef", 4), "abc");
}

TEST_F(IniStoreTest, MissingFileGivesDefaults) {
    EXPECT_EQ(Read("A", "B", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInt("A", "B", 7), 7);
}

TEST_F(IniStoreTest, IntegerRead) {
    dir.Write("ZOR.INI", "[A]\nPlain=250\nBlanks=   42  \nSigned=+12\nNeg=-5\nText=abc\n"
                         "Trail=12abc\nEmpty=\nHuge=99999999999999999999\nQuoted=\" 3\"\n");
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"Plain", 250}, {"Blanks", 42}, {"Signed", 0},        {"Neg", 0},    {"Text", 0},
        {"Trail", 12},  {"Empty", 9},   {"Huge", 2147483647}, {"Quoted", 3}, {"Missing", 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.ReadInt("a", c.key, 9), c.expected) << c.key;
    }
}

TEST_F(IniStoreTest, WriteKeepsEveryOtherByte) {
    const std::string before = "\xef\xbb junk\r\n"
                               "; comment\r\n"
                               "\r\n"
                               "[Other]\rKey=1\r"
                               "[vorkstab]\n"
                               "  commport = 3 \n"
                               "Settings=\"9600,N,8,1\"\r\n"
                               "commport=9\r\n"
                               "\r\n"
                               "; tail comment\r\n"
                               "[VORKSTAB]\r\n"
                               "CommPort=5\r\n";
    dir.Write("ZOR.INI", before);
    ASSERT_TRUE(ini.WriteString("VORKSTAB", "CommPort", "4").ok());
    std::string expected = before;
    expected.replace(expected.find("  commport = 3 "), 15, "commport=4");
    EXPECT_EQ(dir.Read("ZOR.INI"), expected);
    EXPECT_EQ(ini.ReadInt("VORKSTAB", "CommPort", 0), 4);
}

TEST_F(IniStoreTest, ValueWrittenExactlyAsGiven) {
    dir.Write("ZOR.INI", "[A]\r\nOverwrite=0\r\n");
    ASSERT_TRUE(ini.WriteString("A", "Overwrite", " 1").ok());
    EXPECT_EQ(dir.Read("ZOR.INI"), "[A]\r\nOverwrite= 1\r\n");
}

TEST_F(IniStoreTest, NewKeyGoesAfterLastEntryOfItsSection) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"[A]\r\nx=1\r\n\r\n; note\r\n[B]\r\ny=2\r\n",
         "[A]\r\nx=1\r\nNew=v\r\n\r\n; note\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n; only a comment\r\n[B]\r\n", "[A]\r\nNew=v\r\n; only a comment\r\n[B]\r\n"},
        {"[A]\nx=1", "[A]\nx=1\r\nNew=v"},
        {"[A]", "[A]\r\nNew=v"},
        {"[A]\rx=1\r", "[A]\rx=1\rNew=v\r\n"},
    };
    for (const auto& c : cases) {
        dir.Write("ZOR.INI", c.before);
        ASSERT_TRUE(ini.WriteString("a", "New", "v").ok());
        EXPECT_EQ(dir.Read("ZOR.INI"), c.after) << c.before;
    }
}

TEST_F(IniStoreTest, NewSectionAtEnd) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"[B]\r\ny=2\r\n", "[B]\r\ny=2\r\n[VORKSTAB]\r\nSettings=v\r\n"},
        {"[B]\r\ny=2", "[B]\r\ny=2\r\n[VORKSTAB]\r\nSettings=v\r\n"},
        {"[B]\ny=2\n", "[B]\ny=2\n[VORKSTAB]\r\nSettings=v\r\n"},
        {"", "[VORKSTAB]\r\nSettings=v\r\n"},
    };
    for (const auto& c : cases) {
        dir.Write("ZOR.INI", c.before);
        ASSERT_TRUE(ini.WriteString("VORKSTAB", "Settings", "v").ok());
        EXPECT_EQ(dir.Read("ZOR.INI"), c.after) << c.before;
    }
}

TEST_F(IniStoreTest, WriteCreatesMissingFile) {
    ASSERT_TRUE(ini.WriteString("VORKSTAB", "CommPort", "2").ok());
    EXPECT_EQ(dir.Read("ZOR.INI"), "[VORKSTAB]\r\nCommPort=2\r\n");
}

TEST_F(IniStoreTest, RefusesWritesThatWouldInjectLines) {
    dir.Write("ZOR.INI", "[A]\r\nk=1\r\n");
    EXPECT_FALSE(ini.WriteString("A", "k", "1\r\n[Evil]").ok());
    EXPECT_FALSE(ini.WriteString("A", "k", "1\rx").ok());
    EXPECT_FALSE(ini.WriteString("A", "k", std::string_view("a\0b", 3)).ok());
    EXPECT_FALSE(ini.WriteString("A\n", "k", "1").ok());
    EXPECT_FALSE(ini.WriteString("A]", "k", "1").ok());
    EXPECT_FALSE(ini.WriteString("A", "k=x", "1").ok());
    EXPECT_FALSE(ini.WriteString("A", "", "1").ok());
    EXPECT_FALSE(ini.WriteString("A", ";k", "1").ok());
    EXPECT_EQ(dir.Read("ZOR.INI"), "[A]\r\nk=1\r\n");
}

TEST_F(IniStoreTest, ByteOrderMarkIsSkippedOnReadAndKeptOnWrite) {
    const std::string mark = "\xEF\xBB\xBF";
    dir.Write("ZOR.INI", mark + "[VORKSTAB]\r\nCommPort=3\r\n");
    EXPECT_EQ(ini.ReadInt("VORKSTAB", "CommPort", 1), 3);
    ASSERT_TRUE(ini.WriteString("VORKSTAB", "AClear", " 1").ok());
    EXPECT_EQ(dir.Read("ZOR.INI"), mark + "[VORKSTAB]\r\nCommPort=3\r\nAClear= 1\r\n");

    dir.Write("ZOR.INI", mark);
    ASSERT_TRUE(ini.WriteString("A", "k", "1").ok());
    EXPECT_EQ(dir.Read("ZOR.INI"), mark + "[A]\r\nk=1\r\n");
}

TEST_F(IniStoreTest, UnreadableFileIsNeverOverwritten) {
    ASSERT_TRUE(dir.MakeFolder("ZOR.INI"));
    EXPECT_FALSE(ini.WriteString("A", "k", "1").ok());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(Read("A", "k"), "dflt");
}

TEST_F(IniStoreTest, WriteIntoMissingFolderFails) {
    IniStore lost(dir / "no/such/ZOR.INI");
    EXPECT_FALSE(lost.WriteString("A", "k", "1").ok());
}

} // namespace
} // namespace quillet
