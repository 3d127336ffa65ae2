// The frame of docked bars under Xvfb: splitters, caption or side gripper and client area by
// side, circle and place in the rows; the non-client hit test; caption buttons (which are shown,
// where, their clicks by real input, their tips); and the frame painted in the four looks.
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "NcTestSupport.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"
#include "RenderHarness.h"
#include <cstdlib>
#include <functional>

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using namespace barstest;

namespace {

const COLORREF kColors[] = {RGB(200, 80, 80), RGB(80, 170, 80), RGB(80, 110, 210), RGB(210, 170, 50),
                            RGB(150, 90, 190), RGB(60, 170, 170)};

int SepAcross() { return std::min(::GetSystemMetrics(SM_CYFRAME), 4); }
int SepAlong() { return std::min(::GetSystemMetrics(SM_CXFRAME), 4); }
int Caption() { return ::GetSystemMetrics(SM_CYSMCAPTION) + 1; }

// Where a docked bar's strips should be, from the system metrics: row splitter side (T B L R,
// '-' none), column splitter side (R B -), leading splitter side (L T -), caption (H across the
// top, S along the left side).
struct Strips {
    CRect client, caption, row, column, leading;
};

Strips Expected(const CSize& size, char cRow, char cColumn, char cLeading, char cCaption) {
    const int W = size.cx, H = size.cy, a = SepAcross(), g = SepAlong(), c = Caption();
    Strips s;
    CRect rc(0, 0, W, H);
    if (cColumn == 'R') {
        s.column.SetRect(W - g, 0, W, H);
        rc.right -= g;
    } else if (cColumn == 'B') {
        s.column.SetRect(0, H - a, W, H);
        rc.bottom -= a;
    }
    switch (cRow) {
    case 'B': s.row.SetRect(0, rc.bottom - a, W, rc.bottom); rc.bottom -= a; break;
    case 'T': s.row.SetRect(0, 0, W, a); rc.top += a; break;
    case 'R': s.row.SetRect(W - g, 0, W, H); rc.right -= a; break;
    case 'L': s.row.SetRect(0, 0, g, H); rc.left += a; break;
    }
    if (cLeading == 'L') {
        s.leading.SetRect(rc.left, rc.top, rc.left + g, rc.bottom);
        rc.left += g;
    } else if (cLeading == 'T') {
        s.leading.SetRect(rc.left, rc.top, rc.right, rc.top + g);
        rc.top += a;
    }
    if (cCaption == 'H') {
        s.caption.SetRect(rc.left, rc.top, rc.right, rc.top + c);
        rc.top += c + 1;
    } else if (cCaption == 'S') {
        s.caption.SetRect(rc.left, rc.top, rc.left + c, rc.bottom);
        rc.left += c + 1;
    }
    s.client = rc;
    return s;
}

}  // namespace

// ---- the non-client table -----------------------------------------------------------------------

