// The library's floating frame: its geometry as functions (hit codes, resize steps, the caption
// kept on the work area), then real frames under Xvfb driven by real mouse input: bars float in
// it without a system caption, growth is clipped to the work area, a caption taken off the work
// area comes back, the frame resizes in its own loop (a tool bar from its left edge widens to
// the right), the caption's double click docks the bar back and the frame goes, no bars menu in
// help mode, the frame's own close button with a bar of another kind and with none; pictures
// bars_float_<look>_DEPTH.png.
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "NcTestSupport.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "RenderHarness.h"
#include <functional>

// These tests read what a bar asked a menu for (a right click on a caption, a right button that
// ends a drag): tracking only records, so no menu stays open to take the next test's input.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using namespace barstest;

namespace {

const COLORREF kRed = RGB(200, 80, 80), kGreen = RGB(80, 170, 80), kBlue = RGB(80, 110, 210);

CExtMiniDockFrameWnd* MiniOf(CControlBar* pBar) {
    return DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
}

CRect WindowOf(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

int CountWindowsOfClass(const char* pszClass, HWND hOwner) {
    int n = 0;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetWindow(h, GW_OWNER) == hOwner && orvtest::className(h) == pszClass)
            n++;
    return n;
}

// A tool-bar stand-in that shows its content while dragged (so its floating frame sizes it by
// the frame's own loop) and wraps its buttons of 20 pixels: a width given with LM_COMMIT becomes
// its floating width, rounded down to whole buttons.
class WrappingTool : public SizedToolBar {
public:
    bool IsShowContentWhileDragging() const override { return true; }
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override {
        if ((nMode & LM_COMMIT) != 0 && (nMode & LM_LENGTHY) == 0 && nLength > 0) {
            const int nButtons = std::max(1, std::min(m_nButtons, nLength / 20));
            const int nRows = (m_nButtons + nButtons - 1) / nButtons;
            m_sizeFloated = CSize(nButtons * 20, nRows * 22);
            m_sizeBar = m_sizeFloated;
        }
        if (IsFloating())
            return m_sizeFloated;
        return SizedToolBar::CalcDynamicLayout(nLength, nMode);
    }
    int m_nButtons = 8;
};

// A bar of the framework's own kind (not one of the library's).
class PlainBar : public CControlBar {
public:
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(120, 40); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// A panel floated at a point from a docked place (top, circle 1).
ColourPanel* FloatedPanel(Docking& d, UINT nID, LPCTSTR lpszName, COLORREF clr, CPoint pt) {
    ColourPanel* p = CaptionPanel(d, nID, lpszName, clr);
    p->m_sizeFloated = CSize(180, 120);
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(p);
    d.pFrame->RecalcLayout();
    d.pFrame->FloatControlBar(p, pt);
    d.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    return p;
}

// Presses the left button at `from`, waits until inMode holds, moves to `to` until moved holds,
// releases there and waits until ended holds.
::testing::AssertionResult PressMoveRelease(HWND hWnd, CPoint from, CPoint to, std::function<bool()> inMode,
                                           std::function<bool()> moved, std::function<bool()> ended) {
    std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
        {"to the start", [&] { return orvtest::moveTo(from, hWnd); }},
        {"press", [&] {
             MouseAt(from, MOUSEEVENTF_LEFTDOWN);
             return true;
         }},
        {"in the mode", inMode},
        {"move", [&] {
             MouseAt(to, 0);
             return true;
         }},
        {"move taken", [&, n = 0]() mutable {
             if (moved())
                 return true;
             MouseAt(to + CPoint(0, ++n % 2), 0);
             return false;
         }},
        {"release", [&] {
             MouseAt(to, MOUSEEVENTF_LEFTUP);
             return true;
         }},
        {"ended", ended},
        {"buttons up", [] { return ButtonsUp(); }},
    };
    orvtest::Script script(steps, 10000);
    const bool bDone = script.run();
    orvtest::pumpWaiting();
    if (!bDone)
        return ::testing::AssertionFailure() << "stuck at: " << script.failure;
    return ::testing::AssertionSuccess();
}

}  // namespace

