// CWnd's share of the thread's tool tip: windows that enable tool tips have the mouse messages
// they pre-translate checked against OnToolHitTest, and the thread's one tool-tip control shows
// the tool that was hit.
#include "CWnd.h"
#include <climits>
#include <cstdlib>

namespace {

HWND ThreadToolTip(HWND hWndOwner)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hWndToolTip != NULL && !::IsWindow(pState->m_hWndToolTip))
        pState->m_hWndToolTip = NULL;
    if (pState->m_hWndToolTip == NULL) {
        pState->m_hWndToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP,
                                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                                  hWndOwner, NULL, AfxGetInstanceHandle(), NULL);
        if (pState->m_hWndToolTip != NULL)
            ::SendMessageA(pState->m_hWndToolTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    }
    return pState->m_hWndToolTip;
}

void ForgetLastTool(AFX_THREAD_STATE* pState)
{
    if (pState->m_nLastHit != -1 && pState->m_hWndToolTip != NULL)
        ::SendMessageA(pState->m_hWndToolTip, TTM_DELTOOL, 0, (LPARAM)&pState->m_lastInfo);
    pState->m_nLastHit = -1;
    pState->m_pLastHit = NULL;
    pState->m_lastInfo = TOOLINFOA();
}

}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_pLastHit == this)
            ForgetLastTool(pState);
    }
    return TRUE;
}

void CWnd::CancelToolTips(BOOL)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hWndToolTip != NULL && ::IsWindow(pState->m_hWndToolTip))
        ::SendMessageA(pState->m_hWndToolTip, TTM_ACTIVATE, FALSE, 0);
    ForgetLastTool(pState);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    // the child control under the point, with its text asked for when shown
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1)
        return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONDOWN &&
        message != WM_LBUTTONUP && message != WM_RBUTTONDOWN && message != WM_RBUTTONUP &&
        message != WM_MBUTTONDOWN && message != WM_MBUTTONUP)
        return;
    // The nearest window from the message's own up that shows tool tips handles it; the others
    // on the way pre-translate the same message and leave it (a parent would find the child
    // window itself as its tool and put that in place of the tool the child found).
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && (pWnd->m_nFlags & WF_TOOLTIPS) != 0) {
            if (pWnd != this)
                return;
            break;
        }
    }
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CPoint point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);

    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    HWND hWndToolTip = ThreadToolTip(m_hWnd);
    if (hWndToolTip == NULL) {
        // nowhere to show it: the text is still ours to free
        if (nHit != -1 && ti.lpszText != LPSTR_TEXTCALLBACKA)
            free(ti.lpszText);
        return;
    }
    if (nHit != pState->m_nLastHit || pState->m_pLastHit != this) {
        ForgetLastTool(pState);
        if (nHit != -1) {
            ::SendMessageA(hWndToolTip, TTM_ADDTOOL, 0, (LPARAM)&ti);  // the control copies the text
            ::SendMessageA(hWndToolTip, TTM_ACTIVATE, TRUE, 0);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = NULL;
            pState->m_pLastHit = this;
            pState->m_nLastHit = nHit;
        }
    }
    // the text OnToolHitTest made is ours to free, exactly once
    if (nHit != -1 && ti.lpszText != LPSTR_TEXTCALLBACKA)
        free(ti.lpszText);
    if (nHit != -1) {
        MSG msg = *pMsg;
        ::SendMessageA(hWndToolTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
}
