// Control bars and docking under Xvfb: the dock bars' rows after each docking operation, the
// layout's sizes read back, floating and docking back, delayed showing and hiding at idle, the
// dock state saved to a file and a frame rebuilt from it, damaged dock-state files refused,
// the status bar.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "DockingFixture.h"
#include "docking_test_resources.h"
#include <CMemFile.h>
#include <commctrl.h>
#include <functional>
#include <map>
#include <memory>

using namespace docktest;

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

enum : UINT { ID_A = 0x101, ID_B, ID_C, ID_D, ID_TOOLS = 0x201, ID_NAV, ID_LOG, ID_PANEL, ID_INDICATOR = 0x301 };

const COLORREF kColors[] = {RGB(200, 60, 60), RGB(60, 160, 60), RGB(60, 90, 200), RGB(210, 170, 40)};

CDockBar* DockBar(CFrameWnd* pFrame, UINT nID)
{
    return DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(nID));
}

// Makes a bar of the frame, named, docking anywhere.
template <class Bar>
Bar* AddBar(CFrameWnd* pFrame, std::vector<std::unique_ptr<CFixedBar>>& bars, Bar* pBar, UINT nID, const char* name,
            DWORD dwStyle = CBRS_TOP)
{
    bars.emplace_back(pBar);
    EXPECT_TRUE(pBar->Create(pFrame, dwStyle, nID));
    pBar->SetWindowText(name);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

void Repaint(CWnd* pWnd)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// A test's frame and bars; the bars are the frame's (not self-deleting) and outlive its window.
struct Docking {
    CDockFrame* pFrame = nullptr;
    HWND hWndFrame = NULL;
    std::vector<std::unique_ptr<CFixedBar>> bars;

    explicit Docking(const CRect& rect = CRect(40, 40, 640, 440))
    {
        App();
        pFrame = new CDockFrame;
        EXPECT_TRUE(pFrame->CreateAt(rect));
        hWndFrame = pFrame->m_hWnd;
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }
    ~Docking()
    {
        if (::IsWindow(hWndFrame))
            pFrame->DestroyWindow();
        for (auto& pBar : bars)
            EXPECT_EQ(nullptr, pBar->m_pDockSite) << "the frame let its bars know it went";
    }
};

}  // namespace

// Each docking operation leaves rows as the table says: NULL at both ends, no empty row, every
// bar in one place, and the bar pointing back at its dock bar.
TEST(DockBar, RowsAfterEachDockingOperation)
{
    Docking d;
    CFrameWnd* pFrame = d.pFrame;
    CFixedBar* pA = AddBar(pFrame, d.bars, new CFixedBar(80, 20, kColors[0]), ID_A, "A");
    CFixedBar* pB = AddBar(pFrame, d.bars, new CFixedBar(80, 20, kColors[1]), ID_B, "B");
    CFixedBar* pC = AddBar(pFrame, d.bars, new CFixedBar(80, 20, kColors[2]), ID_C, "C");
    CFixedBar* pD = AddBar(pFrame, d.bars, new CFixedBar(80, 20, kColors[3]), ID_D, "D");
    CDockBar* pTop = DockBar(pFrame, AFX_IDW_DOCKBAR_TOP);
    CDockBar* pLeft = DockBar(pFrame, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pTop);
    ASSERT_NE(nullptr, pLeft);
    EXPECT_EQ("", Rows(pTop, pFrame));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(pTop, DockBar(pFrame, AFX_IDW_DOCKBAR_TOP)) << "enabled twice: the same dock bars";
    EXPECT_EQ(pLeft, DockBar(pFrame, AFX_IDW_DOCKBAR_LEFT));

    struct Step {
        const char* what;
        std::function<void()> act;
        const char* top;
        const char* left;
    };
    auto at = [](CWnd* pWnd, int dx, int dy) {
        CRect rect = ScreenRect(pWnd);
        rect.OffsetRect(dx, dy);
        return rect;
    };
    const Step steps[] = {
        {"A docks on top", [&] { pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP); }, "A |", ""},
        {"B docks on top: a new row", [&] { pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_TOP); }, "A | B |", ""},
        {"C docks in A's row, to its right",
         [&] {
             CRect rect = at(pA, 120, 0);
             pFrame->DockControlBar(pC, AFX_IDW_DOCKBAR_TOP, &rect);
         },
         "A C | B |", ""},
        {"D docks in A's row, before it",
         [&] {
             CRect rect = at(pA, -30, 0);
             pFrame->DockControlBar(pD, AFX_IDW_DOCKBAR_TOP, &rect);
         },
         "D A C | B |", ""},
        {"C floats: a placeholder keeps its place", [&] { pC->m_pDockContext->ToggleDocking(); }, "D A (C) | B |", ""},
        {"C docks back into its place", [&] { pC->m_pDockContext->ToggleDocking(); }, "D A C | B |", ""},
        {"B moves to the left side: its row goes", [&] { pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_LEFT); },
         "D A C |", "B |"},
        {"A docks above the first row: a new first row",
         [&] {
             CRect rect = at(pA, 0, -40);
             pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP, &rect);
         },
         "A | D C |", "B |"},
        {"A moves within the top side, behind C",
         [&] {
             CRect rect = at(pC, 90, 0);
             pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP, &rect);
         },
         "D C A |", "B |"},
        {"D floats and docks on the left below B",
         [&] {
             pFrame->FloatControlBar(pD, CPoint(300, 300));
             CRect rect = at(pB, 0, 60);
             pFrame->DockControlBar(pD, AFX_IDW_DOCKBAR_LEFT, &rect);
         },
         "(D) C A |", "B D |"},
        {"C's window goes: it leaves its row", [&] { pC->DestroyWindow(); }, "(D) A |", "B D |"},
    };
    for (const Step& step : steps) {
        step.act();
        pFrame->RecalcLayout();
        EXPECT_EQ(step.top, Rows(pTop, pFrame)) << step.what;
        EXPECT_EQ(step.left, Rows(pLeft, pFrame)) << step.what;
    }
    // the floating C of the fifth step lived in a mini frame of its own, gone with its last bar
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    int nFloating = 0;
    while (pos != nullptr) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        nFloating += pBar->IsDockBar() && pBar->IsFloating();
    }
    EXPECT_EQ(0, nFloating);
}

