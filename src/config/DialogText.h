#pragma once

namespace quillet {

// Titles and texts of the configuration dialogs, for every desktop program.
namespace dialog_text {

inline constexpr const char* kSettingsTitle = "Settings";

inline constexpr const char* kAboutTitle = "About Quillet";
inline constexpr const char* kAboutProduct = "Quillet Version 4.3";
inline constexpr const char* kAboutHost = "Scanner link for the Tormial control, version 4.3";
inline constexpr const char* kAboutMaker = "Copyright 2003 the Quillet developers";
inline constexpr const char* kAboutOk = "&Ok";

} // namespace dialog_text
} // namespace quillet
