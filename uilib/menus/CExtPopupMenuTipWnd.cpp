#include "CExtPopupMenuTipWnd.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

namespace {

// Room of the text inside the body, and the tail.
const int kMarginX = 12, kMarginY = 10;
const int kIconGap = 5;
const int kTailHeight = 25;
const int kTailInner = 12, kTailOuter = 37;
const int kAnchorOffset = 6;
const UINT kTextFormat = DT_LEFT | DT_TOP | DT_NOPREFIX;

CFont* MenuFont()
{
    if (g_PaintManager.GetPaintManager() == NULL)
        return NULL;
    CFont& font = g_PaintManager->GetFont(CExtPaintManager::FontNormal);
    return font.GetSafeHandle() != NULL ? &font : NULL;
}

COLORREF PainterColor(int nIndex)
{
    return g_PaintManager.GetPaintManager() != NULL ? g_PaintManager->GetColor(nIndex) : ::GetSysColor(nIndex);
}

}  // namespace

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd() : m_cxIcon(16), m_cyIcon(16), m_hIcon(NULL), m_nPlacementFlags(0)
{
    // The tip never animates: it is always drawn in its final look.
    m_eAnimationType = kPopupEffectNone;
    m_nAnimationState |= ANIMATION_FINISHED;
    // A copy of the system's information icon at the tip's size, the tip's own to destroy.
    HICON hShared = ::LoadIcon(NULL, IDI_INFORMATION);
    if (hShared != NULL)
        m_hIcon = (HICON)::CopyImage(hShared, IMAGE_ICON, m_cxIcon, m_cyIcon, 0);
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CExtPopupMenuTipWnd::SetText(LPCTSTR lpszText)
{
    m_sText = lpszText != NULL ? lpszText : "";
    m_sText.Trim();
}

CSize CExtPopupMenuTipWnd::CalcBalloonSize()
{
    CRect rcText(0, 0, 0, 0);
    HDC hdc = ::GetDC(NULL);
    if (hdc != NULL) {
        CFont* pFont = MenuFont();
        HGDIOBJ hOld = pFont != NULL ? ::SelectObject(hdc, pFont->GetSafeHandle()) : NULL;
        ::DrawTextA(hdc, m_sText, m_sText.GetLength(), &rcText, kTextFormat | DT_CALCRECT);
        if (hOld != NULL)
            ::SelectObject(hdc, hOld);
        ::ReleaseDC(NULL, hdc);
    }
    CSize size(rcText.Width() + 2 * kMarginX, rcText.Height() + 2 * kMarginY);
    if (m_hIcon != NULL) {
        size.cx += kIconGap + m_cxIcon;
        if (size.cy < m_cyIcon)
            size.cy = m_cyIcon;
    }
    size.cy += kTailHeight;
    return size;
}

CRect CExtPopupMenuTipWnd::GetBodyRect(const CSize& sizeBalloon) const
{
    const int nTop = (m_nPlacementFlags & FLIP_VERTICAL) != 0 ? kTailHeight : 0;
    return CRect(0, nTop, sizeBalloon.cx, nTop + sizeBalloon.cy - kTailHeight);
}

HRGN CExtPopupMenuTipWnd::CreateBalloonRgn(const CSize& sizeBalloon) const
{
    const CRect rcBody = GetBodyRect(sizeBalloon);
    HRGN hRgn = ::CreateRoundRectRgn(rcBody.left, rcBody.top, rcBody.right, rcBody.bottom, 12, 10);
    if (hRgn == NULL)
        return NULL;
    const bool bLeft = (m_nPlacementFlags & FLIP_HORIZONTAL) != 0, bTop = (m_nPlacementFlags & FLIP_VERTICAL) != 0;
    const int xEdge = bLeft ? rcBody.left + kTailInner : rcBody.right - kTailInner;
    const int xFar = bLeft ? rcBody.left + kTailOuter : rcBody.right - kTailOuter;
    // The base overlaps the body by a line so the two join without a seam.
    const int yBase = bTop ? rcBody.top + 1 : rcBody.bottom - 1;
    const int yTip = bTop ? rcBody.top - kTailHeight : rcBody.bottom + kTailHeight;
    const POINT pts[3] = {{xEdge, yBase}, {xEdge, yTip}, {xFar, yBase}};
    HRGN hTail = ::CreatePolygonRgn(pts, 3, WINDING);
    if (hTail != NULL) {
        ::CombineRgn(hRgn, hRgn, hTail, RGN_OR);
        ::DeleteObject(hTail);
    }
    return hRgn;
}

bool CExtPopupMenuTipWnd::Show(CWnd* pWndParent, const CRect& rcTarget)
{
    if (m_hWnd == NULL) {
        LPCTSTR lpszClass =
            AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);
        if (!CreateEx(WS_EX_TOPMOST, lpszClass, "", WS_POPUP, 0, 0, 0, 0, pWndParent->GetSafeHwnd(), NULL))
            return false;
    }
    CRect rcT = rcTarget;
    rcT.NormalizeRect();
    m_rcExcludeArea = rcT;
    m_ptTrack = rcT.TopLeft() + CPoint(kAnchorOffset, kAnchorOffset);

    m_nPlacementFlags = 0;
    const CSize size = CalcBalloonSize();
    CExtPaintManager::MonitorParms mp;
    CExtPaintManager::GetMonitorParmsFromPoint(mp, m_ptTrack);
    const CRect rcLimit = g_bUseWorkArea ? mp.m_rcWorkArea : mp.m_rcMonitor;
    if (m_ptTrack.x - size.cx + kTailInner < rcLimit.left)
        m_nPlacementFlags |= FLIP_HORIZONTAL;
    if (m_ptTrack.y - size.cy + kMarginY < rcLimit.top)
        m_nPlacementFlags |= FLIP_VERTICAL;
    HRGN hRgn = CreateBalloonRgn(size);
    if (hRgn != NULL && !SetWindowRgn(hRgn, TRUE))
        ::DeleteObject(hRgn);   // the window took no ownership

    if ((m_nPlacementFlags & FLIP_HORIZONTAL) != 0)
        m_ptTrack.x += rcT.Width() + size.cx - 36;
    if ((m_nPlacementFlags & FLIP_VERTICAL) != 0)
        m_ptTrack.y += rcT.Height() + size.cy - 36;
    const int x = m_ptTrack.x - size.cx + kTailInner, y = m_ptTrack.y - size.cy + kMarginY;
    SetWindowPos(&wndTopMost, x, y, size.cx, size.cy, SWP_NOACTIVATE);
    MoveWindow(x, y, size.cx, size.cy);
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    SetTimer(ID_TIMER_DELAY_SHOW, ID_PERIOD_DELAY_SHOW);
    return true;
}