// Self-deleting bars destroyed in any order leave the frame's list, their rows and the dock
// state exact; a mini frame left without a bar hides at the next idle.
TEST(ControlBar, BarsGoInAnyOrderAndLeaveNothingBehind)
{
    const char* orders[] = {"ABC", "CBA", "BCA"};
    for (const char* order : orders) {
        SCOPED_TRACE(order);
        Docking d;
        CFrameWnd* pFrame = d.pFrame;
        App().m_pMainWnd = pFrame;
        std::map<char, CFixedBar*> bars;
        const char* names[] = {"A", "B", "C"};
        for (int i = 0; i < 3; i++) {
            auto* pBar = new CFixedBar(70, 20, kColors[i]);
            pBar->m_bAutoDelete = TRUE;
            ASSERT_TRUE(pBar->Create(pFrame, CBRS_TOP, ID_A + i));
            pBar->SetWindowText(names[i]);
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
            bars[names[i][0]] = pBar;
        }
        pFrame->FloatControlBar(bars['C'], CPoint(350, 300));
        CFrameWnd* pMini = bars['C']->GetParentFrame();
        CDockBar* pTop = DockBar(pFrame, AFX_IDW_DOCKBAR_TOP);
        std::string left = "ABC";
        for (const char* p = order; *p != '\0'; p++) {
            UINT nID = (UINT)bars[*p]->GetDlgCtrlID();
            bars[*p]->DestroyWindow();  // deletes the bar
            left.erase(left.find(*p), 1);
            EXPECT_EQ(nullptr, pFrame->GetControlBar(nID));
            std::string listed;
            POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
            while (pos != nullptr) {
                auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
                if (!pBar->IsDockBar()) {
                    CString strName;
                    pBar->GetWindowText(strName);
                    listed += strName;
                }
            }
            EXPECT_EQ(left, listed) << "after " << *p;
            std::string rows;
            for (char c : left)
                rows += c == 'C' ? "" : std::string(1, c) + " | ";
            rows += left.find('C') == std::string::npos ? "" : "(C) |";
            while (!rows.empty() && rows.back() == ' ')
                rows.pop_back();
            EXPECT_EQ(rows, Rows(pTop, pFrame)) << "after " << *p;
            StoredForm(pFrame);  // every bar still listed can say where it is
        }
        App().OnIdle(0);
        EXPECT_FALSE(pMini->IsWindowVisible()) << "no bar left in it";
        App().m_pMainWnd = nullptr;
    }
}

