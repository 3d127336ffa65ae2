// Grippers, bar and edit frames, client areas, the docker gradient and the expand buttons, per
// look, probed by pixel. The painters see bars through the stand-ins of ExtBarStandIns.h.
#include "PaintProbe.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "BarDoubles.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "CExtStatusControlBar.h"
#include <memory>

namespace {

typedef CExtPaintManager PM;
using namespace orvtest;

const char* const kLookNames[] = {"classic", "xp", "office2003", "studio2005"};

// A tool bar docked at the top of a frame that needs no window.
struct DockedToolBar {
    CWnd frame;
    orvtest::TestToolBar bar;
    explicit DockedToolBar(UINT nDockBar = kDockBarTop) {
        bar.m_pDockSite = &frame;
        bar.m_nDockBarID = nDockBar;
    }
};

class BarFramesTest : public orvtest::PaintTest {};

TEST_F(BarFramesTest, GrippersPerLook) {
    DockedToolBar tb;
    orvtest::TestControlBar plainBar;
    struct Case {
        int look;
        const char* name;
        CObject* owner;
        bool active, floating, horz, caption, noFill;
        // probes: a point and the colour index expected there (-1: the background, -2 the
        // caption gradient's start, -3 something other than the face)
        struct Probe {
            int x, y, clr;
        } probes[3];
    };
    // the gripper is (10,10)-(22,50) horizontal (a tall strip) or (10,10)-(50,22) vertical
    const Case cases[] = {
        // two raised bars inside the rectangle shrunk by 4,1,4,0: (14,11)-(17,50), (17,11)-(20,50)
        {0, "classic_docked_h", &plainBar, false, false, true, false, false,
         {{14, 11, 1004}, {16, 49, 1006}, {17, 11, 1004}}},
        {0, "classic_docked_v", &plainBar, false, false, false, false, false,
         {{10, 14, 1004}, {48, 16, 1006}, {10, 17, 1004}}},
        {0, "classic_caption", &plainBar, true, true, true, false, false,
         {{10, 10, -2}, {9, 10, -1}, {10, 50, -1}}},
        // XP: face inside a one-pixel margin, grip lines in the middle strip
        {1, "xp_docked_h", &plainBar, false, false, true, false, false,
         {{11, 11, 1000}, {10, 10, -1}, {15, 13, -3}}},
        {1, "xp_caption_active", &plainBar, true, false, true, true, false,
         {{10, 10, COLOR_HIGHLIGHT}, {21, 49, COLOR_HIGHLIGHT}, {9, 9, -1}}},
        {1, "xp_caption_inactive", &plainBar, false, false, true, true, false,
         {{10, 10, COLOR_3DSHADOW}, {11, 11, 2000}, {21, 49, COLOR_3DSHADOW}}},
        {1, "xp_caption_floating", &plainBar, false, true, true, false, false,
         {{10, 10, COLOR_3DSHADOW}, {11, 11, COLOR_3DSHADOW}, {22, 50, -1}}},
        {1, "xp_caption_no_fill", &plainBar, true, false, true, true, true,
         {{10, 10, -1}, {15, 30, -1}, {21, 49, -1}}},
        // Office 2003: a docked tool bar's gripper has dots; other bars the XP gripper
        {2, "office2003_plain_bar", &plainBar, false, false, true, false, false,
         {{11, 11, 1000}, {10, 10, -1}, {15, 13, -3}}},
        // Studio 2005: a bar docked with a caption has the classic caption
        {3, "studio2005_caption", &plainBar, true, false, true, true, false,
         {{10, 10, -2}, {9, 10, -1}, {22, 10, -1}}},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(60, 60, kBack);
        const CRect rc = c.horz ? CRect(10, 10, 22, 50) : CRect(10, 10, 50, 22);
        PM::GripperPaintData d(c.owner, rc, rc, c.active, c.floating, c.horz, c.caption, "");
        d.m_bHelperNoFill = c.noFill;
        pm().PaintGripper(canvas.dc(), d);
        canvas.Keep(std::string("gripper_") + c.name);
        for (const Case::Probe& p : c.probes) {
            const COLORREF got = canvas.At(p.x, p.y);
            const std::string where = std::string(c.name) + " at " + std::to_string(p.x) + "," +
                                      std::to_string(p.y);
            if (p.clr == -1)
                EXPECT_EQ(kBack, got) << where;
            else if (p.clr == -2)
                EXPECT_EQ(pm().GetColor(COLOR_ACTIVECAPTION), got) << where;
            else if (p.clr == -3)
                EXPECT_NE(pm().GetColor(1000), got) << where;
            else
                EXPECT_EQ(pm().GetColor(p.clr), got) << where;
        }
        // nothing outside the gripper
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 60, 10))) << c.name;
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 50, 60, 60))) << c.name;
    }
}

