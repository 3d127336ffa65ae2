// The picking models on memory DCs, without windows: geometry, picks and drags, the guards of
// tiny sizes. Run on a 24-bit and on an 8-bit display (faces of the cubes cannot be clicked at
// 8 bits, and the pictures are drawn in coarse squares there).
#include "orv/gtest.h"
#include "RenderHarness.h"
#include "CExtColorCtrl.h"
#include <cmath>
#include <memory>

using namespace ExtColor;

namespace {

std::string RectText(const CRect& rc) {
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + ")";
}

bool HighColor() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

std::string ColorText(COLORREF clr) {
    return "RGB(" + std::to_string(GetRValue(clr)) + "," + std::to_string(GetGValue(clr)) + "," +
           std::to_string(GetBValue(clr)) + ")";
}

// A model laid out on a canvas of its size, as the control lays it out on its client DC.
class ModelTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }

    void LayOut(any_picker_data_t& model, int cx, int cy, bool bKeepColors = false) {
        canvas.reset(new orvtest::RenderCanvas(std::max(cx, 1), std::max(cy, 1)));
        ASSERT_TRUE(canvas->Valid());
        model.Layout(&canvas->dc(), NULL, cx, cy, bKeepColors);
    }
    // A press, drag steps and the release, as the control hands them on.
    static void Drag(any_picker_data_t& model, std::initializer_list<POINT> points, UINT nFlags = 0) {
        auto it = points.begin();
        model.StartTracking(nFlags, it->x, it->y);
        for (++it; it != points.end(); ++it)
            model.Track(nFlags | kKeyLeftButton, it->x, it->y);
        model.StopTracking(nFlags, 0, 0);
    }

    std::unique_ptr<orvtest::RenderCanvas> canvas;
};

// ---- 1. honeycomb -----------------------------------------------------------------------------

// At 200 x 200 the cell size is 13, the honeycomb's centre (100, 82), the gray row at y 182.
TEST_F(ModelTest, HoneycombCellsSitWhereTheRingWalkPutsThem) {
    cell_based_data_t model;
    LayOut(model, 200, 200);
    ASSERT_EQ(144, model.m_cells.GetSize());
    struct Case { int nCell, x, y, s; };
    const Case cases[] = {
        {0, 100, 82, 13},                                           // centre
        {1, 113, 82, 13},   {2, 107, 93, 13},  {3, 94, 93, 13},     // ring 1
        {4, 88, 82, 13},    {5, 94, 71, 13},   {6, 107, 71, 13},
        {7, 126, 82, 13},   {9, 114, 104, 13},                      // ring 2: start, second side
        {127, 29, 182, 26},                                         // large white
        {128, 55, 177, 13}, {129, 61, 187, 13}, {142, 139, 177, 13},// grays 240, 225 ... 30
        {143, 163, 182, 26},                                        // large black
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("cell " + std::to_string(c.nCell));
        const cell_t& cell = model.m_cells[c.nCell];
        const int h = c.s / 2;
        EXPECT_TRUE(cell.m_bHexagon);
        EXPECT_EQ(c.x - h, cell.m_points[0].x);
        EXPECT_EQ(c.x, cell.m_points[1].x);
        EXPECT_EQ(c.y - h, cell.m_points[1].y);
        EXPECT_EQ(c.x + h, cell.m_points[3].x);
        EXPECT_EQ(c.y + h + 1, cell.m_points[4].y);
    }
    // the centre hexagon whole: t = 3.75, so the side corners round to 78 and 86 (+1)
    const POINT centre[6] = {{94, 78}, {100, 76}, {106, 78}, {106, 87}, {100, 89}, {94, 87}};
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(centre[i].x, model.m_cells[0].m_points[i].x) << i;
        EXPECT_EQ(centre[i].y, model.m_cells[0].m_points[i].y) << i;
    }
    // colours: ring 1 is the lightest, its first cell at hue 0, the second at 57 degrees
    EXPECT_EQ(CExtPaintManager::HslToRgbDegrees(0.0f, (float)(6 / 7.0 + 0.1), 1.0f), model.m_cells[1].m_clr);
    EXPECT_EQ(CExtPaintManager::HslToRgbDegrees(57.0f, (float)(6 / 7.0 + 0.1), 1.0f), model.m_cells[2].m_clr);
    EXPECT_EQ(RGB(240, 240, 240), model.m_cells[128].m_clr);
    EXPECT_EQ(RGB(30, 30, 30), model.m_cells[142].m_clr);
    EXPECT_EQ(RGB(0, 0, 0), model.m_cells[143].m_clr);
    // a press in a cell picks it; the gaps between the gray row and the rings pick nothing
    EXPECT_EQ(0, model.HitTest(100, 82));
    EXPECT_EQ(143, model.HitTest(163, 182));
    EXPECT_EQ(-1, model.HitTest(2, 2));
}

