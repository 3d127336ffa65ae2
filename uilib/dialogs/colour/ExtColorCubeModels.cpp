// The colour cubes of the colour control.
#include "ExtColorCubeModels.h"
#include "CExtPaintManager.h"
#include <algorithm>

namespace ExtColor {

namespace {

// A region of four corners, deleted with the object.
struct QuadRegion {
    explicit QuadRegion(const POINT* pts) : h(::CreatePolygonRgn(pts, 4, ALTERNATE)) {}
    ~QuadRegion() {
        if (h != NULL)
            ::DeleteObject(h);
    }
    HRGN h;
};

}  // namespace

cube_data_t::cube_data_t(bool bComplement)
    : m_nHandleHalfWidth(4), m_nHandleHalfHeight(4), m_rcCube(0, 0, 0, 0), m_nMargin(5),
      m_bComplement(bComplement) {
    PlaceHandles();
}

cube_data_t::~cube_data_t() { Reset(); }

COLORREF cube_data_t::ToChannels(COLORREF clr) const {
    return m_bComplement ? CExtPaintManager::InvertColor(clr) : clr;
}

COLORREF cube_data_t::FromChannels(COLORREF clrChannels) const {
    return m_bComplement ? CExtPaintManager::InvertColor(clrChannels) : clrChannels;
}

CRect cube_data_t::CubeRect(int cx, int cy, int nMargin) {
    CRect rc(0, 0, cx, cy);
    rc.DeflateRect(nMargin, nMargin);
    const int w = rc.Width(), h = rc.Height();
    if (h < w)
        rc.DeflateRect((w - h) / 2, 0);
    else if (h > w)
        rc.DeflateRect(0, (h - w) / 2);
    if (rc.Width() % 4 != 0)
        rc.right -= 3;
    if (rc.Height() % 4 != 0)
        rc.bottom -= 3;
    return rc;
}

void cube_data_t::PlaceGeometry() {
    m_rcCube = CubeRect(m_cx, m_cy, m_nMargin);
    const int l = m_rcCube.left, t = m_rcCube.top, r = m_rcCube.right, b = m_rcCube.bottom;
    const int h = b - t;
    m_ptCentre = CPoint((l + r) / 2, (t + b) / 2);
    m_ptTop = CPoint(m_ptCentre.x, t);
    m_ptLeftLower = CPoint(l, b - h / 4);
    m_ptRightLower = CPoint(r, b - h / 4);
}

void cube_data_t::PlaceHandles() {
    if (!Usable())
        return;
    const int hh = m_rcCube.Height() / 2;
    const COLORREF clr = ToChannels(m_clrCurrent);
    const int up = GetRValue(clr) * hh / 255;
    const int g = GetGValue(clr) * hh / 255;
    const int k = GetBValue(clr) * hh / 255;
    const CPoint& c = m_ptCentre;
    m_ptHandle[0] = CPoint(c.x, c.y - up);
    m_ptHandle[1] = CPoint(c.x - g, c.y + g / 2);
    m_ptHandle[2] = CPoint(c.x + k, c.y + k / 2);
    m_ptGuide[0] = CPoint(m_ptHandle[1].x, m_ptHandle[1].y - up);
    m_ptGuide[1] = CPoint(m_ptHandle[2].x, m_ptHandle[2].y - up);
    m_ptGuide[2] = CPoint(c.x + k - g, c.y + k / 2 + g / 2);
    m_ptGuide[3] = CPoint(m_ptGuide[2].x, m_ptGuide[2].y - up);
}

CRect cube_data_t::HandleHitRect(int nHandle) const {
    const CPoint& pt = m_ptHandle[nHandle];
    return CRect(pt.x - m_nHandleHalfWidth, pt.y - m_nHandleHalfHeight, pt.x + m_nHandleHalfWidth,
                 pt.y + m_nHandleHalfHeight);
}

bool cube_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    if (std::max(cx, 1) != m_cx || std::max(cy, 1) != m_cy)
        Reset();
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    PlaceGeometry();
    if (!HasPicture())
        BuildPicture(pDC, pPalette);
    PlaceHandles();
    return true;
}

