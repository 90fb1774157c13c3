// quillet.exe: the desktop program for Windows.

#include "app/CommandLine.h"
#include "app/DesktopOptions.h"
#include "app/demo/TraceFile.h"
#include "app/win32/Win32DesktopProgram.h"
#include "base/ExecutableDir.h"

#include <windows.h>

#include <commctrl.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace quillet;

constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: quillet [--program-dir DIR] [--windows-dir DIR] [--drive L=DIR]... [--trace FILE]\n"
    "               [--host com|simulated] [host options] [--unattended] [--com N=DEVICE]...\n"
    "               [--serial-device DEVICE] [--quit-after SECONDS]\n"
    "  --unattended        message boxes are answered at once (Cancel where there is one)\n"
    "                      and traced; no dialog opens (traced as not opened)\n"
    "  --host com          the real host over COM (the default)\n"
    "  --host simulated    the simulated host, for trying the program without one\n"
    "  --com N=DEVICE      port COMN is DEVICE (default: \\\\.\\COMn)\n"
    "  --serial-device DEV every port number opens DEV\n"
    "  --quit-after SECS   closes the window after SECS seconds\n"
    "  host options: --host-withhold-list N|forever, --host-connect-timeout SECONDS,\n"
    "                --host-fail-addline N, --host-no-device-status\n";

int Fail(const std::string& error) {
    std::cerr << "quillet: " << error << "\n" << kUsage;
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    CommonOptions common = ParseCommonOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!common.error.empty()) {
        return Fail(common.error);
    }
    const DesktopOptions desktop = ParseDesktopOptions(common.rest);
    if (!desktop.error.empty()) {
        return Fail(desktop.error);
    }
    if (desktop.virtualScanner || desktop.demo) {
        return Fail(
            "the virtual scanner and the demo need pseudo-terminals: use the Linux program");
    }
    const SettingsLocations locations = ResolveLocations(common, ExecutableDir(argv[0]));
    TraceFile trace;
    if (const std::string error = trace.Open(common.traceFile); !error.empty()) {
        std::cerr << "quillet: " << error << "\n";
        return kExitUsage;
    }
    Win32DesktopProgram program(::GetModuleHandleA(nullptr),
                                {locations, MakePathMap(common, locations), common.host,
                                 common.hostKind, desktop.devices, desktop.unattended},
                                trace.trace());
    if (!program.Start() || program.ExitStatus()) {
        return program.ExitStatus().value_or(1);
    }
    if (desktop.quitAfterSeconds) {
        program.CloseAfter(static_cast<int>(*desktop.quitAfterSeconds * 1000));
    }
    return program.Run();
}
