// Control bars under Xvfb: names, the list of bars, the frame set-up, row queries over a
// hand-built dock bar, the dock bars' rows and circles, row space given back, show/hide
// commands and their check marks, prompts, the help hit test, and the frame's pictures.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "BarsFixture.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "ExtDockRows.h"
#include "RenderHarness.h"
#include "bars_test_resources.h"
#include <functional>

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using namespace barstest;

namespace {

const COLORREF kColors[] = {RGB(200, 80, 80), RGB(80, 170, 80), RGB(80, 110, 210), RGB(210, 170, 50),
                            RGB(150, 90, 190), RGB(60, 170, 170)};

std::vector<CExtControlBar*> AllBars() {
    CArray<CExtControlBar*, CExtControlBar*> arr;
    CExtControlBar::GetAllBars(arr);
    return std::vector<CExtControlBar*>(arr.GetData(), arr.GetData() + arr.GetSize());
}

// The bar's length along its row, read from its window.
int WindowLength(CWnd* pBar, bool bHorz) {
    CRect rc;
    pBar->GetWindowRect(&rc);
    return bHorz ? rc.Width() : rc.Height();
}

}  // namespace

// ---- names and the list of bars -----------------------------------------------------------------

TEST(ControlBar, NamesFromTheCommandProfileOrTheStringResources) {
    Docking d;
    ASSERT_TRUE(g_CmdManager->ProfileSetup("bars test", d.pFrame->m_hWnd));
    CExtCmdItem* pCmd = g_CmdManager->AllocCommand("bars test", 0x5003);
    ASSERT_NE(nullptr, pCmd);
    pCmd->m_sMenuText = "&Log && trace\nnot shown";
    struct Case {
        LPCTSTR lpszName;
        UINT nID;
        const char* expected;
    } cases[] = {
        {NULL, ID_BAR_RES, "Bars"},            // the string resource, cut at its line feed
        {NULL, 0x5003, "Log  trace"},          // the profile's menu text, every "&" gone
        {NULL, 0, ""},
        {NULL, 0xFFFFFFFF, ""},
        {NULL, 0x5FFF, ""},                    // no command, no string
        {"Given\nname", ID_BAR_RES, "Given"},  // a given name is cut too
    };
    for (const Case& c : cases) {
        ColourPanel bar;
        ASSERT_TRUE(bar.CreateIn(d.pFrame, c.nID == 0xFFFFFFFF ? 0xFFFF : c.nID, c.lpszName)) << c.expected;
        if (c.nID == 0xFFFFFFFF) {
            EXPECT_EQ(CString(), CExtControlBar::BarNameFromCommand(d.pFrame, c.nID));
        } else {
            CString str;
            bar.GetWindowText(str);
            EXPECT_EQ(CString(c.expected), str) << c.nID;
        }
        CString strClass;
        ::GetClassNameA(bar.m_hWnd, strClass.GetBuffer(64), 64);
        strClass.ReleaseBuffer();
        EXPECT_EQ(CString("OrvelUI-ControlBar"), strClass);
        bar.DestroyWindow();
    }
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

TEST(ControlBar, TheListOfBarsStaysExactWhateverTheOrderOfDestruction) {
    const size_t nBefore = AllBars().size();
    const char* orders[] = {"ABC", "CBA", "BCA", "ACB"};
    for (const char* order : orders) {
        SCOPED_TRACE(order);
        std::map<char, CExtControlBar*> bars;
        std::string alive = "ABC";
        for (char c : alive)
            bars[c] = new CExtControlBar;
        for (const char* p = order; *p != '\0'; p++) {
            delete bars[*p];
            alive.erase(alive.find(*p), 1);
            std::vector<CExtControlBar*> expected;
            for (char c : alive)
                expected.push_back(bars[c]);
            std::vector<CExtControlBar*> all = AllBars();
            ASSERT_EQ(nBefore + alive.size(), all.size());
            EXPECT_EQ(expected, std::vector<CExtControlBar*>(all.end() - alive.size(), all.end()));
        }
    }
    EXPECT_EQ(nBefore, AllBars().size());
}

TEST(ControlBar, FrameEnableDockingPutsOuterDockBarsOnceOnEachSide) {
    Docking d;
    CExtDockBar* sides[4];
    for (int i = 0; i < 4; i++) {
        sides[i] = DYNAMIC_DOWNCAST(CExtDockOuterBar, d.pFrame->GetControlBar(CExtDockBar::g_arrSides[i]));
        ASSERT_NE(nullptr, sides[i]);
        EXPECT_EQ(0u, sides[i]->GetCircleNo());
        CString strClass;
        ::GetClassNameA(sides[i]->m_hWnd, strClass.GetBuffer(64), 64);
        strClass.ReleaseBuffer();
        EXPECT_EQ(CString("OrvelUI-DockBar"), strClass);
    }
    // again: the same dock bars, no others
    EXPECT_TRUE(CExtControlBar::FrameEnableDocking(d.pFrame));
    int nDockBars = 0;
    POSITION pos = d.pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
        nDockBars += static_cast<CControlBar*>(d.pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
    EXPECT_EQ(4, nDockBars);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(sides[i], d.pFrame->GetControlBar(CExtDockBar::g_arrSides[i]));
    // a dock style without the bottom side stops there
    BarsFrame* pOther = new BarsFrame;
    ASSERT_TRUE(pOther->CreateAt(CRect(30, 30, 300, 300)));
    EXPECT_FALSE(CExtControlBar::FrameEnableDocking(pOther, CBRS_ALIGN_TOP));
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CExtDockOuterBar, pOther->GetControlBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(nullptr, pOther->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    pOther->DestroyWindow();
}

// ---- row queries over a hand-built dock bar -----------------------------------------------------

TEST(RowQueries, Table) {
    Docking d;
    CExtDockBar* pDock = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    ASSERT_NE(nullptr, pDock);
    d.pFrame->RecalcLayout();   // the empty dock bar spans the frame
    ColourPanel* a = d.AddPanel(ID_PANEL_FIRST, "A");
    ColourPanel* b = d.AddPanel(ID_PANEL_FIRST + 1, "B");
    ColourPanel* c = d.AddPanel(ID_PANEL_FIRST + 2, "C");
    ColourPanel* h = d.AddPanel(ID_PANEL_FIRST + 3, "H");   // hidden
    ColourPanel* e = d.AddPanel(ID_PANEL_FIRST + 4, "E");
    SizedToolBar* t = d.AddTool(ID_TOOL_FIRST, "T", CSize(60, 24));
    ColourPanel* loose = d.AddPanel(ID_PANEL_FIRST + 5, "loose");   // in no dock bar
    // | A (0x77) B | C H | E T |
    CPtrArray& arr = pDock->m_arrBars;
    arr.RemoveAll();
    for (void* p : std::vector<void*>{NULL, a, ExtDockRows::PlaceholderOf(0x77), b, NULL, c, h, NULL, e, t, NULL})
        arr.Add(p);
    int x = 0;
    for (CExtControlBar* p : std::vector<CExtControlBar*>{a, b, c, h, e, t}) {
        p->SetParent(pDock);
        p->m_pDockBar = pDock;
        p->MoveWindow(x, 0, 50, 20);
        x += 50;
    }
    h->ShowWindow(SW_HIDE);
    ASSERT_EQ("A (119) B | C H | E T |", Rows(pDock));

    struct Neighbour {
        CControlBar* bar;
        bool bForward, bExtOnly, bSkipFixed;
        CControlBar* expected;
    } neighbours[] = {
        {a, true, false, false, b},          // past the placeholder
        {a, false, false, false, nullptr},   // first in its row
        {b, true, false, false, nullptr},    // the row ends
        {c, true, false, false, h},          // hidden bars are entries too
        {t, true, false, false, nullptr},    // the last index
        {e, true, true, true, t},            // filters test the bar, not the candidate
        {t, false, false, true, nullptr},    // a fixed-size bar is filtered out
        {loose, true, false, false, nullptr},
    };
    for (const Neighbour& n : neighbours)
        EXPECT_EQ(n.expected, CExtControlBar::GetRowNeighbour(n.bar, n.bForward, n.bExtOnly, n.bSkipFixed));

    struct Edge {
        CControlBar* bar;
        bool bLast;
        CControlBar* expected;
    } edges[] = {{a, true, b}, {b, false, a}, {b, true, b}, {c, true, h}, {h, false, c}, {t, false, e}, {loose, true, loose}};
    for (const Edge& e2 : edges)
        EXPECT_EQ(e2.expected, CExtControlBar::GetRowEdgeBar(e2.bar, e2.bLast, false, false));

    CArray<CControlBar*, CControlBar*> row;
    CRect rcUnion;
    int nIndex = 0;
    bool bResizable = false, bFull = true;
    c->GetRowBars(row, &rcUnion, &nIndex, &bResizable, &bFull);
    ASSERT_EQ(1, row.GetSize());   // H is hidden
    EXPECT_EQ(c, row[0]);
    EXPECT_EQ(5, nIndex);
    EXPECT_TRUE(bResizable);
    EXPECT_FALSE(bFull);
    CRect rcC;
    c->GetWindowRect(&rcC);
    EXPECT_EQ(rcC, rcUnion);
    CArray<CExtControlBar*, CExtControlBar*> all;
    c->GetRowBarsAll(all, false, &rcUnion);
    ASSERT_EQ(2, all.GetSize());
    EXPECT_EQ(h, all[1]);
    e->GetRowBarsAll(all, true);
    ASSERT_EQ(1, all.GetSize()) << "the fixed-size bar is skipped";
    t->m_bOwnRow = true;
    e->GetRowBars(row, nullptr, nullptr, nullptr, &bFull);
    EXPECT_TRUE(bFull) << "a whole-row bar fills its row";
    t->m_bOwnRow = false;

    c->GetAdjacentRowBars(false, row, nullptr, &nIndex);
    ASSERT_EQ(2, row.GetSize());
    EXPECT_EQ(a, row[0]);
    EXPECT_EQ(1, nIndex);
    c->GetAdjacentRowBars(true, row);
    ASSERT_EQ(2, row.GetSize());
    EXPECT_EQ(e, row[0]);
    e->GetAdjacentRowBars(true, row);
    EXPECT_EQ(0, row.GetSize()) << "no row after the last";
    a->GetAdjacentRowBars(false, row);
    EXPECT_EQ(0, row.GetSize()) << "no row before the first";

    EXPECT_TRUE(a->IsFirstInRow(false));
    EXPECT_FALSE(b->IsFirstInRow(false));
    EXPECT_TRUE(b->IsLastInRow(false));
    EXPECT_TRUE(c->IsLastInRow(false)) << "the hidden bar after it is not collected";
    EXPECT_FALSE(c->IsLastInRow(true)) << "it is among all of the row's bars";
    EXPECT_TRUE(e->IsLastInRow(true)) << "the fixed-size bar after it is skipped";
    EXPECT_FALSE(loose->IsFirstInRow(false));

    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, a->GetDockSideId());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, loose->GetDockSideId());
    EXPECT_TRUE(a->IsDockedAtTop());
    EXPECT_TRUE(a->IsDockedHorizontally());
    EXPECT_EQ(1, a->GetDockBarCircle());
    EXPECT_EQ(-1, loose->GetDockBarCircle());

    // the filter needs a kind, a state and a window bit
    CArray<CExtControlBar*, CExtControlBar*> found;
    CExtControlBar::FindBarsByFilter(nullptr, d.pFrame, found, 0x0100);
    EXPECT_EQ(0, found.GetSize());
    CExtControlBar::FindBarsByFilter(nullptr, d.pFrame, found, 0x0FFF);
    EXPECT_EQ(7, found.GetSize());
    CExtControlBar::FindBarsByFilter(nullptr, d.pFrame, found, 0x05FF);
    EXPECT_EQ(6, found.GetSize()) << "all but the hidden bar";
    CExtControlBar::FindBarsByFilter(nullptr, d.pFrame, found, 0x0501 | 0x08);
    ASSERT_EQ(1, found.GetSize());
    EXPECT_EQ(t, found[0]) << "the visible fixed-size bar docked at the top";
    CExtControlBar::FindBarsByFilter(a, d.pFrame, found, 0x0FFF);
    EXPECT_EQ(6, found.GetSize()) << "without the excluded bar";

    // leave a well-formed array for the frame to tear down
    arr.RemoveAll();
    arr.Add(NULL);
    for (CExtControlBar* p : std::vector<CExtControlBar*>{a, b, c, h, e, t}) {
        p->m_pDockBar = nullptr;
        p->SetParent(d.pFrame);
    }
}

// ---- dock bars: rows, layout, circles -----------------------------------------------------------

TEST(DockBar, RowsStackAndWrap) {
    Docking d(CRect(20, 20, 620, 420));
    CExtDockBar* pTop = CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pTop);
    // three rows of 20, 24 and 20 pixels take 64
    SizedToolBar* t1 = d.AddTool(ID_TOOL_FIRST, "T1", CSize(120, 20));
    SizedToolBar* t2 = d.AddTool(ID_TOOL_FIRST + 1, "T2", CSize(150, 24));
    SizedToolBar* t3 = d.AddTool(ID_TOOL_FIRST + 2, "T3", CSize(90, 20));
    for (SizedToolBar* t : {t1, t2, t3})
        pTop->DockControlBar(t);
    d.pFrame->RecalcLayout();
    EXPECT_EQ("T1 | T2 | T3 |", Rows(pTop));
    EXPECT_EQ(64, ChildRect(pTop).Height());
    EXPECT_EQ(CRect(0, 20, 150, 44), ChildRect(t2));

    // the menu bar docked into T1's row gets a row of its own
    SizedMenuBar* pMenu = new SizedMenuBar;
    d.AddTool(ID_MENU_BAR, "Menu", CSize(200, 22), pMenu);
    CRect rc;
    t1->GetWindowRect(&rc);
    rc.OffsetRect(130, 0);
    rc.right = rc.left + 200;
    pTop->DockControlBar(pMenu, &rc);
    EXPECT_EQ("T1 | Menu | T2 | T3 |", Rows(pTop));
    for (int i = 0; i < 8; i++) {
        CString strWhy;
        EXPECT_TRUE(ExtDockRows::IsWellFormed(pTop->m_arrBars, &strWhy)) << (LPCTSTR)strWhy;
    }

    // a tool bar that no longer fits its row goes down into a further row of the outer dock
    // bar; the array keeps it in its row
    t2->m_sizeBar = CSize(300, 24);
    t3->GetWindowRect(&rc);
    t2->GetWindowRect(&rc);
    pTop->RemoveControlBar(t3, -1, 0, false);
    pTop->ScreenToClient(&rc);
    CRect rcT3(rc.right + 10, rc.top, rc.right + 10 + 90, rc.bottom);
    pTop->ClientToScreen(&rcT3);
    pTop->DockControlBar(t3, &rcT3);
    EXPECT_EQ("T1 | Menu | T2 T3 |", Rows(pTop));
    t3->m_sizeBar = CSize(400, 20);
    d.pFrame->RecalcLayout();
    EXPECT_EQ("T1 | Menu | T2 T3 |", Rows(pTop));
    EXPECT_EQ(CRect(0, ChildRect(t2).bottom, 400, ChildRect(t2).bottom + 20), ChildRect(t3));

    // a resizable bar is clipped to its dock bar instead
    CExtDockBar* pInner = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    ColourPanel* p = d.AddPanel(ID_PANEL_FIRST, "P");
    p->m_sizeDockedH = CSize(2000, 60);
    pInner->DockControlBar(p);
    d.pFrame->RecalcLayout();
    CRect rcClient;
    d.pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), ChildRect(p).Width());
    EXPECT_EQ(60, ChildRect(pInner).Height());

    // removing with a placeholder keeps the place; docking again takes it back
    pTop->RemoveControlBar(t1, -1, 1, false);
    EXPECT_EQ("(24833) | Menu | T2 T3 |", Rows(pTop));
    pTop->DockControlBar(t1);
    EXPECT_EQ("Menu | T2 T3 | T1 |", Rows(pTop)) << "the placeholder left with the bar's return";
    // the last bar of a row goes with its row
    pTop->RemoveControlBar(pMenu, -1, 0, false);
    EXPECT_EQ("T2 T3 | T1 |", Rows(pTop));
}