TEST_F(ModelTest, HoneycombSelectsTwoWhitesOneBlackOneOfEachListedGray) {
    cell_based_data_t model;
    LayOut(model, 200, 200);
    struct Case { COLORREF clr; std::vector<int> cells; };
    std::vector<Case> cases = {
        {RGB(255, 255, 255), {0, 127}},
        {RGB(0, 0, 0), {143}},
        {RGB(1, 2, 3), {}},
        {RGB(250, 250, 250), {}},
        {RGB(15, 15, 15), {}},
    };
    for (int k = 1; k <= 15; k++)
        cases.push_back({RGB(255 - 15 * k, 255 - 15 * k, 255 - 15 * k), {127 + k}});
    for (const Case& c : cases) {
        model.SetColor(c.clr);
        EXPECT_EQ(c.cells, model.SelectedCells()) << ColorText(c.clr);
    }
}

TEST_F(ModelTest, ANewLayoutMovesTheCellsAndKeepsTheirColoursOnlyWhenAsked) {
    cell_based_data_t honeycomb;
    grayscale_mixer_data_t gray;
    rgb_mixer_data_t rgb;
    for (cell_based_data_t* pModel : {&honeycomb, static_cast<cell_based_data_t*>(&gray),
                                      static_cast<cell_based_data_t*>(&rgb)}) {
        LayOut(*pModel, 200, 300);
        auto corner = [&] {
            const cell_t& cell = pModel->m_cells[5];
            return cell.m_bHexagon ? cell.m_points[1] : POINT{cell.m_left, cell.m_top};
        };
        const COLORREF clrStandard = pModel->m_cells[5].m_clr;
        const POINT ptBefore = corner();
        pModel->m_cells[5].m_clr = RGB(1, 2, 3);
        LayOut(*pModel, 320, 360, true);
        EXPECT_EQ(RGB(1, 2, 3), pModel->m_cells[5].m_clr);
        const POINT ptAfter = corner();
        EXPECT_TRUE(ptBefore.x != ptAfter.x || ptBefore.y != ptAfter.y);
        LayOut(*pModel, 320, 360, false);
        EXPECT_EQ(clrStandard, pModel->m_cells[5].m_clr);
    }
}

// ---- 2. mixers and comparison ---------------------------------------------------------------------

