#include "CDockBar.h"
#include "CDockContext.h"
#include <climits>

IMPLEMENT_DYNCREATE(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

const DWORD dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0)
{
    m_bAutoDelete = TRUE;
    SetBorders(0, 0, 0, 0);
    m_arrBars.Add(NULL);
}

CDockBar::~CDockBar()
{
    // bars still listed here (their windows outlived this one) no longer have a dock bar
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    dwStyle &= ~CBRS_ALL;
    dwStyle |= WS_CLIPCHILDREN;
    return CWnd::Create(lpszClass, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---- The array ---------------------------------------------------------------------------------

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* p = m_arrBars[nPos];
    return (p == NULL || AfxIsPlaceHolder(p)) ? NULL : static_cast<CControlBar*>(p);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++)
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    return -1;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++)
        if (GetDockedControlBar(i) != NULL)
            nCount++;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != NULL && pBar->IsVisible())
            nCount++;
    }
    return nCount;
}

void CDockBar::RemoveEmptyRow(int nPos)
{
    if (nPos > 0 && nPos < (int)m_arrBars.GetSize() && m_arrBars[nPos] == NULL && m_arrBars[nPos - 1] == NULL)
        m_arrBars.RemoveAt(nPos);
}

BOOL CDockBar::RemoveBarEntry(CControlBar* pBar)
{
    int nPos = FindBar(pBar);
    if (nPos <= 0)
        return FALSE;
    m_arrBars.RemoveAt(nPos);
    RemoveEmptyRow(nPos);
    return TRUE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    void* pID = (void*)(UINT_PTR)(UINT)pBar->GetDlgCtrlID();
    int nPos = FindBar(static_cast<CControlBar*>(pID));
    if (nPos > 0) {
        m_arrBars.RemoveAt(nPos);
        RemoveEmptyRow(nPos);
    }
}

BOOL CDockBar::GetVisibleBarRect(int nPos, const CControlBar* pBarSkip, CRect& rect) const
{
    CControlBar* pBar = GetDockedControlBar(nPos);
    if (pBar == NULL || pBar == pBarSkip || !pBar->IsVisible())
        return FALSE;
    pBar->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return TRUE;
}

int CDockBar::Insert(CControlBar* pBarIns, CRect, CPoint ptMid)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nAcross = bHorz ? ptMid.y : ptMid.x;
    int nAlong = bHorz ? ptMid.x : ptMid.y;
    int nRowStart = 1;
    for (int nEnd = 1; nEnd < (int)m_arrBars.GetSize(); nEnd++) {
        if (m_arrBars[nEnd] != NULL)
            continue;
        // the row [nRowStart, nEnd): where its visible bars lie across the side
        int nLow = INT_MAX, nHigh = INT_MIN;
        CRect rect;
        for (int i = nRowStart; i < nEnd; i++) {
            if (GetVisibleBarRect(i, pBarIns, rect)) {
                nLow = std::min(nLow, (int)(bHorz ? rect.top : rect.left));
                nHigh = std::max(nHigh, (int)(bHorz ? rect.bottom : rect.right));
            }
        }
        if (nLow <= nHigh) {
            if (nAcross < nLow) {
                // a new row before this one
                m_arrBars.InsertAt(nRowStart, (void*)NULL);
                m_arrBars.InsertAt(nRowStart, pBarIns);
                return nRowStart;
            }
            if (nAcross < nHigh) {
                // into this row, before the first bar whose middle lies further along
                int nPos = nEnd;
                for (int i = nRowStart; i < nEnd && nPos == nEnd; i++)
                    if (GetVisibleBarRect(i, pBarIns, rect) &&
                        (bHorz ? rect.CenterPoint().x : rect.CenterPoint().y) > nAlong)
                        nPos = i;
                m_arrBars.InsertAt(nPos, pBarIns);
                return nPos;
            }
        }
        nRowStart = nEnd + 1;
    }
    // beyond every row: a new last row
    m_arrBars.Add(pBarIns);
    m_arrBars.Add(NULL);
    return (int)m_arrBars.GetSize() - 2;
}

// ---- Docking and removing ----------------------------------------------------------------------

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
        return;  // already there

    // the bar takes this dock bar's side (and floats with it)
    pBar->m_dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    pBar->m_dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);

    CRect rect(0, 0, 0, 0);
    int nPos;
    void* pID = (void*)(UINT_PTR)(UINT)pBar->GetDlgCtrlID();
    if (lpRect != NULL) {
        rect = *lpRect;
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
    } else if ((nPos = FindBar(static_cast<CControlBar*>(pID))) > 0) {
        m_arrBars[nPos] = pBar;  // back in the place it kept
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        nPos = (int)m_arrBars.GetSize() - 2;
    }

    // into this window before the old dock bar lets go: a mini frame left empty goes, and
    // would take the bar with it
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    pBar->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL && !m_bFloating)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    if (pOldDockBar == this)
        RemoveControlBar(pBar, nPos, 0);
    else
        RemovePlaceHolder(pBar);
    if (pOldDockBar != NULL && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating);
    if (!m_bFloating && m_pDockSite != NULL)
        m_pDockSite->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder != 0) {
        RemovePlaceHolder(pBar);  // one place per bar
        nPos = FindBar(pBar, nPosExclude);
        m_arrBars[nPos] = (void*)(UINT_PTR)(UINT)pBar->GetDlgCtrlID();
    } else {
        m_arrBars.RemoveAt(nPos);
        RemoveEmptyRow(nPos);
    }
    OnBarsChanged();  // may destroy this dock bar (an emptied mini frame): nothing after it
    return TRUE;
}

