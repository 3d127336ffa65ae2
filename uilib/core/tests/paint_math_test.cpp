// The painter's arithmetic without drawing: colour maths, glyph tables and rotations, the
// paint-data records, gradient band counts and fitting rectangles to a monitor's area.
#include "orv/gtest.h"
#include "CExtPaintManager.h"
#include <cmath>

namespace {

typedef CExtPaintManager PM;

// ---- colour maths --------------------------------------------------------------------------

std::string Rgb(COLORREF c) {
    return "(" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c)) + ")";
}

TEST(ColorMath, ConversionsTable) {
    struct Case {
        const char* what;
        COLORREF got, expected;
    };
    const Case cases[] = {
        {"invert (86,52,18)", PM::InvertColor(RGB(86, 52, 18)), RGB(169, 203, 237)},
        {"invert black", PM::InvertColor(RGB(0, 0, 0)), RGB(255, 255, 255)},
        {"hsl red", PM::HslToRgb(0.0, 0.5, 1.0), RGB(255, 0, 0)},
        {"hsl hue 1/3 green", PM::HslToRgb(1.0 / 3.0, 0.5, 1.0), RGB(0, 255, 0)},
        {"hsl hue 2/3 blue", PM::HslToRgb(2.0 / 3.0, 0.5, 1.0), RGB(0, 0, 255)},
        {"hsl grey truncates", PM::HslToRgb(0.3, 0.7, 0.0), RGB(178, 178, 178)},
        {"degrees red", PM::HslToRgbDegrees(0.0f, 0.5f, 1.0f), RGB(255, 0, 0)},
        {"degrees green", PM::HslToRgbDegrees(120.0f, 0.5f, 1.0f), RGB(0, 255, 0)},
        {"degrees blue", PM::HslToRgbDegrees(240.0f, 0.5f, 1.0f), RGB(0, 0, 255)},
        // lightness 0.4 -> 0.7 and 0.2 (a grey and a saturated red)
        {"lighter grey", PM::AdjustColorHsl(RGB(102, 102, 102), 0, 0.5, 0), RGB(178, 178, 178)},
        {"darker grey", PM::AdjustColorHsl(RGB(102, 102, 102), 0, -0.5, 0), RGB(51, 51, 51)},
        // 0.4 x 255 computed as 101.99...: channels truncate
        {"lighter red", PM::AdjustColorHsl(RGB(204, 0, 0), 0, 0.5, 0), RGB(255, 101, 101)},
        {"no change", PM::AdjustColorHsl(RGB(255, 0, 0), 0, 0, 0), RGB(255, 0, 0)},
        {"clamped at white", PM::AdjustColorHsl(RGB(255, 255, 255), 0, 0.9, 0), RGB(255, 255, 255)},
        {"desaturate fully", PM::AdjustColorHsl(RGB(204, 0, 0), 0, 0, -1.0), RGB(102, 102, 102)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rgb(c.expected), Rgb(c.got)) << c.what;
}

TEST(ColorMath, RgbToHslTable) {
    struct Case {
        COLORREF clr;
        double h, s, l;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), 0.0, 1.0, 0.5},          {RGB(0, 255, 0), 1.0 / 3.0, 1.0, 0.5},
        {RGB(0, 0, 255), 2.0 / 3.0, 1.0, 0.5},    {RGB(255, 0, 255), 5.0 / 6.0, 1.0, 0.5},
        {RGB(102, 102, 102), 0.0, 0.0, 0.4},      {RGB(255, 255, 255), 0.0, 0.0, 1.0},
        {RGB(255, 128, 128), 0.0, 1.0, 383.0 / 510.0},
    };
    for (const Case& c : cases) {
        double h, s, l;
        PM::RgbToHsl(c.clr, h, s, l);
        EXPECT_NEAR(c.h, h, 1e-9) << Rgb(c.clr);
        EXPECT_NEAR(c.s, s, 1e-9) << Rgb(c.clr);
        EXPECT_NEAR(c.l, l, 1e-9) << Rgb(c.clr);
    }
}

// A colour goes through HSL and back unchanged (within truncation) for every tenth grey level
// and a few hues.
TEST(ColorMath, RoundTripThroughHsl) {
    const COLORREF colors[] = {RGB(255, 0, 0),   RGB(12, 200, 99), RGB(90, 60, 200),
                               RGB(240, 240, 0), RGB(0, 84, 227),  RGB(128, 128, 128)};
    for (COLORREF c : colors) {
        double h, s, l;
        PM::RgbToHsl(c, h, s, l);
        COLORREF back = PM::HslToRgb(h, l, s);
        EXPECT_NEAR(GetRValue(c), GetRValue(back), 1) << Rgb(c);
        EXPECT_NEAR(GetGValue(c), GetGValue(back), 1) << Rgb(c);
        EXPECT_NEAR(GetBValue(c), GetBValue(back), 1) << Rgb(c);
    }
}

