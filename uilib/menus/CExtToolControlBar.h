// The dockable button bar of the UI library, over the library's control bar. It holds an ordered
// list of bar buttons (CExtBarButton and its variants; the chevron, when the bar has one, is
// always the last), builds them from a tool-bar resource through the command manager, lays them
// out docked (buttons that do not fit go to the chevron's menu) and floating (rows wrapped at the
// narrowest width that keeps their count), and tracks the mouse over them: hover, press, check
// buttons and drop-down menus moving from button to button while one is open.
// Files: CExtToolControlBar.cpp (buttons, hit tests, messages), CExtToolControlBarLayout.cpp
// (sizes and placement over ExtToolBarLayout), CExtToolControlBarTrack.cpp (mouse, menus,
// painting), CExtToolControlBarCmdUI.cpp (a button's command state).
#pragma once
#include "CExtControlBar.h"
#include "CExtBarButton.h"
#include "ExtToolBarLayout.h"
#include <vector>

class CExtBarContentExpandButton;

class CExtToolControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtToolControlBar)
public:
    // A button's command state from the framework's update handlers.
    class CExtToolControlBarCmdUI : public CCmdUI {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetRadio(BOOL bOn = TRUE) override;
        void SetText(LPCTSTR lpszText) override;

    private:
        // The button at m_nIndex, NULL for none and for the chevron.
        CExtBarButton* Button() const;
        // The command item of the button's command, NULL for none.
        CExtCmdItem* CmdItem() const;
        void ApplyCheck(int nCheck);
    };

    CExtToolControlBar();
    ~CExtToolControlBar() override;

    // ---- buttons ----
    int GetButtonsCount() const { return (int)m_buttons.GetSize(); }
    CExtBarButton* GetButton(int nIndex) const;
    // The index of the button, -1 when it is not on this bar.
    int GetButtonIndex(const CExtBarButton* pButton) const;
    CExtBarContentExpandButton* GetChevron() const { return m_pChevron; }
    void RemoveAllButtons();
    // A button per id (0: a separator), then the chevron when the bar has one.
    bool SetButtons(const UINT* pIDs = NULL, int nCount = 0);
    // The buttons of a tool-bar resource, loaded into the bar's command profile.
    bool LoadToolBar(UINT nResourceID);
    // nPos -1 (or the count) puts the button at the end, before the chevron.
    bool InsertButton(int nPos = -1, UINT nCmdID = 0, bool bRecalc = true);
    // Inserts a button made by the caller (a variant); the bar owns it from now on, also when
    // the insertion fails.
    bool InsertSpecButton(int nPos, CExtBarButton* pButton, bool bRecalc = true);
    bool RemoveButton(int nIndex, bool bRecalc = true);
    UINT GetButtonCommand(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    bool IsChevronButton(int nIndex) const;
    void InvalidateButton(int nIndex);
    int GetVisibleButtonNext(int nFrom, bool bForward, bool bSkipDisabled) const;
    // The button whose text carries the access character (upper case), -1 for none.
    int FindButtonByMnemonic(TCHAR chUpper) const;
    int HitTestButtons(int x, int y, DWORD dwRequired, DWORD dwExcluded, bool bNearest) const;

    // ---- tracking (CExtToolControlBarTrack.cpp) ----
    static void CancelAllBarsTracking();
    // Before a button opens its menu: the open menu tree (another button's) is closed now and
    // every bar's tracking ends (the flag is cleared first: an old tree that ends while it is
    // set cancels the bars' tracking again, and with it the menu that opens next).
    static void CloseOpenMenus();
    // A menu tree can end without telling the bars (it was cancelled as a whole): a set
    // menu-tracking flag with no menu open ends the bars' tracking.
    static void SyncMenuTracking();
    static int TrackHelpModeInBars(CExtToolControlBar* pBar);
    void SetTrackedButton(int nIndex);
    bool UpdateHover(int x = -1, int y = -1);
    void UpdateButtonCmdUI(int nIndex);
    // The owner-paint callback of a popup dropped from a button: the tracked button painted into
    // the popup where the two join (the cookie is the bar).
    static bool DrawTrackedArea(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea);

    // ---- own virtual operations ----
    virtual void GetButtonRect(int nIndex, RECT* pRect) const;
    virtual bool IsDisplayFirstSwitch() const { return g_bDisplayLargeIcons; }
    virtual bool IsDisplayToolTips() const { return g_bDisplayToolTips; }
    virtual bool IsDisplayThirdSwitch() const { return g_bDisplayTipShortcuts; }
    virtual CExtBarButton* CreateCommandButton(UINT nCmdID, UINT nStyle);
    virtual CExtBarButton* CreateChevronButton();
    virtual bool TrackButtonMenu(int nIndex, bool bSelectFirst = false, bool bPost = false);
    virtual void AdjustButtonsLayout();
    virtual CSize CalcCurrentLayoutSize(DWORD nMode, int nLength);
    virtual CSize CalcButtonsSize(bool bVertical);
    virtual void SizeButtons(int nLength, bool bVertFit = false);
    virtual int WrapButtonsHorizontally(int nWidth, int nHeight = 32767);
    virtual CSize GetButtonDefaultSize() const { return g_sizeDefaultButton; }
    // Docked bars break rows only when this answers true (a bar that wraps has nothing hidden).
    virtual bool IsDockedWrapEnabled() const { return false; }
    virtual CFont* GetBarFont(bool bVertical) const;
    virtual int HitTestButton(int x, int y) const { return HitTestButtons(x, y, 0, TBBS_SEPARATOR, false); }
    virtual CSize CalcMinimalSize(bool bHorz);
    bool IsPanelMode() const { return (m_nBarModeFlags & modePanel) != 0; }
    // Horizontal (docked at the top or bottom, or floating in a row).
    bool IsHorizontalBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The line-break set the bar uses now (2 in a dialog, without a window or floating; 1 docked
    // vertically; else 0).
    int GetWrapIndex() const;

    // ---- the control bar's operations ----
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;
    void DoPaint(CDC* pDC) override;
    void RecalcParentFrameLayout() override;
    CSize GetMinSize() const override;
    bool CanStretchAcrossRow() const override { return !IsPanelMode(); }
    DockPos_t* GetDockPosRecord() override { return &m_dockPos; }
    void SetDockPosRecord(const DockPos_t* pRecord) override;
    // a tool bar moves for real while it is dragged
    bool IsShowContentWhileDragging() const override { return true; }
    void SetCursorAtPoint(const POINT* pptClient) override;
    int HitTestItem(CPoint point) const override;
    bool OnMouseClickEvent(UINT nFlags, int x, int y) override;
    BarKind QueryBarKind() const override { return kindToolBar; }
    CObject* QueryMenuTrackingButton() const override;

    // ---- process-wide ----
    // True while a tool-bar button's menu is open (also the bars' menu-tracking flag).
    static bool g_bMenuTracking;
    // CancelAllBarsTracking calls so far (read by tests of the callers).
    static int g_nCancelAllBarsTrackingCalls;
    static CSize g_sizeDefaultButton;          // 23 by 22
    static bool g_bDisplayLargeIcons;          // icons at double size (off)
    static bool g_bDisplayToolTips;            // tool tips (on)
    static bool g_bDisplayTipShortcuts;        // the shortcut in tool tips (off)
    static const UINT g_nMsgTrackButtonMenu;   // wParam: the button's index
    // Sent to a button's control window to open its menu (wParam the button, lParam 1: select
    // the first item).
    static const UINT g_nMsgContinueTrackMenu;

    enum : BYTE { modeReduced = 0x01, modePanel = 0x02 };

    // The button whose menu is open, the button pressed (capture held) and the button under the
    // mouse; -1 for none.
    int m_nBtnIdxMenuTracking;
    int m_nBtnIdxCapture;
    int m_nBtnIdxHover;
    BYTE m_nBarModeFlags;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    LRESULT OnTrackButtonMenu(int nIndex);
    // Ends a press or hover without a click (the bar is going or lost the capture).
    void EndPress();
    // The layout records of the buttons (without the chevron), measured in the bar's font.
    std::vector<ExtToolBarLayout::Item> MeasureItems(CDC& dc, bool bHorz);
    ExtToolBarLayout::Frame LayoutFrame() const;
    int RowGap();
    CSize DockedNcExtents(bool bHorz);
    bool IsSeparatorBeforeHidden(int nIndex) const;
    // A button is being pressed: Esc ends the press (keyboard hook of the bar's thread).
    void HookEscape(bool bOn);
    static LRESULT CALLBACK EscapeHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    CExtBarContentExpandButton* m_pChevron;
    CArray<CExtBarButton*, CExtBarButton*> m_buttons;
    DockPos_t m_dockPos;

    friend class CExtBarButton;
    friend class CExtBarContentExpandButton;
};
