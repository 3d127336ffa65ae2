// Row and column resizing and the drag loop, driven by real mouse and keyboard input through
// the system's input queue: what cancels a mode (sizes unchanged, the capture released), the
// limits of a row resize, a column resize against its neighbour's minimum, the drag started
// from a caption, and a quit message met inside any of the loops.
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "NcTestSupport.h"
#include <functional>
#include <algorithm>
#include <optional>
#include <string>

using namespace barstest;

namespace {

const COLORREF kRed = RGB(200, 80, 80), kGreen = RGB(80, 170, 80);

// Presses at `from`, waits for the mode, optionally moves to `to` and waits for the move to be
// taken, then fires the trigger and waits for the mode to end; cleanup releases what is held.
struct Gesture {
    CExtControlBar* pBar;
    CPoint from;
    std::optional<CPoint> to;
    std::function<bool()> inMode;       // the mode runs (after the press; after the move)
    std::function<bool()> moved;        // the move was taken (when to is given)
    std::function<void()> trigger;
    std::function<bool()> ended;
    std::function<void()> cleanup;
    std::function<void()> whileInMode;  // checks made inside the mode, after the move
    // The move must reach the mode's own loop (drag detection looks at the waiting messages):
    // it is sent without pumping, nudged by a pixel until the mode took it.
    bool bRawMove = false;
};

::testing::AssertionResult RunGesture(const Gesture& g) {
    std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
        {"to the start", [&] { return orvtest::moveTo(g.from, g.pBar->m_hWnd); }},
        {"press", [&] {
             MouseAt(g.from, MOUSEEVENTF_LEFTDOWN);
             return true;
         }},
    };
    if (g.to) {
        steps.push_back({"in the mode", g.inMode});
        if (g.bRawMove) {
            steps.push_back({"move", [&] {
                                 MouseAt(*g.to, 0);
                                 return true;
                             }});
            steps.push_back({"move taken", [&, n = 0]() mutable {
                                 if (g.moved())
                                     return true;
                                 MouseAt(*g.to + CPoint(++n % 2, 0), 0);
                                 return false;
                             }});
        } else {
            steps.push_back({"move", [&] { return orvtest::moveTo(*g.to, g.pBar->m_hWnd); }});
            // a late pointer event of the press can put the cursor back: the move is sent again
            // until the mode took it (as the input helpers do)
            steps.push_back({"move taken", [&] { return orvtest::moveTo(*g.to, g.pBar->m_hWnd) && g.moved(); }});
        }
        if (g.whileInMode)
            steps.push_back({"checks in the mode", [&] {
                                 g.whileInMode();
                                 return true;
                             }});
    } else {
        steps.push_back({"in the mode", g.inMode});
    }
    steps.push_back({"trigger", [&] {
                         g.trigger();
                         return true;
                     }});
    steps.push_back({"ended", g.ended});
    steps.push_back({"release", [&] {
                         g.cleanup();
                         MouseAt(g.to ? *g.to : g.from, MOUSEEVENTF_LEFTUP);
                         return true;
                     }});
    steps.push_back({"buttons up", [] { return ButtonsUp(); }});
    orvtest::Script script(steps, 10000);
    const bool bDone = script.run();
    orvtest::pumpWaiting();
    if (!bDone) {
        CPoint pt;
        ::GetCursorPos(&pt);
        return ::testing::AssertionFailure() << "stuck at: " << script.failure << " (tracking value "
                                             << g.pBar->m_nMetricOffset << ", cursor " << pt.x << "," << pt.y
                                             << ", tracking bits " << (int)g.pBar->m_nTracking << ")";
    }
    return ::testing::AssertionSuccess();
}

// The triggers that end a mode, each with what its cleanup must release.
struct Trigger {
    const char* name;
    bool bMove;                      // move before the trigger
    std::function<void(CWnd* pBar, CWnd* pFrame, CPoint pt)> fire;
    std::function<void(CPoint pt)> cleanup;
};

