// Resource ids of the preferences, internet options and report manager dialogs.
#pragma once

#define IDD_REPORT_GENERAL        136
#define IDD_REPORT_DETAILS        138
#define IDD_REPORT_MANAGER        143
#define IDD_PREFERENCES           152
#define IDD_INTERNET_OPTIONS      153

// preferences (152)
#define IDC_PREF_START_WITH_WINDOWS 1019
#define IDC_PREF_START_HIDDEN     1020
#define IDC_PREF_MINIMIZE_TO_TRAY 1021
#define IDC_PREF_RUN_AS_SERVICE   1073
// internet options (153)
#define IDC_PROXY_ADDRESS         1001
#define IDC_PROXY_GROUP           1003
#define IDC_PROXY_USE             1022
#define IDC_PROXY_PORT            1023
#define IDC_PROXY_USER            1024
#define IDC_PROXY_PASSWORD        1025
#define IDC_PROXY_PORT_LABEL      1027
#define IDC_PROXY_ADDRESS_LABEL   1028
#define IDC_PROXY_USER_LABEL      1029
#define IDC_PROXY_PASSWORD_LABEL  1030
// report manager (143)
#define IDC_RPT_PROMPT            1008
#define IDC_RPT_VIEW              1009
#define IDC_RPT_LIST              1018
#define IDC_RPT_NEW               1039
#define IDC_RPT_EDIT              1040
#define IDC_RPT_DELETE            1041
#define IDC_RPT_SET_DEFAULT       1042
// report sheet: General (136)
#define IDC_RPT_GROUP             1043
#define IDC_RPT_TYPE_GROUP        1045
#define IDC_RPT_NAME_LABEL        1046
#define IDC_RPT_NAME              1047
#define IDC_RPT_FILE_LABEL        1048
#define IDC_RPT_FILE              1049
#define IDC_RPT_BROWSE            1050
#define IDC_RPT_HTML              1055
#define IDC_RPT_DELIMITED         1056
#define IDC_RPT_XML               1057
// report sheet: Details (138)
#define IDC_RPT_RANGE_GROUP       1060
#define IDC_RPT_OPTIONS_GROUP     1061
#define IDC_RPT_FAILURES          1064
#define IDC_RPT_SUCCESSES         1065
#define IDC_RPT_USE_RANGE         1066
#define IDC_RPT_START             1067
#define IDC_RPT_END               1068
#define IDC_RPT_START_LABEL       1069
#define IDC_RPT_END_LABEL         1070