void cube_data_t::Reset() {
    if (m_dcCube.GetSafeHdc() != NULL) {
        ::SelectObject(m_dcCube.GetSafeHdc(), m_hOldBitmap);
        m_dcCube.DeleteDC();
    }
    m_hOldBitmap = NULL;
    m_bmpCube.DeleteObject();
    m_nTrackingState = kTrackNone;
}

void cube_data_t::BuildPicture(CDC* pDC, CPalette* pPalette) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || !Usable())
        return;
    const int w = m_rcCube.Width(), h = m_rcCube.Height();
    if (!m_dcCube.CreateCompatibleDC(pDC))
        return;
    if (!m_bmpCube.CreateCompatibleBitmap(pDC, w, h)) {
        m_dcCube.DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_dcCube.GetSafeHdc(), m_bmpCube.m_hObject);
    if (pPalette != NULL && pPalette->m_hObject != NULL) {
        ::SelectPalette(m_dcCube.GetSafeHdc(), (HPALETTE)pPalette->m_hObject, FALSE);
        ::RealizePalette(m_dcCube.GetSafeHdc());
    }
    m_dcCube.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));

    const bool bLow = LowColor();
    const int n = h / 2, m = w / 2;
    PixelBuffer pixels(bLow ? 0 : w, bLow ? 0 : h, RGB(255, 255, 255));
    auto sample = [&](int x, int y, BYTE c1, BYTE c2, BYTE c3) {
        const COLORREF clr = FromChannels(RGB(c1, c2, c3));
        if (bLow)
            FillWithBrush(m_dcCube, x - 2, y - 2, x + 2, y + 2, clr);
        else
            pixels.Set(x, y, clr);
    };
    for (int j = 0; j <= n; j++) {
        const BYTE vj = (BYTE)(255 * j / n);
        for (int i = 0; i <= n; i++) {
            const BYTE vi = (BYTE)(255 * i / n);
            sample(m - 1 - i, n + i / 2 - j, vj, vi, 0);       // left face
            sample(m + i, n + i / 2 - j, vj, 0, vi);           // right face
            sample(m + j - i, n + i / 2 + j / 2, 0, vi, vj);   // bottom face, two pixels wide
            sample(m + j - i - 1, n + i / 2 + j / 2, 0, vi, vj);
        }
    }
    if (!bLow)
        pixels.CopyTo(m_dcCube);
}

