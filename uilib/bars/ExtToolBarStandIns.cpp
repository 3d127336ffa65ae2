#include "ExtToolBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

bool CExtMenuControlBar::g_bMenusExpanded = false;
