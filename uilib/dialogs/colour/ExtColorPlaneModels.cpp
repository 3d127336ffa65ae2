// The plane and wheel models of the colour control.
#include "ExtColorPlaneModels.h"
#include "CExtPaintManager.h"
#include <algorithm>
#include <cmath>

namespace ExtColor {

namespace {

const double kPi = 3.14159265358979323846;

int Clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

BYTE Channel(COLORREF clr, int nChannel) {
    return nChannel == 0 ? GetRValue(clr) : nChannel == 1 ? GetGValue(clr) : GetBValue(clr);
}

}  // namespace

// ---- the family (mode 1 is its base) ---------------------------------------------------------------

hsl_panel_data_t::hsl_panel_data_t()
    : m_bAreaValid(false), m_bStripValid(false), m_nCursorX(0), m_nCursorY(0), m_nAreaWidth(10),
      m_nAreaHeight(10), m_nStripWidth(10), m_nStripHeight(10), m_nConfiguredStripHeight(20),
      m_nMargin(4) {}

hsl_panel_data_t::~hsl_panel_data_t() {
    DropPicture(m_dcArea, m_bmpArea, m_hOldArea);
    DropPicture(m_dcStrip, m_bmpStrip, m_hOldStrip);
}

bool hsl_panel_data_t::MakePicture(CDC& dcPicture, CBitmap& bmp, HGDIOBJ& hOld, CDC* pDC,
                                   CPalette* pPalette, int cx, int cy) {
    DropPicture(dcPicture, bmp, hOld);
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || cx < 1 || cy < 1)
        return false;
    if (!dcPicture.CreateCompatibleDC(pDC))
        return false;
    if (!bmp.CreateCompatibleBitmap(pDC, cx, cy)) {
        dcPicture.DeleteDC();
        return false;
    }
    hOld = ::SelectObject(dcPicture.GetSafeHdc(), bmp.m_hObject);
    if (pPalette != NULL && pPalette->m_hObject != NULL) {
        ::SelectPalette(dcPicture.GetSafeHdc(), (HPALETTE)pPalette->m_hObject, FALSE);
        ::RealizePalette(dcPicture.GetSafeHdc());
    }
    return true;
}

void hsl_panel_data_t::DropPicture(CDC& dcPicture, CBitmap& bmp, HGDIOBJ& hOld) {
    if (dcPicture.GetSafeHdc() != NULL) {
        ::SelectObject(dcPicture.GetSafeHdc(), hOld);
        dcPicture.DeleteDC();
    }
    hOld = NULL;
    bmp.DeleteObject();
}

bool hsl_panel_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) {
    if (std::max(cx, 1) != m_cx || std::max(cy, 1) != m_cy)
        Reset();
    any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
    // the sizes follow the client size on every layout (also the first one, which may come with
    // the size the model started with)
    const int m = m_nMargin;
    m_nAreaWidth = m_nStripWidth = m_cx - 2 * m;
    m_nAreaHeight = m_cy - 3 * m - m_nConfiguredStripHeight;
    m_nStripHeight = m_nConfiguredStripHeight;
    if (Usable()) {
        BuildPanelBitmap(pDC, pPalette);
        BuildStripBitmap(pDC, pPalette);
    }
    return true;
}

void hsl_panel_data_t::Reset() {
    DropPicture(m_dcArea, m_bmpArea, m_hOldArea);
    DropPicture(m_dcStrip, m_bmpStrip, m_hOldStrip);
    m_bAreaValid = m_bStripValid = false;
    m_nTrackingState = kTrackNone;
}

void hsl_panel_data_t::PaintArea(CDC& dc) {
    dc.BitBlt(m_nMargin, m_nMargin, m_nAreaWidth, m_nAreaHeight, &m_dcArea, 0, 0, SRCCOPY);
}