void cube_data_t::Paint(CDC* pDC, CPalette* pPalette) {
    if (pDC == NULL || !Usable())
        return;
    ScopedPalette palette(pDC, pPalette);
    if (!HasPicture())
        BuildPicture(pDC, pPalette);
    if (HasPicture())
        CExtPaintManager::TransparentBlt(*pDC, m_rcCube.left, m_rcCube.top, m_rcCube.Width(),
                                         m_rcCube.Height(), m_dcCube, 0, 0, m_rcCube.Width(),
                                         m_rcCube.Height(), RGB(255, 255, 255));
    HDC hdc = pDC->GetSafeHdc();
    HGDIOBJ hOldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    const POINT axes[3] = {m_ptTop, m_ptCentre, m_ptRightLower};
    ::Polyline(hdc, axes, 3);
    ::MoveToEx(hdc, m_ptLeftLower.x, m_ptLeftLower.y, NULL);
    ::LineTo(hdc, m_ptCentre.x, m_ptCentre.y);

    ::SelectObject(hdc, ::GetStockObject(WHITE_PEN));
    const POINT guides[9] = {m_ptGuide[0], m_ptHandle[1], m_ptGuide[2], m_ptHandle[2], m_ptGuide[1],
                             m_ptHandle[0], m_ptGuide[0], m_ptGuide[3], m_ptGuide[1]};
    ::Polyline(hdc, guides, 9);
    ::MoveToEx(hdc, m_ptGuide[3].x, m_ptGuide[3].y, NULL);
    ::LineTo(hdc, m_ptGuide[2].x, m_ptGuide[2].y);

    for (int i = 0; i < 3; i++) {
        const CPoint& pt = m_ptHandle[i];
        const int extra = i == 0 ? 1 : 0;   // the first handle's box is a pixel larger
        RECT rc = {pt.x - m_nHandleHalfWidth, pt.y - m_nHandleHalfHeight,
                   pt.x + m_nHandleHalfWidth + extra, pt.y + m_nHandleHalfHeight + extra};
        ::FrameRect(hdc, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        ::InflateRect(&rc, -1, -1);
        ::FrameRect(hdc, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    }
    ::SelectObject(hdc, hOldPen);
}

void cube_data_t::StartTracking(UINT nFlags, int x, int y) {
    m_nTrackingState = kTrackNone;
    if (!Usable())
        return;
    for (int i = 0; i < 3; i++) {
        if (HandleHitRect(i).PtInRect(CPoint(x, y))) {
            m_nTrackingState = kTrackHandle1 + i;
            Track(nFlags | kKeyLeftButton, x, y);
            return;
        }
    }
    // faces can be clicked only where the picture holds one colour per pixel
    if (LowColor() || !HasPicture())
        return;
    const int l = m_rcCube.left, t = m_rcCube.top, r = m_rcCube.right, b = m_rcCube.bottom;
    const int h = b - t;
    const POINT faces[3][4] = {
        {m_ptLeftLower, {l, t + h / 4}, m_ptTop, m_ptCentre},
        {m_ptRightLower, {r, t + h / 4}, m_ptTop, m_ptCentre},
        {m_ptLeftLower, {m_ptCentre.x, b - h / 4 + h / 4}, m_ptRightLower, m_ptCentre}};
    for (int nFace = 0; nFace < 3; nFace++) {
        QuadRegion rgn(faces[nFace]);
        if (rgn.h == NULL || !::PtInRegion(rgn.h, x, y))
            continue;
        COLORREF clr = m_dcCube.GetPixel(x - l, y - t);
        if (clr == CLR_INVALID || clr == RGB(255, 255, 255))
            return;
        if (nFlags & kKeyControl) {
            // the face's own zero channel stays as it is in the current colour
            BYTE rgb[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
            const int nKept = nFace == 0 ? 2 : nFace == 1 ? 1 : 0;
            const BYTE cur[3] = {GetRValue(m_clrCurrent), GetGValue(m_clrCurrent), GetBValue(m_clrCurrent)};
            rgb[nKept] = cur[nKept];
            clr = RGB(rgb[0], rgb[1], rgb[2]);
        }
        SetColor(clr);
        return;
    }
}

void cube_data_t::Track(UINT, int x, int y) {
    if (!Usable() || m_nTrackingState < kTrackHandle1 || m_nTrackingState > kTrackHandle3)
        return;
    const CPoint& c = m_ptCentre;
    int v = 0;
    switch (m_nTrackingState) {
    case kTrackHandle1:
        y = std::min(std::max(y, m_ptTop.y), c.y);
        v = (y - c.y) * 255 / (m_ptTop.y - c.y);
        break;
    case kTrackHandle2:
        x = std::min(std::max(x, m_rcCube.left), c.x);
        v = (x - c.x) * 255 / (m_rcCube.left - c.x);
        break;
    default:
        x = std::min(std::max(x, c.x), m_rcCube.right);
        v = (c.x - x) * 255 / (c.x - m_rcCube.right);
        break;
    }
    const COLORREF ch = ToChannels(m_clrCurrent);
    BYTE rgb[3] = {GetRValue(ch), GetGValue(ch), GetBValue(ch)};
    const int nChannel = m_nTrackingState - kTrackHandle1;
    if (rgb[nChannel] == (BYTE)v)
        return;
    rgb[nChannel] = (BYTE)v;
    SetColor(FromChannels(RGB(rgb[0], rgb[1], rgb[2])));
}

void cube_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    PlaceHandles();
}

void cube_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    PlaceHandles();
}

}  // namespace ExtColor
