// quillet: the desktop program.

#include "app/DesktopLaunch.h"
#include "app/demo/DemoSetup.h"
#include "app/demo/qt/DemoFeeder.h"
#include "app/demo/qt/VirtualScanner.h"
#include "app/qt/QtDesktopProgram.h"
#include "base/ExecutableDir.h"
#include "base/InfoRequest.h"
#include "base/qt/ProgramIcon.h"

#include <QApplication>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace quillet;

constexpr const char* kUsage =
    "usage: quillet [OPTION]...\n"
    "The desktop program: frames the scanner's labels and hands them to the host.\n"
    "Options of quillet:\n"
    "  --unattended          message boxes are answered as quillet-replay answers them\n"
    "                        (and traced); no dialog opens, neither from the menus nor\n"
    "                        after a port failure, and the trace says it was not opened\n"
    "  --virtual-scanner     opens a pair of pseudo-terminals as the scanner's port and\n"
    "                        prints the path to write scans to as the first line on\n"
    "                        standard output\n"
    "  --com N=DEVICE        port number N opens DEVICE (repeatable; default: COMn is\n"
    "                        /dev/ttyS(n-1))\n"
    "  --serial-device DEVICE\n"
    "                        every port number opens DEVICE\n"
    "  --serial-by-id FOLDER the folder of links naming each serial device by its\n"
    "                        identity (default: /dev/serial/by-id)\n"
    "  --demo                runs on a fresh copy of the demo set-up, with the virtual\n"
    "                        scanner and the simulated host\n"
    "  --demo-script         the same, scanning the sample labels by itself, then ending;\n"
    "                        the trace goes to standard output unless --trace names a file\n"
    "  --quit-after SECONDS  ends the program after that time\n";

std::string Usage() {
    return kUsage + CommonOptionsHelp();
}

#ifndef QUILLET_DEMO_DIR
#define QUILLET_DEMO_DIR ""
#endif

int Fail(const std::string& error) {
    std::cerr << "quillet: " << error << "\n";
    return DesktopLaunch::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display.
    if (const InfoRequest info = FindInfoRequest({argv + 1, argv + argc});
        info != InfoRequest::None) {
        std::cout << InfoText(info, "quillet", Usage());
        return 0;
    }
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramIcon());

    const QStringList qtArgs = QApplication::arguments();
    std::vector<std::string> args;
    for (qsizetype i = 1; i < qtArgs.size(); ++i) {
        args.push_back(qtArgs[i].toStdString());
    }
    DesktopLaunch launch;
    if (const std::string error = launch.Parse(args); !error.empty()) {
        std::cerr << "quillet: " << error << "\n" << Usage();
        return DesktopLaunch::kExitUsage;
    }
    const DesktopOptions& desktop = launch.Options();
    CommonOptions& common = launch.Common();
    const std::string executableDir = ExecutableDir(argv[0]);
    std::optional<DemoSetup> demo;
    if (desktop.demo) {
        demo = MakeDemoSetup(FindDemoSource(executableDir, QUILLET_DEMO_DIR), TemporaryParent());
        if (!demo->error.empty()) {
            return Fail(demo->error);
        }
        common.programDir = demo->programDir;
        common.windowsDir = demo->windowsDir;
    }
    // The scripted demo runs without anyone watching: its trace is what it shows.
    if (desktop.demoScript && !common.traceFile) {
        common.traceFile = "-";
    }
    if (const std::string error = launch.Open(executableDir); !error.empty()) {
        return Fail(error);
    }
    // Made before the program so that the port closes before its terminals go.
    std::unique_ptr<VirtualScanner> scanner;
    QtDesktopProgram program(launch.Setup(), launch.trace());
    if (desktop.virtualScanner) {
        const VirtualScanner::Links links =
            demo ? VirtualScanner::Links{demo->folder + "/scanner", demo->folder + "/port"}
                 : VirtualScanner::Links{};
        scanner = std::make_unique<VirtualScanner>();
        if (const std::string error = scanner->Open(links); !error.empty()) {
            return Fail("no virtual scanner: " + error);
        }
        program.UseScannerDevice(scanner->PortPath());
        std::cout << scanner->ScannerPath() << std::endl;
    }
    if (demo) {
        std::cout << DemoHelp(*demo, scanner->ScannerPath()) << std::flush;
    }
    if (!program.Start() || program.ExitStatus()) {
        return program.ExitStatus().value_or(1);
    }
    std::optional<DemoFeeder> feeder;
    if (demo && desktop.demoScript) {
        feeder.emplace(program.App(), scanner->ScannerPath(), demo->labels);
        QObject::connect(&*feeder, &DemoFeeder::finished, &program, &QtDesktopProgram::Close);
        feeder->Start();
    }
    return QApplication::exec();
}