TEST(DockBar, CirclesAreMadeOnDemandAndCompacted) {
    Docking d;
    CExtDockBar* pC3 = d.Dock(AFX_IDW_DOCKBAR_LEFT, 3);
    ASSERT_NE(nullptr, pC3);
    EXPECT_EQ(3u, pC3->GetCircleNo());
    for (UINT nSide : CExtDockBar::g_arrSides) {
        CExtDockBar* p = CExtDockBar::GetOuterDockBar(d.pFrame, nSide);
        for (UINT n = 1; n <= 3; n++) {
            ASSERT_NE(nullptr, p->GetInnerNeighbour());
            EXPECT_EQ(p, p->GetInnerNeighbour()->GetOuterNeighbour());
            p = p->GetInnerNeighbour();
            EXPECT_EQ(n, p->GetCircleNo());
            EXPECT_EQ(p, CExtDockBar::FindFrameDockBar(d.pFrame, n, nSide, false));
        }
        EXPECT_EQ(nullptr, p->GetInnerNeighbour());
    }
    EXPECT_EQ(nullptr, CExtDockBar::FindFrameDockBar(d.pFrame, 4, AFX_IDW_DOCKBAR_TOP, false));
    ColourPanel* pA = d.AddPanel(ID_PANEL_FIRST, "A");
    ColourPanel* pB = d.AddPanel(ID_PANEL_FIRST + 1, "B");
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(pA);
    pC3->DockControlBar(pB);
    d.pFrame->RecalcLayout();

    // circle 2 is empty: it goes, circle 3 becomes circle 2
    CExtDockBar::CompactFrameCircles(d.pFrame);
    EXPECT_EQ(2u, pC3->GetCircleNo());
    EXPECT_EQ(2, pB->GetDockBarCircle());
    EXPECT_EQ(nullptr, CExtDockBar::FindFrameDockBar(d.pFrame, 3, AFX_IDW_DOCKBAR_LEFT, false));
    EXPECT_EQ(pC3, CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_LEFT, false));

    // a new circle inside circle 1 pushes the others in
    CExtDockBar::InsertCircle(d.pFrame, 2);
    EXPECT_EQ(3u, pC3->GetCircleNo());
    EXPECT_TRUE(CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_RIGHT, false)->IsEmpty());

    // an empty circle whose dock bar is locked stays, and the compaction ends
    CExtDockBar* pLocked = CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_BOTTOM, false);
    pLocked->LockLayout(true);
    CExtDockBar::CompactFrameCircles(d.pFrame);
    EXPECT_EQ(pLocked, CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_BOTTOM, false));
    pLocked->LockLayout(false);
    CExtDockBar::CompactFrameCircles(d.pFrame);
    EXPECT_EQ(2u, pC3->GetCircleNo());

    // placeholders keep a circle
    pC3->RemoveControlBar(pB, -1, 0, false);
    pB->SetParent(d.pFrame);
    pC3->m_arrBars.InsertAt(1, ExtDockRows::PlaceholderOf(0x1234));
    pC3->m_arrBars.InsertAt(2, (void*)NULL);
    CExtDockBar::CompactFrameCircles(d.pFrame);
    EXPECT_EQ(pC3, CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_LEFT, false));
    EXPECT_TRUE(pC3->RemovePlaceholder(0x1234, false));
    CExtDockBar::CompactFrameCircles(d.pFrame);
    EXPECT_EQ(nullptr, CExtDockBar::FindFrameDockBar(d.pFrame, 2, AFX_IDW_DOCKBAR_LEFT, false));
}