// At 300 x 300 the columns are 80 wide: red 10-90, green 110-190, blue 210-290.
TEST_F(ModelTest, ADragDownOneMixerColumnChangesOnlyItsChannel) {
    struct Case { int nColumnX; int nChannel; bool bComplement; };
    const Case cases[] = {{50, 0, false}, {150, 1, false}, {250, 2, false},
                          {50, 0, true},  {150, 1, true},  {250, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nChannel) + (c.bComplement ? " complement" : ""));
        rgb_mixer_data_t rgb;
        cmy_mixer_data_t cmy;
        cell_based_data_t& model = c.bComplement ? static_cast<cell_based_data_t&>(cmy) : rgb;
        LayOut(model, 300, 300);
        const COLORREF clrStart = RGB(40, 80, 120);
        model.SetColor(clrStart);
        model.StartTracking(0, c.nColumnX, 12);
        COLORREF clrLast = model.m_clrCurrent;
        for (int y = 20; y <= 280; y += 20) {
            model.Track(kKeyLeftButton, c.nColumnX, y);
            const COLORREF clr = model.m_clrCurrent;
            const COLORREF seen = c.bComplement ? CExtPaintManager::InvertColor(clr) : clr;
            const COLORREF start = c.bComplement ? CExtPaintManager::InvertColor(clrStart) : clrStart;
            // the first row under y: rows start at 10 + i * 280 / 256 and are 2 high
            int level = 0;
            while (!(y >= 10 + level * 280 / 256 && y < 12 + level * 280 / 256))
                level++;
            const BYTE got[3] = {GetRValue(seen), GetGValue(seen), GetBValue(seen)};
            const BYTE was[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
            for (int ch = 0; ch < 3; ch++) {
                if (ch == c.nChannel)
                    EXPECT_EQ(level, got[ch]) << "y " << y;
                else
                    EXPECT_EQ(was[ch], got[ch]) << "y " << y;
            }
            clrLast = clr;
        }
        // leaving the columns keeps the last colour
        model.Track(kKeyLeftButton, 100, 150);
        model.Track(kKeyLeftButton, 5, 5);
        EXPECT_EQ(clrLast, model.m_clrCurrent);
        model.StopTracking(0, 0, 0);
        // the selection shows the three levels of the colour
        const COLORREF seen = c.bComplement ? CExtPaintManager::InvertColor(clrLast) : clrLast;
        EXPECT_EQ((std::vector<int>{GetRValue(seen), 256 + GetGValue(seen), 512 + GetBValue(seen)}),
                  model.SelectedCells());
    }
}

TEST_F(ModelTest, TheGrayMixerSelectsOnlyGrays) {
    grayscale_mixer_data_t model;
    LayOut(model, 300, 300);
    const struct { COLORREF clr; std::vector<int> cells; } cases[] = {
        {RGB(77, 77, 77), {77}}, {RGB(0, 0, 0), {0}}, {RGB(255, 255, 255), {255}},
        {RGB(77, 77, 78), {}},   {RGB(10, 20, 30), {}}};
    for (const auto& c : cases) {
        model.SetColor(c.clr);
        EXPECT_EQ(c.cells, model.SelectedCells()) << ColorText(c.clr);
    }
    // column 80 wide in the middle, rows from y 10
    EXPECT_EQ(CRect(110, 10, 190, 12), model.m_cells[0].GetRect());
    EXPECT_EQ(CRect(110, 10 + 255 * 280 / 256, 190, 12 + 255 * 280 / 256), model.m_cells[255].GetRect());
    EXPECT_FALSE(model.m_cells[0].m_bHexagon);
}

TEST_F(ModelTest, OnlyAClickOnTheLowerHalfOfTheComparisonTakesTheReferenceColour) {
    diff_data_t model;
    model.SetReferenceColor(RGB(10, 20, 30));
    model.SetColor(RGB(200, 100, 0));
    LayOut(model, 100, 81);
    EXPECT_EQ(CRect(0, 0, 100, 40), model.m_cells[0].GetRect());
    EXPECT_EQ(CRect(0, 40, 100, 80), model.m_cells[1].GetRect());
    EXPECT_TRUE(model.SelectedCells().empty());
    Drag(model, {{50, 10}});
    EXPECT_EQ(RGB(200, 100, 0), model.m_clrCurrent);
    Drag(model, {{50, 60}});
    EXPECT_EQ(RGB(10, 20, 30), model.m_clrCurrent);
    EXPECT_EQ(RGB(10, 20, 30), model.m_cells[0].m_clr);
    // a new reference shows only after the next colour or a layout without kept colours
    model.SetReferenceColor(RGB(1, 1, 1));
    LayOut(model, 100, 81, true);
    EXPECT_EQ(RGB(10, 20, 30), model.m_cells[1].m_clr);
    model.SetColor(RGB(5, 5, 5));
    EXPECT_EQ(RGB(1, 1, 1), model.m_cells[1].m_clr);
}

