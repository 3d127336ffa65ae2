// The outer dock bars' tool-bar rows and the container bars, in a frame under Xvfb: tool bars
// that fit, shrink, wrap, share a thickness and get their room back by order; the frame relayout
// that waits for a hidden frame; one forwarder of system changes per frame; containers that share
// their size among their rows, hide with their bars and dissolve; and the rows' pictures.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "BarsFixture.h"
#include "CExtCmdManager.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"
#include "RenderHarness.h"
#include <functional>

using namespace barstest;

namespace {

CExtDockOuterBar* Outer(Docking& d, UINT nSide) {
    return DYNAMIC_DOWNCAST(CExtDockOuterBar, CExtDockBar::GetOuterDockBar(d.pFrame, nSide));
}

// Sizes the frame so that its client area is cx wide, and lays it out.
void SetClientWidth(Docking& d, int cx) {
    CRect rcWnd, rcClient;
    d.pFrame->GetWindowRect(&rcWnd);
    d.pFrame->GetClientRect(&rcClient);
    d.pFrame->SetWindowPos(NULL, 0, 0, cx + rcWnd.Width() - rcClient.Width(), rcWnd.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    d.pFrame->RecalcLayout();
}

// Tool bars of one row of the top outer dock bar: the first docked as a new row, the others
// joining its end.
std::vector<SizedToolBar*> ToolRow(Docking& d, const std::vector<CSize>& sizes, int nMin, UINT nFirstID) {
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    std::vector<SizedToolBar*> bars;
    for (size_t i = 0; i < sizes.size(); i++) {
        CString strName;
        strName.Format("T%d", (int)(nFirstID - ID_TOOL_FIRST + i + 1));
        SizedToolBar* t = d.AddTool(nFirstID + (UINT)i, strName, sizes[i]);
        t->m_sizeMinBar = CSize(nMin, sizes[i].cy);
        if (i == 0)
            pTop->DockControlBar(t);
        else
            pTop->DockControlBarAtEdge(t, false);
        bars.push_back(t);
    }
    d.pFrame->RecalcLayout();
    return bars;
}

std::string Lengths(const std::vector<SizedToolBar*>& bars) {
    std::string s;
    for (SizedToolBar* t : bars) {
        const CRect rc = ChildRect(t);
        s += (s.empty() ? "" : " ") + std::to_string(rc.Width()) + "@" + std::to_string(rc.left) + "," +
             std::to_string(rc.top);
    }
    return s;
}

}  // namespace

// ---- outer rows ---------------------------------------------------------------------------------

TEST(OuterRows, ToolBarsFitShrinkFromTheLastAndWrapOnlyWhenTheirMinimumsDoNotFit) {
    Docking d(CRect(0, 0, 800, 400));
    SetClientWidth(d, 700);
    std::vector<SizedToolBar*> bars = ToolRow(d, {CSize(200, 22), CSize(200, 22), CSize(200, 22)}, 60, ID_TOOL_FIRST);
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ("T1 T2 T3 |", Rows(pTop));
    // a bar's shortest window is its own minimum plus its grip and borders: make that 60
    for (SizedToolBar* t : bars) {
        CRect rcClient;
        t->GetClientRect(&rcClient);
        const int nNc = ChildRect(t).Width() - rcClient.Width();
        ASSERT_GT(nNc, 0) << "the tool bar has a grip";
        t->m_sizeMinBar.cx = 60 - nNc;
    }
    d.pFrame->RecalcLayout();
    struct Case {
        int cx;
        const char* lengths;   // width@left,top of each bar
        int nDockHeight;
    } cases[] = {
        {700, "200@0,0 200@200,0 200@400,0", 22},
        {500, "200@0,0 200@200,0 100@400,0", 22},    // the last one shrinks first
        {300, "180@0,0 60@180,0 60@240,0", 22},      // then the ones before it
        {180, "60@0,0 60@60,0 60@120,0", 22},        // the minimums just fit
        {150, "90@0,0 60@90,0 150@0,22", 44},        // they do not: the last goes down a row
        {700, "200@0,0 200@200,0 200@400,0", 22},    // and everything comes back
    };
    for (const Case& c : cases) {
        SetClientWidth(d, c.cx);
        EXPECT_EQ(c.lengths, Lengths(bars)) << c.cx;
        EXPECT_EQ(c.nDockHeight, ChildRect(pTop).Height()) << c.cx;
        EXPECT_EQ("T1 T2 T3 |", Rows(pTop)) << "the array keeps the row";
    }
}

TEST(OuterRows, BarsOfARowTakeItsLargestThicknessAndAMenuBarSpansItsRow) {
    Docking d(CRect(0, 0, 800, 400));
    SetClientWidth(d, 700);
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    SizedMenuBar* pMenu = new SizedMenuBar;
    d.AddTool(ID_MENU_BAR, "Menu", CSize(200, 20), pMenu);
    pTop->DockControlBar(pMenu);
    std::vector<SizedToolBar*> bars = ToolRow(d, {CSize(100, 22), CSize(100, 26), CSize(100, 22)}, 40, ID_TOOL_FIRST);
    bars[2]->m_bNoStretch = true;
    SizedToolBar* t4 = d.AddTool(ID_TOOL_FIRST + 3, "T4", CSize(100, 22));
    pTop->DockControlBarAtEdge(t4, false);
    d.pFrame->RecalcLayout();
    EXPECT_EQ("Menu | T1 T2 T3 T4 |", Rows(pTop));
    EXPECT_EQ(CRect(0, 0, 700, 20), ChildRect(pMenu)) << "the menu bar spans the row";
    EXPECT_EQ(26, ChildRect(bars[0]).Height());
    EXPECT_EQ(26, ChildRect(bars[1]).Height());
    EXPECT_EQ(22, ChildRect(bars[2]).Height()) << "it may not stretch";
    EXPECT_EQ(26, ChildRect(t4).Height());
    EXPECT_EQ(46, ChildRect(pTop).Height());
    // the menu bar keeps the whole row however narrow the frame gets
    SetClientWidth(d, 400);
    EXPECT_EQ(400, ChildRect(pMenu).Width());
}

TEST(OuterRows, TheBarSlidLastGetsItsPreferredLengthBackFirst) {
    for (bool bSlide : {false, true}) {
        Docking d(CRect(0, 0, 800, 400));
        SetClientWidth(d, 600);
        std::vector<SizedToolBar*> bars =
            ToolRow(d, {CSize(200, 22), CSize(200, 22), CSize(200, 22)}, 60, ID_TOOL_FIRST);
        CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
        ASSERT_EQ("200@0,0 200@200,0 200@400,0", Lengths(bars));
        if (bSlide) {
            // the user pulls the last bar back in a full row: it cannot grow, so it becomes first
            // in its row's order
            bool bFull = false;
            pTop->SlideBarInRow(bars[2], -30, &bFull);
            EXPECT_TRUE(bFull);
            EXPECT_EQ(1, bars[2]->m_dockPos.m_nOrder);
            EXPECT_EQ(2, bars[0]->m_dockPos.m_nOrder);
            EXPECT_EQ(3, bars[1]->m_dockPos.m_nOrder);
        }
        SetClientWidth(d, 500);
        EXPECT_EQ(bSlide ? "200@0,0 100@200,0 200@300,0" : "200@0,0 200@200,0 100@400,0", Lengths(bars))
            << (bSlide ? "slid" : "not slid");
        EXPECT_EQ("T1 T2 T3 |", Rows(pTop));
    }
}

TEST(OuterRows, ASlidBarKeepsItsPlaceAndPushesItsNeighbour) {
    Docking d(CRect(0, 0, 800, 400));
    SetClientWidth(d, 700);
    std::vector<SizedToolBar*> bars = ToolRow(d, {CSize(200, 22), CSize(200, 22), CSize(200, 22)}, 60, ID_TOOL_FIRST);
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    bool bFull = true;
    pTop->SlideBarInRow(bars[1], 50, &bFull);
    EXPECT_FALSE(bFull);
    EXPECT_EQ("200@0,0 200@250,0 200@450,0", Lengths(bars));
    d.pFrame->RecalcLayout();
    EXPECT_EQ("200@0,0 200@250,0 200@450,0", Lengths(bars)) << "a later layout keeps it there";
    EXPECT_EQ("T1 T2 T3 |", Rows(pTop)) << "the order of the bars is kept";
    // a row too short for the gap closes it first
    SetClientWidth(d, 620);
    EXPECT_EQ("200@0,0 200@220,0 200@420,0", Lengths(bars));
}

TEST(OuterRows, ABarMovesIntoAnotherRowWhereThereIsRoom) {
    Docking d(CRect(0, 0, 800, 400));
    SetClientWidth(d, 500);
    std::vector<SizedToolBar*> row1 = ToolRow(d, {CSize(200, 22), CSize(200, 22)}, 200, ID_TOOL_FIRST);
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    SizedToolBar* t3 = d.AddTool(ID_TOOL_FIRST + 2, "T3", CSize(150, 22));
    pTop->DockControlBar(t3);
    d.pFrame->RecalcLayout();
    ASSERT_EQ("T1 T2 | T3 |", Rows(pTop));
    CArray<CControlBar*, CControlBar*> arr;
    arr.Add(row1[0]);
    arr.Add(row1[1]);
    EXPECT_FALSE(pTop->MoveBarToRow(t3, arr, 250)) << "500 less 400 leaves no room for 150";
    EXPECT_EQ("T1 T2 | T3 |", Rows(pTop));
    SetClientWidth(d, 700);
    // dropped on the first half of T2: it goes before T2
    EXPECT_TRUE(pTop->MoveBarToRow(t3, arr, 250));
    EXPECT_EQ("T1 T3 T2 |", Rows(pTop));
    d.pFrame->RecalcLayout();
    EXPECT_EQ("200@0,0 150@200,0 200@350,0", Lengths({row1[0], t3, row1[1]}));
    EXPECT_EQ(22, ChildRect(pTop).Height());
}

TEST(OuterRows, ARelayoutWaitsForAHiddenFrameAndIsNeverDropped) {
    Docking d(CRect(0, 0, 800, 400));
    SetClientWidth(d, 700);
    std::vector<SizedToolBar*> bars = ToolRow(d, {CSize(200, 22), CSize(200, 22)}, 60, ID_TOOL_FIRST);
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    CExtDockOuterBar* pLeft = Outer(d, AFX_IDW_DOCKBAR_LEFT);

    // the frame is in the tray: the relayout waits without a timer
    d.pFrame->ShowWindow(SW_HIDE);
    bars[0]->m_sizeBar = CSize(250, 22);
    pLeft->ScheduleFrameRelayout();
    EXPECT_TRUE(pTop->IsRelayoutPending()) << "the top outer dock bar runs the frame's relayouts";
    EXPECT_FALSE(pLeft->IsRelayoutPending());
    EXPECT_TRUE(pTop->IsRelayoutWaitingForShow());
    EXPECT_FALSE(::KillTimer(pTop->m_hWnd, CExtDockOuterBar::kRelayoutTimerId)) << "no timer runs meanwhile";
    orvtest::pumpWaiting();
    EXPECT_TRUE(pTop->IsRelayoutPending());
    EXPECT_EQ(200, ChildRect(bars[0]).Width());
    // shown: the relayout runs
    d.pFrame->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return !pTop->IsRelayoutPending(); }));
    EXPECT_FALSE(pTop->IsRelayoutWaitingForShow());
    EXPECT_EQ(250, ChildRect(bars[0]).Width());

    // a frame busy with its layout: retried on the timer
    bars[0]->m_sizeBar = CSize(220, 22);
    d.pFrame->m_bInRecalcLayout = TRUE;
    pTop->ScheduleFrameRelayout();
    EXPECT_TRUE(pTop->IsRelayoutPending());
    EXPECT_FALSE(pTop->IsRelayoutWaitingForShow());
    d.pFrame->m_bInRecalcLayout = FALSE;
    EXPECT_TRUE(orvtest::pumpUntil([&] { return !pTop->IsRelayoutPending(); }));
    EXPECT_EQ(220, ChildRect(bars[0]).Width());
    EXPECT_FALSE(::KillTimer(pTop->m_hWnd, CExtDockOuterBar::kRelayoutTimerId)) << "the timer stopped";

    // a free frame lays out at once
    bars[0]->m_sizeBar = CSize(180, 22);
    pTop->ScheduleFrameRelayout();
    EXPECT_FALSE(pTop->IsRelayoutPending());
    EXPECT_EQ(180, ChildRect(bars[0]).Width());
}