// The frame gives each side what its rows take and the view exactly the rest; bars keep their
// place along a row and the row is as thick as its thickest bar. A resizable bar's new size
// shows at the next layout.
TEST(Layout, SizesReadBack)
{
    Docking d;
    CFrameWnd* pFrame = d.pFrame;
    CFixedBar* pTools = AddBar(pFrame, d.bars, new CFixedBar(200, 24, kColors[0]), ID_TOOLS, "Tools");
    CFixedBar* pTools2 = AddBar(pFrame, d.bars, new CFixedBar(100, 30, kColors[3]), ID_A, "More");
    CFixedBar* pNav = AddBar(pFrame, d.bars, new CFixedBar(150, 30, kColors[1]), ID_NAV, "Nav");
    auto* pLog = AddBar(pFrame, d.bars, new CSizingBar(CSize(250, 60), CSize(60, 250), CSize(200, 80), kColors[2]),
                        ID_LOG, "Log", CBRS_BOTTOM | CBRS_SIZE_DYNAMIC);
    auto* pPanel = AddBar(pFrame, d.bars, new CSizingBar(CSize(120, 80), CSize(80, 120), CSize(100, 100), kColors[3]),
                          ID_PANEL, "Panel", CBRS_RIGHT | CBRS_SIZE_DYNAMIC);
    pFrame->DockControlBar(pTools, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    CRect rectMore = ScreenRect(pTools);
    rectMore.OffsetRect(240, 0);
    pFrame->DockControlBar(pTools2, AFX_IDW_DOCKBAR_TOP, &rectMore);
    pFrame->DockControlBar(pNav, AFX_IDW_DOCKBAR_LEFT);
    pFrame->DockControlBar(pLog, AFX_IDW_DOCKBAR_BOTTOM);
    pFrame->DockControlBar(pPanel, AFX_IDW_DOCKBAR_RIGHT);

    struct Case {
        CSize frame;
        CSize log, panel;  // the resizable bars' docked sizes
    };
    const Case cases[] = {
        {CSize(600, 400), CSize(250, 60), CSize(80, 120)},
        {CSize(700, 500), CSize(300, 90), CSize(100, 50)},
        {CSize(520, 380), CSize(420, 40), CSize(64, 200)},
    };
    for (const Case& c : cases) {
        pLog->m_sizeHorz = c.log;
        pPanel->m_sizeVert = c.panel;
        pFrame->SetWindowPos(NULL, 0, 0, c.frame.cx, c.frame.cy, SWP_NOMOVE | SWP_NOZORDER);
        pFrame->RecalcLayout();
        CRect client;
        pFrame->GetClientRect(&client);
        const int w = client.right, h = client.bottom;
        SCOPED_TRACE(testing::Message() << c.frame.cx << "x" << c.frame.cy);
        // top: one row, as thick as its thicker bar; the second bar stays where it was put
        EXPECT_EQ(CRect(0, 0, w, 30), ChildRect(DockBar(pFrame, AFX_IDW_DOCKBAR_TOP)));
        EXPECT_EQ(CRect(0, 0, 200, 24), ChildRect(pTools));
        EXPECT_EQ(CRect(240, 0, 340, 30), ChildRect(pTools2));
        // the sides in the order they were made: top, bottom, left, right
        EXPECT_EQ(CRect(0, h - c.log.cy, w, h), ChildRect(DockBar(pFrame, AFX_IDW_DOCKBAR_BOTTOM)));
        EXPECT_EQ(CRect(0, 0, c.log.cx, c.log.cy), ChildRect(pLog));
        EXPECT_EQ(CRect(0, 30, 30, h - c.log.cy), ChildRect(DockBar(pFrame, AFX_IDW_DOCKBAR_LEFT)));
        EXPECT_EQ(CRect(0, 0, 30, 150), ChildRect(pNav));
        EXPECT_EQ(CRect(w - c.panel.cx, 30, w, h - c.log.cy), ChildRect(DockBar(pFrame, AFX_IDW_DOCKBAR_RIGHT)));
        EXPECT_EQ(CRect(0, 0, c.panel.cx, c.panel.cy), ChildRect(pPanel));
        EXPECT_EQ(CRect(30, 30, w - c.panel.cx, h - c.log.cy), ChildRect(d.pFrame->m_pView));
    }
    // a bar pushed by the one before it: Tools grows into More's place
    pTools->m_nLength = 300;
    pFrame->RecalcLayout();
    EXPECT_EQ(CRect(300, 0, 400, 30), ChildRect(pTools2));
    Repaint(pFrame);
    orvtest::screenshot("framework_docking_layout");
}

// ToggleDocking floats a docked bar in a mini frame and puts it back exactly where it was;
// the mini frame goes with its last bar.
TEST(DockContext, ToggleDockingReturnsToTheLastRectangle)
{
    Docking d;
    CFrameWnd* pFrame = d.pFrame;
    CFixedBar* pFirst = AddBar(pFrame, d.bars, new CFixedBar(100, 24, kColors[0]), ID_A, "First");
    CFixedBar* pLeftBar = AddBar(pFrame, d.bars, new CFixedBar(120, 28, kColors[1]), ID_B, "Left");
    CFixedBar* pMoved = AddBar(pFrame, d.bars, new CFixedBar(90, 24, kColors[2]), ID_C, "Moved");
    auto* pSizing = AddBar(pFrame, d.bars, new CSizingBar(CSize(200, 50), CSize(70, 160), CSize(150, 90), kColors[3]),
                           ID_D, "Sizing", CBRS_LEFT | CBRS_SIZE_DYNAMIC);
    pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(pLeftBar, AFX_IDW_DOCKBAR_LEFT);
    pFrame->RecalcLayout();
    CRect rect = ScreenRect(pFirst);
    rect.OffsetRect(150, 0);
    pFrame->DockControlBar(pMoved, AFX_IDW_DOCKBAR_TOP, &rect);  // in the row, with a gap before it
    rect = ScreenRect(pLeftBar);
    rect.OffsetRect(40, 0);
    pFrame->DockControlBar(pSizing, AFX_IDW_DOCKBAR_LEFT, &rect);  // a second column
    pFrame->RecalcLayout();

    struct Case {
        CControlBar* pBar;
        UINT nSide;
        const char* rowsDocked;
        const char* rowsFloating;
    };
    const Case cases[] = {
        {pMoved, AFX_IDW_DOCKBAR_TOP, "First Moved |", "First (Moved) |"},
        {pSizing, AFX_IDW_DOCKBAR_LEFT, "Left | Sizing |", "Left | (Sizing) |"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rowsDocked);
        CDockBar* pSide = DockBar(pFrame, c.nSide);
        CRect rectDocked = ScreenRect(c.pBar);
        EXPECT_EQ(c.rowsDocked, Rows(pSide, pFrame));

        c.pBar->m_pDockContext->ToggleDocking();
        ASSERT_TRUE(c.pBar->IsFloating());
        auto* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, c.pBar->GetParentFrame());
        ASSERT_NE(nullptr, pMini);
        HWND hWndMini = pMini->m_hWnd;
        EXPECT_TRUE(pMini->IsWindowVisible());
        EXPECT_EQ(pMini->GetDockBar(), c.pBar->m_pDockBar);
        EXPECT_EQ(1, pMini->GetDockBar()->GetDockedCount());
        EXPECT_EQ(pFrame, c.pBar->GetDockingFrame()->GetParent()) << "the mini frame is the dock site's";
        EXPECT_EQ(c.nSide, c.pBar->m_pDockContext->m_uMRUDockID);
        EXPECT_EQ(rectDocked, c.pBar->m_pDockContext->m_rectMRUDockPos);
        EXPECT_EQ(c.rowsFloating, Rows(pSide, pFrame));
        // a resizable bar floats at its floating size; the mini frame fits it
        CSize sizeFloat = (c.pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? CSize(150, 90) : CSize(90, 24);
        EXPECT_EQ(sizeFloat, ScreenRect(c.pBar).Size());
        CRect client;
        pMini->GetClientRect(&client);
        EXPECT_EQ(sizeFloat, client.Size());
        Repaint(pMini);
        if (c.pBar == pMoved)
            orvtest::screenshot("framework_docking_toggled");

        c.pBar->m_pDockContext->ToggleDocking();
        EXPECT_FALSE(c.pBar->IsFloating());
        EXPECT_EQ(pSide, c.pBar->m_pDockBar);
        EXPECT_EQ(rectDocked, ScreenRect(c.pBar));
        EXPECT_EQ(c.rowsDocked, Rows(pSide, pFrame));
        EXPECT_FALSE(::IsWindow(hWndMini)) << "the emptied mini frame went";
    }
    // floating again goes back to where it floated last
    CPoint ptLast = pMoved->m_pDockContext->m_ptMRUFloatPos;
    pMoved->m_pDockContext->ToggleDocking();
    EXPECT_EQ(ptLast, ScreenRect(pMoved->GetParentFrame()).TopLeft());
}

// The dock context's own drag and resize (for bars that do not move or size themselves),
// driven by real input while its loop runs: a drag moves a floating bar's mini frame by what the
// mouse moved and floats a docked bar moved by as much; a resize from a floating bar's right
// border gives it the new floating width; Esc and the right button cancel; a docked bar is never
// resized by it.
TEST(DockContext, StartDragAndStartResizeFollowTheMouse)
{
    Docking d;
    CFrameWnd* pFrame = d.pFrame;
    CFixedBar* pFixed = AddBar(pFrame, d.bars, new CFixedBar(100, 24, kColors[0]), ID_A, "Fixed");
    auto* pSizing = AddBar(pFrame, d.bars, new CSizingBar(CSize(200, 50), CSize(70, 160), CSize(150, 90), kColors[1]),
                           ID_B, "Sizing", CBRS_TOP | CBRS_SIZE_DYNAMIC);
    pFrame->DockControlBar(pFixed, AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(pSizing, AFX_IDW_DOCKBAR_BOTTOM);
    pFrame->RecalcLayout();

    auto mouse = [](CPoint pt, DWORD dwFlags) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &in, sizeof in);
    };
    auto key = [](WORD vk, bool bUp) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &in, sizeof in);
    };
    // Runs gesture (the dock context's loop) while a script presses at from, moves to to and ends
    // with a release there (or with the cancel given).
    auto run = [&](CControlBar* pBar, CPoint from, CPoint to, const char* cancel, const std::function<BOOL()>& gesture) {
        ::SetCursorPos(from.x, from.y);
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
            {"captured", [&] { return ::GetCapture() == pBar->m_hWnd; }},
            {"press", [&] { mouse(from, MOUSEEVENTF_LEFTDOWN); return true; }},
            {"move", [&] { mouse(to, 0); return true; }},
            {"end", [&] {
                 if (cancel == nullptr)
                     mouse(to, MOUSEEVENTF_LEFTUP);
                 else if (std::string(cancel) == "Esc")
                     key(VK_ESCAPE, false);
                 else
                     mouse(to, MOUSEEVENTF_RIGHTDOWN);
                 return true;
             }},
            {"released", [&] { return ::GetCapture() != pBar->m_hWnd; }},
            {"let go", [&] {
                 if (cancel != nullptr) {
                     if (std::string(cancel) == "Esc")
                         key(VK_ESCAPE, true);
                     else
                         mouse(to, MOUSEEVENTF_RIGHTUP);
                     mouse(to, MOUSEEVENTF_LEFTUP);
                 }
                 return true;
             }},
            {"buttons up", [] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0 && (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0; }},
        };
        orvtest::Script script(steps, 10000);
        const BOOL bResult = gesture();
        EXPECT_TRUE(script.run()) << script.failure;
        orvtest::pumpWaiting();
        return bResult;
    };

    // a docked bar dragged floats, moved by what the mouse moved
    CRect rcDocked = ScreenRect(pFixed);
    CPoint from = rcDocked.CenterPoint();
    EXPECT_TRUE(run(pFixed, from, from + CPoint(60, 120), nullptr, [&] { return pFixed->m_pDockContext->StartDrag(from); }));
    ASSERT_TRUE(pFixed->IsFloating());
    CWnd* pMini = pFixed->GetParentFrame();
    EXPECT_EQ(rcDocked.TopLeft() + CPoint(60, 120), ScreenRect(pMini).TopLeft());
    // a floating bar dragged moves its mini frame
    CRect rcMini = ScreenRect(pMini);
    from = ScreenRect(pFixed).CenterPoint();
    EXPECT_TRUE(run(pFixed, from, from + CPoint(-30, 25), nullptr, [&] { return pFixed->m_pDockContext->StartDrag(from); }));
    EXPECT_EQ(pMini, pFixed->GetParentFrame()) << "alone in its frame: the frame moves";
    EXPECT_EQ(rcMini.TopLeft() + CPoint(-30, 25), ScreenRect(pMini).TopLeft());
    // the cancels leave it where it was
    for (const char* cancel : {"Esc", "right button"}) {
        rcMini = ScreenRect(pMini);
        from = ScreenRect(pFixed).CenterPoint();
        EXPECT_FALSE(run(pFixed, from, from + CPoint(40, 40), cancel, [&] { return pFixed->m_pDockContext->StartDrag(from); }))
            << cancel;
        EXPECT_EQ(rcMini, ScreenRect(pMini)) << cancel;
    }

    // a resize from a floating bar's right border gives it the new floating width
    CPoint ptDocked = ScreenRect(pSizing).CenterPoint();
    EXPECT_FALSE(pSizing->m_pDockContext->StartResize(HTRIGHT, ptDocked)) << "not for a docked bar";
    EXPECT_EQ(CSize(150, 90), pSizing->m_sizeFloat);
    pFrame->FloatControlBar(pSizing, CPoint(200, 150));
    pFrame->RecalcLayout();
    ASSERT_TRUE(pSizing->IsFloating());
    CRect rcBar = ScreenRect(pSizing);
    from = CPoint(rcBar.right - 1, rcBar.CenterPoint().y);
    EXPECT_TRUE(run(pSizing, from, from + CPoint(40, 0), nullptr,
                    [&] { return pSizing->m_pDockContext->StartResize(HTRIGHT, from); }));
    EXPECT_EQ(CSize(190, 90), pSizing->m_sizeFloat);
    EXPECT_EQ(CSize(190, 90), ScreenRect(pSizing).Size()) << "its mini frame laid it out";
    rcBar = ScreenRect(pSizing);
    from = CPoint(rcBar.CenterPoint().x, rcBar.bottom - 1);
    EXPECT_FALSE(run(pSizing, from, from + CPoint(0, 30), "Esc",
                     [&] { return pSizing->m_pDockContext->StartResize(HTBOTTOM, from); }));
    EXPECT_EQ(CSize(190, 90), pSizing->m_sizeFloat);
}

