// Feeds arbitrary labels to the header parser and to the whole program import over
// in-memory fakes. Whatever the label says, nothing may crash, no file may be written
// outside the program folder, and a refused label must leave the host list untouched and
// say why.

#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/ProgramFileName.h"
#include "host/ProgramImporter.h"
#include "host/ProgramLabelHeader.h"
#include "host/ProgramReader.h"
#include "host/SimulatedHost.h"
#include "host/TextSplitter.h"
#include "labels/EntrySender.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"
#include "support/FakeSerialPort.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quillet;

constexpr const char* kFolder = "C:\\MIRT\\PRODUCT\\";

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool TrimmedOfBlanks(const std::optional<std::string>& value) {
    return !value || value->empty() || (value->front() != ' ' && value->back() != ' ');
}

void CheckHeader(std::string_view header) {
    const ProgramLabelHeader h = ParseProgramLabelHeader(header);
    Check(header.substr(0, header.find('^')) == h.ProgramName);
    for (const auto* value : {&h.DimX, &h.DimY, &h.DimZ, &h.VarA, &h.VarI, &h.FieldCode}) {
        Check(TrimmedOfBlanks(*value));
    }
}

// What no label changes, made once per process.
struct Fixture {
    Fixture() {
        codes.InitCodeTable();
        settings.GCodePath = kFolder;
    }

    MachineFieldModel fields;
    CodeTable codes;
    Settings settings;
};

void CheckImport(const std::string& label, bool overwrite) {
    static const Fixture fixture;
    const MachineFieldModel& fields = fixture.fields;
    const CodeTable& codes = fixture.codes;
    const Settings& settings = fixture.settings;
    LabelState state;
    ScanRecord record;
    testing::FakeFileSystem files;
    testing::FakeOperator op;
    testing::FakeEventPump pump;
    testing::FakeSerialPort serial;
    NullTrace trace;
    WindowState window;
    window.SetOverwrite(overwrite);
    LastProgram last;
    HostControl control{state, codes, pump, op, window, trace};
    auto host = std::make_shared<SimulatedHost>(trace, HostSimulationOptions{});
    Check(control.Connect(host, 1));
    Parser parser;
    ProgramReader reader{state, settings, files, op, parser};
    EntrySender sender{state, record, fields, control, window, serial, last, nullptr};
    ProgramImporter importer{
        state, control, window, files, reader, sender, [](const std::string& name) {
            return !name.empty();
        }};

    const ImportResult result = importer.ImportProgramLabel(label);
    for (const auto& [path, data] : files.files) {
        const std::string_view p(path);
        Check(p.starts_with(kFolder));
        Check(ProgramFileNameFault(p.substr(std::string_view(kFolder).size())).empty());
        Check(data.find('\0') == std::string::npos);
    }
    if (result == ImportResult::Refused || result == ImportResult::NotSaved) {
        Check(host->Entries().empty());
        Check(window.Status() != WindowState::kReady);
        Check(control.FirstScanPending() || result == ImportResult::NotSaved);
    }
    if (result == ImportResult::Refused) {
        Check(files.files.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label(reinterpret_cast<const char*>(data), size);
    CheckHeader(label.substr(0, label.find('!')));
    CheckImport(label, size % 2 == 0);
    return 0;
}
