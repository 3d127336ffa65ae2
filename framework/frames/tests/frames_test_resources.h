// Ids of the frames tests' resources (read by wrc and the tests).
#define IDR_MAIN            128
#define IDD_FORM            200
#define IDC_FORM_INT        2001
#define IDC_FORM_LIST       2002
#define IDC_FORM_TEXT       2003
#define ID_TEST_ACCEL       32001
#define ID_VIEW_ONLY        32002
#define ID_FRAME_ONLY       32003
#define ID_APP_ONLY         32004
#define ID_VIEW_AND_FRAME   32005
#define ID_NOBODY           32006
#define ID_DISABLED_BY_VIEW 32007