// ShowControlBar(..., TRUE) changes nothing until the next idle, where the frame lays out and
// the bar hides or shows; a floating bar's mini frame hides and shows with it. Visible bars
// update their command states at idle against the frame that docks them.
TEST(ControlBar, DelayedShowAndHideHappenAtTheNextIdle)
{
    Docking d;
    CFrameWnd* pFrame = d.pFrame;
    App().m_pMainWnd = pFrame;
    CFixedBar* pTop = AddBar(pFrame, d.bars, new CFixedBar(200, 26, kColors[0]), ID_A, "Top");
    CFixedBar* pFloat = AddBar(pFrame, d.bars, new CFixedBar(120, 30, kColors[1]), ID_B, "Floating");
    pFrame->DockControlBar(pTop, AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(pFloat, AFX_IDW_DOCKBAR_TOP);
    pFrame->FloatControlBar(pFloat, CPoint(420, 300));
    pFrame->RecalcLayout();
    CWnd* pMini = pFloat->GetParentFrame();
    ASSERT_NE(pFrame, pMini);
    ASSERT_TRUE(pMini->IsWindowVisible());

    pTop->m_nUpdates = pFloat->m_nUpdates = 0;
    App().OnIdle(0);
    EXPECT_EQ(1, pTop->m_nUpdates);
    EXPECT_EQ(pFrame, pTop->m_pLastTarget);
    EXPECT_EQ(1, pFloat->m_nUpdates);
    EXPECT_EQ(pFrame, pFloat->m_pLastTarget) << "a floating bar's commands are still the frame's";

    struct Case {
        const char* what;
        BOOL bShow;
        int nViewTop;  // where the view starts once the top bar shows or hides
    };
    const Case cases[] = {{"hide", FALSE, 0}, {"show", TRUE, 26}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRect rectView = ChildRect(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
        pFrame->ShowControlBar(pTop, c.bShow, TRUE);
        pFrame->ShowControlBar(pFloat, c.bShow, TRUE);
        // not yet: only the flags say what is coming
        EXPECT_EQ(!c.bShow, !!pTop->IsWindowVisible());
        EXPECT_EQ(c.bShow, pTop->IsVisible());
        EXPECT_EQ(c.bShow ? CControlBar::delayShow : CControlBar::delayHide, pTop->m_nStateFlags);
        EXPECT_EQ(rectView, ChildRect(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)));
        EXPECT_TRUE(pMini->IsWindowVisible());

        App().OnIdle(0);
        EXPECT_EQ(c.bShow, !!pTop->IsWindowVisible());
        EXPECT_EQ(0u, pTop->m_nStateFlags);
        EXPECT_EQ(c.nViewTop, ChildRect(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)).top);
        EXPECT_EQ(c.bShow, !!pFloat->IsWindowVisible());
        EXPECT_EQ(c.bShow, !!pMini->IsWindowVisible());
    }
    // closing the mini frame hides its bar and keeps both for showing again
    pMini->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pMini->m_hWnd));
    EXPECT_FALSE(pMini->IsWindowVisible());
    EXPECT_FALSE(pFloat->IsWindowVisible());
    pFrame->ShowControlBar(pFloat, TRUE, FALSE);
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(pFloat->IsWindowVisible());
    App().m_pMainWnd = nullptr;
}

