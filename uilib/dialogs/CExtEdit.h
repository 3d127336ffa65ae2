// The UI library's edit: the edit base (library context menu and edit commands) with a border
// drawn by the current painter that lights up while the pointer is over the edit or the edit has
// the focus. Hover is followed by a 50 ms timer that compares the cursor with the window.
#pragma once
#include "CExtEditBase.h"

class CExtEdit : public CExtEditBase {
    DECLARE_DYNCREATE(CExtEdit)
public:
    enum : BYTE {
        STATE_HOVER = 0x01,
        STATE_TIMER = 0x02,   // the hover timer runs
    };
    enum : UINT { HOVER_TIMER_ID = 1, HOVER_TIMER_PERIOD = 50 };

    CExtEdit();
    ~CExtEdit() override;

    BYTE m_nEditState;

    bool IsHover() const { return (m_nEditState & STATE_HOVER) != 0; }
    bool IsHoverTimerRunning() const { return (m_nEditState & STATE_TIMER) != 0; }

    // Redraws the window with its border.
    virtual void RepaintFrame();
    // Paints the border around rc (window coordinates) into pDC, or into the window's own DC.
    virtual void PaintFrame(CRect rc, CDC* pDC);
    virtual bool IsControlEnabled();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

    // Stops the hover timer and clears hover (repainting the border when bRepaint and it changed).
    void StopHoverTracking(bool bRepaint);
};