// ---- the geometry as functions ----------------------------------------------------------------

TEST(MiniFrameGeometry, HitCodesOfBordersCornersAndCaption) {
    // a frame of 200 x 100 at (100, 100); borders 4, caption 16
    const CRect rc(100, 100, 300, 200);
    struct Case {
        CPoint pt;
        UINT nHit;
    } cases[] = {
        {{99, 150}, HTNOWHERE},     {{300, 150}, HTNOWHERE},   {{150, 101}, HTTOP},
        {{101, 101}, HTTOPLEFT},    {{115, 101}, HTTOPLEFT},   {{116, 101}, HTTOP},   // left corner zone 16 wide
        {{296, 101}, HTTOPRIGHT},   {{295, 101}, HTTOP},                              // right corner zone 4 wide
        {{150, 198}, HTBOTTOM},     {{110, 198}, HTBOTTOMLEFT}, {{297, 198}, HTBOTTOMRIGHT},
        {{101, 150}, HTLEFT},       {{101, 110}, HTTOPLEFT},   {{101, 190}, HTBOTTOMLEFT},
        {{298, 150}, HTRIGHT},      {{298, 110}, HTTOPRIGHT},  {{298, 190}, HTBOTTOMRIGHT},
        {{150, 104}, HTCAPTION},    {{150, 119}, HTCAPTION},   {{150, 120}, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nHit, CExtMiniDockFrameWnd::HitTestFrame(rc, c.pt, 4, 4, 16)) << c.pt.x << "," << c.pt.y;
    // a fixed-size bar has no corners; a frame that must not be sized has only a caption
    EXPECT_EQ((UINT)HTTOP, CExtMiniDockFrameWnd::FilterHitCode(HTTOPLEFT, true, false));
    EXPECT_EQ((UINT)HTTOP, CExtMiniDockFrameWnd::FilterHitCode(HTTOPRIGHT, true, false));
    EXPECT_EQ((UINT)HTBOTTOM, CExtMiniDockFrameWnd::FilterHitCode(HTBOTTOMLEFT, true, false));
    EXPECT_EQ((UINT)HTBOTTOM, CExtMiniDockFrameWnd::FilterHitCode(HTBOTTOMRIGHT, true, false));
    EXPECT_EQ((UINT)HTLEFT, CExtMiniDockFrameWnd::FilterHitCode(HTLEFT, true, false));
    EXPECT_EQ((UINT)HTTOPLEFT, CExtMiniDockFrameWnd::FilterHitCode(HTTOPLEFT, false, false));
    EXPECT_EQ((UINT)HTCAPTION, CExtMiniDockFrameWnd::FilterHitCode(HTBOTTOMRIGHT, false, true));
    EXPECT_EQ((UINT)HTCLIENT, CExtMiniDockFrameWnd::FilterHitCode(HTCLIENT, true, true));
}

TEST(MiniFrameGeometry, ResizeStepsFollowThePointWithinTheMinimum) {
    const CRect rcStart(100, 100, 300, 250);
    const CSize sizeMin(60, 50);
    struct Case {
        const char* what;
        UINT nHit;
        CPoint pt;
        bool bFixed;
        CRect rc;
        UINT nUsed;
    } cases[] = {
        {"right edge out", HTRIGHT, {340, 0}, false, {100, 100, 340, 250}, HTRIGHT},
        {"left edge out", HTLEFT, {70, 0}, false, {70, 100, 300, 250}, HTLEFT},
        {"left edge past the minimum keeps the right edge", HTLEFT, {290, 0}, false, {240, 100, 300, 250}, HTLEFT},
        {"left edge across the right edge", HTLEFT, {400, 0}, false, {240, 100, 300, 250}, HTLEFT},
        {"top edge past the minimum keeps the bottom edge", HTTOP, {0, 240}, false, {100, 200, 300, 250}, HTTOP},
        {"bottom-right corner", HTBOTTOMRIGHT, {320, 280}, false, {100, 100, 320, 280}, HTBOTTOMRIGHT},
        {"top-left corner", HTTOPLEFT, {90, 80}, false, {90, 80, 300, 250}, HTTOPLEFT},
        {"right edge in below the minimum", HTRIGHT, {120, 0}, false, {100, 100, 160, 250}, HTRIGHT},
        // a fixed-size bar: from the right or bottom only, its left-top corner stays
        {"fixed: left edge out widens to the right", HTLEFT, {60, 0}, true, {100, 100, 340, 250}, HTRIGHT},
        {"fixed: left edge in narrows from the right", HTLEFT, {150, 0}, true, {100, 100, 250, 250}, HTRIGHT},
        {"fixed: top edge out grows downward", HTTOP, {0, 80}, true, {100, 100, 300, 270}, HTBOTTOM},
        {"fixed: top-left corner is the top edge", HTTOPLEFT, {0, 80}, true, {100, 100, 300, 270}, HTBOTTOM},
        {"fixed: bottom-right corner is the bottom edge", HTBOTTOMRIGHT, {500, 300}, true, {100, 100, 300, 300}, HTBOTTOM},
    };
    for (const Case& c : cases) {
        UINT nUsed = 0;
        EXPECT_EQ(c.rc, CExtMiniDockFrameWnd::CalcResizeRect(rcStart, c.nHit, c.pt, sizeMin, c.bFixed, &nUsed))
            << c.what;
        EXPECT_EQ(c.nUsed, nUsed) << c.what;
    }
}

TEST(MiniFrameGeometry, TheCaptionStaysOnTheWorkArea) {
    const CRect rcArea(0, 0, 1024, 740);
    struct Case {
        CRect rcWindow;
        int nTop;
    } cases[] = {
        {{10, 10, 200, 200}, 10},        {{10, -50, 200, 140}, 0},      {{10, 724, 200, 900}, 724},
        {{10, 725, 200, 900}, 724},      {{10, 2000, 200, 2100}, 724},  {{10, 0, 200, 100}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nTop, CExtMiniDockFrameWnd::KeepCaptionOnArea(c.rcWindow, rcArea, 16)) << c.rcWindow.top;
    // an area lower than a caption: the top of the area
    EXPECT_EQ(100, CExtMiniDockFrameWnd::KeepCaptionOnArea(CRect(0, 300, 50, 400), CRect(0, 100, 500, 110), 16));
}

// ---- real frames -------------------------------------------------------------------------------

TEST(MiniFrame, ABarFloatsInTheLibrarysFrameWithItsOwnCaptionAndBorders) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "Floating X", kRed, CPoint(300, 250));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    EXPECT_EQ(x, pMini->GetHostedBar());
    EXPECT_EQ(x, pMini->GetHostedExtBar());
    EXPECT_TRUE(pMini->GetDockBar()->IsKindOf(RUNTIME_CLASS(CExtDockBar)));
    EXPECT_EQ(0u, pMini->GetStyle() & (WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME));
    EXPECT_EQ(0u, pMini->GetExStyle() & (WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
    EXPECT_TRUE(pMini->IsWindowVisible());
    // own borders and caption round a client area that holds the bar at its floating size
    const int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
    const int h = ::GetSystemMetrics(SM_CYSMCAPTION);
    const CRect rcWindow = WindowOf(pMini);
    EXPECT_EQ(CRect(cx, cy + h, rcWindow.Width() - cx, rcWindow.Height() - cy), ClientInWindow(pMini));
    EXPECT_EQ(x->m_sizeFloated, WindowOf(x).Size());
    EXPECT_EQ(CPoint(300, 250), rcWindow.TopLeft());
    // hit codes in the real frame
    EXPECT_EQ((UINT)HTCAPTION, NcHit(pMini, CPoint(rcWindow.left + 30, rcWindow.top + cy + 2)));
    EXPECT_EQ((UINT)HTRIGHT, NcHit(pMini, CPoint(rcWindow.right - 1, rcWindow.CenterPoint().y)));
    EXPECT_EQ((UINT)HTBOTTOMLEFT, NcHit(pMini, CPoint(rcWindow.left + 1, rcWindow.bottom - 1)));
    // the bar's Close button sits in the frame's caption; the frame draws no close of its own
    CExtBarNcAreaButtonClose* pClose = ShownButton<CExtBarNcAreaButtonClose>(x);
    ASSERT_NE(nullptr, pClose);
    CRect rcInter;
    EXPECT_TRUE(rcInter.IntersectRect(pClose->GetRect(), pMini->GetCaptionRect()));
    const CPoint ptClose = ScreenRect(pMini, pClose->GetRect()).CenterPoint();
    EXPECT_EQ((UINT)HTMINBUTTON, NcHit(pMini, ptClose));
    // a real click on it hides the bar and its frame
    ASSERT_TRUE(orvtest::click(ptClose, pMini->m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !x->IsWindowVisible(); }));
    EXPECT_FALSE(pMini->IsWindowVisible());
}

TEST(MiniFrame, GrowthIsClippedToTheWorkArea) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "X", kRed, CPoint(40, 40));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const CRect rcArea = CExtMiniDockFrameWnd::WorkAreaOf(pMini->m_hWnd);
    struct Case {
        const char* what;
        CSize size;
    } cases[] = {{"wider", CSize(rcArea.Width() + 300, 120)},
                 {"higher", CSize(160, rcArea.Height() + 300)},
                 {"both", CSize(rcArea.Width() * 2, rcArea.Height() * 2)}};
    for (const Case& c : cases) {
        x->m_sizeFloated = c.size;
        pMini->RecalcLayout();
        orvtest::pumpWaiting();
        const CRect rc = WindowOf(pMini);
        EXPECT_LE(rc.Width(), rcArea.Width()) << c.what;
        EXPECT_LE(rc.Height(), rcArea.Height()) << c.what;
        EXPECT_EQ(CPoint(40, 40), rc.TopLeft()) << c.what << ": it keeps its place";
        MINMAXINFO mmi = {};
        mmi.ptMaxTrackSize = CPoint(100000, 100000);
        pMini->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        EXPECT_EQ(CPoint(rcArea.Width(), rcArea.Height()), CPoint(mmi.ptMaxTrackSize)) << c.what;
        x->m_sizeFloated = CSize(180, 120);
        pMini->RecalcLayout();
    }
}

