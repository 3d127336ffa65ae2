// The library's status bar (see CExtStatusControlBar.h).
#include "CExtStatusControlBar.h"
#include <commctrl.h>
#include <string.h>
#include <stdlib.h>
#include "CExtCmdIcon.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtResourceManager.h"
#include "ExtToolBarStandIns.h"

#ifndef WM_THEMECHANGED
#define WM_THEMECHANGED 0x031A
#endif

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace {

// The bars context menu's event of a status bar.
const WORD kEventStatusBar = 3;

}  // namespace

CExtStatusControlBar::CExtStatusControlBar()
    : m_nStatusFlags(0), m_mapPaneData(10), m_nPaintFlags(PAINT_OWN_PANES | PAINT_HIDE_DISABLED_TEXT),
      m_nDefaultDrawTextFlags(DT_SINGLELINE | DT_VCENTER | DT_LEFT), m_clrBackground((COLORREF)-1),
      m_clrGrip(g_PaintManager.GetPaintManager() != NULL ? g_PaintManager->GetColor(1010) : ::GetSysColor(COLOR_3DSHADOW)),
      m_clrSeparator((COLORREF)-1), m_clrText(::GetSysColor(COLOR_BTNTEXT)),
      m_clrTextDisabled(::GetSysColor(COLOR_3DSHADOW))
{
    m_mapPaneData.InitHashTable(17);
}

CExtStatusControlBar::~CExtStatusControlBar()
{
    for (INT_PTR i = 0; i < m_arrPaneCtrls.GetSize(); i++) {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneCtrls[i];
        if (pCtrl->m_hWnd != NULL && ::IsWindow(pCtrl->m_hWnd)) {
            ::ShowWindow(pCtrl->m_hWnd, SW_HIDE);
            if (pCtrl->m_bDestroyOnRemove)
                ::DestroyWindow(pCtrl->m_hWnd);
        }
        delete pCtrl;
    }
    m_arrPaneCtrls.RemoveAll();
    m_mapPaneData.RemoveAll();
}

// ---- panes ----------------------------------------------------------------------------------

BOOL CExtStatusControlBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    // the pane records, empty; a NULL array leaves them so
    if (!CStatusBar::SetIndicators(NULL, nIDCount))
        return FALSE;
    if (lpIDArray == NULL)
        return TRUE;
    BOOL bResult = TRUE;
    CClientDC dc(NULL);
    HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
    for (int i = 0; i < nIDCount && bResult; i++) {
        const UINT nID = lpIDArray[i];
        if (nID == 0) {
            // the prompt pane: a quarter of the screen; first, it stretches without a border
            SetPaneInfo(i, 0, i == 0 ? (SBPS_STRETCH | SBPS_NOBORDERS) : 0, ::GetSystemMetrics(SM_CXSCREEN) / 4);
            continue;
        }
        CString strText;
        if (!g_ResourceManager->LoadStringDefault(strText, nID))
            strText.Empty();
        SetPaneInfo(i, nID, 0, strText.IsEmpty() ? 0 : dc.GetTextExtent(strText).cx);
        bResult = SetPaneText(i, strText, FALSE);
    }
    if (hOldFont != NULL)
        ::SelectObject(dc.m_hDC, hOldFont);
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

UINT CExtStatusControlBar::GetPaneDrawTextFlags(int nPane) const
{
    if (m_hWnd == NULL || nPane < 0 || nPane >= GetCount())
        return m_nDefaultDrawTextFlags;
    _ED_ data;
    if (m_mapPaneData.Lookup(GetItemID(nPane), data))
        return data.m_nDrawTextFlags;
    return m_nDefaultDrawTextFlags;
}

CString CExtStatusControlBar::GetPaneTipText(int nPane) const
{
    _ED_ data;
    if (nPane >= 0 && nPane < GetCount() && m_mapPaneData.Lookup(GetItemID(nPane), data))
        return data.m_strTipText;
    return CString();
}

void CExtStatusControlBar::SetPaneData(UINT nID, UINT nDrawTextFlags, LPCTSTR lpszTipText)
{
    _ED_ data;
    data.m_nDrawTextFlags = nDrawTextFlags;
    data.m_strTipText = lpszTipText != NULL ? lpszTipText : "";
    m_mapPaneData.SetAt(nID, data);
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

bool CExtStatusControlBar::AddPaneControl(HWND hWnd, UINT nID, bool bDestroyOnRemove)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return false;
    _STATUSBAR_PANE_CTRL_* pCtrl = new _STATUSBAR_PANE_CTRL_;
    pCtrl->m_hWnd = hWnd;
    pCtrl->m_nID = nID;
    pCtrl->m_bDestroyOnRemove = bDestroyOnRemove;
    m_arrPaneCtrls.Add(pCtrl);
    if (m_hWnd != NULL)
        RepositionPaneControls();
    return true;
}

