// Docking markers: the built-in pictures, marker records and their windows, tinting per look,
// shapes cut from the pictures' key colour, and the drop highlight blended into screen pixels.
#include "CExtPaintManagerOffice2003.h"
#include "CExtDynDockMarkerWnd.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBitmapUtil.h"
#include <algorithm>
#include <vector>

// the pictures drawn by res/dock_markers.py, embedded by the build
extern const unsigned char g_DockMarker_top[], g_DockMarker_bottom[], g_DockMarker_left[],
    g_DockMarker_right[], g_DockMarker_centre[];
extern const size_t g_DockMarker_top_size, g_DockMarker_bottom_size, g_DockMarker_left_size,
    g_DockMarker_right_size, g_DockMarker_centre_size;

namespace {

// A bitmap's pixels as 32-bit top-down 0x00RRGGBB values.
bool ReadPixels(HBITMAP hBitmap, int& cx, int& cy, std::vector<DWORD>& pixels) {
    COLORREF* pBits = NULL;
    HBITMAP hCopy = CExtBitmapUtil::CopyBitmapPart(hBitmap, NULL, &pBits);
    BITMAP bm;
    if (hCopy == NULL || pBits == NULL || ::GetObjectA(hCopy, sizeof bm, &bm) != sizeof bm) {
        if (hCopy != NULL)
            ::DeleteObject(hCopy);
        return false;
    }
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    pixels.assign(pBits, pBits + (size_t)cx * cy);
    ::DeleteObject(hCopy);
    return true;
}

COLORREF PixelColor(DWORD px) { return CExtBitmapUtil::FromDib(px); }

DWORD ColorPixel(COLORREF clr) { return CExtBitmapUtil::ToDib(clr); }

// Whether each channel lies from the key's value to the key's + tolerance (at most 255).
struct KeyRange {
    int lo[3], hi[3];
    KeyRange(COLORREF clrKey, int nTolerance) {
        const int key[3] = {GetRValue(clrKey), GetGValue(clrKey), GetBValue(clrKey)};
        nTolerance = std::max(nTolerance, 0);
        for (int i = 0; i < 3; i++) {
            lo[i] = key[i];
            hi[i] = std::min(key[i] + nTolerance, 255);
        }
    }
    bool Contains(DWORD px) const {
        const int c[3] = {(int)((px >> 16) & 0xFF), (int)((px >> 8) & 0xFF), (int)(px & 0xFF)};
        for (int i = 0; i < 3; i++)
            if (c[i] < lo[i] || c[i] > hi[i])
                return false;
        return true;
    }
};

// ORs a batch of rectangles into the result region; false when a region cannot be made.
bool FlushRects(std::vector<RECT>& rects, HRGN& hResult) {
    if (rects.empty())
        return true;
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA* pData = reinterpret_cast<RGNDATA*>(data.data());
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = (DWORD)rects.size();
    pData->rdh.nRgnSize = (DWORD)(rects.size() * sizeof(RECT));
    CRect rcBound(rects[0]);
    for (const RECT& rc : rects)
        rcBound.UnionRect(&rcBound, &rc);
    pData->rdh.rcBound = rcBound;
    memcpy(pData->Buffer, rects.data(), rects.size() * sizeof(RECT));
    HRGN hBatch = ::ExtCreateRegion(NULL, (DWORD)data.size(), pData);
    rects.clear();
    if (hBatch == NULL)
        return false;
    if (hResult == NULL) {
        hResult = hBatch;
        return true;
    }
    ::CombineRgn(hResult, hResult, hBatch, RGN_OR);
    ::DeleteObject(hBatch);
    return true;
}

}  // namespace

// ---- picture operations -----------------------------------------------------------------------

HBITMAP CExtPaintManager::LoadBitmapFromMemory(const BYTE* pData, size_t nSize) {
    if (pData == NULL || nSize == 0 || nSize > 0x7FFFFFFF)
        return NULL;
    CMemFile file(const_cast<BYTE*>(pData), (UINT)nSize);
    HBITMAP hBitmap = NULL;
    try {
        CArchive ar(&file, CArchive::load);
        if (!SerializeBitmap(hBitmap, ar))
            hBitmap = NULL;
    } catch (CException* e) {
        e->Delete();
        hBitmap = NULL;
    }
    return hBitmap;
}

