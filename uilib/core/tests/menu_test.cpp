// Menu items and separators in the classic and XP looks, and glyph painting, probed by pixel:
// highlight and selection boxes, rarely used items, the icon column, check and radio marks.
#include "orv/gtest.h"
#include "PaintProbe.h"
#include "CExtPaintManagerXP.h"

namespace {

typedef CExtPaintManager PM;
using orvtest::RectText;
using orvtest::RenderCanvas;
using orvtest::ScopedPainter;

const CRect kItem(0, 0, 160, 20);
const int kIconArea = 22;

enum {
    Selected = 1, Checked = 2, Radio = 4, Disabled = 8, Rarely = 16, RarelyPrev = 32,
    RarelyNext = 64, Popup = 128, GlyphArrow = 256, NoColumn = 512
};

PM::MenuItemPaintData MakeItem(int flags, const CRect& rc, LPCTSTR text = "&Open",
                               CExtCmdIcon* icon = NULL) {
    PM::MenuItemPaintData d(NULL, rc, kIconArea, text, "Ctrl+O", icon, (flags & Popup) != 0,
                            (flags & Selected) != 0, (flags & Checked) != 0, (flags & Radio) != 0,
                            false, !(flags & Disabled), (flags & Rarely) != 0,
                            (flags & RarelyPrev) != 0, (flags & RarelyNext) != 0, 0);
    d.m_bCustomizeListMode = (flags & GlyphArrow) != 0;
    d.m_bForceNoLeftGradient = (flags & NoColumn) != 0;
    return d;
}

class MenuTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
    PM& pm() { return *g_PaintManager.GetPaintManager(); }
    void Paint(RenderCanvas& canvas, int flags, const char* name, LPCTSTR text = "&Open",
               CExtCmdIcon* icon = NULL) {
        canvas.Fill(RGB(0, 128, 128));
        PM::MenuItemPaintData d = MakeItem(flags, kItem, text, icon);
        pm().PaintMenuItem(canvas.dc(), d);
        canvas.Keep(std::string("menu_") + (pm().GetThemeKind() == 1 ? "classic_" : "xp_") + name);
    }
};

TEST_F(MenuTest, ClassicHighlightTable) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(170, 20);
    const COLORREF face = pm().GetColor(1000), hi = pm().GetColor(COLOR_HIGHLIGHT);
    struct Case {
        int flags;
        const char* name;
        COLORREF at3, at24, at1;   // at (3, 5), (24, 5), (1, 5)
    };
    const Case cases[] = {
        {0, "normal", face, face, face},
        {Selected, "selected", hi, hi, face},
        // with a mark the highlight starts after the icon column
        {Selected | Checked, "selected_checked", face, hi, face},
        // a selected, disabled item keeps its highlight
        {Selected | Disabled, "selected_disabled", hi, hi, face},
    };
    for (const Case& c : cases) {
        Paint(canvas, c.flags, c.name);
        EXPECT_EQ(c.at3, canvas.At(3, 5)) << c.name;
        EXPECT_EQ(c.at24, canvas.At(24, 5)) << c.name;
        EXPECT_EQ(c.at1, canvas.At(1, 5)) << c.name;
        EXPECT_EQ(face, canvas.At(50, 0)) << c.name;   // the highlight is one pixel in
    }
    Paint(canvas, Selected, "selected_text");
    EXPECT_GT(canvas.Count(pm().GetColor(COLOR_HIGHLIGHTTEXT), CRect(25, 1, 159, 19)), 10);
    Paint(canvas, 0, "normal_text");
    EXPECT_GT(canvas.Count(pm().GetColor(1010), CRect(25, 1, 159, 19)), 10);
    // disabled text drawn embossed, on the highlight too
    Paint(canvas, Selected | Disabled, "selected_disabled_text");
    EXPECT_GT(canvas.CountOther(hi, CRect(25, 2, 155, 18)), 10);
}

