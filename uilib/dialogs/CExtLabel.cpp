// Skinned label (see CExtLabel.h).
#include "CExtLabel.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtLabel, CStatic)

BEGIN_MESSAGE_MAP(CExtLabel, CStatic)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CExtLabel::CExtLabel() : m_nStyleBits(0), m_clrTextEnabled((COLORREF)-1), m_clrTextDisabled((COLORREF)-1)
{
}

CExtLabel::~CExtLabel()
{
}

COLORREF CExtLabel::GetTextColor(bool bEnabled)
{
    const COLORREF clr = bEnabled ? m_clrTextEnabled : m_clrTextDisabled;
    if (clr != (COLORREF)-1)
        return clr;
    return g_PaintManager->GetColor(bEnabled ? 18 : 16);
}

BOOL CExtLabel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

UINT CExtLabel::DrawTextFlagsFor(DWORD dwStyle, const CString& strText)
{
    UINT nFlags;
    switch (dwStyle & SS_TYPEMASK) {
    case SS_CENTER:
        nFlags = DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        nFlags = DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
        nFlags = DT_LEFT;
        break;
    default:
        nFlags = DT_WORDBREAK;
        break;
    }
    if (strText.Find('\t') >= 0)
        nFlags |= DT_EXPANDTABS;
    if (dwStyle & SS_CENTERIMAGE) {
        nFlags = DT_CENTER;
        if (strText.Find("\r\n") < 0)
            nFlags |= DT_VCENTER | DT_SINGLELINE;
    }
    return nFlags | DT_VCENTER | DT_END_ELLIPSIS;
}

void CExtLabel::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!dcPaint.RectVisible(&rcClient))
        return;
    {
        CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
        CRgn rgn;
        if (rgn.CreateRectRgnIndirect(&rcClient))
            dc.SelectClipRgn(&rgn);
        bool bPainted = false;
        if (g_PaintManager->NeedsDockerBackground(this)) {
            CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd, CExtPaintManager::IsTransparentChildControl);
            bPainted = g_PaintManager->PaintDockerBackground(dc, this);
        }
        if (!bPainted)
            dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
        CString strText;
        GetWindowText(strText);
        if (!strText.IsEmpty())
            DrawLabelText(dc, rcClient, strText, DrawTextFlagsFor(GetStyle(), strText), IsWindowEnabled() != FALSE);
        g_PaintManager->EndPaintSession();
    }
}

void CExtLabel::DrawLabelText(CDC& dc, const RECT& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool bEnabled)
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT, 0, 0);
    if (hFont == NULL && ::GetParent(m_hWnd) != NULL)
        hFont = (HFONT)::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    lf.lfWeight = (m_nStyleBits & STYLE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (m_nStyleBits & STYLE_ITALIC) ? 1 : 0;
    lf.lfUnderline = (m_nStyleBits & STYLE_UNDERLINE) ? 1 : 0;
    lf.lfStrikeOut = (m_nStyleBits & STYLE_STRIKEOUT) ? 1 : 0;
    HFONT hDrawFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hDrawFont != NULL ? hDrawFont : hFont);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(GetTextColor(bEnabled));
    CRect rc(rcText);
    dc.DrawText(strText, -1, &rc, nDrawTextFlags);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
    if (hDrawFont != NULL)
        ::DeleteObject(hDrawFont);
}

LRESULT CExtLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SETTEXT && message != WM_ENABLE)
        return CStatic::WindowProc(message, wParam, lParam);
    // the system's static repaints itself on both; one repaint of ours instead
    HWND hWnd = m_hWnd;
    ::SendMessageA(hWnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT lResult = CStatic::WindowProc(message, wParam, lParam);
    if (!::IsWindow(hWnd))
        return lResult;
    ::SendMessageA(hWnd, WM_SETREDRAW, TRUE, 0);
    HWND hParent = ::GetParent(hWnd);
    if (hParent != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(NULL, hParent, (POINT*)&rc, 2);
        ::InvalidateRect(hParent, &rc, TRUE);
    }
    ::InvalidateRect(hWnd, NULL, TRUE);
    return lResult;
}
