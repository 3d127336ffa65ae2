#include "CMiniDockFrameWnd.h"
#include "CDockBar.h"
#include "CDockContext.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_pWndDockBar(NULL) {}

CDockBar* CMiniDockFrameWnd::CreateDockBar()
{
    return new CDockBar(TRUE);
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    CFrameWnd* pDockSite = pParent != NULL && pParent->IsFrameWnd() ? static_cast<CFrameWnd*>(pParent) : NULL;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CMiniFrameWnd::CreateEx(0, lpszClass, "", dwStyle, CRect(0, 0, 40, 40), pParent))
        return FALSE;  // 'this' is gone
    CDockBar* pDockBar = CreateDockBar();
    pDockBar->m_bFloating = TRUE;
    if (!pDockBar->Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    m_pWndDockBar = pDockBar;
    // the floating dock bar is one of the docking frame's bars (its dock state names it)
    RemoveControlBar(pDockBar);
    pDockBar->m_pDockSite = pDockSite;
    if (pDockSite != NULL)
        pDockSite->AddControlBar(pDockBar);
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    CMiniFrameWnd::RecalcLayout(bNotify);
    if (m_pWndDockBar == NULL || !::IsWindow(m_pWndDockBar->m_hWnd))
        return;
    // a delayed hide of the last visible bar hides the frame with it
    if (m_pWndDockBar->GetDockedVisibleCount() == 0 && IsWindowVisible())
        ShowWindow(SW_HIDE);
    // the caption names the first bar
    for (int i = 0; i < (int)m_pWndDockBar->m_arrBars.GetSize(); i++) {
        if (CControlBar* pBar = m_pWndDockBar->GetDockedControlBar(i)) {
            CString strTitle, strNow;
            pBar->GetWindowText(strTitle);
            GetWindowText(strNow);
            if (strTitle != strNow)
                SetWindowText(strTitle);
            break;
        }
    }
}

void CMiniDockFrameWnd::OnClose()
{
    // the bars are hidden, not destroyed: the frame goes when its last bar docks elsewhere
    if (m_pWndDockBar != NULL)
        m_pWndDockBar->ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION && m_pWndDockBar != NULL) {
        for (int i = 0; i < (int)m_pWndDockBar->m_arrBars.GetSize(); i++) {
            CControlBar* pBar = m_pWndDockBar->GetDockedControlBar(i);
            if (pBar != NULL && pBar->m_pDockContext != NULL) {
                pBar->m_pDockContext->ToggleDocking();  // may destroy this frame: nothing after it
                return;
            }
        }
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
