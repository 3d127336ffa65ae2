// The plane and wheel models of the colour control (modes 1, 2, 3 and 9 to 14): a picking area
// (a plane, or a hue wheel) above a strip. A drag in the area chooses two coordinates of the
// colour, a drag in the strip the third.
//
//   hsl_panel_data_t      mode 1   hue across, saturation up; lightness strip
//   hsl_basic_hue_data_t  mode 2   saturation across, lightness up at the current hue; hue strip
//   hsl_roller_data_t     mode 3   hue wheel (saturation outwards); lightness strip
//   xyz_plain_data_t      9 - 14   two channels at the current value of the third; axis strip
#pragma once
#include "ExtColorPickerModel.h"

namespace ExtColor {

class hsl_panel_data_t : public any_picker_data_t {
public:
    hsl_panel_data_t();
    ~hsl_panel_data_t() override;

    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Reset() override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    void StartTracking(UINT nFlags, int x, int y) override;
    void Track(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;
    // Each does nothing while its picture is valid and held; otherwise draws it again into a
    // new bitmap compatible with the DC.
    virtual void BuildStripBitmap(CDC* pDC, CPalette* pPalette);
    virtual void BuildPanelBitmap(CDC* pDC, CPalette* pPalette);

    // An area or strip below 1 pixel has no pictures, no markers and no tracking (its sizes
    // would divide by zero).
    bool Usable() const { return m_nAreaWidth >= 1 && m_nAreaHeight >= 1 && m_nStripWidth >= 1; }
    // The strip's top in client coordinates.
    int StripTop() const { return m_nAreaHeight + 2 * m_nMargin; }
    // The markers' centres in client coordinates (area, then strip).
    virtual CPoint AreaMarker() const;
    virtual CPoint StripMarker() const;
    // Where a drag point lands in the area (clamped, with the Ctrl and Shift locks).
    CPoint AreaPoint(UINT nFlags, int x, int y) const;
    // Where a drag point lands on the strip (clamped).
    int StripX(int x) const;

    CDC m_dcArea, m_dcStrip;
    bool m_bAreaValid, m_bStripValid;
    int m_nCursorX, m_nCursorY;
    int m_nAreaWidth, m_nAreaHeight, m_nStripWidth, m_nStripHeight;
    int m_nConfiguredStripHeight;
    int m_nMargin;

protected:
    // Makes a DC holding a new compatible bitmap of the size (with the palette); false when
    // nothing could be made.
    bool MakePicture(CDC& dcPicture, CBitmap& bmp, HGDIOBJ& hOld, CDC* pDC, CPalette* pPalette, int cx, int cy);
    void DropPicture(CDC& dcPicture, CBitmap& bmp, HGDIOBJ& hOld);
    // The area picture copied at (m, m); the wheel overrides it with a transparent copy.
    virtual void PaintArea(CDC& dc);
    virtual bool AreaTrackingReady() const { return m_dcArea.GetSafeHdc() != NULL; }

    CBitmap m_bmpArea, m_bmpStrip;
    HGDIOBJ m_hOldArea = NULL, m_hOldStrip = NULL;
};

class hsl_basic_hue_data_t : public hsl_panel_data_t {
public:
    void Track(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;
    void BuildStripBitmap(CDC* pDC, CPalette* pPalette) override;
    void BuildPanelBitmap(CDC* pDC, CPalette* pPalette) override;
    CPoint AreaMarker() const override;
    CPoint StripMarker() const override;

protected:
    bool AreaTrackingReady() const override { return m_dcStrip.GetSafeHdc() != NULL; }
};

class hsl_roller_data_t : public hsl_panel_data_t {
public:
    hsl_roller_data_t();
    void StartTracking(UINT nFlags, int x, int y) override;
    void Track(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;
    void BuildPanelBitmap(CDC* pDC, CPalette* pPalette) override;
    CPoint AreaMarker() const override;

    // The radius for an area: at least 1, so the wheel's arithmetic never divides by zero.
    static int WheelRadius(int nAreaWidth, int nAreaHeight, int nMargin);
    // The wheel's centre in client coordinates.
    CPoint WheelCentre() const { return CPoint(m_nWheelX + m_nMargin, m_nWheelY + m_nMargin); }

    int m_nWheelX, m_nWheelY;
    CRgn m_rgnDisc, m_rgnHit;   // area coordinates and client coordinates
    int m_nRadius;

protected:
    void PaintArea(CDC& dc) override;
};

class xyz_plain_data_t : public hsl_panel_data_t {
public:
    explicit xyz_plain_data_t(int nAxis = 0) : m_nAxis(nAxis) {}

    void Track(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;
    void BuildStripBitmap(CDC* pDC, CPalette* pPalette) override;
    void BuildPanelBitmap(CDC* pDC, CPalette* pPalette) override;
    CPoint AreaMarker() const override;
    CPoint StripMarker() const override;

    // The colours of the pictures: the plane at an area point, the strip at an x.
    COLORREF PlaneColor(int x, int y) const;
    COLORREF StripColor(int x) const;
    // The axis value of a colour (red, green, blue, or cyan, magenta, yellow) and the colour
    // with another axis value.
    BYTE AxisValue(COLORREF clr) const;
    COLORREF WithAxisValue(COLORREF clr, BYTE v) const;

    int m_nAxis;   // 0 red, 1 green, 2 blue, 3 cyan, 4 magenta, 5 yellow

protected:
    bool AreaTrackingReady() const override { return m_dcStrip.GetSafeHdc() != NULL; }
};

}  // namespace ExtColor
