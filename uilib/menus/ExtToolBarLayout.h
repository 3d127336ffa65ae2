// The tool bar's layout as functions over plain records: line breaking, the narrowest floating
// width that keeps a row count, the size of the laid-out buttons, and the placement of the
// buttons in a bar's work area with the chevron's hidden list. The tool bar measures its buttons
// into these records, calls the functions and copies the results back (CExtToolControlBarLayout.cpp);
// tests call them on records they write by hand.
#pragma once
#include <afxwin.h>
#include <vector>

namespace ExtToolBarLayout {

// One button as the layout sees it.
struct Item {
    CSize size = CSize(0, 0);  // measured in the bar's orientation
    bool bSeparator = false;
    bool bHidden = false;      // hidden by its style, or a separator right before a hidden button
    bool bWrap = false;        // a new row starts after this button (the bar's current wrap index)
    // results of Place
    CRect rc = CRect(0, 0, 0, 0);
    bool bVisible = false;
};

// Greedy line breaking at width: sets every item's wrap flag (panel mode: the flags are read,
// never set); a separator never starts a row and measures nothing at a row's start. Answers
// the number of rows, at least 1.
int WrapHorizontally(std::vector<Item>& items, int nWidth, bool bPanel);

// The narrowest width (at least half the default button width) that keeps the row count that
// nLength gives; the items are left wrapped at that width. Answers the width.
int FitFloatingWidth(std::vector<Item>& items, int nLength, int nDefaultWidth);

// What the bar adds around its buttons.
struct Frame {
    CSize sizeDefault = CSize(23, 22);
    int nRowGap = 6;
    CRect rcBorders = CRect(1, 0, 1, 0);  // left, top, right, bottom borders
    bool bFloating = false;
    bool bPanel = false;
    CSize sizeChevronPad = CSize(0, 0);  // the room a docked bar's placement leaves before its chevron
};

// The extent of the buttons: stacked in one column when bVertical (and not a panel), else in
// the rows their wrap flags give; the chevron (pChevron, may be NULL) counts on a docked bar,
// with the room before it, so that a bar given this size has a place for every button.
CSize ButtonsSize(const std::vector<Item>& items, const Item* pChevron, bool bVertical, const Frame& frame);

// Placement in a bar's work area (the client rectangle less the borders).
struct PlaceParams {
    CRect rcWork;
    bool bHorz = true;         // the bar lies along a horizontal side (or floats)
    bool bFloating = false;
    bool bPanel = false;
    // Rows break at the wrap flags (floating bars, panels, and docked bars that wrap); a bar
    // that does not break rows hides what does not fit.
    bool bWrapRows = false;
    int nRowGap = 6;
    int nDefaultThickness = 22;  // the default button's height
    int nSeparatorGrow = 1;      // separators of wrapped rows grow by this on both sides
    CRect rcBorders = CRect(0, 0, 0, 0);
};
// Places items (the buttons without the chevron) and answers the indexes of the buttons hidden
// because they did not fit, in bar order, with a separator between two listed buttons that a
// separator divided in the bar.
std::vector<int> Place(std::vector<Item>& items, const PlaceParams& params);

}  // namespace ExtToolBarLayout