namespace {

class CountingPainter : public CExtPaintManagerXP {
public:
    void OnSysColorChange() override {
        g_nCalls++;
        CExtPaintManagerXP::OnSysColorChange();
    }
    static int g_nCalls;
};
int CountingPainter::g_nCalls = 0;

}  // namespace

TEST(OuterRows, ASystemColourChangeReachesThePainterOnce) {
    Docking d;
    ColourPanel* p = d.AddPanel(ID_PANEL_FIRST, "P");
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(p);
    ToolRow(d, {CSize(120, 22), CSize(120, 22)}, 40, ID_TOOL_FIRST);
    orvtest::ScopedPainter painter(new CountingPainter);
    CountingPainter::g_nCalls = 0;
    // as the system tells every window of the frame
    d.pFrame->SendMessage(WM_SYSCOLORCHANGE);
    d.pFrame->SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    EXPECT_EQ(1, CountingPainter::g_nCalls);
    // through the top outer dock bar, the first one there is
    CountingPainter::g_nCalls = 0;
    Outer(d, AFX_IDW_DOCKBAR_LEFT)->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(0, CountingPainter::g_nCalls);
    Outer(d, AFX_IDW_DOCKBAR_TOP)->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(1, CountingPainter::g_nCalls);
}

// ---- containers ---------------------------------------------------------------------------------

