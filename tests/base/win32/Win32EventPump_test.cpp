#include "base/win32/Win32EventPump.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// Counts the thread messages it is handed while a wait runs.
struct Counter {
    static inline int seen = 0;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { ++seen; }
};

TEST(Win32EventPump, SleepRunsMessagesForItsWholeTime) {
    Win32EventPump pump;
    Counter::seen = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Counter::OnTimer);
    const ULONGLONG start = ::GetTickCount64();
    pump.Sleep(120);
    const ULONGLONG waited = ::GetTickCount64() - start;
    ::KillTimer(nullptr, timer);
    EXPECT_GE(waited, 110u);
    EXPECT_LT(waited, 1000u);
    EXPECT_GE(Counter::seen, 2);
}

// A quit arriving inside a wait ends the wait and then the main loop, with its code.
TEST(Win32EventPump, QuitDuringAWaitEndsTheLoop) {
    Win32EventPump pump;
    ::PostQuitMessage(7);
    const ULONGLONG start = ::GetTickCount64();
    pump.Sleep(2000);
    EXPECT_LT(::GetTickCount64() - start, 1000u);
    EXPECT_TRUE(pump.QuitSeen());
    EXPECT_EQ(pump.Run(), 7);
}

} // namespace
} // namespace quillet
