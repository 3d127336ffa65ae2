// A container bar: when the user docks a resizable bar onto another one, the two share one place
// in the dock bar through a container, which holds them in its own dock bar (CExtDockDynBar) in
// rows side by side. The container has no gripper or caption of its own, is never listed in the
// bars menu, and goes (its last bar taking its place and size) when one bar or none is left.
// Containers nest. It deletes itself when its window goes.
#pragma once
#include "CExtControlBar.h"

class CExtDockDynBar;

class CExtDynControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtDynControlBar)
public:
    CExtDynControlBar();
    ~CExtDynControlBar() override;

    CExtDockDynBar* GetInnerDockBar() const { return m_pDockBarInner; }

    // The smallest size of the container: its rows' minimum sizes (cx the horizontal extent,
    // cy the vertical one).
    virtual void GetMinimumSize(CSize& size) const;
    virtual CExtDockDynBar* CreateInnerDockBar();

    int GetMinExtentHorz() const override;
    int GetMinExtentVert() const override;
    CSize GetFloatingMinTrackSize() const override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    CExtDockDynBar* m_pDockBarInner = NULL;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