TEST(NcArea, SplittersCaptionAndClientBySideCircleAndRowPosition) {
    struct Case {
        const char* what;
        // builds the layout in the frame and answers the bar under test
        std::function<ColourPanel*(Docking&)> build;
        char cRow, cColumn, cLeading, cCaption;
    } cases[] = {
        {"top, alone in circle 1: only the edge toward the view",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {x});
             return x;
         },
         'B', '-', '-', 'H'},
        {"bottom, alone",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1), {x});
             return x;
         },
         'T', '-', '-', 'H'},
        {"left, alone",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1), {x});
             return x;
         },
         'R', '-', '-', 'H'},
        {"right, alone",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_RIGHT, 1), {x});
             return x;
         },
         'L', '-', '-', 'H'},
        {"top, circle 2, alone",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 2), {x});
             return x;
         },
         'B', '-', '-', 'H'},
        {"top, first of two: a column splitter toward the neighbour",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             ColourPanel* b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kColors[1]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {x, b});
             return x;
         },
         'B', 'R', '-', 'H'},
        {"top, last of two",
         [](Docking& d) {
             ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[1]);
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST + 1, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, x});
             return x;
         },
         'B', '-', '-', 'H'},
        {"left, first of two in a column",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             ColourPanel* b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kColors[1]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1), {x, b});
             return x;
         },
         'R', 'B', '-', 'H'},
        {"top, second of two rows",
         [](Docking& d) {
             ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[1], CSize(200, 80));
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST + 1, "X", kColors[0], CSize(200, 80));
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, NULL, x});
             return x;
         },
         'B', '-', '-', 'H'},
        {"top, after a tool bar that follows a resizable bar: a leading splitter",
         [](Docking& d) {
             ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[1]);
             SizedToolBar* t = d.AddTool(ID_TOOL_FIRST, "T", CSize(60, 100));
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST + 1, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, t, x});
             return x;
         },
         'B', '-', 'L', 'H'},
        {"top, after a tool bar with no resizable bar before it: none",
         [](Docking& d) {
             SizedToolBar* t = d.AddTool(ID_TOOL_FIRST, "T", CSize(60, 100));
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST + 1, "X", kColors[0]);
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {t, x});
             return x;
         },
         'B', '-', '-', 'H'},
        {"top, horizontal-caption option cleared: a side gripper",
         [](Docking& d) {
             ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
             x->m_nOptions &= ~CExtControlBar::optHorzCaption;
             SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {x});
             return x;
         },
         'B', '-', '-', 'S'},
    };
    for (const Case& c : cases) {
        Docking d;
        ColourPanel* x = c.build(d);
        d.pFrame->RecalcLayout();
        CRect rcWindow;
        x->GetWindowRect(&rcWindow);
        ASSERT_FALSE(rcWindow.IsRectEmpty()) << c.what;
        const Strips s = Expected(rcWindow.Size(), c.cRow, c.cColumn, c.cLeading, c.cCaption);
        EXPECT_EQ(s.row, x->m_rcRowResize) << c.what;
        EXPECT_EQ(s.column, x->m_rcRowRecalc) << c.what;
        EXPECT_EQ(s.leading, x->m_rcRowRecalcUp) << c.what;
        EXPECT_EQ(s.caption, x->m_rcGrip) << c.what;
        EXPECT_EQ(s.client, ClientInWindow(x)) << c.what;
        // the panel's child fills exactly the client area
        EXPECT_EQ(s.client.Size(), ChildRect(&x->m_child).Size()) << c.what;
    }
}

TEST(NcArea, AFloatingResizableBarHasAOnePixelBorderAndNoCaption) {
    Docking d;
    ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kColors[0]);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {x});
    d.pFrame->RecalcLayout();
    EXPECT_TRUE(x->IsBarWithGripper());
    d.pFrame->FloatControlBar(x, CPoint(300, 300));
    d.pFrame->RecalcLayout();
    ASSERT_TRUE(x->IsFloating());
    CRect rcWindow;
    x->GetWindowRect(&rcWindow);
    EXPECT_EQ(CRect(1, 1, rcWindow.Width() - 1, rcWindow.Height() - 1), ClientInWindow(x));
    EXPECT_FALSE(x->IsBarWithGripper());
    // the floating frame's caption holds the buttons
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(x);
    ASSERT_NE(nullptr, pClose);
    CWnd* pMini = x->GetParentFrame();
    ASSERT_NE(nullptr, pMini);
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    const CRect rcClose = ScreenRect(pMini, pClose->GetRect());
    EXPECT_TRUE(rcMini.PtInRect(rcClose.CenterPoint()));
    EXPECT_FALSE(rcWindow.PtInRect(rcClose.CenterPoint())) << "not in the bar's own window";
    EXPECT_EQ((UINT)HTCLIENT, NcHit(x, rcWindow.CenterPoint()));
}

// ---- hit tests ----------------------------------------------------------------------------------

