// The drop zones of a dragged resizable bar as functions over rectangles (screen coordinates):
// the splits beside a floating or a docked bar, the outer ring just inside the frame's outer
// dock bars, the inner ring along the view's edges, and the rectangle of a floating drop. The
// control bar gathers the rectangles from its windows and asks these (CExtControlBarDropTarget.cpp).
#pragma once
#include <afxwin.h>

namespace ExtDropZones {

// A zone's answer: the drop kind (CExtControlBar::DropKind; 0 none) and the rectangle the bar
// would take; bSplit for the splits.
struct Zone {
    DWORD nKind = 0;
    CRect rc = CRect(0, 0, 0, 0);
    bool bSplit = false;
};

// Sizes of the dragged bar that the zones need.
struct DraggedBar {
    DWORD dwDockStyle = 0;   // CBRS_ALIGN_ bits it may dock on
    int nMinW = 8, nMinH = 8;  // its minimal extents, at least 8
    int cyDockedH = 0;       // its thickness docked in a horizontal row
    int cxDockedV = 0;       // its thickness docked in a vertical column
};

// The four sides in search order (top, bottom, left, right): 0..3; whether the bar may dock there.
bool SideAllowed(DWORD dwDockStyle, int nSide);

// Beside a floating bar: R its mini frame's window, D its dock bar's window, tMin its minimum
// extents. The 32-pixel bands along R's edges split R in halves.
Zone SplitBesideFloating(CPoint pt, const CRect& R, const CRect& D, const DraggedBar& bar, CSize tMin);
// Beside a docked bar: R its window. bTargetHorz: it lies in a horizontal row (or floats);
// bLive: the drag shows the content. A bar taller (wider) than 64 at its minimum gets no split
// above or below (left or right).
Zone SplitBesideDocked(CPoint pt, const CRect& R, const DraggedBar& bar, CSize tMin, bool bTargetHorz, bool bLive);
// The outer ring: C the area inside the frame's outer dock bars. Bands 16 pixels deep inside C
// plus 12 beyond it.
Zone OuterRing(CPoint pt, const CRect& C, const DraggedBar& bar);
// The inner ring: V the view's rectangle. Bands 12 pixels deep inside V; the rectangle is at most
// three quarters of V across. nSkipSides: bit s set leaves side s out.
Zone InnerRing(CPoint pt, const CRect& V, const DraggedBar& bar, UINT nSkipSides = 0);
// The side (0..3) of a drop kind 1-25 (-1 for 0 and 13).
int SideOfKind(DWORD nKind);

// The rectangle stored for a floating drop (kind 0), F the dock site's window. A floating bar:
// its mini frame's size at the pointer less the grab offset, less (d, d / 2) for d the smaller
// side of its caption. A docked bar: its floating size at the pointer less the grab offset. The
// stored rectangle carries F's top-left; FloatingOrigin takes it back.
CRect FloatingRect(CPoint pt, bool bFloating, const CRect& rcMiniFrame, CSize sizeFloating, CPoint ptGrab,
                   const CRect& rcGrip, const CRect& F);
CPoint FloatingOrigin(const CRect& rcStored, const CRect& F);

}  // namespace ExtDropZones
