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

#define IDD_SETTINGS 400
#define IDC_FRAME_PORT 401
#define IDC_FRAME_BAUD 402
#define IDC_FRAME_PARITY 403
#define IDC_FRAME_DATABITS 404
#define IDC_FRAME_STOPBITS 405
#define IDC_OTHER_PORT 406
#define IDC_PORT_NOTE 407
#define IDC_OPT_PORT 410
#define IDC_OPT_BAUD 420
#define IDC_OPT_PARITY 430
#define IDC_OPT_DATABITS 440
#define IDC_OPT_STOPBITS 450
