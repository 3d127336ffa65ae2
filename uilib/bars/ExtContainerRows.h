// How a container bar shares its room among the bars docked in it, as functions over plain
// numbers. The container's inner dock bar holds its bars in rows (left to right in rows stacked
// downward when it lies horizontally, top to bottom in columns stacked rightward otherwise);
// CExtDockDynBar reads the bars' docked sizes into these records, lets the functions spread the
// container's size over them and places the bars where they answer.
#pragma once
#include <afxwin.h>
#include <vector>

namespace ExtContainerRows {

struct Bar {
    int nAlong = 0;      // its docked extent along the row
    int nAcross = 0;     // its docked extent across the row
    int nMinAlong = 0;
    int nMinAcross = 0;
};

struct Row {
    std::vector<Bar> bars;
    int nThickness = 0;     // the row's thickness: its first bar's across extent
    int nMinThickness = 0;  // the smallest minimum across extent of its bars
    int nLength = 0;        // the sum of its bars' along extents
    int nMinLength = 0;     // the sum of its bars' minimum along extents
};

struct RowList {
    std::vector<Row> rows;
    int nTotalThickness = 0;
    int nSumMinThickness = 0;
    int nLongestMinRow = 0;
    bool IsEmpty() const { return rows.empty(); }
};

// Fills the row sums and the list's totals from the bars of each row (rows without bars go).
void Summarise(RowList& list);

// The smallest size the container takes: the longest minimum row along the rows, the sum of
// the rows' minimum thicknesses across them.
CSize MinimumSize(const RowList& list, bool bHorz);

// Spreads the container's size (cx, cy) over the rows: the difference across goes one pixel
// per row and pass, rows in order (shrinking stops at a row's minimum); then in each row the
// difference along goes one pixel per bar and pass (shrinking stops at a bar's minimum).
// Every bar of a row takes the row's thickness. Nothing happens for a size below 1 x 1.
void Distribute(RowList& list, int cx, int cy, bool bHorz);

// Where each bar goes: rows from the top (or columns from the left), bars from the row's start;
// bar rectangles in row order.
std::vector<CRect> Positions(const RowList& list, bool bHorz);

}  // namespace ExtContainerRows
