// The dock bar of circle 0 on each side of a frame: the one along the frame's edge, which holds
// the tool bars and the menu bar. FrameEnableDocking puts one on each side in place of the
// framework's dock bar. For now it lays its rows out as a plain CExtDockBar does; the tool-bar
// row layout (bars pushed together and shrunk before anything wraps) comes with the tool-bar
// drag layer. It forwards system colour, setting, display and theme changes to the painter and
// the command manager, which act for their designated forwarding window only.
#pragma once
#include "CExtDockBar.h"

class CExtDockOuterBar : public CExtDockBar {
    DECLARE_DYNCREATE(CExtDockOuterBar)
public:
    CExtDockOuterBar();

    // Lets the bar's docking-position record follow where it lies in its row.
    virtual void SyncBarDockPos(CControlBar* pBar);
    // Asks the frame for a layout at the next idle time (a tool bar whose size changed calls it).
    virtual void ScheduleFrameRelayout();

    BarKind QueryBarKind() const override { return kindOuterDockBar; }

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
