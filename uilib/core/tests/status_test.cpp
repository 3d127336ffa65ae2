// Status panes, the size grip and the colour icons, per look, probed by pixel.
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"

namespace {

typedef CExtPaintManager PM;
typedef CExtPaintManager::StatusPanePaintData Pane;
using namespace orvtest;

class StatusTest : public orvtest::PaintTest {};

TEST_F(StatusTest, PaneFramesPerLook) {
    // top-left and bottom-right colour of the pane's one-pixel frame
    const int colors[4][2] = {{1006, 1004}, {COLOR_3DSHADOW, COLOR_3DSHADOW}, {3014, 3014}, {3014, 3014}};
    for (int look = 0; look < 4; look++) {
        ScopedPainter painter(NewLook(look));
        RenderCanvas canvas(40, 20, kBack);
        Pane d(NULL, Pane::KindPane, 0, CRect(5, 4, 35, 16));
        pm().PaintStatusPane(canvas.dc(), d);
        canvas.Keep("status_pane_" + std::to_string(look));
        EXPECT_EQ(pm().GetColor(colors[look][0]), canvas.At(5, 4)) << look;
        EXPECT_EQ(pm().GetColor(colors[look][0]), canvas.At(20, 4)) << look;
        EXPECT_EQ(pm().GetColor(colors[look][1]), canvas.At(34, 15)) << look;
        EXPECT_EQ(pm().GetColor(colors[look][1]), canvas.At(20, 15)) << look;
        // only the frame
        EXPECT_EQ(2 * 30 + 2 * 10, canvas.CountOther(kBack, CRect(0, 0, 40, 20))) << look;
    }
}

TEST_F(StatusTest, BarBordersFollowTheStyleBits) {
    const int e = 2 * ::GetSystemMetrics(SM_CYBORDER);
    struct Case {
        const char* name;
        DWORD style;
        std::vector<CRect> lines;   // in a 30 x 20 bar at (0, 0)
    };
    const Case cases[] = {
        {"none", 0, {}},
        {"none_3d", Pane::Border3D, {}},
        {"left", Pane::BorderLeft, {CRect(0, 0, 1, 20)}},
        {"top", Pane::BorderTop, {CRect(0, 0, 30, 1)}},
        {"left_top", Pane::BorderLeft | Pane::BorderTop, {CRect(0, 0, 30, 1), CRect(0, e, 1, 20)}},
        {"right_bottom", Pane::BorderRight | Pane::BorderBottom,
         {CRect(0, 19, 30, 20), CRect(29, 0, 30, 20 - e)}},
        {"left_3d", Pane::BorderLeft | Pane::Border3D, {CRect(0, 0, 2, 20)}},
        {"bottom_3d", Pane::BorderBottom | Pane::Border3D, {CRect(0, 18, 30, 20)}},
        {"right_3d", Pane::BorderRight | Pane::Border3D, {CRect(28, 0, 30, 20)}},
    };
    for (int look = 0; look < 3; look++) {
        ScopedPainter painter(NewLook(look));
        for (const Case& c : cases) {
            RenderCanvas canvas(30, 20, kBack);
            Pane d(NULL, 1, c.style, CRect(0, 0, 30, 20));
            pm().PaintStatusPane(canvas.dc(), d);
            const std::string name = std::to_string(look) + " " + c.name;
            int nExpected = 0;
            CRect rcAll;
            for (const CRect& rc : c.lines) {
                EXPECT_EQ(rc.Width() * rc.Height(), canvas.Count(pm().GetColor(1000), rc)) << name;
                rcAll.UnionRect(&rcAll, &rc);
            }
            // the lines may cross: count the union by pixel
            for (int y = 0; y < 20; y++)
                for (int x = 0; x < 30; x++)
                    for (const CRect& rc : c.lines)
                        if (rc.PtInRect(CPoint(x, y))) {
                            nExpected++;
                            break;
                        }
            EXPECT_EQ(nExpected, canvas.CountOther(kBack, CRect(0, 0, 30, 20))) << name;
        }
    }
}

TEST_F(StatusTest, SizeGripPerLook) {
    for (int look = 0; look < 4; look++) {
        ScopedPainter painter(NewLook(look));
        const std::string name = std::to_string(look);
        RenderCanvas canvas(40, 40, kBack);
        // an inverted rectangle draws nothing in the looks that draw the Marlett sign
        pm().PaintSizeGrip(canvas.dc(), CRect(30, 30, 10, 10));
        const bool bDots = look >= 2 && PM::GetScreenBitsPerPixel() > 8;
        if (!bDots) {
            EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 40, 40))) << name;
        }
        canvas.Fill(kBack);
        pm().PaintSizeGrip(canvas.dc(), CRect(10, 10, 30, 30));
        canvas.Keep("size_grip_" + name);
        if (!bDots) {
            // the sign (smoothed text: any colour but the background) at the bottom right of
            // the rectangle
            CRect rcSign;
            for (int y = 0; y < 40; y++)
                for (int x = 0; x < 40; x++)
                    if (canvas.At(x, y) != kBack)
                        rcSign |= CRect(x, y, x + 1, y + 1);
            EXPECT_FALSE(rcSign.IsRectEmpty()) << name;
            EXPECT_TRUE(CRect(10, 10, 30, 30).PtInRect(rcSign.TopLeft())) << name;
            EXPECT_LE(rcSign.right, 30) << name;
            EXPECT_GT(rcSign.right, 24) << name;
            EXPECT_GT(rcSign.bottom, 24) << name;
            continue;
        }
        // six dots: a 2 x 2 dark square each, over a light one up and left by one pixel
        EXPECT_EQ(6 * 4, canvas.Count(pm().GetColor(3003), CRect(0, 0, 40, 40))) << name;
        EXPECT_EQ(6 * 3, canvas.Count(pm().GetColor(3002), CRect(0, 0, 40, 40))) << name;
        EXPECT_EQ(pm().GetColor(3003), canvas.At(28, 28)) << name;
        EXPECT_EQ(pm().GetColor(3003), canvas.At(29, 29)) << name;
        EXPECT_EQ(pm().GetColor(3002), canvas.At(27, 27)) << name;
        // three in the right column, two in the next, one in the third
        EXPECT_EQ(pm().GetColor(3003), canvas.At(28, 20)) << name;
        EXPECT_EQ(kBack, canvas.At(24, 20)) << name;
        EXPECT_EQ(pm().GetColor(3003), canvas.At(20, 28)) << name;
        EXPECT_EQ(RectText(CRect(19, 19, 30, 30)), RectText(canvas.Bounds(pm().GetColor(3003), CRect(0, 0, 40, 40)) |
                                                            canvas.Bounds(pm().GetColor(3002), CRect(0, 0, 40, 40))))
            << name;
        // the rectangle's size does not matter: a tiny one still gets the 11 x 11 triangle
        canvas.Fill(kBack);
        pm().PaintSizeGrip(canvas.dc(), CRect(26, 26, 30, 30));
        EXPECT_EQ(6 * 4, canvas.Count(pm().GetColor(3003), CRect(0, 0, 40, 40))) << name;
    }
}