TEST(DockBar, BarsOutliveTheirDockBar) {
    Docking d;
    CExtDockBar* pInner = d.Dock(AFX_IDW_DOCKBAR_RIGHT, 1);
    ColourPanel* pA = d.AddPanel(ID_PANEL_FIRST, "A");
    ColourPanel* pB = d.AddPanel(ID_PANEL_FIRST + 1, "B");
    pInner->DockControlBar(pA);
    pInner->DockControlBar(pB);
    d.pFrame->RecalcLayout();
    EXPECT_EQ("A | B |", Rows(pInner));
    pInner->DestroyWindow();
    for (ColourPanel* p : {pA, pB}) {
        EXPECT_TRUE(::IsWindow(p->m_hWnd));
        EXPECT_EQ(nullptr, p->m_pDockBar);
        EXPECT_EQ(d.pFrame->m_hWnd, ::GetParent(p->m_hWnd));
    }
}

// ---- visibility, row space, commands ------------------------------------------------------------

TEST(Visibility, AHiddenBarTakesItsRowSpaceBack) {
    Docking d(CRect(20, 20, 640, 480));
    CExtDockBar* pLeft = d.Dock(AFX_IDW_DOCKBAR_LEFT, 1);
    ColourPanel* bars[3];
    for (int i = 0; i < 3; i++) {
        bars[i] = d.AddPanel(ID_PANEL_FIRST + i, std::string(1, (char)('A' + i)).c_str(), kColors[i]);
        bars[i]->m_sizeDockedV = CSize(90, 100 + 20 * i);
        pLeft->DockControlBar(bars[i]);
    }
    // one row (a column here)
    pLeft->m_arrBars.RemoveAll();
    for (void* p : std::vector<void*>{NULL, bars[0], bars[1], bars[2], NULL})
        pLeft->m_arrBars.Add(p);
    EXPECT_EQ("A B C |", Rows(pLeft));
    d.pFrame->RecalcLayout();
    int before[3], sum = 0;
    for (int i = 0; i < 3; i++) {
        before[i] = bars[i]->m_sizeDockedV.cy;
        sum += before[i];
        EXPECT_EQ(before[i], WindowLength(bars[i], false));
    }
    EXPECT_EQ(ChildRect(pLeft).Height(), sum);
    // hide B: the others share the column
    EXPECT_TRUE(CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true));
    EXPECT_FALSE(bars[1]->IsWindowVisible());
    EXPECT_EQ(sum, bars[0]->m_sizeDockedV.cy + bars[2]->m_sizeDockedV.cy);
    // shown again it takes its length back, one pixel from each in turn
    EXPECT_TRUE(CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true));
    EXPECT_TRUE(bars[1]->IsWindowVisible());
    EXPECT_EQ(before[1], bars[1]->m_sizeDockedV.cy);
    EXPECT_EQ(sum, bars[0]->m_sizeDockedV.cy + bars[1]->m_sizeDockedV.cy + bars[2]->m_sizeDockedV.cy);
    for (ColourPanel* p : bars)
        EXPECT_GE(p->m_sizeDockedV.cy, p->GetMinExtentVert());

    // a neighbour near its minimum gives only down to it
    bars[1]->m_sizeDockedV.cy = 300;
    d.pFrame->RecalcLayout();
    const int nOwed = bars[1]->m_sizeDockedV.cy;
    CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true);
    bars[0]->m_sizeDockedV.cy = bars[0]->GetMinExtentVert() + 3;
    bars[2]->m_sizeDockedV.cy = sum - bars[0]->m_sizeDockedV.cy;
    CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true);
    EXPECT_EQ(bars[0]->GetMinExtentVert(), bars[0]->m_sizeDockedV.cy) << "gave its 3 pixels, no more";
    EXPECT_GE(bars[2]->m_sizeDockedV.cy, bars[2]->GetMinExtentVert());
    EXPECT_EQ(nOwed, bars[1]->m_sizeDockedV.cy);
}

