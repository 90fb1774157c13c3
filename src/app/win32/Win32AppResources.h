#pragma once

// Resource and control numbers of the main window, shared by quillet.rc and the code.
#define IDI_QUILLET 1
#define IDD_MAIN 100

#define IDC_EDIT 1001
#define IDC_ENTRY 1002
#define IDC_SHOWED 1003
#define IDC_OVERWRITE 1004
#define IDC_ACLEAR 1005
#define IDC_AUTOSTART 1006
#define IDC_EXLAB 1007
#define IDC_DSPIN 1008
#define IDC_LABID0 1010
#define IDC_LABELAFS 1020
#define IDC_STATUSPANEL 1021
#define IDC_CURSETTINGS 1022
#define IDC_STATUS 1023

// Menu entries: this plus the command's number.
#define IDM_FIRST_COMMAND 2001

// The scanner test.
#define IDD_SCANNER_TEST 700
#define IDC_ST_INTRO 701
#define IDC_ST_SCANS_CAPTION 702
#define IDC_ST_SCANS 703
#define IDC_ST_FINDINGS_CAPTION 704
#define IDC_ST_FINDINGS 705
#define IDC_ST_PRINT 706
#define IDC_ST_USE 707
