#pragma once

namespace quillet {

// Titles and texts of the machine field dialogs, for every desktop program.
namespace field_text {

inline constexpr const char* kMachineFieldTitle = "Automatic Field Selection Setup";

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
