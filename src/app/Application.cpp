#include "app/Application.h"

#include "base/FsPath.h"
#include "config/ReadIniString.h"
#include "config/VirtualStore.h"
#include "fields/ExclusionFlags.h"
#include "fields/MachineFieldStore.h"
#include "host/PayloadUnpacker.h"

#include <exception>
#include <new>
#include <string_view>
#include <system_error>

namespace quillet {

namespace {

constexpr double kStartPauseSeconds = 1;
constexpr int kExitFailure = 1;
// Numbers shown for failures that carry no system error code of their own.
constexpr long kOutOfMemoryError = 7;
constexpr long kInternalError = 51;

} // namespace

Application::Application(ApplicationPorts ports)
    : ports_(ports), host_(label_, codes_, ports.pump, ports.op, window_, ports.trace),
      reader_(label_, settings_, ports.files, ports.op, parser_),
      lists_(label_, settings_, ports.files, ports.op, parser_, host_, window_),
      editor_(label_, record_, ports.desktop, ports.files, host_, ports.op, ports.trace),
      sender_(
          label_, record_, fields_, host_, window_, ports.serial, last_,
          [this] { editor_.LaunchEditor(); }, &ports.trace),
      interpreter_(
          {label_, record_, fields_, codes_, settings_, host_, reader_, window_, ports.files,
           ports.op, sender_},
          [this](const std::string& name) { return LoadList(name); }, &ports.trace),
      importer_(label_, host_, window_, ports.files, reader_, sender_,
                [this](const std::string& name) { return LoadList(name); }),
      poller_(ports.serial, window_, PollerHandlers(), ScannerInput(settings_.Scanner)),
      manual_(window_, ports.op, [this](const std::string& text) { return InterpretTyped(text); }) {
}

ScanHandlers Application::PollerHandlers() {
    return {
        [this](const std::string& text) { return ProcessLabel(text); },
        [this](const std::string& text) {
            ports_.trace.Note("label", "compressed");
            return UnpackPayload(text, ports_.files, window_);
        },
        [this](std::string& text) {
            const bool list = WithoutPrefix(text).starts_with(ProgramImporter::kListLabelStart);
            ports_.trace.Note("label", list ? "list file" : "2D program");
            importer_.ImportProgramLabel(text);
        },
        [this](const std::string& bytes) { ports_.trace.Note("scan", bytes); },
        [this] { ports_.trace.Flush(); },
        [this](const std::string& piece, const CleanedInput& cleaned) {
            NoteCleaned(piece, cleaned);
        },
    };
}

// Every framed piece as it came and what it became: the journal keeps it, the trace not.
void Application::NoteCleaned(const std::string& piece, const CleanedInput& cleaned) {
    ports_.trace.Note("input", ScannerInput::JournalText(piece, cleaned));
}

bool Application::Start(const StartOptions& options) {
    bool loaded = false;
    Guarded([&] { loaded = LoadSettings(settings_, options.locations, ports_.files, ports_.op); });
    if (!loaded) {
        return End();
    }
    ini_.emplace(ports_.files.NativePath(settings_.IniFile));
    reportedIni_.emplace(*ini_, ports_.op, ini_->NativePath(), settings_.IniReadFault);
    window_.HideEditorOption();
    Guarded([&] {
        if (options.applyCommSettings) {
            options.applyCommSettings();
        }
    });
    Guarded([&] { codes_.InitCodeTable(); });
    Guarded([&] { host_.Pause(kStartPauseSeconds); });
    if (options.host) {
        options.host->SetCallTimeLimit(settings_.HostCallTimeoutSeconds * 1000);
    }
    bool connected = false;
    Guarded([&] { connected = host_.Connect(options.host, options.connectTimeoutSeconds); });
    if (!connected) {
        return End();
    }
    host_.SetFirstScanPending(true);
    Guarded([&] {
        if (options.centerWindow) {
            options.centerWindow();
        }
    });
    Guarded([&] { LoadMachineFields(*ini_, fieldEditor_); });
    Guarded([&] { LoadOptions(); });
    Guarded([&] { NoteVirtualStoreCopy(options.locations.virtualStore); });
    started_ = true;
    return true;
}

// A host that Windows virtualizes reads and writes its own copy of the settings: what it
// does then differs from what Quillet reads without a word from either.
void Application::NoteVirtualStoreCopy(const std::filesystem::path& store) {
    const std::string file = ports_.files.NativePath(settings_.IniFile);
    const std::optional<std::filesystem::path> copy = VirtualStoreCopy(store, file);
    std::error_code error;
    if (!copy || !std::filesystem::is_regular_file(*copy, error)) {
        return;
    }
    const std::string text = VirtualStoreText(file, FsText(*copy));
    window_.SetStatus(text);
    ports_.trace.Note("settings", text);
}

bool Application::Guarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::system_error& error) {
        ReportUnexpected(error.code().value(), error.what());
    } catch (const std::bad_alloc&) {
        ReportUnexpected(kOutOfMemoryError, "Out of memory");
    } catch (const std::exception& error) {
        ReportUnexpected(kInternalError, error.what());
    }
    return false;
}