TEST(MiniFrame, FloatingABarAloneMovesItsFrameAndTheCaptionComesBackOntoTheWorkArea) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "X", kRed, CPoint(300, 250));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const HWND hMini = pMini->m_hWnd;
    const CRect rcArea = CExtMiniDockFrameWnd::WorkAreaOf(hMini);
    const int h = ::GetSystemMetrics(SM_CYSMCAPTION);
    struct Case {
        const char* what;
        CPoint pt;
        CPoint expect;
    } cases[] = {
        {"on the screen", CPoint(200, 150), CPoint(200, 150)},
        {"above the top", CPoint(220, rcArea.top - 300), CPoint(220, rcArea.top)},
        {"caption below the bottom", CPoint(240, rcArea.bottom - h + 5), CPoint(240, rcArea.bottom - h)},
        {"far below", CPoint(260, rcArea.bottom + 400), CPoint(260, rcArea.bottom - h)},
    };
    for (const Case& c : cases) {
        d.pFrame->FloatControlBar(x, c.pt);
        orvtest::pumpWaiting();
        ASSERT_EQ(pMini, MiniOf(x)) << c.what << ": the bar's frame is moved, not remade";
        EXPECT_EQ(hMini, pMini->m_hWnd) << c.what;
        EXPECT_EQ(c.expect, WindowOf(pMini).TopLeft()) << c.what;
        EXPECT_EQ(1, CountWindowsOfClass(orvtest::className(hMini).c_str(), d.hWndFrame)) << c.what;
    }
}

