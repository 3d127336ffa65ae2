// The base of the colour control's picking models.
#include "ExtColorPickerModel.h"
#include "CExtPaintManager.h"
#include <algorithm>

namespace ExtColor {

any_picker_data_t::any_picker_data_t()
    : m_nTrackingState(kTrackNone), m_cx(50), m_cy(50), m_clrCurrent(RGB(255, 255, 255)),
      m_clrReference(RGB(255, 255, 255)), m_fLightness(1.0), m_fSaturation(0.0), m_fHue(0.0) {}

bool any_picker_data_t::Layout(CDC*, CPalette*, int cx, int cy, bool) {
    m_cx = std::max(cx, 1);
    m_cy = std::max(cy, 1);
    return true;
}

void any_picker_data_t::StopTracking(UINT, int, int) { m_nTrackingState = kTrackNone; }

void any_picker_data_t::SetReferenceColor(COLORREF clr) { m_clrReference = clr; }

void any_picker_data_t::SetColor(COLORREF clr) {
    m_clrCurrent = clr;
    CExtPaintManager::RgbToHsl(clr, m_fHue, m_fSaturation, m_fLightness);
}

void any_picker_data_t::SetHsl(double fHue, double fLightness, double fSaturation) {
    m_fHue = fHue;
    m_fLightness = fLightness;
    m_fSaturation = fSaturation;
    m_clrCurrent = CExtPaintManager::HslToRgb(fHue, fLightness, fSaturation);
}

bool any_picker_data_t::LowColor() { return CExtPaintManager::GetScreenBitsPerPixel() <= 8; }

ScopedPalette::ScopedPalette(CDC* pDC, CPalette* pPalette) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || pPalette == NULL || pPalette->m_hObject == NULL)
        return;
    m_hDC = pDC->GetSafeHdc();
    m_hOld = ::SelectPalette(m_hDC, (HPALETTE)pPalette->m_hObject, FALSE);
    ::RealizePalette(m_hDC);
}

ScopedPalette::~ScopedPalette() {
    if (m_hDC != NULL && m_hOld != NULL)
        ::SelectPalette(m_hDC, m_hOld, FALSE);
}

void FillWithBrush(CDC& dc, int left, int top, int right, int bottom, COLORREF clr) {
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    if (hBrush == NULL)
        return;
    RECT rc = {left, top, right, bottom};
    ::FillRect(dc.GetSafeHdc(), &rc, hBrush);
    ::DeleteObject(hBrush);
}

PixelBuffer::PixelBuffer(int cx, int cy, COLORREF clrFill)
    : m_cx(std::max(cx, 0)), m_cy(std::max(cy, 0)),
      m_pixels((size_t)m_cx * m_cy,
               ((DWORD)GetRValue(clrFill) << 16) | ((DWORD)GetGValue(clrFill) << 8) | GetBValue(clrFill)) {}

void PixelBuffer::Set(int x, int y, COLORREF clr) {
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return;
    m_pixels[(size_t)y * m_cx + x] = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

void PixelBuffer::CopyTo(CDC& dc, int x, int y) const {
    if (m_cx == 0 || m_cy == 0)
        return;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = m_cx;
    bi.bmiHeader.biHeight = -m_cy;   // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc.GetSafeHdc(), x, y, m_cx, m_cy, 0, 0, 0, m_cy, m_pixels.data(), &bi,
                        DIB_RGB_COLORS);
}

void PaintMarker(CDC& dc, int x, int y, int cx, int cy) {
    RECT rc = {x - cx / 2, y - cy / 2, x - cx / 2 + cx, y - cy / 2 + cy};
    HDC hdc = dc.GetSafeHdc();
    ::FrameRect(hdc, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::InflateRect(&rc, 1, 1);
    ::FrameRect(hdc, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
}

}  // namespace ExtColor