void hsl_panel_data_t::Paint(CDC* pDC, CPalette* pPalette) {
    if (pDC == NULL || !Usable())
        return;
    ScopedPalette palette(pDC, pPalette);
    BuildPanelBitmap(pDC, pPalette);
    BuildStripBitmap(pDC, pPalette);
    if (m_dcArea.GetSafeHdc() != NULL)
        PaintArea(*pDC);
    if (m_dcStrip.GetSafeHdc() != NULL)
        pDC->BitBlt(m_nMargin, StripTop(), m_nStripWidth, m_nStripHeight, &m_dcStrip, 0, 0, SRCCOPY);
    const CPoint ptArea = AreaMarker(), ptStrip = StripMarker();
    PaintMarker(*pDC, ptArea.x, ptArea.y, 6, 6);
    PaintMarker(*pDC, ptStrip.x, ptStrip.y, 6, m_nStripHeight);
}

CPoint hsl_panel_data_t::AreaMarker() const {
    return CPoint(m_nCursorX + m_nMargin, m_nCursorY + m_nMargin);
}

CPoint hsl_panel_data_t::StripMarker() const {
    return CPoint(m_nMargin + (int)(m_nStripWidth * m_fLightness), StripTop() + m_nStripHeight / 2);
}

CPoint hsl_panel_data_t::AreaPoint(UINT nFlags, int x, int y) const {
    CPoint pt(Clamp(x - m_nMargin, 0, m_nAreaWidth), Clamp(y - m_nMargin, 0, m_nAreaHeight));
    if (nFlags & kKeyControl)
        pt.x = m_nCursorX;
    if (nFlags & kKeyShift)
        pt.y = m_nCursorY;
    return pt;
}

int hsl_panel_data_t::StripX(int x) const { return Clamp(x - m_nMargin, 0, m_nStripWidth); }

void hsl_panel_data_t::StartTracking(UINT nFlags, int x, int y) {
    if (!Usable() || m_dcArea.GetSafeHdc() == NULL)
        return;
    m_nTrackingState = y - 2 * m_nMargin > m_nAreaHeight ? kTrackStrip : kTrackArea;
    Track(nFlags | kKeyLeftButton, x, y);
}

void hsl_panel_data_t::Track(UINT nFlags, int x, int y) {
    if (!(nFlags & kKeyLeftButton) || !Usable() || !AreaTrackingReady())
        return;
    if (m_nTrackingState == kTrackArea) {
        const CPoint pt = AreaPoint(nFlags, x, y);
        m_fHue = (double)pt.x / m_nAreaWidth;
        m_fSaturation = (double)(m_nAreaHeight - pt.y) / m_nAreaHeight;
        m_clrCurrent = CExtPaintManager::HslToRgb(m_fHue, m_fLightness, m_fSaturation);
        m_nCursorX = pt.x;
        m_nCursorY = pt.y;
        m_bStripValid = false;
    } else if (m_nTrackingState == kTrackStrip) {
        m_fLightness = (double)StripX(x) / m_nStripWidth;
        m_clrCurrent = CExtPaintManager::HslToRgb(m_fHue, m_fLightness, m_fSaturation);
    }
}

void hsl_panel_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    m_nCursorX = (int)(m_nAreaWidth * m_fHue);
    m_nCursorY = m_nAreaHeight - (int)(m_nAreaHeight * m_fSaturation) - 1;
    m_bStripValid = false;
}

void hsl_panel_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    m_nCursorX = (int)(m_nAreaWidth * m_fHue);
    m_nCursorY = m_nAreaHeight - (int)(m_nAreaHeight * m_fSaturation) - 1;
    m_bStripValid = false;
}