// ---- gradients -----------------------------------------------------------------------------

TEST(Gradient, BandCountTable) {
    struct Case {
        int extent;
        UINT steps;
        bool lowColor;
        UINT bands;
    };
    const Case cases[] = {
        {3, 256, false, 3},    // limited to the width
        {40, 256, true, 10},   // 8 bits: bands of at least 4 pixels
        {700, 64, false, 64},  {700, 64, true, 64},
        {3, 256, true, 1},     // below 4 pixels at 8 bits: one band, never zero
        {1, 256, true, 1},     {2, 256, false, 2},
        {50, 0, false, 1},     // no steps asked: still one band
        {0, 256, false, 0},    // nothing to fill
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bands, PM::GradientBandCount(c.extent, c.steps, c.lowColor))
            << "extent " << c.extent << " steps " << c.steps << " low " << c.lowColor;
}

// ---- fitting to the monitor ----------------------------------------------------------------

TEST(Monitors, FitRectToAreaTable) {
    const CRect area(0, 0, 1000, 800);
    struct Case {
        const char* what;
        CRect rc;
        bool keepInside;
        CRect expected;
    };
    const Case cases[] = {
        {"wholly right: its right meets the right edge", CRect(1200, 100, 1300, 200), false,
         CRect(900, 100, 1000, 200)},
        {"wholly below", CRect(100, 900, 200, 950), false, CRect(100, 750, 200, 800)},
        {"wholly left", CRect(-300, 10, -200, 60), false, CRect(0, 10, 100, 60)},
        {"wholly above", CRect(10, -90, 60, -40), false, CRect(10, 0, 60, 50)},
        {"half outside stays without the flag", CRect(950, 100, 1050, 200), false,
         CRect(950, 100, 1050, 200)},
        {"half outside moves in with the flag", CRect(950, 100, 1050, 200), true,
         CRect(900, 100, 1000, 200)},
        {"larger than the area: left and top win", CRect(-50, -50, 1500, 1000), true,
         CRect(0, 0, 1550, 1050)},
    };
    for (const Case& c : cases) {
        CRect got = PM::FitRectToArea(c.rc, area, c.keepInside);
        EXPECT_TRUE(got == c.expected) << c.what << ": " << got.left << "," << got.top << ","
                                       << got.right << "," << got.bottom;
    }
}

// ---- glyphs --------------------------------------------------------------------------------

std::vector<std::string> Rows(const PM::glyph_t& g) {
    std::vector<std::string> rows;
    for (UINT y = 0; y < g.Height(); y++) {
        std::string row;
        for (UINT x = 0; x < g.Width(); x++)
            row += (char)('0' + g.At(x, y));
        rows.push_back(row);
    }
    return rows;
}

TEST(Glyphs, SizesAndColorCounts) {
    struct Case {
        PM::GlyphKind kind;
        UINT w, h, colors;
    };
    const Case cases[] = {
        {PM::Empty, 9, 9, 2},          {PM::Close, 9, 9, 2},
        {PM::ArrowLeft, 9, 9, 2},      {PM::PinSide, 9, 9, 2},
        {PM::BigArrowLeft, 11, 11, 2}, {PM::CornerArrowDownLeft, 11, 11, 2},
        {PM::SmallArrowUp, 5, 3, 2},   {PM::SmallArrowLeft, 3, 5, 2},
        {PM::SmallArrowRight, 3, 5, 2}, {PM::Ellipsis, 9, 3, 2},
        {PM::DockArrowLeft, 10, 10, 4}, {PM::DockArrowRight, 10, 10, 4},
        {PM::Customize, 7, 7, 2},      {PM::ChevronCustomize, 7, 12, 2},
    };
    for (const Case& c : cases) {
        const PM::glyph_t& g = *PM::g_CaptionGlyphs[c.kind];
        EXPECT_EQ(c.w, g.Width()) << "kind " << c.kind;
        EXPECT_EQ(c.h, g.Height()) << "kind " << c.kind;
        EXPECT_EQ(c.colors, g.Colors()) << "kind " << c.kind;
        ASSERT_NE(nullptr, g.Pixels()) << "kind " << c.kind;
    }
    for (int i = 0; i < PM::GlyphCount; i++)
        ASSERT_NE(nullptr, PM::g_CaptionGlyphs[i]) << "kind " << i;
    // the content-expand sets: arrow 5x3 and chevron 8x5, then both turned
    EXPECT_EQ(CSize(5, 3), PM::g_ExpandGlyphsXP[0]->Size());
    EXPECT_EQ(CSize(8, 5), PM::g_ExpandGlyphsXP[1]->Size());
    EXPECT_EQ(CSize(3, 5), PM::g_ExpandGlyphsXP[2]->Size());
    EXPECT_EQ(CSize(5, 8), PM::g_ExpandGlyphsXP[3]->Size());
    EXPECT_EQ(CSize(5, 6), PM::g_ExpandGlyphs2003[0]->Size());
    EXPECT_EQ(CSize(6, 5), PM::g_ExpandGlyphs2003[1]->Size());
    EXPECT_EQ(CSize(6, 5), PM::g_ExpandGlyphs2003[2]->Size());
    EXPECT_EQ(CSize(5, 6), PM::g_ExpandGlyphs2003[3]->Size());
    EXPECT_EQ(CSize(7, 7), PM::g_CheckMark.Size());
}

