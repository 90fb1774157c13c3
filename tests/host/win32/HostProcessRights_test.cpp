#include "host/win32/HostProcessRights.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace quillet {
namespace {

std::wstring OwnProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring whole(path);
    return whole.substr(whole.find_last_of(L"\\/") + 1);
}

// Over the system's process list: this test's own process runs with its own rights (a
// process of an administrator's cannot be started from here, so that row is the rule's).
TEST(WindowsHostProcess, FoundByItsProgramsName) {
    const struct {
        std::wstring program;
        HostProcess found;
    } cases[] = {
        {OwnProgram(), HostProcess::SameRights},
        {L"quillet-no-such-host.exe", HostProcess::NotRunning},
        {L"", HostProcess::NotRunning},
    };
    int row = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(FindHostProcess(c.program), c.found) << "row " << row++;
    }
}

} // namespace
} // namespace quillet