TEST_F(StatusTest, ColorIcons) {
    // a colour every display depth shows exactly
    const COLORREF clr = RGB(255, 0, 0);
    struct Case {
        const char* name;
        HICON icon;
        CRect opaque;        // the part shown in the colour
        bool text;           // black text pixels above the bar
    };
    HFONT hFont = (HFONT)pm().GetFont(PM::FontBold).GetSafeHandle();
    const Case cases[] = {
        {"filled", PM::CreateColorFilledIcon(clr), CRect(0, 0, 16, 16), false},
        {"swatch", PM::CreateColorSwatchIcon(clr), CRect(1, 2, 15, 14), false},
        {"text", PM::CreateColorTextIcon(clr, "A", hFont), CRect(0, 12, 16, 16), true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.icon != NULL) << c.name;
        RenderCanvas canvas(20, 20, kBack);
        ::DrawIconEx(canvas.dc().m_hDC, 2, 2, c.icon, 16, 16, 0, NULL, DI_NORMAL);
        canvas.Keep(std::string("color_icon_") + c.name, 6);
        const CRect opaque = c.opaque + CPoint(2, 2);
        EXPECT_EQ(opaque.Width() * opaque.Height(), canvas.Count(clr, CRect(0, 0, 20, 20))) << c.name;
        EXPECT_EQ(RectText(opaque), RectText(canvas.Bounds(clr, CRect(0, 0, 20, 20)))) << c.name;
        const int nBlack = canvas.Count(RGB(0, 0, 0), CRect(0, 0, 20, 20));
        if (c.text) {
            // the letter lies above the bar, and the rest of that area stays transparent
            EXPECT_GT(nBlack, 5) << c.name;
            EXPECT_TRUE(CRect(2, 2, 18, 14).PtInRect(canvas.Bounds(RGB(0, 0, 0), CRect(0, 0, 20, 20)).TopLeft()));
            EXPECT_EQ(20 * 20 - 16 * 4 - nBlack, canvas.Count(kBack, CRect(0, 0, 20, 20))) << c.name;
        } else {
            EXPECT_EQ(0, nBlack) << c.name;
            EXPECT_EQ(20 * 20 - opaque.Width() * opaque.Height(), canvas.Count(kBack, CRect(0, 0, 20, 20))) << c.name;
        }
        ::DestroyIcon(c.icon);
    }
}

}  // namespace
