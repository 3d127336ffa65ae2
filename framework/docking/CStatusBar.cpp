#include "CStatusBar.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// What the control adds to a pane's text width: its edges on both sides and a little air.
int PaneMargin()
{
    return 4 * ::GetSystemMetrics(SM_CXEDGE) + 4;
}

// A pane's state as its commands' update handlers set it.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* m_pBar = NULL;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED);
        if (nNew != nStyle)
            m_pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetCheck(int nCheck) override
    {
        UINT nStyle = m_pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = nCheck ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT);
        if (nNew != nStyle)
            m_pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { m_pBar->SetPaneText((int)m_nIndex, lpszText); }
};

}  // namespace

CStatusBar::CStatusBar()
{
    SetBorders(0, 0, 0, 0);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    // the frame places the bar: the control must neither move nor size itself
    DWORD dwCtrlStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAMEA, NULL, dwCtrlStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > 255)  // the control's limit
        return FALSE;
    m_arrPanes.RemoveAll();
    m_arrPanes.SetSize(nIDCount);
    BOOL bResult = TRUE;
    if (lpIDArray != NULL) {
        CClientDC dc(NULL);
        HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
        HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
        for (int i = 0; i < nIDCount && bResult; i++) {
            AFX_STATUSPANE& pane = m_arrPanes[i];
            pane.nID = lpIDArray[i];
            pane.nFlags |= SBPF_UPDATE;
            if (pane.nID == 0) {
                pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0)
                    pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
                continue;
            }
            CString strText;
            strText.LoadString(pane.nID);
            pane.cxText = dc.GetTextExtent(strText).cx;
            bResult = SetPaneText(i, strText, FALSE);
        }
        if (hOldFont != NULL)
            ::SelectObject(dc.m_hDC, hOldFont);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrPanes[i].nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return IsIndex(nIndex) ? m_arrPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (IsIndex(nIndex))
        ::SendMessageA(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = IsIndex(nIndex) ? m_arrPanes[nIndex].strText : CString();
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString strText;
    GetPaneText(nIndex, strText);
    return strText;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!IsIndex(nIndex))
        return FALSE;
    AFX_STATUSPANE& pane = m_arrPanes[nIndex];
    CString strNew = lpszNewText != NULL ? lpszNewText : "";
    if (!(pane.nFlags & SBPF_UPDATE) && pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    pane.nFlags |= SBPF_UPDATE;
    if (bUpdate)
        UpdateAllPanes(FALSE, TRUE);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (!IsIndex(nIndex)) {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_arrPanes[nIndex].nID;
    nStyle = m_arrPanes[nIndex].nStyle;
    cxWidth = m_arrPanes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!IsIndex(nIndex))
        return;
    AFX_STATUSPANE& pane = m_arrPanes[nIndex];
    BOOL bRects = pane.cxText != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH);
    pane.nID = nID;
    pane.cxText = cxWidth;
    SetPaneStyle(nIndex, nStyle);
    if (bRects)
        UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return IsIndex(nIndex) ? m_arrPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!IsIndex(nIndex) || m_arrPanes[nIndex].nStyle == nStyle)
        return;
    BOOL bRects = (m_arrPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
    m_arrPanes[nIndex].nStyle = nStyle;
    m_arrPanes[nIndex].nFlags |= SBPF_UPDATE;
    UpdateAllPanes(bRects, TRUE);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    int nCount = GetCount();
    if (bUpdateRects) {
        // the right edge of each pane; a stretching pane takes what the others leave
        CRect rect;
        GetClientRect(&rect);
        int cxFixed = 0, nStretch = -1;
        for (int i = 0; i < nCount; i++) {
            if ((m_arrPanes[i].nStyle & SBPS_STRETCH) && nStretch < 0)
                nStretch = i;
            else
                cxFixed += m_arrPanes[i].cxText + PaneMargin();
        }
        if (GetStyle() & SBARS_SIZEGRIP)
            cxFixed += ::GetSystemMetrics(SM_CXVSCROLL);
        CArray<int, int> arrRight;
        int nRight = 0;
        for (int i = 0; i < nCount; i++) {
            int cx = m_arrPanes[i].cxText + PaneMargin();
            if (i == nStretch)
                cx = std::max(cx, (int)rect.Width() - cxFixed);
            nRight += cx;
            arrRight.Add(nRight);
        }
        if (nCount > 0 && nStretch < 0 && !(GetStyle() & SBARS_SIZEGRIP))
            arrRight[nCount - 1] = -1;  // the last pane runs to the end
        ::SendMessageA(m_hWnd, SB_SETPARTS, (WPARAM)nCount, (LPARAM)(nCount > 0 ? arrRight.GetData() : NULL));
    }
    if (bUpdateText) {
        for (int i = 0; i < nCount; i++) {
            AFX_STATUSPANE& pane = m_arrPanes[i];
            if (!(pane.nFlags & SBPF_UPDATE) && !bUpdateRects)
                continue;
            // a greyed pane shows no text
            LPCTSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
            UINT nType = pane.nStyle & (SBPS_NOBORDERS | SBPS_POPOUT | SBPS_OWNERDRAW);
            ::SendMessageA(m_hWnd, SB_SETTEXTA, (WPARAM)(i | nType), (LPARAM)lpszText);
            pane.nFlags &= ~SBPF_UPDATE;
        }
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    // as tall as the control's font with the pane edges; as wide as the panes or the side
    TEXTMETRICA tm = {};
    CClientDC dc(NULL);
    HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
    ::GetTextMetricsA(dc.m_hDC, &tm);
    if (hOldFont != NULL)
        ::SelectObject(dc.m_hDC, hOldFont);
    int aBorders[3] = {0, 0, 0};
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)aBorders);
    CSize size(0, tm.tmHeight + 2 * aBorders[1] + 4 * ::GetSystemMetrics(SM_CYEDGE));
    if (bStretch)
        size.cx = 32767;
    else
        for (int i = 0; i < GetCount(); i++)
            size.cx += m_arrPanes[i].cxText + PaneMargin();
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pBar = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_arrPanes[(int)state.m_nIndex].nID;
        if (state.m_nID == 0)
            continue;  // the prompt pane belongs to the frame
        // a pane without a handler keeps its state: panes are indicators, not commands
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnPaint()
{
    Default();  // the control paints itself
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int nIndex = PromptIndex();
    if (nIndex < 0)
        return Default();  // no panes: the control's own simple text
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam)) ? TRUE : FALSE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = PromptIndex();
    if (nIndex < 0)
        return Default();
    const CString& strText = m_arrPanes[nIndex].strText;
    int nMax = (int)wParam;
    LPSTR lpszDest = reinterpret_cast<LPSTR>(lParam);
    if (nMax <= 0 || lpszDest == NULL)
        return 0;
    int nLen = std::min(nMax - 1, strText.GetLength());
    memcpy(lpszDest, (LPCTSTR)strText, (size_t)nLen);
    lpszDest[nLen] = '\0';
    return nLen;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = PromptIndex();
    return nIndex < 0 ? Default() : m_arrPanes[nIndex].strText.GetLength();
}
