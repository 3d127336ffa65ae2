#include "CExtPopupMenuSite.h"
#include "CExtControlBar.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "ExtToolBarStandIns.h"

#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif

CExtPopupMenuSite CExtPopupMenuSite::g_DefPopupMenuSite;
DWORD CExtPopupMenuSite::g_nPopupMinKeyInterval = 20;

namespace {

// GetTickCount of the last key-down handed to the popup. (Milliseconds: clock() would be the
// process's processor time here.)
DWORD g_nLastKeyTime = 0;

bool IsWindowOf(const IExtPopupSiteMenu* p)
{
    return p != NULL && ::IsWindow(p->GetSiteHwnd());
}

CPoint ToClient(const IExtPopupSiteMenu* p, POINT ptScreen)
{
    CPoint pt(ptScreen);
    ::ScreenToClient(p->GetSiteHwnd(), &pt);
    return pt;
}

const int kModifierKeys[] = {VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL, VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT};

}  // namespace

CExtPopupMenuSite::CExtPopupMenuSite()
    : m_dwFlags(0), m_pTopMenu(NULL), m_pCapturedMenu(NULL), m_pAnimatedMenu(NULL), m_hMouseHook(NULL),
      m_hKeyboardHook(NULL), m_lpnResultCmdID(NULL)
{
}

CExtPopupMenuSite::~CExtPopupMenuSite()
{
    if ((m_dwFlags & FLAG_DESTROYED) != 0)
        return;
    m_dwFlags |= FLAG_DESTROYED;
    Done();
}

void CExtPopupMenuSite::SetInstance(IExtPopupSiteMenu* pTopMenu)
{
    if (m_pTopMenu != NULL) {
        if (m_pTopMenu == pTopMenu)
            return;
        Done();
    }
    if (pTopMenu == NULL)
        return;
    m_pTopMenu = pTopMenu;
    InstallHooks(true);
}

void CExtPopupMenuSite::Done()
{
    m_dwFlags |= FLAG_CLOSING;
    m_pCapturedMenu = NULL;
    m_pAnimatedMenu = NULL;
    m_lpnResultCmdID = NULL;
    if (m_pTopMenu != NULL) {
        m_pTopMenu->ClearItems();
        // Not at the program's end: under Wine, destroying a window (or removing a hook) from
        // the exit-time destructors ends the process on the spot; windows and hooks go with the
        // process anyway. A program closes its menus before it leaves its run.
        if (m_pTopMenu != NULL && (m_dwFlags & FLAG_DESTROYED) == 0 && IsWindowOf(m_pTopMenu)) {
            HWND hWndPopup = m_pTopMenu->GetSiteHwnd();
            HWND hWndOwner = m_pTopMenu->GetOwnerHwnd();
            if (hWndOwner == NULL)
                hWndOwner = ::GetParent(hWndPopup);
            if (hWndOwner != NULL && ::IsWindow(hWndOwner))
                CExtControlBar::ShowCommandPrompt(CWnd::FromHandle(hWndOwner), AFX_IDS_IDLEMESSAGE);
            ::DestroyWindow(hWndPopup);
            CExtPopupMenuWnd::PumpWaitingMessages(false);
        }
        // The popup's own end may have closed the tree already (through Done, ignored while
        // closing) but never deletes it: the site owns the top popup.
        IExtPopupSiteMenu* pTop = m_pTopMenu;
        m_pTopMenu = NULL;
        delete pTop;
    }
    if ((m_dwFlags & FLAG_DESTROYED) != 0) {
        m_hMouseHook = NULL;
        m_hKeyboardHook = NULL;
    } else {
        InstallHooks(false);
    }
    m_dwFlags &= ~FLAG_CLOSING;
}

void CExtPopupMenuSite::LetGo(IExtPopupSiteMenu* pTopMenu)
{
    if (pTopMenu == NULL || pTopMenu != m_pTopMenu)
        return;
    m_dwFlags |= FLAG_CLOSING;
    m_pCapturedMenu = NULL;
    m_pAnimatedMenu = NULL;
    m_lpnResultCmdID = NULL;
    m_pTopMenu = NULL;
    if ((m_dwFlags & FLAG_DESTROYED) == 0)
        InstallHooks(false);
    m_dwFlags &= ~FLAG_CLOSING;
}

void CExtPopupMenuSite::CancelTracking()
{
    if (m_pTopMenu != NULL && !IsShutdownMode())
        Done();
}

void CExtPopupMenuSite::InstallHooks(bool bInstall)
{
    if (bInstall) {
        if (m_hMouseHook == NULL)
            m_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
        if (m_hKeyboardHook == NULL)
            m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
        return;
    }
    if (m_hMouseHook != NULL) {
        ::UnhookWindowsHookEx(m_hMouseHook);
        m_hMouseHook = NULL;
    }
    if (m_hKeyboardHook != NULL) {
        ::UnhookWindowsHookEx(m_hKeyboardHook);
        m_hKeyboardHook = NULL;
    }
}

