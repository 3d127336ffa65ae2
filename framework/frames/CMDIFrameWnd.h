// The frame of a program with several document windows. A stub: the framework makes no MDI
// client window. Code that lists the document windows (the menus' window list) reaches them
// through m_hWndMDIClient, which whoever makes the client window sets; the client answers
// WM_MDIGETACTIVE and holds the document windows as children with ids from AFX_IDM_FIRST_MDICHILD.
#pragma once
#include "CFrameWnd.h"

#ifndef AFX_IDM_FIRST_MDICHILD
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = NULL;

    // The active document window (WM_MDIGETACTIVE of the client), NULL without one.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
};