void hsl_panel_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bAreaValid && m_dcArea.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcArea, m_bmpArea, m_hOldArea, pDC, pPalette, m_nAreaWidth, m_nAreaHeight))
        return;
    const int aw = m_nAreaWidth, ah = m_nAreaHeight;
    if (LowColor()) {
        for (int y = 0; y < ah; y++)
            for (int x = 0; x < aw; x++)
                FillWithBrush(m_dcArea, x - 2, y - 2, x + 2, y + 2,
                              CExtPaintManager::HslToRgb((double)x / aw, 0.5, (double)(ah - y - 1) / ah));
    } else {
        PixelBuffer pixels(aw, ah, RGB(255, 255, 255));
        for (int y = 0; y < ah; y++)
            for (int x = 0; x < aw; x++)
                pixels.Set(x, y, CExtPaintManager::HslToRgb((double)x / aw, 0.5, (double)(ah - y - 1) / ah));
        pixels.CopyTo(m_dcArea);
    }
    m_bAreaValid = true;
}

void hsl_panel_data_t::BuildStripBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bStripValid && m_dcStrip.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcStrip, m_bmpStrip, m_hOldStrip, pDC, pPalette, m_nStripWidth, m_nStripHeight))
        return;
    const bool bLow = LowColor();
    for (int x = m_nStripWidth - 1; x >= 0; x -= bLow ? 4 : 1) {
        const COLORREF clr =
            CExtPaintManager::HslToRgb(m_fHue, (double)x / m_nStripWidth, m_fSaturation);
        if (bLow)
            FillWithBrush(m_dcStrip, x - 3, 0, x + 1, m_nStripHeight, clr);
        else
            m_dcStrip.FillSolidRect(x, 0, 1, m_nStripHeight, clr);
    }
    m_bStripValid = true;
}

// ---- mode 2: saturation and lightness at the current hue -----------------------------------------

void hsl_basic_hue_data_t::Track(UINT nFlags, int x, int y) {
    if (!(nFlags & kKeyLeftButton) || !Usable() || !AreaTrackingReady())
        return;
    if (m_nTrackingState == kTrackArea) {
        const CPoint pt = AreaPoint(nFlags, x, y);
        m_fSaturation = (double)pt.x / m_nAreaWidth;
        m_fLightness = (double)(m_nAreaHeight - pt.y) / m_nAreaHeight;
        m_clrCurrent = CExtPaintManager::HslToRgb(m_fHue, m_fLightness, m_fSaturation);
        m_nCursorX = pt.x;
        m_nCursorY = pt.y;
    } else if (m_nTrackingState == kTrackStrip) {
        m_fHue = (double)StripX(x) / m_nStripWidth;
        m_clrCurrent = CExtPaintManager::HslToRgb(m_fHue, m_fLightness, m_fSaturation);
        m_bAreaValid = false;
    }
}

void hsl_basic_hue_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    m_bAreaValid = false;
}

void hsl_basic_hue_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    m_bAreaValid = false;
}

void hsl_basic_hue_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bAreaValid && m_dcArea.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcArea, m_bmpArea, m_hOldArea, pDC, pPalette, m_nAreaWidth, m_nAreaHeight))
        return;
    const int aw = m_nAreaWidth, ah = m_nAreaHeight;
    const bool bLow = LowColor();
    PixelBuffer pixels(bLow ? 0 : aw, bLow ? 0 : ah, RGB(255, 255, 255));
    for (int y = 0; y < ah; y += bLow ? 4 : 1)
        for (int x = 0; x < aw; x += bLow ? 4 : 1) {
            const COLORREF clr =
                CExtPaintManager::HslToRgb(m_fHue, (double)(ah - y - 1) / ah, (double)x / aw);
            if (bLow)
                FillWithBrush(m_dcArea, x - 2, y - 2, x + 2, y + 2, clr);
            else
                pixels.Set(x, y, clr);
        }
    if (!bLow)
        pixels.CopyTo(m_dcArea);
    m_bAreaValid = true;
}

void hsl_basic_hue_data_t::BuildStripBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bStripValid && m_dcStrip.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcStrip, m_bmpStrip, m_hOldStrip, pDC, pPalette, m_nStripWidth, m_nStripHeight))
        return;
    const bool bLow = LowColor();
    for (int x = 0; x < m_nStripWidth; x += bLow ? 4 : 1) {
        const COLORREF clr = CExtPaintManager::HslToRgb((double)x / m_nStripWidth, 0.5, 1.0);
        if (bLow)
            FillWithBrush(m_dcStrip, x, 0, x + 4, m_nStripHeight, clr);
        else
            m_dcStrip.FillSolidRect(x, 0, 1, m_nStripHeight, clr);
    }
    m_bStripValid = true;
}

