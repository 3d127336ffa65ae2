// The menu bar's document button: while an MDI document window is maximised it stands at the
// bar's left end, shows the window's icon (16 by 16) and opens the window's system menu as a
// library popup joined to the button. Its commands go to the document window. It is never
// disabled, whatever the update handlers of its command say. The menu bar makes it, tells it the
// document window after each change and removes it when no document window is maximised.
#pragma once
#include "CExtBarButton.h"
#include "CExtCmdIcon.h"

class CExtBarMdiDocButton : public CExtBarButton {
    DECLARE_DYNCREATE(CExtBarMdiDocButton)
public:
    explicit CExtBarMdiDocButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, DWORD dwStyle = 0);
    ~CExtBarMdiDocButton() override;

    // ---- the bar button's operations ----
    // The disabled style never shows: reading drops it, setting and adding drop it.
    DWORD GetStyle() const override { return CExtBarButton::GetStyle() & ~TBBS_DISABLED; }
    void SetStyle(DWORD dwStyle) override;
    void ModifyStyle(DWORD dwAdd, DWORD dwRemove = 0) override;
    // In the chevron's menu: "Active document" with the window's system menu, then a separator.
    bool AppendToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    CExtCmdIcon* GetCommandIcon() const override;
    // The document window's object (a temporary one when it has no object of its own).
    CWnd* GetCommandTarget() const override;
    UINT TrackDropDownMenu(CPoint point, bool bSelectAny) override;

    // ---- own operations ----
    // The document window: the one the bar set while it lives, else the active document window
    // of the frame's MDI client (NULL for none).
    HWND GetChildWnd() const;
    // A different window is stored and the cached icon emptied.
    void SetChildWnd(HWND hWndChild);
    // The icon of a window, asked in this order: the bars' icon query message, its small and big
    // icons, its class's small and big icons; NULL when it has none.
    static HICON QueryWindowIcon(HWND hWnd);

protected:
    // The child's icon scaled to 16 by 16 into m_icon.
    void LoadChildIcon(HWND hWndChild) const;

    mutable CExtCmdIcon m_icon;
    mutable HWND m_hWndChild;
};