TEST(NcArea, HitTestsSplittersCaptionAndCloseAndNothingWhileABarIsDragged) {
    Docking d(CRect(20, 20, 720, 520));
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[0], CSize(200, 90));
    ColourPanel* b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kColors[1], CSize(200, 90));
    SizedToolBar* t = d.AddTool(ID_TOOL_FIRST, "T", CSize(60, 90));
    ColourPanel* p = CaptionPanel(d, ID_PANEL_FIRST + 2, "P", kColors[2], CSize(200, 90));
    SizedToolBar* t2 = d.AddTool(ID_TOOL_FIRST + 1, "T2", CSize(60, 90));
    ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST + 3, "X", kColors[3], CSize(200, 90));
    ColourPanel* c = CaptionPanel(d, ID_PANEL_FIRST + 4, "C", kColors[4]);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, b, NULL, t, NULL, p, t2, x});
    SetRows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1), {c});
    d.pFrame->RecalcLayout();
    auto centre = [](CWnd* pBar, const CRect& rc) { return ScreenRect(pBar, rc).CenterPoint(); };
    auto captionLeft = [](CExtControlBar* pBar) {
        return ScreenRect(pBar, pBar->m_rcGrip).TopLeft() + CPoint(5, pBar->m_rcGrip.Height() / 2);
    };
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(a);
    ASSERT_NE(nullptr, pClose);
    ASSERT_TRUE(b->m_rcRowRecalc.IsRectEmpty()) << "the last bar of its row has no column splitter";
    struct Case {
        const char* what;
        CWnd* pBar;
        CPoint pt;
        UINT expected;
    } cases[] = {
        {"row splitter of a horizontal row", a, centre(a, a->m_rcRowResize), HTBOTTOM},
        {"column splitter toward a resizable neighbour", a, centre(a, a->m_rcRowRecalc), HTRIGHT},
        {"leading splitter after a tool bar", x, centre(x, x->m_rcRowRecalcUp), HTLEFT},
        {"the caption (a press there starts a drag)", a, captionLeft(a), HTCLIENT},
        {"the Close button", a, centre(a, pClose->GetRect()), HTMINBUTTON},
        {"row splitter of a vertical column", c, centre(c, c->m_rcRowResize), HTRIGHT},
        {"a caption in a column", c, captionLeft(c), HTCLIENT},
        {"a tool bar", t, orvtest::centreOf(t->m_hWnd), HTCLIENT},
    };
    for (const Case& k : cases)
        EXPECT_EQ(k.expected, NcHit(k.pBar, k.pt)) << k.what;
    EXPECT_EQ(8u, (UINT)HTMINBUTTON) << "Close answers 8, not HTCLOSE";

    // while a bar is dragged every bar answers HTNOWHERE
    CExtControlBar::InternalDraggingState_t& shown = CExtControlBar::DragShownState();
    shown.Clear(b);
    shown.SetEmpty(false);
    ASSERT_EQ(b, CExtControlBar::GetCurrentDragBar());
    for (const Case& k : cases)
        EXPECT_EQ((UINT)HTNOWHERE, NcHit(k.pBar, k.pt)) << k.what;
    shown.Clear(NULL);
    EXPECT_EQ(nullptr, CExtControlBar::GetCurrentDragBar());
    (void)t2;
}

// ---- caption buttons ----------------------------------------------------------------------------

