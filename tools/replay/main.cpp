// quillet-replay: starts as the program does, without the window, then feeds the scanner
// the bytes of a script and writes the trace of everything that happens.

#include "ReplayPorts.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/JournalFile.h"
#include "app/JournalLine.h"
#include "app/LabelTrial.h"
#include "app/StatusTrace.h"
#include "app/TraceFile.h"
#include "base/ExecutableDir.h"
#include "base/InfoRequest.h"
#include "base/StandardStreams.h"
#include "config/NativeFileSystem.h"
#include "host/ComHost.h"
#include "host/SimulatedHost.h"
#include "replay/JournalScript.h"
#include "replay/ReplayScript.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace quillet;

constexpr const char* kUsage =
    "usage: quillet-replay [OPTION]... SCRIPT\n"
    "   or: quillet-replay --script-from-journal JOURNAL\n"
    "   or: quillet-replay --dry-run [OPTION]... SCRIPT|JOURNAL\n"
    "Starts as the program does, without the window, runs SCRIPT's scans through the label\n"
    "rules against the host (the simulated one unless --host com) and writes the trace,\n"
    "to standard output unless --trace names a file.\n"
    "SCRIPT holds one command a line (\"-\" reads standard input):\n"
    "  scan <text>           the bytes arrive; ticks run until the scan buffer is empty\n"
    "  burst <text>          the bytes arrive before the next tick; no tick runs\n"
    "  tick [N]              N ticks (default 1) with nothing new\n"
    "  type <text>           \"Edit\", the text typed into the box, \"OK\"\n"
    "  set <box> <0|1>       AClear, Overwrite, AutoStart or ShowEd, as a click\n"
    "Text uses the trace's escapes (\\\\ \\r \\n \\t \\xHH). Blank lines and lines starting\n"
    "with # are ignored. Exit status: 0 at the end of the script, 1 when the program would\n"
    "have ended, 2 for a usage or script error.\n"
    "--script-from-journal writes the script of a journal's scans, typed labels and clicks\n"
    "to standard output, to replay a day against today's settings.\n"
    "--dry-run tries each label of SCRIPT (or of a journal's scans) against a host that only\n"
    "records and a file system that writes nothing, and prints one block per label: the\n"
    "host calls, the files that would be written, the decisions. It touches no file.\n";

std::string Usage() {
    return kUsage + CommonOptionsHelp();
}

constexpr int kExitEnded = 1;
constexpr int kExitUsage = 2;
// A label set is never longer than this in ticks; the bound only stops a runaway loop.
constexpr long kMaxTicksPerScan = 1000000;

std::optional<std::string> ReadScript(const std::string& path) {
    const bool fromStdin = path == "-";
    std::FILE* file = fromStdin ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        std::cerr << "quillet-replay: cannot open " << path << ": " << std::strerror(errno) << "\n";
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    if (!fromStdin) {
        std::fclose(file);
    }
    if (failed) {
        std::cerr << "quillet-replay: cannot read " << path << "\n";
        return std::nullopt;
    }
    return text;
}

void Set(Application& app, const ReplayCommand& command) {
    const bool on = command.count != 0;
    if (command.text == "AClear") {
        app.ClickAutoClear(on);
    } else if (command.text == "Overwrite") {
        app.ClickOverwrite(on);
    } else if (command.text == "AutoStart") {
        app.ClickAutoStart(on);
    } else {
        app.ClickShowEditor(on);
    }
}

void Run(Application& app, replay::ScriptedSerialPort& port, const ReplayCommand& command,
         const replay::UnattendedOperator& op) {
    switch (command.kind) {
    case ReplayCommand::Kind::Scan:
        port.Arrive(command.text);
        app.Tick();
        for (long i = 0;
             i < kMaxTicksPerScan && !app.Poller().ScanBuffer().empty() && !op.ExitStatus(); ++i) {
            app.Tick();
        }
        break;
    case ReplayCommand::Kind::Burst:
        port.Arrive(command.text);
        break;
    case ReplayCommand::Kind::Tick:
        for (long i = 0; i < command.count && !op.ExitStatus(); ++i) {
            app.Tick();
        }
        break;
    case ReplayCommand::Kind::Type:
        app.Manual().Edit();
        app.Manual().Ok(command.text);
        break;
    case ReplayCommand::Kind::Set:
        Set(app, command);
        break;
    }
}

int Replay(const CommonOptions& options, const ReplayScript& script, Trace& trace,
           const std::string& executableDir) {
    const SettingsLocations locations = ResolveLocations(options, executableDir);
    NativeFileSystem files(MakePathMap(options, locations));
    replay::UnattendedOperator op(trace);
    replay::ScriptedSerialPort serial(trace);
    replay::NoSleepPump pump;
    replay::SimulatedDesktop desktop(files);
    StatusTrace status(trace);

    Application app({files, op, serial, pump, desktop, trace});
    app.Window().SetObserver(&status);
    // The simulated host unless the real one is asked for.
    std::shared_ptr<HostApplication> host =
        options.hostKind == HostKind::Com ? MakeComHost(trace)
                                          : std::make_shared<SimulatedHost>(trace, options.host);
    if (!app.Start({locations, host, options.host.connectTimeoutSeconds, {}, {}})) {
        return kExitEnded;
    }
    for (const ReplayCommand& command : script.commands) {
        Run(app, serial, command, op);
        if (op.ExitStatus()) {
            return kExitEnded;
        }
    }
    app.Shutdown();
    app.Window().SetObserver(nullptr);
    return 0;
}