TEST_F(BarFramesTest, XpGripLinesAlternate) {
    ScopedPainter painter(new CExtPaintManagerXP);
    orvtest::TestControlBar bar;
    for (bool horz : {true, false}) {
        RenderCanvas canvas(40, 40, kBack);
        const CRect rc = horz ? CRect(10, 5, 20, 35) : CRect(5, 10, 35, 20);
        PM::GripperPaintData d(&bar, rc, rc, false, false, horz, false, "");
        pm().PaintGripper(canvas.dc(), d);
        // the strip is 3 pixels across the middle; lines every second row (column)
        const COLORREF face = pm().GetColor(1000);
        const CPoint mid = rc.CenterPoint();
        int nLines = 0, nFace = 0;
        for (int i = 0; i < 8; i++) {
            const COLORREF clr = horz ? canvas.At(mid.x, 10 + i) : canvas.At(10 + i, mid.y);
            (clr == face ? nFace : nLines)++;
            const COLORREF next = horz ? canvas.At(mid.x, 11 + i) : canvas.At(11 + i, mid.y);
            EXPECT_NE(clr, next) << horz << " " << i;
        }
        EXPECT_EQ(4, nLines) << horz;
        EXPECT_EQ(4, nFace) << horz;
    }
}

TEST_F(BarFramesTest, Office2003ToolBarGripperHasDotsOnTheGradient) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    DockedToolBar tb;
    RenderCanvas canvas(40, 60, kBack);
    PM::GripperPaintData d(&tb.bar, CRect(10, 5, 20, 55), CRect(10, 5, 20, 55), false, false, true,
                           false, "");
    pm().PaintGripper(canvas.dc(), d);
    canvas.Keep("gripper_office2003_toolbar");
    const CRect rc(10, 5, 20, 55);
    if (!HighColor()) {
        // a palette display: the XP gripper
        EXPECT_EQ(pm().GetColor(1000), canvas.At(11, 6));
        return;
    }
    const int nDark = canvas.Count(pm().GetColor(3003), rc), nLight = canvas.Count(pm().GetColor(3002), rc);
    // (50 - 4) / 4 = 11 dots, each a 2 x 2 dark square over a light one offset by (1, 1)
    EXPECT_EQ(11 * 4, nDark);
    EXPECT_EQ(11 * 3, nLight);
    // the column of dots is centred across the strip
    EXPECT_EQ(RectText(CRect(13, 8, 15, 50)), RectText(canvas.Bounds(pm().GetColor(3003), rc)));
    EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 10, 60)));
    EXPECT_EQ(0, canvas.CountOther(kBack, CRect(20, 0, 40, 60)));
}

TEST_F(BarFramesTest, DockingFramesPerLook) {
    DockedToolBar tb;
    orvtest::TestControlBar bar;
    struct Case {
        int look;
        const char* name;
        CObject* owner;
        bool floating, extBar;
        int outerTL, outerBR, innerTL, innerBR, fill;   // -1: not checked
    };
    const Case cases[] = {
        {0, "classic_floating", &bar, true, false, 1000, 1008, 1004, 1006, 1000},
        {0, "classic_docked", &bar, false, false, 1004, 1006, 1000, 1000, 1000},
        {0, "classic_docked_ext", &bar, false, true, 1000, 1000, 1000, 1000, 1000},
        {1, "xp_floating", &bar, true, false, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW, 2009},
        {1, "xp_floating_ext", &bar, true, true, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW, 2008},
        {1, "xp_docked", &bar, false, false, 1000, 1000, 1000, 1000, 1000},
        {3, "studio2005_floating_ext", &bar, true, true, 1000, COLOR_3DDKSHADOW, COLOR_WINDOW, COLOR_3DSHADOW, 1000},
    };
    const CRect rcWindow(5, 5, 45, 45), rcClient(10, 10, 40, 40);
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(50, 50, kBack);
        PM::DockingFramePaintData d(c.owner, rcWindow, rcClient, c.floating, c.extBar, false);
        pm().PaintDockingFrame(canvas.dc(), d);
        canvas.Keep(std::string("docking_frame_") + c.name);
        EXPECT_EQ(pm().GetColor(c.outerTL), canvas.At(5, 5)) << c.name;
        EXPECT_EQ(pm().GetColor(c.outerBR), canvas.At(44, 44)) << c.name;
        EXPECT_EQ(pm().GetColor(c.innerTL), canvas.At(6, 6)) << c.name;
        EXPECT_EQ(pm().GetColor(c.innerBR), canvas.At(43, 43)) << c.name;
        EXPECT_EQ(pm().GetColor(c.fill), canvas.At(8, 20)) << c.name;
        // the client area is left alone
        EXPECT_EQ(0, canvas.CountOther(kBack, rcClient)) << c.name;
        EXPECT_EQ(40 * 40 - 30 * 30, canvas.CountOther(kBack, CRect(0, 0, 50, 50))) << c.name;
    }
}