namespace {

// A bar holding a button, as tool bars and panels hold controls.
class CButtonBar : public CFixedBar {
public:
    CButtonBar() : CFixedBar(120, 30, RGB(200, 200, 200)) {}
    // The bar in pFrame, docking anywhere, with a button nButtonID.
    BOOL CreateWithButton(CFrameWnd* pFrame, DWORD dwStyle, UINT nButtonID)
    {
        if (!Create(pFrame, dwStyle, ID_A))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        return button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(4, 4, 60, 26), this, nButtonID);
    }
    CButton button;
};

class CCommandFrame : public CDockFrame {
public:
    int nClicks = 0;

protected:
    afx_msg void OnClicked() { nClicks++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandFrame, CDockFrame)
    ON_BN_CLICKED(ID_INDICATOR, OnClicked)
END_MESSAGE_MAP()

}  // namespace

// What a bar's control tells its parent goes on to the frame, docked or floating.
TEST(ControlBar, ItsControlsReachTheFrameDockedAndFloating)
{
    App();
    auto* pFrame = new CCommandFrame;
    ASSERT_TRUE(pFrame->CreateAt(CRect(50, 50, 450, 350), "Commands"));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CButtonBar bar;
    ASSERT_TRUE(bar.CreateWithButton(pFrame, CBRS_TOP, ID_INDICATOR));
    pFrame->DockControlBar(&bar);
    EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, bar.m_pDockBar->GetDlgCtrlID()) << "the first side the bar allows";
    pFrame->RecalcLayout();
    bar.button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, pFrame->nClicks);
    pFrame->FloatControlBar(&bar, CPoint(300, 300));
    ASSERT_TRUE(bar.IsFloating());
    bar.button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, pFrame->nClicks);
    pFrame->DestroyWindow();
    EXPECT_EQ(nullptr, bar.m_pDockSite);
}

namespace {

// The demo's frame: two fixed bars (top, left) and two resizable ones (bottom, right).
struct DemoFrame : Docking {
    CFixedBar* pTools;
    CFixedBar* pNav;
    CSizingBar* pLog;
    CSizingBar* pPanel;

