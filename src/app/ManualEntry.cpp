#include "app/ManualEntry.h"

#include <utility>

namespace quillet {

namespace {

constexpr const char* kTypePrompt = "Type the Barcode-Label.";

char UpperCaseByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool asciiLower = byte >= 'a' && byte <= 'z';
    const bool latinLower = byte >= 0xE0 && byte <= 0xFE && byte != 0xF7;
    if (asciiLower || latinLower) {
        return static_cast<char>(byte - 0x20);
    }
    return c;
}

} // namespace

std::string UpperCaseSingleByte(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperCaseByte(c);
    }
    return upper;
}

ManualEntry::ManualEntry(WindowState& window, Operator& op, Interpret interpret)
    : window_(window), operator_(op), interpret_(std::move(interpret)) {}

void ManualEntry::Edit() {
    if (typing_) {
        return;
    }
    EnterTyping(ManualEntryView::Focus::Box);
    window_.SetStatus(kTypePrompt);
}

void ManualEntry::Ok(const std::string& boxText) {
    if (!typing_ || interpreting_) {
        return;
    }
    view_.boxText = UpperCaseSingleByte(boxText);
    if (view_.boxText.empty()) {
        EnterIdle(ManualEntryView::Focus::Edit);
        window_.SetStatus(WindowState::kReady);
        return;
    }
    Notify();
    interpreting_ = true;
    const bool accepted = interpret_ ? interpret_(view_.boxText) : false;
    interpreting_ = false;
    if (accepted) {
        EnterIdle(ManualEntryView::Focus::None);
        return;
    }
    operator_.Beep();
    EnterTyping(ManualEntryView::Focus::Box);
}

void ManualEntry::EnterTyping(ManualEntryView::Focus focus) {
    typing_ = true;
    view_.boxEnabled = true;
    view_.editEnabled = false;
    view_.okEnabled = true;
    view_.focus = focus;
    Notify();
}

void ManualEntry::EnterIdle(ManualEntryView::Focus focus) {
    typing_ = false;
    view_.boxText.clear();
    view_.boxEnabled = false;
    view_.editEnabled = true;
    view_.okEnabled = false;
    view_.focus = focus;
    Notify();
}

void ManualEntry::Notify() {
    if (observer_) {
        observer_();
    }
}

} // namespace quillet
