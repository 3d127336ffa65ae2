// Resource identifiers of the command-layer tests (shared by the .rc script and the tests).
#pragma once
#define IDS_BOTH 1000          // English and German
#define IDS_ENGLISH_ONLY 1001  // same block as IDS_BOTH; the German block has it empty
#define IDS_EMPTY_BOTH 1002    // in neither language (an empty entry of both blocks)
#define IDS_ENGLISH_BLOCK 1100 // a block that only English has
#define IDS_GERMAN_ONLY 1200   // a block that only German has
#define IDS_MISSING 1300       // no block at all

#define ID_CMD_OPEN 100
#define ID_CMD_SAVE 101
#define ID_CMD_RECENT 110
#define ID_CMD_TIPS 120

#define IDR_MENU_BOTH 2000
#define IDR_MENU_ENGLISH 2001
#define IDR_ACCEL 3000
#define IDB_FLAG 4000
#define IDR_TOOLBAR 5000
#define IDR_TOOLBAR_NARROW 5001  // three 16-pixel buttons on the 32-pixel strip of IDR_TOOLBAR
#define IDR_TOOLBAR_LOW 5002     // buttons 20 pixels high on the same 15-pixel strip
#define IDR_TOOLBAR_NO_SIZE 5003 // a button width of 0
