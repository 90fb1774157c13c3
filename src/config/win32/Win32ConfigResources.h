#pragma once

// Resource and control numbers of the configuration dialogs, shared by quillet.rc and the
// code.
#define IDD_ABOUT 200
#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_PRODUCT 202
#define IDC_ABOUT_HOST 203
#define IDC_ABOUT_MAKER 204
#define IDC_ABOUT_RULE1 205
#define IDC_ABOUT_RULE2 206
