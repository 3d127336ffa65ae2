// The dock bar inside a container bar (CExtDynControlBar). It carries the container's control id,
// which sets how its bars stand: AFX_IDW_DOCKBAR_TOP or _BOTTOM left to right in rows stacked
// downward, any other side top to bottom in columns stacked rightward, whatever side the
// container itself is docked on. It leaves the frame's list of bars on its first WM_SIZE (the
// container places it, not the frame), shares the container's size among its rows and bars
// (ExtContainerRows), and dissolves the container when one bar or none is left in it.
#pragma once
#include "CExtDockBar.h"
#include "ExtContainerRows.h"

class CExtDynControlBar;

class CExtDockDynBar : public CExtDockBar {
    DECLARE_DYNCREATE(CExtDockDynBar)
public:
    CExtDockDynBar();

    // Whether the bars stand in rows (top/bottom id) rather than columns.
    bool IsHorzInner() const { return IsHorzSide((UINT)GetDlgCtrlID()); }
    // The container this dock bar is inside (its parent window), NULL when none.
    CExtDynControlBar* GetContainer() const;
    // The rows of visible bars with their docked and minimum extents.
    ExtContainerRows::RowList BuildRowList() const;
    // Every docked bar (no placeholders) in array order.
    virtual void CollectDockedBars(CArray<CExtControlBar*, CExtControlBar*>& arr) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    bool LockLayout(bool bLock) override;
    void RecalcNestedLayout() override;
    void CompactNestedContainers() override;
    BarKind QueryBarKind() const override { return kindDockBar; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    bool m_bOutOfFrameList = false;

private:
    bool m_bInNestedLayout = false;
    void Dissolve(CControlBar* pLastBar);
};
