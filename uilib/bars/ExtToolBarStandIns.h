// Stand-ins of the tool bar, the menu bar and the panel bar, over the real control bar, until
// the menus layer brings the real classes under the same names. They are fixed-size bars that
// answer the row questions the dock bars ask of a tool bar (IsWholeRowBar, CanStretchAcrossRow,
// GetDockPosRecord), hold bar buttons for the painters, and measure themselves from a size a
// caller (or a test) sets.
#pragma once
#include "CExtControlBar.h"
#include "ExtBarStandIns.h"

class CExtToolControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtToolControlBar)
public:
    CExtToolControlBar();
    ~CExtToolControlBar() override;

    // The bar owns its buttons.
    void AddButton(CExtBarButton* pButton);
    CExtBarButton* GetButton(int nIndex) const;
    int GetButtonsCount() const { return (int)m_buttons.GetSize(); }
    // The button whose popup menu is dropped, -1 when none.
    int m_nBtnIdxMenuTracking = -1;
    // Painting opt-outs (value 2: keep the plain look).
    DWORD m_dwOwnFlags = 0;
    // The bar takes a row of its own; it keeps its length when its row is short of room.
    bool m_bOwnRow = false;
    bool m_bNoStretch = false;
    // The size the bar measures, docked in a horizontal row (cx along, cy across); docked in a
    // vertical column it is turned round.
    CSize m_sizeBar = CSize(100, 24);
    // The smallest size the bar shrinks to in a short row (cx along, cy across; turned round in
    // a column); (0, 0): it does not shrink.
    CSize m_sizeMinBar = CSize(0, 0);
    DockPos_t m_dockPos;

    bool IsWholeRowBar() const override { return m_bOwnRow; }
    // a tool bar moves for real while it is dragged
    bool IsShowContentWhileDragging() const override { return true; }
    bool CanStretchAcrossRow() const override { return !m_bNoStretch; }
    DockPos_t* GetDockPosRecord() override { return &m_dockPos; }
    void SetDockPosRecord(const DockPos_t* pRecord) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    CSize GetMinSize() const override;
    // The client area as the current look paints a tool bar's (the buttons come with the menus layer).
    void DoPaint(CDC* pDC) override;

    BarKind QueryBarKind() const override { return kindToolBar; }
    DWORD QueryPaintOptOuts() const override { return m_dwOwnFlags; }
    CExtBarButton* QueryMenuTrackingButton() const override { return GetButton(m_nBtnIdxMenuTracking); }

    // Ends button and menu tracking in every tool bar (the stand-in counts the calls and clears
    // the menu-tracking flag).
    static void CancelAllBarsTracking();
    static int g_nCancelAllBarsTrackingCalls;
    // Set while the tool bars track a menu: a button on a tool bar then opens its own menu when
    // the mouse moves over it.
    static bool g_bMenuTracking;
    // Sent to a button control to open its menu (lParam non-zero: select the first item).
    static const UINT g_nMsgContinueTrackMenu;

private:
    CTypedPtrArray<CPtrArray, CExtBarButton*> m_buttons;
};

class CExtMenuControlBar : public CExtToolControlBar {
    DECLARE_DYNCREATE(CExtMenuControlBar)
public:
    bool IsWholeRowBar() const override { return true; }
    BarKind QueryBarKind() const override { return kindMenuBar; }
};

class CExtPanelControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    CExtPanelControlBar();
    BarKind QueryBarKind() const override { return kindPanelBar; }
};
