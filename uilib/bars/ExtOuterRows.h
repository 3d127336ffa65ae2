// The tool-bar row layout of an outer dock bar, as functions over rectangles, so that the rules
// can be checked without windows. CExtDockOuterBar feeds it the bars of one row of its array
// and moves the bars to the rectangles it answers.
//
// What the user sees: the bars of a row keep the gaps the user left between them while there is
// room; when the row is short, the gaps close first, then the bars shrink from the last one
// backwards down to their minimum lengths, and only when the minimum lengths do not fit does a
// bar go down into a new (visual) row. Room that comes back goes to the bars in the order the
// user last moved them (order 1 first). Bars that allow it share the row's largest thickness.
#pragma once
#include <afxwin.h>
#include "CExtControlBar.h"
#include <vector>

namespace ExtOuterRows {

// One bar of the row under layout. Along, start, end and length are taken along the row,
// thickness across it.
struct Item {
    CSize sizeIdeal = CSize(0, 0);        // the bar's own size (a whole-row bar: the available length)
    CSize sizeMin = CSize(0, 0);          // the smallest size it takes
    CRect rcCurrent = CRect(0, 0, 0, 0);  // where it is now (dock-bar client coordinates)
    bool bResizable = false;              // a resizable control bar: never fitted into the row
    bool bStretch = false;                // takes the row's thickness (CanStretchAcrossRow)
    CExtControlBar::DockPos_t* pRecord = nullptr;  // the bar's docking-position record, if any
    CRect rcLayout = CRect(0, 0, 0, 0);   // the answer
};

struct Cursor {
    CPoint pt = CPoint(0, 0);          // where the next bar goes
    CSize sizeFixed = CSize(0, 0);     // the extent the rows laid out so far take
};

struct RowResult {
    int nRows = 1;       // visual rows the array row took
    bool bFull = false;  // the row had no room left (it wrapped, or its bars were packed to the end)
};

// Lays one row of the array out within nAvail along; moves the cursor down past the rows it
// took. Invisible bars are left out by the caller. bFloating: current starts are not kept.
RowResult LayoutRow(std::vector<Item>& items, int nAvail, bool bHorz, bool bFloating, Cursor& cursor);

// The item indices sorted by their records' order (ascending, stable); items that take no part
// follow in place order. With bAssign, records without an order get numbers after all others,
// empty preferred rectangles become the current one, and unset preferred lengths become the
// current length (never above the ideal). Without it, a record with order 0 or an empty
// preferred rectangle takes no part.
std::vector<int> OrderList(std::vector<Item>& items, int nFirst, int nLast, bool bHorz, bool bAssign);

// Fits items [nFirst, nLast] into nAvail: closes gaps, then shortens from the last one, then
// gives length back by order. Answers whether they fit; on failure the rectangles are unchanged.
bool FitRow(std::vector<Item>& items, int nFirst, int nLast, int nAvail, bool bHorz, bool* pbFull);

// Gives every stretchable item of [nFirst, nLast] the largest thickness among them (when there
// are at least two).
void EqualThickness(std::vector<Item>& items, int nFirst, int nLast, bool bHorz);

}  // namespace ExtOuterRows
