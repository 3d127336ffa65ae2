// Resource ids of the GUI program (orvgui.rc). Command ids are the main frame's; window ids are
// the help topics' keys (ContextHelpMap).
#pragma once

#define IDR_MAINFRAME             128
#define IDR_TOOLBAR_LARGE         129
#define IDR_TOOLBAR_SMALL         130
#define IDD_ITEM_LIST             130
#define IDB_STATES_LARGE          131
#define IDB_STATES_SMALL          132
#define IDR_TRAY_MENU             132
#define IDR_LIST_MENU             133
#define IDD_COLUMNS_CHOOSER       135
#define IDD_SEND_FEEDBACK         148
#define IDD_WAIT                  168
#define IDD_SPLASH                183
#define IDB_SPLASH                185
#define IDB_SORT_ASCENDING        186
#define IDB_SORT_DESCENDING       187
#define IDD_ABOUTBOX              100

// item list form
#define IDC_ITEM_LIST             1000
// columns chooser
#define IDC_AVAILABLE_COLUMNS     1002
#define IDC_ACTIVE_COLUMNS        1003
#define IDC_ADD_COLUMN            1004
#define IDC_REMOVE_COLUMN         1005
#define IDC_AVAILABLE_LABEL       1006
#define IDC_ACTIVE_LABEL          1007
#define IDC_MOVE_UP               1009
#define IDC_MOVE_DOWN             1043
#define IDC_RESET_COLUMNS         1117
// feedback
#define IDC_SEND                  1000
#define IDC_FEEDBACK_GROUP        1008
#define IDC_FEEDBACK_SUBJECT      1009
#define IDC_FEEDBACK_BODY         1010
#define IDC_FEEDBACK_ADDRESS      1018
#define IDC_ADDRESS_LABEL         1104
#define IDC_SUBJECT_LABEL         1105
#define IDC_CLEAR_FIELDS          1115
// wait box, splash, about box
#define IDC_WAIT_TEXT             1084
#define IDC_SPLASH_PICTURE        1085
#define IDC_ABOUT_TITLE           1130
#define IDC_BUILD_NUMBER          1131
#define IDC_ABOUT_LINK            1132

// commands
#define ID_VIEW_MENUBAR           32771
#define ID_RUN_ALL_TB             32772
#define ID_ACTIVATE_TB            32774
#define ID_CLEAR_STATS_TB         32777
#define ID_VIEW_LOG_TB            32778
#define ID_REPORT_MANAGER_TB      32779
#define ID_DEFAULT_REPORT_TB      32780
#define ID_NEW_ITEM_TB            32781
#define ID_PROPERTIES_TB          32782
#define ID_DELETE_TB              32783
#define ID_RUN_NOW_TB             32785
#define ID_SUSPEND_TB             32786
#define ID_SEND_FEEDBACK          32788
#define ID_APP_EXIT_ITEM          32791
#define ID_NEW_ITEM               32793
#define ID_PROPERTIES             32795
#define ID_DELETE                 32797
#define ID_SUSPEND                32800
#define ID_ACTIVATE               32801
#define ID_CLEAR_STATS            32805
#define ID_RESET_ALARM            32811
#define ID_RESET_ALL_ALARMS       32812
#define ID_UNIT_SECONDS           32814
#define ID_VIEW_LOG               32815
#define ID_LAST_RESPONSE          32816
#define ID_LAST_PAGE              32817
#define ID_UNIT_MILLISECONDS      32819
#define ID_CUSTOMIZE_COLUMNS      32823
#define ID_PREFERENCES            32824
#define ID_INTERNET_OPTIONS       32826
#define ID_REPORT_MANAGER         32828
#define ID_DEFAULT_REPORT         32829
#define ID_HELP_TOPICS            32830
#define ID_CTX_PROPERTIES         32852
#define ID_CTX_DELETE             32853
#define ID_CTX_RUN_NOW            32855
#define ID_CTX_RUN_ALL            32856
#define ID_CTX_SUSPEND            32857
#define ID_CTX_ACTIVATE           32858
#define ID_CTX_CLEAR_STATS        32860
#define ID_TRAY_CLOSE             32861
#define ID_TRAY_RESTORE           32862
#define ID_TRAY_RUN_ALL           32864
#define ID_VIEW_STATUS_BAR_ITEM   59393
#define ID_APP_ABOUT_ITEM         57664

#include "resource_item_settings.h"
#include "resource_alarms_wizard.h"
#include "resource_program.h"

// the build string of the version block (the about box shows it)
#ifndef ORV_BUILD_STRING
#define ORV_BUILD_STRING          "1.0.0 (build 30)"
#endif