TEST_F(BarFramesTest, ControlFramesPerLookAndState) {
    struct Case {
        int look;
        bool hover, enabled, focus;
        int innerTL, innerBR, outerTL, outerBR;
    };
    const Case cases[] = {
        {0, false, true, false, 1000, 1000, 1000, 1000},
        // disabled: two face rings whatever the hover and focus
        {0, true, false, true, 1000, 1000, 1000, 1000},
        {0, true, true, false, COLOR_3DSHADOW, COLOR_3DHILIGHT, 1000, 1000},
        {0, false, true, true, COLOR_3DSHADOW, COLOR_3DHILIGHT, 1000, 1000},
        {0, true, true, true, COLOR_3DDKSHADOW, COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHILIGHT},
        {1, false, true, false, 1000, 1000, 1000, 1000},
        {1, true, true, false, 2004, 2004, 1000, 1000},
        {1, true, true, true, 2004, 2004, 2004, 2004},
        {1, true, false, true, 1000, 1000, 1000, 1000},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(40, 30, kBack);
        PM::ControlFramePaintData d(NULL, CRect(10, 10, 30, 20), true, c.hover, c.enabled, c.focus);
        pm().PaintControlFrame(canvas.dc(), d);
        const std::string name = std::string(kLookNames[c.look]) + " h" + std::to_string(c.hover) +
                                 " e" + std::to_string(c.enabled) + " f" + std::to_string(c.focus);
        // three window rings (9..7), then the inner ring at 6 and the outer at 5
        for (int i = 7; i <= 9; i++)
            EXPECT_EQ(pm().GetColor(COLOR_WINDOW), canvas.At(i, i)) << name;
        EXPECT_EQ(pm().GetColor(c.innerTL), canvas.At(6, 6)) << name;
        EXPECT_EQ(pm().GetColor(c.innerBR), canvas.At(33, 23)) << name;
        EXPECT_EQ(pm().GetColor(c.outerTL), canvas.At(5, 5)) << name;
        EXPECT_EQ(pm().GetColor(c.outerBR), canvas.At(34, 24)) << name;
        EXPECT_EQ(kBack, canvas.At(4, 4)) << name;
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(10, 10, 30, 20))) << name;
    }
    // Office 2003: window, face, and the hot ring only when enabled and hovered or focused
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    for (bool hot : {false, true}) {
        RenderCanvas canvas(40, 30, kBack);
        PM::ControlFramePaintData d(NULL, CRect(10, 10, 30, 20), true, hot, true, false);
        pm().PaintControlFrame(canvas.dc(), d);
        EXPECT_EQ(pm().GetColor(COLOR_WINDOW), canvas.At(8, 8));
        EXPECT_EQ(pm().GetColor(1000), canvas.At(7, 7));
        EXPECT_EQ(pm().GetColor(hot ? 2004 : 1000), canvas.At(6, 6));
        EXPECT_EQ(kBack, canvas.At(5, 5));
        EXPECT_EQ(kBack, canvas.At(9, 9));
    }
}

