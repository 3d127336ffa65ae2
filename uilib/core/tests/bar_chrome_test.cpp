// Bar chrome per look, probed by pixel: separators between bar buttons and caption buttons.
#include "orv/gtest.h"
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include <algorithm>

namespace {

typedef CExtPaintManager PM;
using orvtest::RectText;
using orvtest::RenderCanvas;
using orvtest::ScopedPainter;

const COLORREF kBack = RGB(0, 128, 128);

class BarChromeTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
    PM& pm() { return *g_PaintManager.GetPaintManager(); }
};

TEST_F(BarChromeTest, SeparatorsPerLook) {
    struct Case {
        PM* painter;
        const char* name;
        bool horzBar;
        CRect line;        // where the line lies in a 20 x 20 cell
        int light, dark;   // the line's colours (dark top/left, light bottom/right); -1 one colour
    };
    const Case cases[] = {
        {new PM, "classic_h", true, CRect(9, 0, 11, 19), 1004, 1006},
        {new PM, "classic_v", false, CRect(0, 9, 19, 11), 1004, 1006},
        {new CExtPaintManagerXP, "xp_h", true, CRect(9, 1, 10, 19), -1, 2002},
        {new CExtPaintManagerXP, "xp_v", false, CRect(1, 9, 19, 10), -1, 2002},
        {new CExtPaintManagerOffice2003, "office2003_h", true, CRect(9, 1, 10, 19), -1, 2002},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(c.painter);
        RenderCanvas canvas(20, 20, kBack);
        const COLORREF face = pm().GetColor(1000);
        // in the XP looks the line and the face may share a colour only if the system says so
        pm().PaintSeparator(canvas.dc(), CRect(0, 0, 20, 20), c.horzBar, false);
        canvas.Keep(std::string("separator_") + c.name);
        const COLORREF dark = pm().GetColor(c.dark);
        if (c.light < 0) {
            EXPECT_EQ(RectText(c.line), RectText(canvas.Bounds(dark, CRect(0, 0, 20, 20)))) << c.name;
            EXPECT_EQ(c.line.Width() * c.line.Height(), canvas.Count(dark, c.line)) << c.name;
        } else {
            EXPECT_EQ(dark, canvas.At(c.line.left, c.line.top)) << c.name;
            EXPECT_EQ(pm().GetColor(c.light), canvas.At(c.line.right - 1, c.line.bottom - 1)) << c.name;
        }
        EXPECT_EQ(face, canvas.At(0, 0)) << c.name;
        EXPECT_EQ(face, canvas.At(19, 19)) << c.name;
        // transparent: only the line is drawn
        canvas.Fill(kBack);
        pm().PaintSeparator(canvas.dc(), CRect(0, 0, 20, 20), c.horzBar, true);
        EXPECT_EQ(kBack, canvas.At(0, 0)) << c.name;
        EXPECT_EQ(c.line.Width() * c.line.Height(), canvas.CountOther(kBack, CRect(0, 0, 20, 20)))
            << c.name;
    }
}

TEST_F(BarChromeTest, ClassicCaptionButtonGrowsAndFrames) {
    ScopedPainter painter(new PM);
    RenderCanvas canvas(30, 30, kBack);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE), hilite = ::GetSysColor(COLOR_3DHILIGHT),
                   shadow = ::GetSysColor(COLOR_3DSHADOW), dk = ::GetSysColor(COLOR_3DDKSHADOW);
    struct Case {
        const char* name;
        bool hover, pushed, enabled, noInflate;
        CRect rc;        // what the button is given
        CRect painted;   // what it covers
        COLORREF topLeft, bottomRight, innerBottomRight;
    };
    const Case cases[] = {
        // 15 x 15: odd sides grow at the left and top to 16 x 16, then by 1 all round and 1
        // more at the left and top
        {"idle", false, false, true, false, CRect(10, 10, 25, 25), CRect(7, 7, 26, 26), hilite, shadow, face},
        {"hover", true, false, true, false, CRect(10, 10, 25, 25), CRect(7, 7, 26, 26), face, dk, shadow},
        {"pushed", true, true, true, false, CRect(10, 10, 25, 25), CRect(7, 7, 26, 26), shadow, hilite, face},
        {"disabled_hover", true, false, false, false, CRect(10, 10, 24, 24), CRect(8, 8, 25, 25), hilite, shadow, face},
        {"no_inflate", false, false, true, true, CRect(10, 10, 24, 24), CRect(9, 9, 24, 24), hilite, shadow, face},
    };
    CRect glyphHover;
    for (const Case& c : cases) {
        canvas.Fill(kBack);
        PM::CaptionButtonPaintData d(NULL, c.rc, PM::Close, c.hover, c.pushed, c.enabled, false,
                                     false, false, c.noInflate);
        pm().PaintCaptionButton(canvas.dc(), d);
        canvas.Keep(std::string("caption_button_classic_") + c.name);
        // nothing outside the painted rectangle
        EXPECT_EQ(c.painted.Width() * c.painted.Height(), canvas.CountOther(kBack, c.painted)) << c.name;
        EXPECT_EQ(c.painted.Width() * c.painted.Height(),
                  canvas.CountOther(kBack, CRect(0, 0, 30, 30))) << c.name;
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 30, c.painted.top))) << c.name;
        EXPECT_EQ(c.topLeft, canvas.At(c.painted.left, c.painted.top)) << c.name;
        EXPECT_EQ(c.bottomRight, canvas.At(c.painted.right - 1, c.painted.bottom - 1)) << c.name;
        EXPECT_EQ(c.innerBottomRight, canvas.At(c.painted.right - 2, c.painted.bottom - 2)) << c.name;
        // the sign: black enabled, shadow disabled, one pixel lower when pushed
        const COLORREF sign = c.enabled ? RGB(0, 0, 0) : shadow;
        const CRect glyph = canvas.Bounds(sign, CRect(c.painted.left + 2, c.painted.top + 2,
                                                      c.painted.right - 2, c.painted.bottom - 2));
        EXPECT_FALSE(glyph.IsRectEmpty()) << c.name;
        if (c.pushed)
            EXPECT_EQ(glyphHover.TopLeft() + CSize(1, 1), glyph.TopLeft());
        else if (std::string(c.name) == "hover")
            glyphHover = glyph;
    }
}

