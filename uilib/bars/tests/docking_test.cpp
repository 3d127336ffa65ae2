// The docking operations called by code (where each call leaves the bar: dock bar, circle, row),
// floating and the bar being floated, the container that cannot be made, and the drop markers of
// the Studio look with their highlight (made one at a time, from the screen's pixels, never left
// behind by a drag).
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "NcTestSupport.h"
#include "RenderHarness.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtDynDockHighlightWnd.h"
#include "CExtDynDockMarkerWnd.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "ExtDockMarkerSet.h"
#include <functional>
#include <string>

// These tests read what a bar asked a menu for (a right click on a caption, a right button that
// ends a drag): tracking only records, so no menu stays open to take the next test's input.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using namespace barstest;

namespace {

const COLORREF kRed = RGB(200, 80, 80), kGreen = RGB(80, 170, 80), kBlue = RGB(80, 110, 210);

std::string Text(const CRect& rc);

struct CountData {
    const char* pszClass;
    int n;
};

BOOL CALLBACK CountProc(HWND h, LPARAM l) {
    CountData* p = reinterpret_cast<CountData*>(l);
    if (orvtest::className(h) == p->pszClass)
        p->n++;
    return TRUE;
}

// Windows of a class in the process (markers, highlights and their owner are top-level).
int CountWindows(const char* pszClass) {
    CountData data = {pszClass, 0};
    ::EnumWindows(CountProc, (LPARAM)&data);
    return data.n;
}

// Three panels: A on the left, B at the top, C at the bottom, each in circle 1.
struct ThreePanels {
    Docking d;
    ColourPanel *a, *b, *c;
    ThreePanels() {
        a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed, CSize(200, 90), CSize(120, 200));
        b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kGreen, CSize(200, 90), CSize(120, 200));
        c = CaptionPanel(d, ID_PANEL_FIRST + 2, "C", kBlue, CSize(200, 90), CSize(120, 200));
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(a);
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(b);
        d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(c);
        d.pFrame->RecalcLayout();
    }
};

std::string Place(CExtControlBar* pBar) {
    if (pBar->IsFloating())
        return "floating";
    const UINT nID = pBar->GetDockSideId();
    const char* side = nID == AFX_IDW_DOCKBAR_TOP      ? "top"
                       : nID == AFX_IDW_DOCKBAR_BOTTOM ? "bottom"
                       : nID == AFX_IDW_DOCKBAR_LEFT   ? "left"
                       : nID == AFX_IDW_DOCKBAR_RIGHT  ? "right"
                                                       : "?";
    return std::string(side) + " " + std::to_string(pBar->GetDockBarCircle());
}

// A panel that notes whether it was the bar being floated when its mini frame was asked for,
// and can fail to get one.
class FloatingPanel : public ColourPanel {
public:
    CFrameWnd* CreateFloatingFrame(DWORD dwStyle) override {
        m_bSeenAsFloated = GetBarBeingFloated() == this;
        m_nFrames++;
        if (m_bFail)
            AfxThrowResourceException();
        return ColourPanel::CreateFloatingFrame(dwStyle);
    }
    bool m_bFail = false;
    bool m_bSeenAsFloated = false;
    int m_nFrames = 0;
};

// A bar beside which no container can be made.
class NoContainerPanel : public ColourPanel {
public:
    bool DockIntoNewContainer(CExtControlBar*, UINT, int) override { return false; }
};

}  // namespace