void CDockBar::OnBarsChanged()
{
    if (!m_bFloating) {
        if (m_pDockSite != NULL)
            m_pDockSite->DelayRecalcLayout();
        return;
    }
    CWnd* pMiniFrame = GetParent();
    if (GetDockedCount() == 0)
        pMiniFrame->DestroyWindow();
    else if (GetDockedVisibleCount() == 0)
        pMiniFrame->ShowWindow(SW_HIDE);
    else
        static_cast<CFrameWnd*>(pMiniFrame)->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow)
{
    CFrameWnd* pFrame = m_pDockSite;
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != NULL && pFrame != NULL)
            pFrame->ShowControlBar(pBar, bShow, FALSE);
    }
}

// ---- The stored form of the rows ---------------------------------------------------------------

void CDockBar::GetBarIDs(CPtrArray& arrBarID) const
{
    arrBarID.RemoveAll();
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        void* p = m_arrBars[i];
        UINT_PTR nID = 0;
        if (AfxIsPlaceHolder(p))
            nID = (UINT_PTR)p | 0x10000;
        else if (p != NULL)
            nID = (UINT)static_cast<CControlBar*>(p)->GetDlgCtrlID();
        arrBarID.Add((void*)nID);
    }
}

void CDockBar::SetBarIDs(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd)
{
    CPtrArray arrOld;
    arrOld.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < arrBarID.GetSize(); i++) {
        UINT_PTR nID = (UINT_PTR)arrBarID[i];
        if (nID == 0 || (nID & 0x10000)) {
            m_arrBars.Add((void*)(nID & 0xFFFF));
            continue;
        }
        CControlBar* pBar = pFrameWnd->GetControlBar((UINT)nID);
        if (pBar == NULL)
            continue;  // the caller checked every id; a bar gone since stays out of the rows
        if (pBar->m_pDockBar != NULL && pBar->m_pDockBar != this)
            pBar->m_pDockBar->RemoveBarEntry(pBar);
        pBar->m_dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
        pBar->m_dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | (m_bFloating ? CBRS_FLOATING : 0);
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        pBar->m_pDockBar = this;
        m_arrBars.Add(pBar);
    }
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != NULL)
        m_arrBars.InsertAt(0, (void*)NULL);
    if (m_arrBars[m_arrBars.GetSize() - 1] != NULL)
        m_arrBars.Add(NULL);
    // bars that were here and that the rows do not name stay, each in a row of its own
    for (INT_PTR i = 0; i < arrOld.GetSize(); i++) {
        void* p = arrOld[i];
        if (p != NULL && !AfxIsPlaceHolder(p) && FindBar(static_cast<CControlBar*>(p)) < 0 &&
            static_cast<CControlBar*>(p)->m_pDockBar == this) {
            m_arrBars.Add(p);
            m_arrBars.Add(NULL);
        }
    }
    for (int i = (int)m_arrBars.GetSize() - 1; i > 0; i--)
        RemoveEmptyRow(i);
}

// ---- Layout ------------------------------------------------------------------------------------

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_rectLayout = lpLayout->rect;
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    m_rectLayout.SetRectEmpty();
    return lResult;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax(32767, 32767);
    if (!m_bFloating) {
        if (!m_rectLayout.IsRectEmpty())
            sizeMax = m_rectLayout.Size();
        else {
            CRect rectParent;
            GetParent()->GetClientRect(&rectParent);
            sizeMax = rectParent.Size();
        }
    }
    int nLengthMax = bHorz ? sizeMax.cx : sizeMax.cy;

    AFX_SIZEPARENTPARAMS layout = {};
    if (!m_bLayoutQuery)
        layout.hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    int nAcross = 0;    // where the current row starts, away from the frame's edge
    int nLongest = 0;   // the longest row
    int nAlong = 0, nThickness = 0;
    for (int i = 1; i < (int)m_arrBars.GetSize(); i++) {
        if (m_arrBars[i] == NULL) {
            // the row ends
            nAcross += nThickness;
            nLongest = std::max(nLongest, nAlong);
            nAlong = nThickness = 0;
            continue;
        }
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == NULL)
            continue;
        BOOL bVisible = pBar->IsVisible();  // as it will be once a pending show or hide is done
        if (!m_bLayoutQuery)
            pBar->RecalcDelayShow(&layout);
        if (!bVisible)
            continue;
        CSize size = (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
                         ? pBar->CalcDynamicLayout(-1, DockedLayoutMode(pBar->m_dwStyle, FALSE))
                         : pBar->CalcFixedLayout(bStretch, bHorz);
        int nLength = std::min((int)(bHorz ? size.cx : size.cy), nLengthMax);
        int nStart = nAlong;
        if (!m_bFloating) {
            // the bar keeps its place unless the one before pushes it or the side's end pulls it
            CRect rectNow;
            pBar->GetWindowRect(&rectNow);
            ScreenToClient(&rectNow);
            nStart = std::max(nAlong, (int)(bHorz ? rectNow.left : rectNow.top));
            if (nStart + nLength > nLengthMax)
                nStart = std::max(nAlong, nLengthMax - nLength);
        }
        CRect rect = bHorz ? CRect(CPoint(nStart, nAcross), CSize(nLength, size.cy))
                           : CRect(CPoint(nAcross, nStart), CSize(size.cx, nLength));
        if (!m_bLayoutQuery)
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        nAlong = nStart + nLength;
        nThickness = std::max(nThickness, (int)(bHorz ? size.cy : size.cx));
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    int nLength = (bStretch && !m_bFloating) ? nLengthMax : nLongest;
    return bHorz ? CSize(nLength, nAcross) : CSize(nAcross, nLength);
}
