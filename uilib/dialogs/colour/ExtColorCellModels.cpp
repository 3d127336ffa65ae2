// The cell pickers of the colour control.
#include "ExtColorCellModels.h"
#include "CExtPaintManager.h"
#include <algorithm>
#include <cmath>

namespace ExtColor {

namespace {

const double kPi = 3.14159265358979323846;

// The directions of the six sides of a honeycomb ring (y grows downwards).
const double kRingSteps[6][2] = {{-0.5, 0.8660254}, {-1.0, 0.0}, {-0.5, -0.8660254},
                                 {0.5, -0.8660254}, {1.0, 0.0},  {0.5, 0.8660254}};

int RoundHalfAway(double v) { return (int)std::lround(v); }

BYTE Channel(COLORREF clr, int nChannel) {
    return nChannel == 0 ? GetRValue(clr) : nChannel == 1 ? GetGValue(clr) : GetBValue(clr);
}

COLORREF WithChannel(COLORREF clr, int nChannel, BYTE v) {
    BYTE r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    (nChannel == 0 ? r : nChannel == 1 ? g : b) = v;
    return RGB(r, g, b);
}

// A region of the six corners, deleted with the object.
struct PolygonRegion {
    explicit PolygonRegion(const POINT* pts) : h(::CreatePolygonRgn(pts, 6, ALTERNATE)) {}
    ~PolygonRegion() {
        if (h != NULL)
            ::DeleteObject(h);
    }
    HRGN h;
};

void Fill(CDC& dc, const RECT& rc, COLORREF clr, bool bPalette) {
    if (bPalette)
        FillWithBrush(dc, rc.left, rc.top, rc.right, rc.bottom, clr);
    else
        dc.FillSolidRect(&rc, clr);
}

}  // namespace

// ---- cell_t -----------------------------------------------------------------------------------

cell_t::cell_t() : m_clr(RGB(255, 255, 255)), m_left(0), m_top(0), m_right(0), m_bottom(0), m_bHexagon(1) {
    for (POINT& pt : m_points)
        pt.x = pt.y = 0;
}

void cell_t::SetHexagon(int x, int y, int s) {
    const double t = s * 0.57735026 * 0.5;
    const int h = s / 2;
    const POINT pts[6] = {{x - h, RoundHalfAway(y - t)}, {x, y - h},
                          {x + h, RoundHalfAway(y - t)}, {x + h, RoundHalfAway(y + t) + 1},
                          {x, y + h + 1},                {x - h, RoundHalfAway(y + t) + 1}};
    std::copy(pts, pts + 6, m_points);
}

void cell_t::SetRect(int left, int top, int right, int bottom) {
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

bool cell_t::HitTest(int x, int y) const {
    if (!m_bHexagon)
        return x >= m_left && x < m_right && y >= m_top && y < m_bottom;
    PolygonRegion rgn(m_points);
    return rgn.h != NULL && ::PtInRegion(rgn.h, x, y);
}

void cell_t::Paint(CDC& dc, bool bSelected, bool bPalette) const {
    HDC hdc = dc.GetSafeHdc();
    const int nSaved = ::SaveDC(hdc);
    ::SetBkMode(hdc, TRANSPARENT);
    HBRUSH hBrush = ::CreateSolidBrush(m_clr);
    HPEN hPen = ::CreatePen(PS_SOLID, 0, m_clr);
    ::SelectObject(hdc, hBrush);
    ::SelectObject(hdc, hPen);
    if (m_bHexagon) {
        if (!bSelected) {
            ::Polygon(hdc, m_points, 6);
        } else {
            // the selection: a white rim around the cell, framed black inside and out
            const POINT* p = m_points;
            const POINT big[6] = {{p[0].x - 2, p[0].y - 1}, {p[1].x, p[1].y - 2},
                                  {p[2].x + 2, p[2].y - 1}, {p[3].x + 2, p[3].y + 1},
                                  {p[4].x, p[4].y + 2},     {p[5].x - 2, p[5].y + 1}};
            ::SelectObject(hdc, ::GetStockObject(WHITE_BRUSH));
            ::Polygon(hdc, big, 6);
            ::SelectObject(hdc, hBrush);
            ::Polygon(hdc, m_points, 6);
            PolygonRegion rgnBig(big), rgnCell(m_points);
            HBRUSH hWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH);
            HBRUSH hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
            if (rgnBig.h != NULL) {
                ::FrameRgn(hdc, rgnBig.h, hWhite, 3, 3);
                ::FrameRgn(hdc, rgnBig.h, hBlack, 1, 1);
            }
            if (rgnCell.h != NULL)
                ::FrameRgn(hdc, rgnCell.h, hBlack, 1, 1);
        }
    } else {
        const CRect rc = GetRect();
        if (bSelected) {
            CRect rcFrame = rc;
            rcFrame.InflateRect(3, 3);
            Fill(dc, rcFrame, RGB(0, 0, 0), bPalette);
            rcFrame.DeflateRect(1, 1);
            Fill(dc, rcFrame, RGB(255, 255, 255), bPalette);
            rcFrame.DeflateRect(1, 1);
            Fill(dc, rcFrame, RGB(0, 0, 0), bPalette);
        }
        Fill(dc, rc, m_clr, bPalette);
    }
    ::RestoreDC(hdc, nSaved);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
}

// ---- cell_based_data_t: the honeycomb ------------------------------------------------------------

bool cell_based_data_t::EnsureCells(INT_PTR nCount) {
    if (m_cells.GetSize() != 0)
        return false;
    m_cells.SetSize(nCount);
    return true;
}

bool cell_based_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    const bool bColors = EnsureCells(kHoneycombCells) || !bKeepColors;
    const int s = std::min(m_cx / 16 + 2, (m_cy - 10) / 16 + 2);
    const int nAreaHeight = m_cy - (2 * s + 10);
    const int xCentre = m_cx / 2, yCentre = nAreaHeight / 2;

