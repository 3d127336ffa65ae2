// The stand-ins' answers.
#include "ExtBarStandIns.h"

IMPLEMENT_DYNAMIC(CExtControlBar, CWnd)
IMPLEMENT_DYNAMIC(CExtToolControlBar, CExtControlBar)
IMPLEMENT_DYNAMIC(CExtMenuControlBar, CExtToolControlBar)
IMPLEMENT_DYNAMIC(CExtPanelControlBar, CExtControlBar)
IMPLEMENT_DYNAMIC(CExtStatusControlBar, CWnd)
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CWnd)
IMPLEMENT_DYNAMIC(CExtBarButton, CObject)
IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CExtBarButton)
IMPLEMENT_DYNAMIC(CExtBarColorButton, CExtBarButton)
IMPLEMENT_DYNAMIC(CExtPopupMenuWnd, CWnd)

bool CExtControlBar::IsDockedHorizontally() const {
    if (m_pDockSite == NULL)
        return (m_dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    return m_nDockBarID == kDockBarTop || m_nDockBarID == kDockBarBottom;
}

bool CExtControlBar::IsDockedVertically() const {
    if (m_pDockSite == NULL)
        return (m_dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    return m_nDockBarID == kDockBarLeft || m_nDockBarID == kDockBarRight;
}

bool CExtControlBar::IsDocked() const {
    return m_pDockSite == NULL || (m_nDockBarID >= kDockBarTop && m_nDockBarID <= kDockBarBottom);
}

bool CExtControlBar::IsFloating() const { return !IsDocked(); }

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

const CExtPopupMenuWnd::MenuItem& CExtPopupMenuWnd::GetItemAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= ItemGetCount())
        AfxThrowNotSupportedException();
    return m_items[nIndex];
}
