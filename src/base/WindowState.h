#pragma once

#include <array>
#include <string>

namespace quillet {

// Told about every change of the main window's state; the desktop window redraws, the
// trace records the status line.
class WindowStateObserver {
public:
    virtual ~WindowStateObserver() = default;
    virtual void StatusChanged(const std::string& /*text*/) {}
    virtual void Changed() {}
};

// What the main window shows and what the core reads back from it: the status line, the
// indicators, the operator's option boxes, the exclusion notice and manual entry. The core
// writes it; the window only draws it and reports clicks.
class WindowState {
public:
    static constexpr int kRowIndicators = 5;
    static constexpr const char* kReady = "Ready.";
    static constexpr std::array<const char*, kRowIndicators> kRowCaptions = {
        "Load List", "Program", "Dimensions", "Vars A-D", "Vars E-I"};

    void SetObserver(WindowStateObserver* observer) { observer_ = observer; }

    const std::string& Status() const { return status_; }
    void SetStatus(const std::string& text);

    // LabID(0..4); an index outside 0..4 is ignored.
    bool RowIndicatorVisible(int index) const;
    void ShowRowIndicator(int index);
    void HideRowIndicators();

    bool AutoFieldSelectionVisible() const { return labelAfs_; }
    void SetAutoFieldSelectionVisible(bool visible);

    bool ReceiveIndicatorVisible() const { return dspinVisible_; }
    const std::string& ReceiveIndicatorCaption() const { return dspinCaption_; }
    void ShowReceiveIndicator(const std::string& caption);
    void HideReceiveIndicator();

    // Option boxes of the main window.
    bool autoClear() const { return autoClear_; }
    bool overwrite() const { return overwrite_; }
    bool autoStart() const { return autoStart_; }
    bool showEditor() const { return showEditor_; }
    void SetAutoClear(bool on);
    void SetOverwrite(bool on);
    void SetAutoStart(bool on);
    void SetShowEditor(bool on);

    bool ExclusionNoticeVisible() const { return exclusionVisible_; }
    const std::string& ExclusionNotice() const { return exclusionText_; }
    void SetExclusionNotice(bool visible, const std::string& text);

    const std::string& PortSettingsCaption() const { return portCaption_; }
    void SetPortSettingsCaption(const std::string& text);

    // "Show Program in Editor" hidden for good, "  Machine Auto Start" taking its place.
    bool EditorOptionHidden() const { return editorOptionHidden_; }
    void HideEditorOption();

private:
    void Notify();

    WindowStateObserver* observer_ = nullptr;
    std::string status_ = kReady;
    std::array<bool, kRowIndicators> rows_{};
    bool labelAfs_ = false;
    bool dspinVisible_ = false;
    std::string dspinCaption_ = "X";
    bool autoClear_ = false;
    bool overwrite_ = false;
    bool autoStart_ = true;
    bool showEditor_ = false;
    bool exclusionVisible_ = false;
    std::string exclusionText_;
    std::string portCaption_;
    bool editorOptionHidden_ = false;
};

} // namespace quillet
