// The library's dock bar: holds docked control bars in rows (the framework's m_arrBars model,
// see ExtDockRows.h), lays the rows out, and takes its share of the frame's client area.
//
// Dock bars form concentric circles round the frame's view. Circle 0 is each side's
// CExtDockOuterBar (tool bars, the menu bar); circles 1, 2, ... are plain CExtDockBars made on
// demand for resizable bars, each inside the one before. All dock bars of a side carry the
// side's id (AFX_IDW_DOCKBAR_TOP ...) and are told apart by their circle number; each knows its
// outer and inner neighbour. The frame lays its bars out in z-order, so the inner circles are
// kept after the outer ones.
#pragma once
#include <afxwin.h>
#include <afxdocking.h>
#include "ExtBarPaintQuery.h"

class CExtControlBar;

class CExtDockBar : public CDockBar, public IExtBarPaintQuery {
    DECLARE_DYNCREATE(CExtDockBar)
public:
    explicit CExtDockBar(UINT nCircleNo = 0);
    ~CExtDockBar() override;

    static bool RegisterDockBarClass();

    // ---- Own virtual operations ----
    // Sets or clears the layout lock; answers the previous state.
    virtual bool LockLayout(bool bLock);
    virtual void RecalcNestedLayout();
    virtual void CompactNestedContainers();

    bool IsLayoutLocked() const { return m_bLockedLayout; }
    UINT GetCircleNo() const { return m_nCircleNo; }
    CExtDockBar* GetOuterNeighbour() const { return m_pDockBarOuter; }
    CExtDockBar* GetInnerNeighbour() const { return m_pDockBarInner; }
    const CRect& GetInnerEdge() const { return m_rcLastInvisiblePreCalc; }
    bool IsEmpty() const;

    // ---- Docking and removal ----
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL) override;
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect, bool bApplyRect);
    void DockControlBarInRow(CControlBar* pAnchor, CControlBar* pBar, bool bBefore);
    void DockControlBarAtEdge(CControlBar* pBar, bool bInnerSide);
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0) override;
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool bDelayFrameLayout);
    bool RemovePlaceholder(CControlBar* pBar, bool bSearchFrame, bool* pbFound = NULL);
    bool RemovePlaceholder(UINT nID, bool bSearchFrame, bool* pbFound = NULL);
    // Lets every docked bar go before the window goes: bars outlive their dock bar.
    void ReleaseDockedBars();

    // ---- Circles ----
    CExtDockBar* FindDockBar(UINT nDockBarID, bool bCreate);
    static CExtDockBar* FindFrameDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate);
    UINT GetInnerCircleNo();
    CExtDockBar* GetCircleDockBar(UINT nCircleNo);
    // Adds a circle inside the innermost one on all four sides; answers its number (0: failed).
    static UINT CreateInnerCircle(CFrameWnd* pFrame);
    // Makes circle nCircleNo empty on all four sides, moving the circles from there inward.
    static void InsertCircle(CFrameWnd* pFrame, UINT nCircleNo);
    void InsertCircleInside() { InsertCircle(GetParentFrame(), m_nCircleNo + 1); }
    // Removes the empty circles of the frame and dissolves spent containers.
    void CompactFrameCircles();
    static void CompactFrameCircles(CFrameWnd* pFrame);
    // The frame's outermost dock bar of a side (circle 0), NULL when none.
    static CExtDockBar* GetOuterDockBar(CFrameWnd* pFrame, UINT nDockBarID);

    // ---- Layout ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- IExtBarPaintQuery ----
    BarKind QueryBarKind() const override { return kindDockBar; }
    bool QueryDockedHorizontally() const override { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    bool QueryDockedVertically() const override { return (m_dwStyle & CBRS_ORIENT_VERT) != 0; }
    bool QueryDocked() const override { return !m_bFloating; }
    bool QueryFloating() const override { return m_bFloating != FALSE; }
    CWnd* QueryDockSite() const override { return m_pDockSite; }
    DWORD QueryBarStyle() const override { return m_dwStyle; }
    DWORD QueryPaintOptOuts() const override { return 0; }
    CObject* QueryMenuTrackingButton() const override { return NULL; }

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL DestroyWindow() override;
    void DoPaint(CDC* pDC) override;

    // Side helpers: the alignment of a side id, and whether it lies along x.
    static DWORD AlignOfSide(UINT nDockBarID);
    static bool IsHorzSide(UINT nDockBarID) { return nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM; }
    // The four sides in the order they are searched: top, bottom, left, right.
    static const UINT g_arrSides[4];

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Puts pBar into this window and this dock bar's style (hidden first when it comes from
    // elsewhere and is visible; answers whether it was hidden).
    bool AdoptBar(CControlBar* pBar);
    // Takes pBar out of its former dock bar (not this one).
    void LeaveFormerDockBar(CControlBar* pBar, CDockBar* pFormer, bool bDelayLayout);
    void ScheduleFrameLayout();

protected:
    // The frame of CalcFixedLayout's row layout: the base's fixed size, stretched along the side
    // when asked, and a deferred positioning of the bars unless it only measures; then the
    // positions applied, the size grown to the rows' extent (x and y; the length only when not
    // stretched) and the nested dock bars laid out.
    CSize BeginFixedLayout(BOOL bStretch, BOOL bHorz, HDWP& hDWP);
    CSize EndFixedLayout(HDWP hDWP, CSize sizeFixed, const CSize& sizeContent, BOOL bStretch, BOOL bHorz);
    // The length the rows may take: the layout rectangle's, else the parent's client area's.
    int AvailableLength(bool bHorz) const;
    // Carries out a bar's delayed show or hide within the layout's deferred positioning (the
    // framework's handler needs the layout record: a null one is dereferenced).
    static void DelayShowNow(CControlBar* pBar, HDWP& hDWP);

private:
    // Unlinks this dock bar from its chain.
    void UnlinkCircle();
    // Creates one dock bar of circle nCircleNo on the frame's side, linked inside pOuter.
    static CExtDockBar* CreateCircleDockBar(CFrameWnd* pFrame, UINT nDockBarID, UINT nCircleNo,
                                            CExtDockBar* pOuter, CWnd* pInsertAfter);

    bool m_bLockedLayout = false;
    UINT m_nCircleNo;
    CExtDockBar* m_pDockBarOuter = NULL;
    CExtDockBar* m_pDockBarInner = NULL;
    CRect m_rcLastInvisiblePreCalc;   // the inner edge, screen coordinates
    bool m_bInDynamicLayoutUpdate = false;

    friend class CExtControlBar;
};
