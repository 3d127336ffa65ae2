#include "ExtBarNcGeometry.h"
#include <afxdocking.h>
#include <algorithm>

namespace ExtBarNcGeometry {

Edges SplitterEdges(UINT nDockBarID, UINT nCircle, bool bInContainer, const RowPosition& pos) {
    Edges e;
    const bool bHorzSide = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
    if (bInContainer) {
        if (bHorzSide) {
            e.bTop = pos.bEarlierRows;
            e.bBottom = pos.bLaterRows;
            e.bLeft = !pos.bFirstInRow;
            e.bRight = !pos.bLastInRow;
        } else {
            e.bLeft = pos.bEarlierRows;
            e.bRight = pos.bLaterRows;
            e.bTop = !pos.bFirstInRow;
            e.bBottom = !pos.bLastInRow;
        }
        return e;
    }
    if (nCircle < 1)
        return e;
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        e.bTop = pos.bEarlierRows;
        e.bLeft = !pos.bFirstInRow;
        e.bRight = !pos.bLastInRow;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        e.bBottom = pos.bLaterRows;
        e.bLeft = !pos.bFirstInRow;
        e.bRight = !pos.bLastInRow;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        e.bLeft = pos.bEarlierRows;
        e.bTop = !pos.bFirstInRow;
        e.bBottom = !pos.bLastInRow;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        e.bRight = pos.bLaterRows;
        e.bTop = !pos.bFirstInRow;
        e.bBottom = !pos.bLastInRow;
        break;
    }
    return e;
}

NcLayout CalcDockedNcLayout(const NcInput& in) {
    NcLayout out;
    CRect rc(in.rcWindow);
    const int nWidth = in.rcWindow.Width(), nHeight = in.rcWindow.Height();
    out.nMinHorz = in.nSeparatorAlong;
    out.nMinVert = in.nSeparatorAcross;
    CPoint ptOffset(0, 0);   // where the caption moves when strips go at its start
    const bool bHorzRow = in.nDockBarID == AFX_IDW_DOCKBAR_TOP || in.nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
    if (!in.bFixedSize) {
        if (bHorzRow) {
            if (in.edges.bRight) {
                out.rcColumnSplitter.SetRect(rc.right - in.nSeparatorAlong, rc.top, rc.right, rc.bottom);
                rc.right -= in.nSeparatorAlong;
            }
            if (in.nDockBarID == AFX_IDW_DOCKBAR_TOP && in.edges.bBottom) {
                out.rcRowSplitter.SetRect(0, rc.bottom - in.nSeparatorAcross, nWidth, rc.bottom);
                rc.bottom -= in.nSeparatorAcross;
            } else if (in.nDockBarID == AFX_IDW_DOCKBAR_BOTTOM && in.edges.bTop) {
                out.rcRowSplitter.SetRect(0, rc.top, nWidth, rc.top + in.nSeparatorAcross);
                rc.top += in.nSeparatorAcross;
                ptOffset.y += in.nSeparatorAcross;
            }
        } else {
            if (in.edges.bBottom) {
                out.rcColumnSplitter.SetRect(rc.left, rc.bottom - in.nSeparatorAcross, rc.right, rc.bottom);
                rc.bottom -= in.nSeparatorAcross;
            }
            if (in.nDockBarID == AFX_IDW_DOCKBAR_LEFT && in.edges.bRight) {
                rc.right -= in.nSeparatorAcross;
                out.rcRowSplitter.SetRect(nWidth - in.nSeparatorAlong, 0, nWidth, nHeight);
            } else if (in.nDockBarID == AFX_IDW_DOCKBAR_RIGHT && in.edges.bLeft) {
                rc.left += in.nSeparatorAcross;
                out.rcRowSplitter.SetRect(0, 0, in.nSeparatorAlong, nHeight);
                ptOffset.x += in.nSeparatorAlong;
            }
        }
        if (in.bLeadingSplitter) {
            if (bHorzRow) {
                out.rcLeadingSplitter.SetRect(rc.left, rc.top, rc.left + in.nSeparatorAlong, rc.bottom);
                rc.left += in.nSeparatorAlong;
                ptOffset.x += in.nSeparatorAlong;
            } else {
                out.rcLeadingSplitter.SetRect(rc.left, rc.top, rc.right, rc.top + in.nSeparatorAlong);
                rc.top += in.nSeparatorAcross;
                ptOffset.y += in.nSeparatorAcross;
            }
        }
    }
    if (in.bCaption) {
        CRect rcCaption(0, 0, rc.Width(), rc.Height());
        if (in.bHorzCaption) {
            rcCaption.bottom = rcCaption.top + in.nCaptionHeight;
            out.nMinVert += rcCaption.Height();
            if (in.bFixedSize)
                rcCaption.DeflateRect(1, 0);
        } else {
            rcCaption.right = rcCaption.left + in.nCaptionHeight;
            out.nMinHorz += rcCaption.Width();
            if (in.bFixedSize)
                rcCaption.DeflateRect(0, 1);
        }
        rcCaption.OffsetRect(ptOffset);
        if (in.bFixedSize) {
            switch (in.nDockBarID) {
            case AFX_IDW_DOCKBAR_TOP: rcCaption.top++; break;
            case AFX_IDW_DOCKBAR_BOTTOM: rcCaption.bottom--; break;
            case AFX_IDW_DOCKBAR_LEFT: rcCaption.left++; break;
            case AFX_IDW_DOCKBAR_RIGHT: rcCaption.right--; break;
            }
        }
        out.rcCaption = rcCaption;
        if (in.bHorzCaption)
            rc.top += in.nCaptionHeight + 1;
        else
            rc.left += in.nGripperWidth + 1;
    }
    if (rc.bottom <= rc.top)
        rc.bottom = rc.top;
    if (rc.right <= rc.left)
        rc.right = rc.left;
    out.rcClient = rc;
    return out;
}

int RowThicknessAt(int d, int nSeparatorAcross, int nCurrent, bool bNearSide) {
    const int s = nSeparatorAcross / 2;
    return bNearSide ? d + s : s + nCurrent - d;
}

int ClampRowThickness(int nThickness, int nMin, int nFrameExtent) {
    nThickness = std::max(nThickness, 2 * nMin);
    return std::min(nThickness, nFrameExtent - nMin);
}

int ColumnLengthAt(int d, int nSeparator, int nLength, int nMin, bool bLeading) {
    const int s = nSeparator / 2;
    return std::max(bLeading ? nLength + s - d : d + s, nMin);
}

void ApplyColumnResize(int& nLength, int nMin, int& nNeighbour, int nNeighbourMin, int nDelta) {
    nNeighbour += nDelta;
    if (nNeighbour < nNeighbourMin) {
        nDelta += nNeighbourMin - nNeighbour;   // what the neighbour cannot give stays with the bar
        nNeighbour = nNeighbourMin;
    }
    nLength = std::max(nLength - nDelta, nMin);
}

}  // namespace ExtBarNcGeometry