namespace {

// A container made by code (it deletes itself with its window), its bars standing in rows.
CExtDynControlBar* MakeContainer(Docking& d, LPCTSTR lpszName, UINT nOrientID = AFX_IDW_DOCKBAR_TOP) {
    CExtDynControlBar* pDyn = new CExtDynControlBar;
    EXPECT_TRUE(pDyn->Create(lpszName, d.pFrame, nOrientID,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP));
    pDyn->EnableDocking(CBRS_ALIGN_ANY);
    return pDyn;
}

// Panels docked into the container, one row each, or (bSameRow) into its first row.
std::vector<ColourPanel*> FillContainer(Docking& d, CExtDynControlBar* pDyn, int nCount, CSize sizeH, UINT nFirstID,
                                        bool bSameRow = false) {
    static const COLORREF kColors[] = {RGB(200, 80, 80), RGB(80, 170, 80), RGB(80, 110, 210), RGB(210, 170, 50)};
    std::vector<ColourPanel*> panels;
    for (int i = 0; i < nCount; i++) {
        CString strName;
        strName.Format("P%d", (int)(nFirstID - ID_PANEL_FIRST) + i + 1);
        ColourPanel* p = d.AddPanel(nFirstID + i, strName, kColors[i % 4]);
        p->m_sizeDockedH = sizeH;
        p->m_sizeDockedV = CSize(sizeH.cy, sizeH.cx);
        if (bSameRow && i > 0)
            pDyn->GetInnerDockBar()->DockControlBarAtEdge(p, false);
        else
            pDyn->GetInnerDockBar()->DockControlBar(p);
        panels.push_back(p);
    }
    return panels;
}

// Lays the frame out, then the container's rows (as the frame's idle time would).
void Layout(Docking& d) {
    d.pFrame->RecalcLayout();
    Idle();
}

}  // namespace