constexpr const char* kFromJournal = "--script-from-journal";
constexpr const char* kDryRun = "--dry-run";

void SetBox(WindowState& boxes, const ReplayCommand& command) {
    const bool on = command.count != 0;
    if (command.text == "AClear") {
        boxes.SetAutoClear(on);
    } else if (command.text == "Overwrite") {
        boxes.SetOverwrite(on);
    } else if (command.text == "AutoStart") {
        boxes.SetAutoStart(on);
    } else {
        boxes.SetShowEditor(on);
    }
}

// Each label tried, never sent: the clicks only change the boxes of the tries (ZOR.INI
// stays as it is).
int DryRun(const CommonOptions& options, const ReplayScript& script,
           const std::string& executableDir) {
    const SettingsLocations locations = ResolveLocations(options, executableDir);
    NativeFileSystem files(MakePathMap(options, locations));
    LabelTrial trial(files, locations, nullptr);
    trial.OnReport([](const TryReport& report) { std::cout << TryReportText(report); });
    if (!trial.Prepare(nullptr, nullptr)) {
        std::cerr << "quillet-replay: the settings cannot be read\n";
        return kExitEnded;
    }
    WindowState boxes;
    const WindowState& read = *trial.Boxes();
    boxes.SetAutoClear(read.autoClear());
    boxes.SetOverwrite(read.overwrite());
    boxes.SetAutoStart(read.autoStart());
    boxes.SetShowEditor(read.showEditor());
    for (const ReplayCommand& command : script.commands) {
        switch (command.kind) {
        case ReplayCommand::Kind::Set:
            SetBox(boxes, command);
            break;
        case ReplayCommand::Kind::Tick:
            for (long i = 0; i < command.count; ++i) {
                trial.Tick();
            }
            break;
        case ReplayCommand::Kind::Burst:
            trial.Arrive(command.text);
            break;
        case ReplayCommand::Kind::Type:
            trial.Prepare(&boxes, nullptr);
            trial.Type(command.text);
            break;
        case ReplayCommand::Kind::Scan:
            trial.Prepare(&boxes, nullptr);
            trial.Scan(command.text);
            break;
        }
    }
    return std::cout.flush() ? 0 : kExitUsage;
}

std::string UsageError(const CommonOptions& options) {
    if (!options.error.empty()) {
        return options.error;
    }
    if (!options.rest.empty() && options.rest.front() == kFromJournal) {
        return options.rest.size() == 2 ? std::string() : "--script-from-journal needs one JOURNAL";
    }
    if (!options.rest.empty() && options.rest.front() == kDryRun) {
        return options.rest.size() == 2 ? std::string() : "--dry-run needs one SCRIPT or JOURNAL";
    }
    for (const std::string& arg : options.rest) {
        if (arg.starts_with("-") && arg != "-") {
            return "unknown option " + arg;
        }
    }
    return options.rest.size() == 1 ? std::string() : "exactly one SCRIPT is needed";
}

} // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const InfoRequest info = FindInfoRequest(args); info != InfoRequest::None) {
        std::cout << InfoText(info, "quillet-replay", Usage());
        return 0;
    }
    const CommonOptions options = ParseCommonOptions(args);
    if (const std::string error = UsageError(options); !error.empty()) {
        std::cerr << "quillet-replay: " << error << "\n" << Usage();
        return kExitUsage;
    }
    const bool fromJournal = options.rest.front() == kFromJournal;
    const std::string& path = options.rest.back();
    const std::optional<std::string> text = ReadScript(path);
    if (!text) {
        return kExitUsage;
    }
    if (fromJournal) {
        std::cout << ScriptFromJournal(*text);
        return std::cout.flush() ? 0 : kExitUsage;
    }
    const bool dryRun = options.rest.front() == kDryRun;
    // A journal is tried as the script of its scans.
    const bool journalGiven = dryRun && ParseJournalLine(text->substr(0, text->find('\n')));
    const ReplayScript script = ParseReplayScript(journalGiven ? ScriptFromJournal(*text) : *text);
    if (!script.ok()) {
        std::cerr << "quillet-replay: " << path << ": " << script.error << "\n";
        return kExitUsage;
    }
    if (dryRun) {
        return DryRun(options, script, ExecutableDir(argv[0]));
    }
    TraceFile trace;
    // Without --trace the replay writes its trace to standard output.
    if (const std::string error = trace.Open(options.traceFile.value_or("-")); !error.empty()) {
        std::cerr << "quillet-replay: " << error << "\n";
        return kExitUsage;
    }
    // Kept only when asked for: a replay is not a day's work.
    JournalFile journal(trace.trace(), JournalFolderFor(options, {}), options.journalDays);
    if (Journal* kept = journal.journal()) {
        kept->OnFailure(
            [](const std::string& text) { std::cerr << "quillet-replay: " << text << "\n"; });
        kept->Start();
    }
    const int status = Replay(options, script, journal.trace(), ExecutableDir(argv[0]));
    if (!trace.Close()) {
        std::cerr << "quillet-replay: cannot write " << options.traceFile.value_or("-") << "\n";
        return kExitUsage;
    }
    return status;
}