TEST(Visibility, CommandsAndCheckMarks) {
    Docking d;
    ColourPanel* pPanel = d.AddPanel(ID_PANEL_FIRST, "Panel");
    d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(pPanel);
    SizedToolBar* pTool = d.AddTool(ID_TOOL_FIRST, "Tools", CSize(80, 24));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(pTool);
    ASSERT_TRUE(d.pFrame->CreateStatusBar());
    d.pFrame->RecalcLayout();

    EXPECT_FALSE(CExtControlBar::ShowHideBarCommand(d.pFrame, 0x6FFF, true)) << "no such bar: routed on";

    // the commands go through the frame's command map; the check mark follows at idle
    struct RecordingCmdUI : CCmdUI {
        int nCheck = -1;
        BOOL bEnabled = FALSE;
        void Enable(BOOL bOn) override {
            bEnabled = bOn;
            m_bEnableChanged = TRUE;
        }
        void SetCheck(int n) override { nCheck = n; }
    };
    auto update = [&](UINT nID) {
        RecordingCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(d.pFrame, FALSE);
        return ui.nCheck;
    };
    for (CExtControlBar* pBar : std::vector<CExtControlBar*>{pPanel, pTool}) {
        const UINT nID = (UINT)pBar->GetDlgCtrlID();
        EXPECT_EQ(1, update(nID));
        d.pFrame->SendMessage(WM_COMMAND, nID);
        EXPECT_FALSE(pBar->IsWindowVisible());
        EXPECT_EQ(0, update(nID));
        d.pFrame->SendMessage(WM_COMMAND, nID);
        EXPECT_TRUE(pBar->IsWindowVisible());
        EXPECT_EQ(1, update(nID));
    }
    // a bar that is not a library bar is toggled by the frame
    EXPECT_TRUE(CExtControlBar::ShowHideBarCommand(d.pFrame, AFX_IDW_STATUS_BAR, true));
    EXPECT_FALSE(d.pFrame->m_status.IsWindowVisible());
    EXPECT_TRUE(CExtControlBar::ShowHideBarCommand(d.pFrame, AFX_IDW_STATUS_BAR, true));
    EXPECT_TRUE(d.pFrame->m_status.IsWindowVisible());

    // without the flag the resizable bar's check mark is left alone; a fixed-mode bar's follows
    RecordingCmdUI ui;
    ui.m_nID = ID_PANEL_FIRST;
    pPanel->UpdateBarVisibilityUI(&ui, false);
    EXPECT_EQ(-1, ui.nCheck);
    EXPECT_TRUE(ui.bEnabled);
    pTool->UpdateBarVisibilityUI(&ui, false);
    EXPECT_EQ(1, ui.nCheck);
    // an id without a bar routes on
    RecordingCmdUI none;
    none.m_nID = 0x6FFF;
    CExtControlBar::ShowHideBarUpdate(d.pFrame, &none, true);
    EXPECT_TRUE(none.m_bContinueRouting);
}