HBITMAP CExtPaintManager::AdjustBitmapHsl(HBITMAP hBitmap, COLORREF clrKey, int nTolerance,
                                          double dH, double dL, double dS) {
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels;
    if (!ReadPixels(hBitmap, cx, cy, pixels))
        return NULL;
    COLORREF* pBits = NULL;
    HBITMAP hResult = CExtBitmapUtil::CreateFilled32(cx, cy, 0, &pBits);
    if (hResult == NULL || pBits == NULL)
        return NULL;
    const KeyRange key(clrKey, nTolerance);
    DWORD* pOut = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0; i < pixels.size(); i++) {
        const DWORD px = pixels[i] & 0x00FFFFFF;
        pOut[i] = key.Contains(px) ? px : ColorPixel(AdjustColorHsl(PixelColor(px), dH, dL, dS));
    }
    ::GdiFlush();
    return hResult;
}

bool CExtPaintManager::AdjustBitmapHsl(CBitmap& bmp, COLORREF clrKey, int nTolerance, double dH,
                                       double dL, double dS) {
    if (dH == 0.0 && dL == 0.0 && dS == 0.0)
        return true;
    HBITMAP hNew = AdjustBitmapHsl((HBITMAP)bmp.GetSafeHandle(), clrKey, nTolerance, dH, dL, dS);
    if (hNew == NULL)
        return false;
    bmp.DeleteObject();
    bmp.Attach(hNew);
    return true;
}

HRGN CExtPaintManager::BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, int nTolerance) {
    enum { kGrowBy = 200, kBatch = 2000 };
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels;
    if (!ReadPixels(hBitmap, cx, cy, pixels))
        return NULL;
    const KeyRange key(clrKey, nTolerance);
    std::vector<RECT> rects;
    rects.reserve(kGrowBy);
    HRGN hResult = NULL;
    for (int y = 0; y < cy; y++) {
        const DWORD* row = &pixels[(size_t)y * cx];
        for (int x = 0; x < cx;) {
            if (key.Contains(row[x] & 0x00FFFFFF)) {
                x++;
                continue;
            }
            const int x0 = x;
            while (x < cx && !key.Contains(row[x] & 0x00FFFFFF))
                x++;
            if (rects.size() == rects.capacity())
                rects.reserve(rects.size() + kGrowBy);
            rects.push_back(RECT{x0, y, x, y + 1});
            if (rects.size() == kBatch && !FlushRects(rects, hResult))
                break;
        }
    }
    if (!FlushRects(rects, hResult) && hResult != NULL) {
        ::DeleteObject(hResult);
        return NULL;
    }
    // a picture that is all key is an empty shape, not a failure
    return hResult != NULL ? hResult : ::CreateRectRgn(0, 0, 0, 0);
}

// ---- marker records -----------------------------------------------------------------------------

bool CExtPaintManager::GetDockMarkerPicture(int eKind, const BYTE*& pData, size_t& nSize) {
    const struct {
        const unsigned char* data;
        const size_t& size;
    } pictures[] = {{g_DockMarker_top, g_DockMarker_top_size},
                    {g_DockMarker_bottom, g_DockMarker_bottom_size},
                    {g_DockMarker_left, g_DockMarker_left_size},
                    {g_DockMarker_right, g_DockMarker_right_size},
                    {g_DockMarker_centre, g_DockMarker_centre_size}};
    if (eKind < DockMarker::KindTop || eKind > DockMarker::KindCentre)
        return false;
    pData = pictures[eKind].data;
    nSize = pictures[eKind].size;
    return true;
}

void CExtPaintManager::DockMarker::Clear() {
    m_bmpActive.DeleteObject();
    m_bmpIdle.DeleteObject();
    m_rgn.DeleteObject();
    m_eKind = KindEmpty;
    m_size = CSize(0, 0);
    m_rcPlacement.SetRectEmpty();
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
}

