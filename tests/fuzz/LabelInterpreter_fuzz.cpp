// Feeds arbitrary label sequences to the interpreter over fakes: an in-memory file system
// with a few program files, a simulated host and a pump that never sleeps, so thousands of
// sequences run a second. Nothing may crash; a label that is not taken adds no entry; every
// entry added is acknowledged to the scanner once.

#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "fuzz/FuzzCheck.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/ProgramReader.h"
#include "host/SimulatedHost.h"
#include "host/TextSplitter.h"
#include "labels/EntrySender.h"
#include "labels/LabelInterpreter.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"
#include "support/FakeSerialPort.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace quillet;

struct CountingTrace final : Trace {
    void Event(std::string_view kind, std::string_view text) override {
        addLines += kind == "host" && text.starts_with("AddLine") ? 1 : 0;
    }
    int addLines = 0;
};

// The first byte chooses the options, the rest is one label a line.
struct Options {
    explicit Options(std::uint8_t bits)
        : autoStart(bits & 1), forceCnc(bits & 2), showEditor(bits & 4),
          failingAddLines((bits >> 3) & 3), firstScanPending(bits & 32) {}
    bool autoStart, forceCnc, showEditor;
    int failingAddLines;
    bool firstScanPending;
};

// What every input starts from, made once per process: the code table, the machine fields,
// the settings and the program files. Only the file system can be changed by an input (the
// companion CSV is appended to), so it alone is put back, and only when it was written.
struct Fixture {
    Fixture() {
        codes.InitCodeTable();
        fields.Code(FieldSlot::SFN) = "S";
        fields.Code(FieldSlot::SFM) = "A";
        fields.Code(FieldSlot::BFN) = "B";
        fields.Flag(FieldSlot::BFN) = 1;
        fields.HlfLimX = "1000";
        fields.HlfLimY = "500";
        settings.GCodePath = "C:\\PROD\\";
        programs["C:\\PROD\\P1"] = "G71 X800 Y600 Z18 T1\r\n(DOOR)\r\n";
        programs["C:\\PROD\\P2.CNC"] = "%ZOR 1200 400 19\r\n(MIRROR)\r\n";
        programs["C:\\PROD\\P3"] = "G70 Xa Y\r\n";
        programs["C:\\Z.CSV"] = "a;b;c";
        files.files = programs;
    }

    void Begin(const Options& options) {
        if (files.files != programs) {
            files.files = programs;
        }
        settings.ForceCncExtension = options.forceCnc;
    }

    MachineFieldModel fields;
    CodeTable codes;
    Settings settings;
    std::map<std::string, std::string> programs;
    testing::FakeFileSystem files;
};

// One input's run: the state the labels change, made afresh. These objects hold little
// more than references, so making them costs next to nothing.
struct Interpreter {
    Interpreter(Fixture& fixture, const Options& options)
        : fields(fixture.fields), codes(fixture.codes), settings(fixture.settings),
          files(fixture.files) {
        hostOptions.failAddLine = options.failingAddLines;
        host = std::make_shared<SimulatedHost>(trace, hostOptions);
        FUZZ_CHECK(control.Connect(host, 1));
        control.SetFirstScanPending(options.firstScanPending);
        window.SetAutoStart(options.autoStart);
        window.SetShowEditor(options.showEditor);
    }

    const MachineFieldModel& fields;
    const CodeTable& codes;
    const Settings& settings;
    testing::FakeFileSystem& files;
    LabelState label;
    ScanRecord record;
    CountingTrace trace;
    testing::FakeEventPump pump;
    testing::FakeOperator op;
    testing::FakeSerialPort serial;
    Parser parser;
    WindowState window;
    LastProgram last;
    HostSimulationOptions hostOptions;
    std::shared_ptr<SimulatedHost> host;
    HostControl control{label, codes, pump, op, window, trace};
    ProgramReader reader{label, settings, files, op, parser};
    EntrySender sender{label, record, fields, control, window, serial, last, [] {}};
    LabelInterpreter interpreter{InterpreterContext{label, record, fields, codes, settings, control,
                                                    reader, window, files, op, sender},
                                 [](const std::string& name) { return name.size() % 2 == 0; }};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static Fixture fixture;
    const Options options(data[0]);
    fixture.Begin(options);
    Interpreter run(fixture, options);
    std::string_view labels(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!labels.empty()) {
        const std::size_t end = labels.find('\n');
        const std::string label(labels.substr(0, end));
        labels = end == std::string_view::npos ? std::string_view() : labels.substr(end + 1);

        const int addsBefore = run.trace.addLines;
        const bool taken = run.interpreter.ProcessLabel(label);
        const std::size_t acks = run.serial.written.size() / 4;
        FUZZ_CHECK(run.serial.written.size() % 4 == 0);
        if (options.failingAddLines == 0) {
            FUZZ_CHECK(taken || run.trace.addLines == addsBefore);
            FUZZ_CHECK(acks == static_cast<std::size_t>(run.trace.addLines));
        } else {
            FUZZ_CHECK(acks <= static_cast<std::size_t>(run.trace.addLines));
        }
    }
    return 0;
}
