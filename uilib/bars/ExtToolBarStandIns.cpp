#include "ExtToolBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)
IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtControlBar)

bool CExtMenuControlBar::g_bMenusExpanded = false;

CExtPanelControlBar::CExtPanelControlBar() { m_nOptions |= optFixedSize; }
