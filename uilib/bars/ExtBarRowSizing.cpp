#include "ExtBarRowSizing.h"
#include <algorithm>
#include <cstdlib>

ExtRowSizingResult ExtDistributeRowLength(std::vector<ExtRowSizingItem>& items, int nThis, int nAvailable,
                                          int nBorder) {
    ExtRowSizingResult result;
    const int nCount = (int)items.size();
    if (nThis < 0 || nThis >= nCount)
        return result;
    if (nCount == 1) {
        // alone: the whole row, never less than its minimum
        items[0].nLength = std::max(items[0].nMin, nAvailable);
        return result;
    }
    // walk the row: minimums must fit, else the row breaks
    int nUsed = nBorder;
    int nLeft = nAvailable;
    int nSumResizable = 0;
    int nEnd = nCount;
    for (int i = 0; i < nCount; i++) {
        ExtRowSizingItem& item = items[i];
        if (item.bResizable)
            item.nLength = std::max(item.nLength, item.nMin);
        const int nNeed = item.bResizable ? item.nMin : item.nLength;
        const int nBefore = nUsed;
        nUsed += nNeed;
        if (nUsed > nAvailable) {
            if (i < nThis) {
                // a row break after the bar before this one overflowed; the next layout places the rest
                result.nBreakAfter = i;
                result.bPlain = true;
                return result;
            }
            if (i == nThis) {
                // this bar takes what is left, at least its minimum; bars after it leave the row
                if (item.bResizable) {
                    item.nLength = std::max(item.nMin, nAvailable - nBefore);
                    nSumResizable += item.nLength;
                } else {
                    nLeft -= item.nLength;
                }
                if (i + 1 < nCount)
                    result.nBreakBefore = i + 1;
                nEnd = i + 1;
                break;
            }
            result.nBreakBefore = i;
            nEnd = i;
            break;
        }
        if (item.bResizable)
            nSumResizable += item.nLength;
        else
            nLeft -= item.nLength;
    }
    items.resize(nEnd);

    int nResizable = 0, nAtMin = 0;
    for (const ExtRowSizingItem& item : items) {
        if (!item.bResizable)
            continue;
        nResizable++;
        if (item.nLength == item.nMin)
            nAtMin++;
    }
    if (nResizable == 0)
        return result;
    int nDiff = nLeft - nSumResizable;
    if (nAtMin < nResizable && nDiff != 0) {
        // one pixel at a time, round the row, bars at their minimum left alone
        const int nStep = nDiff > 0 ? 1 : -1;
        const int nMaxRounds = 2 * std::abs(nDiff);
        while (nDiff != 0 && nAtMin < nResizable && result.nRounds < nMaxRounds) {
            for (ExtRowSizingItem& item : items) {
                if (nDiff == 0)
                    break;
                if (!item.bResizable || item.nLength == item.nMin)
                    continue;
                item.nLength += nStep;
                nDiff -= nStep;
                if (item.nLength == item.nMin)
                    nAtMin++;
            }
            result.nRounds++;
        }
    }
    if (nAtMin == nResizable && nDiff != 0) {
        // nothing can give: the last resizable bar takes the whole difference
        for (int i = (int)items.size() - 1; i >= 0; i--) {
            if (items[i].bResizable) {
                items[i].nLength = std::max(items[i].nMin, items[i].nLength + nDiff);
                break;
            }
        }
    }
    return result;
}

int ExtTakeBackRowSpace(std::vector<ExtRowSizingItem>& others, int nOwed) {
    std::vector<ExtRowSizingItem*> givers;
    for (ExtRowSizingItem& item : others)
        if (item.bResizable && item.nLength > item.nMin)
            givers.push_back(&item);
    while (nOwed > 0 && !givers.empty()) {
        for (size_t i = 0; i < givers.size() && nOwed > 0;) {
            givers[i]->nLength--;
            nOwed--;
            if (givers[i]->nLength <= givers[i]->nMin)
                givers.erase(givers.begin() + i);
            else
                i++;
        }
    }
    return nOwed;
}
