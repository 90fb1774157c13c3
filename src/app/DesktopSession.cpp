#include "app/DesktopSession.h"

#include "app/LabelsWindowText.h"
#include "app/MainWindowText.h"
#include "app/ScannerIdentity.h"
#include "app/ScannerPortText.h"
#include "app/ScannerTestText.h"
#include "base/FsPath.h"
#include "config/DialogText.h"
#include "config/SettingsLoader.h"
#include "fields/ExclusionFlags.h"
#include "fields/FieldDialogText.h"

namespace quillet {

DesktopSession::DesktopSession(const DesktopSessionSetup& setup, DesktopPorts ports)
    : setup_(setup), trace_(ports.trace), desktop_(ports.desktop), shell_(ports.shell),
      timers_(ports.timers), singleCopy_(ports.singleCopy), catalog_(ports.catalog),
      operator_(ports.boxes, ports.trace, setup.unattended,
                [this](int status) { shell_.EndLoop(status); }),
      port_(ports.scanner), tracedPort_(port_, ports.trace),
      app_({ports.files, operator_, tracedPort_, ports.pump, ports.desktop, ports.trace}),
      statusTrace_(ports.trace, &ports.view), trial_(ports.files, setup.locations, setup.journal) {
    trial_.OnReport([this](const TryReport& report) {
        if (tryReport_) {
            tryReport_(TryReportText(report));
        }
    });
    port_.OnLost([this](const std::string& text) {
        app_.Window().SetPortSettingsCaption(PortRetryingCaption(app_.settings()));
        app_.Window().SetStatus(text);
        timers_.StartTimer(SessionTimer::PortRetry, kPortRetryMs);
    });
    port_.OnBack([this](const std::string& text) {
        timers_.StopTimer(SessionTimer::PortRetry);
        app_.Window().SetPortSettingsCaption(PortSettingsCaption(app_.settings()));
        app_.Window().SetStatus(text);
    });
}

DesktopSession::~DesktopSession() {
    if (setup_.journal != nullptr) {
        setup_.journal->Listen(nullptr);
    }
    ReleaseAll();
    app_.Window().SetObserver(nullptr);
}

bool DesktopSession::Start() {
    if (!singleCopy_.Acquire()) {
        operator_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                          kAlreadyRunning);
        operator_.RequestExit(kExitAlreadyRunning);
        return false;
    }
    // Only the copy that runs tidies the journal's folder.
    if (setup_.journal != nullptr) {
        setup_.journal->Start();
        // The day so far once; from here on line by line as it is written.
        labels_.Read(setup_.journal->ReadToday());
        setup_.journal->Listen(&labels_);
    }
    const StartOptions options{setup_.locations, setup_.host, setup_.connectTimeoutSeconds,
                               [this] { OpenScannerPort(); }, [this] { shell_.CenterWindow(); }};
    if (!app_.Start(options)) {
        return false;
    }
    if (IniProfile* ini = app_.Ini()) {
        shell_.LoadFieldDialog(app_.FieldEditor(), *ini, app_.Last());
        fieldDialogLoaded_ = true;
    }
    shell_.ShowWindow();
    // Only now can the operator read it: start-up's own status lines come before.
    if (setup_.journal != nullptr) {
        setup_.journal->OnFailure(
            [this](const std::string& text) { app_.Window().SetStatus(text); });
    }
    timers_.StartTimer(SessionTimer::Poll, app_.settings().PollIntervalMs);
    // Ended as a close from the window is: a label in hand is finished first.
    if (setup_.quitAfterSeconds) {
        timers_.StartTimer(SessionTimer::CloseRetry,
                           static_cast<int>(*setup_.quitAfterSeconds * 1000));
    }
    return true;
}

void DesktopSession::Run(Command command) {
    switch (command) {
    case Command::Exit:
        // Ends the program the same way as closing the window, so the port and the host are
        // released.
        Close();
        return;
    case Command::Settings:
        ChangeCommSettings(app_.settings(), app_.Ini(), app_.Window(), operator_, PortOperations());
        return;
    case Command::AutoFieldSelect:
        ShowFieldDialog();
        return;
    case Command::ExclusionInsertion:
        ShowExclusionDialog();
        return;
    case Command::About:
        if (DialogMayOpen(dialog_text::kAboutTitle)) {
            shell_.ShowAbout();
        }
        return;
    case Command::OpenJournal:
        OpenJournal();
        return;
    case Command::ScannerTest:
        ShowScannerTest();
        return;
    case Command::TodaysLabels:
        if (DialogMayOpen(labels_window::kTitle)) {
            shell_.ShowLabelsWindow();
        }
        return;
    }
}