TEST_F(BarChromeTest, XpCaptionButtonsPerLook) {
    struct State {
        const char* name;
        bool hover, pushed, enabled, active, flag5, flag6;
        int fill;         // the face inside, -1 untouched
        int frame;        // the ring around, -1 none
        int glyph;        // the glyph colour index, -2 black
        PM::GlyphKind kind;
    };
    const State states[] = {
        {"idle", false, false, true, false, false, false, -1, -1, COLOR_HIGHLIGHTTEXT, PM::Close},
        {"idle_active", false, false, true, true, false, false, -1, -1, COLOR_3DDKSHADOW, PM::ThinClose},
        {"idle_active_plain", false, false, true, true, false, true, -1, -1, COLOR_3DDKSHADOW, PM::Close},
        {"hover", true, false, true, false, false, false, 1001, 2004, -2, PM::Close},
        {"pushed", true, true, true, false, false, false, 2003, 2004, -2, PM::Close},
        {"pushed_flag5", true, true, true, false, true, false, 2003, 2003, -2, PM::Close},
        {"disabled", true, false, false, false, false, false, -1, -1, COLOR_3DSHADOW, PM::Close},
    };
    for (int look = 0; look < 3; look++) {
        for (const State& s : states) {
            if (look == 2 && s.active && s.flag6)
                continue;   // the classic button in Studio 2005, below
            ScopedPainter painter(look == 0   ? (PM*)new CExtPaintManagerXP
                                  : look == 1 ? (PM*)new CExtPaintManagerOffice2003
                                              : (PM*)new CExtPaintManagerStudio2005);
            const std::string name = std::to_string(look) + "_" + s.name;
            RenderCanvas canvas(30, 30, kBack);
            PM::CaptionButtonPaintData d(NULL, CRect(8, 8, 24, 24), PM::Close, s.hover, s.pushed,
                                         s.enabled, s.active, s.flag5, s.flag6);
            pm().PaintCaptionButton(canvas.dc(), d);
            if (look == 0)
                canvas.Keep("caption_button_xp_" + std::string(s.name));
            if (s.frame >= 0) {
                EXPECT_EQ(pm().GetColor(s.frame), canvas.At(7, 7)) << name;
                EXPECT_EQ(pm().GetColor(s.frame), canvas.At(24, 24)) << name;
                EXPECT_EQ(pm().GetColor(s.fill), canvas.At(8, 8)) << name;
            } else {
                EXPECT_EQ(kBack, canvas.At(7, 7)) << name;
                EXPECT_EQ(kBack, canvas.At(8, 8)) << name;
            }
            // the glyph, centred, of the expected kind and colour
            const COLORREF clr = s.glyph == -2 ? RGB(0, 0, 0) : pm().GetColor(s.glyph);
            const PM::glyph_t& g = *PM::g_CaptionGlyphs[s.kind];
            int n = 0, firstColumn = (int)g.Width();
            for (UINT y = 0; y < g.Height(); y++)
                for (UINT x = 0; x < g.Width(); x++)
                    if (g.At(x, y) != 0) {
                        n++;
                        firstColumn = std::min(firstColumn, (int)x);
                    }
            const CRect box = canvas.Bounds(clr, CRect(9, 9, 23, 23));
            EXPECT_EQ(n, canvas.Count(clr, CRect(9, 9, 23, 23))) << name;
            EXPECT_EQ(8 + (16 - (int)g.Width()) / 2 + firstColumn, box.left) << name;
        }
    }
    // Studio 2005: on an active caption with the plain-close bit, the classic button
    ScopedPainter studio(new CExtPaintManagerStudio2005);
    RenderCanvas canvas(30, 30, kBack);
    PM::CaptionButtonPaintData d(NULL, CRect(8, 8, 24, 24), PM::Close, false, false, true, true,
                                 false, true);
    pm().PaintCaptionButton(canvas.dc(), d);
    EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), canvas.At(6, 6));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.At(24, 24));
}

TEST_F(BarChromeTest, ButtonPaddingPerLook) {
    EXPECT_EQ(CSize(0, 0), PM().GetBarButtonPadding());
    EXPECT_EQ(CSize(0, 0), CExtPaintManagerXP().GetBarButtonPadding());
    EXPECT_EQ(CSize(4, 4), CExtPaintManagerOffice2003().GetBarButtonPadding());
    EXPECT_EQ(CSize(4, 4), CExtPaintManagerStudio2005().GetBarButtonPadding());
}

}  // namespace
