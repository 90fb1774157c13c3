#include "fields/AutoSelEditor.h"

#include "base/Numbers.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace quillet {

namespace {

constexpr int kProgramNameWidth = 13;
constexpr int kCommentWidth = 26;

std::int16_t ToInt16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

} // namespace

AutoSelSlot* AutoSelEditor::CurrentSlot() {
    AutoSelState& state = model_.autoSel;
    if (model_.MPName()) {
        return model_.MSel() ? &state.PNameMirror : &state.PNameNandM;
    }
    if (model_.MCmt()) {
        return model_.MSel() ? &state.CommentMirror : &state.CommentNandM;
    }
    return nullptr;
}

void AutoSelEditor::Capture() {
    AutoSelSlot* slot = CurrentSlot();
    if (slot == nullptr) {
        return;
    }
    slot->AlignLeft = model_.OptAlnL ? -1 : 0;
    slot->Position = ToInt16(model_.PosScrollValue);
    slot->TriggerText = model_.MSpec;
    const std::int16_t variant = model_.MSel() ? 1 : 0;
    if (model_.MPName()) {
        model_.autoSel.PNameMSel = variant;
    } else {
        model_.autoSel.CommentMSel = variant;
    }
}

void AutoSelEditor::Show() {
    AutoSelSlot* slot = CurrentSlot();
    if (slot == nullptr) {
        return;
    }
    // Only -1 keeps counting from the left; any other non-zero value ends on the right.
    if (slot->AlignLeft != 0) {
        SetAlignment(true);
    }
    if (slot->AlignLeft != -1) {
        SetAlignment(false);
    }
    if (slot->Position < 1) {
        slot->Position = 1;
    }
    if (slot->Position > model_.PosScrollMax) {
        slot->Position = ToInt16(model_.PosScrollMax);
    }
    SetScrollValue(slot->Position);
    SetMSpec(slot->TriggerText);
}

void AutoSelEditor::Redraw() {
    if (model_.MBC()) {
        model_.triggerGroupEnabled = false;
        return;
    }
    model_.triggerGroupEnabled = true;
    const int n = model_.MCmt() ? kCommentWidth : kProgramNameWidth;
    const std::size_t triggerLength = model_.MSpec.size();
    const int bound =
        triggerLength >= static_cast<std::size_t>(n) ? 0 : n - static_cast<int>(triggerLength);
    SetScrollMax(bound); // may lower the position, which redraws before we go on

    const int width = n - 1;
    const int position = model_.PosScrollValue;
    if (position < 1 || position > width) {
        return;
    }
    std::string preview(static_cast<std::size_t>(width), '?');
    const std::size_t start = static_cast<std::size_t>(position - 1);
    const std::size_t count = std::min(triggerLength, preview.size() - start);
    preview.replace(start, count, model_.MSpec, 0, count);

    model_.LabDispStr = preview;
    model_.PosDispLeft = FormatNumber(position) + " From Left";
    model_.PosDispRight = FormatNumber(model_.PosScrollMax + 1 - position) + " From Right";
    model_.PosDispLeftVisible = model_.OptAlnL;
    model_.PosDispRightVisible = !model_.OptAlnL;
}

void AutoSelEditor::ClickWiring() {
    Show();
    Redraw();
}

void AutoSelEditor::SetAlignment(bool fromLeft) {
    if (model_.OptAlnL == fromLeft) {
        return;
    }
    model_.OptAlnL = fromLeft;
    Redraw(); // the option's click
}

void AutoSelEditor::SetScrollValue(int value) {
    value = std::clamp(value, model_.PosScrollMin, model_.PosScrollMax);
    if (value == model_.PosScrollValue) {
        return;
    }
    model_.PosScrollValue = value;
    Redraw(); // the scroll bar's change
}

void AutoSelEditor::SetScrollMax(int max) {
    // A trigger too long for the preview would put the bound below 1; the position
    // never goes below 1, so the bound stays at 1 as well.
    model_.PosScrollMax = std::max(max, model_.PosScrollMin);
    if (model_.PosScrollValue > model_.PosScrollMax ||
        model_.PosScrollValue < model_.PosScrollMin) {
        SetScrollValue(model_.PosScrollValue);
    }
}

void AutoSelEditor::SetMSpec(std::string_view text) {
    if (model_.MSpec == text) {
        return;
    }
    model_.MSpec = std::string(text);
    Redraw(); // the text box's change
}

void AutoSelEditor::Notify() {
    if (observer_) {
        observer_();
    }
}

void AutoSelEditor::GetAutoSel() {
    Capture();
    Notify();
}

void AutoSelEditor::SetAutoSel() {
    Show();
    Notify();
}

void AutoSelEditor::PlaceText() {
    Redraw();
    Notify();
}

void AutoSelEditor::ChoicePressed() {
    Capture();
    Notify();
}

void AutoSelEditor::TargetClicked(AutoSelTarget target) {
    model_.target = target;
    ClickWiring();
    Notify();
}

void AutoSelEditor::VariantClicked(bool mirror) {
    model_.mirrorSelected = mirror;
    ClickWiring();
    Notify();
}

void AutoSelEditor::TargetChanged(AutoSelTarget target) {
    Capture();
    TargetClicked(target);
}

void AutoSelEditor::VariantChanged(bool mirror) {
    Capture();
    VariantClicked(mirror);
}

void AutoSelEditor::MSpecChanged(std::string_view text) {
    model_.MSpec = std::string(text);
    Redraw();
    Notify();
}

void AutoSelEditor::PosScrollChanged(int value) {
    model_.PosScrollValue = std::clamp(value, model_.PosScrollMin, model_.PosScrollMax);
    Redraw();
    Notify();
}

void AutoSelEditor::AlignmentClicked(bool fromLeft) {
    model_.OptAlnL = fromLeft;
    Redraw();
    Notify();
}

void AutoSelEditor::PreviewDoubleClicked(std::string_view lastProgramName,
                                         std::string_view lastComment) {
    if (model_.MPName()) {
        model_.LabDispStr = std::string(lastProgramName);
    } else if (model_.MCmt()) {
        model_.LabDispStr = std::string(lastComment);
    } else {
        return;
    }
    Notify();
}

void AutoSelEditor::SelectTarget(AutoSelTarget target) {
    if (model_.target == target) {
        return;
    }
    TargetClicked(target);
}

void AutoSelEditor::SelectVariant(bool mirror) {
    if (model_.mirrorSelected == mirror) {
        return;
    }
    VariantClicked(mirror);
}

} // namespace quillet
