#include "ExtDropZones.h"
#include <afxdocking.h>
#include <algorithm>

namespace ExtDropZones {

namespace {

const int kSplitBand = 32;
const int kOuterBand = 16, kOuterBeyond = 12;
const int kInnerBand = 12;
const int kSplitMaxMin = 64;

bool InBand(CPoint pt, int l, int t, int r, int b) { return CRect(l, t, r, b).PtInRect(pt) != FALSE; }

}  // namespace

bool SideAllowed(DWORD dwDockStyle, int nSide) {
    static const DWORD kSideStyles[4] = {0x2800, 0x8200, 0x1400, 0x4100};
    return nSide >= 0 && nSide < 4 && (dwDockStyle & kSideStyles[nSide]) != 0;
}

int SideOfKind(DWORD nKind) {
    if (nKind >= 1 && nKind <= 4)
        return (int)nKind - 1;
    if (nKind >= 5 && nKind <= 12)
        return (int)(nKind - 5) % 4;
    if (nKind >= 14 && nKind <= 25)
        return (int)(nKind - 14) % 4;
    return -1;
}

Zone SplitBesideFloating(CPoint pt, const CRect& R, const CRect& D, const DraggedBar& bar, CSize tMin) {
    Zone z;
    if ((bar.dwDockStyle & 0xF000) == 0)
        return z;
    const int h2 = R.Height() / 2, w2 = R.Width() / 2;
    if (R.Width() >= bar.nMinW && h2 >= bar.nMinH && h2 >= tMin.cy) {
        if (InBand(pt, R.left, R.top, R.right, R.top + kSplitBand)) {
            z.nKind = 1;
            z.rc.SetRect(std::min(R.left, D.left), R.top, std::max(R.right, D.right), R.top + h2);
        } else if (InBand(pt, R.left, R.bottom - kSplitBand, R.right, R.bottom)) {
            z.nKind = 2;
            z.rc.SetRect(std::min(R.left, D.left), R.bottom - h2, std::max(R.right, D.right), R.bottom);
        }
    }
    if (z.nKind == 0 && R.Height() >= bar.nMinH && w2 >= bar.nMinW && w2 >= tMin.cx) {
        if (InBand(pt, R.left, R.top, R.left + kSplitBand, R.bottom)) {
            z.nKind = 3;
            z.rc.SetRect(R.left, std::min(R.top, D.top), R.left + w2, std::max(R.bottom, D.bottom));
        } else if (InBand(pt, R.right - kSplitBand, R.top, R.right, R.bottom)) {
            z.nKind = 4;
            z.rc.SetRect(R.right - w2, std::min(R.top, D.top), R.right, std::max(R.bottom, D.bottom));
        }
    }
    if (z.nKind != 0) {
        z.bSplit = true;
        if (z.rc.Width() < bar.nMinW || z.rc.Height() < bar.nMinH)
            z = Zone();
    }
    return z;
}

Zone SplitBesideDocked(CPoint pt, const CRect& R, const DraggedBar& bar, CSize tMin, bool bTargetHorz, bool bLive) {
    Zone z;
    if ((bar.dwDockStyle & 0xF000) == 0)
        return z;
    if (R.Width() >= bar.nMinW && bar.nMinH <= kSplitMaxMin && tMin.cy <= kSplitMaxMin && !(bLive && bTargetHorz)) {
        if (InBand(pt, R.left, R.top, R.right, R.top + kSplitBand)) {
            z.nKind = 1;
            z.rc.SetRect(R.left, R.top, R.right, R.top + R.Height() / 2);
        } else if (InBand(pt, R.left, R.bottom - kSplitBand, R.right, R.bottom)) {
            z.nKind = 2;
            z.rc.SetRect(R.left, R.bottom - R.Height() / 2, R.right, R.bottom);
        }
    }
    if (z.nKind == 0 && R.Height() >= bar.nMinH && bar.nMinW <= kSplitMaxMin && tMin.cx <= kSplitMaxMin &&
        !(bLive && !bTargetHorz)) {
        if (InBand(pt, R.left, R.top, R.left + kSplitBand, R.bottom)) {
            z.nKind = 3;
            z.rc.SetRect(R.left, R.top, R.left + R.Width() / 2, R.bottom);
        } else if (InBand(pt, R.right - kSplitBand, R.top, R.right, R.bottom)) {
            z.nKind = 4;
            z.rc.SetRect(R.right - R.Width() / 2, R.top, R.right, R.bottom);
        }
    }
    if (z.nKind != 0) {
        z.bSplit = true;
        if ((bTargetHorz && z.rc.Width() < bar.nMinW) || (!bTargetHorz && z.rc.Height() < bar.nMinH))
            z = Zone();
    }
    return z;
}

Zone OuterRing(CPoint pt, const CRect& C, const DraggedBar& bar) {
    Zone z;
    if (C.IsRectEmpty())
        return z;
    CRect M(C);
    M.InflateRect(kOuterBeyond, kOuterBeyond);
    if (!M.PtInRect(pt))
        return z;
    for (int nSide = 0; nSide < 4 && z.nKind == 0; nSide++) {
        if (!SideAllowed(bar.dwDockStyle, nSide))
            continue;
        switch (nSide) {
        case 0:
            if (InBand(pt, M.left, M.top, M.right, M.top + kOuterBand))
                z.nKind = 9, z.rc.SetRect(C.left, C.top, C.right, C.top + bar.cyDockedH);
            break;
        case 1:
            if (InBand(pt, M.left, M.bottom - kOuterBand, M.right, M.bottom))
                z.nKind = 10, z.rc.SetRect(C.left, C.bottom - bar.cyDockedH, C.right, C.bottom);
            break;
        case 2:
            if (InBand(pt, M.left, M.top, M.left + kOuterBand, M.bottom))
                z.nKind = 11, z.rc.SetRect(C.left, C.top, C.left + bar.cxDockedV, C.bottom);
            break;
        default:
            if (InBand(pt, M.right - kOuterBand, M.top, M.right, M.bottom))
                z.nKind = 12, z.rc.SetRect(C.right - bar.cxDockedV, C.top, C.right, C.bottom);
            break;
        }
    }
    return z;
}

Zone InnerRing(CPoint pt, const CRect& V, const DraggedBar& bar, UINT nSkipSides) {
    Zone z;
    if (V.IsRectEmpty() || !V.PtInRect(pt))
        return z;
    const int maxW = ::MulDiv(V.Width(), 3, 4), maxH = ::MulDiv(V.Height(), 3, 4);
    const int cy = std::min(bar.cyDockedH, maxH), cx = std::min(bar.cxDockedV, maxW);
    for (int nSide = 0; nSide < 4 && z.nKind == 0; nSide++) {
        if (!SideAllowed(bar.dwDockStyle, nSide) || (nSkipSides & (1u << nSide)) != 0)
            continue;
        switch (nSide) {
        case 0:
            if (InBand(pt, V.left, V.top, V.right, V.top + kInnerBand))
                z.nKind = 5, z.rc.SetRect(V.left, V.top, V.right, V.top + cy);
            break;
        case 1:
            if (InBand(pt, V.left, V.bottom - kInnerBand, V.right, V.bottom))
                z.nKind = 6, z.rc.SetRect(V.left, V.bottom - cy, V.right, V.bottom);
            break;
        case 2:
            if (InBand(pt, V.left, V.top, V.left + kInnerBand, V.bottom))
                z.nKind = 7, z.rc.SetRect(V.left, V.top, V.left + cx, V.bottom);
            break;
        default:
            if (InBand(pt, V.right - kInnerBand, V.top, V.right, V.bottom))
                z.nKind = 8, z.rc.SetRect(V.right - cx, V.top, V.right, V.bottom);
            break;
        }
    }
    return z;
}

CRect FloatingRect(CPoint pt, bool bFloating, const CRect& rcMiniFrame, CSize sizeFloating, CPoint ptGrab,
                   const CRect& rcGrip, const CRect& F) {
    CRect S;
    if (bFloating) {
        S = CRect(CPoint(0, 0), rcMiniFrame.Size());
        S.OffsetRect(pt.x - ptGrab.x, pt.y - ptGrab.y);
        const int d = std::min(rcGrip.Width(), rcGrip.Height());
        S.OffsetRect(-d, -d / 2);
    } else {
        S = CRect(pt, sizeFloating);
        S.OffsetRect(-ptGrab.x, -ptGrab.y);
    }
    S.OffsetRect(F.TopLeft());
    return S;
}

CPoint FloatingOrigin(const CRect& rcStored, const CRect& F) { return rcStored.TopLeft() - F.TopLeft(); }

}  // namespace ExtDropZones
