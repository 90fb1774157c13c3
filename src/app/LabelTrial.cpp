#include "app/LabelTrial.h"

#include <utility>

namespace quillet {

namespace {

// A label set is never longer than this in ticks; the bound only stops a runaway loop.
constexpr int kMaxTicksPerScan = 100000;
// The recording host answers at once.
constexpr double kConnectSeconds = 1;

// Answers every box as nobody at the screen would, and records it.
class TrialOperator final : public Operator {
public:
    explicit TrialOperator(Trace& trace) : trace_(trace) {}
    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override {
        TraceMessage(trace_, icon, title, text);
        return UnattendedAnswer(buttons);
    }

private:
    Trace& trace_;
};

// The scanner of a try: what arrives is handed in, what would be sent back is recorded.
class TrialPort final : public SerialPort {
public:
    explicit TrialPort(Trace& trace) : trace_(trace) {}
    void Arrive(std::string_view bytes) { incoming_ += bytes; }
    bool IsOpen() const override { return true; }
    std::size_t BytesWaiting() override { return incoming_.size(); }
    std::string ReadAll() override { return std::exchange(incoming_, {}); }
    void ClearInput() override { incoming_.clear(); }
    bool Write(std::string_view bytes) override {
        trace_.Event("serial-out", bytes);
        return true;
    }
    bool TakeLineError() override { return false; }

private:
    Trace& trace_;
    std::string incoming_;
};

// A try waits for nothing.
class NoWaitPump final : public EventPump {
public:
    void ProcessEvents() override {}
    void Sleep(int) override {}
};

// A try starts no program: the editor it would start is recorded.
class TrialDesktop final : public Desktop {
public:
    explicit TrialDesktop(Trace& trace) : trace_(trace) {}
    long StartProgram(const std::string& nativePath) override {
        trace_.Event("desktop", "start " + nativePath);
        return 0;
    }
    bool IsRunning(long) override { return false; }
    bool ActivateTask(long) override { return false; }
    long ActiveWindow() override { return 0; }
    bool PutOnTop(long) override { return false; }
    bool ForegroundIsTask(long) override { return false; }
    bool SendKeys(const std::string&) override { return false; }
    bool OpenDocument(const std::filesystem::path&) override { return false; }

private:
    Trace& trace_;
};

// Lines of a try that say what it would do; the pauses say nothing.
bool Reported(std::string_view kind) {
    return kind != "pause" && kind != "scan" && kind != "typed";
}

} // namespace

std::string TryReportText(const TryReport& report) {
    std::string text = "label " + report.label + "\n";
    for (const std::string& line : report.lines) {
        text += "  " + line + "\n";
    }
    return text;
}

void TrialTrace::Event(std::string_view kind, std::string_view text) {
    Note(kind, text);
}

void TrialTrace::Note(std::string_view kind, std::string_view text) {
    if (kind == "scan" || kind == "typed") {
        block_.label = EscapeTraceText(text);
    } else if (kind == "label" && block_.label.empty()) {
        // The rest of a scan that held several labels.
        const std::size_t colon = text.find(": ");
        if (colon != std::string_view::npos) {
            block_.label = EscapeTraceText(text.substr(colon + 2));
        }
    }
    if (Reported(kind)) {
        block_.lines.push_back(TraceLine(kind, text));
    }
    if (journal_ != nullptr && !quiet_) {
        journal_->Note("try", text.empty() ? std::string(kind)
                                           : std::string(kind) + " " + std::string(text));
    }
}

void TrialTrace::Flush() {
    if (block_.label.empty() && block_.lines.empty()) {
        return;
    }
    const TryReport done = std::exchange(block_, {});
    if (report_) {
        report_(done);
    }
    if (journal_ != nullptr) {
        journal_->Flush();
    }
}

struct LabelTrial::Engine {
    Engine(FileSystem& real, Trace& trace)
        : files(real, trace), op(trace), port(trace), desktop(trace), status(trace),
          host(std::make_shared<RecordingHost>(trace)),
          app({files, op, port, pump, desktop, trace}) {
        app.Window().SetObserver(&status);
    }
    ~Engine() { app.Window().SetObserver(nullptr); }

    // Rows or a field code of an earlier try wait for the next one.
    bool Waiting() { return !app.Record().RowsSeen.empty() || app.Label().CodeChosen; }

    RefusingFileSystem files;
    TrialOperator op;
    TrialPort port;
    NoWaitPump pump;
    TrialDesktop desktop;
    StatusTrace status;
    std::shared_ptr<RecordingHost> host;
    Application app;
};

LabelTrial::LabelTrial(FileSystem& files, SettingsLocations locations, Trace* journal)
    : files_(files), locations_(std::move(locations)), trace_(journal) {}

LabelTrial::~LabelTrial() = default;

bool LabelTrial::Prepare(const WindowState* boxes, Application* real) {
    if (engine_) {
        firstScanPending_ = engine_->app.Host().FirstScanPending();
    }
    // A try that waits for more goes on as it stands.
    if (!engine_ || !engine_->Waiting()) {
        engine_.reset();
        if (!StartEngine()) {
            return false;
        }
        Application& tried = engine_->app;
        tried.Host().SetFirstScanPending(real != nullptr ? real->Host().FirstScanPending()
                                                         : firstScanPending_);
        if (real != nullptr) {
            tried.Label() = real->Label();
            tried.Record() = real->Record();
        }
    }
    if (boxes != nullptr) {
        WindowState& window = engine_->app.Window();
        window.SetAutoClear(boxes->autoClear());
        window.SetOverwrite(boxes->overwrite());
        window.SetAutoStart(boxes->autoStart());
        window.SetShowEditor(boxes->showEditor());
    }
    return true;
}

// The journal hears nothing of the try's own start-up.
bool LabelTrial::StartEngine() {
    auto engine = std::make_unique<Engine>(files_, trace_);
    trace_.Quiet(true);
    const bool started = engine->app.Start({locations_, engine->host, kConnectSeconds, {}, {}});
    trace_.Discard();
    trace_.Quiet(false);
    if (started) {
        engine_ = std::move(engine);
    }
    return started;
}

WindowState* LabelTrial::Boxes() {
    return engine_ ? &engine_->app.Window() : nullptr;
}

void LabelTrial::Scan(std::string_view bytes) {
    if (!engine_) {
        return;
    }
    Arrive(bytes);
    Tick();
    for (int i = 0; i < kMaxTicksPerScan && !engine_->app.Poller().ScanBuffer().empty(); ++i) {
        Tick();
    }
}

void LabelTrial::Type(const std::string& text) {
    if (engine_) {
        engine_->app.Manual().Edit();
        engine_->app.Manual().Ok(text);
    }
}

void LabelTrial::Arrive(std::string_view bytes) {
    if (engine_) {
        engine_->port.Arrive(bytes);
    }
}

bool LabelTrial::Framing() const {
    return engine_ && !engine_->app.Poller().ScanBuffer().empty();
}

void LabelTrial::Tick() {
    if (engine_) {
        engine_->app.Tick();
    }
}

} // namespace quillet