void DesktopSession::TimerFired(SessionTimer timer) {
    switch (timer) {
    case SessionTimer::Poll:
        port_.CheckHealth();
        if (scansTried_) {
            PollTried();
        } else {
            app_.Tick();
        }
        // What happened between labels (a lost port, a dialog) reaches the disk as well.
        if (!app_.Poller().Busy()) {
            trace_.Flush();
        }
        return;
    case SessionTimer::PortRetry:
        RetryScannerPort();
        return;
    case SessionTimer::CloseRetry:
        timers_.StopTimer(SessionTimer::CloseRetry);
        Close();
        return;
    }
}

void DesktopSession::DeviceArrived() {
    if (port_.WaitingForDevice()) {
        RetryScannerPort();
    }
}

// The scanner remembered by identity is opened where the system has it now; without one,
// or when it is absent, the stored number is opened as always.
void DesktopSession::OpenScannerPort() {
    Settings& settings = app_.settings();
    const std::optional<std::int16_t> moved = MovedScannerPort(settings, catalog_);
    if (moved) {
        settings.CommPortNumber = *moved;
    }
    const bool opened =
        ApplyCommSettings(settings, app_.Ini(), app_.Window(), operator_, PortOperations());
    if (moved && opened && settings.CommPortNumber == *moved) {
        ScannerFound();
    }
}

void DesktopSession::RetryScannerPort() {
    const std::optional<std::int16_t> moved = MovedScannerPort(app_.settings(), catalog_);
    if (!moved || !port_.RetryOn(*moved)) {
        port_.Retry();
        return;
    }
    timers_.StopTimer(SessionTimer::PortRetry);
    app_.settings().CommPortNumber = *moved;
    ScannerFound();
}

// Opened under its new number: the number is stored, the window shows it, one status
// line says where.
void DesktopSession::ScannerFound() {
    const Settings& settings = app_.settings();
    if (IniProfile* ini = app_.Ini()) {
        SaveCommSettings(*ini, settings);
    }
    app_.Window().SetPortSettingsCaption(PortSettingsCaption(settings));
    app_.Window().SetStatus(ScannerFoundText(settings.CommPortNumber));
}

// The scanner's bytes go to the try's own poll; the real one reads nothing meanwhile.
void DesktopSession::PollTried() {
    if (app_.Poller().Busy()) {
        return;
    }
    const std::string bytes = tracedPort_.BytesWaiting() > 0 ? tracedPort_.ReadAll() : "";
    if (!bytes.empty() && !trial_.Framing() && !PrepareTry()) {
        return;
    }
    trial_.Arrive(bytes);
    trial_.Tick();
}

bool DesktopSession::PrepareTry() {
    if (trial_.Prepare(&app_.Window(), &app_)) {
        return true;
    }
    if (tryReport_) {
        tryReport_(labels_window::kTryNotPossible);
    }
    return false;
}

void DesktopSession::TryLabel(const std::string& typed) {
    if (typed.empty() || app_.Poller().Busy() || !PrepareTry()) {
        return;
    }
    trial_.Scan(UnescapeTraceText(typed).value_or(typed));
}

CommSettingsPorts DesktopSession::PortOperations() {
    CommSettingsPorts ports;
    ports.open = [this](int portNumber, const std::string& settings) {
        timers_.StopTimer(SessionTimer::PortRetry);
        return port_.Open(portNumber, settings);
    };
    // Nobody at the screen: the dialog counts as cancelled, the port stays as it is.
    ports.askSettings = [this](const Settings& settings) -> std::optional<SerialSettingsChoice> {
        if (!DialogMayOpen(dialog_text::kSettingsTitle)) {
            return std::nullopt;
        }
        return shell_.AskSerialSettings(settings, catalog_.Ports());
    };
    return ports;
}