CPoint hsl_basic_hue_data_t::AreaMarker() const {
    return CPoint(m_nMargin + (int)(m_nAreaWidth * m_fSaturation),
                  m_nMargin + m_nAreaHeight - (int)(m_nAreaHeight * m_fLightness));
}

CPoint hsl_basic_hue_data_t::StripMarker() const {
    return CPoint(m_nMargin + (int)(m_nStripWidth * m_fHue), StripTop() + m_nStripHeight / 2);
}

// ---- mode 3: the hue wheel ---------------------------------------------------------------------

hsl_roller_data_t::hsl_roller_data_t() : m_nWheelX(0), m_nWheelY(0), m_nRadius(1) {}

int hsl_roller_data_t::WheelRadius(int nAreaWidth, int nAreaHeight, int nMargin) {
    return std::max((std::min(nAreaWidth, nAreaHeight) - nMargin) / 2, 1);
}

void hsl_roller_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bAreaValid && m_dcArea.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcArea, m_bmpArea, m_hOldArea, pDC, pPalette, m_nAreaWidth, m_nAreaHeight))
        return;
    const int aw = m_nAreaWidth, ah = m_nAreaHeight;
    m_dcArea.FillSolidRect(0, 0, aw, ah, RGB(255, 255, 255));
    const int cx = aw / 2, cy = ah / 2, r = WheelRadius(aw, ah, m_nMargin);
    m_nWheelX = cx;
    m_nWheelY = cy;
    m_nRadius = r;
    m_rgnDisc.DeleteObject();
    m_rgnHit.DeleteObject();
    m_rgnDisc.CreateEllipticRgn(cx - r, cy - r, cx + r, cy + r);
    const CPoint c = WheelCentre();
    m_rgnHit.CreateEllipticRgn(c.x - r - 18, c.y - r - 18, c.x + r + 18, c.y + r + 18);

    const bool bLow = LowColor();
    if (bLow)
        ::SelectClipRgn(m_dcArea.GetSafeHdc(), (HRGN)m_rgnDisc.m_hObject);
    PixelBuffer pixels(bLow ? 0 : aw, bLow ? 0 : ah, RGB(255, 255, 255));
    const double r2 = (double)r * r;
    for (int y = cy - r; y < cy + r; y++)
        for (int x = cx - r; x < cx + r; x++) {
            const double d2 = (double)(cx - x) * (cx - x) + (double)(cy - y) * (cy - y);
            if (d2 > r2)
                continue;
            if (bLow && (x % 4 != 0 || y % 4 != 0))
                continue;
            const double fHue = std::atan2((double)(cy - y), (double)(cx - x)) / (2.0 * kPi);
            const COLORREF clr = CExtPaintManager::HslToRgb(fHue, 0.5, d2 / r2);
            if (bLow)
                FillWithBrush(m_dcArea, x - 2, y - 2, x + 2, y + 2, clr);
            else
                pixels.Set(x, y, clr);
        }
    if (bLow)
        ::SelectClipRgn(m_dcArea.GetSafeHdc(), NULL);
    else
        pixels.CopyTo(m_dcArea);
    m_bAreaValid = true;
}

void hsl_roller_data_t::PaintArea(CDC& dc) {
    CExtPaintManager::TransparentBlt(dc, m_nMargin, m_nMargin, m_nAreaWidth, m_nAreaHeight, m_dcArea, 0,
                                     0, m_nAreaWidth, m_nAreaHeight, RGB(255, 255, 255));
}