TEST(Glyphs, ArrowLeftPointsAtColumnTwoWithItsBaseAtColumnFive) {
    const PM::glyph_t& g = *PM::g_CaptionGlyphs[PM::ArrowLeft];
    auto columnCount = [&](UINT x) {
        int n = 0;
        for (UINT y = 0; y < g.Height(); y++)
            n += g.At(x, y) != 0;
        return n;
    };
    EXPECT_EQ(0, columnCount(1));
    EXPECT_EQ(1, columnCount(2));
    EXPECT_EQ(1u, g.At(2, 4));
    EXPECT_EQ(7, columnCount(5));
    EXPECT_EQ(0, columnCount(6));
}

TEST(Glyphs, RotationsTable) {
    // 270 then 180 equals 90, for glyphs of every shape: square, wide, tall, three-colour
    const PM::GlyphKind kinds[] = {PM::ArrowUp,      PM::PinUp,         PM::SmallArrowUp,
                                   PM::BigArrowUp,   PM::DockArrowUp,   PM::ChevronCustomize,
                                   PM::Ellipsis,     PM::CornerArrowUpLeft, PM::Restore};
    for (PM::GlyphKind kind : kinds) {
        const PM::glyph_t& src = *PM::g_CaptionGlyphs[kind];
        PM::glyph_t t270(src, 270), t270_180(t270, 180), t90(src, 90), t180(src, 180),
            t90_90(t90, 90), t360(t180, 180);
        EXPECT_EQ(Rows(t90), Rows(t270_180)) << "kind " << kind;
        EXPECT_EQ(Rows(t180), Rows(t90_90)) << "kind " << kind;
        EXPECT_EQ(Rows(src), Rows(t360)) << "kind " << kind;
        EXPECT_EQ(src.Height(), t90.Width()) << "kind " << kind;
        EXPECT_EQ(src.Width(), t90.Height()) << "kind " << kind;
        EXPECT_EQ(src.Colors(), t90.Colors()) << "kind " << kind;
    }
    // turning clockwise: the up arrow's point (top) goes right at 90 and left at 270
    const PM::glyph_t& up = *PM::g_CaptionGlyphs[PM::SmallArrowUp];
    EXPECT_EQ((std::vector<std::string>{"100", "110", "111", "110", "100"}),
              Rows(PM::glyph_t(up, 90)));
    EXPECT_EQ((std::vector<std::string>{"001", "011", "111", "011", "001"}),
              Rows(PM::glyph_t(up, 270)));
    EXPECT_EQ(Rows(*PM::g_CaptionGlyphs[PM::SmallArrowLeft]), Rows(PM::glyph_t(up, 270)));
}

// ---- paint-data records --------------------------------------------------------------------

