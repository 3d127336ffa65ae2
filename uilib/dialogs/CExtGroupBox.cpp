// Skinned group box (see CExtGroupBox.h).
#include "CExtGroupBox.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtGroupBox, CButton)

BEGIN_MESSAGE_MAP(CExtGroupBox, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CExtGroupBox::CExtGroupBox() : m_nCaptionAlignment(ALIGN_LEFT), m_nFrameStyle(STYLE_ETCHED), m_nCaptionBarHeight(18)
{
}

CExtGroupBox::~CExtGroupBox()
{
}

void CExtGroupBox::SetStyle(int nFrameStyle)
{
    m_nFrameStyle = nFrameStyle;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CExtGroupBox::PreSubclassWindow()
{
    ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    CButton::PreSubclassWindow();
}

BOOL CExtGroupBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CExtGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SETTEXT && message != WM_ENABLE && message != WM_UPDATEUISTATE)
        return CButton::WindowProc(message, wParam, lParam);
    // the system's button paints itself on these; one repaint of ours instead
    HWND hWnd = m_hWnd;
    ::SendMessageA(hWnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
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

HFONT CExtGroupBox::CaptionFont() const
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

void CExtGroupBox::OnPaint()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CPaintDC dcPaint(this);
    {
        CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
        PaintFace(dc);

        // earlier siblings over the box (they sit above it) are drawn again over the new face
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent != NULL) {
            for (HWND hSibling = ::GetWindow(m_hWnd, GW_HWNDFIRST); hSibling != NULL && hSibling != m_hWnd;
                 hSibling = ::GetWindow(hSibling, GW_HWNDNEXT)) {
                CRect rcSibling, rcOverlap;
                ::GetWindowRect(hSibling, &rcSibling);
                ScreenToClient(&rcSibling);
                if (rcOverlap.IntersectRect(&rcSibling, &rcClient))
                    ::RedrawWindow(hSibling, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
            }
        }
    }
}

void CExtGroupBox::PaintFace(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    bool bPainted = false;
    if (g_PaintManager->NeedsDockerBackground(this)) {
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd, CExtPaintManager::IsTransparentChildControl);
        bPainted = g_PaintManager->PaintDockerBackground(dc, this);
    }
    if (!bPainted)
        dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
    const int nSaved = dc.SaveDC();   // the caption's gap is clipped out for the frame only
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    CRect rcFrame(rcClient);
    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty()) {
        rcFrame.top += 6;
    } else {
        UINT nFlags = DT_VCENTER | DT_END_ELLIPSIS;
        if (strText.Find('\t') >= 0)
            nFlags |= DT_EXPANDTABS;
        CRect rcText(9, 0, rcClient.right - 9, rcClient.bottom);
        DrawCaptionText(dc, rcText, strText, nFlags, IsWindowEnabled() != FALSE);
        dc.ExcludeClipRect(&rcText);   // the gap in the frame line
        rcFrame.top += rcText.Height() / 2;
    }
    DrawFrame(dc, rcFrame);
    dc.SetBkMode(nOldMode);
    dc.RestoreDC(nSaved);
    g_PaintManager->EndPaintSession();
}

void CExtGroupBox::DrawCaptionText(CDC& dc, CRect& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool bEnabled)
{
    if (m_nFrameStyle == STYLE_CAPTION) {
        rcText.SetRectEmpty();   // the bar shows the caption
        return;
    }
    CFont* pFont = CFont::FromHandle(CaptionFont());
    CFont* pOldFont = dc.SelectObject(pFont);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(g_PaintManager->GetColor(bEnabled ? 18 : 16));
    const CRect rcMeasured = CExtPaintManager::MeasureTextRect(dc, strText, pFont);
    switch (m_nCaptionAlignment) {
    case ALIGN_RIGHT:
        rcText.left = rcText.right - rcMeasured.Width();
        break;
    case ALIGN_CENTER:
        rcText.left += (rcText.Width() - rcMeasured.Width()) / 2;
        rcText.right = rcText.left + rcMeasured.Width();
        break;
    default:
        rcText.right = rcText.left + rcMeasured.Width();
        break;
    }
    rcText.bottom = rcText.top + rcMeasured.Height();
    dc.DrawText(strText, -1, &rcText, nDrawTextFlags);
    rcText.InflateRect(2, 0);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOldFont);
}

void CExtGroupBox::DrawFrame(CDC& dc, const CRect& rcFrame)
{
    const COLORREF clrShadow = g_PaintManager->GetColor(16);
    const COLORREF clrWindow = g_PaintManager->GetColor(5);
    CRect rc(rcFrame);
    switch (m_nFrameStyle) {
    case STYLE_ROUNDED: {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clrShadow);
        CPen* pOldPen = dc.SelectObject(&pen);
        HGDIOBJ hOldBrush = ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_BRUSH));
        dc.RoundRect(&rc, CPoint(10, 10));
        ::SelectObject(dc.m_hDC, hOldBrush);
        dc.SelectObject(pOldPen);
        break;
    }
    case STYLE_FLAT:
        dc.Draw3dRect(&rc, clrShadow, clrShadow);
        break;
    case STYLE_CAPTION: {
        CRect rcClient;
        GetClientRect(&rcClient);
        dc.Draw3dRect(&rcClient, clrShadow, clrShadow);
        CRect rcBar(rcClient.left, rcClient.top, rcClient.right, rcClient.top + m_nCaptionBarHeight);
        dc.FillSolidRect(&rcBar, clrShadow);
        CString strText;
        GetWindowText(strText);
        if (strText.IsEmpty())
            break;
        LOGFONTA lf = {};
        ::GetObjectA(CaptionFont(), sizeof lf, &lf);
        lf.lfWeight = FW_BOLD;
        CFont fontBold;
        fontBold.CreateFontIndirect(&lf);
        CFont* pOldFont = dc.SelectObject(&fontBold);
        const int nOldMode = dc.SetBkMode(TRANSPARENT);
        const COLORREF clrOld = dc.SetTextColor(clrWindow);
        UINT nFlags = m_nCaptionAlignment == ALIGN_RIGHT    ? DT_RIGHT
                      : m_nCaptionAlignment == ALIGN_CENTER ? DT_CENTER
                                                            : DT_LEFT;
        if (strText.Find('\t') >= 0)
            nFlags |= DT_EXPANDTABS;
        nFlags |= DT_VCENTER | DT_END_ELLIPSIS;
        const CRect rcMeasured = CExtPaintManager::MeasureTextRect(dc, strText, &fontBold);
        CRect rcText(5, (m_nCaptionBarHeight - rcMeasured.Height()) / 2, rcFrame.right - 4, rcFrame.bottom);
        dc.DrawText(strText, -1, &rcText, nFlags);
        dc.SetTextColor(clrOld);
        dc.SetBkMode(nOldMode);
        dc.SelectObject(pOldFont);
        break;
    }
    default:   // etched
        dc.Draw3dRect(&rc, clrShadow, clrWindow);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, clrWindow, clrShadow);
        break;
    }
}
