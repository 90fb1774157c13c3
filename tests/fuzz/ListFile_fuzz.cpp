// Loads arbitrary list files into a simulated host. Nothing may crash; every retained line
// after the first becomes exactly one entry, and a list without two retained lines adds
// nothing.

#include "base/LabelState.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "fuzz/FuzzCheck.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/ListFile.h"
#include "host/SimulatedHost.h"
#include "host/TextSplitter.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace quillet;

// What every input starts from, made once per process; the list file's text is the input.
struct Fixture {
    Fixture() {
        codes.InitCodeTable();
        settings.GCodePath = "C:\\PROD\\";
    }

    CodeTable codes;
    Settings settings;
    testing::FakeFileSystem files;
    std::string& list = files.files["C:\\PROD\\JOBS.LST"];
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    fixture.list.assign(reinterpret_cast<const char*>(data), size);
    const std::string& file = fixture.list;
    const std::vector<std::string> lines = RetainedListLines(file);
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(line.size() >= kMinListLineLength);
    }

    LabelState label;
    testing::FakeOperator op;
    testing::FakeEventPump pump;
    NullTrace trace;
    WindowState window;
    window.SetAutoStart(size % 2 == 0);
    Parser parser;
    HostControl host{label, fixture.codes, pump, op, window, trace};
    const auto app = std::make_shared<SimulatedHost>(trace, HostSimulationOptions{});
    FUZZ_CHECK(host.Connect(app, 1));
    ListFile list{label, fixture.settings, fixture.files, op, parser, host, window};

    const bool loaded = list.LoadListFile("JOBS");
    FUZZ_CHECK(loaded == (lines.size() >= 2));
    FUZZ_CHECK(app->Entries().size() == (loaded ? lines.size() - 1 : 0));
    return 0;
}
