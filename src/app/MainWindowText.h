#pragma once

namespace quillet {

// What the main window shows, for every desktop program: captions, menu captions and the
// designed client size. The views only place these; they never spell them again.
namespace main_window {

// The client area as designed, in twips (15 to a pixel at the standard resolution).
inline constexpr int kClientWidthTwips = 7380;
inline constexpr int kClientHeightTwips = 3330;
inline constexpr int kTwipsPerPixel = 15;

inline constexpr const char* kEdit = "Edit";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kShowEditor = "Show Program in Editor";
inline constexpr const char* kOverwrite =
    "Overwrite Existing Programs With Program From 2D Barcode";
inline constexpr const char* kAutoClear = "Automatic Clear on Scan";
inline constexpr const char* kAutoStart = "  Machine Auto Start";
inline constexpr const char* kReceiveIndicator = "X";
inline constexpr const char* kReceiveIndicatorFont = "Arial";
inline constexpr const char* kAutoFieldSelection = "Automatic Field Selection";
// The widest caption the port settings label must hold, whatever the font.
inline constexpr const char* kWidestPortCaption = "COM4:57600,N,8,1";

inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kOpenJournal = "Open Today's &Journal";
inline constexpr const char* kExit = "E&xit";
// What the journal entry of the File menu may say in the status line.
inline constexpr const char* kJournalTitle = "Journal";
inline constexpr const char* kNoJournal = "No journal is kept (--journal off).";
inline constexpr const char* kJournalNotOpened = "The journal could not be opened: ";
inline constexpr const char* kOptionsMenu = "&Options";
inline constexpr const char* kSettings = "&Settings";
inline constexpr const char* kAutoFieldSelect = "&Auto Field Select";
inline constexpr const char* kExclusionInsertion = "&Exclusion Insertion";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kTodaysLabels = "Today's &Labels";
inline constexpr const char* kHelpMenu = "&?";
inline constexpr const char* kAbout = "&About Quillet ...";

// Colours as 0xRRGGBB.
inline constexpr unsigned kIndicatorText = 0xFFFF00;       // yellow
inline constexpr unsigned kIndicatorBackground = 0x000080; // dark blue
inline constexpr unsigned kReceiveText = 0x0000FF;         // blue
inline constexpr unsigned kReceiveBackground = 0xC0C0C0;   // light grey
inline constexpr unsigned kPortCaptionText = 0xFF0000;     // red

} // namespace main_window
} // namespace quillet