TEST(DockingCalls, EachCallLeavesTheBarInItsDockBarCircleAndRow) {
    struct Case {
        const char* name;
        std::function<bool(ThreePanels&)> call;
        std::function<std::string(ThreePanels&)> result;
        const char* expected;
    } cases[] = {
        {"at the right side: circle 1, emptied first",
         [](ThreePanels& t) { return t.a->DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT); },
         [](ThreePanels& t) { return Place(t.a) + ", B " + Place(t.b) + ", C " + Place(t.c); },
         "right 1, B top 2, C bottom 2"},
        {"at the top side in a new innermost circle",
         [](ThreePanels& t) { return t.c->DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, true); },
         [](ThreePanels& t) { return Place(t.c) + ", B " + Place(t.b); },
         "top 2, B top 1"},   // inside B: the emptied circle 1 is compacted away again
        {"into circle 2 at the bottom (made on demand)",
         [](ThreePanels& t) { return t.a->DockIntoCircle(AFX_IDW_DOCKBAR_BOTTOM, 2); },
         [](ThreePanels& t) {
             return Place(t.a) + ", rows " + Rows(t.d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 2)) + ", C " + Place(t.c);
         },
         "bottom 2, rows A |, C bottom 1"},
        {"beside B on its right: a container in B's place",
         [](ThreePanels& t) { return t.a->DockBesideBar(50, t.b, AFX_IDW_DOCKBAR_RIGHT); },
         [](ThreePanels& t) {
             CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, t.a->m_pDockBar);
             if (pInner == nullptr || pInner != t.b->m_pDockBar)
                 return std::string("not in one container");
             CExtDynControlBar* pDyn = pInner->GetContainer();
             return Rows(pInner) + (pInner->IsHorzInner() ? " side by side" : " stacked") + ", container " +
                    Place(pDyn);
         },
         "B A | side by side, container top 1"},
        {"beside B above it: stacked, A first",
         [](ThreePanels& t) { return t.a->DockBesideBar(50, t.b, AFX_IDW_DOCKBAR_TOP); },
         [](ThreePanels& t) {
             CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, t.a->m_pDockBar);
             if (pInner == nullptr)
                 return std::string("no container");
             return Rows(pInner) + (pInner->IsHorzInner() ? " side by side" : " stacked");
         },
         "A B | stacked"},
        {"next to B (top), along its row, after it: below it",
         [](ThreePanels& t) { return t.b->DockBarNextToThis(t.a, false, true); },
         [](ThreePanels& t) {
             CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, t.a->m_pDockBar);
             return pInner != nullptr ? Rows(pInner) : std::string("no container");
         },
         "B A |"},
        {"next to A (left), across, before it: above it",
         [](ThreePanels& t) { return t.a->DockBarNextToThis(t.c, true, false); },
         [](ThreePanels& t) {
             CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, t.c->m_pDockBar);
             return pInner != nullptr ? Rows(pInner) + (pInner->IsHorzInner() ? " side by side" : " stacked")
                                      : std::string("no container");
         },
         "A C | stacked"},
        {"floated at a point: its mini frame there",
         [](ThreePanels& t) {
             t.a->FloatControlBar(700, 120);
             return true;
         },
         [](ThreePanels& t) {
             CRect rc;
             t.a->GetParentFrame()->GetWindowRect(&rc);
             return Place(t.a) + " at " + std::to_string(rc.left) + "," + std::to_string(rc.top) + ", rows " +
                    Rows(t.d.Dock(AFX_IDW_DOCKBAR_LEFT, 0));
         },
         "floating at 700,120, rows "},
    };
    for (const Case& c : cases) {
        ThreePanels t;
        EXPECT_TRUE(c.call(t)) << c.name;
        t.d.pFrame->RecalcLayout();
        EXPECT_EQ(c.expected, c.result(t)) << c.name;
        EXPECT_EQ(nullptr, CExtControlBar::GetBarBeingFloated()) << c.name;
    }
}

