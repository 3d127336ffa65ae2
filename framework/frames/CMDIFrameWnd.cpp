#include "CMDIFrameWnd.h"
#include "CMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL && ::IsWindow(m_hWndMDIClient)
                    ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = hWnd != NULL && bMaximized;
    return hWnd != NULL ? DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandle(hWnd)) : NULL;
}
