// The geometry of a control bar's frame and of its resizing, as functions over rectangles and
// numbers, so that the rules can be checked without windows: which edges of a docked bar carry
// a splitter, where the splitters, the caption and the client area lie, how far a row may be
// resized and how a column resize is shared with the neighbour.
#pragma once
#include <afxwin.h>

namespace ExtBarNcGeometry {

// The edges of a bar's rectangle that may carry a splitter.
struct Edges {
    bool bLeft = true, bTop = true, bRight = true, bBottom = true;
    bool operator==(const Edges& o) const {
        return bLeft == o.bLeft && bTop == o.bTop && bRight == o.bRight && bBottom == o.bBottom;
    }
};

// Where a bar sits in its dock bar.
struct RowPosition {
    bool bFirstInRow = true;     // no visible bar before it in its row
    bool bLastInRow = true;      // no visible bar after it in its row
    bool bEarlierRows = false;   // some visible bar in a row before its own
    bool bLaterRows = false;     // some visible bar in a row after its own
};

// Splitter edges of a resizable bar docked in a dock bar of side nDockBarID (AFX_IDW_DOCKBAR_*)
// and circle nCircle, or in a container's inner dock bar. Circle 0 (the outer dock bars) keeps
// every edge; in the circles round the view the edges toward the frame's outer edge and the
// row's ends go.
Edges SplitterEdges(UINT nDockBarID, UINT nCircle, bool bInContainer, const RowPosition& pos);

// What the non-client size calculation of a docked bar starts from.
struct NcInput {
    CRect rcWindow;              // the window at the origin: (0, 0, width, height)
    UINT nDockBarID = AFX_IDW_DOCKBAR_TOP;
    bool bFixedSize = false;     // then rcWindow is already deflated by the look
    Edges edges;
    bool bLeadingSplitter = false;
    bool bCaption = false;       // a caption or a side gripper
    bool bHorzCaption = true;    // across the top (else along the left side)
    int nCaptionHeight = 17;
    int nGripperWidth = 17;
    int nSeparatorAcross = 4;    // the row splitter's thickness
    int nSeparatorAlong = 4;     // the column splitter's thickness
};

// Rectangles relative to the window's top-left corner; empty when absent.
struct NcLayout {
    CRect rcClient;
    CRect rcCaption;
    CRect rcRowSplitter;
    CRect rcColumnSplitter;
    CRect rcLeadingSplitter;
    int nMinHorz = 0;            // minimal horizontal extent
    int nMinVert = 0;            // minimal vertical extent
};

NcLayout CalcDockedNcLayout(const NcInput& in);

// Row resizing: the thickness for the cursor at offset d from the bar window's top (left), the
// bar at the near side (top, left dock bar) or the far side (bottom, right).
int RowThicknessAt(int d, int nSeparatorAcross, int nCurrent, bool bNearSide);
// The thickness kept between twice the minimum and the frame's extent less the minimum.
int ClampRowThickness(int nThickness, int nMin, int nFrameExtent);

// Column resizing: the bar's length for the cursor at offset d from the bar window's left
// (top), with the leading or the trailing splitter, never below the minimum.
int ColumnLengthAt(int d, int nSeparator, int nLength, int nMin, bool bLeading);
// At the end of a column resize the neighbour gains nDelta (old length - new length), never
// going below its minimum, and the bar loses what the neighbour took.
void ApplyColumnResize(int& nLength, int nMin, int& nNeighbour, int nNeighbourMin, int nDelta);

}  // namespace ExtBarNcGeometry
