// The later answers of the looks, probed by value and by pixel: bar layout, bar backgrounds,
// tool-bar decoration, menu borders and joints, combo frames and text fields.
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "BarDoubles.h"
#include "ExtBarStandIns.h"
#include "CExtBarColorButton.h"
#include "CExtPopupMenuWnd.h"

namespace {

typedef CExtPaintManager PM;
using namespace orvtest;

class MenuFramesTest : public orvtest::PaintTest {};

TEST_F(MenuFramesTest, LayoutAnswersPerLook) {
    CWnd frame;
    orvtest::TestToolBar top, left, floating;
    top.m_pDockSite = left.m_pDockSite = floating.m_pDockSite = &frame;
    top.m_nDockBarID = kDockBarTop;
    left.m_nDockBarID = kDockBarLeft;
    orvtest::TestMenuBar menuBar;
    menuBar.m_pDockSite = &frame;
    menuBar.m_nDockBarID = kDockBarTop;
    orvtest::TestToolBar optedOut;
    optedOut.m_pDockSite = &frame;
    optedOut.m_nDockBarID = kDockBarTop;
    optedOut.m_dwOwnFlags = 2;
    const bool high = HighColor();
    struct Case {
        int look;
        CWnd* bar;
        CRect deflated;   // of (0, 0, 100, 100)
        int gap;
        bool themed;
    };
    const Case cases[] = {
        {0, &top, CRect(3, 1, 97, 99), 6, false},
        {0, &left, CRect(1, 3, 99, 97), 6, false},
        {0, &menuBar, CRect(3, 1, 97, 99), 0, false},
        {1, &top, CRect(3, 1, 97, 99), 6, false},
        {2, &top, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), high ? 0 : 6, high},
        {2, &left, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), high ? 0 : 6, high},
        {2, &floating, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), 6, false},
        {2, &menuBar, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), 0, false},
        {2, &optedOut, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), 6, false},
        {3, &top, high ? CRect(0, 0, 100, 100) : CRect(1, 1, 99, 99), high ? 0 : 6, high},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        const Case& c = cases[i];
        ScopedPainter painter(NewLook(c.look));
        CRect rc(0, 0, 100, 100);
        pm().DeflateBarRect(c.bar, rc);
        EXPECT_EQ(RectText(c.deflated), RectText(rc)) << i;
        EXPECT_EQ(c.gap, pm().GetBarBorderGap(c.bar)) << i;
        EXPECT_EQ(c.themed, pm().IsBarBackgroundThemed(c.bar)) << i;
        EXPECT_EQ(4, pm().GetMenuShadowSize()) << i;
        EXPECT_EQ(c.look == 0 ? 2 : 1, pm().GetMenuBorderSize()) << i;
        EXPECT_EQ(c.look != 0, pm().IsMenuAttachedToButton()) << i;
    }
}

TEST_F(MenuFramesTest, ShadowAdjustColor) {
    {
        ScopedPainter painter(new CExtPaintManagerOffice2003);
        EXPECT_EQ((COLORREF)-1, pm().GetShadowAdjustColor());   // no Luna style on this system
    }
    orvtest::XpLunaSystem xp("normalcolor");
    orvtest::ScopedSystemAnswers answers(&xp);
    for (int look = 0; look < 4; look++) {
        ScopedPainter painter(NewLook(look));
        if (look < 2) {
            EXPECT_EQ((COLORREF)-1, pm().GetShadowAdjustColor()) << look;
            continue;
        }
        COLORREF a, b;
        ASSERT_TRUE(static_cast<CExtPaintManagerOffice2003&>(pm()).GetLunaBaseColors(a, b));
        EXPECT_EQ(PM::AdjustColorHsl(a, 0, -0.6, 0.5), pm().GetShadowAdjustColor()) << look;
    }
}

TEST_F(MenuFramesTest, MenuBorders) {
    struct Case {
        int look;
        int rings[4];   // colour of each ring from the outside in, top-left side
        int outerBottomRight;
    };
    const Case cases[] = {
        {0, {1000, 1004, 1000, 1000}, 1008},
        {1, {2007, 2001, -1, -1}, 2007},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(40, 30, kBack);
        pm().PaintMenuBorder(canvas.dc(), CRect(0, 0, 40, 30));
        canvas.Keep("menu_border_" + std::to_string(c.look));
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(c.rings[i] < 0 ? kBack : pm().GetColor(c.rings[i]), canvas.At(i, 15)) << c.look << " " << i;
        EXPECT_EQ(pm().GetColor(c.outerBottomRight), canvas.At(39, 29)) << c.look;
        // nothing inside the border
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(4, 4, 36, 26))) << c.look;
    }
    // XP: the second inner frame is one pixel narrower at the right and bottom
    ScopedPainter painter(new CExtPaintManagerXP);
    RenderCanvas canvas(40, 30, kBack);
    pm().PaintMenuBorder(canvas.dc(), CRect(0, 0, 40, 30));
    EXPECT_EQ(pm().GetColor(2001), canvas.At(37, 15));
    EXPECT_EQ(pm().GetColor(2001), canvas.At(38, 15));
    EXPECT_EQ(kBack, canvas.At(36, 15));
}