TEST(ControlBar, CloseLeavesTheBarOpenAndItsUpdatesRunning) {
    Docking d;
    ColourPanel* pPanel = d.AddPanel(ID_PANEL_FIRST, "Panel");
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(pPanel);
    d.pFrame->RecalcLayout();
    pPanel->GuardedUpdateCmdUI(FALSE);
    EXPECT_EQ(1, pPanel->m_nUpdates);
    EXPECT_EQ(0, pPanel->SendMessage(WM_CLOSE));
    EXPECT_TRUE(::IsWindow(pPanel->m_hWnd));
    EXPECT_TRUE(pPanel->IsWindowVisible());
    pPanel->GuardedUpdateCmdUI(FALSE);
    EXPECT_EQ(2, pPanel->m_nUpdates) << "WM_CLOSE did not stop the updates";
    CExtControlBar::UpdateChildBarsCmdUI(pPanel->GetParent(), FALSE);
    EXPECT_EQ(3, pPanel->m_nUpdates);
}

TEST(ControlBar, HelpHitTest) {
    Docking d;
    ColourPanel* pPanel = d.AddPanel(ID_PANEL_FIRST, "Panel");
    struct Case {
        int nHit;
        LRESULT expected;
    } cases[] = {{-3, 0}, {-2, -1}, {0, 0x10000}, {7, 0x10007}};
    for (const Case& c : cases) {
        pPanel->m_nHit = c.nHit;
        EXPECT_EQ(c.expected, pPanel->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5))) << c.nHit;
    }
    // no item: the framework's answer, the bar's own help id (no tool under the point)
    pPanel->m_nHit = -1;
    EXPECT_EQ((LRESULT)(HID_BASE_CONTROL + ID_PANEL_FIRST), pPanel->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
}