TEST(DockingCalls, FloatingABarAloneInItsMiniFrameMovesThatFrame) {
    ThreePanels t;
    t.a->FloatControlBar(600, 100);
    CFrameWnd* pMini = t.a->GetParentFrame();
    ASSERT_TRUE(pMini != nullptr && pMini != t.d.pFrame);
    const HWND hMini = pMini->m_hWnd;
    t.a->FloatControlBar(640, 180);
    EXPECT_EQ(hMini, t.a->GetParentFrame()->GetSafeHwnd()) << "the same frame";
    CRect rc;
    ::GetWindowRect(hMini, &rc);
    EXPECT_EQ(CPoint(640, 180), rc.TopLeft());
    // docked back and floated again: a new frame
    EXPECT_TRUE(t.a->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(::IsWindow(hMini)) << "the empty mini frame went";
}

TEST(DockingCalls, TheBarBeingFloatedIsKnownWhileItFloatsAndClearedOnEveryPath) {
    struct Case {
        const char* name;
        bool bFail;
        bool bFloatTwice;   // the second time the lone bar's frame moves, no new one is asked for
        int nFrames;
        bool bFloating;
    } cases[] = {
        {"a new mini frame", false, false, 1, true},
        {"the lone bar's frame moves", false, true, 1, true},
        {"the mini frame cannot be made", true, false, 1, false},
    };
    for (const Case& c : cases) {
        Docking d;
        FloatingPanel* p = new FloatingPanel;
        d.bars.emplace_back(p);
        ASSERT_TRUE(p->CreateIn(d.pFrame, ID_PANEL_FIRST, "F"));
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(p);
        d.pFrame->RecalcLayout();
        p->m_bFail = c.bFail;
        bool bThrew = false;
        try {
            p->FloatControlBar(600, 100);
            if (c.bFloatTwice)
                p->FloatControlBar(620, 140);
        } catch (...) {
            bThrew = true;
        }
        EXPECT_FALSE(bThrew) << c.name << ": nothing thrown reaches the caller (a window procedure)";
        EXPECT_EQ(nullptr, CExtControlBar::GetBarBeingFloated()) << c.name;
        EXPECT_TRUE(p->m_bSeenAsFloated) << c.name;
        EXPECT_EQ(c.nFrames, p->m_nFrames) << c.name;
        EXPECT_EQ(c.bFloating, p->IsFloating()) << c.name;
        if (!c.bFloating) {
            EXPECT_EQ("F |", Rows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1))) << c.name << ": the bar stays where it was";
        }
    }
}

TEST(DockingCalls, DockingBesideABarThatTakesNoContainerShowsTheMiniFrameAgain) {
    orvtest::ScopedPainter painter(new CExtPaintManagerStudio2005);
    Docking d;
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed);
    NoContainerPanel* target = new NoContainerPanel;
    d.bars.emplace_back(target);
    ASSERT_TRUE(target->CreateIn(d.pFrame, ID_PANEL_FIRST + 1, "T"));
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(target);
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(a);
    d.pFrame->RecalcLayout();
    a->FloatControlBar(600, 100);
    CFrameWnd* pMini = a->GetParentFrame();
    ASSERT_TRUE(pMini != nullptr && pMini->IsWindowVisible());
    // as in a drag of the Studio look: the dragged bar's frame is hidden while it docks
    CExtControlBar::InternalDraggingState_t& shown = CExtControlBar::DragShownState();
    shown.Clear(a);
    shown.SetEmpty(false);
    EXPECT_FALSE(a->DockBesideBar(50, target, AFX_IDW_DOCKBAR_RIGHT));
    shown.Clear(nullptr);
    EXPECT_TRUE(pMini->IsWindowVisible()) << "the bar did not dock: its frame shows again";
    EXPECT_EQ(pMini, a->GetParentFrame());
}

// ---- markers and highlight ----------------------------------------------------------------------

