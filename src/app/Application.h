#pragma once

#include "app/ManualEntry.h"
#include "app/ReportingIniProfile.h"
#include "app/ScanPoller.h"
#include "base/Desktop.h"
#include "base/EventPump.h"
#include "base/FileSystem.h"
#include "base/LabelState.h"
#include "base/Operator.h"
#include "base/ScanRecord.h"
#include "base/SerialPort.h"
#include "base/Trace.h"
#include "base/WindowState.h"
#include "config/IniStore.h"
#include "config/Settings.h"
#include "config/SettingsLoader.h"
#include "fields/AutoSelEditor.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldModel.h"
#include "host/CodeTable.h"
#include "host/EditorLauncher.h"
#include "host/HostControl.h"
#include "host/HostObjects.h"
#include "host/ListFile.h"
#include "host/ProgramImporter.h"
#include "host/ProgramReader.h"
#include "host/TextSplitter.h"
#include "labels/EntrySender.h"
#include "labels/LabelInterpreter.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

// The platform as the program reaches it.
struct ApplicationPorts {
    FileSystem& files;
    Operator& op;
    SerialPort& serial;
    EventPump& pump;
    Desktop& desktop;
    Trace& trace;
};

struct StartOptions {
    SettingsLocations locations;
    std::shared_ptr<HostApplication> host;
    double connectTimeoutSeconds = 30;
    // Opens the scanner's port with the settings just read (the desktop's part).
    std::function<void()> applyCommSettings;
    // Centres the main window once the host is connected (the desktop's part).
    std::function<void()> centerWindow;
};

// The program's one application object: every piece of state that lives for the whole run,
// and the procedures that work on it, wired to each other and to the ports.
class Application {
public:
    explicit Application(ApplicationPorts ports);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The start-up sequence. A step that fails unexpectedly shows the unexpected-error
    // message and start-up goes on with the next one. False when the program has to end (no
    // ZOR.INI, no host); the operator has been told and an exit requested.
    bool Start(const StartOptions& options);
    bool Started() const { return started_; }

    // Timer1. Ticks before start-up has finished leave the scanner's bytes in the port.
    void Tick();

    // Clicks on the main window's option boxes.
    void ClickAutoClear(bool on);
    void ClickOverwrite(bool on);
    void ClickAutoStart(bool on);
    void ClickShowEditor(bool on);

    // Releases the host's references (the window closes the port itself).
    void Shutdown() { host_.Release(); }

    // One label for the interpreter, as a scan or a typed entry hands it on.
    bool ProcessLabel(const std::string& label) { return interpreter_.ProcessLabel(label); }

    Settings& settings() { return settings_; }
    WindowState& Window() { return window_; }
    LabelState& Label() { return label_; }
    ScanRecord& Record() { return record_; }
    CodeTable& Codes() { return codes_; }
    AutoSelEditor& FieldEditor() { return fieldEditor_; }
    HostControl& Host() { return host_; }
    LastProgram& Last() { return last_; }
    EntrySender& Sender() { return sender_; }
    ScanPoller& Poller() { return poller_; }
    ManualEntry& Manual() { return manual_; }
    // ZOR.INI once the settings have been read; nothing before. A write that fails has
    // been reported to the operator.
    IniProfile* Ini() { return reportedIni_ ? &*reportedIni_ : nullptr; }

private:
    ScanHandlers PollerHandlers();
    void NoteCleaned(const std::string& piece, const CleanedInput& cleaned);
    // Runs one start-up step; false when it failed (the operator has been told).
    bool Guarded(const std::function<void()>& step);
    void ReportUnexpected(long number, const std::string& text);
    bool InterpretTyped(const std::string& text);
    bool LoadList(const std::string& name);
    void LoadOptions();
    void NoteVirtualStoreCopy(const std::filesystem::path& store);
    bool ReadOption(const SettingKey& key) const;
    void WriteOption(const SettingKey& key, bool on);
    void NoteClick(const char* box, bool on);
    bool End();

    ApplicationPorts ports_;
    Settings settings_;
    std::optional<IniStore> ini_;
    std::optional<ReportingIniProfile> reportedIni_;
    WindowState window_;
    LabelState label_;
    ScanRecord record_;
    CodeTable codes_;
    MachineFieldModel fields_;
    AutoSelEditor fieldEditor_{fields_};
    LastProgram last_;
    Parser parser_;
    HostControl host_;
    ProgramReader reader_;
    ListFile lists_;
    EditorLauncher editor_;
    EntrySender sender_;
    LabelInterpreter interpreter_;
    ProgramImporter importer_;
    ScanPoller poller_;
    ManualEntry manual_;
    bool started_ = false;
};

} // namespace quillet