TEST(MiniFrame, ItsOwnResizeLoopFollowsTheMouse) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "X", kRed, CPoint(200, 150));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const CRect rc0 = WindowOf(pMini);
    const CSize sizeNc = rc0.Size() - x->m_sizeFloated;
    // the right border 50 pixels out, then the bottom-left corner out and down
    const CPoint from(rc0.right - 2, rc0.CenterPoint().y);
    EXPECT_EQ((UINT)HTRIGHT, NcHit(pMini, from));
    EXPECT_TRUE(PressMoveRelease(
        pMini->m_hWnd, from, from + CPoint(50, 0), [&] { return pMini->GetResizingHitCode() == HTRIGHT; },
        [&] { return WindowOf(pMini).Width() == rc0.Width() + 50; },
        [&] { return pMini->GetResizingHitCode() == 0 && ::GetCapture() == NULL; }));
    CRect rc1 = WindowOf(pMini);
    EXPECT_EQ(CRect(rc0.left, rc0.top, rc0.right + 50, rc0.bottom), rc1);
    EXPECT_EQ(rc1.Size() - sizeNc, x->m_sizeFloated) << "the bar takes the new client size";
    EXPECT_EQ(x->m_sizeFloated, WindowOf(x).Size());
    EXPECT_NE(0u, pMini->GetStyle() & FWS_SNAPTOBARS) << "fitted to its bar again after the loop";
    pMini->RecalcLayout();
    EXPECT_EQ(rc1, WindowOf(pMini)) << "a layout after the loop keeps the size";

    const CPoint corner(rc1.left + 1, rc1.bottom - 1);
    EXPECT_EQ((UINT)HTBOTTOMLEFT, NcHit(pMini, corner));
    EXPECT_TRUE(PressMoveRelease(
        pMini->m_hWnd, corner, corner + CPoint(-30, 20),
        [&] { return pMini->GetResizingHitCode() == HTBOTTOMLEFT; },
        [&] { return WindowOf(pMini).Height() == rc1.Height() + 20 && WindowOf(pMini).left == rc1.left - 30; },
        [&] { return pMini->GetResizingHitCode() == 0 && ::GetCapture() == NULL; }));
    EXPECT_EQ(CRect(rc1.left - 30, rc1.top, rc1.right, rc1.bottom + 20), WindowOf(pMini));

    // never below the bar's floating minimum
    const CRect rc2 = WindowOf(pMini);
    const CPoint right(rc2.right - 2, rc2.CenterPoint().y);
    EXPECT_TRUE(PressMoveRelease(
        pMini->m_hWnd, right, CPoint(rc2.left + 5, right.y), [&] { return pMini->GetResizingHitCode() == HTRIGHT; },
        [&] { return WindowOf(pMini).Width() < rc2.Width(); },
        [&] { return pMini->GetResizingHitCode() == 0 && ::GetCapture() == NULL; }));
    EXPECT_EQ(x->GetFloatingMinTrackSize().cx, WindowOf(pMini).Width());
}

