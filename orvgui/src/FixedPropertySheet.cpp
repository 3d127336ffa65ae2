#include "FixedPropertySheet.h"

FixedPropertySheet::FixedPropertySheet(bool withApply, LPCTSTR pszCaption, CWnd* pParentWnd)
    : CExtResizablePropertySheet(pszCaption != NULL ? pszCaption : "", pParentWnd)
{
    if (!withApply)
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

FixedPropertySheet::~FixedPropertySheet() = default;

LRESULT FixedPropertySheet::FixHitTest(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
    case HTBORDER:
        return HTNOWHERE;
    default:
        return hit;
    }
}

LRESULT FixedPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CExtResizablePropertySheet::WindowProc(message, wParam, lParam);
    if (message == WM_NCHITTEST)
        result = FixHitTest(result);
    return result;
}
