#pragma once

// Resource and control numbers of the machine field dialogs, shared by quillet.rc and the
// code.
#define IDD_EXCLUSION 300
#define IDC_EXCLUSION_PROMPT 301
#define IDC_EXCLUSION_CHECK1 311
