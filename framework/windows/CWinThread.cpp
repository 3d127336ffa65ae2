#include "CWinThread.h"
#include "CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_msgCur(), m_nThreadID(::GetCurrentThreadId()),
      m_ptCursorLast{-1, -1}, m_nMsgLast(0)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == NULL)
        pState->m_pCurrentWinThread = this;
}

CWinThread::~CWinThread()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, NULL, 0, 0) <= 0)
        return FALSE;  // WM_QUIT (or a failure, which cannot be waited out)
    AfxGetThreadState()->m_msgCur = m_msgCur;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndMain = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // a window whose chain never reached the main window (a modeless popup of its own) still
    // gets the main window's accelerators
    if (hWndMain == NULL || pMsg->hwnd == NULL)
        return FALSE;
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        if (hWnd == hWndMain)
            return FALSE;
    }
    return pMainWnd->PreTranslateMessage(pMsg);
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // a mouse move to where the mouse already was is no activity
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER: caret blink */;
}

namespace {

// The thread's visible frames other than the main window (floating palettes and the like).
BOOL CALLBACK UpdateOtherFrame(HWND hWnd, LPARAM lParam)
{
    return AfxCallbackBarrier(TRUE, [&] {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && hWnd != (HWND)lParam && pWnd->IsFrameWnd() && ::IsWindowVisible(hWnd)) {
            AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            if (::IsWindow(hWnd))
                pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    });
}

}  // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        HWND hWndMain = pMainWnd->GetSafeHwnd();
        if (hWndMain != NULL && ::IsWindowVisible(hWndMain)) {
            AfxCallWndProc(pMainWnd, hWndMain, WM_IDLEUPDATECMDUI, TRUE, 0);
            if (::IsWindow(hWndMain))
                pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        ::EnumThreadWindows(::GetCurrentThreadId(), UpdateOtherFrame, (LPARAM)hWndMain);
    }
    // frees nothing while a handler of this thread is still running (an idle pump inside it)
    AfxDeleteTempMaps();
    return FALSE;
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->m_pCurrentWinThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        BOOL bResult = pThread->PumpMessage();
        AfxGetThreadState()->m_msgCur = pThread->m_msgCur;
        return bResult;
    }
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (::GetMessageA(&msg, NULL, 0, 0) <= 0)
        return FALSE;
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->IsIdleMessage(pMsg);
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 && pMsg->message != WM_MOUSEMOVE &&
           pMsg->message != WM_NCMOUSEMOVE;
}
