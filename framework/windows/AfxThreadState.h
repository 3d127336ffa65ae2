// What the window layer keeps per thread: the message being dispatched (Default replays it),
// the window being created (the creation hook attaches it), the thread object, the current
// message of the thread's pump and the thread's tool tip. Only the GUI thread owns windows;
// other threads only post to them.
#pragma once
#include <afx.h>
#include <commctrl.h>

class CWnd;
class CWinThread;

struct AFX_THREAD_STATE {
    MSG m_lastSentMsg;              // the message the window-procedure entry is dispatching
    MSG m_msgCur;                   // the message the thread's pump took last
    CWnd* m_pWndInit;               // window whose creation the hook is waiting for
    HHOOK m_hHookOldCbtFilter;      // the creation hook while installed
    CWinThread* m_pCurrentWinThread;
    // tool tips of the thread (EnableToolTips)
    HWND m_hWndToolTip;             // the thread's tool-tip control, made on first use
    CWnd* m_pLastHit;               // window the mouse was last over
    INT_PTR m_nLastHit;             // tool id found there, -1 for none
    TOOLINFOA m_lastInfo;           // the tool shown for it
    INT_PTR m_nLastStatus;          // last hit that put a prompt in the status line
    // window whose control notifications are ignored while its data exchange runs (the
    // exchange's own SetWindowText must not look like the user's edit)
    HWND m_hLockoutNotifyWindow;
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