// Only HC_ACTION is acted on: the system calls the hooks also with HC_NOREMOVE when a message is
// only peeked at, and again with HC_ACTION when it is taken; acting at both would handle one
// event twice (and an event swallowed at the peek would never be taken).
LRESULT CALLBACK CExtPopupMenuSite::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CExtPopupMenuSite& site = g_DefPopupMenuSite;
    HHOOK hHook = site.m_hMouseHook;
    if (nCode == HC_ACTION && lParam != 0) {
        bool bPass = true;
        LRESULT lResult = 0;
        try {
            lResult = site.OnMouseEvent((UINT)wParam, reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam), bPass);
        } catch (...) {
            bPass = true;   // nothing may cross the hook
        }
        if (!bPass)
            return lResult;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CExtPopupMenuSite::OnMouseEvent(UINT nMsg, MOUSEHOOKSTRUCT* pMHS, bool& bPass)
{
    bPass = true;
    if (m_pTopMenu == NULL || IsShutdownMode())
        return 0;
    IExtPopupSiteMenu* pCaptured = m_pCapturedMenu;
    bPass = false;
    if (!IsWindowOf(pCaptured))
        return 1;
    switch (nMsg) {
    case WM_MOUSEMOVE: {
        bool bHandlerPass = false;
        if (pCaptured->HandleMouseMove(nMsg, ToClient(pCaptured, pMHS->pt), bHandlerPass))
            return 1;
        bPass = true;
        return 0;
    }
    case WM_MOUSEWHEEL: {
        bool bHandlerPass = false;
        if (pCaptured->HandleMouseWheel(nMsg, pMHS, bHandlerPass))
            return 1;
        bPass = bHandlerPass;
        return 1;
    }
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP: {
        HWND hWndCaptured = pCaptured->GetSiteHwnd();
        bool bHandlerPass = false;
        if (pCaptured->HandleMouseClick(nMsg, ToClient(pCaptured, pMHS->pt), bHandlerPass) || !::IsWindow(hWndCaptured))
            return 1;
        if (bHandlerPass) {
            bPass = true;
            return 0;
        }
        for (IExtPopupSiteMenu* p = pCaptured; p != NULL; p = p->GetParentSiteMenu()) {
            if (p->IsPointInMenu(ToClient(p, pMHS->pt)))
                return 1;
            HWND hWndTip = p->GetTipHwnd();
            if (hWndTip != NULL && ::IsWindow(hWndTip) && ::WindowFromPoint(pMHS->pt) == hWndTip)
                return 1;
        }
        // Outside every open popup: the tree closes, and a button press still reaches the
        // window under the mouse.
        if (m_pTopMenu != NULL)
            m_pTopMenu->CloseMenuTree(false);
        bPass = (nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN);
        return 1;
    }
    default:
        bPass = true;
        return 0;
    }
}

LRESULT CALLBACK CExtPopupMenuSite::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CExtPopupMenuSite& site = g_DefPopupMenuSite;
    HHOOK hHook = site.m_hKeyboardHook;
    if (nCode == HC_ACTION) {
        bool bPass = true;
        LRESULT lResult = 0;
        try {
            lResult = site.OnKeyEvent(wParam, lParam, bPass);
        } catch (...) {
            bPass = true;
        }
        if (!bPass)
            return lResult;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CExtPopupMenuSite::OnKeyEvent(WPARAM wParam, LPARAM lParam, bool& bPass)
{
    const bool bKeyUp = (lParam & 0x80000000) != 0;
    IExtPopupSiteMenu* pCaptured = m_pCapturedMenu;
    if (m_pTopMenu != NULL && !IsShutdownMode() && IsWindowOf(pCaptured)) {
        bPass = false;
        if (bKeyUp)
            return 1;
        const DWORD nNow = ::GetTickCount();
        if (nNow - g_nLastKeyTime >= g_nPopupMinKeyInterval) {
            g_nLastKeyTime = nNow;
            bool bHandlerPass = false;
            if (pCaptured->HandleKeyDown((UINT)wParam, LOWORD(lParam), HIWORD(lParam), bHandlerPass))
                return 1;
            bPass = bHandlerPass;
            return 1;
        }
    }
    // No popup takes the key (or it came too soon after the last one): releasing Alt, or a key
    // with a modifier down, ends the menu unless the tool bars are tracking their menus.
    if (!CExtToolControlBar::g_bMenuTracking && bKeyUp) {
        bool bModifier = (lParam & 0x20000000) != 0;
        for (int vk : kModifierKeys)
            if (::GetKeyState(vk) < 0)
                bModifier = true;
        if (bModifier)
            CancelTracking();
    }
    bPass = true;
    return 0;
}