TEST(CaptionButtons, ShownByKindAndDockingState) {
    Docking d;
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[0]);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a});
    SizedToolBar* t = d.AddTool(ID_TOOL_FIRST, "Tools", CSize(120, 26));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(t);
    d.pFrame->RecalcLayout();
    // Close, then Menu: the set every bar makes
    ASSERT_EQ(2, a->GetCaptionButtonCount());
    EXPECT_NE(nullptr, dynamic_cast<CExtBarNcAreaButtonClose*>(a->GetCaptionButton(0)));
    EXPECT_NE(nullptr, dynamic_cast<CExtBarNcAreaButtonMenu*>(a->GetCaptionButton(1)));

    auto shown = [](CExtControlBar* pBar) {
        std::string s;
        for (INT_PTR i = 0; i < pBar->GetCaptionButtonCount(); i++) {
            CExtBarNcAreaButton* p = pBar->GetCaptionButton(i);
            if (p->IsShown())
                s += (s.empty() ? "" : " ") +
                     std::string(dynamic_cast<CExtBarNcAreaButtonClose*>(p) ? "Close" : "Menu");
        }
        return s;
    };
    struct Case {
        const char* what;
        CExtControlBar* pBar;
        bool bFloat;
        const char* expected;
    } cases[] = {
        {"resizable, docked: Close only", a, false, "Close"},
        {"fixed-size, docked: none", t, false, ""},
        // a floating bar's buttons live in the caption of the library's own floating frame
        {"resizable, floating", a, true, "Close"},
        {"fixed-size, floating: Close, and Menu for its bars menu", t, true, "Close Menu"},
    };
    for (const Case& c : cases) {
        if (c.bFloat) {
            d.pFrame->FloatControlBar(c.pBar, CPoint(300, 300));
            d.pFrame->RecalcLayout();
            ASSERT_TRUE(c.pBar->IsFloating()) << c.what;
        }
        EXPECT_EQ(c.expected, shown(c.pBar)) << c.what;
    }

    // the Close button: a square at the caption's right end
    Docking d2;
    ColourPanel* b = CaptionPanel(d2, ID_PANEL_FIRST, "B", kColors[1]);
    SetRows(d2.Dock(AFX_IDW_DOCKBAR_TOP, 1), {b});
    d2.pFrame->RecalcLayout();
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(b);
    ASSERT_NE(nullptr, pClose);
    const CRect rc = pClose->GetRect();
    EXPECT_EQ(rc.Width(), rc.Height());
    EXPECT_EQ(b->m_rcGrip.right - 3, rc.right);
    EXPECT_EQ(b->m_rcGrip.top + 3, rc.top);
}

namespace {

// A Menu button shown in a docked resizable bar's caption (the kind shows only on floating
// tool bars, whose frame comes later), so its click can be driven through the bar's frame.
class ShownMenuButton : public CExtBarNcAreaButtonMenu {
public:
    using CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu;
    bool IsShown() const override { return CExtBarNcAreaButton::IsShown(); }
};

class MenuPanel : public ColourPanel {
public:
    using ColourPanel::ColourPanel;
    void CreateCaptionButtons() override {
        if (m_arrCaptionButtons.GetSize() != 0)
            return;
        m_arrCaptionButtons.Add(new CExtBarNcAreaButtonClose(this));
        m_arrCaptionButtons.Add(new ShownMenuButton(this));
    }
};

}  // namespace

TEST(CaptionButtons, RealClicksCloseHidesTheBarMenuOpensTheShowHidePanelsPopup) {
    Docking d;
    ASSERT_TRUE(g_CmdManager->ProfileSetup("nc buttons", d.pFrame->m_hWnd));
    CExtPopupMenuWnd::ResetStandIn();
    MenuPanel* m = new MenuPanel(kColors[2]);
    d.bars.emplace_back(m);
    ASSERT_TRUE(m->CreateIn(d.pFrame, ID_PANEL_FIRST, "Log"));
    m->m_dwStyle |= CBRS_GRIPPER;
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST + 1, "Hosts", kColors[0]);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {m, a});
    d.pFrame->RecalcLayout();
    Repaint(d.pFrame);

    // Menu, left of Close
    ShownMenuButton* pMenu = ShownButton<ShownMenuButton>(m);
    CExtBarNcAreaButtonClose* pCloseM = ShownButton<CExtBarNcAreaButtonClose>(m);
    ASSERT_NE(nullptr, pMenu);
    ASSERT_NE(nullptr, pCloseM);
    EXPECT_EQ(pCloseM->GetRect().left - 3, pMenu->GetRect().right);
    const CRect rcMenuScreen = ScreenRect(m, pMenu->GetRect());
    d.pFrame->m_menuEvents.clear();
    ASSERT_TRUE(orvtest::click(rcMenuScreen.CenterPoint(), m->m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::standIn().tracked.empty(); }));
    const CExtPopupMenuTrackRecord record = CExtPopupMenuWnd::standIn().tracked.back();
    EXPECT_EQ(0x824u, record.nFlags);
    ASSERT_EQ(1u, record.items.size());
    EXPECT_EQ(CString("&Show/hide panels"), record.items[0].strText);
    EXPECT_EQ(2, record.items[0].nSubItems) << "both panels listed";
    CRect rcAnchor(rcMenuScreen);
    rcAnchor.InflateRect(1, 1);
    EXPECT_TRUE(record.bExclude);
    EXPECT_EQ(rcAnchor, record.rcExclude);
    EXPECT_EQ(CPoint(rcAnchor.left + rcAnchor.Width() / 2, rcAnchor.top + rcAnchor.Height() / 2), record.point);
    EXPECT_TRUE(record.bPainter);
    EXPECT_EQ((std::vector<WORD>{10, 11, 11, 10}), d.pFrame->m_menuEvents)
        << "the button's menu and its bars list, each before and after filling";

    // in context-help mode a Menu click is handled and does nothing
    CExtPopupMenuWnd::standIn().tracked.clear();
    d.pFrame->m_menuEvents.clear();
    d.pFrame->m_bHelpMode = TRUE;
    EXPECT_TRUE(pMenu->Click(pMenu->GetRect().CenterPoint()));
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked.empty());
    EXPECT_TRUE(d.pFrame->m_menuEvents.empty());
    d.pFrame->m_bHelpMode = FALSE;

    // Close hides the bar at once
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(a);
    ASSERT_NE(nullptr, pClose);
    ASSERT_TRUE(a->IsWindowVisible());
    ASSERT_TRUE(orvtest::click(ScreenRect(a, pClose->GetRect()).CenterPoint(), a->m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return !a->IsWindowVisible(); }));
    EXPECT_TRUE(m->IsWindowVisible());
    CExtPopupMenuWnd::ResetStandIn();
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

