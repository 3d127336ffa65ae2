#include "ExtOuterRows.h"
#include <algorithm>

namespace ExtOuterRows {

namespace {

int Start(const CRect& rc, bool h) { return h ? rc.left : rc.top; }
int End(const CRect& rc, bool h) { return h ? rc.right : rc.bottom; }
int Len(const CRect& rc, bool h) { return End(rc, h) - Start(rc, h); }
int Along(const CSize& s, bool h) { return h ? s.cx : s.cy; }
int Thick(const CSize& s, bool h) { return h ? s.cy : s.cx; }

void SetAlong(CRect& rc, bool h, int nStart, int nEnd) {
    if (h) {
        rc.left = nStart;
        rc.right = nEnd;
    } else {
        rc.top = nStart;
        rc.bottom = nEnd;
    }
}

void MoveAlong(CRect& rc, bool h, int d) { SetAlong(rc, h, Start(rc, h) + d, End(rc, h) + d); }

int PreferredLength(const CExtControlBar::DockPos_t& rec, bool h) {
    return h ? rec.m_nPreferredWidth : rec.m_nPreferredHeight;
}

// A bar takes part in ordering when it has a record with an order number.
bool TakesPart(const Item& item) { return item.pRecord != nullptr && item.pRecord->m_nOrder != 0; }

// The cursor moves past a finished row: across by its thickness, back to along 0.
void RowEnd(int& nThick, Cursor& cursor, bool h) {
    if (nThick == 0)
        return;
    const int nAlong = h ? cursor.pt.x : cursor.pt.y;
    if (h) {
        cursor.pt.y += nThick;
        cursor.pt.x = 0;
        cursor.sizeFixed.cx = std::max((int)cursor.sizeFixed.cx, nAlong);
        cursor.sizeFixed.cy = std::max((int)cursor.sizeFixed.cy, (int)cursor.pt.y);
    } else {
        cursor.pt.x += nThick;
        cursor.pt.y = 0;
        cursor.sizeFixed.cy = std::max((int)cursor.sizeFixed.cy, nAlong);
        cursor.sizeFixed.cx = std::max((int)cursor.sizeFixed.cx, (int)cursor.pt.x);
    }
    nThick = 0;
}

// Moves items [nFrom, nTo] by d as a train: a gap before (or after) an item is used up before
// the item pushes its neighbour. Answers the distance the leading item moved.
int Shift(std::vector<Item>& items, int nFrom, int nTo, int d, int nLimit, bool h) {
    if (nFrom == nTo) {
        CRect& rc = items[nFrom].rcLayout;
        int nMove;
        if (d < 1) {
            nMove = std::max(d, -Start(rc, h));
        } else {
            if (End(rc, h) == nLimit)
                return 0;
            nMove = std::max(0, std::min(d, nLimit - End(rc, h)));
        }
        MoveAlong(rc, h, nMove);
        return nMove;
    }
    if (d > 0) {
        CRect& rc = items[nFrom].rcLayout;
        const int nGap = Start(items[nFrom + 1].rcLayout, h) - End(rc, h);
        if (d <= nGap) {
            MoveAlong(rc, h, d);
            return d;
        }
        const int nMoved = Shift(items, nFrom + 1, nTo, d - nGap, nLimit, h) + nGap;
        MoveAlong(rc, h, nMoved);
        return nMoved;
    }
    CRect& rc = items[nTo].rcLayout;
    const int nGap = End(items[nTo - 1].rcLayout, h) - Start(rc, h);
    if (nGap <= d) {
        MoveAlong(rc, h, d);
        return d;
    }
    const int nMoved = Shift(items, nFrom, nTo - 1, d - nGap, nLimit, h) + nGap;
    MoveAlong(rc, h, nMoved);
    return nMoved;
}

void PushTowardPreferred(std::vector<Item>& items, int i, int nLimit, bool h) {
    if (nLimit <= 0)
        return;
    const int d = Start(items[i].pRecord->m_rcPreferred, h) - Start(items[i].rcLayout, h);
    if (d == 0)
        return;
    const int nFrom = d > 0 ? i : 0;
    const int nTo = d <= 0 ? i : (int)items.size() - 1;
    Shift(items, nFrom, nTo, d, nLimit, h);
}

// Moves one item toward its preferred start within the room its neighbours leave it.
void SlideTowardPreferred(std::vector<Item>& items, int i, int nLimit, bool h) {
    if (nLimit <= 0)
        return;
    CRect& rc = items[i].rcLayout;
    int d = Start(items[i].pRecord->m_rcPreferred, h) - Start(rc, h);
    const int n = (int)items.size();
    if (d > 0) {
        int nBound;
        if (i + 1 < n)
            nBound = Start(items[i + 1].rcLayout, h);
        else
            nBound = End(rc, h) >= nLimit ? nLimit : End(rc, h);
        d = std::min(d, nBound - End(rc, h));
    } else if (d < 0) {
        int nBound;
        if (i > 0)
            nBound = End(items[i - 1].rcLayout, h);
        else
            nBound = Start(rc, h) < 1 ? 0 : Start(rc, h);
        d = std::max(d, nBound - Start(rc, h));
    }
    if (d != 0)
        MoveAlong(rc, h, d);
}

}  // namespace

std::vector<int> OrderList(std::vector<Item>& items, int nFirst, int nLast, bool bHorz, bool bAssign) {
    std::vector<int> taking, others;
    if (bAssign) {
        int nMax = 0;
        for (int i = nFirst; i <= nLast; i++)
            if (items[i].pRecord != nullptr)
                nMax = std::max(nMax, (int)items[i].pRecord->m_nOrder);
        for (int i = nFirst; i <= nLast; i++) {
            CExtControlBar::DockPos_t* pRec = items[i].pRecord;
            if (pRec == nullptr)
                continue;
            if (pRec->m_nOrder == 0)
                pRec->m_nOrder = (WORD)++nMax;
            if (pRec->m_rcPreferred.IsRectEmpty())
                pRec->m_rcPreferred = items[i].rcCurrent;
            int& nPref = bHorz ? pRec->m_nPreferredWidth : pRec->m_nPreferredHeight;
            if (nPref == 0)
                nPref = Len(items[i].rcCurrent, bHorz);
            nPref = std::min(nPref, Along(items[i].sizeIdeal, bHorz));
        }
    }
    for (int i = nFirst; i <= nLast; i++) {
        const CExtControlBar::DockPos_t* pRec = items[i].pRecord;
        const bool bPart = pRec != nullptr &&
                           (bAssign || (pRec->m_nOrder != 0 && !pRec->m_rcPreferred.IsRectEmpty()));
        (bPart ? taking : others).push_back(i);
    }
    std::stable_sort(taking.begin(), taking.end(),
                     [&](int a, int b) { return items[a].pRecord->m_nOrder < items[b].pRecord->m_nOrder; });
    taking.insert(taking.end(), others.begin(), others.end());
    return taking;
}

bool FitRow(std::vector<Item>& items, int nFirst, int nLast, int nAvail, bool h, bool* pbFull) {
    std::vector<CRect> rcs;
    for (int i = nFirst; i <= nLast; i++)
        rcs.push_back(items[i].rcLayout);
    const int n = (int)rcs.size();
    int nFree = Start(rcs[0], h), nSum = 0;
    for (int k = 0; k < n; k++) {
        if (k > 0)
            nFree += Start(rcs[k], h) - End(rcs[k - 1], h);
        nSum += Len(rcs[k], h);
    }
    nFree += nAvail - End(rcs[n - 1], h);
    int nOverflow = nSum - nAvail;
    bool bRedistributed = false;
    if (nFree > 0) {
        // room enough: close the gaps from the end
        nOverflow -= nFree;
        int nLimit = nAvail;
        for (int k = n - 1; k >= 0; k--) {
            if (End(rcs[k], h) > nLimit)
                MoveAlong(rcs[k], h, nLimit - End(rcs[k], h));
            nLimit = Start(rcs[k], h);
        }
        if (Start(rcs[0], h) < 0)
            return false;
    } else if (nOverflow >= 0) {
        // packed from the end, each shortened at its start by what it can give, the last first
        int nLimit = nAvail;
        for (int k = n - 1; k >= 0; k--) {
            const int nLen = Len(rcs[k], h);
            const int nGive = std::min(nOverflow, std::max(0, nLen - Along(items[nFirst + k].sizeMin, h)));
            nOverflow -= nGive;
            SetAlong(rcs[k], h, nLimit - (nLen - nGive), nLimit);
            nLimit = Start(rcs[k], h);
        }
        if (nOverflow != 0 || Start(rcs[0], h) < 0)
            return false;
        if (Start(rcs[0], h) == 0 && n > 1) {
            // length goes back by order: the bar moved last gets its preferred length first
            for (int k = 0; k < n; k++)
                items[nFirst + k].rcLayout = rcs[k];
            const std::vector<int> order = OrderList(items, nFirst, nLast, h, false);
            std::vector<int> lens(items.size(), 0);
            for (int i = nFirst; i <= nLast; i++)
                lens[i] = Len(items[i].rcLayout, h);
            bool bChanged = false;
            for (int p = (int)order.size() - 2; p >= 0; p--) {
                const Item& taker = items[order[p]];
                if (!TakesPart(taker) || taker.pRecord->m_rcPreferred.IsRectEmpty())
                    continue;
                int nMissing = PreferredLength(*taker.pRecord, h) - lens[order[p]];
                for (int q = (int)order.size() - 1; q > p && nMissing > 0; q--) {
                    const int nGive = std::min(nMissing, lens[order[q]] - Along(items[order[q]].sizeMin, h));
                    if (nGive <= 0)
                        continue;
                    lens[order[q]] -= nGive;
                    lens[order[p]] += nGive;
                    nMissing -= nGive;
                    bChanged = true;
                }
            }
            if (bChanged) {
                int nPos = 0;
                for (int k = 0; k < n; k++) {
                    SetAlong(rcs[k], h, nPos, nPos + lens[nFirst + k]);
                    nPos += lens[nFirst + k];
                }
            }
            bRedistributed = true;
        }
    } else {
        return false;
    }
    for (int k = 0; k < n; k++)
        items[nFirst + k].rcLayout = rcs[k];
    if (pbFull != nullptr && !*pbFull) {
        bool bPacked = Start(rcs[0], h) == 0 && End(rcs[n - 1], h) >= nAvail;
        for (int k = 1; k < n && bPacked; k++)
            bPacked = Start(rcs[k], h) == End(rcs[k - 1], h);
        *pbFull = bRedistributed || bPacked;
    }
    return true;
}

void EqualThickness(std::vector<Item>& items, int nFirst, int nLast, bool h) {
    int nCount = 0, nMax = 0;
    for (int i = nFirst; i <= nLast; i++) {
        if (!items[i].bStretch)
            continue;
        nCount++;
        nMax = std::max(nMax, h ? items[i].rcLayout.Height() : items[i].rcLayout.Width());
    }
    if (nCount < 2)
        return;
    for (int i = nFirst; i <= nLast; i++) {
        if (!items[i].bStretch)
            continue;
        if (h)
            items[i].rcLayout.bottom = items[i].rcLayout.top + nMax;
        else
            items[i].rcLayout.right = items[i].rcLayout.left + nMax;
    }
}

RowResult LayoutRow(std::vector<Item>& items, int nAvail, bool h, bool bFloating, Cursor& cursor) {
    RowResult result;
    const int n = (int)items.size();
    if (n == 0)
        return result;
    const std::vector<int> order = OrderList(items, 0, n - 1, h, true);
    int nRowStart = 0, nThick = 0;
    bool bAllFitted = true;
    for (int i = 0; i < n; i++) {
        Item& item = items[i];
        item.rcLayout = CRect(cursor.pt, item.sizeIdeal);
        const int nCursor = h ? cursor.pt.x : cursor.pt.y;
        if (!bFloating && Start(item.rcCurrent, h) > nCursor)
            MoveAlong(item.rcLayout, h, Start(item.rcCurrent, h) - nCursor);
        if (End(item.rcLayout, h) >= nAvail && !item.bResizable) {
            if (!FitRow(items, nRowStart, i, nAvail, h, &result.bFull)) {
                bAllFitted = false;
                if (i > nRowStart) {
                    // the minimum lengths do not fit: this bar starts a new row
                    result.nRows++;
                    result.bFull = true;
                    EqualThickness(items, nRowStart, i - 1, h);
                    nRowStart = i;
                    RowEnd(nThick, cursor, h);
                    item.rcLayout = CRect(cursor.pt, item.sizeIdeal);
                }
            }
        }
        if (h)
            cursor.pt.x = item.rcLayout.right;
        else
            cursor.pt.y = item.rcLayout.bottom;
        nThick = std::max(nThick, Thick(item.sizeIdeal, h));
    }
    EqualThickness(items, nRowStart, n - 1, h);
    if (bAllFitted) {
        for (int p = (int)order.size() - 1; p >= 0; p--) {
            const Item& item = items[order[p]];
            if (TakesPart(item) && item.pRecord->m_rcPreferred != item.rcLayout)
                PushTowardPreferred(items, order[p], nAvail, h);
        }
        for (int p = (int)order.size() - 1; p >= 0; p--) {
            const Item& item = items[order[p]];
            if (TakesPart(item) && item.pRecord->m_rcPreferred != item.rcLayout)
                SlideTowardPreferred(items, order[p], nAvail, h);
        }
    }
    for (Item& item : items) {
        CRect& rc = item.rcLayout;
        const int nEnd = std::max(std::min(End(rc, h), nAvail), Start(rc, h) + Along(item.sizeMin, h));
        SetAlong(rc, h, Start(rc, h), std::min(End(rc, h), nEnd));
    }
    RowEnd(nThick, cursor, h);
    return result;
}

}  // namespace ExtOuterRows