void CExtPaintManager::DockMarker::Place(const RECT& rect) {
    const CRect rc(rect);
    int x = rc.left + (rc.Width() - m_size.cx) / 2, y = rc.top + (rc.Height() - m_size.cy) / 2;
    switch (m_eKind) {
    case KindTop: y = rc.top; break;
    case KindBottom: y = rc.bottom - m_size.cy; break;
    case KindLeft: x = rc.left; break;
    case KindRight: x = rc.right - m_size.cx; break;
    default: break;
    }
    m_rcPlacement = CRect(CPoint(x, y), m_size);
}

bool CExtPaintManager::DockMarker::BuildPicture(int eKind, const RECT& rcTarget) {
    const BYTE* pData = NULL;
    size_t nSize = 0;
    if (!GetDockMarkerPicture(eKind, pData, nSize))
        return false;
    HBITMAP hActive = LoadBitmapFromMemory(pData, nSize), hIdle = LoadBitmapFromMemory(pData, nSize);
    BITMAP bmActive = {}, bmIdle = {};
    const bool bLoaded = hActive != NULL && hIdle != NULL &&
                         ::GetObjectA(hActive, sizeof bmActive, &bmActive) == sizeof bmActive &&
                         ::GetObjectA(hIdle, sizeof bmIdle, &bmIdle) == sizeof bmIdle &&
                         bmActive.bmWidth == bmIdle.bmWidth && bmActive.bmHeight == bmIdle.bmHeight;
    HRGN hRgn = bLoaded ? BitmapToRegion(hActive, DockMarkerKeyColor, 0) : NULL;
    if (hRgn == NULL) {
        for (HBITMAP h : {hActive, hIdle})
            if (h != NULL)
                ::DeleteObject(h);
        return false;
    }
    m_bmpActive.Attach(hActive);
    m_bmpIdle.Attach(hIdle);
    m_rgn.Attach(hRgn);
    m_eKind = eKind;
    m_size = CSize(bmActive.bmWidth, bmActive.bmHeight);
    Place(rcTarget);
    g_PaintManager->TintDockMarkerBitmaps(eKind, m_bmpActive, DockMarkerKeyColor, m_bmpIdle,
                                          DockMarkerKeyColor);
    return true;
}

bool CExtPaintManager::DockMarker::Build(int eKind, const RECT& rcTarget) {
    Clear();
    if (eKind >= KindTop && eKind <= KindCentre) {
        if (BuildPicture(eKind, rcTarget))
            return true;
        Clear();
        return false;
    }
    if (eKind != KindEdges && eKind != KindCross)
        return false;
    for (int nChild = KindTop; nChild <= KindRight; nChild++) {
        DockMarker* pChild = new DockMarker;
        m_arrChildren.Add(pChild);
        if (!pChild->Build(nChild, rcTarget)) {
            Clear();
            return false;
        }
    }
    m_eKind = KindEdges;
    m_rcPlacement = rcTarget;
    if (eKind == KindEdges)
        return true;
    DockMarker* pCentre = new DockMarker;
    if (!pCentre->Build(KindCentre, rcTarget)) {
        delete pCentre;
        Clear();
        return false;
    }
    // the arrows around the centre, in a square a little larger than it
    const CRect rc(rcTarget);
    const CSize szSquare(pCentre->m_size.cx + 12, pCentre->m_size.cy + 12);
    const CRect rcSquare(CPoint(rc.left + (rc.Width() - szSquare.cx) / 2,
                                rc.top + (rc.Height() - szSquare.cy) / 2),
                         szSquare);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        m_arrChildren[i]->Place(rcSquare);
    pCentre->Place(rcSquare);
    m_arrChildren.InsertAt(0, pCentre);
    m_eKind = KindCross;
    m_rcPlacement = rcSquare;
    return true;
}

// ---- marker windows -----------------------------------------------------------------------------

