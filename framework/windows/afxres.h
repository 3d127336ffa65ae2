// Command and window ids and string ids of the framework, for programs and their resource
// scripts (plain #defines only, so wrc can read this file too).
#pragma once

// Strings of the framework and the program
#define AFX_IDS_APP_TITLE       0xE000
#define AFX_IDS_IDLEMESSAGE     0xE001

// The framework's standard prompts (a program's string table may give its own texts; without
// one the framework's English texts are used, see AfxLoadFrameworkString)
#define AFX_IDP_PARSE_INT           0xF110
#define AFX_IDP_PARSE_INT_RANGE     0xF111
#define AFX_IDP_PARSE_UINT          0xF112
#define AFX_IDP_PARSE_STRING_SIZE   0xF113
#define AFX_IDP_PARSE_RADIO_BUTTON  0xF114

// Window ids
#define AFX_IDW_TOOLBAR         0xE800
#define AFX_IDW_STATUS_BAR      0xE801
#define AFX_IDW_DOCKBAR_TOP     0xE81B
#define AFX_IDW_DOCKBAR_LEFT    0xE81C
#define AFX_IDW_DOCKBAR_RIGHT   0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM  0xE81E
#define AFX_IDW_DOCKBAR_FLOAT   0xE81F
#define AFX_IDW_PANE_FIRST      0xE900
#define AFX_IDW_PANE_LAST       0xE9FF

#define AFX_IDM_FIRST_MDICHILD  0xFF00
#define HID_BASE_COMMAND        0x00010000

#ifndef ID_SEPARATOR
#define ID_SEPARATOR            0
#endif

// Standard commands
#define ID_FILE_NEW             0xE100
#define ID_FILE_OPEN            0xE101
#define ID_FILE_CLOSE           0xE102
#define ID_FILE_SAVE            0xE103
#define ID_FILE_SAVE_AS         0xE104
#define ID_FILE_PRINT           0xE107
#define ID_FILE_MRU_FILE1       0xE110
#define ID_FILE_MRU_FILE16      0xE11F
#define ID_EDIT_CLEAR           0xE120
#define ID_EDIT_CLEAR_ALL       0xE121
#define ID_EDIT_COPY            0xE122
#define ID_EDIT_CUT             0xE123
#define ID_EDIT_FIND            0xE124
#define ID_EDIT_PASTE           0xE125
#define ID_EDIT_PASTE_LINK      0xE126
#define ID_EDIT_PASTE_SPECIAL   0xE127
#define ID_EDIT_REPEAT          0xE128
#define ID_EDIT_REPLACE         0xE129
#define ID_EDIT_SELECT_ALL      0xE12A
#define ID_EDIT_UNDO            0xE12B
#define ID_WINDOW_NEW           0xE130
#define ID_WINDOW_ARRANGE       0xE131
#define ID_WINDOW_CASCADE       0xE132
#define ID_WINDOW_TILE_HORZ     0xE133
#define ID_WINDOW_TILE_VERT     0xE134
#define ID_WINDOW_SPLIT         0xE135
#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_HELP_INDEX           0xE142
#define ID_HELP_FINDER          0xE143
#define ID_HELP_USING           0xE144
#define ID_CONTEXT_HELP         0xE145
#define ID_HELP                 0xE146
#define ID_DEFAULT_HELP         0xE147
#define ID_NEXT_PANE            0xE150
#define ID_PREV_PANE            0xE151
#define ID_VIEW_TOOLBAR         0xE800
#define ID_VIEW_STATUS_BAR      0xE801

// Wizard buttons of property sheets
#define ID_WIZBACK              0x3023
#define ID_WIZNEXT              0x3024
#define ID_WIZFINISH            0x3025
#define ID_APPLY_NOW            0x3021

// Prompts of the system commands (AFX_IDS_SCSIZE .. AFX_IDS_SCTASKLIST)
#define AFX_IDS_SCFIRST         0xEF00
#define AFX_IDS_SCSIZE          0xEF00
#define AFX_IDS_SCMOVE          0xEF01
#define AFX_IDS_SCMINIMIZE      0xEF02
#define AFX_IDS_SCMAXIMIZE      0xEF03
#define AFX_IDS_SCNEXTWINDOW    0xEF04
#define AFX_IDS_SCPREVWINDOW    0xEF05
#define AFX_IDS_SCCLOSE         0xEF06
#define AFX_IDS_SCRESTORE       0xEF12
#define AFX_IDS_SCTASKLIST      0xEF13
