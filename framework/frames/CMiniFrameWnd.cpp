#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName != NULL ? lpWindowName : "";
    if (dwStyle & MFS_THICKFRAME)
        dwStyle |= WS_THICKFRAME;
    if (dwStyle & MFS_BLOCKSYSMENU)
        dwStyle &= ~WS_SYSMENU;
    // a tool window: thin caption, no task-bar button
    dwExStyle |= WS_EX_TOOLWINDOW;
    HMENU hMenuOrId = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrId);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // MFS_SYNCACTIVE: drawn active while the frame that owns it is active
    if ((GetStyle() & MFS_SYNCACTIVE) && !bActive) {
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndOwner != NULL && ::GetActiveWindow() == hWndOwner)
            bActive = TRUE;
    }
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    Default();
    // a mini frame may be as small as its caption allows
    pMMI->ptMinTrackSize.x = ::GetSystemMetrics(SM_CXSMSIZE) * 2;
    pMMI->ptMinTrackSize.y = ::GetSystemMetrics(SM_CYSMCAPTION);
}
