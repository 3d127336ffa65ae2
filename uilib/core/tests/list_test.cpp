// Item lists and splitter bars per look, probed by pixel.
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"

namespace {

typedef CExtPaintManager PM;
using namespace orvtest;

class ListTest : public orvtest::PaintTest {};

TEST_F(ListTest, BackgroundAndFrame) {
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(NewLook(look));
        RenderCanvas canvas(30, 20, kBack);
        pm().PaintItemListBackground(canvas.dc(), CRect(0, 0, 30, 20));
        EXPECT_EQ(30 * 20, canvas.Count(pm().GetColor(COLOR_WINDOW), CRect(0, 0, 30, 20))) << look;
        canvas.Fill(kBack);
        pm().PaintItemListFrame(canvas.dc(), CRect(2, 2, 28, 18));
        EXPECT_EQ(pm().GetColor(look == 0 ? COLOR_WINDOW : COLOR_3DSHADOW), canvas.At(2, 2)) << look;
        EXPECT_EQ(pm().GetColor(COLOR_3DSHADOW), canvas.At(27, 17)) << look;
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(3, 3, 27, 17))) << look;
    }
}

TEST_F(ListTest, ItemsPerStateAndLook) {
    const bool high = PM::GetScreenBitsPerPixel() > 8;
    struct Case {
        int look;
        bool frame, hover, pushed;
        int topLeft, bottomRight, inside;   // colour indexes; -1: not checked
    };
    const Case cases[] = {
        {0, false, false, false, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW},
        {0, true, false, false, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DSHADOW},
        {0, false, true, false, COLOR_WINDOW, COLOR_3DDKSHADOW, COLOR_3DSHADOW},
        {0, false, true, true, COLOR_3DDKSHADOW, COLOR_WINDOW, COLOR_3DSHADOW},
        {1, false, false, false, high ? 1000 : 2001, high ? 1000 : 2001, high ? 1000 : 2001},
        {1, true, false, false, COLOR_3DSHADOW, COLOR_3DSHADOW, high ? 1000 : 2001},
        // hovered: a flat push button with its hot frame
        {1, false, true, false, 2004, 2004, 1001},
        {2, false, false, false, high ? 3000 : 2001, high ? 3000 : 2001, high ? 3000 : 2001},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(40, 40, kBack);
        pm().PaintItemListItem(canvas.dc(), CRect(0, 0, 40, 40), c.frame, c.hover, c.pushed, NULL, "", false);
        const std::string name = std::to_string(c.look) + std::to_string(c.frame) + std::to_string(c.hover) + std::to_string(c.pushed);
        EXPECT_EQ(pm().GetColor(c.topLeft), canvas.At(0, 0)) << name;
        EXPECT_EQ(pm().GetColor(c.bottomRight), canvas.At(39, 39)) << name;
        EXPECT_EQ(pm().GetColor(c.inside), canvas.At(20, 30)) << name;
    }
}

TEST_F(ListTest, CaptionsGroupHeadersAndScrollArrows) {
    ScopedPainter painter(new PM);
    RenderCanvas canvas(120, 24, kBack);
    pm().PaintItemListGroupHeader(canvas.dc(), CRect(0, 0, 120, 24), "Group");
    canvas.Keep("item_list_group_header");
    EXPECT_EQ(pm().GetColor(COLOR_3DFACE), canvas.At(0, 0));
    EXPECT_EQ(120, canvas.Count(pm().GetColor(COLOR_3DSHADOW), CRect(0, 23, 120, 24)));
    // the text starts 7 pixels in
    EXPECT_EQ(0, canvas.CountOther(pm().GetColor(COLOR_3DFACE), CRect(0, 0, 7, 23)));
    EXPECT_GT(canvas.CountOther(pm().GetColor(COLOR_3DFACE), CRect(7, 0, 60, 23)), 0);
    canvas.Fill(kBack);
    pm().PaintItemListCaption(canvas.dc(), CRect(0, 0, 120, 24), "Caption");
    EXPECT_EQ(pm().GetColor(COLOR_3DSHADOW), canvas.At(0, 0));
    EXPECT_EQ(0, canvas.CountOther(pm().GetColor(COLOR_3DSHADOW), CRect(0, 0, 4, 24)));
    EXPECT_GT(canvas.CountOther(pm().GetColor(COLOR_3DSHADOW), CRect(4, 0, 120, 24)), 0);
    for (bool up : {true, false}) {
        canvas.Fill(kBack);
        pm().PaintItemListScrollGlyph(canvas.dc(), CRect(0, 0, 21, 24), up);
        // the 5 x 3 arrow centred
        const CRect rcGlyph = canvas.Bounds(pm().GetColor(COLOR_BTNTEXT), CRect(0, 0, 120, 24));
        EXPECT_EQ(RectText(CRect(8, 10, 13, 13)), RectText(rcGlyph)) << up;
        EXPECT_EQ(pm().GetColor(COLOR_BTNTEXT), canvas.At(10, up ? 10 : 12)) << up;
        EXPECT_EQ(kBack, canvas.At(8, up ? 10 : 12)) << up;
    }
}

TEST_F(ListTest, SplitterBarAndGrip) {
    ScopedPainter painter(new PM);
    RenderCanvas canvas(100, 10, kBack);
    pm().PaintSplitterBar(canvas.dc(), CRect(0, 0, 100, 10), true, true);
    canvas.Keep("splitter_bar");
    const COLORREF light = pm().GetColor(COLOR_WINDOW), dark = pm().GetColor(COLOR_3DDKSHADOW);
    // nine dots: each a light 2 x 2 square on a dark one a pixel lower and to the right
    const CRect rcGrip(32, 3, 67, 6);
    EXPECT_EQ(9 * 3, canvas.Count(dark, rcGrip));
    EXPECT_EQ(RectText(rcGrip), RectText(canvas.Bounds(dark, CRect(0, 3, 100, 9)) | canvas.Bounds(light, CRect(0, 3, 100, 9))));
    for (int i = 0; i < 9; i++) {
        EXPECT_EQ(light, canvas.At(32 + 4 * i, 3)) << i;
        EXPECT_EQ(dark, canvas.At(34 + 4 * i, 5)) << i;
        EXPECT_EQ(pm().GetColor(1000), canvas.At(35 + 4 * i, 4)) << i;
    }
    // the edges: shadow, then the light line one pixel in
    EXPECT_EQ(pm().GetColor(COLOR_3DSHADOW), canvas.At(10, 0));
    EXPECT_EQ(light, canvas.At(10, 1));
    EXPECT_EQ(pm().GetColor(COLOR_3DSHADOW), canvas.At(10, 9));
    // without the grip: no dots
    canvas.Fill(kBack);
    pm().PaintSplitterBar(canvas.dc(), CRect(0, 0, 100, 10), true, false);
    EXPECT_EQ(0, canvas.Count(dark, CRect(0, 2, 100, 9)));
}

}  // namespace
