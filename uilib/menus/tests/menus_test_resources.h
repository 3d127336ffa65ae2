// Ids of the menus test resources.
#pragma once

#define IDR_MENU_SEPARATORS 200
#define IDR_MENU_RECENT 201
#define IDR_MENU_WINDOW 202
#define IDR_MENU_EXPORT 203

#define ID_CMD_NEW 1001
#define ID_CMD_OPEN 1002
#define ID_CMD_SAVE 1003
#define ID_CMD_EXIT 1004
#define ID_CMD_CUT 1005
#define ID_CMD_COPY 1006
#define ID_CMD_CASCADE 1007
#define ID_CMD_TILE 1008
#define ID_CMD_CHECKED 1009
#define ID_CMD_NOHANDLER 1010
#define ID_CMD_UNKNOWN 1999

#define ID_FILE_MRU_FILE1_RES 0xE110
