// quillet-bench: times look-ups of file names that are missing from a folder in their exact
// spelling, the look-up every lower-case label and every absent companion record costs.

#include "base/InfoRequest.h"
#include "config/NativeFileSystem.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = "usage: quillet-bench FOLDER [COUNT]\n"
                               "Looks up COUNT (default 10000) names missing from FOLDER and\n"
                               "prints the microseconds of the first look-up and of the\n"
                               "average one after it.\n";

std::string Usage() {
    std::string usage = kUsage;
    usage.append(quillet::kInfoOptionsHelp);
    return usage;
}

double Microseconds(std::chrono::steady_clock::duration elapsed) {
    return std::chrono::duration<double, std::micro>(elapsed).count();
}

} // namespace

int main(int argc, char** argv) {
    if (const quillet::InfoRequest info = quillet::FindInfoRequest({argv + 1, argv + argc});
        info != quillet::InfoRequest::None) {
        std::cout << quillet::InfoText(info, "quillet-bench", Usage());
        return 0;
    }
    if (argc < 2 || argc > 3) {
        std::cerr << Usage();
        return 2;
    }
    const std::string folder = argv[1];
    const long count = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 10000;
    if (count < 1) {
        std::cerr << Usage();
        return 2;
    }
    quillet::NativeFileSystem files{quillet::PathMap()};
    const auto lookUp = [&](long i) {
        return files.Lookup(folder + "/missing" + std::to_string(i) + ".CNC");
    };

    const auto start = std::chrono::steady_clock::now();
    if (lookUp(0).isFile) {
        std::cerr << "quillet-bench: " << folder << " holds a name the look-ups use\n";
        return 1;
    }
    const auto afterFirst = std::chrono::steady_clock::now();
    for (long i = 1; i <= count; ++i) {
        lookUp(i);
    }
    const auto end = std::chrono::steady_clock::now();
    std::cout << "first " << Microseconds(afterFirst - start) << " us, then "
              << Microseconds(end - afterFirst) / static_cast<double>(count) << " us per look-up\n";
    return 0;
}