    DemoFrame() : Docking(CRect(30, 30, 630, 450))
    {
        pTools = AddBar(pFrame, bars, new CFixedBar(220, 26, kColors[0]), ID_TOOLS, "Tools");
        pNav = AddBar(pFrame, bars, new CFixedBar(160, 32, kColors[1]), ID_NAV, "Nav", CBRS_LEFT);
        pLog = AddBar(pFrame, bars, new CSizingBar(CSize(300, 70), CSize(70, 200), CSize(220, 90), kColors[2]),
                      ID_LOG, "Log", CBRS_BOTTOM | CBRS_SIZE_DYNAMIC);
        pPanel = AddBar(pFrame, bars, new CSizingBar(CSize(200, 60), CSize(110, 180), CSize(160, 120), kColors[3]),
                        ID_PANEL, "Panel", CBRS_RIGHT | CBRS_SIZE_DYNAMIC);
        pFrame->DockControlBar(pTools, AFX_IDW_DOCKBAR_TOP);
        pFrame->DockControlBar(pNav, AFX_IDW_DOCKBAR_LEFT);
        pFrame->DockControlBar(pLog, AFX_IDW_DOCKBAR_BOTTOM);
        pFrame->DockControlBar(pPanel, AFX_IDW_DOCKBAR_RIGHT);
        pFrame->RecalcLayout();
    }
};

std::string TempFile(const char* name)
{
    return orvtest::makeScratchFolder("docking") + "\\" + name;
}

}  // namespace

// The delivered demo: a frame with two fixed and two resizable bars on four sides; the right
// panel floats into a mini frame and is docked back by code; then the tools float, the layout
// goes to a file, and a new frame with the same bars, made from that file, has every bar in the
// same place and size, and saves the same bytes.
TEST(DockState, DemoFrameIsRebuiltFromItsSavedLayout)
{
    std::string placement, stored, path = TempFile("layout.dock");
    {
        DemoFrame demo;
        Repaint(demo.pFrame);
        orvtest::screenshot("framework_docking_demo_docked");
        CRect rectPanel = ScreenRect(demo.pPanel);
        demo.pFrame->FloatControlBar(demo.pPanel, CPoint(rectPanel.left - 200, rectPanel.top + 60));
        ASSERT_TRUE(demo.pPanel->IsFloating());
        EXPECT_EQ(CSize(160, 120), ScreenRect(demo.pPanel).Size());
        Repaint(demo.pFrame);
        Repaint(demo.pPanel->GetParentFrame());
        orvtest::screenshot("framework_docking_demo_floating");
        demo.pPanel->m_pDockContext->ToggleDocking();
        EXPECT_EQ(rectPanel, ScreenRect(demo.pPanel)) << "docked back where it was";

        // the layout to keep: the tools float, the log is taller, the nav hidden
        demo.pFrame->FloatControlBar(demo.pTools, CPoint(400, 380));
        demo.pLog->m_sizeHorz = CSize(300, 110);
        demo.pFrame->ShowControlBar(demo.pNav, FALSE, FALSE);
        demo.pFrame->RecalcLayout();
        Repaint(demo.pFrame);
        orvtest::screenshot("framework_docking_demo_saved");
        CDockState state;
        demo.pFrame->GetDockState(state);
        ASSERT_TRUE(state.SaveToFile(path.c_str()));
        placement = Placement(demo.pFrame);
        stored = StoredForm(state);
        EXPECT_NE(std::string::npos, placement.find("Tools in 59423 shown")) << placement;  // the floating dock bar
    }
    EXPECT_EQ(stored, orvtest::readFile(path));

    DemoFrame rebuilt;
    rebuilt.pLog->m_sizeHorz = CSize(300, 110);  // the bars' own sizes are theirs to keep
    CDockState state;
    ASSERT_TRUE(state.LoadFromFile(path.c_str()));
    ASSERT_TRUE(rebuilt.pFrame->SetDockState(state));
    EXPECT_EQ(placement, Placement(rebuilt.pFrame));
    EXPECT_EQ(stored, StoredForm(rebuilt.pFrame)) << "save, load, save: the same bytes";
    Repaint(rebuilt.pFrame);
    Repaint(rebuilt.pTools->GetParentFrame());
    orvtest::screenshot("framework_docking_demo_rebuilt");

    // and back to the first layout's docked form: the floating frame goes
    DemoFrame fresh;
    CDockState stateDocked;
    fresh.pFrame->GetDockState(stateDocked);
    HWND hWndMini = rebuilt.pTools->GetParentFrame()->m_hWnd;
    ASSERT_TRUE(rebuilt.pFrame->SetDockState(stateDocked));
    EXPECT_FALSE(::IsWindow(hWndMini));
    EXPECT_EQ(ChildRect(fresh.pTools), ChildRect(rebuilt.pTools));
    EXPECT_TRUE(rebuilt.pNav->IsWindowVisible());
}

namespace {

// Offsets of the fields of the stored form (the layout in framework/README.md).
struct StoredEntry {
    size_t id, flags, count, ids;
    DWORD nIDs;
};

DWORD ReadDword(const std::string& bytes, size_t at)
{
    DWORD dw;
    memcpy(&dw, bytes.data() + at, 4);
    return dw;
}

void WriteDword(std::string& bytes, size_t at, DWORD dw)
{
    memcpy(&bytes[at], &dw, 4);
}

std::vector<StoredEntry> Entries(const std::string& bytes)
{
    std::vector<StoredEntry> entries;
    size_t at = 12;
    for (DWORD i = 0; i < ReadDword(bytes, 8); i++) {
        StoredEntry e;
        e.id = at;
        e.flags = at + 4;
        e.count = at + 4 + 1 + 8 + 4 + 4 + 16 + 4 + 8;
        e.nIDs = ReadDword(bytes, e.count);
        e.ids = e.count + 4;
        at = e.ids + 4 * e.nIDs;
        entries.push_back(e);
    }
    return entries;
}

const StoredEntry& FirstWith(const std::vector<StoredEntry>& entries, const std::string& bytes, bool bDockBar)
{
    for (const StoredEntry& e : entries)
        if (((bytes[e.flags] & 0x08) != 0) == bDockBar && (!bDockBar || e.nIDs > 0))
            return e;
    return entries.front();
}

}  // namespace

