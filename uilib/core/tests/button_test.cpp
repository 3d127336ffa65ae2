// Push buttons in the classic and XP looks, probed by pixel: the ring colours at the corners,
// the face, the content offset of a pushed button, the drop-down part, glyphs and text colours.
// Text is only counted, never compared pixel by pixel (font metrics differ).
#include "orv/gtest.h"
#include "PaintProbe.h"
#include "CExtPaintManagerXP.h"

namespace {

typedef CExtPaintManager PM;
using orvtest::RectText;
using orvtest::RenderCanvas;
using orvtest::ScopedPainter;

const COLORREF kRed = RGB(255, 0, 0);
const CRect kButton(10, 10, 90, 34);

enum {
    Flat = 1, Hover = 2, Pushed = 4, Disabled = 8, Border = 16, Focus = 32, DropDown = 64,
    Separated = 128, DropPushed = 256, Vertical = 512, Transparent = 1024, DrawText = 2048
};

struct ButtonSpec {
    const char* name;
    int flags;
    const char* text;
    CExtCmdIcon* icon;
    UINT cmd;
};

PM::PushButtonPaintData MakeData(const ButtonSpec& b, const CRect& rc) {
    PM::PushButtonPaintData d(NULL, !(b.flags & Vertical), rc, b.text, b.icon, (b.flags & Flat) != 0,
                              (b.flags & Hover) != 0, (b.flags & Pushed) != 0, false,
                              !(b.flags & Disabled), (b.flags & Border) != 0, (b.flags & Focus) != 0,
                              false, 1 | 4, NULL, (b.flags & DropDown) != 0, b.cmd,
                              (b.flags & Transparent) != 0);
    d.m_bSeparatedDropDown = (b.flags & Separated) != 0;
    d.m_bPushedDropDown = (b.flags & DropPushed) != 0;
    d.m_bForceUseDrawTextApiH = (b.flags & DrawText) != 0;
    return d;
}

// Paints one button on a canvas of the test colour and keeps its picture.
void Paint(RenderCanvas& canvas, const ButtonSpec& b, const char* look, const CRect& rc = kButton) {
    canvas.Fill(RGB(0, 128, 128));
    PM::PushButtonPaintData d = MakeData(b, rc);
    g_PaintManager->PaintPushButton(canvas.dc(), d);
    canvas.Keep(std::string("button_") + look + "_" + b.name);
}

class ButtonTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
    PM& pm() { return *g_PaintManager.GetPaintManager(); }
};

TEST_F(ButtonTest, ClassicRingsAndFaces) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(100, 44);
    const COLORREF face = pm().GetColor(1000), hilite = pm().GetColor(1004),
                   shadow = pm().GetColor(1006), dark = pm().GetColor(1008);
    struct Case {
        ButtonSpec b;
        COLORREF outerTL, outerBR, innerTL, innerBR;
    };
    const Case cases[] = {
        {{"normal", 0, "", NULL, 0}, hilite, shadow, face, face},
        {{"hover", Hover, "", NULL, 0}, shadow, dark, hilite, shadow},
        {{"pushed", Pushed, "", NULL, 0}, pm().GetColor(1007), pm().GetColor(1005), face, face},
        {{"flat", Flat, "", NULL, 0}, face, face, face, face},
        {{"flat_hover_border", Flat | Hover | Border, "", NULL, 0}, hilite, shadow, face, face},
        {{"flat_hover_noborder", Flat | Hover, "", NULL, 0}, face, face, face, face},
        {{"flat_pushed_noborder", Flat | Pushed, "", NULL, 0}, face, face, face, face},
        {{"flat_pushed_border", Flat | Pushed | Border, "", NULL, 0}, pm().GetColor(1007),
         pm().GetColor(1005), face, face},
        // a disabled button passed as hovered: no hover frame
        {{"disabled_hover", Disabled | Hover, "", NULL, 0}, hilite, shadow, face, face},
    };
    for (const Case& c : cases) {
        Paint(canvas, c.b, "classic");
        EXPECT_EQ(c.outerTL, canvas.At(10, 10)) << c.b.name;
        EXPECT_EQ(c.outerTL, canvas.At(50, 10)) << c.b.name;
        EXPECT_EQ(c.outerBR, canvas.At(89, 33)) << c.b.name;
        EXPECT_EQ(c.outerBR, canvas.At(89, 20)) << c.b.name;
        EXPECT_EQ(c.innerTL, canvas.At(11, 11)) << c.b.name;
        EXPECT_EQ(c.innerBR, canvas.At(88, 32)) << c.b.name;
        EXPECT_EQ(RGB(0, 128, 128), canvas.At(9, 9)) << c.b.name << ": painted outside";
        EXPECT_EQ(RGB(0, 128, 128), canvas.At(90, 34)) << c.b.name << ": painted outside";
        if (!(c.b.flags & Pushed) || !(c.b.flags & Hover)) {
            EXPECT_EQ(face, canvas.At(50, 22)) << c.b.name;
        }
    }
    // pushed and hovered: the light pattern (at true colour the face/highlight blend)
    Paint(canvas, {"pushed_hover", Pushed | Hover, "", NULL, 0}, "classic");
    if (orvtest::DisplayDepth() > 8) {
        LOGBRUSH lb;
        pm().GetBlendedBrush(0).GetLogBrush(&lb);
        EXPECT_EQ(lb.lbColor, canvas.At(50, 22));
    } else {
        EXPECT_NE(canvas.At(50, 22), canvas.At(51, 22));   // a checkerboard
    }
    // a transparent background is left alone
    Paint(canvas, {"transparent", Transparent, "", NULL, 0}, "classic");
    EXPECT_EQ(RGB(0, 128, 128), canvas.At(50, 22));
    EXPECT_EQ(hilite, canvas.At(10, 10));
}