// ---- 3. cubes ---------------------------------------------------------------------------------

TEST_F(ModelTest, TheCubeRectangleIsSquaredAndCutToMultiplesOfFour) {
    const struct { int cx, cy; CRect rc; } cases[] = {
        {210, 210, CRect(5, 5, 205, 205)},   // 200: a multiple of 4
        {200, 200, CRect(5, 5, 192, 192)},   // 190: 3 pixels narrower and lower
        {300, 200, CRect(55, 5, 242, 192)},  // squared horizontally, then cut
        {200, 310, CRect(5, 60, 192, 247)},  // squared vertically, then cut
    };
    for (const auto& c : cases) {
        const CRect rc = cube_data_t::CubeRect(c.cx, c.cy, 5);
        EXPECT_EQ(RectText(c.rc), RectText(rc)) << c.cx << " x " << c.cy;
    }
    // the picture is drawn over that rectangle: at 200 x 200 the right lower vertex is at 192
    rgb_cube_data_t model;
    LayOut(model, 200, 200);
    EXPECT_EQ(CPoint(192, 192 - 187 / 4), model.m_ptRightLower);
    EXPECT_EQ(CPoint((5 + 192) / 2, 5), model.m_ptTop);
}

// At 210 x 210: centre (105, 105), top (105, 5), the axes 100 pixels long.
TEST_F(ModelTest, CubeHandlesClampToTheirAxes) {
    const COLORREF clrStart = RGB(100, 50, 200);
    struct Case { bool bCmy; int nHandle; POINT to; COLORREF expected; };
    const Case cases[] = {
        {false, 0, {105, -40}, RGB(255, 50, 200)},   // above the top vertex
        {false, 0, {105, 180}, RGB(0, 50, 200)},     // below the centre
        {false, 1, {-20, 105}, RGB(100, 255, 200)},  // beyond the left
        {false, 1, {150, 105}, RGB(100, 0, 200)},
        {false, 2, {250, 105}, RGB(100, 50, 255)},
        {false, 2, {20, 105}, RGB(100, 50, 0)},
        {true, 0, {105, -40}, RGB(0, 50, 200)},      // cyan 255: red 0
        {true, 0, {105, 180}, RGB(255, 50, 200)},    // cyan 0: red 255
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bCmy ? "cmy" : "rgb") + " handle " + std::to_string(c.nHandle + 1));
        rgb_cube_data_t rgb;
        cmy_cube_data_t cmy;
        cube_data_t& model = c.bCmy ? static_cast<cube_data_t&>(cmy) : rgb;
        LayOut(model, 210, 210);
        model.SetColor(clrStart);
        const CPoint handle = model.m_ptHandle[c.nHandle];
        Drag(model, {handle, c.to});
        EXPECT_EQ(ColorText(c.expected), ColorText(model.m_clrCurrent));
    }
    // handles of RGB(100, 50, 200): 39 up, 19 to the left, 78 to the right
    rgb_cube_data_t model;
    LayOut(model, 210, 210);
    model.SetColor(clrStart);
    EXPECT_EQ(CPoint(105, 66), model.m_ptHandle[0]);
    EXPECT_EQ(CPoint(86, 114), model.m_ptHandle[1]);
    EXPECT_EQ(CPoint(183, 144), model.m_ptHandle[2]);
    EXPECT_EQ(CPoint(183 - 19, 144 + 9 - 39), model.m_ptGuide[3]);
}

TEST_F(ModelTest, ACtrlClickOnTheLeftFaceKeepsBlue) {
    rgb_cube_data_t model;
    LayOut(model, 210, 210);
    const COLORREF clrStart = RGB(10, 20, 200);
    const struct { UINT nFlags; int x, y; bool bChanges; bool bKeepsBlue; } cases[] = {
        {0, 50, 100, true, false},
        {kKeyControl, 50, 100, true, true},
        {0, 195, 20, false, false},   // the white area around the faces
    };
    for (const auto& c : cases) {
        model.SetColor(clrStart);
        Drag(model, {{c.x, c.y}}, c.nFlags);
        EXPECT_EQ(kTrackNone, model.m_nTrackingState) << "face clicks start no drag";
        if (!HighColor() || !c.bChanges) {
            // at 8 bits faces cannot be clicked
            EXPECT_EQ(clrStart, model.m_clrCurrent);
            continue;
        }
        EXPECT_NE(clrStart, model.m_clrCurrent);
        EXPECT_EQ(c.bKeepsBlue ? 200 : 0, GetBValue(model.m_clrCurrent));
    }
}

