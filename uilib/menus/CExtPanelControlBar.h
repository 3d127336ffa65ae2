// A dockable bar that hosts one child window (the bar window's first child) instead of buttons.
// It is a tool bar in panel mode (no chevron, nothing hidden): its size is the child's window
// size plus fixed margins (5 pixels on every side), and the child stays at the top-left corner
// inside the margins, keeping its own size when the bar is resized.
#pragma once
#include "CExtToolControlBar.h"

class CExtPanelControlBar : public CExtToolControlBar {
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    CExtPanelControlBar();
    ~CExtPanelControlBar() override;

    // ---- own virtual operations ----
    // The child's size plus the left and right, top and bottom margins.
    virtual CSize CalcPanelSize() const;
    virtual RECT GetMargins() const { return m_rcMargins; }
    // nMode: 1 docked horizontally, 2 docked vertically, 0 floating; every mode has one size.
    virtual CSize CalcPanelSizeForMode(int nMode) const;
    // Moves the child to the client's top-left corner inside the margins (its size kept).
    virtual void RepositionChild(bool bRepaint = true);
    // The child's window size; (0, 0) without a bar window or child.
    virtual CSize GetChildSize() const;

    // ---- the tool bar's and control bar's operations ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcCurrentLayoutSize(DWORD nMode, int nLength) override;
    int GetMinExtentHorz() const override;
    int GetMinExtentVert() const override;
    CSize GetFloatingMinTrackSize() const override;
    CSize CalcMinimalSize(bool bHorz) override;
    bool CanStretchAcrossRow() const override { return false; }
    int HitTestItem(CPoint point) const override { return CExtControlBar::HitTestItem(point); }
    bool IsDockedWrapEnabled() const override { return false; }
    // The child keeps its own size: the control bar's fitting of a single child to the client
    // area does not apply here (RepositionChild only moves it).
    void FitSingleChild(int cx = -1, int cy = -1, bool bRepaint = true) override;
    BarKind QueryBarKind() const override { return kindPanelBar; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // left, top, right, bottom
    RECT m_rcMargins;

protected:
    HWND GetChildHwnd() const;
    void OnPaint();
};