TEST(Containers, GrowthAcrossIsSharedOnePixelPerRowInTurn) {
    Docking d(CRect(0, 0, 700, 600));
    CExtDockBar* pTop1 = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CExtDynControlBar* pDyn = MakeContainer(d, "Container");
    pTop1->DockControlBar(pDyn);
    std::vector<ColourPanel*> panels = FillContainer(d, pDyn, 3, CSize(300, 60), ID_PANEL_FIRST);
    EXPECT_EQ("P1 | P2 | P3 |", Rows(pDyn->GetInnerDockBar()));
    CExtDockDynBar* pInner = pDyn->GetInnerDockBar();
    // the container's client area (its inner dock bar) first holds the three 60-pixel rows
    // exactly, then grows by 5 pixels
    Layout(d);
    const int nNc = ChildRect(pDyn).Height() - ChildRect(pInner).Height();
    pDyn->m_sizeDockedH.cy = 180 + nNc;
    for (ColourPanel* p : panels)
        p->m_sizeDockedH.cy = 60;
    Layout(d);
    ASSERT_EQ(180, ChildRect(pInner).Height());
    ASSERT_EQ(CRect(0, 60, ChildRect(pInner).Width(), 120), ChildRect(panels[1])) << "the rows fit as they are";
    pDyn->m_sizeDockedH.cy = 185 + nNc;
    Layout(d);
    ASSERT_EQ(185, ChildRect(pInner).Height());
    EXPECT_EQ(CRect(0, 0, ChildRect(pInner).Width(), 62), ChildRect(panels[0]));
    EXPECT_EQ(CRect(0, 62, ChildRect(pInner).Width(), 124), ChildRect(panels[1]));
    EXPECT_EQ(CRect(0, 124, ChildRect(pInner).Width(), 185), ChildRect(panels[2]));
    EXPECT_EQ(62, panels[0]->m_sizeDockedH.cy) << "the bars keep their new sizes";
    EXPECT_EQ(nullptr, d.pFrame->m_listControlBars.Find(pInner)) << "the frame never places the inner dock bar";
}