TEST(CaptionButtons, ToolTipsCarryTheirTexts) {
    Docking d;
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kColors[0]);
    ColourPanel* b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kColors[1]);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, b});
    d.pFrame->RecalcLayout();
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(a);
    ASSERT_NE(nullptr, pClose);
    // the Expand kind, made by hand (the bars make none) and placed like Close
    CExtBarNcAreaButtonExpand expand(a);
    CExtBarNcAreaButtonMenu menu(a);
    expand.Reposition(NULL);
    menu.Reposition(NULL);
    struct Case {
        const char* what;
        CExtBarNcAreaButton* pBtn;
        std::function<void()> before;
        const char* expected;
    } cases[] = {
        {"Close", pClose, [] {}, "Hide"},
        {"Menu", &menu, [] {}, "Options"},
        {"Expand, with a neighbour in the row", &expand, [] {}, "Expand"},
        {"Expand, the only expanded bar of its row", &expand, [&] { a->MaximizeInRow(); }, "Contract"},
    };
    for (const Case& c : cases) {
        c.before();
        TOOLINFOA ti = {};
        ti.cbSize = sizeof ti;
        const CPoint pt = c.pBtn->GetRect().CenterPoint();
        EXPECT_EQ((INT_PTR)ID_PANEL_FIRST, c.pBtn->FillToolInfo(pt, &ti)) << c.what;
        ASSERT_NE(nullptr, ti.lpszText) << c.what;
        ASSERT_NE(LPSTR_TEXTCALLBACKA, ti.lpszText) << c.what;
        EXPECT_STREQ(c.expected, ti.lpszText) << c.what;
        EXPECT_EQ(a->m_hWnd, ti.hwnd);
        EXPECT_EQ((UINT_PTR)ID_PANEL_FIRST, ti.uId);
        // the tip's rectangle is the button in the bar's client coordinates
        CRect rcTip(ti.rect);
        a->ClientToScreen(&rcTip);
        EXPECT_EQ(ScreenRect(a, c.pBtn->GetRect()), rcTip) << c.what;
        free(ti.lpszText);
        EXPECT_EQ(-1, c.pBtn->FillToolInfo(pt, NULL)) << c.what << ": no tip without a record";
    }
    // the Expand button of a bar alone in its row: disabled, a plain client hit, a click focuses
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, NULL, b});
    d.pFrame->RecalcLayout();
    expand.Reposition(NULL);
    EXPECT_EQ((UINT)HTCLIENT, expand.HitTest(expand.GetRect().CenterPoint()));
    EXPECT_TRUE(expand.Click(expand.GetRect().CenterPoint()));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == a->m_child.m_hWnd; }, 2000));
}

