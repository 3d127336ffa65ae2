// Ids of the tool-bar test resources: a tool bar of nine commands in 16 and 32 pixel sets and
// two menus that drop down from its buttons.
#pragma once

#define IDR_TB16 3600
#define IDR_TB32 3601
#define IDM_TB_RUN 3602
#define IDM_TB_LOG 3603

#define ID_TB_NEW 3610
#define ID_TB_PROPS 3611
#define ID_TB_DELETE 3612
#define ID_TB_RUN_NOW 3613
#define ID_TB_RUN_ALL 3614
#define ID_TB_SUSPEND 3615
#define ID_TB_ACTIVATE 3616
#define ID_TB_CLEAR 3617
#define ID_TB_LOG 3618
#define ID_TB_RUN_SELECTED 3620
#define ID_TB_RUN_FAILED 3621
#define ID_TB_LOG_TODAY 3622
#define ID_TB_LOG_WEEK 3623