CRect CExtStatusControlBar::GetPaintedPaneRect(int nPane) const
{
    CRect rc;
    GetItemRect(nPane, &rc);
    if (nPane < 0 || nPane != GetCount() - 1 || m_hWnd == NULL)
        return rc;
    // the last pane ends after its text, or, stretching, before the size grip
    UINT nID = 0, nStyle = 0;
    int cxText = 0;
    GetPaneInfo(nPane, nID, nStyle, cxText);
    if (nStyle & SBPS_STRETCH) {
        CRect rcClient;
        GetClientRect(&rcClient);
        rc.right = rcClient.right;
        if (GetStyle() & SBARS_SIZEGRIP)
            rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
    } else {
        rc.right = rc.left + cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
    return rc;
}

int CExtStatusControlBar::HitTestPane(CPoint ptClient) const
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd) || GetCount() == 0)
        return -1;
    CPoint ptScreen(ptClient);
    ::ClientToScreen(m_hWnd, &ptScreen);
    HWND hWndAt = ::WindowFromPoint(ptScreen);
    if (hWndAt != m_hWnd && !::IsChild(m_hWnd, hWndAt))
        return -1;
    for (int i = 0; i < GetCount(); i++) {
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(ptClient))
            return i;
    }
    return -1;
}

// ---- colours and painting -------------------------------------------------------------------

void CExtStatusControlBar::SyncColors()
{
    if (g_PaintManager.GetPaintManager() == NULL)
        return;
    const COLORREF clrBack = g_PaintManager->GetColor(1000);
    if (clrBack != m_clrBackground) {
        m_clrBackground = clrBack;
        if (m_hWnd != NULL)
            CStatusBar::DefWindowProc(SB_SETBKCOLOR, 0, (LPARAM)m_clrBackground);
    }
    m_clrGrip = g_PaintManager->GetColor(1010);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrTextDisabled = ::GetSysColor(COLOR_3DSHADOW);
    m_clrSeparator = (m_nPaintFlags & PAINT_OWN_PANES) ? ::GetSysColor(COLOR_3DSHADOW) : m_clrBackground;
}

void CExtStatusControlBar::PaintBackground(CDC& dc, const CRect& rcClient)
{
    if (m_nPaintFlags & PAINT_OWN_PANES) {
        if (g_PaintManager->NeedsDockerBackground(this) && g_PaintManager->PaintDockerBackground(dc, this))
            return;
        dc.FillSolidRect(&rcClient, m_clrBackground);
        return;
    }
    dc.FillSolidRect(&rcClient, m_clrBackground);
    // the control paints itself into the buffer
    CStatusBar::DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
}

void CExtStatusControlBar::OnPaintPanePre(CDC&, int, const CRect&) {}

COLORREF CExtStatusControlBar::GetPaneTextColor(int) const
{
    return (COLORREF)-1;
}

bool CExtStatusControlBar::IsSizeGripShown() const
{
    return !CExtPopupMenuWnd::g_bFixedFrameSysMenu;
}

void CExtStatusControlBar::PaintSizeGrip(CDC& dc, const CRect& rcGrip)
{
    if (!(m_nPaintFlags & PAINT_OWN_PANES))
        dc.FillSolidRect(&rcGrip, m_clrBackground);
    if (!IsSizeGripShown())
        return;
    CRect rc(rcGrip);
    rc.OffsetRect(-2, -2);
    g_PaintManager->PaintSizeGrip(dc, rc);
}

void CExtStatusControlBar::DrawPaneSeparator(CDC& dc, int, const CRect& rcPanePrev, const CRect& rcPane)
{
    CRect rc(rcPanePrev.right, rcPane.top, rcPane.left, rcPane.bottom);
    rc.DeflateRect(0, 1);
    g_PaintManager->PaintSeparator(dc, rc, true, true, this);
}

