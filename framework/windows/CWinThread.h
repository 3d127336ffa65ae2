// A thread with a message loop: Run pumps messages (each offered to PreTranslateMessage first)
// and does idle work when the queue runs empty, until WM_QUIT, whose code Run answers.
#pragma once
#include "CCmdTarget.h"
#include "AfxThreadState.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd;      // its destruction ends Run
    MSG m_msgCur;          // the message PumpMessage took last
    DWORD m_nThreadID;

    virtual BOOL InitInstance();
    // Runs the message loop; answers ExitInstance's code once WM_QUIT arrives.
    virtual int Run();
    // Answers the quit code (WM_QUIT's wParam).
    virtual int ExitInstance();
    // Takes and dispatches one message; FALSE on WM_QUIT (which stays in m_msgCur).
    virtual BOOL PumpMessage();
    // The walk from the message's window up to the main window, then the main window itself
    // for messages of windows outside it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work. lCount 0: updates the command states of the main window, its descendants and
    // the thread's other frames (WM_IDLEUPDATECMDUI), then frees the temporary objects unless a
    // message is being dispatched. Answers TRUE to be called again.
    virtual BOOL OnIdle(LONG lCount);
    // Whether a message makes the queue "busy" again (mouse moves that do not move and the
    // caret blink do not).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();

private:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
// Pump and idle test of the current thread's object (or a plain pump when there is none).
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
