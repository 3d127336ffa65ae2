#include "ExtToolBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtControlBar)

CExtPanelControlBar::CExtPanelControlBar() { m_nOptions |= optFixedSize; }
