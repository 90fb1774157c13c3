// quillet.exe: the desktop program for Windows.

#include "app/DesktopLaunch.h"
#include "app/win32/Win32DesktopProgram.h"
#include "base/ExecutableDir.h"
#include "base/InfoRequest.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace quillet;

constexpr const char* kUsage =
    "usage: quillet [OPTION]...\n"
    "The desktop program for Windows: frames the scanner's labels and hands them to the\n"
    "host.\n"
    "Options of quillet:\n"
    "  --unattended          message boxes are answered at once (Cancel where there is\n"
    "                        one) and traced; no dialog opens (traced as not opened)\n"
    "  --com N=DEVICE        port number N opens DEVICE (repeatable; default: \\\\.\\COMn)\n"
    "  --serial-device DEVICE\n"
    "                        every port number opens DEVICE\n"
    "  --quit-after SECONDS  ends the program after that time\n"
    "  --demo, --demo-script and --virtual-scanner need pseudo-terminals and belong to the\n"
    "  Linux program.\n";

std::string Usage() {
    return kUsage + CommonOptionsHelp();
}

bool Usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A program of the Windows subsystem gets no console: started from one, with its output not
// redirected, it writes to its parent's console so that --help and errors are seen.
void UseParentConsole() {
    const bool out = Usable(::GetStdHandle(STD_OUTPUT_HANDLE));
    const bool err = Usable(::GetStdHandle(STD_ERROR_HANDLE));
    if ((out && err) || !::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!out && std::freopen("CONOUT$", "w", stdout) != nullptr) {
        std::cout.clear();
    }
    if (!err && std::freopen("CONOUT$", "w", stderr) != nullptr) {
        std::cerr.clear();
    }
}

int Fail(const std::string& error, bool withUsage = true) {
    UseParentConsole();
    std::cerr << "quillet: " << error << "\n" << (withUsage ? Usage() : std::string());
    return DesktopLaunch::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (const InfoRequest info = FindInfoRequest({argv + 1, argv + argc});
        info != InfoRequest::None) {
        UseParentConsole();
        std::cout << InfoText(info, "quillet", Usage()) << std::flush;
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    DesktopLaunch launch;
    if (const std::string error = launch.Parse({argv + 1, argv + argc}); !error.empty()) {
        return Fail(error);
    }
    if (launch.Options().virtualScanner || launch.Options().demo) {
        return Fail(
            "the virtual scanner and the demo need pseudo-terminals: use the Linux program");
    }
    if (const std::string error = launch.Open(ExecutableDir(argv[0])); !error.empty()) {
        return Fail(error, false);
    }
    Win32DesktopProgram program(::GetModuleHandleA(nullptr), launch.Setup(), launch.trace());
    if (!program.Start() || program.ExitStatus()) {
        return program.ExitStatus().value_or(1);
    }
    return program.Run();
}