TEST(MiniFrame, AKeyEndsTheResizeAndReleasesTheMouse) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "X", kRed, CPoint(200, 150));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const CRect rc0 = WindowOf(pMini);
    const CPoint from(rc0.CenterPoint().x, rc0.bottom - 1);
    std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
        {"to the border", [&] { return orvtest::moveTo(from, pMini->m_hWnd); }},
        {"press", [&] {
             MouseAt(from, MOUSEEVENTF_LEFTDOWN);
             return true;
         }},
        {"resizing", [&] { return pMini->GetResizingHitCode() == HTBOTTOM && ::GetCapture() == pMini->m_hWnd; }},
        {"Escape", [&] {
             orvtest::keyDown(VK_ESCAPE);
             return true;
         }},
        {"ended", [&] { return pMini->GetResizingHitCode() == 0; }},
        {"let go", [&] {
             orvtest::keyUp(VK_ESCAPE);
             MouseAt(from, MOUSEEVENTF_LEFTUP);
             return true;
         }},
        {"buttons up", [] { return ButtonsUp(); }},
    };
    orvtest::Script script(steps, 10000);
    EXPECT_TRUE(script.run()) << script.failure;
    orvtest::pumpWaiting();
    EXPECT_NE(pMini->m_hWnd, ::GetCapture());
    EXPECT_EQ(rc0, WindowOf(pMini));
}