TEST_F(MenuFramesTest, MenuCombinedArea) {
    const CRect area(10, 0, 50, 10), menu(0, 10, 80, 60);
    struct Case {
        int look;
        int align;
        CRect expectedFill;    // the fill colour's area
        int fill;
        bool lines[4];         // top, bottom, left, right lines in 2007
    };
    const Case cases[] = {
        // classic: the fill clipped to the menu, so nothing shows above it
        {0, PM::CombineTop, CRect(), 1000, {false, false, false, false}},
        {1, PM::CombineTop, CRect(11, 1, 49, 9), 2000, {true, false, true, true}},
        {1, PM::CombineLeft, CRect(11, 1, 49, 9), 2000, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(80, 60, kBack);
        pm().PaintMenuCombinedArea(canvas.dc(), area, menu, c.align);
        const std::string name = std::to_string(c.look) + " " + std::to_string(c.align);
        if (c.expectedFill.IsRectEmpty()) {
            EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 80, 60))) << name;
            continue;
        }
        EXPECT_EQ(c.expectedFill.Width() * c.expectedFill.Height(), canvas.Count(pm().GetColor(c.fill), c.expectedFill)) << name;
        const COLORREF line = pm().GetColor(2007);
        EXPECT_EQ(c.lines[0], canvas.At(30, 0) == line) << name;
        EXPECT_EQ(c.lines[1], canvas.At(30, 9) == line) << name;
        EXPECT_EQ(c.lines[2], canvas.At(10, 5) == line) << name;
        EXPECT_EQ(c.lines[3], canvas.At(49, 5) == line) << name;
    }
    // Office 2003: a menu dropped from a docked tool bar's button takes 3008
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    CWnd frame;
    orvtest::TestToolBar bar;
    bar.m_pDockSite = &frame;
    bar.m_nDockBarID = kDockBarTop;
    bar.InsertSpecButton(-1, orvtest::NewBarButton(&bar, CRect(10, 0, 50, 10)), false);
    bar.m_nBtnIdxMenuTracking = 0;
    CExtPopupMenuWnd popup;
    popup.m_pDroppedFromBar = &bar;
    RenderCanvas canvas(80, 60, kBack);
    pm().PaintMenuCombinedArea(canvas.dc(), area, menu, PM::CombineTop, &popup);
    EXPECT_EQ(pm().GetColor(HighColor() ? 3008 : 2000), canvas.At(30, 5));
    // no tracked button: the XP joint
    bar.m_nBtnIdxMenuTracking = -1;
    canvas.Fill(kBack);
    pm().PaintMenuCombinedArea(canvas.dc(), area, menu, PM::CombineTop, &popup);
    EXPECT_EQ(pm().GetColor(2000), canvas.At(30, 5));
}

TEST_F(MenuFramesTest, TextFields) {
    typedef PM::TextFieldPaintData T;
    const CRect outer(5, 5, 75, 25), text(8, 8, 72, 22);
    struct Case {
        int look;
        UINT flags;
        int frameAt;      // -1 none; else the colour at the frame probe
        CPoint probe;
        int fill;
    };
    const Case cases[] = {
        {0, T::Active | T::Hover, COLOR_3DHILIGHT, CPoint(5, 5), COLOR_WINDOW},
        {0, T::Active, -1, CPoint(5, 5), COLOR_WINDOW},
        {0, T::Hover, -1, CPoint(5, 5), COLOR_3DFACE},
        {1, T::Active | T::Pushed, 2004, CPoint(7, 7), COLOR_WINDOW},
        {1, T::Active, -1, CPoint(7, 7), COLOR_WINDOW},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(80, 30, kBack);
        T d(NULL, DT_SINGLELINE | DT_LEFT, "", outer, text, c.flags);
        pm().PaintTextField(canvas.dc(), d);
        const std::string name = std::to_string(c.look) + " " + std::to_string(c.flags);
        EXPECT_EQ(c.frameAt < 0 ? kBack : pm().GetColor(c.frameAt), canvas.At(c.probe.x, c.probe.y)) << name;
        EXPECT_EQ(text.Width() * text.Height(), canvas.Count(pm().GetColor(c.fill), text)) << name;
    }
    // with the as-combo flag: a combo frame round the outer rectangle
    ScopedPainter painter(new PM);
    RenderCanvas field(80, 30, kBack), combo(80, 30, kBack);
    T d(NULL, DT_SINGLELINE, "", outer, text, T::AsCombo | T::Active);
    pm().PaintTextField(field.dc(), d);
    PM::ComboFramePaintData cd(NULL, outer, false, false, true);
    pm().PaintComboFrame(combo.dc(), cd);
    EXPECT_EQ(combo.At(5, 5), field.At(5, 5));
    EXPECT_EQ(combo.At(73, 15), field.At(73, 15));
}