TEST(PaintData, PushButtonRecordTable) {
    struct Case {
        UINT align;
        UINT format;
    };
    const Case cases[] = {
        {0, DT_SINGLELINE | DT_LEFT},
        {1, DT_SINGLELINE | DT_CENTER},
        {2, DT_SINGLELINE | DT_RIGHT},
        {3, DT_SINGLELINE | DT_CENTER},   // centre wins over right
        {4, DT_SINGLELINE | DT_LEFT | DT_VCENTER},
        {5, DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {6, DT_SINGLELINE | DT_RIGHT | DT_VCENTER},
    };
    const CRect rc(1, 2, 30, 40);
    for (const Case& c : cases) {
        PM::PushButtonPaintData d(NULL, true, rc, NULL, NULL, false, false, false, false, true,
                                  false, false, false, c.align);
        EXPECT_EQ(c.format, d.m_nDrawTextFlags) << "alignment " << c.align;
    }
    PM::PushButtonPaintData d(NULL, true, rc, NULL, NULL, true, false, true, false, true, true,
                              false, true, 5, NULL, true, SC_CLOSE, true);
    EXPECT_STREQ("", d.m_sText);
    EXPECT_TRUE(d.m_rc == rc);
    EXPECT_EQ(0u, d.m_dwUser);
    EXPECT_EQ((COLORREF)-1, d.m_clrForceTextDisabled);
    EXPECT_EQ((COLORREF)-1, d.m_clrForceTextNormal);
    EXPECT_EQ((COLORREF)-1, d.m_clrForceTextHover);
    EXPECT_EQ((COLORREF)-1, d.m_clrForceTextPressed);
    EXPECT_EQ(1, d.m_bHorz);
    EXPECT_EQ(1, d.m_bFlat);
    EXPECT_EQ(0, d.m_bHover);
    EXPECT_EQ(1, d.m_bPushed);
    EXPECT_EQ(1, d.m_bEnabled);
    EXPECT_EQ(1, d.m_bDrawBorder);
    EXPECT_EQ(1, d.m_bDefaultPushButton);
    EXPECT_EQ(1, d.m_bDropDown);
    EXPECT_EQ(1, d.m_bTransparentBackground);
    EXPECT_EQ(0, d.m_bSeparatedDropDown);
    EXPECT_EQ(0, d.m_bPushedDropDown);
    EXPECT_EQ(0, d.m_bForceUseDrawTextApiH);
    EXPECT_EQ((UINT)SC_CLOSE, d.m_nCmdId);

    // a state passed as a mask (flags & 4) counts as set
    UINT state = 4;
    PM::PushButtonPaintData m(NULL, true, rc, "x", NULL, false, (state & 4) != 0, state & 4,
                              false, true, false, false, false, 0);
    EXPECT_EQ(1, m.m_bHover);
    EXPECT_EQ(1, m.m_bPushed);
}

TEST(PaintData, OtherRecords) {
    const CRect rc(0, 0, 100, 20);
    PM::MenuItemPaintData mi(NULL, rc, 24, NULL, NULL, NULL, true, true, false, true, false, true,
                             true, false, true, 77);
    EXPECT_STREQ("", mi.m_sText);
    EXPECT_STREQ("", mi.m_sAccelText);
    EXPECT_EQ(24, mi.m_nIconAreaWidth);
    EXPECT_EQ(1, mi.m_bPopup);
    EXPECT_EQ(1, mi.m_bSelected);
    EXPECT_EQ(0, mi.m_bPushedCheck);
    EXPECT_EQ(1, mi.m_bPushedRadio);
    EXPECT_EQ(1, mi.m_bEnabled);
    EXPECT_EQ(1, mi.m_bRarelyUsed);
    EXPECT_EQ(0, mi.m_bRarelyUsedPrev);
    EXPECT_EQ(1, mi.m_bRarelyUsedNext);
    EXPECT_EQ(0, mi.m_bForceNoLeftGradient | mi.m_bCustomizeListMode | mi.m_bSeparatedDropDown |
                     mi.m_bXtraChecked | mi.m_bHelperPopupDropped);
    EXPECT_TRUE(mi.m_rcInPlaceWnd.IsRectEmpty());
    EXPECT_TRUE(mi.m_strInPlaceText.IsEmpty());
    EXPECT_EQ(77u, mi.m_nCmdId);

    PM::ComboFramePaintData cf(NULL, rc, true, false, true);
    EXPECT_EQ((COLORREF)-1, cf.m_clrForceNABorder);
    EXPECT_EQ((COLORREF)-1, cf.m_clrForceNAContent);
    EXPECT_EQ((COLORREF)-1, cf.m_clrForceActiveOuterBorder);
    EXPECT_EQ(1, cf.m_bHover);
    EXPECT_EQ(0, cf.m_bPushed);
    EXPECT_EQ(0, cf.m_bNoTopOuterBorder);

    PM::ControlFramePaintData ctl(NULL, rc, true, false, true, true);
    EXPECT_EQ(1, ctl.m_bFlat);
    EXPECT_EQ(0, ctl.m_bHover);
    EXPECT_EQ(1, ctl.m_bFocus);

    const CRect rcClient(2, 2, 98, 18);
    PM::DockingFramePaintData df(NULL, rc, rcClient, true, false, true);
    EXPECT_TRUE(df.m_rcClient == rcClient);
    EXPECT_EQ(1, df.m_bFloating);
    EXPECT_EQ(0, df.m_bExtBar);

    PM::GripperPaintData gp(NULL, rc, rcClient, false, true, true, false, NULL);
    EXPECT_STREQ("", gp.m_sCaption);
    EXPECT_EQ(1, gp.m_bFloating);
    EXPECT_EQ(0, gp.m_bHelperNoRect | gp.m_bHelperNoFill);
}

}  // namespace
