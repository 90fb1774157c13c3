#include "app/demo/DemoSetup.h"

#include "base/FreshFolder.h"
#include "base/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quillet {

namespace {

namespace fs = std::filesystem;

constexpr const char* kIniTemplate = "ZOR.INI";
constexpr const char* kLabelList = "labels.txt";
constexpr const char* kFolderPrefix = "quillet-demo-";

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteWhole(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::vector<DemoLabel> ParseLabels(const std::string& text) {
    std::vector<DemoLabel> labels;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t tab = line.find('\t');
        if (line.empty() || line.front() == '#' || tab == std::string::npos) {
            continue;
        }
        if (auto bytes = UnescapeTraceText(line.substr(0, tab))) {
            labels.push_back({*bytes, line.substr(tab + 1)});
        }
    }
    return labels;
}

// Everything but the two files that are turned into something else.
bool CopyData(const fs::path& source, const fs::path& target) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(source, error)) {
        const std::string name = entry.path().filename().string();
        if (name == kIniTemplate || name == kLabelList) {
            continue;
        }
        fs::copy(entry.path(), target / name, fs::copy_options::recursive, error);
        if (error) {
            return false;
        }
    }
    return !error;
}

} // namespace

DemoSetup MakeDemoSetup(const std::string& source, const std::string& parent) {
    DemoSetup setup;
    const fs::path from(source);
    if (!fs::is_regular_file(from / kIniTemplate)) {
        setup.error = "no demo set-up in " + source;
        return setup;
    }
    setup.folder = MakeFreshFolder(parent, kFolderPrefix);
    if (setup.folder.empty()) {
        setup.error = "cannot make a folder in " + parent;
        return setup;
    }
    const fs::path to(setup.folder);
    setup.programDir = setup.folder + "/bin";
    setup.windowsDir = setup.folder + "/windows";
    std::error_code error;
    fs::create_directories(setup.programDir, error);
    fs::create_directories(setup.windowsDir, error);
    const std::string ini =
        ReplaceAll(ReadWhole(from / kIniTemplate), kDemoFolderMarker, setup.folder);
    if (error || !CopyData(from, to) || !WriteWhole(to / "bin" / kIniTemplate, ini)) {
        setup.error = "cannot copy the demo set-up into " + setup.folder;
        return setup;
    }
    setup.labels = ParseLabels(ReadWhole(from / kLabelList));
    return setup;
}

std::string FindDemoSource(const std::string& executableDir, const std::string& fallback) {
    for (const std::string& folder :
         {executableDir + "/demo", executableDir + "/../share/quillet/demo"}) {
        if (fs::exists(folder + "/" + kIniTemplate)) {
            return folder;
        }
    }
    return fallback;
}

std::string TemporaryParent() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp == '/' ? tmp : "/tmp";
}

std::string DemoHelp(const DemoSetup& demo, const std::string& scannerPath) {
    std::string help = "Demo set-up in " + demo.folder + "\n" +
                       "Scan a sample label by typing one of these in a shell:\n";
    for (const DemoLabel& label : demo.labels) {
        help +=
            "  " + PrintfCommand(label.bytes, scannerPath) + "\n      " + label.description + "\n";
    }
    return help + "Typed labels work too: \"Edit\", the label, \"OK\".\n";
}

std::string PrintfCommand(const std::string& bytes, const std::string& path) {
    std::string format;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        if (c == '%') {
            format += "%%";
        } else if (c == '\\') {
            format += "\\\\";
        } else if (c == '\'') {
            format += "'\\''";
        } else if (byte < 0x20 || byte >= 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\%03o", byte);
            format += escaped;
        } else {
            format += c;
        }
    }
    return "printf '" + format + "' > '" + ReplaceAll(path, "'", "'\\''") + "'";
}

} // namespace quillet
