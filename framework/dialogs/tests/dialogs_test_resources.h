// Ids of the dialogs tests' resources (read by wrc and the tests).
#define IDD_DATA        100
#define IDD_TAB         101
#define IDD_PAGE1       110
#define IDD_PAGE2       111
#define IDD_PAGE3       112
#define IDD_PLAIN_FONT  120
#define IDD_PLAIN       121
#define IDD_EX_FONT     122
#define IDD_EX          123

#define IDC_TEXT        1001
#define IDC_INT         1002
#define IDC_UINT        1003
#define IDC_CHECK       1004
#define IDC_RADIO1      1005
#define IDC_RADIO2      1006
#define IDC_RADIO3      1007
#define IDC_CBLIST      1008
#define IDC_CBEDIT      1009
#define IDC_LIST        1010
#define IDC_SLIDER      1011
#define IDC_DATE        1012
#define IDC_AFTER       1013
#define IDC_EDIT1       1021
#define IDC_EDIT2       1022
#define IDC_EDIT3       1023
#define IDC_PAGE_EDIT   1031