// ---- 4. planes and wheel ------------------------------------------------------------------------

// At 200 x 150: area (4, 4) 192 x 118, strip (4, 126) 192 x 20.
TEST_F(ModelTest, PlaneSizesAndTheHslPanelsDrags) {
    hsl_panel_data_t model;
    LayOut(model, 200, 150);
    EXPECT_EQ(192, model.m_nAreaWidth);
    EXPECT_EQ(118, model.m_nAreaHeight);
    EXPECT_EQ(192, model.m_nStripWidth);
    EXPECT_EQ(20, model.m_nStripHeight);
    EXPECT_EQ(126, model.StripTop());

    model.SetColor(RGB(200, 100, 50));
    const double fLightness = model.m_fLightness;
    // along the bottom edge of the area: saturation 0, a gray of the current lightness
    Drag(model, {{20, 122}, {100, 140}, {180, 122}});
    EXPECT_EQ(0.0, model.m_fSaturation);
    EXPECT_EQ(CExtPaintManager::HslToRgb(model.m_fHue, fLightness, 0.0), model.m_clrCurrent);
    EXPECT_EQ(GetRValue(model.m_clrCurrent), GetGValue(model.m_clrCurrent));

    // with Ctrl held only the saturation follows the mouse
    model.SetColor(RGB(200, 100, 50));
    const int nCursorX = model.m_nCursorX;
    Drag(model, {{10, 20}, {150, 60}}, kKeyControl);
    EXPECT_EQ(nCursorX, model.m_nCursorX);
    EXPECT_DOUBLE_EQ((double)nCursorX / 192, model.m_fHue);
    EXPECT_DOUBLE_EQ((118.0 - 56) / 118, model.m_fSaturation);
    // with Shift only the hue
    const int nCursorY = model.m_nCursorY;
    Drag(model, {{30, 100}, {60, 10}}, kKeyShift);
    EXPECT_EQ(nCursorY, model.m_nCursorY);
    EXPECT_DOUBLE_EQ(56.0 / 192, model.m_fHue);

    // the strip's ends: lightness 1 at the far right, 0 beyond the left
    Drag(model, {{100, 136}, {400, 136}});
    EXPECT_EQ(1.0, model.m_fLightness);
    Drag(model, {{100, 136}, {-50, 136}});
    EXPECT_EQ(0.0, model.m_fLightness);
    EXPECT_EQ(RGB(0, 0, 0), model.m_clrCurrent);
}

TEST_F(ModelTest, TheBasicHueModelMovesSaturationAcrossAndLightnessUp) {
    hsl_basic_hue_data_t model;
    LayOut(model, 200, 150);
    model.SetColor(RGB(0, 0, 255));
    Drag(model, {{4 + 96, 4 + 59}});
    EXPECT_DOUBLE_EQ(0.5, model.m_fSaturation);
    EXPECT_DOUBLE_EQ(59.0 / 118, model.m_fLightness);
    EXPECT_DOUBLE_EQ(2.0 / 3, model.m_fHue);
    EXPECT_EQ(CPoint(4 + 96, 4 + 118 - 59), model.AreaMarker());
    // a hue drag makes the area stale
    model.Paint(&canvas->dc(), NULL);
    EXPECT_TRUE(model.m_bAreaValid);
    Drag(model, {{4 + 48, 136}});
    EXPECT_DOUBLE_EQ(0.25, model.m_fHue);
    EXPECT_FALSE(model.m_bAreaValid);
}