TEST_F(MenuTest, CheckAndRadioMarks) {
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(look == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        RenderCanvas canvas(170, 20);
        const COLORREF mark = pm().GetColor(1010);
        // inside the box's frame (at 8 bits the XP frame has the mark's colour)
        const CRect column(3, 2, 19, 18);
        // the check rectangle: the column's square less 2, centred: (2, 1, 20, 19);
        // the 7 x 7 mark centred in it
        Paint(canvas, Checked, "checked");
        EXPECT_EQ(RectText(CRect(7, 6, 14, 13)), RectText(canvas.Bounds(mark, column)));
        // checked and radio at once: the check mark
        Paint(canvas, Checked | Radio, "checked_radio");
        EXPECT_EQ(RectText(CRect(7, 6, 14, 13)), RectText(canvas.Bounds(mark, column)));
        Paint(canvas, Radio, "radio");
        const CRect dot = canvas.Bounds(mark, column);
        EXPECT_LE(dot.Width(), 6);
        EXPECT_GE(dot.Width(), 4);
        EXPECT_EQ(dot.Width(), dot.Height());
        EXPECT_NEAR(11, dot.CenterPoint().x, 1);
        EXPECT_NEAR(10, dot.CenterPoint().y, 1);
        if (look == 0) {
            EXPECT_EQ(pm().GetColor(1004), canvas.At(2, 1));
            EXPECT_EQ(pm().GetColor(1006), canvas.At(19, 18));
        } else {
            const COLORREF frame = pm().GetColor(2004);
            EXPECT_EQ(frame, canvas.At(2, 1));
            EXPECT_EQ(frame, canvas.At(19, 18));
            EXPECT_EQ(pm().GetColor(1001), canvas.At(3, 2));   // box fill
            Paint(canvas, Radio | Selected, "radio_selected");
            EXPECT_EQ(pm().GetColor(2003), canvas.At(3, 2));
        }
    }
}

TEST_F(MenuTest, IconsInTheColumnAndCheckedIcons) {
    CExtCmdIcon icon(orvtest::MakeSolidIcon(RGB(255, 0, 0)), false);
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(look == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        RenderCanvas canvas(170, 20);
        Paint(canvas, 0, "icon", "&Open", &icon);
        // centred in the 22-pixel column: (3, 2)
        EXPECT_EQ(RectText(CRect(3, 2, 19, 18)),
                  RectText(canvas.Bounds(RGB(255, 0, 0), CRect(0, 0, 40, 20))));
        Paint(canvas, Checked, "icon_checked", "&Open", &icon);
        const COLORREF frame = look == 0 ? pm().GetColor(1004) : pm().GetColor(2004);
        EXPECT_EQ(frame, canvas.At(look == 0 ? 2 : 1, look == 0 ? 1 : 0)) << look;
    }
}

TEST_F(MenuTest, RarelyUsedItemsShareOnePatternedArea) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(170, 60, RGB(0, 128, 128));
    // three rarely used items in a row, then a normal one
    const int flags[3] = {Rarely | RarelyNext, Rarely | RarelyPrev | RarelyNext, Rarely | RarelyPrev};
    for (int i = 0; i < 3; i++) {
        PM::MenuItemPaintData d = MakeItem(flags[i], CRect(4, i * 20, 164, i * 20 + 20), "");
        pm().PaintMenuItem(canvas.dc(), d);
    }
    canvas.Keep("menu_classic_rarely_used");
    const COLORREF shadow = pm().GetColor(COLOR_3DSHADOW), light = pm().GetColor(COLOR_3DHILIGHT);
    // whole rows: the pattern itself may hold the line colours at 8 bits
    auto row = [&](COLORREF clr, int y) { return canvas.Count(clr, CRect(2, y, 166, y + 1)); };
    EXPECT_EQ(164, row(shadow, 0));   // top line of the first, widened by 2 on both sides
    EXPECT_GT(164, row(light, 19));   // no bottom line between the first two
    EXPECT_GT(164, row(shadow, 20));  // no top line on the second
    EXPECT_GT(164, row(light, 39));
    EXPECT_EQ(164, row(light, 59));   // bottom line of the last
    if (orvtest::DisplayDepth() > 8) {
        LOGBRUSH lb;
        pm().GetBlendedBrush(0).GetLogBrush(&lb);
        EXPECT_EQ(lb.lbColor, canvas.At(80, 30));
    }
    // selected rarely used item: highlight over the pattern
    RenderCanvas one(170, 20);
    PM::MenuItemPaintData d = MakeItem(Rarely | Selected, kItem, "");
    pm().PaintMenuItem(one.dc(), d);
    EXPECT_EQ(pm().GetColor(COLOR_HIGHLIGHT), one.At(40, 10));
}

