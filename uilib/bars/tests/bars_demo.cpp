// The bars demo: a frame with resizable bars docked on its four sides and two tool bars, moved
// about by real mouse input as a user would. Without the Studio look a drag shows an outline and
// drops on the frame's sides, the inner circles round the view, beside docked and floating bars
// or floats; in the Studio look the bar follows the pointer and drops on the markers. Tool bars
// move across rows and sides; Escape and a right click cancel. A picture is kept at every stage
// (bars_demo_<stage>_<look>_<depth>.png).
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "NcTestSupport.h"
#include "RenderHarness.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtDynDockMarkerWnd.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "ExtDockMarkerSet.h"
#include <functional>
#include <string>

using namespace barstest;

namespace {

CRect WindowOf(CWnd* p) {
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

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

// The demo frame: Left, Right, Top and Bottom in circle 1 of their sides, two tool bars in one
// row of the top outer dock bar.
struct Demo {
    Docking d{CRect(20, 20, 820, 620)};
    ColourPanel *left, *right, *top, *bottom;
    SizedToolBar*tool1, *tool2;
    std::string look;
    Demo(const std::string& strLook) : look(strLook) {
        left = CaptionPanel(d, ID_PANEL_FIRST, "Left", RGB(200, 80, 80), CSize(200, 100), CSize(150, 200));
        right = CaptionPanel(d, ID_PANEL_FIRST + 1, "Right", RGB(80, 170, 80), CSize(200, 100), CSize(150, 200));
        top = CaptionPanel(d, ID_PANEL_FIRST + 2, "Top", RGB(80, 110, 210), CSize(200, 90), CSize(130, 200));
        bottom = CaptionPanel(d, ID_PANEL_FIRST + 3, "Bottom", RGB(210, 170, 50), CSize(200, 90), CSize(130, 200));
        for (ColourPanel* p : {left, right, top, bottom})
            p->m_sizeFloated = CSize(220, 160);
        tool1 = d.AddTool(ID_TOOL_FIRST, "Tool1", CSize(160, 26));
        tool2 = d.AddTool(ID_TOOL_FIRST + 1, "Tool2", CSize(120, 26));
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(left);
        d.Dock(AFX_IDW_DOCKBAR_RIGHT, 1)->DockControlBar(right);
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(top);
        d.Dock(AFX_IDW_DOCKBAR_BOTTOM, 1)->DockControlBar(bottom);
        SetRows(CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP), {tool1, tool2});
        d.pFrame->RecalcLayout();
        d.pFrame->SetForegroundWindow();
        Settle();
    }
    void Settle() {
        d.pFrame->RecalcLayout();
        Idle();
        Repaint(d.pFrame);
        orvtest::pumpWaiting();
    }
    CRect Client() {
        CRect rc;
        d.pFrame->GetClientRect(&rc);
        d.pFrame->ClientToScreen(&rc);
        return rc;
    }
    CRect View() { return WindowOf(d.pFrame->m_pView); }
    bool Picture(const std::string& stage) {
        return orvtest::screenshot("bars_demo_" + stage + "_" + look + "_" + std::to_string(orvtest::DisplayDepth()));
    }
};

// Where a resizable bar is held: on its caption.
CPoint CaptionPoint(CExtControlBar* pBar) {
    return ScreenRect(pBar, pBar->m_rcGrip).TopLeft() + CPoint(30, pBar->m_rcGrip.Height() / 2);
}

// One drag as a user makes it: press at `from`, move until the drag runs, move to `to()` until
// `there()` holds (the drop target the pointer should give), keep the stage's picture, then end
// it (`finish`: release by default) and wait until `done()` holds with the buttons up.
struct Gesture {
    CWnd* pWnd;                             // the window pressed
    std::function<CPoint()> from;
    std::function<CPoint()> to;
    std::function<bool()> there;
    std::string picture;                    // empty: none
    std::function<void(CPoint)> finish;     // null: release the button
    std::function<bool()> done;
};

::testing::AssertionResult Drag(Demo& demo, const Gesture& g) {
    CPoint from, to;
    bool bPicture = true;
    orvtest::Script script(
        {
            {"to the start", [&] {
                 from = g.from();
                 return orvtest::moveTo(from, g.pWnd->m_hWnd);
             }},
            {"press", [&] {
                 MouseAt(from, MOUSEEVENTF_LEFTDOWN);
                 return true;
             }},
            // the first move must reach the drag detection's own loop: nudged until the drag runs
            {"dragging", [&, n = 0]() mutable {
                 if (CExtControlBar::GetCurrentDragBar() != nullptr)
                     return true;
                 MouseAt(from + CPoint(4 + ++n % 2, 4), 0);
                 return false;
             }},
            {"at the target", [&, n = 0]() mutable {
                 to = g.to();
                 POINT pt;
                 if (::GetCursorPos(&pt) && CPoint(pt) == to && g.there())
                     return true;
                 MouseAt(to + CPoint(0, ++n % 3 == 0 ? 1 : 0), 0);
                 MouseAt(to, 0);
                 return false;
             }},
            {"picture", [&] {
                 if (!g.picture.empty())
                     bPicture = demo.Picture(g.picture);
                 return true;
             }},
            {"end", [&] {
                 if (g.finish)
                     g.finish(to);
                 else
                     MouseAt(to, MOUSEEVENTF_LEFTUP);
                 return true;
             }},
            {"drag over", [&] { return CExtControlBar::GetCurrentDragBar() == nullptr; }},
            {"buttons up", [&] {
                 if (!ButtonsUp()) {
                     MouseAt(to, MOUSEEVENTF_LEFTUP);
                     MouseAt(to, MOUSEEVENTF_RIGHTUP);
                     orvtest::keyUp(VK_ESCAPE);
                 }
                 return ButtonsUp();
             }},
        },
        30000);
    const bool bRan = script.run();
    std::string state;
    if (!bRan) {
        // what the drag saw when it got stuck
        POINT pt;
        ::GetCursorPos(&pt);
        const CExtControlBar::InternalDraggingState_t& shown = CExtControlBar::DragShownState();
        char sz[256];
        snprintf(sz, sizeof sz, " (kind %lu, cursor %d,%d, target %d,%d, under %s, bar markers %d for %p)",
                 (unsigned long)shown.m_eTarget, (int)pt.x, (int)pt.y, (int)to.x, (int)to.y,
                 orvtest::className(::WindowFromPoint(pt)).c_str(), (int)ExtDockMarkerSet::BarMarkers().GetSize(),
                 (void*)ExtDockMarkerSet::GetBarMarkersTarget());
        state = sz;
        demo.Picture("stuck_" + g.picture);
    }
    orvtest::pumpWaiting();
    demo.Settle();
    if (!bRan)
        return ::testing::AssertionFailure() << "stuck at: " << script.failure << state;
    if (!bPicture)
        return ::testing::AssertionFailure() << "no picture " << g.picture;
    if (!orvtest::pumpUntil(g.done, 10000))
        return ::testing::AssertionFailure() << "the drop did not land";
    return ::testing::AssertionSuccess();
}

bool TargetIs(DWORD nKind) {
    const CExtControlBar::InternalDraggingState_t& shown = CExtControlBar::DragShownState();
    return !shown.IsEmpty() && shown.m_eTarget == nKind;
}

CExtDockDynBar* ContainerOf(CExtControlBar* pBar) { return DYNAMIC_DOWNCAST(CExtDockDynBar, pBar->m_pDockBar); }

}  // namespace

