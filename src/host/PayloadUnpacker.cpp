#include "host/PayloadUnpacker.h"

#include "base/Numbers.h"
#include "host/ZlibExpander.h"

#include <zlib.h>

#include <optional>

namespace quillet {

namespace {

constexpr const char* kDamaged = "Compressed barcode damaged: ";

std::optional<int> ReadExpandedLength(std::string_view label) {
    std::string_view field;
    if (label.size() > kLengthFieldStart) {
        field = label.substr(kLengthFieldStart, kLengthFieldWidth);
    }
    const std::optional<std::int16_t> length = LeadingInt16(field);
    if (!length || *length < 0) {
        return std::nullopt;
    }
    return *length;
}

void Fail(WindowState& window, const std::string& why) {
    window.SetStatus(kDamaged + why);
}

std::optional<std::string> ExpandInMemory(ZlibExpander& expander, const std::string& payload,
                                          std::size_t expandedLength, WindowState& window) {
    if (payload.size() > kPayloadBufferSize || expandedLength > kPayloadBufferSize) {
        Fail(window, "more data than its length allows.");
        return std::nullopt;
    }
    std::string source(kPayloadBufferSize, ' ');
    std::string destination(kPayloadBufferSize, ' ');
    source.replace(0, payload.size(), payload);
    const ExpandStatus status =
        expander.BufferToBuffer(source, destination, expandedLength, payload.size());
    expander.Cleanup();
    if (status != ExpandStatus::Ok) {
        Fail(window, "the data does not expand to its stated length.");
        return std::nullopt;
    }
    // A shorter text keeps the buffer's blanks after it, which the import trims.
    return destination.substr(0, expandedLength);
}

std::string WorkFileFailure(const char* verb, const char* path, const std::string& why) {
    std::string text = std::string("Cannot ") + verb + " work file " + path;
    return why.empty() ? text + "." : text + ": " + why;
}

std::optional<std::string> ExpandThroughFiles(ZlibExpander& expander, FileSystem& fs,
                                              const std::string& payload,
                                              std::size_t expandedLength, WindowState& window) {
    // Written over without shortening: the block's compressed length bounds what is read,
    // so bytes left from a longer earlier payload are never taken as data.
    const FileWrite written = fs.Overwrite(kCompressedWorkFile, payload);
    if (!written.ok()) {
        window.SetStatus(WorkFileFailure("write", kCompressedWorkFile, written.errorText));
        return std::nullopt;
    }
    ExpandBlock block;
    block.outputHandle = expander.OpenFile(kExpandedWorkFile, ZlibExpander::OpenMode::Create);
    if (block.outputHandle < 0) {
        window.SetStatus(WorkFileFailure("write", kExpandedWorkFile, expander.LastError()));
        expander.Cleanup();
        return std::nullopt;
    }
    block.inputHandle = expander.OpenFile(kCompressedWorkFile, ZlibExpander::OpenMode::Read);
    if (block.inputHandle < 0) {
        window.SetStatus(WorkFileFailure("read", kCompressedWorkFile, expander.LastError()));
        expander.Cleanup();
        return std::nullopt;
    }
    block.compressedLength = static_cast<std::uint32_t>(payload.size());
    block.expandedLength = static_cast<std::uint32_t>(expandedLength);
    const ExpandStatus status = expander.ExpandFile(block);
    const FileWrite closed = expander.CloseFile(block.outputHandle);
    expander.CloseFile(block.inputHandle);
    expander.Cleanup();
    if (status != ExpandStatus::Ok) {
        Fail(window, "the data does not expand to its stated length.");
        return std::nullopt;
    }
    if (!closed.ok()) {
        window.SetStatus(WorkFileFailure("write", kExpandedWorkFile, closed.errorText));
        return std::nullopt;
    }
    FileRead read = fs.ReadAll(kExpandedWorkFile);
    if (read.error != FsError::None || read.data.size() > expandedLength) {
        window.SetStatus(WorkFileFailure("read", kExpandedWorkFile, read.errorText));
        return std::nullopt;
    }
    return std::move(read.data);
}

} // namespace

std::string UnescapePayload(std::string_view escaped) {
    std::string out;
    out.reserve(escaped.size());
    int run = 0;
    for (const char c : escaped) {
        if (c != '\\') {
            run = 0;
            out += c;
            continue;
        }
        run = run < 2 ? run + 1 : 1;
        if (run != 2) {
            out += c;
        }
    }
    return out;
}

std::string UnpackPayload(std::string_view label, FileSystem& fs, WindowState& window) {
    const std::optional<int> length = ReadExpandedLength(label);
    if (!length) {
        Fail(window, "the length is not a number from 0 to 32767.");
        return {};
    }
    if (label.size() <= kPayloadStart) {
        Fail(window, "no data after the length.");
        return {};
    }
    const auto expandedLength = static_cast<std::size_t>(*length);
    const std::string payload = UnescapePayload(label.substr(kPayloadStart));
    // No zlib stream of this text can be longer; this also keeps the in-memory route
    // inside its buffer.
    if (payload.size() > compressBound(static_cast<uLong>(expandedLength))) {
        Fail(window, "more data than its length allows.");
        return {};
    }
    ZlibExpander expander(fs);
    expander.Init();
    std::optional<std::string> text =
        expandedLength > kMemoryExpandLimit
            ? ExpandThroughFiles(expander, fs, payload, expandedLength, window)
            : ExpandInMemory(expander, payload, expandedLength, window);
    if (!text) {
        return {};
    }
    if (text->empty()) {
        window.SetStatus("Compressed barcode holds no text.");
    }
    return std::move(*text);
}

} // namespace quillet