// The wheel at 200 x 150: radius (118 - 4) / 2 = 57 about (100, 63) on the control.
TEST_F(ModelTest, TheWheelPicksUpTo18PixelsOutsideAndKeepsTheLightness) {
    hsl_roller_data_t model;
    LayOut(model, 200, 150);
    EXPECT_EQ(57, model.m_nRadius);
    EXPECT_EQ(CPoint(100, 63), model.WheelCentre());

    model.SetColor(RGB(128, 128, 128));
    // 10 pixels outside on the right: hue 0.5 (the angle of the press), saturation 1
    Drag(model, {{100 + 57 + 10, 63}});
    EXPECT_EQ(CExtPaintManager::HslToRgb(0.5, 128 / 255.0, 1.0), model.m_clrCurrent);
    EXPECT_NEAR(1.0, model.m_fSaturation, 0.01);
    // 30 pixels outside: nothing
    const COLORREF clrBefore = model.m_clrCurrent;
    Drag(model, {{100 + 57 + 30, 63}});
    EXPECT_EQ(clrBefore, model.m_clrCurrent);
    EXPECT_EQ(kTrackNone, model.m_nTrackingState);

    // the lightness chosen on the strip survives wheel drags exactly
    Drag(model, {{4 + 60, 136}});
    const double fLightness = 60.0 / 192;
    EXPECT_DOUBLE_EQ(fLightness, model.m_fLightness);
    Drag(model, {{120, 50}, {80, 70}, {100, 20}, {60, 63}, {100, 63}});
    EXPECT_EQ(fLightness, model.m_fLightness);
}