TEST_F(BarFramesTest, ComboDropDownIsAFlatPushButton) {
    ScopedPainter painter(new PM);
    const CRect rc(4, 4, 80, 26);
    struct State {
        bool hover, pushed, enabled;
    };
    const State states[] = {{false, false, true}, {true, false, true}, {true, true, true}, {false, false, false}};
    const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    const CRect rcButton(rc.right - 2 - nThumb, rc.top + 2, rc.right - 2, rc.bottom - 2);
    for (const State& s : states) {
        const std::string name = "h" + std::to_string(s.hover) + " p" + std::to_string(s.pushed) +
                                 " e" + std::to_string(s.enabled);
        RenderCanvas combo(90, 30, kBack), button(90, 30, kBack);
        PM::ComboFramePaintData d(NULL, rc, s.hover, s.pushed, s.enabled);
        pm().PaintComboFrame(combo.dc(), d);
        combo.Keep("combo_classic_" + name.substr(0, 2) + name.substr(3, 2) + name.substr(6, 2));
        // the same button painted alone, with the same Marlett arrow
        LOGFONTA lf = {};
        lf.lfHeight = -::MulDiv(::MulDiv(60, 96, combo.dc().GetDeviceCaps(LOGPIXELSY)),
                                combo.dc().GetDeviceCaps(LOGPIXELSY), 720);
        lf.lfCharSet = SYMBOL_CHARSET;
        strcpy(lf.lfFaceName, "Marlett");
        CFont font;
        font.CreateFontIndirect(&lf);
        PM::PushButtonPaintData b(NULL, true, rcButton, "6", NULL, true, s.hover, s.pushed, false,
                                  s.enabled, true, false, false, 1 | 4, (HFONT)font.GetSafeHandle());
        pm().PaintPushButton(button.dc(), b);
        int nDiffer = 0;
        for (int y = rcButton.top; y < rcButton.bottom; y++)
            for (int x = rcButton.left; x < rcButton.right; x++)
                nDiffer += combo.At(x, y) != button.At(x, y);
        EXPECT_EQ(0, nDiffer) << name;
        // the outer ring: pushed edges when hot, face and edge otherwise; the inner ring the
        // window colour, or the face when disabled
        const bool hot = s.hover || s.pushed;
        EXPECT_EQ(pm().GetColor(hot ? 1007 : 1000), combo.At(rc.left, rc.top)) << name;
        EXPECT_EQ(pm().GetColor(hot ? 1005 : 1004), combo.At(rc.right - 1, rc.bottom - 1)) << name;
        EXPECT_EQ(pm().GetColor(s.enabled ? COLOR_WINDOW : COLOR_3DFACE), combo.At(rc.left + 1, rc.top + 1)) << name;
    }
    // custom idle colours replace the theme ones
    RenderCanvas canvas(90, 30, kBack);
    PM::ComboFramePaintData d(NULL, rc, false, false, true);
    d.m_clrForceNAContent = RGB(1, 2, 3);
    d.m_clrForceNABorder = RGB(4, 5, 6);
    pm().PaintComboFrame(canvas.dc(), d);
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(rc.left, rc.top));
    EXPECT_EQ(RGB(4, 5, 6), canvas.At(rc.right - 1, rc.bottom - 1));
}

TEST_F(BarFramesTest, Office2003SeparatorsByOwner) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    DockedToolBar tb;
    CExtStatusControlBar status;
    struct Case {
        const char* name;
        CObject* owner;
        bool horzBar;
        CRect band;   // the etched band (Office look), in a 20 x 20 cell
    };
    const Case cases[] = {
        {"toolbar_h", &tb.bar, true, CRect(9, 3, 11, 16)},
        {"toolbar_v", &tb.bar, false, CRect(4, 9, 15, 11)},
        {"status_h", &status, true, CRect(9, 0, 11, 20)},
    };
    for (const Case& c : cases) {
        RenderCanvas canvas(20, 20, kBack);
        pm().PaintSeparator(canvas.dc(), CRect(0, 0, 20, 20), c.horzBar, true, c.owner);
        canvas.Keep(std::string("separator_office2003_") + c.name);
        if (!HighColor()) {
            // the XP line
            EXPECT_GT(canvas.Count(pm().GetColor(2002), CRect(0, 0, 20, 20)), 0) << c.name;
            continue;
        }
        EXPECT_EQ(pm().GetColor(3011), canvas.At(c.band.left, c.band.top)) << c.name;
        EXPECT_EQ(pm().GetColor(3010), canvas.At(c.band.right - 1, c.band.bottom - 1)) << c.name;
        EXPECT_EQ(c.band.Width() * c.band.Height(), canvas.CountOther(kBack, CRect(0, 0, 20, 20))) << c.name;
        EXPECT_EQ(0, canvas.CountOther(kBack, c.band - CSize(c.horzBar ? 3 : 0, c.horzBar ? 0 : 3))) << c.name;
    }
    // no owner: the XP separator
    RenderCanvas canvas(20, 20, kBack);
    pm().PaintSeparator(canvas.dc(), CRect(0, 0, 20, 20), true, true, NULL);
    EXPECT_EQ(RectText(CRect(9, 1, 10, 19)), RectText(canvas.Bounds(pm().GetColor(2002), CRect(0, 0, 20, 20))));
}