namespace {

// A Studio frame with a panel at the left and one floating; the floating one counts as dragged.
struct MarkerScene {
    orvtest::ScopedPainter painter{new CExtPaintManagerStudio2005};
    Docking d{CRect(20, 20, 620, 470)};
    ColourPanel* left;
    ColourPanel* floating;
    MarkerScene() {
        left = CaptionPanel(d, ID_PANEL_FIRST, "Left", kRed, CSize(200, 90), CSize(150, 200));
        floating = CaptionPanel(d, ID_PANEL_FIRST + 1, "Floating", kBlue, CSize(200, 60), CSize(80, 200));
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(left);
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(floating);
        d.pFrame->RecalcLayout();
        floating->FloatControlBar(700, 60);
        Repaint(d.pFrame);
        Drag(true);
    }
    ~MarkerScene() {
        Drag(false);
        ExtDockMarkerSet::DestroyAllMarkers();
    }
    void Drag(bool bOn) {
        CExtControlBar::InternalDraggingState_t& shown = CExtControlBar::DragShownState();
        shown.Clear(bOn ? floating : nullptr);
        shown.SetEmpty(!bOn);
    }
};

// The highlight windows there were when the next one was created.
int g_nHighlightsAtCreation = -1;
LRESULT CALLBACK CountAtCreation(int nCode, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->message == WM_CREATE &&
        orvtest::className(p->hwnd) == CExtDynDockHighlightWnd::kClassName)
        g_nHighlightsAtCreation = CountWindows(CExtDynDockHighlightWnd::kClassName) - 1;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

TEST(DockMarkers, FrameMarkersStandRoundTheAreaInsideTheOuterDockBarsAndHighlightOneSide) {
    MarkerScene s;
    ExtDockMarkerSet::ShowFrameMarkers(s.d.pFrame, true);
    CExtDynDockMarkerWnd::Array& frame = ExtDockMarkerSet::FrameMarkers();
    ASSERT_EQ(4, frame.GetSize());
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(i, frame[i]->GetSide());
        EXPECT_EQ(nullptr, frame[i]->GetTargetWindow());
        EXPECT_EQ(DWORD(14 + i), frame[i]->GetDropKind());
        EXPECT_TRUE(frame[i]->IsWindowVisible());
    }
    // the right side's highlight: at the right of the area, as wide as the bar docked in a column
    ASSERT_TRUE(frame[3]->ShowHighlight(true));
    CRect rcHighlight, rcRight, rcLeft;
    frame[3]->GetHighlight()->GetWindowRect(&rcHighlight);
    frame[3]->GetWindowRect(&rcRight);
    frame[2]->GetWindowRect(&rcLeft);
    EXPECT_EQ(rcRight.right, rcHighlight.right);
    EXPECT_EQ(80, rcHighlight.Width());
    EXPECT_EQ(1, CountWindows(CExtDynDockHighlightWnd::kClassName));
    // one marker fewer: no frame highlight
    frame[3]->ShowHighlight(false);
    CExtDynDockMarkerWnd* pGone = frame[0];
    frame.RemoveAt(0);
    EXPECT_FALSE(frame[2]->ShowHighlight(true)) << "three frame markers";
    frame.InsertAt(0, pGone);
    EXPECT_EQ(0, CountWindows(CExtDynDockHighlightWnd::kClassName));
}