// The classic look moves all of a pushed button's content by one pixel; XP moves only its icon.
TEST_F(ButtonTest, PushedContentMoves) {
    CExtCmdIcon icon(orvtest::MakeSolidIcon(kRed), false);
    ASSERT_EQ(CSize(16, 16), icon.GetSize());
    struct Case {
        PM* painter;
        const char* look;
        CSize offset;   // of the drop-down arrow
    };
    const Case looks[] = {{new CExtPaintManager, "classic", CSize(1, 1)},
                          {new CExtPaintManagerXP, "xp", CSize(0, 0)}};
    for (const Case& look : looks) {
        ScopedPainter painter(look.painter);
        RenderCanvas canvas(100, 44);
        Paint(canvas, {"icon", 0, "", &icon, 0}, look.look);
        const CRect rcUp = canvas.Bounds(kRed, CRect(0, 0, 100, 44));
        // centred: (80 - 16) / 2, (24 - 16) / 2 from the button's corner
        EXPECT_EQ(RectText(CRect(42, 14, 58, 30)), RectText(rcUp)) << look.look;
        Paint(canvas, {"icon_pushed", Pushed, "", &icon, 0}, look.look);
        const CRect rcDown = canvas.Bounds(kRed, CRect(0, 0, 100, 44));
        CRect want(rcUp);
        want.OffsetRect(1, 1);
        EXPECT_EQ(RectText(want), RectText(rcDown)) << look.look;

        // the drop-down arrow moves with a pushed drop-down part
        Paint(canvas, {"dropdown", DropDown, "", NULL, 0}, look.look);
        const COLORREF arrow = g_PaintManager->GetColor(1010);
        // inside the frame (at 8 bits the XP frame has the arrow's colour)
        const CRect rcArrowArea(70, 11, 89, 33);
        const CRect rcArrow = canvas.Bounds(arrow, rcArrowArea);
        EXPECT_EQ(CSize(5, 3), rcArrow.Size()) << look.look;
        EXPECT_GE(rcArrow.left, 90 - 11) << look.look;   // in the part cut from the right
        Paint(canvas, {"dropdown_pushed", DropDown | Pushed, "", NULL, 0}, look.look);
        CRect rcArrowDown = canvas.Bounds(arrow, rcArrowArea);
        CRect wantArrow(rcArrow);
        wantArrow.OffsetRect(look.offset);
        EXPECT_EQ(RectText(wantArrow), RectText(rcArrowDown)) << look.look;
    }
}

