// Feeds arbitrary labels to UnpackPayload over an in-memory file system. Whatever the label
// says, it must not crash, and a text it hands on is never longer than the label states
// (shorter data expanded through the work files is handed on as it is).

#include "base/Numbers.h"
#include "base/WindowState.h"
#include "host/PayloadUnpacker.h"
#include "support/FakeFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label(reinterpret_cast<const char*>(data), size);
    quillet::testing::FakeFileSystem fs;
    quillet::WindowState window;
    const std::string text = quillet::UnpackPayload(label, fs, window);
    if (!text.empty()) {
        const auto stated = quillet::LeadingInt16(label.substr(3, 5));
        if (!stated || static_cast<std::size_t>(*stated) < text.size()) {
            std::abort();
        }
    } else if (window.Status() == quillet::WindowState::kReady) {
        std::abort(); // nothing handed on must always say why
    }
    return 0;
}