TEST(DockMarkers, BarMarkersBesideTheViewAndBarsAndOneHighlightAtATime) {
    MarkerScene s;
    // bar markers over the view and over the docked panel, as the pointer goes
    CRect rcView;
    s.d.pFrame->m_pView->GetWindowRect(&rcView);
    ASSERT_TRUE(orvtest::moveTo(rcView.CenterPoint(), s.d.pFrame->m_pView->m_hWnd));
    ExtDockMarkerSet::UpdateBarMarkers(s.d.pFrame, true);
    CExtDynDockMarkerWnd::Array& bar = ExtDockMarkerSet::BarMarkers();
    ASSERT_EQ(5, bar.GetSize()) << "the centre and four sides";
    EXPECT_EQ(s.d.pFrame->m_pView->m_hWnd, ExtDockMarkerSet::GetBarMarkersTarget());
    EXPECT_FALSE(bar[0]->IsDropMarker()) << "the centre is no drop target";
    EXPECT_FALSE(bar[0]->ShowHighlight(true));
    for (int i = 1; i < 5; i++)
        EXPECT_EQ(DWORD(18 + i - 1), bar[i]->GetDropKind()) << "beside a window that is no bar";
    // beside the view a highlight is never thinner than 30 pixels (the bar's column is 10 wide)
    s.floating->m_sizeDockedV.cx = 10;
    ASSERT_TRUE(bar[3]->ShowHighlight(true));   // left
    CRect rc;
    bar[3]->GetHighlight()->GetWindowRect(&rc);
    EXPECT_EQ(30, rc.Width());
    EXPECT_EQ(rcView.left, rc.left);
    // moving to another marker: the first highlight is gone before the second is made
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountAtCreation, NULL, ::GetCurrentThreadId());
    g_nHighlightsAtCreation = -1;
    ASSERT_TRUE(bar[1]->ShowHighlight(true));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(0, g_nHighlightsAtCreation);
    EXPECT_EQ(nullptr, bar[3]->GetHighlight());
    EXPECT_EQ(1, CountWindows(CExtDynDockHighlightWnd::kClassName));
    // over the docked panel: markers beside a bar, the highlight its half
    CRect rcLeft;
    s.left->GetWindowRect(&rcLeft);
    ASSERT_TRUE(orvtest::moveTo(rcLeft.CenterPoint(), s.left->m_child.m_hWnd));
    ExtDockMarkerSet::UpdateBarMarkers(s.d.pFrame, true);
    ASSERT_EQ(5, bar.GetSize());
    EXPECT_EQ(s.left->m_hWnd, ExtDockMarkerSet::GetBarMarkersTarget());
    EXPECT_EQ(DWORD(22 + 1), bar[2]->GetDropKind()) << "bottom, beside a bar";
    ASSERT_TRUE(bar[2]->ShowHighlight(true));
    bar[2]->GetHighlight()->GetWindowRect(&rc);
    EXPECT_EQ(rcLeft.bottom, rc.bottom);
    EXPECT_EQ(rcLeft.Height() / 2, rc.Height());
    EXPECT_EQ(0, CountWindows(CExtDynDockHighlightWnd::kClassName) - 1);
}

TEST(DockMarkers, TheHighlightShadesTheScreensPixelsNotABlackBlock) {
    MarkerScene s;
    CRect rcLeft;
    s.left->m_child.GetWindowRect(&rcLeft);
    ASSERT_TRUE(orvtest::moveTo(rcLeft.CenterPoint(), s.left->m_child.m_hWnd));
    ExtDockMarkerSet::UpdateBarMarkers(s.d.pFrame, true);
    CExtDynDockMarkerWnd::Array& bar = ExtDockMarkerSet::BarMarkers();
    ASSERT_EQ(5, bar.GetSize());
    ASSERT_TRUE(bar[2]->ShowHighlight(true));   // the lower half of the red panel
    CWnd* pHighlight = bar[2]->GetHighlight();
    // the marker's timer would hide the highlight of a marker the pointer is not on; with no
    // drag under way it does nothing
    s.Drag(false);
    pHighlight->UpdateWindow();
    CRect rc;
    pHighlight->GetWindowRect(&rc);
    const CPoint pt(rc.left + 10, rc.bottom - 10);
    ASSERT_TRUE(rcLeft.PtInRect(pt));
    COLORREF clr = CLR_INVALID;
    ASSERT_TRUE(orvtest::pumpUntil([&] {
        HDC hScreen = ::GetDC(NULL);
        clr = ::GetPixel(hScreen, pt.x, pt.y);
        ::ReleaseDC(NULL, hScreen);
        return clr != kRed;
    })) << "the highlight shows: visible " << pHighlight->IsWindowVisible() << " at " << Text(rc) << " colour "
        << std::hex << clr << " window there " << ::WindowFromPoint(pt) << " highlight " << pHighlight->m_hWnd;
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_GT(GetRValue(clr) + GetGValue(clr) + GetBValue(clr), 150) << "not black";
        EXPECT_NE(kRed, clr) << "shaded";
    }
}

