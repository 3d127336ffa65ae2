// The menu bar: a tool bar whose buttons are the top-level items of a window menu. At creation it
// takes the frame's menu (the frame shows no native menu from then on) and makes one button per
// item; a button opens its item's pull-down as the library's popup menu, and moving to another
// button while one is open moves the menu there. It watches the frame (or, placed in a dialog,
// its parent) through the hook sink: the keyboard (Alt, Alt+letter, the arrows, Esc, Alt+Space),
// the caption's system menu as a library popup, and moving from one open pull-down to the next.
// In an MDI frame it follows the MDI client: the frame menu the client is asked to show becomes
// the bar's, and while the active document window is maximised the bar shows the document button
// (its icon and system menu) first and the control area (its minimise, restore and close
// buttons) last.
// Files: CExtMenuControlBar.cpp (buttons from the menu, creation, deferred work, system menus),
// CExtMenuControlBarKeys.cpp (the hooked messages, the keyboard, the top-level navigation),
// CExtMenuControlBarMdi.cpp (the active document window, its buttons and their place).
#pragma once
#include "CExtToolControlBar.h"
#include "CExtHookSink.h"
#include "CExtBarMdiRightButton.h"

class CExtMenuControlBar : public CExtToolControlBar, public CExtHookSink {
    DECLARE_DYNCREATE(CExtMenuControlBar)
public:
    CExtMenuControlBar();
    ~CExtMenuControlBar() override;

    // ---- own operations ----
    // The layout of the control area for the active document window (its caption buttons'
    // size, which of them it has, the total size for the orientation); not valid without one.
    virtual void GetMdiButtonsInfo(CExtBarMdiRightButton::MdiButtonsInfo& info, CExtBarMdiRightButton* pRightButton,
                                   bool bHorz);
    virtual void UpdateFlatTracking(bool bRedraw = true);
    virtual bool IsMdiMode() const { return (m_nMdiFlags & mdiMode) != 0; }
    virtual bool RebuildMenuButtons(bool bRecalc = true);
    // The menu set through the MDI client when there is one, else the bar's own, else NULL.
    virtual CMenu* GetCurrentMenu();
    virtual HWND GetActiveMdiChildWnd(bool& bMaximized);
    // Adds the document and control buttons while the active document window is maximised and
    // removes them otherwise; with bRecalc the frame is laid out again (and the answer is false),
    // else the answer is whether a button came or went.
    virtual bool UpdateMdiButtons(bool bRecalc = true);
    virtual bool HookActiveMdiChild();
    // Watches the MDI client (and its active document window) from now on.
    virtual bool HookMdiClient(HWND hWndClient);
    // Shows a window's system menu as a library popup (pt NULL: at the window's upper-left
    // edge; nAlign -1: below and to the right).
    virtual bool TrackWindowSystemMenu(CWnd* pWnd, const POINT* pt, bool bSelectFirst, LPCRECT prcExclude = NULL,
                                       int nAlign = -1, bool bCombined = false);
    // Deferred work: each runs once after the current message, however often it was asked for.
    virtual void PostHookActiveMdiChild();
    virtual void PostUpdateMenuBar();
    virtual void SetMdiWindowPopupName(LPCTSTR lpszName);
    virtual bool LoadMenuFromResource(UINT nMenuResourceID);
    // The keyboard and activation messages of the frame (its PreTranslateMessage hands them
    // here; a true answer means the message was the menu bar's and goes no further).
    virtual bool TranslateKeyboardMessage(MSG* pMsg);
    virtual bool TrackFrameSystemMenu(const POINT* pt, bool bSelectFirst);
    virtual bool TrackMdiChildSystemMenu(const POINT* pt, bool bSelectFirst);
    virtual void RemoveNativeFrameMenu();
    virtual bool AreMdiButtonsAllowed() const { return true; }
    // The frame's MDI client: its own for an MDI frame of the framework, else the first child of
    // the frame whose class is an MDI client; NULL in a dialog or without one.
    HWND FindMdiClient() const;
    // The document button (the first button) and the control area (the last, or the one before
    // a trailing chevron) when the bar shows them; NULL otherwise.
    CExtBarMdiDocButton* GetMdiDocButton() const;
    CExtBarMdiRightButton* GetMdiRightButton() const;
    // Whether a system menu the bar opened (the frame's or a document window's) is showing.
    bool IsSysMenuTracking() const { return (m_nFlags & flagSysMenuTracking) != 0; }
    void SetSysMenuTracking(bool bOn);