TEST(BarsDemo, OutlineDragsOntoEveryZoneKindToolBarsAndCancels) {
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Demo demo("xp");
    ASSERT_TRUE(demo.Picture("start"));
    // a frame side: Bottom to the outer ring at the right, circle 1 emptied for it
    EXPECT_TRUE(Drag(demo, {demo.bottom, [&] { return CaptionPoint(demo.bottom); },
                           [&] { return CPoint(demo.Client().right - 4, demo.Client().CenterPoint().y); },
                           [] { return TargetIs(12); }, "side", nullptr,
                           [&] { return Place(demo.bottom) == "right 1"; }}));
    EXPECT_EQ("right 2", Place(demo.right)) << "Right moved one circle in";
    // an inner circle: Top to the view's left edge, inside Left
    EXPECT_TRUE(Drag(demo, {demo.top, [&] { return CaptionPoint(demo.top); },
                           [&] { return CPoint(demo.View().left + 4, demo.View().CenterPoint().y); },
                           [] { return TargetIs(7); }, "inner", nullptr,
                           [&] {
                               return demo.top->GetDockSideId() == AFX_IDW_DOCKBAR_LEFT &&
                                      demo.top->GetDockBarCircle() > demo.left->GetDockBarCircle();
                           }}));
    // beside a docked bar: Right below Left, the two in a new container
    EXPECT_TRUE(Drag(demo, {demo.right, [&] { return CaptionPoint(demo.right); },
                           [&] { return CPoint(WindowOf(demo.left).CenterPoint().x, WindowOf(demo.left).bottom - 6); },
                           [] { return TargetIs(2); }, "split", nullptr,
                           [&] {
                               return ContainerOf(demo.right) != nullptr && ContainerOf(demo.right) == ContainerOf(demo.left) &&
                                      Rows(ContainerOf(demo.right)) == "Left Right |";
                           }}));
    // floating: Bottom dropped on the view's middle
    EXPECT_TRUE(Drag(demo, {demo.bottom, [&] { return CaptionPoint(demo.bottom); },
                           [&] { return demo.View().CenterPoint() + CPoint(30, 40); }, [] { return TargetIs(0); },
                           "float", nullptr, [&] { return demo.bottom->IsFloating(); }}));
    // beside a floating bar: Top left of the floating Bottom, the container floats
    EXPECT_TRUE(Drag(demo, {demo.top, [&] { return CaptionPoint(demo.top); },
                           [&] {
                               CRect R = WindowOf(demo.bottom->GetParentFrame());
                               return CPoint(R.left + 8, R.CenterPoint().y);
                           },
                           [] { return TargetIs(3); }, "split_floating", nullptr,
                           [&] {
                               return ContainerOf(demo.top) != nullptr && ContainerOf(demo.top) == ContainerOf(demo.bottom) &&
                                      ContainerOf(demo.top)->GetContainer()->IsFloating();
                           }}));
    // Escape and a right click cancel: Left stays where it is
    // (each press a little aside from the last: two presses at one point within the double-click
    // time are one double click, which starts no drag)
    const CRect rcLeft = WindowOf(demo.left);
    int nAside = 0;
    for (const char* how : {"cancel_escape", "cancel_right"}) {
        const bool bEscape = std::string(how) == "cancel_escape";
        nAside += ::GetSystemMetrics(SM_CXDOUBLECLK) + 2;
        EXPECT_TRUE(Drag(demo, {demo.left, [&] { return CaptionPoint(demo.left) + CPoint(nAside, 0); },
                               [&] { return demo.View().CenterPoint(); }, [] { return TargetIs(0); }, how,
                               [bEscape](CPoint pt) {
                                   if (bEscape)
                                       orvtest::keyDown(VK_ESCAPE);
                                   else
                                       MouseAt(pt, MOUSEEVENTF_RIGHTDOWN);
                               },
                               [&] { return WindowOf(demo.left) == rcLeft && !demo.left->IsFloating(); }}))
            << how;
        orvtest::keyUp(VK_ESCAPE);
    }
    // tool bars: Tool2 to a row of its own below Tool1, then to the left side
    CExtDockBar* pTop = CExtDockBar::GetOuterDockBar(demo.d.pFrame, AFX_IDW_DOCKBAR_TOP);
    CExtDockBar* pLeft = CExtDockBar::GetOuterDockBar(demo.d.pFrame, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ("Tool1 Tool2 |", Rows(pTop));
    auto toolPoint = [&] { return WindowOf(demo.tool2).TopLeft() + CPoint(5, 8); };
    EXPECT_TRUE(Drag(demo, {demo.tool2, toolPoint,
                           [&] { return CPoint(WindowOf(demo.tool1).left + 20, WindowOf(demo.tool1).bottom + 6); },
                           [&] { return Rows(pTop) == "Tool1 | Tool2 |"; }, "toolbar_row", nullptr,
                           [&] { return Rows(pTop) == "Tool1 | Tool2 |"; }}));
    EXPECT_TRUE(Drag(demo, {demo.tool2, toolPoint,
                           [&] { return CPoint(demo.Client().left + 6, demo.Client().CenterPoint().y); },
                           [&] { return demo.tool2->m_pDockBar == pLeft; }, "toolbar_side", nullptr,
                           [&] { return demo.tool2->m_pDockBar == pLeft && Rows(pTop) == "Tool1 |"; }}));
    demo.Settle();
    EXPECT_TRUE(demo.Picture("end"));
    // the layout goes to a file (a temporary file renamed over the old one), a new frame is
    // built from it, and every bar is in its place and of its size
    const std::string folder = orvtest::makeScratchFolder("bars_demo");
    const std::string path = folder + "\\layout.bin", temp = folder + "\\layout.tmp";
    auto where = [](Demo& m) {
        std::string text;
        for (CExtControlBar* p : std::initializer_list<CExtControlBar*>{m.left, m.right, m.top, m.bottom, m.tool1, m.tool2}) {
            CString str;
            p->GetWindowText(str);
            const CRect rc = WindowOf(p);
            text += std::string((LPCTSTR)str) + ": " + Place(p) + " " + std::to_string(rc.Width()) + "x" +
                    std::to_string(rc.Height()) + (p->IsWindowVisible() ? "" : " hidden") + "; ";
        }
        return text;
    };
    for (int nRound = 0; nRound < 2; nRound++) {   // the second save replaces the first file
        CFile file;
        ASSERT_TRUE(file.Open(temp.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, demo.d.pFrame));
        ar.Close();
        file.Close();
        ASSERT_TRUE(::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    const std::string saved = where(demo);
    {
        Demo rebuilt("xp");
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        EXPECT_TRUE(CExtControlBar::SerializeFrameBarState(ar, rebuilt.d.pFrame));
        ar.Close();
        file.Close();
        rebuilt.Settle();
        EXPECT_EQ(saved, where(rebuilt));
        EXPECT_TRUE(rebuilt.Picture("restored"));
    }
}

TEST(BarsDemo, StudioDragsOntoFrameAndBarMarkersWithTheHighlight) {
    orvtest::ScopedPainter painter(new CExtPaintManagerStudio2005);
    Demo demo("studio2005");
    ASSERT_TRUE(demo.Picture("start"));
    auto markerPoint = [](CExtDynDockMarkerWnd::Array& arr, int nSide) {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            if (arr[i]->GetSide() == nSide)
                return WindowOf(arr[i]).CenterPoint();
        return CPoint(-100, -100);
    };
    auto highlighted = [](CExtDynDockMarkerWnd::Array& arr, int nSide) {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            if (arr[i]->GetSide() == nSide)
                return arr[i]->GetHighlight() != nullptr && arr[i]->GetHighlight()->IsWindowVisible();
        return false;
    };
    // Left onto the frame's bottom marker: the highlight shows the bottom of the frame
    EXPECT_TRUE(Drag(demo, {demo.left, [&] { return CaptionPoint(demo.left); },
                           [&] { return markerPoint(ExtDockMarkerSet::FrameMarkers(), 1); },
                           [&] { return TargetIs(15) && highlighted(ExtDockMarkerSet::FrameMarkers(), 1); },
                           "frame_marker", nullptr, [&] { return Place(demo.left) == "bottom 1"; }}));
    EXPECT_EQ(0, ExtDockMarkerSet::FrameMarkers().GetSize()) << "no marker left after the drag";
    // Top onto the left marker of the markers over the view: a new innermost circle at the left
    EXPECT_TRUE(Drag(demo, {demo.top, [&] { return CaptionPoint(demo.top); },
                           [&] {
                               // over the view first, so that its markers come, then onto its left marker
                               if (ExtDockMarkerSet::GetBarMarkersTarget() != demo.d.pFrame->m_pView->m_hWnd)
                                   return demo.View().CenterPoint() + CPoint(-60, -60);
                               return markerPoint(ExtDockMarkerSet::BarMarkers(), 2);
                           },
                           [&] { return TargetIs(20) && highlighted(ExtDockMarkerSet::BarMarkers(), 2); },
                           "bar_marker", nullptr,
                           [&] {
                               return demo.top->GetDockSideId() == AFX_IDW_DOCKBAR_LEFT && !demo.top->IsFloating();
                           }}));
    // dropped outside every marker: floats where it was left
    EXPECT_TRUE(Drag(demo, {demo.bottom, [&] { return CaptionPoint(demo.bottom); },
                           [&] { return demo.View().CenterPoint() + CPoint(40, -60); }, [] { return TargetIs(0); },
                           "float", nullptr, [&] { return demo.bottom->IsFloating(); }}));
    demo.Settle();
    EXPECT_TRUE(demo.Picture("end"));
}
