#pragma once

namespace quillet {

// What the labels window shows, for every desktop program.
namespace labels_window {

inline constexpr const char* kTitle = "Today's Labels";
// The table's columns, left to right, as LabelRow holds them.
inline constexpr const char* kColumns[] = {"Time",    "Label", "What it was", "Sent to Tormial",
                                           "Outcome", "Reason"};
// Characters of a label shown in its cell; the tooltip holds the whole text.
inline constexpr int kLabelWidth = 40;
inline constexpr const char* kTryLabel = "Try a label";
inline constexpr const char* kTryButton = "&Try";
inline constexpr const char* kScansTried = "Scans are tried, not sent";
inline constexpr const char* kCopy = "&Copy";
inline constexpr const char* kNoJournal = "No journal is kept: today's labels cannot be shown.";
inline constexpr const char* kTryNotPossible = "The settings cannot be read: nothing was tried.";

} // namespace labels_window
} // namespace quillet
