// The dock bar of circle 0 on each side of a frame: the one along the frame's edge, which holds
// the tool bars and the menu bar. FrameEnableDocking puts one on each side in place of the
// framework's dock bar.
//
// Its rows are tool-bar rows (ExtOuterRows): the bars of a row keep where the user put them
// while there is room, close up and shrink from the last one backwards when the row is short,
// and wrap into a further (visual) row only when their minimum lengths do not fit; room that
// comes back goes first to the bar the user moved last; bars that allow it take the row's
// largest thickness. A tool bar whose size changed asks for a frame layout through
// ScheduleFrameRelayout, which runs it at once when it can and otherwise retries on timer 901
// (or, while the frame is hidden, as soon as it is shown).
//
// It also forwards system colour, setting, display and theme changes to the painter and the
// command manager, which act for their designated forwarding window only.
#pragma once
#include "CExtDockBar.h"

class CExtDockOuterBar : public CExtDockBar {
    DECLARE_DYNCREATE(CExtDockOuterBar)
public:
    CExtDockOuterBar();
    ~CExtDockOuterBar() override;

    enum { kRelayoutTimerId = 901 };

    // Lets the bar's docking-position record follow where it lies in its row.
    virtual void SyncBarDockPos(CControlBar* pBar);
    // Asks the frame's first outer dock bar to lay the frame out again: now when it can, else
    // as soon as it can. Never dropped.
    virtual void ScheduleFrameRelayout();
    // Makes the bar first in its row's order (it gets its preferred length back first).
    void PromoteBar(CControlBar* pBar);
    // Moves a bar along its row by nDelta pixels (the user slid it); *pbFull: the row was full.
    void SlideBarInRow(CControlBar* pBar, int nDelta, bool* pbFull = NULL);
    // Moves a bar into the row of arrRowBars at its position shifted by nDelta; false when that
    // row has no room or no place for it.
    bool MoveBarToRow(CControlBar* pBar, const CArray<CControlBar*, CControlBar*>& arrRowBars, int nDelta);

    bool IsRelayoutPending() const { return m_bRelayoutPending; }
    // A relayout waits for the frame to be shown (no timer runs meanwhile).
    bool IsRelayoutWaitingForShow() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    BarKind QueryBarKind() const override { return kindOuterDockBar; }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    enum class Attempt { done, busy, hidden };
    void StartRelayout();
    Attempt TryRelayout();
    // One attempt; done ends the pending relayout, else the wait for the next one starts.
    void RelayoutOrWait();
    // The frame laid out: the dock site, else the parent frame.
    CFrameWnd* RelayoutFrame();
    // After a failed attempt: a timer while the frame is busy, the frame's show while it is hidden.
    void WaitForRelayout(Attempt why);
    void StopWaiting();
    // The array range [nStart, nEnd) of pBar's row, false when the bar is not here.
    bool FindRowOf(CControlBar* pBar, int& nStart, int& nEnd) const;

    bool m_bRelayoutPending = false;
    bool m_bRelayoutRunning = false;
};
