#pragma once

namespace quillet {

// The scanner test's dialog and what it says, for every desktop program.
namespace scanner_test_text {

inline constexpr const char* kMenuCaption = "Scanner &Test...";
inline constexpr const char* kTitle = "Scanner Test";
inline constexpr const char* kIntro =
    "Scan the test labels. Nothing scanned here goes to the machine.";
inline constexpr const char* kScansCaption = "Scans as they came:";
inline constexpr const char* kFindingsCaption = "What the scanner sends:";
inline constexpr const char* kPrintLabels = "&Print Test Labels...";
inline constexpr const char* kUseSettings = "&Use these settings";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kWaiting = "Waiting for a scan.";

inline constexpr const char* kFound = "The ";
inline constexpr const char* kFoundEnd = " test label.";
inline constexpr const char* kPrefix = "Prefix: ";
inline constexpr const char* kSymbologyId = "Symbology identifier: ";
inline constexpr const char* kSuffix = "Suffix: ";
inline constexpr const char* kNone = "none";
inline constexpr const char* kStxEtx = "STX and ETX around the code (always removed).";
inline constexpr const char* kUpperCase =
    "Upper case converted: switch the scanner's case conversion off.";
inline constexpr const char* kLowerCase =
    "Lower case converted: switch the scanner's case conversion off.";
inline constexpr const char* kGsDropped =
    "Control characters dropped (the GS in the two-dimensional label).";
inline constexpr const char* kGsChanged =
    "Control characters changed (the GS in the two-dimensional label) to ";
inline constexpr const char* kNotReference = "Not a reference label.";
inline constexpr const char* kCurrentMake = "The current settings make of it: ";
inline constexpr const char* kCurrentMakeNothing = "The current settings make of it: no label.";
inline constexpr const char* kStored = "Settings stored.";
inline constexpr const char* kNoLabelsFile = "The test labels could not be opened: ";

} // namespace scanner_test_text
} // namespace quillet
