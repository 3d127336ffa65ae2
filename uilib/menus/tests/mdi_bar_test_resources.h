// Ids of the MDI menu-bar tests: the frame's menu (with the window list's pull-down) and its
// commands.
#pragma once

#define IDR_MDB_MENU 3800

#define ID_MDB_NEW 3810
#define ID_MDB_EXIT 3811
#define ID_MDB_ABOUT 3812