TEST_F(BarFramesTest, DockerGradientStopsAt700Pixels) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    CExtPaintManagerOffice2003& office = static_cast<CExtPaintManagerOffice2003&>(pm());
    if (!HighColor())
        return;   // no docker background on a palette display (ClientAreasPerLook)
    const COLORREF a = pm().GetColor(3001), b = pm().GetColor(3000);
    ASSERT_NE(a, b);
    struct Case {
        int width;
        int gradientEnd;
    };
    for (const Case& c : {Case{1000, 700}, Case{700, 700}, Case{500, 500}}) {
        RenderCanvas canvas(c.width, 4, kBack);
        EXPECT_TRUE(office.PaintDockerGradient(canvas.dc(), CRect(0, 0, c.width, 4),
                                               CRect(0, 0, c.width, 4), NULL));
        if (c.width == 1000)
            canvas.Keep("docker_gradient_1000", 1);
        EXPECT_EQ(a, canvas.At(0, 2)) << c.width;
        // flat from the end of the gradient on
        EXPECT_EQ(c.width - c.gradientEnd, canvas.Count(b, CRect(c.gradientEnd, 0, c.width, 4)) / 4) << c.width;
        // the gradient itself changes along its whole length: its first half is not B
        EXPECT_EQ(0, canvas.Count(b, CRect(0, 0, c.gradientEnd / 2, 4))) << c.width;
        EXPECT_NE(canvas.At(c.gradientEnd / 4, 0), canvas.At(c.gradientEnd / 2, 0)) << c.width;
    }
    // a part of the frame: the gradient continues where that part lies
    RenderCanvas whole(1000, 2, kBack), part(100, 2, kBack);
    office.PaintDockerGradient(whole.dc(), CRect(0, 0, 1000, 2), CRect(0, 0, 1000, 2), NULL);
    office.PaintDockerGradient(part.dc(), CRect(0, 0, 100, 2), CRect(-650, 0, 350, 2), NULL);
    for (int x = 0; x < 100; x += 7)
        EXPECT_EQ(whole.At(650 + x, 1), part.At(x, 1)) << x;
}

// Real windows: a frame 1000 pixels wide and a dock bar along its top edge, moved right.
TEST_F(BarFramesTest, DockBarsContinueTheFramesGradient) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, 0, 0, 1000, 100, NULL, NULL));
    orvtest::TestOuterDockBar dockBar;
    ASSERT_TRUE(dockBar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 600, 0, 300, 30,
                                 frame.m_hWnd, NULL));
    RenderCanvas canvas(300, 30, kBack);
    pm().PaintDockBarClientArea(canvas.dc(), CRect(0, 0, 300, 30), &dockBar);
    RenderCanvas reference(1000, 2, kBack);
    static_cast<CExtPaintManagerOffice2003&>(pm()).PaintDockerGradient(
        reference.dc(), CRect(0, 0, 1000, 2), CRect(0, 0, 1000, 2), NULL);
    if (HighColor()) {
        for (int x = 0; x < 300; x += 13)
            EXPECT_EQ(reference.At(600 + x, 0), canvas.At(x, 15)) << x;
        EXPECT_EQ(200 * 30, canvas.Count(pm().GetColor(3000), CRect(100, 0, 300, 30)));
    } else {
        EXPECT_EQ(300 * 30, canvas.Count(pm().GetColor(COLOR_3DFACE), CRect(0, 0, 300, 30)));
    }
    // a plain window is not a dock bar: the flat face
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 0, 40, 300, 30, frame.m_hWnd, NULL));
    canvas.Fill(kBack);
    pm().PaintDockBarClientArea(canvas.dc(), CRect(0, 0, 300, 30), &plain);
    EXPECT_EQ(300 * 30, canvas.Count(pm().GetColor(COLOR_3DFACE), CRect(0, 0, 300, 30)));
    plain.DestroyWindow();
    dockBar.DestroyWindow();
    frame.DestroyWindow();
}

// A bar window 30 pixels high in the frame's top dock bar, from x, cx wide.
template <class TBar>
bool CreateDockedAtTop(TBar& bar, CWnd& frame, int x, int cx) {
    bar.m_pDockSite = &frame;
    bar.m_nDockBarID = kDockBarTop;
    return bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, x, 0, cx, 30, frame.m_hWnd, NULL) != FALSE;
}