CExtDynDockMarkerWnd* CExtPaintManager::CreateDockMarkerWnd(CWnd* pWndOwner, int eKind,
                                                            HBITMAP hBmpActive, HBITMAP hBmpIdle,
                                                            HRGN hRgn, const RECT& rc) {
    return new CExtDynDockMarkerWnd(pWndOwner, eKind, hBmpActive, hBmpIdle, hRgn, rc);
}

bool CExtPaintManager::BuildDockMarker(int eKind, const RECT& rcTarget, CWnd* pWndOwner,
                                       CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& arr) {
    CExtDynDockMarkerWnd::DestroyMarkers(arr);
    DockMarker marker;
    if (!marker.Build(eKind, rcTarget))
        return false;
    std::vector<DockMarker*> records(1, &marker);
    for (INT_PTR i = 0; i < marker.m_arrChildren.GetSize(); i++)
        records.push_back(marker.m_arrChildren[i]);
    for (DockMarker* pRecord : records) {
        if (pRecord->m_bmpActive.GetSafeHandle() == NULL)
            continue;
        // the window takes the three handles
        CExtDynDockMarkerWnd* pWnd = CreateDockMarkerWnd(
            pWndOwner, pRecord->m_eKind, (HBITMAP)pRecord->m_bmpActive.Detach(),
            (HBITMAP)pRecord->m_bmpIdle.Detach(), (HRGN)pRecord->m_rgn.Detach(),
            pRecord->m_rcPlacement);
        if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL) {
            // no marker is better than part of one
            delete pWnd;
            CExtDynDockMarkerWnd::DestroyMarkers(arr);
            return false;
        }
        arr.Add(pWnd);
    }
    return true;
}

// ---- tinting ------------------------------------------------------------------------------------

void CExtPaintManager::TintDockMarkerBitmapsClassic(int eKind, CBitmap& bmpActive,
                                                    COLORREF clrKeyActive, CBitmap& bmpIdle,
                                                    COLORREF clrKeyIdle) {
    if (eKind == DockMarker::KindCentre)
        return;
    if (GetScreenBitsPerPixel() <= 8) {
        AdjustBitmapHsl(bmpIdle, clrKeyIdle, 0, 0.0, 0.3, -1.0);
        AdjustBitmapHsl(bmpActive, clrKeyActive, 0, 0.0, -0.15, -1.0);
    } else {
        AdjustBitmapHsl(bmpIdle, clrKeyIdle, 0, 0.0, 0.35, 0.0);
    }
}

void CExtPaintManager::TintDockMarkerBitmaps(int eKind, CBitmap& bmpActive, COLORREF clrKeyActive,
                                             CBitmap& bmpIdle, COLORREF clrKeyIdle) {
    TintDockMarkerBitmapsClassic(eKind, bmpActive, clrKeyActive, bmpIdle, clrKeyIdle);
}

void CExtPaintManagerOffice2003::TintDockMarkerBitmaps(int eKind, CBitmap& bmpActive,
                                                       COLORREF clrKeyActive, CBitmap& bmpIdle,
                                                       COLORREF clrKeyIdle) {
    const int nScheme = g_PaintManager.m_eLunaScheme;
    if (nScheme == CExtPaintManagerHolder::LunaNone || GetScreenBitsPerPixel() <= 8) {
        TintDockMarkerBitmapsClassic(eKind, bmpActive, clrKeyActive, bmpIdle, clrKeyIdle);
        return;
    }
    if (eKind == DockMarker::KindCentre)
        return;
    AdjustBitmapHsl(bmpIdle, clrKeyIdle, 0, 0.0, 0.35, 0.0);
    if (nScheme == CExtPaintManagerHolder::LunaHomestead) {
        AdjustBitmapHsl(bmpIdle, clrKeyIdle, 0, 0.6, 0.0, -0.45);
        AdjustBitmapHsl(bmpActive, clrKeyActive, 0, 0.6, 0.0, -0.45);
    } else if (nScheme == CExtPaintManagerHolder::LunaMetallic) {
        AdjustBitmapHsl(bmpIdle, clrKeyIdle, 0, 0.0, 0.0, -0.85);
        AdjustBitmapHsl(bmpActive, clrKeyActive, 0, 0.0, 0.0, -0.85);
    }
}