TEST(DockMarkers, TheMarkerTimerActsOnlyWhileABarIsDragged) {
    MarkerScene s;
    s.Drag(false);
    ExtDockMarkerSet::ShowFrameMarkers(s.d.pFrame, true);
    CExtDynDockMarkerWnd* pMarker = ExtDockMarkerSet::FrameMarkers()[0];
    CRect rc;
    pMarker->GetWindowRect(&rc);
    ASSERT_TRUE(orvtest::moveUntil(rc.CenterPoint(), [&] {
        POINT pt;
        return ::GetCursorPos(&pt) && CPoint(pt) == rc.CenterPoint() && ::WindowFromPoint(pt) == pMarker->m_hWnd;
    }));
    pMarker->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::kTimerId);
    EXPECT_EQ(0, pMarker->GetHoverState()) << "no drag: the timer does nothing";
    EXPECT_FALSE(pMarker->IsHighlighted());
    s.Drag(true);
    // a late pointer event can still put the cursor back for a moment: the move is sent again
    // until a tick sees the pointer on the marker
    EXPECT_TRUE(orvtest::moveUntil(rc.CenterPoint(), [&] {
        pMarker->SendMessage(WM_TIMER, CExtDynDockMarkerWnd::kTimerId);
        return pMarker->GetHoverState() == 1;
    })) << "hover state " << pMarker->GetHoverState();
    EXPECT_TRUE(pMarker->IsHighlighted());
}

TEST(DockMarkers, NoMarkerOrOwnerWindowIsLeftAfterADrag) {
    orvtest::ScopedPainter painter(new CExtPaintManagerStudio2005);
    Docking d;
    ColourPanel* a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed, CSize(200, 90), CSize(150, 200));
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(a);
    d.pFrame->RecalcLayout();
    Repaint(d.pFrame);
    struct End {
        const char* name;
        std::function<void()> trigger;
    } ends[] = {
        {"Escape", [] { orvtest::pressKey(VK_ESCAPE); }},
        {"right button", [] { MouseAt(CPoint(300, 300), MOUSEEVENTF_RIGHTDOWN); }},
        {"release", [] { MouseAt(CPoint(300, 300), MOUSEEVENTF_LEFTUP); }},
    };
    int nRound = 0;
    for (const End& e : ends) {
        CExtControlBar* pBar = a;
        // each round presses a little further right: a press where the last one was, soon after
        // it, comes as a double click, which docks or floats the bar instead of dragging it
        const CPoint from = ScreenRect(pBar, pBar->m_rcGrip).TopLeft() +
                            CPoint(30 + 3 * ::GetSystemMetrics(SM_CXDOUBLECLK) * nRound++, pBar->m_rcGrip.Height() / 2);
        int nMarkersSeen = 0;
        orvtest::Script script({
            {"to the caption", [&] { return orvtest::moveTo(from, pBar->m_hWnd); }},
            {"press", [&] {
                 MouseAt(from, MOUSEEVENTF_LEFTDOWN);
                 return true;
             }},
            {"pressed", [&] { return ::GetCapture() == pBar->m_hWnd; }},
            // the move must reach the drag detection's own loop: nudged until the drag began
            {"dragging", [&, n = 0]() mutable {
                 if (CExtControlBar::GetCurrentDragBar() == pBar)
                     return true;
                 MouseAt(CPoint(300 + ++n % 2, 300), 0);
                 return false;
             }},
            {"markers shown", [&] {
                 nMarkersSeen = CountWindows(CExtDynDockMarkerWnd::kClassName);
                 return ExtDockMarkerSet::FrameMarkers().GetSize() == 4 && nMarkersSeen >= 4;
             }},
            {"end", [&] {
                 e.trigger();
                 return true;
             }},
            {"ended", [&] { return CExtControlBar::GetCurrentDragBar() == nullptr; }},
            {"buttons up", [&] {
                 MouseAt(CPoint(300, 300), MOUSEEVENTF_RIGHTUP);
                 MouseAt(CPoint(300, 300), MOUSEEVENTF_LEFTUP);
                 return true;
             }},
            {"up", [&] { return ButtonsUp(); }},
        });
        EXPECT_TRUE(script.run()) << e.name << ": stuck at " << script.failure << " (capture "
                                  << orvtest::className(::GetCapture()) << ", "
                                  << orvtest::recentMouseMessages() << ")";
        orvtest::pumpWaiting();
        EXPECT_GE(nMarkersSeen, 4) << e.name;
        EXPECT_EQ(0, CountWindows(CExtDynDockMarkerWnd::kClassName)) << e.name;
        EXPECT_EQ(0, CountWindows("OrvelUI-DynDockMarkerOwner")) << e.name;
        EXPECT_EQ(0, CountWindows(CExtDynDockHighlightWnd::kClassName)) << e.name;
        // in this look the bar went with the pointer: dock it back for the next round
        if (a->IsFloating())
            a->DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT);
        d.pFrame->RecalcLayout();
        Repaint(d.pFrame);
    }
}

