// What a dockable bar remembers between docking and floating: the dock bar and rectangle it
// had when it last left a side, and the style and place of its last floating frame.
// ToggleDocking (a double click on a bar or on its mini frame's caption) moves the bar from one
// to the other.
#pragma once
#include <afxwin.h>

class CControlBar;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // A docked bar floats where it floated last; a floating bar docks where it was docked last.
    virtual void ToggleDocking();

    // ---- Dragging and sizing with the mouse (a bar that does not move or size itself) ----
    // The simplest form: the mouse is followed without an outline until the left button goes up
    // (Esc, the right button, a lost capture or a quit cancel). A drag then moves a floating
    // bar's mini frame by what the mouse moved, and floats a docked bar at its own place moved
    // by that much; it never docks a bar. A resize from a floating bar's border (nHitTest
    // HTLEFT ... HTBOTTOMRIGHT) asks the bar for its new floating size (CalcDynamicLayout with
    // LM_COMMIT) along the dragged edge and lays its mini frame out; it does nothing to a docked
    // bar. Both answer whether the mouse ended the gesture (not a cancel).
    virtual BOOL StartDrag(CPoint pt);
    virtual BOOL StartResize(int nHitTest, CPoint pt);

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    UINT m_uMRUDockID;        // the dock bar the bar last left (0: none yet)
    CRect m_rectMRUDockPos;   // its window rectangle there (screen)
    DWORD m_dwMRUFloatStyle;  // CBRS_ALIGN_... of its last floating frame
    CPoint m_ptMRUFloatPos;   // top-left corner of its last floating frame (screen)
};