TEST_F(MenuTest, PopupArrows) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(170, 20);
    const COLORREF text = pm().GetColor(1010);
    const CRect arrowArea(160 - 3 - 16, 3, 157, 17);
    Paint(canvas, Popup, "popup_marlett", "");
    // the Marlett "8" (Wine's Marlett draws a cross there, smoothed at true colour)
    EXPECT_GT(canvas.CountOther(pm().GetColor(1000), arrowArea), 4);
    EXPECT_EQ(0, canvas.Count(text, CRect(0, 0, 90, 20)));
    Paint(canvas, Popup | GlyphArrow, "popup_glyph", "");
    EXPECT_EQ(16, canvas.Count(text, arrowArea));   // the filled triangle 1 + 3 + 5 + 7
    Paint(canvas, Popup | GlyphArrow | Selected, "popup_glyph_selected", "");
    EXPECT_EQ(16, canvas.Count(pm().GetColor(COLOR_HIGHLIGHTTEXT), arrowArea));
}

TEST_F(MenuTest, XpItemsTable) {
    ScopedPainter painter(new CExtPaintManagerXP);
    RenderCanvas canvas(170, 20);
    struct Case {
        int flags;
        const char* name;
        int column, body, corner;   // colour indexes at (5, 5), (40, 5), (0, 0)
    };
    const Case cases[] = {
        {0, "normal", 2001, 1000, 2001},
        {Rarely, "rarely", 2001, 2005, 2001},
        {Selected, "selected", 2003, 2003, 2004},
        {NoColumn, "no_column", 1000, 1000, 1000},
        {Disabled, "disabled", 2001, 1000, 2001},
    };
    for (const Case& c : cases) {
        Paint(canvas, c.flags, c.name);
        EXPECT_EQ(pm().GetColor(c.column), canvas.At(5, 5)) << c.name;
        EXPECT_EQ(pm().GetColor(c.body), canvas.At(40, 1)) << c.name;
        EXPECT_EQ(pm().GetColor(c.corner), canvas.At(0, 0)) << c.name;
    }
    // disabled text: one flat shadow colour
    Paint(canvas, Disabled, "disabled_text");
    EXPECT_GT(canvas.Count(pm().GetColor(COLOR_3DSHADOW), CRect(25, 1, 159, 19)), 10);
    EXPECT_EQ(0, canvas.Count(pm().GetColor(1010), CRect(25, 1, 159, 19)));
}

TEST_F(MenuTest, XpIconColumnGradientOnlyAboveEightBits) {
    CExtPaintManagerXP* p = new CExtPaintManagerXP;
    ScopedPainter painter(p);
    // gradient indexes as a later look sets them: light face to the menu's dark window
    p->m_nIdxClrMlaNormLeft = 1000;
    p->m_nIdxClrMlaNormRight = 2001;
    RenderCanvas canvas(170, 20);
    ASSERT_NE(p->GetColor(1000), p->GetColor(2001));
    Paint(canvas, 0, "gradient_column");
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_EQ(p->GetColor(1000), canvas.At(0, 5));
        EXPECT_NE(canvas.At(0, 5), canvas.At(kIconArea - 1, 5));
    } else {
        EXPECT_EQ(p->GetColor(2001), canvas.At(0, 5));
        EXPECT_EQ(p->GetColor(2001), canvas.At(kIconArea - 1, 5));
    }
}

TEST_F(MenuTest, Separators) {
    {
        ScopedPainter painter(new CExtPaintManager);
        RenderCanvas canvas(170, 20, RGB(0, 128, 128));
        pm().PaintMenuSeparator(canvas.dc(), kItem, kIconArea, false, NULL);
        canvas.Keep("menu_classic_separator");
        const int inset = ::GetSystemMetrics(SM_CXSMICON) / 2;
        EXPECT_EQ(pm().GetColor(1006), canvas.At(80, 9));
        EXPECT_EQ(pm().GetColor(1004), canvas.At(80, 10));
        EXPECT_EQ(pm().GetColor(1000), canvas.At(80, 8));
        EXPECT_EQ(pm().GetColor(1000), canvas.At(inset - 1, 9));
        pm().PaintMenuSeparator(canvas.dc(), CRect(0, 0, 0, 0), kIconArea, false, NULL);
    }
    {
        ScopedPainter painter(new CExtPaintManagerXP);
        RenderCanvas canvas(170, 20, RGB(0, 128, 128));
        pm().PaintMenuSeparator(canvas.dc(), kItem, kIconArea, false, NULL);
        canvas.Keep("menu_xp_separator");
        EXPECT_EQ(pm().GetColor(2001), canvas.At(5, 5));              // the column
        EXPECT_EQ(pm().GetColor(1000), canvas.At(kIconArea + 2, 10));  // 3 right of the column
        EXPECT_EQ(pm().GetColor(2001), canvas.At(kIconArea + 3, 10));
        EXPECT_EQ(pm().GetColor(2001), canvas.At(159, 10));
        EXPECT_EQ(pm().GetColor(1000), canvas.At(80, 9));
        pm().PaintMenuSeparator(canvas.dc(), kItem, kIconArea, true, NULL);
        EXPECT_EQ(pm().GetColor(2005), canvas.At(80, 9));
    }
}