TEST_F(ButtonTest, DropDownPartsAndSystemGlyphs) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(100, 44);
    // separated, with the arrow part pushed: no hover, the arrow part sunken on its own
    Paint(canvas, {"separated_droppushed", DropDown | Separated | DropPushed | Hover, "", NULL, 0},
          "classic");
    const int splitX = 90 - 6 - 5;
    EXPECT_EQ(pm().GetColor(1004), canvas.At(10, 10));         // button part raised, no hover ring
    EXPECT_EQ(pm().GetColor(1006), canvas.At(splitX - 1, 33));
    EXPECT_EQ(pm().GetColor(1007), canvas.At(splitX, 10));     // arrow part sunken
    EXPECT_EQ(pm().GetColor(1005), canvas.At(89, 33));
    EXPECT_EQ(pm().GetColor(1000), canvas.At(11, 11));         // no inner hover ring...
    EXPECT_EQ(pm().GetColor(1000), canvas.At(88, 32));         // ...on either side

    // a vertical button cuts its arrow part from the bottom
    const CRect rcVert(10, 2, 34, 42);
    Paint(canvas, {"vertical_dropdown", DropDown | Vertical, "", NULL, 0}, "classic", rcVert);
    const CRect rcArrow = canvas.Bounds(pm().GetColor(1010), rcVert);
    EXPECT_EQ(CSize(3, 5), rcArrow.Size());
    EXPECT_GE(rcArrow.top, 42 - 11);

    // an empty icon with a system command draws that command's glyph; an ordinary command none
    CExtCmdIcon empty;
    Paint(canvas, {"close_glyph", 0, "", &empty, SC_CLOSE}, "classic");
    const CRect rcGlyph = canvas.Bounds(pm().GetColor(1010), CRect(11, 11, 89, 33));
    EXPECT_EQ(RectText(CRect(46, 18, 53, 25)), RectText(rcGlyph));   // the X, centred
    Paint(canvas, {"close_glyph_disabled", Disabled, "", &empty, SC_CLOSE}, "classic");
    EXPECT_GT(canvas.Count(pm().GetColor(1006), CRect(40, 14, 60, 30)), 10);
    Paint(canvas, {"ordinary_cmd", 0, "", &empty, 1234}, "classic");
    EXPECT_EQ(0, canvas.CountOther(pm().GetColor(1000), CRect(12, 12, 88, 32)));
}

TEST_F(ButtonTest, TextColoursAndDisabledText) {
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(look == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        const char* name = look == 0 ? "classic" : "xp";
        RenderCanvas canvas(100, 44);
        const CRect inner(12, 12, 88, 32);
        const COLORREF face = pm().GetColor(1000);

        Paint(canvas, {"text", 0, "Apply", NULL, 0}, name);
        EXPECT_GT(canvas.Count(pm().GetColor(COLOR_BTNTEXT), inner), 10) << name;

        // forced colours win
        PM::PushButtonPaintData d = MakeData({"", Hover, "Apply", NULL, 0}, kButton);
        d.m_clrForceTextNormal = RGB(200, 0, 0);
        canvas.Fill(RGB(0, 128, 128));
        pm().PaintPushButton(canvas.dc(), d);
        canvas.Keep(std::string("button_") + name + "_forced_colour");
        EXPECT_GT(canvas.Count(RGB(200, 0, 0), inner), 10) << name;

        // disabled: visible, whichever way the text is drawn
        for (int drawText = 0; drawText < 2; drawText++) {
            ButtonSpec b = {drawText ? "disabled_drawtext" : "disabled", Disabled | (drawText ? DrawText : 0),
                            "Apply", NULL, 0};
            Paint(canvas, b, name);
            const int nText = canvas.CountOther(face, inner);
            EXPECT_GT(nText, 10) << name << " " << b.name;
            EXPECT_GT(canvas.Count(pm().GetColor(COLOR_3DSHADOW), inner), 10) << name << " " << b.name;
        }
        // the classic disabled text is embossed: a highlight copy one pixel down and right
        if (look == 0) {
            Paint(canvas, {"disabled_emboss", Disabled, "Apply", NULL, 0}, name);
            EXPECT_GT(canvas.Count(pm().GetColor(COLOR_3DHILIGHT), inner), 5);
        }
    }
}

TEST_F(ButtonTest, VerticalTextAndTheHandDrawnMnemonic) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(44, 100);
    const CRect rc(10, 5, 34, 95);
    const COLORREF text = pm().GetColor(COLOR_BTNTEXT);
    Paint(canvas, {"vertical_plain", Vertical, "File", NULL, 0}, "classic", rc);
    const int nPlain = canvas.Count(text, rc);
    const CRect bounds = canvas.Bounds(text, rc);
    EXPECT_GT(bounds.Height(), bounds.Width());   // runs top to bottom
    Paint(canvas, {"vertical_mnemonic", Vertical, "&File", NULL, 0}, "classic", rc);
    const int nMnemonic = canvas.Count(text, rc);
    // the same letters plus a one-pixel line under the first one (no '&' drawn)
    EXPECT_GT(nMnemonic, nPlain);
    EXPECT_LT(nMnemonic, nPlain + 20);
    Paint(canvas, {"vertical_disabled", Vertical | Disabled, "&File", NULL, 0}, "classic", rc);
    EXPECT_GT(canvas.Count(pm().GetColor(COLOR_3DHILIGHT), rc), 5);
    EXPECT_GT(canvas.Count(pm().GetColor(COLOR_3DSHADOW), rc), 5);
}