void CExtPopupMenuTipWnd::Hide()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        KillTimer(ID_TIMER_DELAY_SHOW);
        ShowWindow(SW_HIDE);
    }
    m_rcExcludeArea.SetRectEmpty();
}

void CExtPopupMenuTipWnd::PaintPopup(CDC& dc, bool bFinal)
{
    (void)bFinal;
    HDC hdc = dc.GetSafeHdc();
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (hRgn == NULL)
        return;
    if (::GetWindowRgn(m_hWnd, hRgn) != ERROR) {
        HBRUSH hbrBack = ::CreateSolidBrush(PainterColor(COLOR_INFOBK));
        HBRUSH hbrFace = ::CreateSolidBrush(PainterColor(COLOR_BTNFACE));
        HBRUSH hbrDark = ::CreateSolidBrush(PainterColor(COLOR_3DDKSHADOW));
        ::FillRgn(hdc, hRgn, hbrBack);
        ::FrameRgn(hdc, hRgn, hbrFace, 3, 3);
        ::FrameRgn(hdc, hRgn, hbrDark, 1, 1);
        ::DeleteObject(hbrBack);
        ::DeleteObject(hbrFace);
        ::DeleteObject(hbrDark);
    }
    ::DeleteObject(hRgn);

    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcBody = GetBodyRect(rcClient.Size());
    CRect rcText(rcBody.left + kMarginX, rcBody.top + kMarginY, rcBody.right - kMarginX, rcBody.bottom - kMarginY);
    if (m_hIcon != NULL)
        rcText.left += m_cxIcon + kIconGap;
    CFont* pFont = MenuFont();
    HGDIOBJ hOldFont = pFont != NULL ? ::SelectObject(hdc, pFont->GetSafeHandle()) : NULL;
    const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF crOldText = ::SetTextColor(hdc, PainterColor(COLOR_INFOTEXT));
    ::DrawTextA(hdc, m_sText, m_sText.GetLength(), &rcText, kTextFormat);
    ::SetTextColor(hdc, crOldText);
    ::SetBkMode(hdc, nOldMode);
    if (hOldFont != NULL)
        ::SelectObject(hdc, hOldFont);
    if (m_hIcon != NULL)
        ::DrawIconEx(hdc, rcBody.left + kMarginX, rcText.top, m_hIcon, m_cxIcon, m_cyIcon, 0, NULL, DI_NORMAL);
}
