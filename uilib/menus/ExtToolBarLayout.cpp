#include "ExtToolBarLayout.h"
#include <algorithm>
#include <climits>

namespace ExtToolBarLayout {

int WrapHorizontally(std::vector<Item>& items, int nWidth, bool bPanel) {
    int x = 0, nRows = 1, nPrev = -1;
    for (size_t i = 0; i < items.size(); i++) {
        Item& it = items[i];
        if (!bPanel)
            it.bWrap = false;
        if (it.bHidden)
            continue;
        const int w = (it.bSeparator && x == 0) ? 0 : it.size.cx;
        if (!bPanel) {
            // a separator never starts a row
            if (nPrev >= 0 && x + w > nWidth && !it.bSeparator) {
                items[nPrev].bWrap = true;
                x = 0;
                nRows++;
            }
        } else if (nPrev >= 0 && items[nPrev].bWrap) {
            x = 0;
            nRows++;
        }
        nPrev = (int)i;
        x += w;
    }
    return nRows;
}

// The widest row of the wrapped items.
static int RowsWidth(const std::vector<Item>& items) {
    int x = 0, nWidest = 0;
    for (const Item& it : items) {
        if (it.bHidden)
            continue;
        if (!(it.bSeparator && (x == 0 || it.bWrap)))
            x += it.size.cx;
        nWidest = std::max(nWidest, x);
        if (it.bWrap)
            x = 0;
    }
    return nWidest;
}

int FitFloatingWidth(std::vector<Item>& items, int nLength, int nDefaultWidth) {
    const int nTarget = WrapHorizontally(items, nLength, false);
    int lo = nDefaultWidth / 2, hi = nLength;
    if (!(lo >= hi || WrapHorizontally(items, lo, false) == nTarget)) {
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (WrapHorizontally(items, mid, false) == nTarget) {
                hi = mid;
            } else if (lo == mid) {
                WrapHorizontally(items, hi, false);
                break;
            } else {
                lo = mid;
            }
        }
    }
    // wrapping again at the rows' own width keeps the rows and gives the bar its width
    const int nWidth = RowsWidth(items);
    WrapHorizontally(items, nWidth, false);
    return nWidth;
}

CSize ButtonsSize(const std::vector<Item>& items, const Item* pChevron, bool bVertical, const Frame& frame) {
    const bool bStack = bVertical && !frame.bPanel;
    CSize result = frame.sizeDefault;
    int nThick = frame.sizeDefault.cy, x = 0, y = 0;
    std::vector<const Item*> list;
    for (const Item& it : items)
        list.push_back(&it);
    // the chevron of a docked bar takes room like any other button
    if (pChevron != NULL && !frame.bFloating)
        list.push_back(pChevron);
    for (const Item* p : list) {
        if (p->bHidden)
            continue;
        CSize size = p->size;
        if (bStack) {
            result.cx = std::max(result.cx, x + (int)size.cx);
            result.cy = std::max(result.cy, y + (int)size.cy);
            y += size.cy;
            continue;
        }
        if (p->bSeparator && (x == 0 || p->bWrap))
            size = CSize(0, 0);
        nThick = std::max(nThick, (int)size.cy);
        result.cx = std::max(result.cx, x + (int)size.cx);
        result.cy = std::max(result.cy, y + (int)size.cy);
        x += size.cx;
        if (p->bWrap) {
            y += frame.nRowGap + nThick;
            x = 0;
            nThick = frame.sizeDefault.cy;
        }
    }
    // the placement keeps a look's padding between the buttons and a docked bar's chevron
    if (pChevron != NULL && !frame.bFloating && !pChevron->bHidden) {
        if (bStack)
            result.cy += frame.sizeChevronPad.cy;
        else
            result.cx += frame.sizeChevronPad.cx;
    }
    if (!bVertical) {
        result.cx += frame.nRowGap / 2 + frame.rcBorders.left + frame.rcBorders.right;
    } else {
        result.cx += 1;
        result.cy += frame.rcBorders.top + frame.rcBorders.bottom + frame.nRowGap;
    }
    if (frame.bFloating)
        result += CSize(1, 1);
    return result;
}