void CExtStatusControlBar::DrawPaneItem(CDC& dc, int nPane, const CRect& rcPane, UINT nStyle, HICON hIcon,
                                        const CString& strText, UINT nDrawTextFlags)
{
    const bool bOwnPanes = (m_nPaintFlags & PAINT_OWN_PANES) != 0;
    if (bOwnPanes) {
        CRect rcText(rcPane);
        if (hIcon != NULL) {
            CExtCmdIcon icon(hIcon, true);   // a copy: the control keeps its own
            const CSize size = icon.GetSize();
            icon.Paint(dc, CPoint(rcPane.left + 1, rcPane.top + (rcPane.Height() - size.cy) / 2));
            rcText.left += 1 + size.cx + 1;
        }
        const bool bDisabled = (nStyle & SBPS_DISABLED) != 0;
        bool bShowText = !strText.IsEmpty();
        if (bDisabled && (m_nPaintFlags & PAINT_HIDE_DISABLED_TEXT))
            bShowText = false;
        rcText.DeflateRect(2, 0);
        if (bShowText && rcText.Width() > 0) {
            COLORREF clr = GetPaneTextColor(nPane);
            if (clr == (COLORREF)-1 && bDisabled)
                clr = m_clrTextDisabled;
            const COLORREF clrOld = clr != (COLORREF)-1 ? dc.SetTextColor(clr) : dc.GetTextColor();
            dc.DrawText(strText, &rcText, nDrawTextFlags);
            dc.SetTextColor(clrOld);
        }
    }
    // the pane's frame
    const bool bSeparators = (m_nPaintFlags & PAINT_SEPARATORS) != 0;
    if (!(bOwnPanes && bSeparators)) {
        const bool bFrame = nPane == 0 ? (m_nPaintFlags & PAINT_FIRST_PANE_FRAME) != 0 : (nStyle & SBPS_NOBORDERS) == 0;
        if (bFrame) {
            CExtPaintManager::StatusPanePaintData data(this, CExtPaintManager::StatusPanePaintData::KindPane, 0, rcPane);
            g_PaintManager->PaintStatusPane(dc, data);
        }
    }
    // the control's own inner border, covered while a visual style draws it
    if (!bOwnPanes && g_PaintManager.IsUxBound()) {
        CRect rc(rcPane);
        rc.DeflateRect(1, 1);
        CBrush brush(m_clrBackground);
        dc.FrameRect(&rc, &brush);
    }
}

void CExtStatusControlBar::OnPaint()
{
    if (m_nStatusFlags & STATUS_UPDATING_CONTROL) {
        // the control's own update runs: one repaint follows when it is done
        return;
    }
    SyncColors();
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtMemoryDC dc(&dcPaint, &rcClient);
    DoPaint(&dc);
}

void CExtStatusControlBar::DoPaint(CDC* pDC)
{
    if (pDC == NULL || m_hWnd == NULL)
        return;
    CDC& dc = *pDC;
    CRect rcClient;
    GetClientRect(&rcClient);
    PaintBackground(dc, rcClient);

    // the size grip's corner, kept out of the panes' drawing
    CRect rcGrip(0, 0, 0, 0);
    CWnd* pParent = GetParent();
    if (pParent != NULL && ::IsWindow(pParent->m_hWnd) && !pParent->IsZoomed() && (pParent->GetStyle() & WS_BORDER)) {
        rcGrip = rcClient;
        rcGrip.left = rcGrip.right - ::GetSystemMetrics(SM_CXVSCROLL);
    }
    const int nSaved = dc.SaveDC();
    if (!rcGrip.IsRectEmpty())
        dc.ExcludeClipRect(&rcGrip);
    const bool bOwnPanes = (m_nPaintFlags & PAINT_OWN_PANES) != 0;
    if (bOwnPanes) {
        dc.SelectObject(&g_PaintManager->GetFont(CExtPaintManager::FontNormal));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_clrText);
    }
    CRect rcPrev(0, 0, 0, 0);
    for (int i = 0; i < GetCount(); i++) {
        const CRect rcPane = GetPaintedPaneRect(i);
        const UINT nStyle = GetPaneStyle(i);
        HICON hIcon = (m_nPaintFlags & PAINT_NO_CONTROL_ICONS)
                          ? NULL
                          : (HICON)CStatusBar::DefWindowProc(SB_GETICON, (WPARAM)i, 0);
        const CString strText = GetPaneText(i);
        OnPaintPanePre(dc, i, rcPane);
        DrawPaneItem(dc, i, rcPane, nStyle, hIcon, strText, GetPaneDrawTextFlags(i));
        if (bOwnPanes && (m_nPaintFlags & PAINT_SEPARATORS) && i > 0)
            DrawPaneSeparator(dc, i, rcPrev, rcPane);
        rcPrev = rcPane;
    }
    dc.RestoreDC(nSaved);
    if (!rcGrip.IsRectEmpty()) {
        dc.SelectClipRgn(NULL);
        PaintSizeGrip(dc, rcGrip);
    }
}

void CExtStatusControlBar::OnNcPaint()
{
    SyncColors();
    CWindowDC dc(this);
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    dc.ExcludeClipRect(&rcClient);
    CExtPaintManager::StatusPanePaintData data(this, 1, GetBarStyle(), rcWindow);
    g_PaintManager->PaintStatusPane(dc, data);
}

// ---- messages -------------------------------------------------------------------------------

int CExtStatusControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    EnableToolTips();
    ModifyStyle(0, WS_CLIPCHILDREN);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    SyncColors();
    return 0;
}

void CExtStatusControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && CExtControlBar::IsFrameInHelpMode(pFrame))
        return;
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pFrame = pFrame->GetParentFrame();   // a floating bar: the frame behind its mini frame
    if (pFrame == NULL) {
        (void)pWnd;
        Default();
        return;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        pOwner = GetParent();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->CreatePopupMenu(pOwner->GetSafeHwnd()) ||
        !CExtControlBar::FillBarsContextMenu(pFrame, pPopup, kEventStatusBar, this, WM_CONTEXTMENU, 0) ||
        pPopup->GetItemCount() == 0) {
        delete pPopup;
        return;
    }
    pOwner->SetFocus();
    // false: the popup was not tracked and is still ours
    if (!pPopup->TrackPopupMenu(0x800, point.x, point.y))
        delete pPopup;
}

LRESULT CExtStatusControlBar::OnNcHitTest(CPoint point)
{
    const LRESULT lResult = CStatusBar::OnNcHitTest(point);
    if (lResult != HTCLIENT && !IsSizeGripShown())
        return HTCLIENT;
    return lResult;
}

void CExtStatusControlBar::OnSysColorChange()
{
    Default();
    g_PaintManager.OnSysColorChange(this);
    g_CmdManager.OnSysColorChange(this);
    SyncColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    Default();
    g_PaintManager.OnSettingChange(this, uFlags, lpszSection);
    g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
    SyncColors();
}

LRESULT CExtStatusControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    g_CmdManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    return lResult;
}

LRESULT CExtStatusControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManager.OnThemeChanged(this, wParam, lParam);
    g_CmdManager.OnThemeChanged(this, wParam, lParam);
    return lResult;
}

INT_PTR CExtStatusControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (CExtToolControlBar::g_bMenuTracking || CExtPopupMenuWnd::IsAnyMenuTracked() || m_hWnd == NULL ||
        !::IsWindow(m_hWnd))
        return -1;
    const int nPane = HitTestPane(point);
    if (nPane < 0)
        return -1;
    const UINT nID = GetItemID(nPane);
    if (pTI != NULL) {
        CRect rc;
        GetItemRect(nPane, &rc);
        pTI->rect = rc;
        pTI->uId = nID;
        pTI->hwnd = m_hWnd;
        const CString strTip = GetPaneTipText(nPane);
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        if (!strTip.IsEmpty()) {
            // the framework frees it with free()
            const size_t nSize = (size_t)strTip.GetLength() + 1;
            if (LPSTR lpsz = (LPSTR)::malloc(nSize)) {
                ::memcpy(lpsz, (LPCTSTR)strTip, nSize);
                pTI->lpszText = lpsz;
            }
        }
    }
    return (INT_PTR)nID;
}

LRESULT CExtStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE && m_hWnd != NULL)
        RepositionPaneControls();
    return lResult;
}

LRESULT CExtStatusControlBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case SB_SETTEXTA:
    case SB_SETICON: {
        // the control would paint the pane at once and the bar again after it: one paint only
        m_nStatusFlags |= STATUS_UPDATING_CONTROL;
        const LRESULT lResult = CStatusBar::DefWindowProc(message, wParam, lParam);
        m_nStatusFlags &= ~STATUS_UPDATING_CONTROL;
        if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
            Invalidate(FALSE);
            UpdateWindow();
        }
        return lResult;
    }
    case WM_PAINT:
        if (m_nStatusFlags & STATUS_UPDATING_CONTROL)
            return 0;
        break;
    case WM_ERASEBKGND:
        if (m_nStatusFlags & STATUS_UPDATING_CONTROL)
            return 1;
        break;
    default:
        break;
    }
    return CStatusBar::DefWindowProc(message, wParam, lParam);
}

void CExtStatusControlBar::RepositionPaneControls()
{
    if (m_arrPaneCtrls.GetSize() == 0)
        return;
    HDWP hDwp = ::BeginDeferWindowPos((int)m_arrPaneCtrls.GetSize());
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    for (INT_PTR i = 0; i < m_arrPaneCtrls.GetSize(); i++) {
        _STATUSBAR_PANE_CTRL_* pCtrl = m_arrPaneCtrls[i];
        const int nPane = CommandToIndex(pCtrl->m_nID);
        if (nPane < 0 || pCtrl->m_hWnd == NULL || !::IsWindow(pCtrl->m_hWnd))
            continue;
        CRect rc = GetPaintedPaneRect(nPane);
        if ((GetPaneStyle(nPane) & SBPS_NOBORDERS) || (m_nPaintFlags & PAINT_SEPARATORS))
            rc.DeflateRect(cxEdge, 1);
        else
            rc.DeflateRect(cxEdge, cxEdge);
        const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                            SWP_NOOWNERZORDER;
        if (hDwp != NULL)
            hDwp = ::DeferWindowPos(hDwp, pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
        else
            ::SetWindowPos(pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    }
    if (hDwp != NULL)
        ::EndDeferWindowPos(hDwp);
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}
