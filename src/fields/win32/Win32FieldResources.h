#pragma once

// Resource and control numbers of the machine field dialogs, shared by quillet.rc and the
// code.
#define IDD_EXCLUSION 300
#define IDC_EXCLUSION_PROMPT 301
#define IDC_EXCLUSION_CHECK1 311

#define IDD_MACHINE_FIELDS 600
#define IDC_MF_TABS 601
#define IDC_MF_PLAN 602
#define IDC_MF_SETALL 603
#define IDC_MF_CLEARALL 604
#define IDC_MF_OK 605
#define IDC_MF_PNAME 610
#define IDC_MF_COMMENT 611
#define IDC_MF_BARCODE 612
#define IDC_MF_MIRRORFRAME 613
#define IDC_MF_PRODUCEFRAME 614
#define IDC_MF_MSEL 615
#define IDC_MF_NMSEL 616
#define IDC_MF_TRIGGERFRAME 617
#define IDC_MF_ALNL 618
#define IDC_MF_ALNR 619
#define IDC_MF_PREVIEW 620
#define IDC_MF_POSSCROLL 621
#define IDC_MF_MSPEC 622
#define IDC_MF_POSLEFT 623
#define IDC_MF_POSRIGHT 624
#define IDC_MF_DEFAULTPANEL 625
#define IDC_MF_DEFAULTFRAME 626
#define IDC_MF_HLFLIMX 627
#define IDC_MF_HLFLIMY 628
// The code box of each field slot, in slot order, and its check box.
#define IDC_MF_CODE0 640
#define IDC_MF_CHECK0 670
