// Resource ids of the status-bar and colour-menu tests.
#pragma once

#define IDS_STATUS_CAPS 3600      // a pane's text
#define IDS_STATUS_LONG 3601      // a wider pane's text
#define IDS_STATUS_MISSING 3602   // no string: an empty pane
#define ID_STATUS_CMD_OPEN 3610   // commands whose prompts the status bar shows
#define ID_STATUS_CMD_SAVE 3611
#define ID_STATUS_PANEL 3620      // the frame's docked bar (its name is listed in the bars menu)
#define IDR_STATUS_MENU 3630      // a context menu whose items' prompts the status bar shows
