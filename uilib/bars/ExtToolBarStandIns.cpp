#include "ExtToolBarStandIns.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)
IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)
IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtControlBar)

const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");
int CExtToolControlBar::g_nCancelAllBarsTrackingCalls = 0;
bool CExtToolControlBar::g_bMenuTracking = false;

void CExtToolControlBar::CancelAllBarsTracking() {
    g_nCancelAllBarsTrackingCalls++;
    g_bMenuTracking = false;
}

// a tool bar in a row has its grip along its left side, not a caption across its top
CExtToolControlBar::CExtToolControlBar() { m_nOptions = (BYTE)((m_nOptions | optFixedSize) & ~optHorzCaption); }

CExtToolControlBar::~CExtToolControlBar() {
    for (INT_PTR i = 0; i < m_buttons.GetSize(); i++)
        delete m_buttons[i];
}

void CExtToolControlBar::AddButton(CExtBarButton* pButton) {
    pButton->m_pBar = this;
    m_buttons.Add(pButton);
}

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_buttons.GetSize())
        return NULL;
    return m_buttons[nIndex];
}

void CExtToolControlBar::SetDockPosRecord(const DockPos_t* pRecord) {
    if (pRecord != NULL)
        m_dockPos = *pRecord;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    return bHorz ? m_sizeBar : CSize(m_sizeBar.cy, m_sizeBar.cx);
}

CSize CExtToolControlBar::CalcDynamicLayout(int, DWORD nMode) {
    return CalcFixedLayout(FALSE, (nMode & (LM_HORZ | LM_HORZDOCK)) != 0);
}

CSize CExtToolControlBar::GetMinSize() const {
    const CSize size = (m_sizeMinBar.cx > 0 || m_sizeMinBar.cy > 0) ? m_sizeMinBar : m_sizeBar;
    return (m_dwStyle & CBRS_ORIENT_VERT) != 0 ? CSize(size.cy, size.cx) : size;
}

CExtPanelControlBar::CExtPanelControlBar() { m_nOptions |= optFixedSize; }

void CExtToolControlBar::DoPaint(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    CExtMemoryDC dc(pDC, &rc);
    g_PaintManager->PaintControlBarClientArea(dc, rc, this);
    g_PaintManager->EndPaintSession();
}
