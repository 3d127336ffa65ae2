// The library's floating frame for control bars: a mini frame that holds one dock bar (a
// CExtDockBar) with the floating bars in it, drawn and driven by the library instead of the
// system. It is made without a system caption or sizing frame; it computes its own small caption
// and borders, paints them through the current look (caption text, gripper, the hosted bar's
// caption buttons, or a close button of its own when the hosted bar is not one of the library's),
// hit-tests them, resizes itself in its own modal loop, starts drags of the hosted bar from its
// caption, keeps its caption on the work area of its monitor, and shows the hosted bar's tips.
//
// CExtControlBar::FrameEnableDocking makes it the floating-frame class of a frame, so the
// framework makes one whenever a bar floats; the bar-state archive makes it directly for the
// containers that float.
#pragma once
#include <afxwin.h>
#include <afxdocking.h>
#include <CToolTipCtrl.h>
#include "CExtMouseCaptureSink.h"

class CExtControlBar;

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd, public CExtMouseCaptureSink {
    DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
    CExtMiniDockFrameWnd();
    ~CExtMiniDockFrameWnd() override;

    // A popup owned by pParent, made without a system caption or sizing frame; its dock bar is
    // a CExtDockBar. Timer 1 and the tool tip control start here.
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    CDockBar* CreateDockBar() override;

    // The client rectangle grown by the frame's own borders and caption.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The hosted bar: the first child window of the frame's dock bar (NULL when none), and the
    // same bar when it is one of the library's.
    CControlBar* GetHostedBar() const;
    CExtControlBar* GetHostedExtBar() const;
    // Window coordinates (relative to the window's top-left corner).
    const CRect& GetCaptionRect() const { return m_rcCaption; }
    const CRect& GetOwnCloseButtonRect() const { return m_rcBtnClose; }
    bool IsOwnCloseButtonHover() const { return m_bBtnCloseHover; }
    // The border being dragged (HTLEFT ... HTBOTTOMRIGHT), 0 when not resizing.
    UINT GetResizingHitCode() const { return m_nResizingHT; }

    // The frame's resize loop from a border (nHitTest 10-17) at a screen point, and its end.
    void ResizingStart(UINT nHitTest, const CPoint& point);
    void ResizingStop();
    // One step of the resize loop at a screen point.
    void ResizingStep(const CPoint& point);

    // ---- The frame's geometry as functions (window rectangles in screen coordinates) ----
    // The hit code of a point: borders and corners cx/cy thick, a caption h high; the left
    // corner zones of the top and bottom edges are h wide, the right ones cy wide; 0 outside.
    static UINT HitTestFrame(const CRect& rcWindow, const CPoint& pt, int cx, int cy, int h);
    // The hit code a bar turns a border code into: a fixed-size bar has no corners; a bar whose
    // frame must not be sized makes every border a caption.
    static UINT FilterHitCode(UINT nHitTest, bool bFixedSize, bool bNoResize);
    // The rectangle of one resize step: the dragged edges follow the point, never crossing the
    // opposite edge, and keep at least sizeMin (by moving the right or bottom edge, shifted back
    // when a dragged left or top edge would move the other past its start). A fixed-size bar
    // resizes only from the right or bottom: corners become edges and a left (top) drag is
    // mirrored onto the right (bottom) edge, so the frame grows away from its top-left corner.
    // *pnHitUsed receives the code the step used.
    static CRect CalcResizeRect(const CRect& rcStart, UINT nHitTest, const CPoint& pt, const CSize& sizeMin,
                                bool bFixedSize, UINT* pnHitUsed = NULL);
    // The top a frame at rcWindow takes to keep its caption (h high) on the work area.
    static int KeepCaptionOnArea(const CRect& rcWindow, const CRect& rcWorkArea, int h);

    // The work area of the monitor the window is on.
    static CRect WorkAreaOf(HWND hWnd);

protected:
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    DECLARE_MESSAGE_MAP()

    // Takes WS_CAPTION, the sizing frames and the system's edge styles off the window when any
    // is there; answers whether it changed anything.
    bool StripSystemFrame(bool bApplyNow);
    // The hover state of the own close button at a screen point (a hosted library bar hit-tests
    // its caption buttons instead).
    void UpdateOwnCloseHover(const CPoint& ptScreen);
    // Paints what is waiting to be painted of this window and its children now.
    void PaintNow();
    // Caption text: a container shows the text of its single visible bar.
    CString CaptionText() const;
    // The dock-site frame of the hosted bar (the frame that owns this one).
    CFrameWnd* GetDockSite() const;

public:
    CToolTipCtrl m_wndToolTip;
    CRect m_rcBtnClose;        // own close button, window coordinates
    bool m_bBtnCloseHover;
    CRect m_rcCaption;         // window coordinates
    CPoint m_ptResizingLast;   // (-1, -1): none
    UINT m_nResizingHT;        // 0: not resizing
    CRect m_rcResizingStart;   // window rectangle at the start of the resize
    CPoint m_ptResizingStart;  // where the mouse took the border (screen)
};
