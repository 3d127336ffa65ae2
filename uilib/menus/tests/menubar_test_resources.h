// Ids of the menu-bar tests: the frame's menu (pull-downs with a submenu, access characters and a
// disabled item, and a plain command item), a second menu loaded later, and the tool bar's command.
#pragma once

#define IDR_MB_MENU 3700
#define IDR_MB_OTHER 3701

#define ID_MB_NEW 3710
#define ID_MB_OPEN 3711
#define ID_MB_RECENT1 3712
#define ID_MB_EXIT 3713
#define ID_MB_UNDO 3714
#define ID_MB_COPY 3715
#define ID_MB_STATUS 3716
#define ID_MB_RUN 3717
#define ID_MB_ABOUT 3718
#define ID_MB_ZOOM 3719
#define ID_MB_OTHER 3720
