#pragma once

#include "fields/MachineFieldModel.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace quillet {

// The editing rules of the "Auto Field Select" tab, applied to the live model. The dialog
// forwards its widget events here and redraws from the model when its observer is called; the
// scroll bar, option buttons and text box are modelled as the widgets behave, so a change
// of value made here raises the same event a widget would (and redraws again).
class AutoSelEditor {
public:
    explicit AutoSelEditor(MachineFieldModel& model) : model_(model) {}

    // Called once after every operation below that may have changed the model.
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    MachineFieldModel& Model() { return model_; }

    // Copies the trigger controls into the slot of the current target and variant.
    void GetAutoSel();
    // Copies that slot into the trigger controls (clamping its position first).
    void SetAutoSel();
    // Enables or disables the trigger group and redraws the preview and captions.
    void PlaceText();

    // Mouse button pressed on a target or variant option, before the choice changes.
    void ChoicePressed();
    // Click on a target or variant option: the choice has already changed to this one.
    void TargetClicked(AutoSelTarget target);
    void VariantClicked(bool mirror);
    // A change of choice without a preceding press (keyboard): captures the slot being
    // left first, so that no edit is lost, then acts as the click.
    void TargetChanged(AutoSelTarget target);
    void VariantChanged(bool mirror);

    void MSpecChanged(std::string_view text);
    // Values outside the scroll bar's bounds are brought inside them, as the widget does.
    void PosScrollChanged(int value);
    void AlignmentClicked(bool fromLeft);
    void PreviewDoubleClicked(std::string_view lastProgramName, std::string_view lastComment);

    // Programmatic selection as the loader does it: a change of option raises its click.
    void SelectTarget(AutoSelTarget target);
    void SelectVariant(bool mirror);

private:
    AutoSelSlot* CurrentSlot();
    void Capture();
    void Show();
    void Redraw();
    void ClickWiring();
    void SetAlignment(bool fromLeft);
    void SetScrollValue(int value);
    void SetScrollMax(int max);
    void SetMSpec(std::string_view text);
    void Notify();

    MachineFieldModel& model_;
    std::function<void()> observer_;
};

} // namespace quillet