std::vector<Trigger> CancelTriggers() {
    return {
        {"Escape", true, [](CWnd*, CWnd*, CPoint) { orvtest::keyDown(VK_ESCAPE); },
         [](CPoint) { orvtest::keyUp(VK_ESCAPE); }},
        {"any key", true, [](CWnd*, CWnd*, CPoint) { orvtest::keyDown('A'); }, [](CPoint) { orvtest::keyUp('A'); }},
        {"right button", true, [](CWnd*, CWnd*, CPoint pt) { MouseAt(pt, MOUSEEVENTF_RIGHTDOWN); },
         [](CPoint pt) { MouseAt(pt, MOUSEEVENTF_RIGHTUP); }},
        {"middle button", true, [](CWnd*, CWnd*, CPoint pt) { MouseAt(pt, MOUSEEVENTF_MIDDLEDOWN); },
         [](CPoint pt) { MouseAt(pt, MOUSEEVENTF_MIDDLEUP); }},
        {"WM_CANCELMODE", true, [](CWnd* pBar, CWnd*, CPoint) { pBar->PostMessage(WM_CANCELMODE); },
         [](CPoint) {}},
        {"lost capture", true, [](CWnd*, CWnd* pFrame, CPoint) { ::SetCapture(pFrame->m_hWnd); },
         [](CPoint) { ::ReleaseCapture(); }},
        {"release without a move", false, [](CWnd*, CWnd*, CPoint pt) { MouseAt(pt, MOUSEEVENTF_LEFTUP); },
         [](CPoint) {}},
    };
}

// Two rows in the top circle round the view: A (thickness 100) outside, B (80) inside.
struct TwoRows {
    Docking d;
    ColourPanel* a;
    ColourPanel* b;
    TwoRows() {
        a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed, CSize(200, 100));
        b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kGreen, CSize(200, 80));
        SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, NULL, b});
        d.pFrame->RecalcLayout();
        d.pFrame->SetForegroundWindow();
        a->SetFocus();
        orvtest::pumpWaiting();
    }
    CPoint RowSplitter() const { return ScreenRect(a, a->m_rcRowResize).CenterPoint(); }
};

// One row in the top circle: A and B side by side.
struct OneRow {
    Docking d;
    ColourPanel* a;
    ColourPanel* b;
    OneRow() {
        a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed, CSize(250, 100));
        b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kGreen, CSize(250, 100));
        SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1), {a, b});
        d.pFrame->RecalcLayout();
        d.pFrame->SetForegroundWindow();
        a->SetFocus();
        orvtest::pumpWaiting();
    }
    CPoint ColumnSplitter() const { return ScreenRect(a, a->m_rcRowRecalc).CenterPoint(); }
};

CRect WindowOf(CWnd* p) {
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

}  // namespace

// ---- row resizing -------------------------------------------------------------------------------

TEST(RowResizing, EveryCancelLeavesTheSizesAndReleasesTheCapture) {
    for (const Trigger& t : CancelTriggers()) {
        TwoRows r;
        const CPoint from = r.RowSplitter(), to = from + CPoint(0, 30);
        const CRect rcA = WindowOf(r.a), rcB = WindowOf(r.b);
        Gesture g;
        g.pBar = r.a;
        g.from = from;
        if (t.bMove)
            g.to = to;
        g.inMode = [&] { return (r.a->m_nTracking & CExtControlBar::trackRowResizing) != 0; };
        g.moved = [&] { return r.a->m_nMetricOffset == 130; };
        g.trigger = [&] { t.fire(r.a, r.d.pFrame, t.bMove ? to : from); };
        g.ended = [&] { return (r.a->m_nTracking & CExtControlBar::trackRowResizing) == 0; };
        g.cleanup = [&] { t.cleanup(t.bMove ? to : from); };
        EXPECT_TRUE(RunGesture(g)) << t.name;
        EXPECT_EQ(100, r.a->m_sizeDockedH.cy) << t.name;
        EXPECT_EQ(80, r.b->m_sizeDockedH.cy) << t.name;
        EXPECT_EQ(rcA, WindowOf(r.a)) << t.name;
        EXPECT_EQ(rcB, WindowOf(r.b)) << t.name;
        EXPECT_NE(r.a->m_hWnd, ::GetCapture()) << t.name;
        EXPECT_EQ(0, r.a->m_nTracking & 7) << t.name;
    }
}

