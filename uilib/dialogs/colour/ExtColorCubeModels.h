// The colour cubes of the colour control (modes 4 and 7): three faces of the cube drawn
// isometrically around its zero corner, one handle on each axis and white guide lines that
// outline the box spanned by the current colour. A click on a face picks the colour under the
// mouse; a handle drag changes one channel.
#pragma once
#include "ExtColorPickerModel.h"

namespace ExtColor {

// What both cubes share; the cyan-magenta-yellow cube works on the colour's complement.
class cube_data_t : public any_picker_data_t {
public:
    ~cube_data_t() override;

    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Reset() override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    void StartTracking(UINT nFlags, int x, int y) override;
    void Track(UINT nFlags, int x, int y) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;

    // The cube rectangle for a client size: squared, then 3 pixels off a side that is not a
    // multiple of 4.
    static CRect CubeRect(int cx, int cy, int nMargin);
    // A cube too small to halve (below 2 by 2) has no picture, no handles and no tracking:
    // its axes would be zero long.
    bool Usable() const { return m_rcCube.Width() >= 2 && m_rcCube.Height() >= 2; }
    // The channels (red, green, blue or cyan, magenta, yellow) as a COLORREF and back.
    COLORREF ToChannels(COLORREF clr) const;
    COLORREF FromChannels(COLORREF clrChannels) const;
    // The handle box a press must hit (4 pixels on each side, right and bottom exclusive).
    CRect HandleHitRect(int nHandle) const;
    // Whether the picture has been built and is held.
    bool HasPicture() const { return m_dcCube.GetSafeHdc() != NULL; }

    CDC m_dcCube;
    int m_nHandleHalfWidth, m_nHandleHalfHeight;
    CRect m_rcCube;
    int m_nMargin;
    CPoint m_ptTop, m_ptLeftLower, m_ptRightLower, m_ptCentre;
    CPoint m_ptHandle[3];
    CPoint m_ptGuide[4];   // P1, P2, P3 and P4 (the colour's own point)

protected:
    explicit cube_data_t(bool bComplement);
    void PlaceGeometry();
    void PlaceHandles();
    void BuildPicture(CDC* pDC, CPalette* pPalette);

private:
    bool m_bComplement;
    CBitmap m_bmpCube;
    HGDIOBJ m_hOldBitmap = NULL;
};

class rgb_cube_data_t : public cube_data_t {
public:
    rgb_cube_data_t() : cube_data_t(false) {}
};

class cmy_cube_data_t : public cube_data_t {
public:
    cmy_cube_data_t() : cube_data_t(true) {}
};

}  // namespace ExtColor
