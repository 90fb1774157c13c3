#include "base/win32/Win32Desktop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

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

#ifdef QUILLET_TEST_EDITOR
// The build folder's path as Wine shows it to a Windows program.
std::string WindowsPath(std::string path) {
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path.front() == '\\' ? "Z:" + path : path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The editor launch's steps against a real window: the keys arrive in the editor in the
// order typed, as the characters the operator would have typed.
TEST(Win32Desktop, KeysArriveInTheStartedEditor) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no display for the editor's window";
    }
    const std::string editor = WindowsPath(QUILLET_TEST_EDITOR);
    const std::string record = editor + ".keys";
    std::remove(record.c_str());
    Win32Desktop desktop;
    const long task = desktop.StartProgram(editor);
    ASSERT_NE(task, 0);
    ASSERT_TRUE(desktop.IsRunning(task));
    for (int i = 0; i < 50 && !desktop.ActivateTask(task); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const long window = desktop.ActiveWindow();
    EXPECT_TRUE(desktop.PutOnTop(window));
    // Topmost: the host's window cannot cover the editor again.
    EXPECT_NE(
        ::GetWindowLongPtrA(reinterpret_cast<HWND>(static_cast<INT_PTR>(window)), GWL_EXSTYLE) &
            WS_EX_TOPMOST,
        0);
    const std::string typed = "\x0fP\xf1.CNC\r\r";
    EXPECT_TRUE(desktop.SendKeys("\x0f"));
    EXPECT_TRUE(desktop.SendKeys("P\xf1.CNC"));
    EXPECT_TRUE(desktop.SendKeys("\r"));
    EXPECT_TRUE(desktop.SendKeys("\r"));
    std::string received;
    for (int i = 0; i < 50 && received.size() < typed.size(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        received = ReadAll(record);
    }
    ::PostMessageA(reinterpret_cast<HWND>(static_cast<INT_PTR>(window)), WM_CLOSE, 0, 0);
    EXPECT_EQ(received, typed);
    for (int i = 0; i < 50 && desktop.IsRunning(task); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(desktop.IsRunning(task));
}
#endif

} // namespace
} // namespace quillet