TEST(RowResizing, TheRowTakesTheNewThicknessWithinItsLimitsAndTheInnerRowGivesIt) {
    struct Case {
        const char* what;
        int dy;            // from the splitter
        int expected;      // A's thickness; -1: the frame less the minimum; -2: twice the minimum
    } cases[] = {
        {"30 pixels down", 30, 130},
        {"far down: the frame less the minimum", 440, -1},
        {"far up: twice the minimum", -95, -2},
    };
    for (const Case& c : cases) {
        TwoRows r;
        const int nMin = r.a->GetMinExtentVert();
        const int nFrame = WindowOf(r.d.pFrame).Height();
        const int expected = c.expected == -1 ? nFrame - nMin : c.expected == -2 ? 2 * nMin : c.expected;
        const CPoint from = r.RowSplitter(), to = from + CPoint(0, c.dy);
        Gesture g;
        g.pBar = r.a;
        g.from = from;
        g.to = to;
        g.inMode = [&] { return (r.a->m_nTracking & CExtControlBar::trackRowResizing) != 0; };
        g.moved = [&] { return r.a->m_nMetricOffset == expected; };
        g.trigger = [&] { MouseAt(to, MOUSEEVENTF_LEFTUP); };
        g.ended = [&] { return (r.a->m_nTracking & CExtControlBar::trackRowResizing) == 0; };
        g.cleanup = [] {};
        ASSERT_TRUE(RunGesture(g)) << c.what;
        EXPECT_EQ(expected, r.a->m_sizeDockedH.cy) << c.what;
        EXPECT_NE(r.a->m_hWnd, ::GetCapture());
        if (c.dy == 30) {
            EXPECT_EQ(50, r.b->m_sizeDockedH.cy) << "the inner row gives what A took";
            EXPECT_EQ(130, WindowOf(r.a).Height()) << "the frame laid the rows out again";
            EXPECT_EQ(50, WindowOf(r.b).Height());
        }
    }
}

// ---- column resizing ----------------------------------------------------------------------------

TEST(ColumnResizing, TheBorderMovesAndWhatTheNeighbourCannotGiveStaysWithTheBar) {
    struct Case {
        const char* what;
        bool bToNeighbourEnd;   // else 30 pixels right
        bool bCancel;           // Escape instead of the release
    } cases[] = {
        {"30 pixels right", false, false},
        {"past the neighbour's minimum", true, false},
        {"Escape", false, true},
    };
    for (const Case& c : cases) {
        OneRow r;
        const int la = r.a->m_sizeDockedH.cx, lb = r.b->m_sizeDockedH.cx;
        const CRect rcA = WindowOf(r.a), rcB = WindowOf(r.b);
        const CPoint from = r.ColumnSplitter();
        const CPoint to = c.bToNeighbourEnd ? CPoint(rcB.right - 3, from.y) : from + CPoint(30, 0);
        const int nExpectedValue = c.bToNeighbourEnd ? -(rcB.right - 3 - rcA.left + 2 - la) : -30;
        Gesture g;
        g.pBar = r.a;
        g.from = from;
        g.to = to;
        g.inMode = [&] { return (r.a->m_nTracking & CExtControlBar::trackColumnResizing) != 0; };
        g.moved = [&] { return r.a->m_nMetricOffset == nExpectedValue; };
        g.trigger = [&] {
            if (c.bCancel)
                orvtest::keyDown(VK_ESCAPE);
            else
                MouseAt(to, MOUSEEVENTF_LEFTUP);
        };
        g.ended = [&] { return (r.a->m_nTracking & CExtControlBar::trackColumnResizing) == 0; };
        g.cleanup = [&] {
            if (c.bCancel)
                orvtest::keyUp(VK_ESCAPE);
        };
        ASSERT_TRUE(RunGesture(g)) << c.what;
        EXPECT_NE(r.a->m_hWnd, ::GetCapture()) << c.what;
        EXPECT_EQ(la + lb, r.a->m_sizeDockedH.cx + r.b->m_sizeDockedH.cx) << c.what << ": the row keeps its length";
        if (c.bCancel) {
            EXPECT_EQ(la, r.a->m_sizeDockedH.cx) << c.what;
            EXPECT_EQ(rcA, WindowOf(r.a)) << c.what;
        } else if (c.bToNeighbourEnd) {
            EXPECT_EQ(r.b->GetMinLengthInRow(), r.b->m_sizeDockedH.cx) << c.what;
            EXPECT_EQ(la + lb - r.b->GetMinLengthInRow(), r.a->m_sizeDockedH.cx) << c.what;
        } else {
            EXPECT_EQ(la + 30, r.a->m_sizeDockedH.cx) << c.what;
            EXPECT_EQ(la + 30, WindowOf(r.a).Width()) << c.what;
            EXPECT_EQ(WindowOf(r.a).right, WindowOf(r.b).left) << c.what;
        }
    }
}

// ---- the drag loop ------------------------------------------------------------------------------

