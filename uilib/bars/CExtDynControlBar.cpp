#include "CExtDynControlBar.h"
#include "CExtDockDynBar.h"

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtDynControlBar, CExtControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CExtDynControlBar::CExtDynControlBar() {
    m_nOptions &= ~optInBarsMenu;
    m_bAutoDelete = TRUE;
}

CExtDynControlBar::~CExtDynControlBar() = default;

CExtDockDynBar* CExtDynControlBar::CreateInnerDockBar() { return new CExtDockDynBar; }

int CExtDynControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CExtControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // made on the container's parent (so that it knows its frame), then moved into the container
    CExtDockDynBar* pInner = CreateInnerDockBar();
    CWnd* pParent = GetParent();
    if (pInner == NULL || pParent == NULL ||
        !pInner->Create(pParent, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_TOP | CBRS_BORDER_ANY,
                        (UINT)GetDlgCtrlID())) {
        delete pInner;
        return -1;
    }
    m_pDockBarInner = pInner;
    pInner->SetParent(this);
    pInner->EnableToolTips();
    return 0;
}

LRESULT CExtDynControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCDESTROY)
        m_pDockBarInner = NULL;   // the inner dock bar went with its parent window
    return CExtControlBar::WindowProc(nMsg, wParam, lParam);
}

void CExtDynControlBar::GetMinimumSize(CSize& size) const {
    size = CSize(0, 0);
    if (m_pDockBarInner == NULL || m_pDockBarInner->m_hWnd == NULL)
        return;
    const ExtContainerRows::RowList list = m_pDockBarInner->BuildRowList();
    size = ExtContainerRows::MinimumSize(list, m_pDockBarInner->IsHorzInner());
}

int CExtDynControlBar::GetMinExtentHorz() const {
    CSize size;
    GetMinimumSize(size);
    return size.cx;
}

int CExtDynControlBar::GetMinExtentVert() const {
    CSize size;
    GetMinimumSize(size);
    return size.cy;
}

CSize CExtDynControlBar::GetFloatingMinTrackSize() const {
    CSize size;
    GetMinimumSize(size);
    return size;
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    const CSize size = CExtControlBar::CalcDynamicLayout(nLength, nMode);
    if (m_pDockBar == NULL || m_pDockBar->m_bLayoutQuery || m_pDockBarInner == NULL ||
        m_pDockBarInner->m_hWnd == NULL)
        return size;
    if (m_pDockBarInner->GetDockedVisibleCount() == 0) {
        // every bar inside is hidden: so is the container, and it takes no room
        CFrameWnd* pFrame = GetDockSiteFrame(this);
        if (pFrame != NULL && (GetStyle() & WS_VISIBLE) != 0)
            pFrame->ShowControlBar(this, FALSE, FALSE);
        return CSize(0, 0);
    }
    CFrameWnd* pParentFrame = m_pDockBar->GetParentFrame();
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
        !m_pDockBarInner->IsLayoutLocked())
        m_pDockBarInner->RecalcNestedLayout();
    return size;
}