TEST(Prompts, StatusPaneOrFrameMessage) {
    Docking d;
    ASSERT_TRUE(d.pFrame->CreateStatusBar());
    d.pFrame->RecalcLayout();
    ASSERT_TRUE(g_CmdManager->ProfileSetup("prompts test", d.pFrame->m_hWnd));
    CExtCmdItem* pCmd = g_CmdManager->AllocCommand("prompts test", ID_CMD_PROMPT);
    ASSERT_NE(nullptr, pCmd);
    pCmd->UpdateTextsFromResource();
    ColourPanel* pPanel = d.AddPanel(ID_PANEL_FIRST, "Panel");

    // a known command: its status tip in the pane with id 0, from the frame or from a bar
    for (CWnd* pWnd : std::vector<CWnd*>{d.pFrame, pPanel}) {
        d.pFrame->m_status.SetPaneText(0, "");
        CExtControlBar::ShowCommandPrompt(pWnd, ID_CMD_PROMPT);
        EXPECT_EQ(CString("Opens the log"), d.pFrame->m_status.GetPaneText(0));
    }
    EXPECT_TRUE(d.pFrame->m_messageStrings.empty());
    // the idle prompt always goes to the frame as WM_SETMESSAGESTRING, and so does an unknown id
    CExtControlBar::ShowCommandPrompt(pPanel, AFX_IDS_IDLEMESSAGE);
    CExtControlBar::ShowCommandPrompt(d.pFrame, 0x5999);
    EXPECT_EQ((std::vector<UINT>{AFX_IDS_IDLEMESSAGE, 0x5999}), d.pFrame->m_messageStrings);
    EXPECT_EQ(CString("Opens the log"), d.pFrame->m_status.GetPaneText(0));
    CExtControlBar::ShowCommandPrompt(nullptr, ID_CMD_PROMPT);   // nothing happens
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

// ---- the pictures -------------------------------------------------------------------------------

TEST(Pictures, BarsOnFourSidesInEachLook) {
    Docking d(CRect(0, 0, 640, 480));
    ASSERT_TRUE(d.pFrame->CreateStatusBar());
    // the status bar takes its place first, along the frame's very edge
    d.pFrame->m_status.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    int nColour = 0;
    struct Place {
        UINT nSide, nCircle;
        const char* name;
    } places[] = {
        {AFX_IDW_DOCKBAR_TOP, 1, "Top 1"},     {AFX_IDW_DOCKBAR_LEFT, 1, "Left 1"},
        {AFX_IDW_DOCKBAR_LEFT, 2, "Left 2"},   {AFX_IDW_DOCKBAR_RIGHT, 1, "Right 1"},
        {AFX_IDW_DOCKBAR_BOTTOM, 1, "Bottom 1"}, {AFX_IDW_DOCKBAR_BOTTOM, 2, "Bottom 2"},
    };
    UINT nID = ID_PANEL_FIRST;
    for (const Place& p : places) {
        ColourPanel* pBar = d.AddPanel(nID++, p.name, kColors[nColour++ % 6]);
        pBar->m_sizeDockedH = CSize(200, 50);
        pBar->m_sizeDockedV = CSize(80, 200);
        d.Dock(p.nSide, p.nCircle)->DockControlBar(pBar);
    }
    CExtDockBar* pTop = CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP);
    SizedMenuBar* pMenu = new SizedMenuBar;
    d.AddTool(ID_MENU_BAR, "Menu", CSize(600, 20), pMenu);
    pTop->DockControlBar(pMenu);
    SizedToolBar* t1 = d.AddTool(ID_TOOL_FIRST, "Tools", CSize(160, 24));
    SizedToolBar* t2 = d.AddTool(ID_TOOL_FIRST + 1, "More", CSize(120, 24));
    pTop->DockControlBar(t1);
    CRect rc;
    t1->GetWindowRect(&rc);
    pTop->DockControlBar(t2);
    SizedToolBar* t3 = d.AddTool(ID_TOOL_FIRST + 2, "Side", CSize(100, 26));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_LEFT)->DockControlBar(t3);
    d.pFrame->RecalcLayout();

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
        d.pFrame->RecalcLayout();
        Repaint(d.pFrame);
        CRect rcFrame;
        d.pFrame->GetWindowRect(&rcFrame);
        orvtest::RenderCanvas canvas(rcFrame.Width(), rcFrame.Height());
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, rcFrame.Width(), rcFrame.Height(), hScreen, rcFrame.left, rcFrame.top,
                 SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        EXPECT_TRUE(canvas.Keep(std::string("bars_core_") + look.name, 1));
        // every resizable bar shows its colour where the layout put it
        for (auto& pBar : d.bars) {
            ColourPanel* pPanel = dynamic_cast<ColourPanel*>(pBar.get());
            if (pPanel == nullptr || !pPanel->IsWindowVisible())
                continue;
            CRect rcChild;
            pPanel->m_child.GetWindowRect(&rcChild);
            rcChild.OffsetRect(-rcFrame.left, -rcFrame.top);
            if (orvtest::DisplayDepth() > 8) {
                EXPECT_EQ(pPanel->m_clr, canvas.At(rcChild.CenterPoint().x, rcChild.CenterPoint().y))
                    << look.name;
            }
            EXPECT_GT(rcChild.Width(), 0);
        }
    }
    // rows: the menu bar alone in its row, then the tool bars
    EXPECT_EQ("Menu | Tools | More |", Rows(pTop));
}