namespace {

// Extent of an item along the bar's advance axis.
int Along(const Item& it, bool bVertAdvance) { return bVertAdvance ? it.size.cy : it.size.cx; }

void MoveAlong(Item& it, int nBy, bool bVertAdvance) {
    if (bVertAdvance)
        it.rc.OffsetRect(0, nBy);
    else
        it.rc.OffsetRect(nBy, 0);
}

}  // namespace

std::vector<int> Place(std::vector<Item>& items, const PlaceParams& p) {
    const int n = (int)items.size();
    const bool bHideMode = !p.bWrapRows && !p.bFloating && !p.bPanel;
    const bool bVertAdvance = !p.bHorz && !p.bPanel && !p.bFloating;
    const CRect& rcWork = p.rcWork;
    int x = rcWork.left, y = rcWork.top, nThick = p.nDefaultThickness;
    bool bPrevVisibleSeparator = false, bAnyVisible = false, bHidAny = false;
    std::vector<int> hidden;

    for (int i = 0; i < n; i++) {
        Item& it = items[i];
        it.bVisible = false;
        if (it.bHidden)
            continue;
        // a separator never leads and never follows another
        if (it.bSeparator && (!bAnyVisible || bPrevVisibleSeparator))
            continue;
        it.rc = CRect(x, y, x + it.size.cx, y + it.size.cy);
        nThick = std::max(nThick, (int)it.size.cy);
        it.bVisible = true;
        if (p.bWrapRows && it.bWrap) {
            x = rcWork.left;
            y += p.nRowGap + nThick;
            nThick = p.nDefaultThickness;
            bPrevVisibleSeparator = it.bSeparator;
            bAnyVisible = true;
            continue;
        }
        int over;
        if (bVertAdvance) {
            y += it.size.cy;
            over = y - rcWork.bottom;
        } else {
            x += it.size.cx;
            over = x - rcWork.right;
        }
        if (over > 0 && bHideMode) {
            bHidAny = true;
            int nCandidate = i, nSlack = over - Along(it, bVertAdvance);
            for (int j = i - 1; j >= 0; j--) {
                const Item& o = items[j];
                if (!o.bVisible || o.bSeparator)
                    continue;
                const int e = Along(o, bVertAdvance);
                if (e <= over && over - e < nSlack) {
                    nCandidate = j;
                    nSlack = over - e;
                }
            }
            int nShift;
            if (nCandidate < i) {
                Item& c = items[nCandidate];
                c.bVisible = false;
                hidden.push_back(nCandidate);
                nShift = Along(c, bVertAdvance);
                if (nCandidate > 0 && nCandidate + 1 < n && items[nCandidate - 1].bSeparator &&
                    items[nCandidate - 1].bVisible && items[nCandidate + 1].bSeparator && items[nCandidate + 1].bVisible) {
                    items[nCandidate - 1].bVisible = false;
                    nShift += Along(items[nCandidate - 1], bVertAdvance);
                }
                for (int k = nCandidate + 1; k <= i; k++)
                    if (items[k].bVisible)
                        MoveAlong(items[k], -nShift, bVertAdvance);
            } else {
                it.bVisible = false;
                if (!it.bSeparator)
                    hidden.push_back(i);
                nShift = Along(it, bVertAdvance);
            }
            if (bVertAdvance)
                y -= nShift;
            else
                x -= nShift;
        }
        if (it.bVisible) {
            bPrevVisibleSeparator = it.bSeparator;
            bAnyVisible = true;
        }
    }

    // after hiding, no visible separator leads or trails
    if (bHidAny) {
        int nLead = 0;
        for (int i = 0; i < n; i++) {
            if (!items[i].bVisible)
                continue;
            if (!items[i].bSeparator)
                break;
            items[i].bVisible = false;
            nLead += Along(items[i], bVertAdvance);
        }
        for (int i = n - 1; i >= 0; i--) {
            if (!items[i].bVisible)
                continue;
            if (!items[i].bSeparator)
                break;
            items[i].bVisible = false;
        }
        if (nLead != 0)
            for (Item& it : items)
                if (it.bVisible)
                    MoveAlong(it, -nLead, bVertAdvance);
    }

    // rows: [start, end] ranges; a row ends at a wrap flag (rows that break) or at the last item
    std::vector<std::pair<int, int>> rows;
    for (int i = 0, nStart = 0; i < n; i++) {
        if ((p.bWrapRows && items[i].bWrap && !items[i].bHidden) || i == n - 1) {
            rows.push_back(std::make_pair(nStart, i));
            nStart = i + 1;
        }
    }
    const bool bHorzArrangement = p.bHorz || p.bFloating || p.bPanel;
    if (bHorzArrangement) {
        for (const auto& r : rows) {
            int nRowThick = 0;
            for (int i = r.first; i <= r.second; i++)
                if (!items[i].bHidden)
                    nRowThick = std::max(nRowThick, (int)items[i].size.cy);
            for (int i = r.first; i <= r.second; i++) {
                Item& it = items[i];
                if (!it.bVisible)
                    continue;
                if (it.bSeparator)
                    it.rc.bottom = it.rc.top + nRowThick;
                else
                    it.rc.OffsetRect(0, (nRowThick - it.rc.Height()) / 2);
                if (p.bFloating)
                    it.rc.OffsetRect(0, 1);
            }
        }
    }
    if (!p.bFloating && !p.bPanel && rows.size() <= 1) {
        // one docked row: buttons centred across the whole bar, separators spanning it
        const int nThickAll = p.bHorz ? rcWork.Height() + p.rcBorders.top + p.rcBorders.bottom
                                      : rcWork.Width() + p.rcBorders.left + p.rcBorders.right;
        for (Item& it : items) {
            if (!it.bVisible)
                continue;
            if (p.bHorz) {
                if (it.bSeparator) {
                    it.rc.top = p.rcBorders.top;
                    it.rc.bottom = nThickAll - p.rcBorders.bottom;
                } else {
                    it.rc.OffsetRect(0, (nThickAll - it.rc.Height()) / 2 - it.rc.top);
                }
            } else {
                if (it.bSeparator) {
                    it.rc.left = p.rcBorders.left;
                    it.rc.right = nThickAll - p.rcBorders.right;
                } else {
                    it.rc.OffsetRect((nThickAll - it.rc.Width()) / 2 - it.rc.left, 0);
                }
            }
        }
    } else if (!p.bPanel) {
        for (const auto& r : rows) {
            int lo = INT_MAX, hi = INT_MIN;
            for (int i = r.first; i <= r.second; i++) {
                if (!items[i].bVisible)
                    continue;
                lo = std::min(lo, (int)(bHorzArrangement ? items[i].rc.top : items[i].rc.left));
                hi = std::max(hi, (int)(bHorzArrangement ? items[i].rc.bottom : items[i].rc.right));
            }
            for (int i = r.first; i < r.second; i++) {
                Item& it = items[i];
                if (!it.bVisible || !it.bSeparator)
                    continue;
                if (bHorzArrangement) {
                    it.rc.top = lo - p.nSeparatorGrow;
                    it.rc.bottom = hi + p.nSeparatorGrow;
                } else {
                    it.rc.left = lo - p.nSeparatorGrow;
                    it.rc.right = hi + p.nSeparatorGrow + 1;
                }
            }
        }
    }

    std::sort(hidden.begin(), hidden.end());
    if (bHideMode && hidden.size() >= 2) {
        // a separator between two listed buttons that a separator divided in the bar
        std::vector<int> withSeparators;
        for (size_t k = 0; k < hidden.size(); k++) {
            if (k > 0) {
                for (int s = hidden[k - 1] + 1; s < hidden[k]; s++) {
                    if (items[s].bSeparator && !items[s].bHidden) {
                        withSeparators.push_back(s);
                        break;
                    }
                }
            }
            withSeparators.push_back(hidden[k]);
        }
        hidden.swap(withSeparators);
    }
    return hidden;
}

}  // namespace ExtToolBarLayout