    bool UpdateMenuBar(bool bRecalc = true) { return RebuildMenuButtons(bRecalc); }
    const CString& GetMdiWindowPopupName() const { return m_strMdiWindowPopupName; }
    bool IsKeyboardTracking() const { return (m_nFlags & flagKeyboardTracking) != 0; }
    int GetFlatTrackingIndex() const { return m_nFlatTrackingIndex; }
    // The window whose messages the bar watches besides the frame (dialog mode: the parent).
    HWND GetHookedWindow() const { return m_hWndHooked; }

    // ---- the tool bar's and the control bar's operations ----
    BarKind QueryBarKind() const override { return kindMenuBar; }
    bool IsWholeRowBar() const override { return true; }
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void RecalcParentFrameLayout() override;
    void OnTrackingBegin() override;
    void OnTrackingEnd(const InternalDraggingState_t& shown, const InternalDraggingState_t& candidate,
                       BOOL bCancel) override;
    void AdjustButtonsLayout() override;
    bool OnMouseClickEvent(UINT nFlags, int x, int y) override;
    CExtBarButton* CreateChevronButton() override;
    bool TrackButtonMenu(int nIndex, bool bSelectFirst = false, bool bPost = false) override;
    CSize GetButtonDefaultSize() const override { return CSize(23, 20); }
    bool IsDockedWrapEnabled() const override;

    // ---- the hook sink ----
    bool DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                               LPARAM& lParam) override;

    // ---- process-wide ----
    // Set while the menus opened from tool-bar buttons show all their items (the user expanded
    // one); cleared whenever a menu is started anew from the keyboard or the caption.
    static bool g_bMenusExpanded;
    // Set when Alt was combined with another action since it went down (or the focus or the
    // activation changed): its release then does not highlight the bar.
    static bool g_bAltUsed;

    enum : BYTE { flagKeyboardTracking = 0x01, flagSysMenuTracking = 0x02 };
    enum : BYTE { mdiMode = 0x01, mdiDockedWrap = 0x02, mdiHookPending = 0x04, mdiRebuildPending = 0x08 };
    enum : UINT { timerHookMdiChild = 13, timerRebuild = 14, timerFindMdiClient = 15 };

protected:
    // A top-level item's pull-down command carries these item flags (swept at each rebuild).
    enum : DWORD { cmdFlagPullDown = 0x40, cmdFlagAlwaysVisible = 0x10 };

    LRESULT OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroyBar();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnTrackButtonMenuMsg(int nIndex);
    // Leaves keyboard tracking (with or without redraw) when it is on.
    void LeaveKeyboardTracking(bool bRedraw = true);
    // Ends any capture, keyboard tracking and menu tracking of the bars.
    void CancelAll();
    // The window the bar serves: the frame that docks it, or in a dialog its owner or parent.
    CWnd* GetServedWindow() const;
    bool IsInDialog() const { return (m_nOptions & optInDialog) != 0; }
    // The frame's window (frame mode) or the hooked parent (dialog mode).
    HWND GetMainHookedWnd() const;
    // Whether the served window may take the keyboard now (the foreground or inside it).
    bool IsServedWindowActive() const;
    static bool IsComboDroppedAtFocus(HWND* phWndCombo = NULL);
    static void CancelModeAtFocus();
    void NavigateTopLevel(bool bNext);
    bool TranslateKey(MSG* pMsg);
    bool TranslateMnemonic(UINT nVirtKey, UINT nScan, bool bAltDown, bool bUp);
    bool HandleFrameMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool HandleMdiChildMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool HandleMdiClientMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Moves the control area to the far end of its row (before a chevron that follows it).
    void PlaceMdiRightButton();

    UINT m_nMdiDocButtonCmdID;
    HWND m_hWndHooked;
    CString m_strMdiWindowPopupName;
    BYTE m_nFlags;
    int m_nFlatTrackingIndex;
    int m_nOldFlatTrackingIndex;
    CMenu m_menuOwn;
    CMenu m_menuMdi;
    BYTE m_nMdiFlags;
};
