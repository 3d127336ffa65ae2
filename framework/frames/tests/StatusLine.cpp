#include "StatusLine.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CStatusLine, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CStatusLine::Create(CWnd* pParent)
{
    // the frame places it: it must not align itself to its parent
    return CWnd::Create(STATUSCLASSNAMEA, "",
                        WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE,
                        CRect(0, 0, 0, 22), pParent, AFX_IDW_STATUS_BAR);
}

CString CStatusLine::Text() const
{
    char text[256] = "";
    ::SendMessageA(m_hWnd, SB_GETTEXTA, 0, (LPARAM)text);
    return text;
}

LRESULT CStatusLine::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rectBar;
    GetWindowRect(&rectBar);
    CRect rect = pLayout->rect;
    rect.top = rect.bottom - rectBar.Height();
    pLayout->rect.bottom = rect.top;
    AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}
