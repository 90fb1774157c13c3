#pragma once

namespace quillet {

// ZOR.INI's section for the settings the host and Quillet share.
inline constexpr const char* kSection = "VORKSTAB";
// Quillet's own section, for settings the host never reads; its absent keys keep the
// behaviour as it was before they existed.
inline constexpr const char* kQuilletSection = "Quillet";

// One key of ZOR.INI: its section, its name, and what reading it gives when it is missing
// (`number` for the keys read as integers).
struct SettingKey {
    const char* section;
    const char* name;
    const char* fallback = "";
    int number = 0;
};

// Every key Quillet reads or writes in ZOR.INI, which the host shares: the loader and
// every writer take names and defaults from here, never spell them again.
namespace setting_keys {

inline constexpr SettingKey kCommSettings{kSection, "Settings", "9600,N,8,1"};
inline constexpr SettingKey kCommPort{kSection, "CommPort", "", 1};
// Timer1's interval as designed.
inline constexpr SettingKey kCommPollTime{kSection, "CommPollTime", "", 1000};
inline constexpr SettingKey kGCodePath{kSection, "GCodePath", "C:\\MIRT\\PRODUCT\\"};
inline constexpr SettingKey kCSVInPath{kSection, "CSVInPath", "C:\\"};
inline constexpr SettingKey kCSVOutPath{kSection, "CSVOutPath", "C:\\Quillet.csv"};
inline constexpr SettingKey kOverwrite{kSection, "Overwrite", "", 1};
inline constexpr SettingKey kAutoClear{kSection, "AutoClear", "", 1};
inline constexpr SettingKey kExclusion{kSection, "Exclusion"};
inline constexpr SettingKey kHalfLimitX{kSection, "HalfLimitX"};
inline constexpr SettingKey kHalfLimitY{kSection, "HalfLimitY"};
inline constexpr SettingKey kAutoSelSetting{kSection, "AutoSelSetting"};
inline constexpr SettingKey kPNameMSel{kSection, "PNameMSel"};
inline constexpr SettingKey kCommentMSel{kSection, "CommentMSel"};
// Seconds a call to the host may go unanswered before it is given up; below 1 reads 60.
inline constexpr SettingKey kHostCallTimeout{kQuilletSection, "HostCallTimeout", "", 60};
// What the scanner adds around each code: text in the trace's escapes, and "1" for an AIM
// symbology identifier before it.
inline constexpr SettingKey kScannerPrefix{kQuilletSection, "ScannerPrefix"};
inline constexpr SettingKey kScannerSuffix{kQuilletSection, "ScannerSuffix"};
inline constexpr SettingKey kScannerSymbologyId{kQuilletSection, "ScannerSymbologyId"};
// The scanner port's identity, beside CommPort's number.
inline constexpr SettingKey kScannerPort{kQuilletSection, "ScannerPort"};

// Keys named after a machine field slot ("FieldCode_SFN", "FieldFlag_SFS") and after a
// trigger slot ("PNameMirrorLR", "PNameMirrorCPos", "PNameMirrorText"), all in kSection
// and empty when missing.
inline constexpr const char* kFieldCodePrefix = "FieldCode_";
inline constexpr const char* kFieldFlagPrefix = "FieldFlag_";
inline constexpr const char* kTriggerAlignSuffix = "LR";
inline constexpr const char* kTriggerPositionSuffix = "CPos";
inline constexpr const char* kTriggerTextSuffix = "Text";

} // namespace setting_keys
} // namespace quillet