    int n = 0;
    m_cells[n].SetHexagon(xCentre, yCentre, s);
    if (bColors)
        m_cells[n].m_clr = RGB(255, 255, 255);
    n++;
    for (int r = 1; r <= 6; r++) {
        int x = xCentre + r * s, y = yCentre;
        const double fLightness = (7 - r) / 7.0 + 0.1;
        for (int nSide = 0; nSide < 6; nSide++) {
            for (int k = 0; k < r; k++, n++) {
                m_cells[n].SetHexagon(x, y, s);
                if (bColors) {
                    const int nHue = (int)(std::atan2((double)(y - yCentre), (double)(x - xCentre)) * 180.0 / kPi);
                    m_cells[n].m_clr = CExtPaintManager::HslToRgbDegrees((float)nHue, (float)fLightness, 1.0f);
                }
                x += (int)(s * kRingSteps[nSide][0]);
                y += (int)(s * kRingSteps[nSide][1]);
            }
        }
    }
    // the gray row: a large white cell, fifteen grays in a zigzag, a large black cell
    const int y0 = m_cy - s - 5;
    int x = (m_cx - s / 2 - (15 * s) / 2 - 3 * s) / 2;
    m_cells[n].SetHexagon(x, y0, 2 * s);
    if (bColors)
        m_cells[n].m_clr = RGB(255, 255, 255);
    n++;
    x += 2 * s;
    for (int k = 1; k <= 15; k++, n++) {
        const int dy = (s * 10) / 23;
        m_cells[n].SetHexagon(x, (k & 1) ? y0 - dy : y0 + dy, s);
        if (bColors) {
            const BYTE v = (BYTE)(255 - 15 * k);
            m_cells[n].m_clr = RGB(v, v, v);
        }
        x += s / 2;
    }
    m_cells[n].SetHexagon(x + (3 * s) / 2 - 1, y0, 2 * s);
    if (bColors)
        m_cells[n].m_clr = RGB(0, 0, 0);
    if (bColors)
        for (INT_PTR i = 0; i < m_cells.GetSize(); i++)
            m_cells[i].m_bHexagon = 1;
    return true;
}

void cell_based_data_t::Reset() { m_nTrackingState = kTrackNone; }

void cell_based_data_t::PaintCells(CDC& dc, CPalette* pPalette) const {
    const bool bPalette = pPalette != NULL;
    for (INT_PTR i = 0; i < m_cells.GetSize(); i++)
        m_cells[i].Paint(dc, false, bPalette);
    for (int i : SelectedCells())
        m_cells[i].Paint(dc, true, bPalette);
}

void cell_based_data_t::Paint(CDC* pDC, CPalette* pPalette) {
    if (pDC == NULL)
        return;
    ScopedPalette palette(pDC, pPalette);
    PaintCells(*pDC, pPalette);
}

std::vector<int> cell_based_data_t::SelectedCells() const {
    std::vector<int> selected;
    for (INT_PTR i = 0; i < m_cells.GetSize() && selected.size() < 2; i++)
        if (m_cells[i].m_clr == m_clrCurrent)
            selected.push_back((int)i);
    return selected;
}

