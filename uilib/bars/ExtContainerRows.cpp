#include "ExtContainerRows.h"
#include <algorithm>

namespace ExtContainerRows {

namespace {

// Spreads nDiff one unit at a time over the values, in order, pass after pass; when shrinking
// a value at its minimum is skipped, and the spreading stops when every value is there.
void Spread(std::vector<int*>& values, const std::vector<int>& mins, int nDiff) {
    while (nDiff != 0) {
        bool bMoved = false;
        for (size_t i = 0; i < values.size() && nDiff != 0; i++) {
            if (nDiff > 0) {
                (*values[i])++;
                nDiff--;
                bMoved = true;
            } else if (*values[i] > mins[i]) {
                (*values[i])--;
                nDiff++;
                bMoved = true;
            }
        }
        if (!bMoved)
            return;
    }
}

}  // namespace

void Summarise(RowList& list) {
    list.rows.erase(std::remove_if(list.rows.begin(), list.rows.end(), [](const Row& r) { return r.bars.empty(); }),
                    list.rows.end());
    list.nTotalThickness = list.nSumMinThickness = list.nLongestMinRow = 0;
    for (Row& row : list.rows) {
        row.nThickness = row.bars.front().nAcross;
        row.nMinThickness = row.bars.front().nMinAcross;
        row.nLength = row.nMinLength = 0;
        for (const Bar& bar : row.bars) {
            row.nMinThickness = std::min(row.nMinThickness, bar.nMinAcross);
            row.nLength += bar.nAlong;
            row.nMinLength += bar.nMinAlong;
        }
        list.nTotalThickness += row.nThickness;
        list.nSumMinThickness += row.nMinThickness;
        list.nLongestMinRow = std::max(list.nLongestMinRow, row.nMinLength);
    }
}

CSize MinimumSize(const RowList& list, bool bHorz) {
    return bHorz ? CSize(list.nLongestMinRow, list.nSumMinThickness)
                 : CSize(list.nSumMinThickness, list.nLongestMinRow);
}

void Distribute(RowList& list, int cx, int cy, bool bHorz) {
    if (cx < 1 || cy < 1 || list.IsEmpty())
        return;
    const int nAcross = bHorz ? cy : cx;
    const int nAlong = bHorz ? cx : cy;
    if (list.nTotalThickness != nAcross) {
        std::vector<int*> values;
        std::vector<int> mins;
        for (Row& row : list.rows) {
            values.push_back(&row.nThickness);
            mins.push_back(row.nMinThickness);
        }
        Spread(values, mins, nAcross - list.nTotalThickness);
        list.nTotalThickness = 0;
        for (const Row& row : list.rows)
            list.nTotalThickness += row.nThickness;
    }
    for (Row& row : list.rows) {
        std::vector<int*> values;
        std::vector<int> mins;
        for (Bar& bar : row.bars) {
            bar.nAcross = row.nThickness;
            values.push_back(&bar.nAlong);
            mins.push_back(bar.nMinAlong);
        }
        Spread(values, mins, nAlong - row.nLength);
        row.nLength = 0;
        for (const Bar& bar : row.bars)
            row.nLength += bar.nAlong;
    }
}

std::vector<CRect> Positions(const RowList& list, bool bHorz) {
    std::vector<CRect> rcs;
    int nAcross = 0;
    for (const Row& row : list.rows) {
        int nAlong = 0;
        for (const Bar& bar : row.bars) {
            if (bHorz)
                rcs.emplace_back(nAlong, nAcross, nAlong + bar.nAlong, nAcross + bar.nAcross);
            else
                rcs.emplace_back(nAcross, nAlong, nAcross + bar.nAcross, nAlong + bar.nAlong);
            nAlong += bar.nAlong;
        }
        nAcross += row.bars.front().nAcross;
    }
    return rcs;
}

}  // namespace ExtContainerRows