TEST_F(ButtonTest, FocusRectangleOnlyWhenEnabled) {
    ScopedPainter painter(new CExtPaintManager);
    RenderCanvas canvas(100, 44);
    const COLORREF face = pm().GetColor(1000);
    Paint(canvas, {"focus", Focus, "", NULL, 0}, "classic");
    const CRect line(13, 13, 87, 14);   // the top of the rectangle 3 pixels in
    EXPECT_GT(canvas.CountOther(face, line), 20);
    Paint(canvas, {"focus_disabled", Focus | Disabled, "", NULL, 0}, "classic");
    EXPECT_EQ(0, canvas.CountOther(face, line));
}

TEST_F(ButtonTest, XpFacesAndFrames) {
    ScopedPainter painter(new CExtPaintManagerXP);
    RenderCanvas canvas(100, 44);
    const COLORREF frame = pm().GetColor(2004);
    struct Case {
        ButtonSpec b;
        int face;
        bool framed;
    };
    const Case cases[] = {
        {{"normal", 0, "", NULL, 0}, 1000, false},
        {{"hover", Hover, "", NULL, 0}, 1001, true},
        {{"pushed", Pushed, "", NULL, 0}, 1001, true},
        {{"pushed_hover", Pushed | Hover, "", NULL, 0}, 2003, true},
        {{"droppushed_hover", DropDown | DropPushed | Hover, "", NULL, 0}, 2003, true},
        {{"disabled_hover", Disabled | Hover, "", NULL, 0}, 1000, false},
    };
    for (const Case& c : cases) {
        Paint(canvas, c.b, "xp");
        const COLORREF face = pm().GetColor(c.face);
        EXPECT_EQ(face, canvas.At(50, 22)) << c.b.name;
        EXPECT_EQ(c.framed ? frame : face, canvas.At(10, 10)) << c.b.name;
        EXPECT_EQ(c.framed ? frame : face, canvas.At(89, 33)) << c.b.name;
        EXPECT_EQ(face, canvas.At(11, 11)) << c.b.name;
    }
}

