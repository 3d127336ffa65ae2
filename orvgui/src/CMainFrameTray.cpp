// The main frame's tray icon: added at creation and again when the shell comes back, removed when
// the window goes; a double click shows the window, a right click opens the tray menu.
#include "CMainFrame.h"

#include "CExtPopupMenuWnd.h"
#include "resource.h"

bool CMainFrame::AddTrayIcon(UINT nCallbackMessage, LPCTSTR lpszTip, HICON hIcon, UINT nId)
{
    ::ZeroMemory(&m_tray, sizeof m_tray);
    // the first version of the record, as a 64-bit process lays it out
    m_tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_tray.hWnd = m_hWnd;
    m_tray.uID = nId;
    m_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_tray.uCallbackMessage = nCallbackMessage;
    m_tray.hIcon = hIcon;
    ::lstrcpynA(m_tray.szTip, lpszTip != NULL ? lpszTip : "", sizeof m_tray.szTip);
    m_bTrayIcon = ::Shell_NotifyIconA(NIM_ADD, &m_tray) != FALSE;
    if (!m_bTrayIcon)
        LOG4CXX_WARN(m_logger, "The tray icon could not be added");
    return m_bTrayIcon;
}

bool CMainFrame::RemoveTrayIcon()
{
    if (!m_bTrayIcon)
        return false;
    m_tray.uFlags = 0;
    m_bTrayIcon = false;
    return ::Shell_NotifyIconA(NIM_DELETE, &m_tray) != FALSE;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_tray.uID)
        return 0;
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        ShowWindow(SW_SHOW);
        SetForegroundWindow();
        break;
    case WM_RBUTTONUP: {
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->LoadMenu(m_hWnd, IDR_TRAY_MENU)) {
            delete pPopup;
            break;
        }
        SetForegroundWindow();
        CPoint pt;
        ::GetCursorPos(&pt);
        if (!pPopup->TrackPopupMenu(CExtPopupMenuWnd::TMF_MODAL | CExtPopupMenuWnd::TMF_SHOW_ALL, pt.x, pt.y))
            delete pPopup;
        break;
    }
    default:
        break;
    }
    return 0;
}

void CMainFrame::OnTrayRestore()
{
    ShowWindow(SW_SHOW);
}