// Real windows: a frame, a tool bar docked at its top and a window on the tool bar.
TEST_F(BarFramesTest, WindowsOnToolBarsContinueTheirBackground) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    CExtPaintManagerOffice2003& office = static_cast<CExtPaintManagerOffice2003&>(pm());
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, 0, 0, 1000, 200, NULL, NULL));
    orvtest::TestToolBar bar;
    ASSERT_TRUE(CreateDockedAtTop(bar, frame, 100, 400));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 150, 5, 60, 20, bar.m_hWnd, NULL));
    // a window straight on the frame has no tool bar above it
    CWnd loose;
    ASSERT_TRUE(loose.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 0, 100, 60, 20, frame.m_hWnd, NULL));
    RenderCanvas canvas(60, 20, kBack);
    EXPECT_FALSE(office.PaintDockerBackground(canvas.dc(), &loose));
    EXPECT_FALSE(PM().PaintDockerBackground(canvas.dc(), &child));
    if (!HighColor()) {
        EXPECT_FALSE(office.PaintDockerBackground(canvas.dc(), &child));
        EXPECT_EQ(0, canvas.CountOther(kBack, CRect(0, 0, 60, 20)));
    } else {
        ASSERT_TRUE(office.PaintDockerBackground(canvas.dc(), &child));
        // the tool bar's own gradient, as the bar paints it, at the child's place in it
        RenderCanvas whole(400, 30, kBack);
        office.PaintControlBarClientArea(whole.dc(), CRect(0, 0, 400, 30), &bar);
        int nDiffer = 0;
        for (int x = 0; x < 60; x += 5)
            nDiffer += canvas.At(x, 10) != whole.At(150 + x, 15);
        EXPECT_EQ(0, nDiffer);
        EXPECT_NE(canvas.At(0, 10), canvas.At(59, 10));   // not a flat fill
        // a window on a panel bar continues the frame's docker gradient instead
        orvtest::TestPanelBar panel;
        ASSERT_TRUE(CreateDockedAtTop(panel, frame, 500, 300));
        CWnd onPanel;
        ASSERT_TRUE(onPanel.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 100, 5, 60, 20, panel.m_hWnd, NULL));
        canvas.Fill(kBack);
        ASSERT_TRUE(office.PaintDockerBackground(canvas.dc(), &onPanel));
        RenderCanvas docker(1000, 2, kBack);
        office.PaintDockerGradient(docker.dc(), CRect(0, 0, 1000, 2), CRect(0, 0, 1000, 2), NULL);
        for (int x = 0; x < 60; x += 7)
            EXPECT_EQ(docker.At(600 + x, 0), canvas.At(x, 10)) << x;
        onPanel.DestroyWindow();
        panel.DestroyWindow();
    }
    loose.DestroyWindow();
    child.DestroyWindow();
    bar.DestroyWindow();
    frame.DestroyWindow();
}

TEST_F(BarFramesTest, ClientAreasPerLook) {
    for (int look = 0; look < 4; look++) {
        ScopedPainter painter(NewLook(look));
        DockedToolBar tb;
        RenderCanvas canvas(60, 30, kBack);
        pm().PaintControlBarClientArea(canvas.dc(), CRect(0, 0, 60, 30), &tb.bar);
        canvas.Keep(std::string("toolbar_client_") + kLookNames[look]);
        if (look < 2 || !HighColor()) {
            EXPECT_EQ(60 * 30, canvas.Count(pm().GetColor(1000), CRect(0, 0, 60, 30))) << look;
        } else {
            // rounded corners, a dark line along the bottom, the gradient between
            EXPECT_EQ(kBack, canvas.At(0, 0)) << look;
            EXPECT_EQ(kBack, canvas.At(59, 29)) << look;
            COLORREF clrA = pm().GetColor(3007), clrB = pm().GetColor(3008);
            EXPECT_NE(canvas.At(5, 10), canvas.At(20, 10)) << look;
            const COLORREF bottom = canvas.At(30, 29);
            EXPECT_TRUE(bottom == clrA || bottom == clrB) << look;
            EXPECT_EQ(clrA, canvas.At(0, 10)) << look;
        }
        // the same bar floating: the plain fill
        tb.bar.m_nDockBarID = 0;
        canvas.Fill(kBack);
        pm().PaintControlBarClientArea(canvas.dc(), CRect(0, 0, 60, 30), &tb.bar);
        EXPECT_EQ(60 * 30, canvas.Count(pm().GetColor(1000), CRect(0, 0, 60, 30))) << look;
        canvas.Fill(kBack);
        pm().PaintDockBarClientArea(canvas.dc(), CRect(0, 0, 60, 30), NULL);
        EXPECT_EQ(60 * 30, canvas.Count(pm().GetColor(COLOR_3DFACE), CRect(0, 0, 60, 30))) << look;
        EXPECT_EQ(look >= 2 && HighColor(), pm().NeedsDockerBackground(NULL)) << look;
    }
}

