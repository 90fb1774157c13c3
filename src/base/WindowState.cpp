#include "base/WindowState.h"

namespace quillet {

void WindowState::Notify() {
    if (observer_ != nullptr) {
        observer_->Changed();
    }
}

void WindowState::SetStatus(const std::string& text) {
    status_ = text;
    if (observer_ != nullptr) {
        observer_->StatusChanged(text);
    }
    Notify();
}

bool WindowState::RowIndicatorVisible(int index) const {
    return index >= 0 && index < kRowIndicators && rows_[static_cast<std::size_t>(index)];
}

void WindowState::ShowRowIndicator(int index) {
    if (index < 0 || index >= kRowIndicators) {
        return;
    }
    rows_[static_cast<std::size_t>(index)] = true;
    Notify();
}

void WindowState::HideRowIndicators() {
    rows_.fill(false);
    Notify();
}

void WindowState::SetAutoFieldSelectionVisible(bool visible) {
    labelAfs_ = visible;
    Notify();
}

void WindowState::ShowReceiveIndicator(const std::string& caption) {
    dspinVisible_ = true;
    dspinCaption_ = caption;
    Notify();
}

void WindowState::HideReceiveIndicator() {
    dspinVisible_ = false;
    Notify();
}

void WindowState::SetAutoClear(bool on) {
    autoClear_ = on;
    Notify();
}

void WindowState::SetOverwrite(bool on) {
    overwrite_ = on;
    Notify();
}

void WindowState::SetAutoStart(bool on) {
    autoStart_ = on;
    Notify();
}

void WindowState::SetShowEditor(bool on) {
    showEditor_ = on;
    Notify();
}

void WindowState::SetExclusionNotice(bool visible, const std::string& text) {
    exclusionVisible_ = visible;
    exclusionText_ = text;
    Notify();
}

void WindowState::SetPortSettingsCaption(const std::string& text) {
    portCaption_ = text;
    Notify();
}

void WindowState::HideEditorOption() {
    editorOptionHidden_ = true;
    Notify();
}

} // namespace quillet