// A damaged or foreign file is refused before anything is applied: the file's load fails (or
// the frame refuses the state), the bars stay exactly where they were, and a state that held
// a layout keeps it.
TEST(DockState, DamagedFilesAreRefusedAndTheBarsStay)
{
    DemoFrame demo;
    demo.pFrame->FloatControlBar(demo.pPanel, CPoint(200, 200));
    demo.pFrame->RecalcLayout();
    const std::string good = StoredForm(demo.pFrame);
    const std::vector<StoredEntry> entries = Entries(good);
    ASSERT_EQ(good.size(), entries.back().ids + 4 * entries.back().nIDs) << "the form as documented";
    const StoredEntry& bar = FirstWith(entries, good, false);
    const StoredEntry& dockBar = FirstWith(entries, good, true);
    const StoredEntry& last = entries.back();

    struct Damage {
        std::string what;
        std::function<void(std::string&)> damage;
        bool loads;  // the form is sound, the frame refuses what it names
    };
    std::vector<Damage> damages = {
        {"empty file", [](std::string& b) { b.clear(); }, false},
        {"foreign signature", [](std::string& b) { b[0] = 'X'; }, false},
        {"version 2", [](std::string& b) { WriteDword(b, 4, 2); }, false},
        {"version 0", [](std::string& b) { WriteDword(b, 4, 0); }, false},
        {"more entries than the data holds", [](std::string& b) { WriteDword(b, 8, ReadDword(b, 8) + 1); }, false},
        {"entry count beyond the bound", [](std::string& b) { WriteDword(b, 8, 257); }, false},
        {"last row list longer than the data", [&](std::string& b) { WriteDword(b, last.count, last.nIDs + 1); },
         false},
        {"row list beyond the bound", [&](std::string& b) { WriteDword(b, dockBar.count, 4097); }, false},
        {"bytes after the form", [](std::string& b) { b += '\0'; }, false},
        {"unknown flag bit", [&](std::string& b) { b[bar.flags] |= 0x40; }, false},
        {"bar id 0", [&](std::string& b) { WriteDword(b, bar.id, 0); }, false},
        {"bar id beyond 16 bits", [&](std::string& b) { WriteDword(b, bar.id, 0x12345); }, false},
        {"rows not starting with a row end", [&](std::string& b) { WriteDword(b, dockBar.ids, ID_TOOLS); }, false},
        {"rows not ending with a row end",
         [&](std::string& b) { WriteDword(b, dockBar.ids + 4 * (dockBar.nIDs - 1), ID_TOOLS); }, false},
        {"an empty row", [&](std::string& b) { WriteDword(b, dockBar.ids + 4, 0); }, false},
        {"a placeholder with stray bits", [&](std::string& b) { WriteDword(b, dockBar.ids + 4, 0x30000 | ID_TOOLS); },
         false},
        {"unknown bar id", [&](std::string& b) { WriteDword(b, bar.id, 0x1234); }, true},
        {"unknown bar in the rows", [&](std::string& b) { WriteDword(b, dockBar.ids + 4, 0x1234); }, true},
        {"a dock bar given as a bar in the rows",
         [&](std::string& b) { WriteDword(b, dockBar.ids + 4, AFX_IDW_DOCKBAR_LEFT); }, true},
        {"a bar given as a dock bar", [&](std::string& b) { WriteDword(b, dockBar.id, ID_LOG); }, true},
        {"a floating dock bar with a side's id",
         [&](std::string& b) {
             const StoredEntry& floating = entries.back();  // the floating dock bar comes last
             WriteDword(b, floating.id, AFX_IDW_DOCKBAR_TOP);
         },
         true},
    };
    // cut short at every byte: each field, each id of the rows
    for (size_t n = 1; n < good.size(); n++)
        damages.push_back({"cut after " + std::to_string(n) + " bytes", [n](std::string& b) { b.resize(n); }, false});
    // one bar in two places
    damages.push_back({"a bar in two rows",
                       [&](std::string& b) {
                           DWORD nTools = ReadDword(b, dockBar.ids + 4);
                           for (const StoredEntry& e : entries)
                               if (&e != &dockBar && e.nIDs >= 3 && (b[e.flags] & 0x08))
                                   WriteDword(b, e.ids + 4, nTools);
                       },
                       true});

    const std::string placement = Placement(demo.pFrame);
    const std::string path = TempFile("damaged.dock");
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::string bytes = good;
        damage.damage(bytes);
        HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        DWORD nWritten = 0;
        ::WriteFile(hFile, bytes.data(), (DWORD)bytes.size(), &nWritten, NULL);
        ::CloseHandle(hFile);

        CDockState state;
        demo.pFrame->GetDockState(state);  // a state that holds a layout keeps it when a load fails
        BOOL bLoaded = state.LoadFromFile(path.c_str());
        EXPECT_EQ(damage.loads, !!bLoaded);
        if (bLoaded)
            EXPECT_FALSE(demo.pFrame->SetDockState(state));
        else
            EXPECT_EQ(good, StoredForm(state));
        EXPECT_EQ(placement, Placement(demo.pFrame));
        EXPECT_EQ(good, StoredForm(demo.pFrame));
    }
    // and the sound file still loads
    ASSERT_TRUE(CDockState().SaveToFile(path.c_str()));
    CDockState state;
    EXPECT_TRUE(state.LoadFromFile(path.c_str()));
    EXPECT_EQ(0, state.m_arrBarInfo.GetSize());
    EXPECT_FALSE(state.LoadFromFile(TempFile("missing.dock").c_str()));
}