TEST(Containers, MinimumSizeIsTheLongestMinimumRowByTheSumOfMinimumThicknesses) {
    Docking d(CRect(0, 0, 700, 600));
    CExtDynControlBar* pRows = MakeContainer(d, "Rows", AFX_IDW_DOCKBAR_TOP);
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(pRows);
    std::vector<ColourPanel*> row1 = FillContainer(d, pRows, 3, CSize(100, 60), ID_PANEL_FIRST, true);
    FillContainer(d, pRows, 1, CSize(300, 60), ID_PANEL_FIRST + 3);
    EXPECT_EQ("P1 P2 P3 | P4 |", Rows(pRows->GetInnerDockBar()));
    const int nMinH = row1[0]->GetMinExtentHorz(), nMinV = row1[0]->GetMinExtentVert();
    EXPECT_EQ(3 * nMinH, pRows->GetMinExtentHorz()) << "the longest minimum row, along the rows";
    EXPECT_EQ(2 * nMinV, pRows->GetMinExtentVert()) << "two rows' minimum thicknesses";
    EXPECT_EQ(CSize(3 * nMinH, 2 * nMinV), pRows->GetFloatingMinTrackSize());
}

TEST(Containers, TheLastBarTakesTheContainersPlaceAndSize) {
    Docking d(CRect(0, 0, 700, 600));
    CExtDockBar* pTop1 = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CExtDynControlBar* pDyn = MakeContainer(d, "Container");
    pDyn->m_sizeDockedH.cy = 170;
    pTop1->DockControlBar(pDyn);
    std::vector<ColourPanel*> panels = FillContainer(d, pDyn, 2, CSize(300, 80), ID_PANEL_FIRST);
    Layout(d);
    const HWND hDyn = pDyn->m_hWnd;
    const CRect rcContainer = ChildRect(pDyn);
    EXPECT_EQ("Container |", Rows(pTop1));
    // the user takes P2 away: P1 is left alone, and the container goes
    d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(panels[1]);
    EXPECT_FALSE(::IsWindow(hDyn));
    EXPECT_EQ("P1 |", Rows(pTop1));
    EXPECT_EQ(pTop1, panels[0]->m_pDockBar);
    EXPECT_EQ(pTop1, panels[0]->GetParent());
    EXPECT_EQ(rcContainer, ChildRect(panels[0])) << "exactly the container's rectangle";
    EXPECT_EQ(rcContainer.Size(), panels[0]->m_sizeDockedH);
    Layout(d);
    EXPECT_EQ(rcContainer.Size(), ChildRect(panels[0]).Size()) << "and keeps its size in the next layout";
    EXPECT_TRUE(panels[0]->IsWindowVisible());

    // a container left with nothing is removed
    CExtDynControlBar* pEmpty = MakeContainer(d, "Empty");
    pTop1->DockControlBar(pEmpty);
    const HWND hEmpty = pEmpty->m_hWnd;
    ColourPanel* p3 = d.AddPanel(ID_PANEL_FIRST + 2, "P3");
    pEmpty->GetInnerDockBar()->DockControlBar(p3);
    EXPECT_EQ("P1 | Empty |", Rows(pTop1));
    d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(p3);
    EXPECT_FALSE(::IsWindow(hEmpty));
    EXPECT_EQ("P1 |", Rows(pTop1));
}