TEST(MiniFrame, AFloatingToolBarDraggedByItsLeftEdgeWidensToTheRight) {
    Docking d;
    auto* pTool = new WrappingTool;
    d.AddTool(ID_TOOL_FIRST, "Tools", CSize(80, 44), pTool);
    pTool->m_sizeFloated = CSize(80, 44);   // 4 buttons a row, 2 rows
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(pTool);
    d.pFrame->RecalcLayout();
    d.pFrame->FloatControlBar(pTool, CPoint(250, 200));
    d.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    CExtMiniDockFrameWnd* pMini = MiniOf(pTool);
    ASSERT_NE(nullptr, pMini);
    pMini->RecalcLayout();
    const CRect rc0 = WindowOf(pMini);
    // no corners: the top-left corner zone is the top edge
    EXPECT_EQ((UINT)HTTOP, NcHit(pMini, CPoint(rc0.left + 2, rc0.top + 1)));
    EXPECT_EQ((UINT)HTBOTTOM, NcHit(pMini, CPoint(rc0.right - 1, rc0.bottom - 1)));
    const CPoint from(rc0.left + 1, rc0.CenterPoint().y);
    ASSERT_EQ((UINT)HTLEFT, NcHit(pMini, from));
    // 80 pixels out to the left: room for 8 buttons in one row
    EXPECT_TRUE(PressMoveRelease(
        pMini->m_hWnd, from, from - CPoint(80, 0), [&] { return pMini->GetResizingHitCode() == HTLEFT; },
        [&] { return pTool->m_sizeFloated.cx == 160; },
        [&] { return pMini->GetResizingHitCode() == 0 && ::GetCapture() == NULL; }));
    const CRect rc1 = WindowOf(pMini);
    EXPECT_EQ(CSize(160, 22), pTool->m_sizeFloated);
    EXPECT_EQ(rc0.left, rc1.left) << "the left edge stays";
    EXPECT_EQ(rc0.top, rc1.top);
    EXPECT_EQ(rc0.right + 80, rc1.right) << "it widens to the right";
    EXPECT_EQ(pTool->m_sizeFloated, WindowOf(pTool).Size());
}

TEST(MiniFrame, ACaptionDoubleClickDocksTheBarBackAndTheFrameGoes) {
    Docking d;
    ColourPanel* x = CaptionPanel(d, ID_PANEL_FIRST, "X", kRed);
    ColourPanel* y = CaptionPanel(d, ID_PANEL_FIRST + 1, "Y", kGreen);
    SetRows(d.Dock(AFX_IDW_DOCKBAR_TOP, 0), {x, y});
    d.pFrame->RecalcLayout();
    const std::string cls = [&] {
        d.pFrame->FloatControlBar(x, CPoint(300, 260));
        d.pFrame->RecalcLayout();
        orvtest::pumpWaiting();
        return orvtest::className(MiniOf(x)->m_hWnd);
    }();
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const HWND hMini = pMini->m_hWnd;
    EXPECT_EQ(1, CountWindowsOfClass(cls.c_str(), d.hWndFrame));
    const CRect rc = WindowOf(pMini);
    const CPoint ptCaption(rc.left + 20, rc.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    ASSERT_EQ((UINT)HTCAPTION, NcHit(pMini, ptCaption));
    // the four events are queued at once: the first press may start the caption's drag detection,
    // a loop of its own that must find the release waiting (a click that waits for each event to
    // arrive before sending the next would wait inside that loop for ever)
    ASSERT_TRUE(orvtest::moveTo(ptCaption, hMini));
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        MouseAt(ptCaption, flags);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hMini); })) << "the frame goes with its last bar";
    EXPECT_FALSE(x->IsFloating());
    EXPECT_TRUE(x->IsDockedAtTop());
    EXPECT_TRUE(x->IsWindowVisible());
    EXPECT_EQ(0, CountWindowsOfClass(cls.c_str(), d.hWndFrame));
    // floated and docked again: still no frame left behind
    d.pFrame->FloatControlBar(y, CPoint(320, 280));
    d.pFrame->RecalcLayout();
    ASSERT_NE(nullptr, MiniOf(y));
    const HWND hMiniY = MiniOf(y)->m_hWnd;
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(y);
    d.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    EXPECT_FALSE(::IsWindow(hMiniY));
    EXPECT_EQ(0, CountWindowsOfClass(cls.c_str(), d.hWndFrame));
}