namespace {

class CStatusFrame : public CDockFrame {
public:
    CStatusBar status;
    CString strIndicator = "CAP";
    BOOL bIndicatorOn = FALSE;

protected:
    afx_msg void OnUpdateIndicator(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(strIndicator);
        pCmdUI->Enable(bIndicatorOn);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusFrame, CDockFrame)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR, OnUpdateIndicator)
END_MESSAGE_MAP()

// A frame with a status bar of the given panes, the application's main window.
CStatusFrame* MakeStatusFrame(LPCTSTR lpszTitle, const UINT* pIndicators, int nCount)
{
    App();
    auto* pFrame = new CStatusFrame;
    if (!pFrame->CreateAt(CRect(60, 60, 560, 360), lpszTitle))
        return nullptr;
    App().m_pMainWnd = pFrame;
    EXPECT_TRUE(pFrame->status.Create(pFrame));
    EXPECT_TRUE(pFrame->status.SetIndicators(pIndicators, nCount));
    return pFrame;
}

CString ControlText(CStatusBar& bar, int nPane)
{
    char sz[256] = "";
    ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, (WPARAM)nPane, (LPARAM)sz);
    return sz;
}

}  // namespace

// The status bar sits along the frame's bottom, shows the frame's prompts in its first pane
// and its indicators as their update handlers set them at idle.
TEST(StatusBar, PromptsAndIndicators)
{
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR};
    CStatusFrame* pFrame = MakeStatusFrame("Status", indicators, 2);
    ASSERT_NE(nullptr, pFrame);
    pFrame->status.SetPaneInfo(1, ID_INDICATOR, SBPS_NORMAL, 40);
    pFrame->RecalcLayout();
    EXPECT_EQ(1, pFrame->status.CommandToIndex(ID_INDICATOR));
    EXPECT_EQ(-1, pFrame->status.CommandToIndex(0x999));
    EXPECT_EQ((UINT)(SBPS_STRETCH | SBPS_NOBORDERS), pFrame->status.GetPaneStyle(0));
    EXPECT_EQ(pFrame, pFrame->status.m_pDockSite);

    CRect client;
    pFrame->GetClientRect(&client);
    CRect rectStatus = ChildRect(&pFrame->status);
    EXPECT_EQ(client.bottom, rectStatus.bottom);
    EXPECT_EQ(CRect(0, rectStatus.top, client.right, client.bottom), rectStatus);
    EXPECT_GT(rectStatus.Height(), 10);
    EXPECT_EQ(rectStatus.top, ChildRect(pFrame->m_pView).bottom) << "the view takes the rest";

    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CString("Ready"), pFrame->status.GetPaneText(0));
    EXPECT_EQ(CString("Ready"), ControlText(pFrame->status, 0));
    CString strWindow;
    pFrame->status.GetWindowText(strWindow);
    EXPECT_EQ(CString("Ready"), strWindow);

    struct Case {
        BOOL bOn;
        const char* text;
    };
    for (const Case& c : {Case{FALSE, "CAP"}, Case{TRUE, "NUM"}}) {
        pFrame->bIndicatorOn = c.bOn;
        pFrame->strIndicator = c.text;
        App().OnIdle(0);
        EXPECT_EQ(CString(c.text), pFrame->status.GetPaneText(1));
        EXPECT_EQ(c.bOn ? 0u : (UINT)SBPS_DISABLED, pFrame->status.GetPaneStyle(1) & SBPS_DISABLED);
        EXPECT_EQ(c.bOn ? CString(c.text) : CString(), ControlText(pFrame->status, 1)) << "a greyed pane shows nothing";
    }
    CRect rectPane;
    pFrame->status.GetItemRect(1, &rectPane);
    EXPECT_GE(rectPane.Width(), 40);
    Repaint(pFrame);
    orvtest::screenshot("framework_docking_status");
    App().m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
}

namespace {

// Pumps as the application's run loop does (pre-translation included) until pred() holds.
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000)
{
    DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
            App().PumpMessage();
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

// Puts the pointer on the middle of pWnd and hands pWnd the move through the thread's queue,
// so it goes through the run loop's pre-translation like real input. (Real input from
// SendInput is routed by the X server's view of the windows, which a mini frame shown a moment
// ago may not have reached yet; a posted move names its window.)
void PointAt(CWnd* pWnd)
{
    CPoint point = ScreenRect(pWnd).CenterPoint();
    ::SetCursorPos(point.x, point.y);
    CPoint client = point;
    pWnd->ScreenToClient(&client);
    pWnd->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

}  // namespace

// A bar with CBRS_FLYBY shows the prompt of the control under the resting mouse in the status
// line, docked or floating, and gives the line back when the mouse leaves it.
TEST(ControlBar, FlyByPromptsShowInTheStatusLine)
{
    const UINT indicators[] = {ID_SEPARATOR};
    CStatusFrame* pFrame = MakeStatusFrame("Fly-by", indicators, 1);
    ASSERT_NE(nullptr, pFrame);
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CButtonBar bar;
    ASSERT_TRUE(bar.CreateWithButton(pFrame, CBRS_TOP | CBRS_FLYBY, ID_FLYBY_GO));
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    auto prompt = [&] { return std::string(pFrame->status.GetPaneText(0)); };

    for (bool bFloating : {false, true}) {
        SCOPED_TRACE(bFloating ? "floating" : "docked");
        if (bFloating) {
            pFrame->FloatControlBar(&bar, CPoint(150, 250));
            ASSERT_TRUE(bar.IsFloating());
        }
        Repaint(bar.GetParentFrame());
        PointAt(&bar.button);
        EXPECT_TRUE(PumpUntil([&] { return prompt() == "Go somewhere"; })) << prompt();
        EXPECT_TRUE(bar.m_nStateFlags & CControlBar::statusSet);
        PointAt(pFrame->m_pView);
        EXPECT_TRUE(PumpUntil([&] { return prompt() == "Ready"; })) << prompt();
        EXPECT_FALSE(bar.m_nStateFlags & CControlBar::statusSet);
    }
    App().m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
}