TEST_F(BarFramesTest, ContentExpandButtonSigns) {
    struct Case {
        int look;
        bool horz, nothingHidden, enabled;
        int arrowPixels, chevronPixels;   // glyph pixel counts (the face colour aside)
    };
    // arrow 5 x 3 (9 pixels), XP chevron 8 x 5 (20), Office 2003 arrow 5 x 6 (14), chevron 6 x 5 (10)
    const Case cases[] = {
        {0, true, false, true, 9, 20},   {0, true, true, true, 9, 0},   {0, false, false, true, 9, 20},
        {1, true, false, true, 9, 20},   {1, true, true, true, 9, 0},   {1, false, true, true, 9, 0},
        {2, true, false, true, 14, 10},  {2, false, true, true, 14, 0},
    };
    for (const Case& c : cases) {
        ScopedPainter painter(NewLook(c.look));
        RenderCanvas canvas(30, 30, kBack);
        const CRect rc = c.horz ? CRect(8, 2, 22, 28) : CRect(2, 8, 28, 22);
        pm().PaintContentExpandButton(canvas.dc(), rc, c.horz, c.nothingHidden, c.enabled, false, false);
        const std::string name = std::string(kLookNames[c.look]) + (c.horz ? " h" : " v") +
                                 (c.nothingHidden ? " nothing hidden" : "");
        canvas.Keep(std::string("content_expand_") + kLookNames[c.look] + (c.horz ? "_h" : "_v") +
                    (c.nothingHidden ? "_none" : ""));
        const COLORREF sign = pm().GetColor(1010);
        // the arrow near the bottom (right), the chevron near the top (left)... of the button
        const CRect rcArrowHalf = c.horz ? CRect(rc.left, rc.CenterPoint().y, rc.right, rc.bottom)
                                         : CRect(rc.left, rc.top, rc.CenterPoint().x, rc.bottom);
        const CRect rcChevronHalf = c.horz ? CRect(rc.left, rc.top, rc.right, rc.CenterPoint().y)
                                           : CRect(rc.CenterPoint().x, rc.top, rc.right, rc.bottom);
        EXPECT_EQ(c.arrowPixels, canvas.Count(sign, rcArrowHalf)) << name;
        EXPECT_EQ(c.chevronPixels, canvas.Count(sign, rcChevronHalf)) << name;
    }
    // disabled: the classic arrow embossed, the XP arrow once in the shadow colour, no chevron
    for (int look = 0; look < 2; look++) {
        ScopedPainter painter(NewLook(look));
        RenderCanvas canvas(30, 30, kBack);
        pm().PaintContentExpandButton(canvas.dc(), CRect(8, 2, 22, 28), true, false, false, false, false);
        EXPECT_EQ(0, canvas.Count(pm().GetColor(1010), CRect(8, 2, 22, 28))) << look;
        EXPECT_GE(canvas.Count(pm().GetColor(COLOR_3DSHADOW), CRect(8, 15, 22, 28)), 9) << look;
        if (look == 0) {
            EXPECT_GE(canvas.Count(pm().GetColor(COLOR_3DHILIGHT), CRect(8, 15, 22, 28)), 1);
        }
    }
}

TEST_F(BarFramesTest, Office2003ContentExpandPanelOnDockedToolBar) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    DockedToolBar tb;
    CExtBarContentExpandButton button(&tb.bar);
    RenderCanvas panel(30, 30, kBack), plain(30, 30, kBack);
    const CRect rc(8, 2, 22, 28);
    pm().PaintContentExpandButton(panel.dc(), rc, true, false, true, false, false, &button);
    pm().PaintContentExpandButton(plain.dc(), rc, true, false, true, false, false, NULL);
    panel.Keep("content_expand_office2003_panel");
    if (!HighColor()) {
        EXPECT_EQ(0, panel.CountOther(kBack, CRect(0, 0, 30, 30)) - plain.CountOther(kBack, CRect(0, 0, 30, 30)));
        return;
    }
    // rounded corners left alone; the idle panel runs from 3004 at the top to 3005 below
    EXPECT_EQ(kBack, panel.At(rc.left, rc.top));
    EXPECT_EQ(pm().GetColor(3004), panel.At(rc.CenterPoint().x, rc.top));
    EXPECT_NE(panel.At(rc.CenterPoint().x, rc.top), panel.At(rc.CenterPoint().x, rc.bottom - 2));
    // both signs drawn on it
    EXPECT_EQ(14 + 10, panel.Count(pm().GetColor(1010), rc));
    // a floating bar's button: the XP way
    tb.bar.m_nDockBarID = 0;
    panel.Fill(kBack);
    pm().PaintContentExpandButton(panel.dc(), rc, true, false, true, false, false, &button);
    int nDiffer = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 30; x++)
            nDiffer += panel.At(x, y) != plain.At(x, y);
    EXPECT_EQ(0, nDiffer);
}