// Unattended, no dialog opens: the trace says which one would have.
bool DesktopSession::DialogMayOpen(const char* title) {
    if (!operator_.Unattended()) {
        return true;
    }
    trace_.Event("dialog", std::string(title) + " not opened");
    return false;
}

void DesktopSession::ShowExclusionDialog() {
    IniProfile* ini = app_.Ini();
    if (ini == nullptr || !DialogMayOpen(field_text::kExclusionTitle)) {
        return;
    }
    if (const auto flags = shell_.AskExclusionFlags(app_.settings().ExclusionFlags)) {
        ApplyExclusionFlags(*flags, *ini, app_.settings(), app_.Window());
    }
}

void DesktopSession::ShowFieldDialog() {
    if (fieldDialogLoaded_ && DialogMayOpen(field_text::kMachineFieldTitle)) {
        shell_.ShowFieldDialog();
    }
}

// Today's file as it stands, in the operator's own viewer; nobody at the screen, nothing opens.
void DesktopSession::OpenJournal() {
    if (setup_.journal == nullptr) {
        app_.Window().SetStatus(main_window::kNoJournal);
        return;
    }
    if (!DialogMayOpen(main_window::kJournalTitle)) {
        return;
    }
    setup_.journal->Flush();
    if (!desktop_.OpenDocument(setup_.journal->TodayFile())) {
        app_.Window().SetStatus(main_window::kJournalNotOpened + setup_.journal->TodayPath());
    }
}

// Scans go to the test while it is open, never to the host; the set-up it found is stored
// and used from the next scan on.
void DesktopSession::ShowScannerTest() {
    IniProfile* ini = app_.Ini();
    if (ini == nullptr || !DialogMayOpen(scanner_test_text::kTitle)) {
        return;
    }
    ScannerTest test(app_.settings().Scanner, [this] { return PrintTestLabels(); });
    app_.Poller().Divert([&test](const std::string& bytes) { test.Scanned(bytes); });
    const std::optional<ScannerSetup> chosen = shell_.AskScannerTest(test);
    app_.Poller().Divert({});
    if (!chosen) {
        return;
    }
    app_.settings().Scanner = *chosen;
    trace_.Note("scanner", "prefix " + chosen->prefix + ", suffix " + chosen->suffix +
                               (chosen->symbologyId ? ", symbology identifier" : ""));
    if (SaveScannerSetup(*ini, *chosen).ok()) {
        app_.Window().SetStatus(scanner_test_text::kStored);
    }
}

std::string DesktopSession::PrintTestLabels() {
    if (!desktop_.OpenDocument(FsPath(setup_.testLabels))) {
        return scanner_test_text::kNoLabelsFile + setup_.testLabels;
    }
    return {};
}

void DesktopSession::Close() {
    if (closed_) {
        return;
    }
    if (!closing_) {
        closing_ = true;
        UnloadFieldDialog();
        timers_.StopTimer(SessionTimer::Poll);
    }
    // A label still being handled finishes first; it may still need the port and the host.
    if (app_.Poller().Busy()) {
        timers_.StartTimer(SessionTimer::CloseRetry, kCloseRetryMs);
        return;
    }
    ReleaseAll();
    shell_.HideWindow();
    closed_ = true;
    shell_.EndLoop(operator_.ExitStatus().value_or(0));
}

void DesktopSession::EndSession() {
    operator_.Silence();
    // The process may be ended as soon as this returns: the journal goes to disk first.
    trace_.Flush();
    if (closed_) {
        return;
    }
    closing_ = true;
    UnloadFieldDialog();
    ReleaseAll();
    closed_ = true;
    shell_.EndLoop(operator_.ExitStatus().value_or(0));
}

void DesktopSession::UnloadFieldDialog() {
    if (fieldDialogLoaded_) {
        shell_.UnloadFieldDialog();
        fieldDialogLoaded_ = false;
    }
}

void DesktopSession::ReleaseAll() {
    timers_.StopTimer(SessionTimer::Poll);
    timers_.StopTimer(SessionTimer::PortRetry);
    timers_.StopTimer(SessionTimer::CloseRetry);
    port_.Close();
    app_.Shutdown();
}

} // namespace quillet
