#include "app/ManualEntry.h"

#include "support/FakeOperator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

using Focus = ManualEntryView::Focus;

struct ManualEntryTest : ::testing::Test {
    WindowState window;
    testing::FakeOperator op;
    std::vector<std::string> handed;
    bool accept = true;
    int redraws = 0;
    ManualEntry entry{window, op, [this](const std::string& label) {
                          handed.push_back(label);
                          return accept;
                      }};

    void SetUp() override {
        entry.SetObserver([this] { ++redraws; });
    }

    void ExpectIdle(Focus focus) const {
        const ManualEntryView& v = entry.View();
        EXPECT_FALSE(entry.Typing());
        EXPECT_TRUE(v.editEnabled);
        EXPECT_FALSE(v.boxEnabled);
        EXPECT_FALSE(v.okEnabled);
        EXPECT_EQ(v.boxText, "");
        EXPECT_EQ(v.focus, focus);
    }

    void ExpectTyping(const std::string& text) const {
        const ManualEntryView& v = entry.View();
        EXPECT_TRUE(entry.Typing());
        EXPECT_FALSE(v.editEnabled);
        EXPECT_TRUE(v.boxEnabled);
        EXPECT_TRUE(v.okEnabled);
        EXPECT_EQ(v.boxText, text);
        EXPECT_EQ(v.focus, Focus::Box);
    }
};

TEST_F(ManualEntryTest, StartsIdleAndEditOpensTheBox) {
    ExpectIdle(Focus::None);
    entry.Edit();
    ExpectTyping("");
    EXPECT_EQ(window.Status(), "Type the Barcode-Label.");
    EXPECT_GT(redraws, 0);
}

TEST_F(ManualEntryTest, AcceptedLabelIsUpperCasedAndEmptiesTheBox) {
    entry.Edit();
    window.SetStatus("interpreter says");
    entry.Ok("abc 1");
    EXPECT_EQ(handed, std::vector<std::string>{"ABC 1"});
    ExpectIdle(Focus::None);
    EXPECT_EQ(window.Status(), "interpreter says");
    EXPECT_EQ(op.beeps, 0);
}

TEST_F(ManualEntryTest, RefusedLabelBeepsAndKeepsTheUpperCasedText) {
    accept = false;
    entry.Edit();
    entry.Ok("%n%x");
    EXPECT_EQ(handed, std::vector<std::string>{"%N%X"});
    EXPECT_EQ(op.beeps, 1);
    ExpectTyping("%N%X");
    accept = true;
    entry.Ok(entry.View().boxText);
    ExpectIdle(Focus::None);
}

TEST_F(ManualEntryTest, EmptyEntryReturnsToIdleWithReady) {
    entry.Edit();
    entry.Ok("");
    EXPECT_TRUE(handed.empty());
    ExpectIdle(Focus::Edit);
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_EQ(op.beeps, 0);
}

TEST_F(ManualEntryTest, OkWhileIdleOrWhileInterpretingHandsNothingOn) {
    entry.Ok("abc");
    EXPECT_TRUE(handed.empty());

    ManualEntry* self = &entry;
    ManualEntry nested{window, op, [&](const std::string& label) {
                           handed.push_back(label);
                           self->Ok("again"); // a click during the interpreter's pause
                           return true;
                       }};
    self = &nested;
    nested.Edit();
    nested.Ok("x");
    EXPECT_EQ(handed, std::vector<std::string>{"X"});
    EXPECT_FALSE(nested.Typing());
}

TEST_F(ManualEntryTest, EditWhileTypingKeepsTheText) {
    accept = false;
    entry.Edit();
    entry.Ok("abc");
    window.SetStatus("refused");
    entry.Edit();
    ExpectTyping("ABC");
    EXPECT_EQ(window.Status(), "refused");
}

TEST(UpperCaseSingleByte, AsciiAndLatinLettersOnly) {
    struct Case {
        std::string in, out;
    };
    const std::vector<Case> cases = {
        {"abc xyz", "ABC XYZ"},
        {"AZ09%$'^!", "AZ09%$'^!"},
        {"\xf1", "\xd1"},         // n with tilde
        {"\xe0\xfe", "\xc0\xde"}, // first and last letter of the range
        {"\xf7", "\xf7"},         // division sign
        {"\xff\xdf\xb5", "\xff\xdf\xb5"},
        {"\x80\x9a", "\x80\x9a"},
        {std::string("a\0b", 3), std::string("A\0B", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpperCaseSingleByte(c.in), c.out);
    }
}

} // namespace
} // namespace quillet
