#include "app/win32/Win32Desktop.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

struct Stroke {
    WORD key;
    WORD character;
    bool up;
    bool operator==(const Stroke&) const = default;
};

std::vector<Stroke> Strokes(std::string_view keys) {
    std::vector<Stroke> strokes;
    for (const INPUT& input : KeyStrokes(keys)) {
        EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
        const bool unicode = (input.ki.dwFlags & KEYEVENTF_UNICODE) != 0;
        strokes.push_back({input.ki.wVk, static_cast<WORD>(unicode ? input.ki.wScan : 0),
                           (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0});
    }
    return strokes;
}

// The editor launch types Ctrl+O, the program's name and Enter: each must reach the editor
// as the key the operator would press, the name's high bytes included.
TEST(Win32Desktop, KeysBecomeTheStrokesThatTypeThem) {
    EXPECT_EQ(Strokes("\x0f"),
              (std::vector<Stroke>{
                  {VK_CONTROL, 0, false}, {'O', 0, false}, {'O', 0, true}, {VK_CONTROL, 0, true}}));
    EXPECT_EQ(Strokes("\r"), (std::vector<Stroke>{{VK_RETURN, 0, false}, {VK_RETURN, 0, true}}));
    EXPECT_EQ(Strokes("P\xf1"),
              (std::vector<Stroke>{
                  {0, 'P', false}, {0, 'P', true}, {0, 0x00F1, false}, {0, 0x00F1, true}}));
    EXPECT_TRUE(Strokes("").empty());
}

} // namespace
} // namespace quillet