// ---- the gallery --------------------------------------------------------------------------------

TEST(Pictures, TheFrameInTheFourLooksSideBySide) {
    Docking d(CRect(0, 0, 640, 480));
    int nColour = 0;
    struct Place {
        UINT nSide, nCircle;
        const char* name;
    } places[] = {
        {AFX_IDW_DOCKBAR_TOP, 1, "Top 1"},     {AFX_IDW_DOCKBAR_TOP, 1, "Top 1b"},
        {AFX_IDW_DOCKBAR_LEFT, 1, "Left 1"},   {AFX_IDW_DOCKBAR_LEFT, 2, "Left 2"},
        {AFX_IDW_DOCKBAR_RIGHT, 1, "Right 1"}, {AFX_IDW_DOCKBAR_BOTTOM, 1, "Bottom 1"},
        {AFX_IDW_DOCKBAR_BOTTOM, 2, "Bottom 2"},
    };
    std::vector<ColourPanel*> panels;
    UINT nID = ID_PANEL_FIRST;
    for (const Place& p : places) {
        ColourPanel* pBar = CaptionPanel(d, nID++, p.name, kColors[nColour++ % 6], CSize(200, 70), CSize(100, 200));
        panels.push_back(pBar);
        d.Dock(p.nSide, p.nCircle)->DockControlBar(pBar);
    }
    // the top row holds two bars; the second has a side gripper
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {panels[0], panels[1]});
    panels[1]->m_nOptions &= ~CExtControlBar::optHorzCaption;
    CExtDockBar* pOuterTop = CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP);
    pOuterTop->DockControlBar(d.AddTool(ID_TOOL_FIRST, "Tools", CSize(160, 26)));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_LEFT)->DockControlBar(d.AddTool(ID_TOOL_FIRST + 1, "Side", CSize(100, 26)));
    panels[0]->SetFocus();   // one active caption

    struct Look {
        const char* name;
        std::function<CExtPaintManager*()> make;
    } looks[] = {
        {"classic", [] { return new CExtPaintManager; }},
        {"xp", [] { return new CExtPaintManagerXP; }},
        {"office2003", [] { return new CExtPaintManagerOffice2003; }},
        {"studio2005", [] { return new CExtPaintManagerStudio2005; }},
    };
    CRect rcFrame;
    d.pFrame->GetWindowRect(&rcFrame);
    const int W = rcFrame.Width(), H = rcFrame.Height();
    orvtest::RenderCanvas gallery(W * 4 + 3 * 8, H, RGB(255, 255, 255));
    int x = 0;
    for (const Look& look : looks) {
        orvtest::ScopedPainter painter(look.make());
        d.pFrame->RecalcLayout();
        Idle();
        Repaint(d.pFrame);
        orvtest::RenderCanvas canvas(W, H);
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, W, H, hScreen, rcFrame.left, rcFrame.top, SRCCOPY);
        ::BitBlt(gallery.dc().m_hDC, x, 0, W, H, hScreen, rcFrame.left, rcFrame.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        x += W + 8;
        // each caption is painted (neither the view's white nor the panel's colour fills it) and
        // each panel's child fills its client area
        for (ColourPanel* p : panels) {
            CRect rcCaption = ScreenRect(p, p->m_rcGrip);
            rcCaption.OffsetRect(-rcFrame.TopLeft());
            ASSERT_FALSE(rcCaption.IsRectEmpty()) << look.name;
            EXPECT_LT(canvas.Count(RGB(255, 255, 255), rcCaption), rcCaption.Width() * rcCaption.Height())
                << look.name << " " << (LPCTSTR)CString(places[&p - &panels[0]].name);
            CRect rcChild;
            p->m_child.GetWindowRect(&rcChild);
            rcChild.OffsetRect(-rcFrame.TopLeft());
            if (orvtest::DisplayDepth() > 8) {
                EXPECT_EQ(p->m_clr, canvas.At(rcChild.CenterPoint().x, rcChild.CenterPoint().y)) << look.name;
            }
        }
    }
    EXPECT_TRUE(gallery.Keep("bars_gallery", 1));
}