TEST_F(ModelTest, AxisStripsRunFromBlackToTheAxisOrFromWhiteToItsComplement) {
    const struct { int nAxis; COLORREF clrLeft, clrRight; } cases[] = {
        {0, RGB(0, 0, 0), RGB(255, 0, 0)},       {1, RGB(0, 0, 0), RGB(0, 255, 0)},
        {2, RGB(0, 0, 0), RGB(0, 0, 255)},       {3, RGB(255, 255, 255), RGB(0, 255, 255)},
        {4, RGB(255, 255, 255), RGB(255, 0, 255)}, {5, RGB(255, 255, 255), RGB(255, 255, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("axis " + std::to_string(c.nAxis));
        xyz_plain_data_t model(c.nAxis);
        LayOut(model, 200, 150);
        EXPECT_EQ(c.clrLeft, model.StripColor(0));
        EXPECT_EQ(c.clrRight, model.StripColor(192));
        if (HighColor()) {
            canvas->Fill(RGB(0, 128, 128));
            model.Paint(&canvas->dc(), NULL);
            EXPECT_EQ(ColorText(c.clrLeft), ColorText(canvas->At(4, 130)));
            // the last column is 191 / 192 of the way: 253 of 255
            const COLORREF clrLast = canvas->At(4 + 191, 130);
            for (int ch = 0; ch < 3; ch++) {
                const int want = ch == 0 ? GetRValue(c.clrRight) : ch == 1 ? GetGValue(c.clrRight) : GetBValue(c.clrRight);
                const int got = ch == 0 ? GetRValue(clrLast) : ch == 1 ? GetGValue(clrLast) : GetBValue(clrLast);
                EXPECT_NEAR(want, got, 2) << "channel " << ch;
            }
        }
        // a strip drag changes only the axis, to 255 at the far right and 0 beyond the left
        model.SetColor(RGB(40, 80, 120));
        Drag(model, {{50, 136}, {300, 136}});
        EXPECT_EQ(255, model.AxisValue(model.m_clrCurrent));
        EXPECT_EQ(model.WithAxisValue(RGB(40, 80, 120), 255), model.m_clrCurrent);
        Drag(model, {{50, 136}, {-30, 136}});
        EXPECT_EQ(model.WithAxisValue(RGB(40, 80, 120), 0), model.m_clrCurrent);
    }
}

TEST_F(ModelTest, AnAxisPlaneDragSetsTheTwoOtherChannels) {
    xyz_plain_data_t model(0);
    LayOut(model, 200, 150);
    model.SetColor(RGB(40, 80, 120));
    Drag(model, {{4 + 96, 4 + 59}});
    EXPECT_EQ(RGB(40, 96 * 255 / 192, 59 * 255 / 118), model.m_clrCurrent);
    EXPECT_EQ(CPoint(4 + (int)(GetGValue(model.m_clrCurrent) / 255.0 * 192),
                     4 + (int)(GetBValue(model.m_clrCurrent) / 255.0 * 118)),
              model.AreaMarker());
    // Ctrl keeps the green (the area's x), Shift the blue (its y)
    Drag(model, {{4 + 10, 4 + 100}}, kKeyControl);
    EXPECT_EQ(96 * 255 / 192, GetGValue(model.m_clrCurrent));
    EXPECT_EQ(100 * 255 / 118, GetBValue(model.m_clrCurrent));
    Drag(model, {{4 + 150, 4 + 5}}, kKeyShift);
    EXPECT_EQ(150 * 255 / 192, GetGValue(model.m_clrCurrent));
    EXPECT_EQ(100 * 255 / 118, GetBValue(model.m_clrCurrent));
    // no drag without the left button
    model.m_nTrackingState = kTrackArea;
    model.Track(0, 4, 4);
    EXPECT_EQ(100 * 255 / 118, GetBValue(model.m_clrCurrent));
}

// ---- 5. tiny controls ----------------------------------------------------------------------------

// Every model on every tiny size lays out, paints and takes presses and drags without dividing
// by zero (a fault here ends the test program); planes and cubes too small to draw answer no
// picture and no colour change.
TEST_F(ModelTest, TinySizesGiveNoPictureNoHandlesNoTracking) {
    const int sizes[] = {0, 1, 2, 5, 8, 9, 10, 11, 12, 13, 14, 31, 32, 33, 40};
    for (int nMode = 0; nMode < CExtColorCtrl::MODE_COUNT; nMode++) {
        for (int cx : sizes)
            for (int cy : sizes) {
                CExtColorCtrl ctrl(nMode);   // no window: only its models are used
                any_picker_data_t& model = ctrl.Model(nMode);
                SCOPED_TRACE("mode " + std::to_string(nMode) + " " + std::to_string(cx) + " x " + std::to_string(cy));
                LayOut(model, cx, cy);
                model.SetColor(RGB(10, 20, 30));
                model.Paint(&canvas->dc(), NULL);
                for (POINT pt : {POINT{0, 0}, POINT{cx / 2, cy / 2}, POINT{cx, cy}, POINT{cx - 1, 0}, POINT{-5, 500}})
                    Drag(model, {pt, {0, 0}, {cx, cy}, {cx / 2, cy / 2}}, 0);
                auto* pPlane = dynamic_cast<hsl_panel_data_t*>(&model);
                if (pPlane != NULL && !pPlane->Usable()) {
                    EXPECT_EQ(RGB(10, 20, 30), model.m_clrCurrent);
                    EXPECT_EQ(NULL, pPlane->m_dcArea.GetSafeHdc());
                }
                auto* pCube = dynamic_cast<cube_data_t*>(&model);
                if (pCube != NULL && !pCube->Usable()) {
                    EXPECT_EQ(RGB(10, 20, 30), model.m_clrCurrent);
                    EXPECT_FALSE(pCube->HasPicture());
                }
                if (auto* pWheel = dynamic_cast<hsl_roller_data_t*>(&model)) {
                    EXPECT_GE(pWheel->m_nRadius, 1);
                }
            }
    }
    // the smallest drawable: a 4 x 4 wheel area has radius 1, a 14 x 14 control a 4 x 4 cube
    EXPECT_EQ(1, hsl_roller_data_t::WheelRadius(4, 4, 4));
    EXPECT_EQ(1, hsl_roller_data_t::WheelRadius(1, 1, 4));
    EXPECT_EQ(CRect(5, 5, 9, 9), cube_data_t::CubeRect(14, 14, 5));
}

}  // namespace