// ---- the drop highlight -------------------------------------------------------------------------

void CExtPaintManager::PaintDockMarker(DWORD* pBits, int cx, int cy, bool bLimit, const RECT& rect1,
                                       const RECT& rect2, COLORREF clrHighlight, COLORREF clrBorder,
                                       int nBorderWidth) {
    if (pBits == NULL || cx <= 0 || cy <= 0)
        return;
    const CRect rcBuffer(0, 0, cx, cy);
    const CRect rc1 = bLimit ? CRect(rect1) : rcBuffer;
    const CRect rc2(rect2);
    auto inside = [&](int x, int y) {
        return !bLimit || rc1.PtInRect(CPoint(x, y)) || rc2.PtInRect(CPoint(x, y));
    };
    // rows are stored bottom-up
    auto pixel = [&](int x, int y) -> DWORD& { return pBits[(size_t)(cy - 1 - y) * cx + x]; };
    if (GetScreenBitsPerPixel() <= 8) {
        const DWORD shadow = ColorPixel(GetColor(COLOR_3DSHADOW));
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                if ((x & 1) != (y & 1) && inside(x, y))
                    pixel(x, y) = shadow;
        return;
    }
    if (clrHighlight == (COLORREF)-1)
        clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    if (nBorderWidth > 0 && clrBorder == (COLORREF)-1)
        clrBorder = ::GetSysColor(COLOR_3DFACE);
    const int w = nBorderWidth;
    const bool bSecond = !rc2.IsRectEmpty();
    // within w of the outline of rc1 with rc2 attached below it
    auto onBorder = [&](int x, int y) {
        if (w <= 0)
            return false;
        if (rc1.PtInRect(CPoint(x, y))) {
            if (y < rc1.top + w || x < rc1.left + w || x >= rc1.right - w)
                return true;
            if (y >= rc1.bottom - w)
                return !(bSecond && x >= rc2.left + w && x < rc2.right - w);
            return false;
        }
        if (rc2.PtInRect(CPoint(x, y)))
            return x < rc2.left + w || x >= rc2.right - w || y >= rc2.bottom - w;
        return false;
    };
    for (int y = 0; y < cy; y++) {
        for (int x = 0; x < cx; x++) {
            if (!inside(x, y))
                continue;
            const COLORREF clr = onBorder(x, y) ? clrBorder : clrHighlight;
            DWORD& px = pixel(x, y);
            const int from[3] = {(int)((px >> 16) & 0xFF), (int)((px >> 8) & 0xFF), (int)(px & 0xFF)};
            const int to[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
            int mixed[3];
            for (int i = 0; i < 3; i++)
                mixed[i] = std::min(from[i] + (to[i] - from[i]) / 2, 255);
            px = ColorPixel(AdjustColorHsl(RGB(mixed[0], mixed[1], mixed[2]), 0.0, 0.1, 0.0));
        }
    }
}

void CExtPaintManagerOffice2003::PaintDockMarker(DWORD* pBits, int cx, int cy, bool bLimit,
                                                 const RECT& rc1, const RECT& rc2,
                                                 COLORREF clrHighlight, COLORREF clrBorder,
                                                 int nBorderWidth) {
    if (clrHighlight == (COLORREF)-1 && GetScreenBitsPerPixel() > 8) {
        switch (g_PaintManager.m_eLunaScheme) {
        case CExtPaintManagerHolder::LunaNormalColor: clrHighlight = RGB(0, 0, 128); break;
        case CExtPaintManagerHolder::LunaHomestead: clrHighlight = RGB(170, 187, 131); break;
        case CExtPaintManagerHolder::LunaMetallic: clrHighlight = RGB(96, 96, 144); break;
        default: break;
        }
    }
    CExtPaintManagerXP::PaintDockMarker(pBits, cx, cy, bLimit, rc1, rc2, clrHighlight, clrBorder,
                                        nBorderWidth);
}
