// The base of the colour control's picking models: one way of showing colours that lays out its
// area for a client size, paints it, maps the mouse to a colour while the left button is held,
// and keeps the current colour with its hue, saturation and lightness.
//
// The models live in namespace ExtColor; CExtColorCtrl gives them their nested names
// (CExtColorCtrl::any_picker_data_t, ...). They are plain members of the control and are
// called on its GUI thread only. Every geometry answer (cells, cube vertices, handles, areas,
// markers) is a public member or function, so the models are tested on memory DCs without
// windows.
#pragma once
#include "afxwin.h"
#include <vector>

namespace ExtColor {

// Key flags of the mouse messages the models look at.
enum : UINT {
    kKeyLeftButton = MK_LBUTTON,   // 1
    kKeyShift = MK_SHIFT,          // 4
    kKeyControl = MK_CONTROL,      // 8
};

// What a drag is moving.
enum TrackingState {
    kTrackNone = 0,
    kTrackHandle1 = 1,   // cube handles
    kTrackHandle2 = 2,
    kTrackHandle3 = 3,
    kTrackStrip = 4,     // the strip under a plane or wheel
    kTrackArea = 5,      // a plane or the wheel
    kTrackCells = 6,     // over cells
};

class any_picker_data_t {
public:
    any_picker_data_t();
    virtual ~any_picker_data_t() = default;
    any_picker_data_t(const any_picker_data_t&) = delete;
    any_picker_data_t& operator=(const any_picker_data_t&) = delete;

    // Fits the model to a client area of cx by cy; the base keeps the size, each at least 1.
    virtual bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors);
    // Drops cached pictures and ends any drag.
    virtual void Reset() = 0;
    virtual void Paint(CDC* pDC, CPalette* pPalette) = 0;
    // A left-button press: chooses what is dragged and usually tracks once.
    virtual void StartTracking(UINT nFlags, int x, int y) = 0;
    virtual void StopTracking(UINT nFlags, int x, int y);
    virtual void Track(UINT nFlags, int x, int y) = 0;
    virtual void SetReferenceColor(COLORREF clr);
    // Stores the colour and derives hue, saturation and lightness from it.
    virtual void SetColor(COLORREF clr);
    // Stores the three and makes the colour from them.
    virtual void SetHsl(double fHue, double fLightness, double fSaturation);

    // At 8 bits per pixel or less pictures are drawn in coarse squares.
    static bool LowColor();

    int m_nTrackingState;
    int m_cx, m_cy;
    COLORREF m_clrCurrent;
    COLORREF m_clrReference;
    double m_fLightness, m_fSaturation, m_fHue;
};

// Selects and realises a palette into a DC for the life of the object (nothing when either is
// null); the old palette goes back at the end.
class ScopedPalette {
public:
    ScopedPalette(CDC* pDC, CPalette* pPalette);
    ~ScopedPalette();
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

private:
    HDC m_hDC = NULL;
    HPALETTE m_hOld = NULL;
};

// Fills a rectangle through a brush of the colour (dithered on a palette device, where a
// solid fill would take the nearest colour).
void FillWithBrush(CDC& dc, int left, int top, int right, int bottom, COLORREF clr);

// A picture computed pixel by pixel: the pixels are gathered in memory and copied onto the DC
// in one call (one GDI call per pixel made the planes slow to draw). Only for displays of more
// than 256 colours; the low-colour paths draw brush squares instead.
class PixelBuffer {
public:
    PixelBuffer(int cx, int cy, COLORREF clrFill);
    // Pixels outside the buffer are ignored.
    void Set(int x, int y, COLORREF clr);
    void CopyTo(CDC& dc, int x = 0, int y = 0) const;

private:
    int m_cx, m_cy;
    std::vector<DWORD> m_pixels;
};

// A marker: a box of cx by cy centred on the point (offset by the integer halves), framed white
// with a black frame one pixel outside it.
void PaintMarker(CDC& dc, int x, int y, int cx, int cy);

}  // namespace ExtColor
