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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillet;
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = RetainedListLines(file);
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(line.size() >= kMinListLineLength);
    }

    LabelState label;
    CodeTable codes;
    codes.InitCodeTable();
    Settings settings;
    settings.GCodePath = "C:\\PROD\\";
    testing::FakeFileSystem files;
    files.files["C:\\PROD\\JOBS.LST"] = file;
    testing::FakeOperator op;
    testing::FakeEventPump pump;
    NullTrace trace;
    WindowState window;
    window.SetAutoStart(size % 2 == 0);
    Parser parser;
    HostControl host{label, codes, pump, op, window, trace};
    const auto app = std::make_shared<SimulatedHost>(trace, HostSimulationOptions{});
    FUZZ_CHECK(host.Connect(app, 1));
    ListFile list{label, settings, files, op, parser, host, window};

    const bool loaded = list.LoadListFile("JOBS");
    FUZZ_CHECK(loaded == (lines.size() >= 2));
    FUZZ_CHECK(app->Entries().size() == (loaded ? lines.size() - 1 : 0));
    return 0;
}
