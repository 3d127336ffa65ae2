#include "CDockContext.h"
#include "CControlBar.h"
#include "CDockBar.h"

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_dwMRUFloatStyle(CBRS_ALIGN_TOP), m_ptMRUFloatPos(0, 0)
{
    // a bar that never floated starts where it stands
    if (pBar->m_hWnd != NULL) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        m_ptMRUFloatPos = rect.TopLeft();
    }
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    if (pDockSite == NULL)
        return;
    if (m_pBar->IsFloating()) {
        CRect rect = m_rectMRUDockPos;
        pDockSite->DockControlBar(m_pBar, m_uMRUDockID, rect.IsRectEmpty() ? NULL : &rect);
        pDockSite->RecalcLayout();
    } else {
        // FloatControlBar notes where the bar was docked
        pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}
