#pragma once

#include "base/IniProfile.h"
#include "fields/AutoSelEditor.h"

namespace quillet {

// Reads the machine field table and the auto-selection settings from section VORKSTAB
// into the editor's model, and shows the stored trigger slot. Never fails: a missing
// file or key, or a value that cannot be held, gives the default of that key.
//   - A check-box flag loads as its number rounded to the nearest integer (halves to
//     even) when that is 0, 1 or 2; anything else (negative, 3 and up, text, empty,
//     beyond 16 bits) loads as 0, disabled. SFN, SFM and DFN always hold 1.
//   - Positions beyond 16 bits are clamped to the nearest 16-bit value; alignment and
//     variant values beyond 16 bits load as 0.
//   - AutoSelSetting selects a target only when its number is exactly 1, 2 or 3.
void LoadMachineFields(const IniProfile& ini, AutoSelEditor& editor);

// Captures the trigger controls into the current slot and writes every value in a fixed
// order, in one write of the file. Codes are written upper-cased; the live codes keep
// their case. A failed write is the profile's to report.
void StoreMachineFields(IniProfile& ini, AutoSelEditor& editor);

} // namespace quillet