// ---- drop targets of a dragged bar --------------------------------------------------------------

namespace {

std::string Text(const CRect& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

CRect WindowOf(CWnd* p) {
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

// A on the left and B at the top (circle 1), F floating beside the frame; the dragged bar D is
// docked at the bottom or floats.
struct DropScene {
    Docking d;
    ColourPanel *a, *b, *f, *dragged;
    DropScene(bool bFloating) {
        a = CaptionPanel(d, ID_PANEL_FIRST, "A", kRed, CSize(200, 90), CSize(150, 200));
        b = CaptionPanel(d, ID_PANEL_FIRST + 1, "B", kGreen, CSize(200, 90), CSize(150, 200));
        f = CaptionPanel(d, ID_PANEL_FIRST + 2, "F", kBlue, CSize(200, 90), CSize(150, 200));
        dragged = CaptionPanel(d, ID_PANEL_FIRST + 3, "D", kBlue, CSize(200, 70), CSize(110, 200));
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(a);
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(b);
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(f);
        d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(dragged);
        d.pFrame->RecalcLayout();
        f->m_sizeFloated = CSize(240, 200);
        f->FloatControlBar(700, 60);
        dragged->m_sizeFloated = CSize(180, 120);
        if (bFloating)
            dragged->FloatControlBar(700, 320);
        d.pFrame->RecalcLayout();
        dragged->m_ptHelperDragOffsetFloated = CPoint(12, 6);
    }
    CRect View() { return WindowOf(d.pFrame->m_pView); }
};

}  // namespace

TEST(DropTargets, PointerFloatingOrDockedCtrlAndLookGiveKindCircleAndRectangle) {
    struct Case {
        const char* name;
        std::function<CPoint(DropScene&)> point;
        DWORD nKind;
        DWORD nCircle;
        std::function<CRect(DropScene&)> rect;   // null: the floating rectangle
    } cases[] = {
        {"view's left edge: inner ring, a new circle inside A's",
         [](DropScene& s) { return CPoint(s.View().left + 3, s.View().CenterPoint().y); }, 7, 2,
         [](DropScene& s) {
             CRect V = s.View();
             return CRect(V.left, V.top, V.left + std::min(110, ::MulDiv(V.Width(), 3, 4)), V.bottom);
         }},
        {"view's right edge, which is the frame's (no bar there): outer ring first",
         [](DropScene& s) { return CPoint(s.View().right - 3, s.View().CenterPoint().y); }, 12, 1,
         [](DropScene& s) {
             CRect rc;
             s.d.pFrame->GetClientRect(&rc);
             s.d.pFrame->ClientToScreen(&rc);
             return CRect(rc.right - 110, rc.top, rc.right, rc.bottom);
         }},
        {"B's top band, below the outer ring: split above B",
         [](DropScene& s) { return CPoint(WindowOf(s.b).CenterPoint().x, WindowOf(s.b).top + 20); }, 1, 0,
         [](DropScene& s) {
             CRect R = WindowOf(s.b);
             return CRect(R.left, R.top, R.right, R.top + R.Height() / 2);
         }},
        {"A's right band: split right of A",
         [](DropScene& s) { return CPoint(WindowOf(s.a).right - 5, WindowOf(s.a).CenterPoint().y); }, 4, 0,
         [](DropScene& s) {
             CRect R = WindowOf(s.a);
             return CRect(R.right - R.Width() / 2, R.top, R.right, R.bottom);
         }},
        {"the frame's very top: outer ring",
         [](DropScene& s) {
             CRect rc;
             s.d.pFrame->GetClientRect(&rc);
             s.d.pFrame->ClientToScreen(&rc);
             return CPoint(rc.CenterPoint().x, rc.top + 3);
         },
         9, 1,
         [](DropScene& s) {
             CRect rc;
             s.d.pFrame->GetClientRect(&rc);
             s.d.pFrame->ClientToScreen(&rc);
             return CRect(rc.left, rc.top, rc.right, rc.top + 70);
         }},
        {"F's mini frame, left band: split left of the floating F",
         [](DropScene& s) { return CPoint(WindowOf(s.f->GetParentFrame()).left + 5, WindowOf(s.f->GetParentFrame()).CenterPoint().y); },
         3, 0,
         [](DropScene& s) {
             CRect R = WindowOf(s.f->GetParentFrame());
             return CRect(R.left, R.top, R.left + R.Width() / 2, R.bottom);
         }},
        {"the view's middle: floats", [](DropScene& s) { return s.View().CenterPoint(); }, 0, 0, nullptr},
        {"outside the frame: floats", [](DropScene&) { return CPoint(900, 600); }, 0, 0, nullptr},
    };
    for (bool bStudio : {false, true}) {
        orvtest::ScopedPainter painter(bStudio ? (CExtPaintManager*)new CExtPaintManagerStudio2005
                                               : (CExtPaintManager*)new CExtPaintManagerXP);
        for (bool bFloating : {false, true}) {
            for (bool bCtrl : {false, true}) {
                for (const Case& c : cases) {
                    DropScene s(bFloating);
                    const std::string name = std::string(c.name) + (bStudio ? ", studio" : ", xp") +
                                             (bFloating ? ", floating" : ", docked") + (bCtrl ? ", Ctrl" : "");
                    const CPoint pt = c.point(s);
                    CExtControlBar::InternalDraggingState_t st(s.dragged);
                    s.dragged->ComputeDropTarget(st, pt.x, pt.y, bCtrl);
                    // Ctrl, and the Studio look outside its markers, always float
                    const bool bFloat = bCtrl || bStudio || c.rect == nullptr;
                    EXPECT_FALSE(st.IsEmpty()) << name;
                    EXPECT_EQ(bFloat ? 0u : c.nKind, st.m_eTarget) << name;
                    EXPECT_EQ(bFloat ? 0u : c.nCircle, st.m_nCircle) << name;
                    if (!bFloat) {
                        EXPECT_EQ(Text(c.rect(s)), Text(st.m_rcTarget)) << name;
                        continue;
                    }
                    EXPECT_EQ(nullptr, st.m_pTarget) << name;
                    // the floating rectangle carries the frame's top-left, which its users take back
                    const CRect F = WindowOf(s.d.pFrame);
                    CRect rc = st.m_rcTarget;
                    rc.OffsetRect(-F.TopLeft());
                    const CSize size = bFloating ? WindowOf(s.dragged->GetParentFrame()).Size() : CSize(180, 120);
                    EXPECT_EQ(size, rc.Size()) << name;
                    if (!bFloating) {
                        EXPECT_EQ(CPoint(pt.x - 12, pt.y - 6), rc.TopLeft()) << name;
                    }
                }
            }
        }
    }
}

TEST(DropTargets, TheFloatingDropTakesTheFrameOriginBack) {
    DropScene s(false);
    const CRect F = WindowOf(s.d.pFrame);
    CExtControlBar::InternalDraggingState_t st(s.dragged);
    s.dragged->ComputeDropTarget(st, 760, 500, true);
    ASSERT_EQ(0u, st.m_eTarget);
    ASSERT_TRUE(s.dragged->ApplyDraggingState(st, true));
    ASSERT_TRUE(s.dragged->IsFloating());
    EXPECT_EQ(CPoint(760 - 12, 500 - 6), WindowOf(s.dragged->GetParentFrame()).TopLeft())
        << "the mini frame where the outline was drawn, frame at " << F.left << "," << F.top;
}