TEST(MiniFrame, TheCaptionsRightClickShowsTheBarsMenuButNotInHelpMode) {
    Docking d;
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "X", kRed, CPoint(300, 250));
    CaptionPanel(d, ID_PANEL_FIRST + 1, "Y", kGreen);
    // the bars menu lists the bars through the frame's command profile
    ASSERT_TRUE(g_CmdManager->ProfileSetup("float menu", d.pFrame->m_hWnd));
    CExtMiniDockFrameWnd* pMini = MiniOf(x);
    ASSERT_NE(nullptr, pMini);
    const CRect rc = WindowOf(pMini);
    const CPoint ptCaption(rc.left + 20, rc.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
    struct Case {
        const char* what;
        BOOL bHelpMode;
        size_t nTracked;
    } cases[] = {{"in help mode", TRUE, 0}, {"normally", FALSE, 1}};
    int nClick = 0;
    for (const Case& c : cases) {
        CExtPopupMenuWnd::ResetStandIn();
        d.pFrame->m_bHelpMode = c.bHelpMode;
        // each click a little further along, so that two are never one double click
        const CPoint pt = ptCaption + CPoint(12 * nClick++, 0);
        ASSERT_TRUE(orvtest::click(pt, pMini->m_hWnd, orvtest::Button::Right)) << c.what;
        orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() >= c.nTracked; }, 2000);
        orvtest::pumpWaiting();
        ASSERT_EQ(c.nTracked, CExtPopupMenuWnd::standIn().tracked.size()) << c.what;
        if (c.nTracked != 0) {
            EXPECT_EQ(0x800u, CExtPopupMenuWnd::standIn().tracked.back().nFlags) << c.what;
        }
    }
    d.pFrame->m_bHelpMode = FALSE;
    CExtPopupMenuWnd::ResetStandIn();
    g_CmdManager->ProfileWndRemove(d.pFrame->m_hWnd, true);
}