TEST_F(MenuTest, MenuSheets) {
    // every state of both looks side by side, for a person to look at
    CExtCmdIcon icon(orvtest::MakeSolidIcon(RGB(0, 0, 200)), false);
    const int states[] = {0, Selected, Checked, Radio, Checked | Selected, Disabled,
                          Disabled | Selected, Rarely, Popup, Popup | Selected};
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(look == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        RenderCanvas canvas(180, 22 * 12);
        int y = 0;
        for (int s : states) {
            PM::MenuItemPaintData d = MakeItem(s, CRect(0, y, 180, y + 22), "&Open file",
                                               s == 0 ? &icon : NULL);
            pm().PaintMenuItem(canvas.dc(), d);
            y += 22;
        }
        pm().PaintMenuSeparator(canvas.dc(), CRect(0, y, 180, y + 8), kIconArea, false, NULL);
        canvas.Keep(std::string("menus_") + (look == 0 ? "classic" : "xp") + "_sheet", 2);
    }
}

// ---- glyph painting ------------------------------------------------------------------------

TEST_F(MenuTest, GlyphPaintingMapsIndexesThroughTheTable) {
    RenderCanvas canvas(40, 20, RGB(0, 128, 128));
    const COLORREF colors[4] = {RGB(1, 1, 1), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    pm().PaintGlyph(canvas.dc(), CPoint(0, 0), *PM::g_CaptionGlyphs[PM::Empty], colors);
    EXPECT_EQ(0, canvas.CountOther(RGB(0, 128, 128), CRect(0, 0, 40, 20)));
    const PM::glyph_t& dock = *PM::g_CaptionGlyphs[PM::DockArrowUp];
    pm().PaintGlyph(canvas.dc(), CPoint(2, 2), dock, colors);
    canvas.Keep("glyph_dock_arrow");
    int counts[4] = {0, 0, 0, 0};
    for (UINT y = 0; y < dock.Height(); y++)
        for (UINT x = 0; x < dock.Width(); x++)
            counts[dock.At(x, y)]++;
    EXPECT_EQ(counts[1], canvas.Count(RGB(255, 0, 0), CRect(0, 0, 40, 20)));
    EXPECT_EQ(counts[2], canvas.Count(RGB(0, 255, 0), CRect(0, 0, 40, 20)));
    EXPECT_EQ(counts[3], canvas.Count(RGB(0, 0, 255), CRect(0, 0, 40, 20)));
    EXPECT_EQ(0, canvas.Count(RGB(1, 1, 1), CRect(0, 0, 40, 20)));   // index 0 untouched
    // centred: (20 - 9) / 2 = 5 from the left of the rectangle
    canvas.Fill(RGB(0, 128, 128));
    pm().PaintGlyphCentered(canvas.dc(), CRect(20, 0, 40, 20), *PM::g_CaptionGlyphs[PM::Minimize],
                            colors);
    EXPECT_EQ(RectText(CRect(26, 11, 33, 13)),
              RectText(canvas.Bounds(RGB(255, 0, 0), CRect(0, 0, 40, 20))));
    // an empty rectangle draws nothing
    canvas.Fill(RGB(0, 128, 128));
    pm().PaintGlyphCentered(canvas.dc(), CRect(5, 5, 5, 15), *PM::g_CaptionGlyphs[PM::Close], colors);
    EXPECT_EQ(0, canvas.CountOther(RGB(0, 128, 128), CRect(0, 0, 40, 20)));
}

}  // namespace
