#pragma once
#define ID_BAR_RES 0x5001      // "&Bars\nTip"
#define ID_CMD_PROMPT 0x5002   // "Opens the log\nLog"
