// Resource ids of the dialog layers' test program.
#pragma once
#define IDD_FONT_SANS8 201
#define IDD_FONT_TAHOMA8 202
#define IDD_FONT_SANS10 203
#define IDD_INIT 210
#define IDD_RESIZE 220
#define IDD_PAGE1 230
#define IDD_PAGE2 231
#define IDD_BUTTONS 240
#define IDD_CHECKS 250
#define IDD_NOTHERE 299

#define IDC_LIST 1001
#define IDC_COMBO 1002
#define IDC_COMBOEX 1003
#define IDC_LABEL 1004
#define IDC_EDIT 1005
#define IDC_FULL 1010
#define IDC_CORNER 1011
#define IDC_HALF 1012
#define IDC_LISTPLAIN 1020
#define IDC_LISTWFF 1021
#define IDC_BTN_PLAIN 1030
#define IDC_BTN_SPLIT 1031
#define IDC_CHK_TWO 1040
#define IDC_CHK_THREE 1041
#define IDC_CHK_LEFT 1042
#define IDC_CHK_TOP 1043
#define IDC_CHK_BOTTOM 1044
#define IDC_RAD_A 1050
#define IDC_RAD_B 1051
#define IDC_RAD_C 1052
#define IDC_RAD_D 1053
#define IDC_RAD_OTHER 1054

#define IDS_PAGE1 301
#define IDS_PAGE2 302
#define IDM_BUTTON 400
#define ID_CMD_ONE 401
#define ID_CMD_TWO 402