TEST(MiniFrame, ItsOwnCloseButtonHidesABarOfAnotherKindAndIsHarmlessWithoutOne) {
    Docking d;
    CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, d.pFrame->CreateFloatingFrame(CBRS_ALIGN_TOP));
    ASSERT_NE(nullptr, pMini);
    // a frame that holds nothing (it never shows: it hides with its last visible bar): a release
    // on its close button and WM_CLOSE do no harm
    EXPECT_EQ(nullptr, pMini->GetHostedBar());
    pMini->ModifyStyle(FWS_SNAPTOBARS, 0);
    pMini->SetWindowPos(NULL, 300, 200, 160, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_FALSE(pMini->GetOwnCloseButtonRect().IsRectEmpty());
    CPoint ptClose = ScreenRect(pMini, pMini->GetOwnCloseButtonRect()).CenterPoint();
    EXPECT_EQ((UINT)HTCAPTION, NcHit(pMini, ptClose));
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptClose.x, ptClose.y));
    pMini->SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(ptClose.x, ptClose.y));
    pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptClose.x, ptClose.y));
    pMini->SendMessage(WM_CLOSE);
    orvtest::pumpWaiting();
    EXPECT_TRUE(::IsWindow(pMini->m_hWnd));
    EXPECT_FALSE(pMini->IsWindowVisible());

    // a framework bar in it: the close button hides it, and the frame with it
    PlainBar plain;
    plain.m_dwStyle = CBRS_TOP;
    ASSERT_TRUE(plain.CWnd::Create(AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW)), "Plain",
                                   WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 40), d.pFrame, 0x6301));
    plain.EnableDocking(CBRS_ALIGN_ANY);
    d.pFrame->FloatControlBar(&plain, CPoint(320, 220));
    d.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    CExtMiniDockFrameWnd* pMini2 = MiniOf(&plain);
    ASSERT_NE(nullptr, pMini2);
    EXPECT_EQ(&plain, pMini2->GetHostedBar());
    EXPECT_EQ(nullptr, pMini2->GetHostedExtBar());
    ASSERT_TRUE(pMini2->IsWindowVisible());
    ptClose = ScreenRect(pMini2, pMini2->GetOwnCloseButtonRect()).CenterPoint();
    ASSERT_TRUE(orvtest::moveUntil(ptClose, [&] { return pMini2->IsOwnCloseButtonHover(); }));
    ASSERT_TRUE(orvtest::click(ptClose, pMini2->m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !plain.IsWindowVisible(); }));
    EXPECT_FALSE(pMini2->IsWindowVisible());
    if (::IsWindow(pMini->m_hWnd))
        pMini->DestroyWindow();
    d.pFrame->DestroyWindow();
}

TEST(MiniFrame, PicturesInEveryLook) {
    Docking d(CRect(20, 20, 520, 400));
    ColourPanel* x = FloatedPanel(d, ID_PANEL_FIRST, "Floating panel", kBlue, CPoint(560, 60));
    auto* pTool = new WrappingTool;
    d.AddTool(ID_TOOL_FIRST, "Tools", CSize(80, 44), pTool);
    pTool->m_sizeFloated = CSize(80, 44);
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(pTool);
    d.pFrame->RecalcLayout();
    d.pFrame->FloatControlBar(pTool, CPoint(560, 260));
    d.pFrame->RecalcLayout();
    x->SetFocus();
    struct Look {
        const char* name;
        std::function<CExtPaintManager*()> make;
    } looks[] = {
        {"classic", [] { return new CExtPaintManager; }},
        {"xp", [] { return new CExtPaintManagerXP; }},
        {"office2003", [] { return new CExtPaintManagerOffice2003; }},
        {"studio2005", [] { return new CExtPaintManagerStudio2005; }},
    };
    const CRect rcShot(540, 40, 800, 360);
    for (const Look& look : looks) {
        orvtest::ScopedPainter painter(look.make());
        d.pFrame->RecalcLayout();
        MiniOf(x)->RecalcLayout();
        MiniOf(pTool)->RecalcLayout();
        Idle();
        Repaint(MiniOf(x));
        Repaint(MiniOf(pTool));
        orvtest::RenderCanvas canvas(rcShot.Width(), rcShot.Height());
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, rcShot.Width(), rcShot.Height(), hScreen, rcShot.left, rcShot.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        // the caption is painted by the look (not left to the system) and the panel's child shows
        CRect rcCaption = ScreenRect(MiniOf(x), MiniOf(x)->GetCaptionRect());
        rcCaption.OffsetRect(-rcShot.TopLeft());
        EXPECT_LT(canvas.Count(RGB(255, 255, 255), rcCaption), rcCaption.Width() * rcCaption.Height()) << look.name;
        if (orvtest::DisplayDepth() > 8) {
            CRect rcChild;
            x->m_child.GetWindowRect(&rcChild);
            rcChild.OffsetRect(-rcShot.TopLeft());
            EXPECT_EQ(kBlue, canvas.At(rcChild.CenterPoint().x, rcChild.CenterPoint().y)) << look.name;
        }
        EXPECT_TRUE(canvas.Keep(std::string("bars_float_") + look.name, 2)) << look.name;
    }
}