void hsl_roller_data_t::StartTracking(UINT nFlags, int x, int y) {
    if (!Usable() || m_dcArea.GetSafeHdc() == NULL || m_rgnHit.m_hObject == NULL)
        return;
    if (m_rgnHit.PtInRegion(x, y))
        m_nTrackingState = kTrackArea;
    else if (y - 2 * m_nMargin > m_nAreaHeight)
        m_nTrackingState = kTrackStrip;
    else
        m_nTrackingState = kTrackNone;
    Track(nFlags | kKeyLeftButton, x, y);
}

void hsl_roller_data_t::Track(UINT nFlags, int x, int y) {
    if (!(nFlags & kKeyLeftButton) || !Usable() || m_dcArea.GetSafeHdc() == NULL)
        return;
    if (m_nTrackingState == kTrackArea) {
        if (m_rgnHit.m_hObject == NULL || !m_rgnHit.PtInRegion(x, y))
            return;
        const CPoint c = WheelCentre();
        const double dx = c.x - x, dy = c.y - y;
        const double d2 = dx * dx + dy * dy;
        const double r = m_nRadius;
        const double fHue = std::atan2(dy, dx) / (2.0 * kPi);
        const double fSaturation = (int)std::sqrt(d2) <= m_nRadius ? d2 / (r * r) : 1.0;
        // the lightness chosen in the strip survives the round trip through the colour
        const double fLightness = m_fLightness;
        SetHsl(fHue, fLightness, fSaturation);
        SetColor(CExtPaintManager::HslToRgb(fHue, fLightness, fSaturation));
        m_fLightness = fLightness;
    } else if (m_nTrackingState == kTrackStrip) {
        m_fLightness = (double)StripX(x) / m_nStripWidth;
        m_clrCurrent = CExtPaintManager::HslToRgb(m_fHue, m_fLightness, m_fSaturation);
    }
}

void hsl_roller_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    m_bStripValid = false;
}

void hsl_roller_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    m_bStripValid = false;
}

CPoint hsl_roller_data_t::AreaMarker() const {
    const double a = m_fHue * 2.0 * kPi;
    const double d = std::sqrt(m_fSaturation) * m_nRadius;
    return CPoint(m_nWheelX - (int)(std::cos(a) * d) + m_nMargin,
                  m_nWheelY - (int)(std::sin(a) * d) + m_nMargin);
}

// ---- modes 9 to 14: axis planes ------------------------------------------------------------------

BYTE xyz_plain_data_t::AxisValue(COLORREF clr) const {
    return m_nAxis < 3 ? Channel(clr, m_nAxis) : Channel(CExtPaintManager::InvertColor(clr), m_nAxis - 3);
}

COLORREF xyz_plain_data_t::WithAxisValue(COLORREF clr, BYTE v) const {
    const bool bComplement = m_nAxis >= 3;
    const COLORREF base = bComplement ? CExtPaintManager::InvertColor(clr) : clr;
    BYTE rgb[3] = {GetRValue(base), GetGValue(base), GetBValue(base)};
    rgb[m_nAxis % 3] = v;
    const COLORREF out = RGB(rgb[0], rgb[1], rgb[2]);
    return bComplement ? CExtPaintManager::InvertColor(out) : out;
}

COLORREF xyz_plain_data_t::PlaneColor(int x, int y) const {
    const BYTE a = (BYTE)std::min(x * 255 / m_nAreaWidth, 255);
    const BYTE b = (BYTE)std::min(y * 255 / m_nAreaHeight, 255);
    const bool bComplement = m_nAxis >= 3;
    const COLORREF base = bComplement ? CExtPaintManager::InvertColor(m_clrCurrent) : m_clrCurrent;
    BYTE rgb[3] = {GetRValue(base), GetGValue(base), GetBValue(base)};
    // the two other channels, in order, take a and b
    const int nAxis = m_nAxis % 3;
    rgb[nAxis == 0 ? 1 : 0] = a;
    rgb[nAxis == 2 ? 1 : 2] = b;
    const COLORREF out = RGB(rgb[0], rgb[1], rgb[2]);
    return bComplement ? CExtPaintManager::InvertColor(out) : out;
}