// The XP icon (Office 2003 and Studio 2005 inherit it): a pressed icon sinks by one pixel, a
// hovered one rises above its shadow in colour 16 (each a pixel off its place), a disabled one
// is a shape in colour 2002; an enabled icon takes the look's tint.
TEST_F(ButtonTest, XpIconSinksRisesAndTakesTheLooksTint) {
    enum { Hov = 1, Push = 2, Dis = 4 };
    const struct {
        const char* name;
        int state;
        CRect icon;     // red pixels
        CRect shadow;   // pixels of colour 16 (empty: none)
        CRect shape;    // pixels of colour 2002 (empty: none)
        int painted;    // pixels painted at all
    } cases[] = {
        {"normal", 0, CRect(42, 14, 58, 30), CRect(), CRect(), 256},
        // the shadow shows right of and below the raised icon: 16 x 16 and a 2-pixel L
        {"hover", Hov, CRect(41, 13, 57, 29), CRect(43, 15, 59, 31), CRect(), 256 + 2 * 16 + 2 * 14},
        {"pushed", Push, CRect(43, 15, 59, 31), CRect(), CRect(), 256},
        {"pushed_hover", Push | Hov, CRect(43, 15, 59, 31), CRect(), CRect(), 256},
        {"disabled", Dis, CRect(), CRect(), CRect(42, 14, 58, 30), 256},
        {"disabled_pushed", Dis | Push, CRect(), CRect(), CRect(43, 15, 59, 31), 256},
        {"disabled_hover", Dis | Hov, CRect(), CRect(), CRect(42, 14, 58, 30), 256},
    };
    const char* names[] = {"xp", "office2003", "studio2005"};
    const int nCases = (int)(sizeof cases / sizeof cases[0]);
    CExtCmdIcon icon(orvtest::MakeSolidIcon(kRed), false);
    for (int l = 1; l <= 3; l++) {
        ScopedPainter painter(orvtest::NewLook(l));
        // the states side by side, one column of 100 pixels each
        RenderCanvas canvas(100 * nCases, 44, orvtest::kBack);
        const COLORREF shadow = pm().GetColor(COLOR_3DSHADOW), shape = pm().GetColor(2002);
        for (int i = 0; i < nCases; i++) {
            const auto& c = cases[i];
            const std::string what = std::string(names[l - 1]) + " " + c.name;
            const CPoint off(100 * i, 0);
            const CRect column(off.x, 0, off.x + 100, 44);
            auto at = [&](const CRect& rc) { return rc.IsRectEmpty() ? rc : rc + off; };
            CRect rcCaption;
            pm().PaintIcon(canvas.dc(), true, CString(), &icon, kButton + off, rcCaption,
                           (c.state & Push) != 0, (c.state & Dis) == 0, (c.state & Hov) != 0, 1 | 4);
            EXPECT_EQ(RectText(at(c.icon)), RectText(canvas.Bounds(kRed, column))) << what;
            if (!(c.state & Dis))
                EXPECT_EQ(RectText(at(c.shadow)), RectText(canvas.Bounds(shadow, column))) << what;
            else
                EXPECT_EQ(RectText(at(c.shape)), RectText(canvas.Bounds(shape, column))) << what;
            // nothing but the icon and its shadow or shape
            EXPECT_EQ(c.painted, canvas.CountOther(orvtest::kBack, column)) << what;
            EXPECT_TRUE(rcCaption.IsRectEmpty()) << what;
        }
        canvas.Keep(std::string("icon_states_") + names[l - 1]);
        // The icon now carries this look's tint (XP: none), so its tinted disabled image is the
        // one an icon tinted by hand with the look's values gives.
        EXPECT_EQ(pm().GetIconTintColor(), icon.GetTintColor()) << names[l - 1];
        EXPECT_EQ(pm().GetIconTintFactor(), icon.GetTintFactor()) << names[l - 1];
        if (l == 1) {
            EXPECT_EQ((COLORREF)-1, icon.GetTintColor());
            EXPECT_EQ(nullptr, icon.GetDisabledHICON());
            continue;
        }
        ASSERT_NE((COLORREF)-1, icon.GetTintColor()) << names[l - 1];
        ASSERT_NE(nullptr, icon.GetDisabledHICON()) << names[l - 1];
        CExtCmdIcon byHand(orvtest::MakeSolidIcon(kRed), false);
        byHand.SetTintColor(pm().GetIconTintColor());
        byHand.SetTintFactor(pm().GetIconTintFactor());
        RenderCanvas tinted(80, 36, orvtest::kBack);
        icon.Paint(tinted.dc(), CPoint(10, 10), CExtCmdIcon::ePaintDisabledTinted);
        byHand.Paint(tinted.dc(), CPoint(50, 10), CExtCmdIcon::ePaintDisabledTinted);
        EXPECT_EQ(tinted.At(58, 18), tinted.At(18, 18)) << names[l - 1];
        EXPECT_NE(kRed, tinted.At(18, 18)) << names[l - 1];
        EXPECT_NE(orvtest::kBack, tinted.At(18, 18)) << names[l - 1];
        tinted.Keep(std::string("icon_tinted_") + names[l - 1]);
    }
}

TEST_F(ButtonTest, EveryLookPaintsEveryStateInsideItsRectangle) {
    // a contact sheet per look: all states side by side, for a person to look at
    const int states[] = {0, Hover, Pushed, Pushed | Hover, Disabled, Flat, Flat | Hover | Border,
                          DropDown, DropDown | Separated | Hover, Focus};
    PM* looks[] = {new CExtPaintManager, new CExtPaintManagerXP};
    const char* names[] = {"classic", "xp"};
    CExtCmdIcon icon(orvtest::MakeSolidIcon(kRed), false);
    for (int l = 0; l < 2; l++) {
        ScopedPainter painter(looks[l]);
        RenderCanvas canvas(200, 30 * 10 + 10, RGB(0, 128, 128));
        int y = 5;
        for (int s : states) {
            PM::PushButtonPaintData d = MakeData({"", s, "&Options", &icon, 0}, CRect(5, y, 195, y + 26));
            pm().PaintPushButton(canvas.dc(), d);
            EXPECT_EQ(RGB(0, 128, 128), canvas.At(4, y)) << names[l] << " state " << s;
            EXPECT_EQ(RGB(0, 128, 128), canvas.At(195, y + 25)) << names[l] << " state " << s;
            y += 30;
        }
        canvas.Keep(std::string("buttons_") + names[l] + "_sheet", 2);
    }
}

}  // namespace
