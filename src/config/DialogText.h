#pragma once

#include "base/Version.h"
#include "config/SerialSettingsForm.h"

#include <array>

namespace quillet {

// Titles and texts of the configuration dialogs, for every desktop program.
namespace dialog_text {

inline constexpr const char* kSettingsTitle = "Settings";
inline constexpr const char* kComPortFrame = "&Com Port";
inline constexpr const char* kBaudRateFrame = "&Baud Rate";
inline constexpr const char* kParityFrame = "&Parity";
inline constexpr const char* kDataBitsFrame = "&Data Bits";
inline constexpr const char* kStopBitsFrame = "&Stop Bits";
// One per parity option, in the order of the options.
inline constexpr std::array<const char*, kParityOptions.size()> kParityCaptions = {"None", "Odd",
                                                                                   "Even"};
// "Com" and the port number.
inline constexpr const char* kPortCaptionPrefix = "Com";
inline constexpr const char* kOtherPortCaption = "Other:";
// The "Other:" list's words.
inline constexpr const char* kPortNotPresent = "(not present)";
inline constexpr const char* kPortByIdentity = "Found again in any socket as ";
inline constexpr const char* kPortByNumber = "Remembered by its number only";
inline constexpr const char* kSettingsOk = "OK";
inline constexpr const char* kSettingsCancel = "Cancel";
// frmSettings as designed, in twips.
inline constexpr int kSettingsWidthTwips = 4590;
inline constexpr int kSettingsHeightTwips = 2670;
// Beneath the designed area: the "Other:" list and its note.
inline constexpr int kSettingsOtherRowsTwips = 660;

inline constexpr const char* kAboutTitle = "About Quillet";
inline constexpr const char* kAboutProduct = "Quillet Version " QUILLET_VERSION;
// The host's version this program was made for, not the program's own.
inline constexpr const char* kAboutHost = "Scanner link for the Tormial control, version 4.3";
inline constexpr const char* kAboutMaker = "Copyright 2003 the Quillet developers";
inline constexpr const char* kAboutOk = "&Ok";

} // namespace dialog_text
} // namespace quillet