TEST(Containers, NestedContainersDissolveFromTheInsideOut) {
    Docking d(CRect(0, 0, 700, 600));
    CExtDockBar* pTop1 = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CExtDynControlBar* pOuterDyn = MakeContainer(d, "Outer");
    pOuterDyn->m_sizeDockedH.cy = 240;
    pTop1->DockControlBar(pOuterDyn);
    std::vector<ColourPanel*> p1 = FillContainer(d, pOuterDyn, 1, CSize(300, 80), ID_PANEL_FIRST);
    CExtDynControlBar* pInnerDyn = MakeContainer(d, "Inner", AFX_IDW_DOCKBAR_LEFT);
    pInnerDyn->m_sizeDockedH = CSize(300, 120);
    pOuterDyn->GetInnerDockBar()->DockControlBar(pInnerDyn);
    std::vector<ColourPanel*> p23 = FillContainer(d, pInnerDyn, 2, CSize(150, 120), ID_PANEL_FIRST + 1);
    Layout(d);
    EXPECT_EQ("P1 | Inner |", Rows(pOuterDyn->GetInnerDockBar()));
    EXPECT_EQ("P2 | P3 |", Rows(pInnerDyn->GetInnerDockBar()));
    const HWND hInner = pInnerDyn->m_hWnd, hOuter = pOuterDyn->m_hWnd;
    EXPECT_LT(ChildRect(p23[0]).right, ChildRect(p23[1]).right) << "the inner container stands its bars side by side";
    // the inner container loses a bar: its last bar takes its place in the outer one
    d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(p23[1]);
    EXPECT_FALSE(::IsWindow(hInner));
    EXPECT_EQ("P1 | P2 |", Rows(pOuterDyn->GetInnerDockBar()));
    EXPECT_EQ(pOuterDyn->GetInnerDockBar(), p23[0]->m_pDockBar);
    // then the outer one loses a bar and goes too
    d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(p1[0]);
    EXPECT_FALSE(::IsWindow(hOuter));
    EXPECT_EQ(pTop1, p23[0]->m_pDockBar);
    Layout(d);
    EXPECT_TRUE(p23[0]->IsWindowVisible());
}

TEST(Containers, AContainerWhoseBarsAreAllHiddenIsHiddenAndTakesNoRoom) {
    Docking d(CRect(0, 0, 700, 600));
    CExtDockBar* pTop1 = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CExtDynControlBar* pDyn = MakeContainer(d, "Container");
    pDyn->m_sizeDockedH.cy = 170;
    pTop1->DockControlBar(pDyn);
    std::vector<ColourPanel*> panels = FillContainer(d, pDyn, 2, CSize(300, 80), ID_PANEL_FIRST);
    Layout(d);
    EXPECT_TRUE(pDyn->IsWindowVisible());
    d.pFrame->ShowControlBar(panels[0], FALSE, FALSE);
    Layout(d);
    EXPECT_TRUE(pDyn->IsWindowVisible()) << "one bar still shows";
    d.pFrame->ShowControlBar(panels[1], FALSE, FALSE);
    Layout(d);
    EXPECT_FALSE(pDyn->IsWindowVisible());
    EXPECT_EQ(CSize(0, 0), pDyn->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    EXPECT_EQ(0, ChildRect(pTop1).Height()) << "the container takes no room";
    EXPECT_TRUE(::IsWindow(pDyn->m_hWnd)) << "two hidden bars keep their container";
    // the user shows one of them again: the container comes back with it
    CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST, true);
    Layout(d);
    EXPECT_TRUE(panels[0]->IsWindowVisible());
    EXPECT_TRUE(pDyn->IsWindowVisible());
    EXPECT_EQ(170, ChildRect(pTop1).Height());
    EXPECT_EQ(ChildRect(pDyn->GetInnerDockBar()).Height(), ChildRect(panels[0]).Height()) << "it fills the container";
}

