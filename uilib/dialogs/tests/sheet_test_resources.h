// Resource ids of the resizable dialog, page and sheet tests (dialogs 500-549, controls
// 1100-1199, strings 310-349).
#pragma once

#define IDD_SHEET_DIALOG 500
#define IDD_SHEET_CHILD 501
#define IDD_SHEET_TAB1 510
#define IDD_SHEET_TAB2 511
#define IDD_SHEET_TAB3 512
#define IDD_SHEET_WIZ1 520
#define IDD_SHEET_WIZ2 521
#define IDD_SHEET_WIZ3 522

#define IDC_SHEET_EDIT 1100
#define IDC_SHEET_LIST 1101
#define IDC_SHEET_LABEL 1102
#define IDC_SHEET_CORNER 1103
#define IDC_SHEET_CHECK 1104

#define IDS_SHEET_TAB1 310
#define IDS_SHEET_TAB2 311
#define IDS_SHEET_TAB3 312
#define IDS_SHEET_WIZ1 313
#define IDS_SHEET_WIZ2 314
#define IDS_SHEET_WIZ3 315