TEST_F(BarFramesTest, MenuExpandButtons) {
    const CRect rc(0, 0, 120, 20);
    for (int look = 0; look < 4; look++) {
        ScopedPainter painter(NewLook(look));
        for (bool selected : {false, true}) {
            RenderCanvas canvas(120, 20, kBack);
            pm().PaintMenuExpandButton(canvas.dc(), rc, selected);
            const std::string name = std::string(kLookNames[look]) + (selected ? "_selected" : "");
            canvas.Keep("menu_expand_" + name);
            // the chevron (5 x 8, 20 pixels) centred in the glyph colour
            const CRect chevron(57, 6, 62, 14);
            EXPECT_EQ(20, canvas.Count(pm().GetColor(1010), chevron)) << name;
            EXPECT_EQ(0, canvas.Count(kBack, CRect(0, 0, 120, 20))) << name;
        }
    }
    // XP: the icon column follows the popup's last item
    ScopedPainter painter(new CExtPaintManagerXP);
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.InsertCustomItem(1, -1, "one", NULL, CExtCmdIcon()));
    ASSERT_TRUE(popup.InsertCustomItem(2, -1, "two", NULL, CExtCmdIcon()));
    popup.GetItemAt(0).m_nIconAreaWidth = 10;
    popup.GetItemAt(1).m_nIconAreaWidth = 30;
    struct Case {
        BYTE stateFlags;   // own-width items have no icon column
        int width;
    };
    for (const Case& c : {Case{0, 30}, Case{CExtPopupMenuWnd::MENUITEMDATA::STATE_OWN_WIDTH, 0}}) {
        popup.GetItemAt(1).m_nStateFlags = c.stateFlags;
        RenderCanvas expand(120, 20, kBack), item(120, 20, kBack);
        pm().PaintMenuExpandButton(expand.dc(), rc, false, &popup);
        PM::MenuItemPaintData d(NULL, rc, c.width, "", "", NULL, false, false, false, false, false,
                                true, false, false, false, 0);
        pm().PaintMenuItem(item.dc(), d);
        for (int x = 0; x < 50; x += 3)
            EXPECT_EQ(item.At(x, 10), expand.At(x, 10)) << c.width << " at " << x;
    }
}

TEST_F(BarFramesTest, Office2003MenuExpandTile) {
    ScopedPainter painter(new CExtPaintManagerOffice2003);
    RenderCanvas canvas(40, 24, kBack), xp(40, 24, kBack);
    const CRect rc(0, 0, 40, 24);
    pm().PaintMenuExpandButton(canvas.dc(), rc, false);
    canvas.Keep("menu_expand_office2003_tile");
    // the 16 x 16 tile at (12, 4): its corners keep the item background
    static_cast<CExtPaintManagerXP&>(pm()).CExtPaintManagerXP::PaintMenuExpandButton(xp.dc(), rc, false);
    EXPECT_EQ(xp.At(12, 4), canvas.At(12, 4));
    EXPECT_EQ(xp.At(27, 19), canvas.At(27, 19));
    if (!HighColor()) {
        EXPECT_EQ(xp.At(20, 5), canvas.At(20, 5));
        return;
    }
    // inside, light at the top and dark at the bottom, both from 3016 towards white
    const COLORREF top = canvas.At(20, 5), bottom = canvas.At(20, 18);
    const COLORREF tile = pm().GetColor(3016);
    EXPECT_GT(GetRValue(top) + GetGValue(top) + GetBValue(top), GetRValue(bottom) + GetGValue(bottom) + GetBValue(bottom));
    EXPECT_GE(GetRValue(bottom), GetRValue(tile));
    EXPECT_GE(GetGValue(bottom), GetGValue(tile));
    EXPECT_GE(GetBValue(bottom), GetBValue(tile));
}

}  // namespace