TEST(Containers, NeverInTheBarsMenu) {
    Docking d(CRect(0, 0, 700, 600));
    ASSERT_TRUE(g_CmdManager->ProfileSetup("bars containers", d.pFrame->m_hWnd));
    CExtDynControlBar* pDyn = MakeContainer(d, "Container");
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(pDyn);
    FillContainer(d, pDyn, 2, CSize(300, 80), ID_PANEL_FIRST);
    Layout(d);
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.CreatePopupMenu(d.pFrame->m_hWnd));
    ASSERT_TRUE(CExtControlBar::FillBarsContextMenu(d.pFrame, &popup, CExtControlBar::eventBarsMenuOfDockBar,
                                                    d.pFrame, WM_CONTEXTMENU, 0));
    std::string text;
    for (int i = 0; i < popup.GetItemCount(); i++)
        text += (text.empty() ? "" : " ") + std::string((LPCTSTR)popup.GetItemAt(i).m_sItemText);
    EXPECT_EQ("P1 P2", text);
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

// ---- pictures -----------------------------------------------------------------------------------

TEST(Pictures, RowsInEachLook) {
    Docking d(CRect(0, 0, 640, 480));
    CExtDockOuterBar* pTop = Outer(d, AFX_IDW_DOCKBAR_TOP);
    SizedMenuBar* pMenu = new SizedMenuBar;
    d.AddTool(ID_MENU_BAR, "Menu", CSize(300, 20), pMenu);
    pTop->DockControlBar(pMenu);
    // a row that had to shrink: 22/26/22 of 260 each where 632 or so is left
    std::vector<SizedToolBar*> bars =
        ToolRow(d, {CSize(260, 22), CSize(260, 26), CSize(260, 22)}, 80, ID_TOOL_FIRST);
    // a row whose last bar wrapped
    SizedToolBar* t4 = d.AddTool(ID_TOOL_FIRST + 3, "T4", CSize(400, 24));
    t4->m_sizeMinBar = CSize(380, 24);
    pTop->DockControlBar(t4);
    SizedToolBar* t5 = d.AddTool(ID_TOOL_FIRST + 4, "T5", CSize(300, 24));
    t5->m_sizeMinBar = CSize(280, 24);
    pTop->DockControlBarAtEdge(t5, false);
    SizedToolBar* tl = d.AddTool(ID_TOOL_FIRST + 5, "Left", CSize(120, 24));
    Outer(d, AFX_IDW_DOCKBAR_LEFT)->DockControlBar(tl);
    // a container of three panels in the first circle on the left
    CExtDynControlBar* pDyn = MakeContainer(d, "Container");
    pDyn->m_sizeDockedV = CSize(180, 300);
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(pDyn);
    FillContainer(d, pDyn, 3, CSize(180, 90), ID_PANEL_FIRST);
    Layout(d);
    EXPECT_EQ(26, ChildRect(bars[0]).Height());
    EXPECT_EQ(ChildRect(t4).bottom, ChildRect(t5).top) << "T5 wrapped under T4";
    EXPECT_EQ(0, ChildRect(t5).left);

    struct Look {
        const char* name;
        std::function<CExtPaintManager*()> make;
    } looks[] = {
        {"classic", [] { return new CExtPaintManager; }},
        {"xp", [] { return new CExtPaintManagerXP; }},
        {"office2003", [] { return new CExtPaintManagerOffice2003; }},
        {"studio2005", [] { return new CExtPaintManagerStudio2005; }},
    };
    for (const Look& look : looks) {
        orvtest::ScopedPainter painter(look.make());
        Layout(d);
        Repaint(d.pFrame);
        CRect rcFrame;
        d.pFrame->GetWindowRect(&rcFrame);
        orvtest::RenderCanvas canvas(rcFrame.Width(), rcFrame.Height());
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, rcFrame.Width(), rcFrame.Height(), hScreen, rcFrame.left, rcFrame.top,
                 SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        EXPECT_TRUE(canvas.Keep(std::string("bars_rows_") + look.name, 1));
        // every panel of the container shows its colour where the container put it
        for (auto& pBar : d.bars) {
            ColourPanel* pPanel = dynamic_cast<ColourPanel*>(pBar.get());
            if (pPanel == nullptr)
                continue;
            CRect rcChild;
            pPanel->m_child.GetWindowRect(&rcChild);
            rcChild.OffsetRect(-rcFrame.left, -rcFrame.top);
            EXPECT_GT(rcChild.Height(), 50) << look.name;
            if (orvtest::DisplayDepth() > 8) {
                EXPECT_EQ(pPanel->m_clr, canvas.At(rcChild.CenterPoint().x, rcChild.CenterPoint().y)) << look.name;
            }
        }
    }
}
