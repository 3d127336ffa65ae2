// Ids of the demo program's resources (read by wrc and the program).
#define IDR_DEMO            128
#define IDD_DEMO_FORM       300
#define IDD_DEMO_SETTINGS   301
#define IDD_DEMO_PAGE1      310
#define IDD_DEMO_PAGE2      311
#define IDD_DEMO_PAGE3      312
#define IDC_DEMO_NAME       3001
#define IDC_DEMO_INTERVAL   3002
#define IDC_DEMO_ACTIVE     3003
#define IDC_DEMO_VALUE      3004
#define ID_DEMO_SETTINGS    33001
#define ID_DEMO_WIZARD      33002
#define ID_DEMO_SHEET       33003