// ---- the bars context menu ----------------------------------------------------------------------

namespace {

// The items of a popup as text: names, "-" for separators.
std::string MenuText(const std::vector<CExtPopupMenuTrackRecord::Item>& items) {
    std::string s;
    for (const auto& item : items)
        s += (s.empty() ? "" : " ") + (item.nCmdID == 0 ? std::string("-") : std::string((LPCTSTR)item.strText));
    return s;
}

std::string MenuText(const CExtPopupMenuWnd& popup) {
    std::vector<CExtPopupMenuTrackRecord::Item> items;
    for (int i = 0; i < popup.GetItemCount(); i++)
        items.push_back({popup.GetItemAt(i).m_nCmdID, popup.GetItemAt(i).m_sItemText, false, -1});
    return MenuText(items);
}

}  // namespace

TEST(BarsMenu, ListsBarsWithTextInTwoGroups) {
    Docking d;
    ASSERT_TRUE(g_CmdManager->ProfileSetup("bars menu", d.pFrame->m_hWnd));
    CExtPopupMenuWnd::ResetStandIn();
    CExtDockBar* pInner = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP);
    pInner->DockControlBar(d.AddPanel(ID_PANEL_FIRST, "Panel A"));
    pInner->DockControlBar(d.AddPanel(ID_PANEL_FIRST + 1, "Panel B"));
    pOuter->DockControlBar(d.AddTool(ID_TOOL_FIRST, "Tools", CSize(80, 24)));
    pOuter->DockControlBar(d.AddTool(ID_TOOL_FIRST + 1, NULL, CSize(80, 24)));   // no text: left out
    pOuter->DockControlBar(d.AddTool(ID_TOOL_FIRST + 2, "More", CSize(80, 24)));
    ColourPanel* pQuiet = d.AddPanel(ID_PANEL_FIRST + 2, "Quiet");   // lists itself nowhere
    pQuiet->m_nOptions &= ~CExtControlBar::optInBarsMenu;
    pInner->DockControlBar(pQuiet);
    d.pFrame->RecalcLayout();

    struct Case {
        const char* what;
        std::function<void()> before;
        const char* expected;
    } cases[] = {
        {"resizable bars, one separator, tool bars; never a trailing separator", [] {},
         "Panel A Panel B - Tools More"},
        {"a hidden bar is still listed (it can be shown again)",
         [&] { CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true); },
         "Panel A Panel B - Tools More"},
        {"a bar temporarily hidden is not",
         [&] { d.bars[1]->m_nStateFlags |= CControlBar::tempHide; }, "Panel A - Tools More"},
    };
    for (const Case& c : cases) {
        c.before();
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->CreatePopupMenu(d.pFrame->m_hWnd));
        d.pFrame->m_menuEvents.clear();
        EXPECT_TRUE(CExtControlBar::FillBarsContextMenu(d.pFrame, pPopup, CExtControlBar::eventBarsMenuOfDockBar,
                                                        pInner, WM_CONTEXTMENU, 0));
        EXPECT_EQ(c.expected, MenuText(*pPopup)) << c.what;
        EXPECT_EQ((std::vector<WORD>{0, 0}), d.pFrame->m_menuEvents) << "before and after filling";
        delete pPopup;
    }
    d.bars[1]->m_nStateFlags &= ~CControlBar::tempHide;

    // a frame that builds the menu itself on the first notice gets an empty popup to fill
    d.pFrame->m_bBuildMenuItself = true;
    CExtPopupMenuWnd popup;
    popup.CreatePopupMenu(d.pFrame->m_hWnd);
    CExtControlBar::FillBarsContextMenu(d.pFrame, &popup, 0, pInner, WM_CONTEXTMENU, 0);
    EXPECT_EQ(0, popup.GetItemCount());
    d.pFrame->m_bBuildMenuItself = false;
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

