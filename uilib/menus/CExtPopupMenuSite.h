// The one process-wide owner of the open popup-menu tree. Popups never take the focus or the
// mouse capture: while a tree is open, two hooks of the GUI thread (mouse and keyboard) hand
// every input event to the popup that holds the input (the captured menu).
#pragma once
#include "afxwin.h"

// What the site needs of a popup of the tree. The popup menu window answers these; the site
// owns the top popup of a tree (Done deletes it).
class IExtPopupSiteMenu {
public:
    virtual ~IExtPopupSiteMenu() = default;
    virtual HWND GetSiteHwnd() const = 0;
    // The handlers answer true when they handled the event; bPass (false on entry) set to true
    // asks the site to pass an unhandled event on to its window.
    virtual bool HandleMouseWheel(UINT nMsg, MOUSEHOOKSTRUCT* pMHS, bool& bPass) = 0;
    virtual bool HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass) = 0;
    virtual bool HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass) = 0;
    virtual bool HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass) = 0;
    virtual bool IsPointInMenu(CPoint ptClient) = 0;
    virtual void CloseMenuTree(bool bKeepOwnWindow) = 0;
    // Clears the items, destroying the sub-menus (the popup's BuildItems with no menu).
    virtual void ClearItems() = 0;
    // The popup this one was opened from; NULL for the top of the tree.
    virtual IExtPopupSiteMenu* GetParentSiteMenu() const = 0;
    // The popup's tip window; NULL when it has none.
    virtual HWND GetTipHwnd() const = 0;
    // The window that receives the popup's commands; NULL when none was given.
    virtual HWND GetOwnerHwnd() const = 0;
};

class CExtPopupMenuSite {
public:
    enum : DWORD {
        FLAG_CLOSING = 0x1,      // inside Done: the hooks pass everything on, no new tree opens
        FLAG_DESTROYED = 0x2,    // the process's site has been destroyed
    };

    CExtPopupMenuSite();
    ~CExtPopupMenuSite();
    CExtPopupMenuSite(const CExtPopupMenuSite&) = delete;
    CExtPopupMenuSite& operator=(const CExtPopupMenuSite&) = delete;

    // The process's site.
    static CExtPopupMenuSite g_DefPopupMenuSite;

    IExtPopupSiteMenu* GetTopMenu() const { return m_pTopMenu; }
    bool IsTopMenu(const IExtPopupSiteMenu* pPopup) const { return pPopup != NULL && pPopup == m_pTopMenu; }
    bool IsEmpty() const { return m_pTopMenu == NULL; }
    bool IsShutdownMode() const { return (m_dwFlags & FLAG_CLOSING) != 0; }
    // A different open tree is closed first; the popup becomes the top menu and the hooks come.
    void SetInstance(IExtPopupSiteMenu* pTopMenu);
    // Closes the open tree: the owner's idle prompt comes back, the top popup is destroyed and
    // deleted, the hooks go.
    void Done();
    // Lets go of the top menu without deleting it (a menu that failed to open stays its
    // caller's): the site empties and the hooks go. Nothing when pTopMenu is not the top menu.
    void LetGo(IExtPopupSiteMenu* pTopMenu);
    // Done, unless no tree is open or the site is closing already.
    void CancelTracking();

    IExtPopupSiteMenu* GetCapturedMenu() const { return m_pCapturedMenu; }
    void SetCapturedMenu(IExtPopupSiteMenu* p) { m_pCapturedMenu = p; }
    IExtPopupSiteMenu* GetAnimatedMenu() const { return m_pAnimatedMenu; }
    void SetAnimatedMenu(IExtPopupSiteMenu* p) { m_pAnimatedMenu = p; }
    UINT* GetResultCmdPtr() const { return m_lpnResultCmdID; }
    void SetResultCmdPtr(UINT* p) { m_lpnResultCmdID = p; }

    void InstallHooks(bool bInstall);
    bool AreHooksInstalled() const { return m_hMouseHook != NULL || m_hKeyboardHook != NULL; }

    // Least time, in milliseconds, between two key-downs handed to the popup.
    static DWORD g_nPopupMinKeyInterval;

private:
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseEvent(UINT nMsg, MOUSEHOOKSTRUCT* pMHS, bool& bPass);
    LRESULT OnKeyEvent(WPARAM wParam, LPARAM lParam, bool& bPass);

    DWORD m_dwFlags;
    IExtPopupSiteMenu* m_pTopMenu;
    IExtPopupSiteMenu* m_pCapturedMenu;
    IExtPopupSiteMenu* m_pAnimatedMenu;
    HHOOK m_hMouseHook;
    HHOOK m_hKeyboardHook;
    UINT* m_lpnResultCmdID;
};
