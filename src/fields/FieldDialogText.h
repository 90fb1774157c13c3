#pragma once

namespace quillet {

// Titles and texts of the machine field dialogs, for every desktop program.
namespace field_text {

inline constexpr const char* kMachineFieldTitle = "Automatic Field Selection Setup";
// MacFlds as designed, in twips: the dialog and its tab control.
inline constexpr int kMachineFieldWidthTwips = 6615;
inline constexpr int kMachineFieldHeightTwips = 5640;
inline constexpr int kFieldTabsWidthTwips = 6375;
inline constexpr int kFieldTabsHeightTwips = 4695;

// The four tabs, in order.
inline constexpr const char* kTabCaptions[] = {"Auto Field Select", "Standard Fields",
                                               "Front and Back", "Field Limits"};

// The auto-selection tab.
inline constexpr const char* kTargetProgramName = "Program Name";
inline constexpr const char* kTargetComment = "Comment";
inline constexpr const char* kTargetBarcode = "Barcode";
inline constexpr const char* kMirrorFrame = "Mirror";
inline constexpr const char* kProduceFrame = "On Match Produce: ";
inline constexpr const char* kProduceMirror = "Mirror";
inline constexpr const char* kProduceBoth = "Norm and Mirror";
inline constexpr const char* kTriggerFrame = "Set Characters to Trigger Mirror ";
inline constexpr const char* kAlignLeftTip = "Count the position from the left";
inline constexpr const char* kAlignRightTip = "Count the position from the right";
inline constexpr const char* kDefaultFieldFrame = "Default Field";

// The buttons under the tabs.
inline constexpr const char* kSetAll = "Set All";
inline constexpr const char* kSetAllTip = "Enable all fields on this tab";
inline constexpr const char* kClearAll = "Clear All";
inline constexpr const char* kClearAllTip = "Disable all fields on this tab";
inline constexpr const char* kFieldsCancelTip = "Exit and loose changes";
inline constexpr const char* kFieldsOkTip = "Exit and keep changes";

inline constexpr const char* kExclusionTitle = "Exclusion Insertion";
inline constexpr const char* kExclusionPrompt =
    "Automatic insertion of an Exclusion number in the List Manager upon scan of barcode.  "
    "Select desired Exclusion number to insert.";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
// ExInsForm as designed, in twips.
inline constexpr int kExclusionWidthTwips = 5745;
inline constexpr int kExclusionHeightTwips = 1830;

} // namespace field_text
} // namespace quillet
