// Colour and link label (see CLabel.h).
#include "CLabel.h"

#include <shellapi.h>

namespace {

void ShellOpen(HWND window, const char* target)
{
    // the result is the shell's to report (it shows its own message when nothing can open it)
    ::ShellExecuteA(window, "open", target, NULL, NULL, SW_SHOWNORMAL);
}

CLabel::OpenFunction g_open = &ShellOpen;

}  // namespace

BEGIN_MESSAGE_MAP(CLabel, CExtLabel)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLabel::CLabel()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_hBackBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_hHighlightBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_lf(),
      m_bLink(true),
      m_hLinkCursor(NULL)
{
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_lf, &m_lf);
    m_font.CreateFontIndirect(&m_lf);
}

CLabel::~CLabel()
{
    m_font.DeleteObject();
    // both brushes are ours: the second one was never freed before
    if (m_hBackBrush != NULL)
        ::DeleteObject(m_hBackBrush);
    if (m_hHighlightBrush != NULL)
        ::DeleteObject(m_hHighlightBrush);
}

void CLabel::setOpenFunction(OpenFunction open)
{
    g_open = open != nullptr ? open : &ShellOpen;
}

CLabel& CLabel::setTextColor(COLORREF color)
{
    m_crText = color;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return *this;
}

CLabel& CLabel::setLink(bool bLink)
{
    m_bLink = bLink;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        if (bLink)
            ModifyStyle(0, SS_NOTIFY);
        else
            ModifyStyle(SS_NOTIFY, 0);
    }
    return *this;
}

CLabel& CLabel::setLinkCursor(HCURSOR hCursor)
{
    m_hLinkCursor = hCursor;
    return *this;
}

CLabel& CLabel::setLinkTarget(const CString& target)
{
    m_strLinkTarget = target;
    return *this;
}

HBRUSH CLabel::CtlColor(CDC* pDC, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SelectObject(&m_font);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
    }
    return m_hBackBrush;
}

void CLabel::OnLButtonDown(UINT nFlags, CPoint point)
{
    g_open(m_hWnd, m_strLinkTarget);
    CExtLabel::OnLButtonDown(nFlags, point);
}

BOOL CLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != NULL) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CExtLabel::OnSetCursor(pWnd, nHitTest, message);
}

HFONT CLabel::DrawingFont() const
{
    HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    if (hFont == NULL && ::GetParent(m_hWnd) != NULL)
        hFont = (HFONT)::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    return hFont;
}

void CLabel::DrawLabelText(CDC& dc, const RECT& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool)
{
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, DrawingFont());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF crOld = dc.SetTextColor(m_crText);
    CRect rc(rcText);
    dc.DrawText(strText, -1, &rc, nDrawTextFlags);
    dc.SetTextColor(crOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}