TEST(BarsMenu, ARightClickOnABarOpensItAndItsItemsToggleTheBars) {
    Docking d;
    ASSERT_TRUE(g_CmdManager->ProfileSetup("bars click", d.pFrame->m_hWnd));
    CExtPopupMenuWnd::ResetStandIn();
    ColourPanel* pPanel = d.AddPanel(ID_PANEL_FIRST, "Log");
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(pPanel);
    SizedToolBar* pTool = d.AddTool(ID_TOOL_FIRST, "Tools", CSize(120, 24));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(pTool);
    d.pFrame->RecalcLayout();
    Repaint(d.pFrame);
    const int nLiveBefore = CExtPopupMenuWnd::standIn().nLive;

    // a right click on the bar's window (its child covers the client area)
    ASSERT_TRUE(orvtest::click(orvtest::centreOf(pPanel->m_child.m_hWnd), pPanel->m_child.m_hWnd,
                               orvtest::Button::Right));
    ASSERT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::standIn().tracked.empty(); }));
    const CExtPopupMenuTrackRecord record = CExtPopupMenuWnd::standIn().tracked.back();
    EXPECT_EQ(0x800u, record.nFlags);
    EXPECT_EQ("Log - Tools", MenuText(record.items));
    EXPECT_EQ(CPoint(orvtest::centreOf(pPanel->m_child.m_hWnd)), record.point);
    EXPECT_EQ(nLiveBefore, CExtPopupMenuWnd::standIn().nLive) << "the tracked popup went when it closed";
    EXPECT_EQ((std::vector<WORD>{1, 1}), d.pFrame->m_menuEvents) << "client-area menu, before and after";
    // its items are the bars' show/hide commands
    for (const auto& item : record.items) {
        if (item.nCmdID == 0)
            continue;
        CControlBar* pBar = d.pFrame->GetControlBar(item.nCmdID);
        ASSERT_NE(nullptr, pBar);
        d.pFrame->SendMessage(WM_COMMAND, item.nCmdID);
        EXPECT_FALSE(pBar->IsWindowVisible()) << item.nCmdID;
        d.pFrame->SendMessage(WM_COMMAND, item.nCmdID);
        EXPECT_TRUE(pBar->IsWindowVisible()) << item.nCmdID;
    }

    // no menu in context-help mode (the framework has none: the test sets the flag)
    d.pFrame->m_bHelpMode = TRUE;
    CExtPopupMenuWnd::standIn().tracked.clear();
    pPanel->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)
        ->SendMessage(WM_CONTEXTMENU, (WPARAM)pTool->m_hWnd, MAKELPARAM(50, 50));
    orvtest::pumpWaiting();
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked.empty());
    d.pFrame->m_bHelpMode = FALSE;

    // the dock bar's own menu; a failed tracking deletes the popup
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)
        ->SendMessage(WM_CONTEXTMENU, (WPARAM)pTool->m_hWnd, MAKELPARAM(50, 60));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(CPoint(50, 60), CExtPopupMenuWnd::standIn().tracked[0].point);
    EXPECT_EQ("Log - Tools", MenuText(CExtPopupMenuWnd::standIn().tracked[0].items));
    EXPECT_EQ(nLiveBefore, CExtPopupMenuWnd::standIn().nLive);
    CExtPopupMenuWnd::ResetStandIn();
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

TEST(RowOperations, MinimizeMaximizeAndSingle) {
    Docking d(CRect(20, 20, 620, 420));
    CExtDockBar* pTop = d.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    ColourPanel* a = d.AddPanel(ID_PANEL_FIRST, "A", kColors[0]);
    ColourPanel* b = d.AddPanel(ID_PANEL_FIRST + 1, "B", kColors[1]);
    a->m_sizeDockedH = CSize(200, 60);
    b->m_sizeDockedH = CSize(200, 60);
    pTop->DockControlBar(a);
    pTop->DockControlBar(b);
    pTop->m_arrBars.RemoveAll();
    for (void* p : std::vector<void*>{NULL, a, b, NULL})
        pTop->m_arrBars.Add(p);
    d.pFrame->RecalcLayout();
    const int nSum = a->m_sizeDockedH.cx + b->m_sizeDockedH.cx;
    EXPECT_EQ(ChildRect(pTop).Width(), nSum);
    EXPECT_FALSE(a->IsMinimizedInRow());

    a->MaximizeInRow();
    EXPECT_EQ(b->GetMinExtentHorz(), b->m_sizeDockedH.cx);
    EXPECT_EQ(nSum - b->GetMinExtentHorz(), a->m_sizeDockedH.cx);
    EXPECT_TRUE(b->IsMinimizedInRow());
    EXPECT_TRUE(a->IsOnlyExpandedInRow());
    EXPECT_EQ(ChildRect(b).left, ChildRect(a).right) << "placed side by side";

    a->MinimizeInRow();
    EXPECT_TRUE(a->IsMinimizedInRow());
    EXPECT_EQ(nSum, a->m_sizeDockedH.cx + b->m_sizeDockedH.cx);
    EXPECT_FALSE(a->IsSingleInRow(false, false));

    // alone in its row: maximising changes nothing
    a->MakeSingleInRow();
    EXPECT_EQ("A | B |", Rows(pTop));
    EXPECT_TRUE(a->IsSingleInRow(true, false));
    const CSize sizeA = a->m_sizeDockedH;
    a->MaximizeInRow();
    EXPECT_EQ(sizeA, a->m_sizeDockedH);
    EXPECT_EQ(ChildRect(pTop).Width(), ChildRect(a).Width()) << "a bar alone takes the whole row";

    // a hidden bar is shown again when it is to be seen
    CExtControlBar::ShowHideBarCommand(d.pFrame, ID_PANEL_FIRST + 1, true);
    EXPECT_FALSE(b->IsWindowVisible());
    EXPECT_TRUE(b->EnsureBarVisible());
    EXPECT_TRUE(b->IsWindowVisible());
}