COLORREF xyz_plain_data_t::StripColor(int x) const {
    const BYTE s = (BYTE)std::min(x * 255 / m_nStripWidth, 255);
    BYTE rgb[3] = {0, 0, 0};
    rgb[m_nAxis % 3] = s;
    const COLORREF out = RGB(rgb[0], rgb[1], rgb[2]);
    return m_nAxis >= 3 ? CExtPaintManager::InvertColor(out) : out;
}

void xyz_plain_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bAreaValid && m_dcArea.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcArea, m_bmpArea, m_hOldArea, pDC, pPalette, m_nAreaWidth, m_nAreaHeight))
        return;
    const bool bLow = LowColor();
    PixelBuffer pixels(bLow ? 0 : m_nAreaWidth, bLow ? 0 : m_nAreaHeight, RGB(255, 255, 255));
    for (int y = 0; y < m_nAreaHeight; y += bLow ? 4 : 1)
        for (int x = 0; x < m_nAreaWidth; x += bLow ? 4 : 1) {
            if (bLow)
                FillWithBrush(m_dcArea, x, y, x + 4, y + 4, PlaneColor(x, y));
            else
                pixels.Set(x, y, PlaneColor(x, y));
        }
    if (!bLow)
        pixels.CopyTo(m_dcArea);
    m_bAreaValid = true;
}

void xyz_plain_data_t::BuildStripBitmap(CDC* pDC, CPalette* pPalette) {
    if (m_bStripValid && m_dcStrip.GetSafeHdc() != NULL)
        return;
    if (!MakePicture(m_dcStrip, m_bmpStrip, m_hOldStrip, pDC, pPalette, m_nStripWidth, m_nStripHeight))
        return;
    const bool bLow = LowColor();
    for (int x = 0; x < m_nStripWidth; x += bLow ? 4 : 1) {
        if (bLow)
            FillWithBrush(m_dcStrip, x, 0, x + 4, m_nStripHeight, StripColor(x));
        else
            m_dcStrip.FillSolidRect(x, 0, 1, m_nStripHeight, StripColor(x));
    }
    m_bStripValid = true;
}

void xyz_plain_data_t::Track(UINT nFlags, int x, int y) {
    if (!(nFlags & kKeyLeftButton) || !Usable() || !AreaTrackingReady())
        return;
    if (m_nTrackingState == kTrackStrip) {
        const BYTE v = (BYTE)std::min(StripX(x) * 255 / m_nStripWidth, 255);
        any_picker_data_t::SetColor(WithAxisValue(m_clrCurrent, v));
        m_bAreaValid = false;
    } else if (m_nTrackingState == kTrackArea) {
        const CPoint pt = AreaPoint(nFlags, x, y);
        any_picker_data_t::SetColor(PlaneColor(pt.x, pt.y));
        m_nCursorX = pt.x;
        m_nCursorY = pt.y;
    }
}

void xyz_plain_data_t::SetColor(COLORREF clr) {
    any_picker_data_t::SetColor(clr);
    m_bAreaValid = false;
}

void xyz_plain_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    any_picker_data_t::SetHsl(fHue, fLightness, fSaturation);
    m_bAreaValid = false;
}

CPoint xyz_plain_data_t::AreaMarker() const {
    const COLORREF base = m_nAxis >= 3 ? CExtPaintManager::InvertColor(m_clrCurrent) : m_clrCurrent;
    const int nAxis = m_nAxis % 3;
    const BYTE a = Channel(base, nAxis == 0 ? 1 : 0);
    const BYTE b = Channel(base, nAxis == 2 ? 1 : 2);
    return CPoint(m_nMargin + (int)(a / 255.0 * m_nAreaWidth), m_nMargin + (int)(b / 255.0 * m_nAreaHeight));
}

CPoint xyz_plain_data_t::StripMarker() const {
    return CPoint(m_nMargin + (int)(AxisValue(m_clrCurrent) / 255.0 * m_nStripWidth),
                  StripTop() + m_nStripHeight / 2);
}

}  // namespace ExtColor
