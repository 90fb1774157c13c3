// Reads arbitrary program files for their dimensions and comment. Nothing may crash, the
// dimensions stay finite, the comment is one line of the file, and a file that is neither
// format is reported once.

#include "base/LabelState.h"
#include "config/Settings.h"
#include "fuzz/FuzzCheck.h"
#include "host/ProgramReader.h"
#include "host/TextSplitter.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillet;
    const std::string file(reinterpret_cast<const char*>(data), size);
    LabelState label;
    label.ProgramName = "P1";
    label.DimX = "0";
    label.DimY = "600";
    Settings settings;
    settings.GCodePath = "C:\\PROD\\";
    testing::FakeFileSystem files;
    files.files["C:\\PROD\\P1"] = file;
    testing::FakeOperator op;
    Parser parser;
    ProgramReader reader{label, settings, files, op, parser};

    float x = 1;
    float y = 2;
    float z = 3;
    reader.ReadProgramDimensions(x, y, z);
    FUZZ_CHECK(std::isfinite(x) && std::isfinite(y) && std::isfinite(z));
    FUZZ_CHECK(label.Comment.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(file.find(label.Comment) != std::string::npos);
    FUZZ_CHECK(op.shown.size() <= 1);

    reader.FillMissingDimensions(x, y);
    FUZZ_CHECK(std::isfinite(x) && y == 600);
    return 0;
}
