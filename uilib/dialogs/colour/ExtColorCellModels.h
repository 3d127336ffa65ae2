// The cell pickers of the colour control: the honeycomb of basic colours (mode 0), the gray,
// red-green-blue and cyan-magenta-yellow mixers (modes 6, 5, 8) and the comparison of the new
// colour with the reference colour (mode 15). Their area is a set of hexagon or rectangle cells.
#pragma once
#include "ExtColorPickerModel.h"
#include <vector>

namespace ExtColor {

// One cell: a hexagon (six corners in drawing order) or a rectangle.
struct cell_t {
    cell_t();

    // Makes the cell the hexagon of size s centred at (x, y).
    void SetHexagon(int x, int y, int s);
    void SetRect(int left, int top, int right, int bottom);
    CRect GetRect() const { return CRect(m_left, m_top, m_right, m_bottom); }
    bool HitTest(int x, int y) const;
    void Paint(CDC& dc, bool bSelected, bool bPalette) const;

    COLORREF m_clr;
    int m_left, m_top, m_right, m_bottom;
    POINT m_points[6];
    BYTE m_bHexagon;
};

// Mode 0: 144 hexagons, the centre and six rings of hues, then a row of grays.
class cell_based_data_t : public any_picker_data_t {
public:
    enum { kHoneycombCells = 144 };

    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Reset() override;
    void Paint(CDC* pDC, CPalette* pPalette) override;
    void StartTracking(UINT nFlags, int x, int y) override;
    void Track(UINT nFlags, int x, int y) override;

    // The first cell (array order) that contains the point, or -1.
    int HitTest(int x, int y) const;
    // The cells painted selected for the current colour, in array order.
    virtual std::vector<int> SelectedCells() const;

    CArray<cell_t, const cell_t&> m_cells;

protected:
    // Sizes the array at the first layout; answers true when the cells are new (they have no
    // colours to keep yet).
    bool EnsureCells(INT_PTR nCount);
    void PaintCells(CDC& dc, CPalette* pPalette) const;
    // The mixers' columns of 256 rectangles: nColumns 1 (gray) or 3; bComplement makes the
    // three columns cyan, magenta and yellow.
    void LayoutMixer(int nColumns, bool bComplement, bool bKeepColors);
    void TrackMixer(int x, int y, bool bComplement);
    std::vector<int> MixerSelection(bool bComplement) const;
};

// Mode 6: one column of 256 gray rectangles.
class grayscale_mixer_data_t : public cell_based_data_t {
public:
    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    std::vector<int> SelectedCells() const override;
};

// Mode 5: three columns of 256 (red, green, blue); a drag sets one channel.
class rgb_mixer_data_t : public cell_based_data_t {
public:
    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Track(UINT nFlags, int x, int y) override;
    std::vector<int> SelectedCells() const override;
};

// Mode 8: the same on the colour's complement (cyan, magenta, yellow).
class cmy_mixer_data_t : public cell_based_data_t {
public:
    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void Track(UINT nFlags, int x, int y) override;
    std::vector<int> SelectedCells() const override;
};

// Mode 15: the current colour over the reference colour; a click on the lower half takes the
// reference colour.
class diff_data_t : public grayscale_mixer_data_t {
public:
    bool Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) override;
    void SetColor(COLORREF clr) override;
    void SetHsl(double fHue, double fLightness, double fSaturation) override;
    std::vector<int> SelectedCells() const override;

private:
    void RefreshColors();
};

}  // namespace ExtColor