TEST_F(MenuFramesTest, XpComboFrames) {
    const CRect rc(4, 4, 80, 26);
    const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    struct Case {
        int look;
        bool hover, pushed, enabled;
        int outer, button;
    };
    const Case cases[] = {
        {1, false, false, true, 1000, 1000},
        {1, true, false, true, 2004, 2001},
        {1, true, true, true, 2004, 2004},
        {1, true, false, false, 1000, 1000},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(90, 30, kBack);
        PM::ComboFramePaintData d(NULL, rc, c.hover, c.pushed, c.enabled);
        pm().PaintComboFrame(canvas.dc(), d);
        const std::string name = std::to_string(c.hover) + std::to_string(c.pushed) + std::to_string(c.enabled);
        canvas.Keep("combo_xp_" + name);
        EXPECT_EQ(pm().GetColor(c.outer), canvas.At(rc.left, rc.top)) << name;
        EXPECT_EQ(pm().GetColor(c.enabled ? COLOR_WINDOW : 1000), canvas.At(rc.left + 1, rc.top + 1)) << name;
        // the button's face at its top right, under the frame if any
        EXPECT_EQ(pm().GetColor(c.button), canvas.At(rc.right - 3 - (c.hover && c.enabled ? 1 : 0), rc.top + 3)) << name;
        // the arrow: some pixels other than the face inside the button
        const CRect rcButton(rc.right - 2 - nThumb, rc.top + 2, rc.right - 2, rc.bottom - 2);
        EXPECT_GT(canvas.CountOther(pm().GetColor(c.button), rcButton), 0) << name;
    }
}

TEST_F(MenuFramesTest, Office2003BarBackgroundAndDecoration) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    RenderCanvas canvas(20, 40, kBack);
    pm().PaintBarBackground(canvas.dc(), CRect(0, 0, 20, 40), NULL);
    // a vertical gradient: the first colour at the bottom
    EXPECT_EQ(pm().GetColor(3016), canvas.At(10, 39));
    EXPECT_EQ(canvas.At(0, 20), canvas.At(19, 20));
    CWnd frame;
    orvtest::TestToolBar bar;
    bar.m_pDockSite = &frame;
    struct Case {
        UINT dock;
        bool color, flag4;
        bool framed;
    };
    const Case cases[] = {
        {kDockBarLeft, false, false, true},
        {kDockBarTop, false, false, false},
        {kDockBarLeft, true, false, false},
        {kDockBarLeft, false, true, false},
    };
    for (const Case& c : cases) {
        bar.m_nDockBarID = c.dock;
        std::unique_ptr<CObject> button;
        if (c.color) {
            CExtBarColorButton* p = new CExtBarColorButton(&bar, 1);
            p->SetRect(CRect(4, 4, 28, 26));
            p->SetSeparatedDropDown(c.flag4);
            button.reset(p);
        } else {
            button.reset(orvtest::NewBarButton(&bar, CRect(4, 4, 28, 26), c.flag4));
        }
        RenderCanvas deco(32, 30, kBack);
        pm().PaintToolBarDecoration(deco.dc(), button.get());
        const std::string name = std::to_string(c.dock) + std::to_string(c.color) + std::to_string(c.flag4);
        if (!HighColor()) {
            EXPECT_EQ(0, deco.CountOther(kBack, CRect(0, 0, 32, 30))) << name;
            continue;
        }
        EXPECT_EQ(c.framed ? pm().GetColor(2004) : kBack, deco.At(4, 4)) << name;
        EXPECT_EQ(pm().GetColor(3016), deco.At(15, 24)) << name;
        EXPECT_EQ(0, deco.CountOther(kBack, CRect(0, 0, 32, 4))) << name;
    }
    // Studio 2005 decorates only with the silver scheme; the classic look never
    for (int look : {0, 3}) {
        ScopedPainter other(NewLook(look));
        bar.m_nDockBarID = kDockBarLeft;
        std::unique_ptr<CExtBarButton> button(orvtest::NewBarButton(&bar, CRect(4, 4, 28, 26)));
        RenderCanvas deco(32, 30, kBack);
        pm().PaintToolBarDecoration(deco.dc(), button.get());
        EXPECT_EQ(0, deco.CountOther(kBack, CRect(0, 0, 32, 30))) << look;
    }
}

}  // namespace