void Application::ReportUnexpected(long number, const std::string& text) {
    ports_.op.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                      UnexpectedErrorText(number, text));
}

void Application::LoadOptions() {
    window_.SetOverwrite(ReadOption(setting_keys::kOverwrite));
    window_.SetAutoClear(ReadOption(setting_keys::kAutoClear));
    window_.SetAutoStart(true);
    settings_.ExclusionFlags =
        ReadIniString(*ini_, setting_keys::kExclusion.section, setting_keys::kExclusion.name);
    ShowExclusionNotice(settings_.ExclusionFlags, window_);
}

bool Application::End() {
    ports_.op.RequestExit(kExitFailure);
    return false;
}

void Application::Tick() {
    if (started_) {
        poller_.Tick();
    }
}

bool Application::LoadList(const std::string& name) {
    const bool loaded = lists_.LoadListFile(name);
    ports_.trace.Note("list", lists_.FullName(name) + ": " + std::to_string(lists_.EntriesAdded()) +
                                  " entries" + (loaded ? "" : ", not all loaded"));
    return loaded;
}

bool Application::InterpretTyped(const std::string& text) {
    // A scanned label is still being handled: refuse, the text stays for another "OK".
    if (poller_.Busy()) {
        return false;
    }
    ports_.trace.Note("typed", text);
    bool accepted = false;
    {
        const ScanPoller::Hold hold(poller_);
        accepted = ProcessLabel(text);
    }
    ports_.trace.Flush();
    return accepted;
}

// The journal keeps clicks in the replay script's names of the boxes.
void Application::NoteClick(const char* box, bool on) {
    ports_.trace.Note("click", std::string(box) + (on ? " 1" : " 0"));
}

void Application::ClickAutoStart(bool on) {
    NoteClick("AutoStart", on);
    window_.SetAutoStart(on);
}

void Application::ClickShowEditor(bool on) {
    NoteClick("ShowEd", on);
    window_.SetShowEditor(on);
}

void Application::ClickAutoClear(bool on) {
    NoteClick("AClear", on);
    window_.SetAutoClear(on);
    WriteOption(setting_keys::kAutoClear, on);
}

void Application::ClickOverwrite(bool on) {
    NoteClick("Overwrite", on);
    window_.SetOverwrite(on);
    WriteOption(setting_keys::kOverwrite, on);
}

bool Application::ReadOption(const SettingKey& key) const {
    return ini_->ReadInt(key.section, key.name, key.number) != 0;
}

void Application::WriteOption(const SettingKey& key, bool on) {
    if (reportedIni_) {
        reportedIni_->WriteString(key.section, key.name, on ? " 1" : " 0");
    }
}

} // namespace quillet