TEST(Dragging, StartedFromTheCaptionEveryEndLeavesTheBarWhereItWas) {
    std::vector<Trigger> triggers = CancelTriggers();
    // a drag watches the capture itself and takes it back: the lost capture is not an end of it
    triggers.erase(std::remove_if(triggers.begin(), triggers.end(),
                                  [](const Trigger& t) { return std::string(t.name) == "lost capture"; }),
                   triggers.end());
    triggers.push_back({"release after a move (the target stays \"unchanged\")", true,
                        [](CWnd*, CWnd*, CPoint pt) { MouseAt(pt, MOUSEEVENTF_LEFTUP); }, [](CPoint) {}});
    for (const Trigger& t : triggers) {
        TwoRows r;
        const CPoint from = ScreenRect(r.a, r.a->m_rcGrip).TopLeft() + CPoint(30, r.a->m_rcGrip.Height() / 2);
        const CPoint to = from + CPoint(15, 12);
        const CRect rcA = WindowOf(r.a);
        const CSize sizeA = r.a->m_sizeDockedH;
        r.d.pFrame->m_messageStrings.clear();
        UINT nHitA = 0xFFFF, nHitB = 0xFFFF;
        Gesture g;
        g.pBar = r.a;
        g.from = from;
        g.bRawMove = true;
        if (t.bMove)
            g.to = to;
        // before the move: the press is taken and the bar holds the mouse (drag detection)
        g.inMode = [&] { return ::GetCapture() == r.a->m_hWnd; };
        g.moved = [&] { return CExtControlBar::GetCurrentDragBar() == r.a; };
        g.whileInMode = [&] {
            nHitA = NcHit(r.a, ScreenRect(r.a, r.a->m_rcRowResize).CenterPoint());
            nHitB = NcHit(r.b, orvtest::centreOf(r.b->m_hWnd));
        };
        g.trigger = [&] { t.fire(r.a, r.d.pFrame, t.bMove ? to : from); };
        g.ended = [&] {
            return (r.a->m_nTracking & CExtControlBar::trackDragging) == 0 && ::GetCapture() != r.a->m_hWnd;
        };
        g.cleanup = [&] { t.cleanup(t.bMove ? to : from); };
        EXPECT_TRUE(RunGesture(g)) << t.name;
        EXPECT_EQ(rcA, WindowOf(r.a)) << t.name;
        EXPECT_EQ(sizeA, r.a->m_sizeDockedH) << t.name;
        EXPECT_EQ(nullptr, CExtControlBar::GetCurrentDragBar()) << t.name;
        EXPECT_NE(r.a->m_hWnd, ::GetCapture()) << t.name;
        EXPECT_EQ("A | B |", Rows(r.d.Dock(AFX_IDW_DOCKBAR_TOP, 1))) << t.name;
        if (t.bMove) {
            EXPECT_EQ((UINT)HTNOWHERE, nHitA) << t.name << ": hit tests are off while a bar is dragged";
            EXPECT_EQ((UINT)HTNOWHERE, nHitB) << t.name;
            EXPECT_EQ((std::vector<UINT>{30057, AFX_IDS_IDLEMESSAGE}), r.d.pFrame->m_messageStrings) << t.name;
        } else {
            EXPECT_TRUE(r.d.pFrame->m_messageStrings.empty()) << t.name << ": a click is no drag";
        }
    }
}

// ---- a quit message inside a loop ---------------------------------------------------------------

TEST(Loops, AQuitMessageEndsTheModeAndReachesTheApplicationWithItsCode) {
    struct Case {
        const char* what;
        std::function<void(OneRow&)> start;
    } cases[] = {
        {"row resizing", [](OneRow& r) { r.a->RowResizingStart(); }},
        {"column resizing", [](OneRow& r) { r.a->ColumnResizingStart(); }},
        {"drag detection",
         [](OneRow& r) {
             CPoint pt;
             ::GetCursorPos(&pt);
             r.a->DraggingStart(&pt, NULL, 1, 1);
         }},
        {"drag loop",
         [](OneRow& r) {
             CPoint pt;
             ::GetCursorPos(&pt);
             r.a->DraggingStart(&pt, NULL, 0, 0);
         }},
    };
    int nCode = 40;
    for (const Case& c : cases) {
        OneRow r;
        const CSize sizeA = r.a->m_sizeDockedH, sizeB = r.b->m_sizeDockedH;
        ::PostQuitMessage(++nCode);
        c.start(r);
        fprintf(stderr, "DBG back %s\n", c.what);   // returns: with a quit pending, a loop that waits for input would spin
        MSG msg;
        const bool bQuit = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_TRUE(bQuit) << c.what << ": the quit goes on to the application";
        if (bQuit) {
            EXPECT_EQ((WPARAM)nCode, msg.wParam) << c.what << ": with its own code";
        }
        EXPECT_EQ(0, r.a->m_nTracking & 7) << c.what;
        EXPECT_NE(r.a->m_hWnd, ::GetCapture()) << c.what;
        EXPECT_EQ(nullptr, CExtControlBar::GetCurrentDragBar()) << c.what;
        EXPECT_EQ(sizeA, r.a->m_sizeDockedH) << c.what;
        EXPECT_EQ(sizeB, r.b->m_sizeDockedH) << c.what;
    }
}
