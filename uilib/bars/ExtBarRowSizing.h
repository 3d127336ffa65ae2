// How a dock row's length is shared among the bars in it, as a function over plain numbers so
// that the rules can be checked without windows. CExtControlBar's row layout feeds it the
// visible bars of one row and applies the answer (lengths and row breaks) to the real bars.
#pragma once
#include <vector>

struct ExtRowSizingItem {
    bool bResizable = true;  // a resizable bar (else a fixed-size or foreign bar)
    int nMin = 0;            // a resizable bar's minimal length
    int nLength = 0;         // its length (resizable) or its window's length (other bars)
};

struct ExtRowSizingResult {
    // The bar at nThis answers plainly: it does not lay the row out.
    bool bPlain = false;
    // A row break goes after the item at this index (-1: none).
    int nBreakAfter = -1;
    // A row break goes before the item at this index (-1: none); items from there on left the row.
    int nBreakBefore = -1;
    // Full rounds the one-pixel distribution walked.
    int nRounds = 0;
};

// Shares nAvailable among items (the visible bars of one row, in order); nThis is the bar that
// lays the row out, nBorder the length the row's border takes (the system's border width).
// Resizable items get their new lengths in place.
ExtRowSizingResult ExtDistributeRowLength(std::vector<ExtRowSizingItem>& items, int nThis, int nAvailable,
                                          int nBorder);

// A hidden bar that reappears takes nOwed pixels back from the others of its row, one at a
// time and in turn, never pushing one below its minimum. Answers what could not be taken back.
int ExtTakeBackRowSpace(std::vector<ExtRowSizingItem>& others, int nOwed);