int cell_based_data_t::HitTest(int x, int y) const {
    for (INT_PTR i = 0; i < m_cells.GetSize(); i++)
        if (m_cells[i].HitTest(x, y))
            return (int)i;
    return -1;
}

void cell_based_data_t::StartTracking(UINT nFlags, int x, int y) {
    m_nTrackingState = kTrackCells;
    Track(nFlags | kKeyLeftButton, x, y);
}

void cell_based_data_t::Track(UINT, int x, int y) {
    if (m_nTrackingState != kTrackCells)
        return;
    const int i = HitTest(x, y);
    if (i >= 0)
        SetColor(m_cells[i].m_clr);
}

// ---- the mixers ------------------------------------------------------------------------------

void cell_based_data_t::LayoutMixer(int nColumns, bool bComplement, bool bKeepColors) {
    const bool bColors = EnsureCells(256 * nColumns) || !bKeepColors;
    const int w = m_cx / 3 - 20;
    const int x = m_cx / 2 - w / 2;
    const int nRow = std::max((m_cy - 20) / 256, 2);
    for (int c = 0; c < nColumns; c++) {
        const int xColumn = nColumns == 1 ? x : x + (c - 1) * (w + 20);
        for (int i = 0; i < 256; i++) {
            cell_t& cell = m_cells[c * 256 + i];
            const int top = 10 + (i * (m_cy - 20)) / 256;
            cell.SetRect(xColumn, top, xColumn + w, top + nRow);
            if (!bColors)
                continue;
            cell.m_bHexagon = 0;
            const COLORREF clr = nColumns == 1 ? RGB(i, i, i) : WithChannel(RGB(0, 0, 0), c, (BYTE)i);
            cell.m_clr = bComplement ? CExtPaintManager::InvertColor(clr) : clr;
        }
    }
}

void cell_based_data_t::TrackMixer(int x, int y, bool bComplement) {
    if (m_nTrackingState != kTrackCells)
        return;
    const int i = HitTest(x, y);
    if (i < 0)
        return;
    COLORREF clr = bComplement ? CExtPaintManager::InvertColor(m_clrCurrent) : m_clrCurrent;
    clr = WithChannel(clr, i / 256, (BYTE)(i % 256));
    SetColor(bComplement ? CExtPaintManager::InvertColor(clr) : clr);
}

std::vector<int> cell_based_data_t::MixerSelection(bool bComplement) const {
    const COLORREF clr = bComplement ? CExtPaintManager::InvertColor(m_clrCurrent) : m_clrCurrent;
    return {Channel(clr, 0), 256 + Channel(clr, 1), 512 + Channel(clr, 2)};
}

bool grayscale_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    LayoutMixer(1, false, bKeepColors);
    return true;
}

std::vector<int> grayscale_mixer_data_t::SelectedCells() const {
    const BYTE r = GetRValue(m_clrCurrent);
    if (r != GetGValue(m_clrCurrent) || r != GetBValue(m_clrCurrent))
        return {};
    return {r};
}

bool rgb_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    LayoutMixer(3, false, bKeepColors);
    return true;
}

void rgb_mixer_data_t::Track(UINT, int x, int y) { TrackMixer(x, y, false); }

std::vector<int> rgb_mixer_data_t::SelectedCells() const { return MixerSelection(false); }

bool cmy_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    LayoutMixer(3, true, bKeepColors);
    return true;
}

void cmy_mixer_data_t::Track(UINT, int x, int y) { TrackMixer(x, y, true); }

std::vector<int> cmy_mixer_data_t::SelectedCells() const { return MixerSelection(true); }

// ---- diff_data_t -----------------------------------------------------------------------------

bool diff_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    const bool bColors = EnsureCells(2) || !bKeepColors;
    m_cells[0].SetRect(0, 0, m_cx, m_cy / 2);
    m_cells[1].SetRect(0, m_cy / 2, m_cx, 2 * (m_cy / 2));
    m_cells[0].m_bHexagon = m_cells[1].m_bHexagon = 0;
    if (bColors)
        RefreshColors();
    return true;
}

void diff_data_t::RefreshColors() {
    if (m_cells.GetSize() < 2)
        return;
    m_cells[0].m_clr = m_clrCurrent;
    m_cells[1].m_clr = m_clrReference;
}

void diff_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    RefreshColors();
}

void diff_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    RefreshColors();
}

std::vector<int> diff_data_t::SelectedCells() const { return {}; }

}  // namespace ExtColor
