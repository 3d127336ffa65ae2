// A dock bar: the strip along one side of a frame (or the inside of a floating mini frame) that
// holds control bars in rows.
//
// m_arrBars lists the rows: entry 0 is always NULL, each row is a run of entries ended by NULL,
// and the array ends with NULL (so an empty dock bar is { NULL }). An entry is a bar, or a
// placeholder: the control id (below 0x10000) of a bar that floats for now and comes back to
// this place. No operation leaves an empty row (two NULLs in a row) behind.
//
// Layout: rows run along the side (left to right on top and bottom, top to bottom on the left
// and right) and stack away from the frame's edge. A bar keeps its place along its row unless
// the bar before it pushes it on or the row's end pushes it back; a floating dock bar packs its
// bars tightly. DockControlBar and RemoveControlBar are virtual so that a derived dock bar can
// change how bars come and go.
#pragma once
#include "CControlBar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNCREATE(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // A child of pParentWnd with a side style (CBRS_ALIGN_...) and one of the AFX_IDW_DOCKBAR_ ids.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Takes pBar in: at lpRect (screen; into the row under its middle, or a new row there), in
    // the place its placeholder kept, or as a new last row. The bar leaves its former dock bar
    // (a docked bar that floats away leaves a placeholder there).
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes pBar out (the entry at nPosExclude is left alone); nAddPlaceHolder non-zero leaves
    // its id in its place. A floating dock bar hides its mini frame when no bar in it is
    // visible and destroys it when no bar is left. Answers whether the bar was here.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Removes the placeholder of pBar's id, if there is one.
    void RemovePlaceHolder(CControlBar* pBar);
    // Only the array: drops pBar's entry (and the empty row that leaves). For a bar whose window goes.
    BOOL RemoveBarEntry(CControlBar* pBar);

    // Puts pBar into the array by ptMid (client coordinates of this dock bar); answers its index.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    // The index of pBar (other than nPosExclude), -1 when it is not here.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bar at nPos; NULL for row ends and placeholders.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Shows or hides every bar in it.
    void ShowAll(BOOL bShow);

    // The array as ids (0 row end, id a bar, id | 0x10000 a placeholder), and back: the bars
    // named are taken in from wherever they are.
    void GetBarIDs(CPtrArray& arrBarID) const;
    void SetBarIDs(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd);

    BOOL IsDockBar() const override { return TRUE; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    BOOL m_bFloating;     // the dock bar of a mini frame
    BOOL m_bLayoutQuery;  // the layout measures only and moves nothing
    CRect m_rectLayout;   // the room the layout may use; empty: the parent's client area
    CPtrArray m_arrBars;  // the rows (above)

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // After a bar came or went: the mini frame shows, hides or goes; a side dock bar asks its
    // frame for a new layout.
    void OnBarsChanged();
    // Drops the NULL at nPos when it makes an empty row with the one before it.
    void RemoveEmptyRow(int nPos);
    // The rectangle (client coordinates) of the visible bar at nPos other than pBarSkip.
    BOOL GetVisibleBarRect(int nPos, const CControlBar* pBarSkip, CRect& rect) const;
};

// Placeholders in m_arrBars hold a control id instead of a bar.
inline BOOL AfxIsPlaceHolder(const void* pEntry)
{
    return pEntry != NULL && (UINT_PTR)pEntry < 0x10000;
}

// The side dock bars: their ids and styles, in the order EnableDocking makes them.
extern const DWORD dwDockBarMap[4][2];
