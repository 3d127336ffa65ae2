// The anchor and window-state layers on a resizable dialog from the program's resources: the
// children follow a table of sizes, the minimum size holds when the window is sized, the size
// grip answers the hit test, minimising arranges at 0 x 0, placement strings are read with bounds and restored onto
// a monitor, and Alt+Space opens the system menu as a library popup (recorded by the stand-in).
#include <afxcmn.h>
#include <orv/TestEnv.h>
#include "CExtResDlg.h"
#include "RenderHarness.h"
#include "CExtWA.h"
#include "CExtWS.h"
#include "DialogsTestApp.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "dialogs_test_resources.h"
#include <algorithm>

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

namespace {

class ResizableDialog : public CExtWA<CExtWS<CExtResDlg>> {
public:
    ResizableDialog() : CExtWA<CExtWS<CExtResDlg>>(IDD_RESIZE, (CWnd*)NULL) {}
    BOOL OnInitDialog() override
    {
        CExtWA<CExtWS<CExtResDlg>>::OnInitDialog();
        AddAnchor(IDC_LABEL, __RDA_LT);
        AddAnchor(IDC_FULL, __RDA_LT, __RDA_RB);
        AddAnchor(IDC_CORNER, __RDA_RB);
        AddAnchor(IDC_HALF, __RDA_LT, CSize(50, 100));
        AddAnchor(IDOK, CSize(50, 100));
        ShowSizeGrip(true);
        return TRUE;
    }
    using CExtWA<CExtWS<CExtResDlg>>::m_nStateFlags;
};

struct Shown {
    ResizableDialog dlg;
    Shown()
    {
        dlgtest::App();
        CExtPopupMenuWnd::ResetStandIn();
        EXPECT_TRUE(dlg.Create(IDD_RESIZE));
        dlg.SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        orvtest::pumpWaiting();
    }
    ~Shown()
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
        CExtPopupMenuWnd::ResetStandIn();
    }
    HWND item(int id) { return ::GetDlgItem(dlg.m_hWnd, id); }
    CSize client()
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        return rc.Size();
    }
    CSize window()
    {
        CRect rc;
        dlg.GetWindowRect(&rc);
        return rc.Size();
    }
};

}  // namespace

TEST(Anchors, ChildrenFollowATableOfSizes)
{
    Shown s;
    const CSize c0 = s.client();
    const CRect full0 = dlgtest::RectInParent(s.item(IDC_FULL)), corner0 = dlgtest::RectInParent(s.item(IDC_CORNER)),
                label0 = dlgtest::RectInParent(s.item(IDC_LABEL)), half0 = dlgtest::RectInParent(s.item(IDC_HALF));
    const CSize sizes[] = {{80, 60}, {200, 10}, {0, 150}, {33, 33}, {0, 0}};
    for (const CSize& grow : sizes) {
        const CSize w = s.window();
        s.dlg.SetWindowPos(NULL, 0, 0, w.cx + grow.cx, w.cy + grow.cy, SWP_NOMOVE | SWP_NOZORDER);
        const CSize c = s.client();
        const CSize d(c.cx - c0.cx, c.cy - c0.cy);
        const CRect full = dlgtest::RectInParent(s.item(IDC_FULL)), corner = dlgtest::RectInParent(s.item(IDC_CORNER));
        // full: every edge keeps its distance to the edge it is anchored to
        EXPECT_EQ(CRect(full0.left, full0.top, full0.right + d.cx, full0.bottom + d.cy), full) << grow.cx << "x" << grow.cy;
        // corner only: the same size, moved with the bottom-right corner
        EXPECT_EQ(CRect(corner0.left + d.cx, corner0.top + d.cy, corner0.right + d.cx, corner0.bottom + d.cy), corner);
        EXPECT_EQ(label0, dlgtest::RectInParent(s.item(IDC_LABEL)));
        // half: its right edge at half the width plus the stored offset
        const CRect half = dlgtest::RectInParent(s.item(IDC_HALF));
        EXPECT_EQ(half0.right - c0.cx * 50 / 100 + ::MulDiv(c.cx, 50, 100), half.right);
        // the dialog's own content shrinks back with it
        s.dlg.SetWindowPos(NULL, 0, 0, w.cx, w.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
}

TEST(Anchors, AtHalfAnOddSizeTheChildDriftsByOnePixel)
{
    Shown s;
    // make the client width odd, anchor again there and arrange at that same size
    CSize c = s.client();
    if (c.cx % 2 == 0) {
        const CSize w = s.window();
        s.dlg.SetWindowPos(NULL, 0, 0, w.cx + 1, w.cy, SWP_NOMOVE | SWP_NOZORDER);
        c = s.client();
    }
    ASSERT_EQ(1, c.cx % 2);
    s.dlg.RemoveAllAnchors();
    const CRect half0 = dlgtest::RectInParent(s.item(IDC_HALF)), ok0 = dlgtest::RectInParent(s.item(IDOK));
    ASSERT_TRUE(s.dlg.AddAnchor(IDC_HALF, __RDA_LT, CSize(50, 100)));
    ASSERT_TRUE(s.dlg.AddAnchor(IDOK, CSize(50, 100)));
    s.dlg.ArrangeLayout();
    // offsets were stored with truncation, re-applied with MulDiv's rounding
    EXPECT_EQ(half0.right + 1, dlgtest::RectInParent(s.item(IDC_HALF)).right);
    EXPECT_EQ(ok0.left + 1, dlgtest::RectInParent(s.item(IDOK)).left);
    EXPECT_EQ(ok0.Width(), dlgtest::RectInParent(s.item(IDOK)).Width());
}

TEST(Anchors, WhatIsRefused)
{
    Shown s;
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    EXPECT_FALSE(s.dlg.AddAnchor(other, __RDA_LT));                 // not a descendant
    EXPECT_FALSE(s.dlg.AddAnchor(s.item(IDC_LABEL), __RDA_NONE));   // no left-top anchor
    EXPECT_FALSE(s.dlg.AddAnchor((UINT)4242, __RDA_LT));            // no such child
    ::DestroyWindow(other);
    // a destroyed child is dropped at the next arrangement
    const int before = s.dlg.GetAnchorCount();
    ::DestroyWindow(s.item(IDC_LABEL));
    s.dlg.ArrangeLayout();
    EXPECT_EQ(before - 1, s.dlg.GetAnchorCount());
}

TEST(Anchors, MinimisingArrangesAtTheReportedSize)
{
    Shown s;
    const CSize c0 = s.client();
    const CRect full0 = dlgtest::RectInParent(s.item(IDC_FULL));
    orvtest::MessageRecorder sizes(s.dlg.m_hWnd, {WM_SIZE});
    s.dlg.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(orvtest::pumpUntil([&] {
        for (const orvtest::Message& m : sizes.received())
            if (m.wParam == SIZE_MINIMIZED)
                return true;
        return false;
    }));
    LPARAM reported = 0;
    for (const orvtest::Message& m : sizes.received())
        if (m.wParam == SIZE_MINIMIZED)
            reported = m.lParam;
    EXPECT_EQ(0, reported);
    // at 0 x 0 the full child keeps only its offsets (a negative width ends as 0)
    CRect full;
    ::GetWindowRect(s.item(IDC_FULL), &full);
    EXPECT_EQ(std::max(0, (int)(full0.Width() - c0.cx)), full.Width());
    s.dlg.ShowWindow(SW_RESTORE);
    orvtest::pumpWaiting();
    EXPECT_EQ(full0, dlgtest::RectInParent(s.item(IDC_FULL)));
}

TEST(WindowState, TheGripHoldsTheMinimumSize)
{
    Shown s;
    const CSize minimum = s.dlg.GetMinTrackSize();
    EXPECT_EQ(s.window(), minimum);   // the size at the first WM_SIZE
    MINMAXINFO info = {};
    s.dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(minimum.cx, info.ptMinTrackSize.x);

    // the grip answers the hit test at its place, and only there
    const RECT grip = s.dlg.GetGripRect();
    ASSERT_FALSE(::IsRectEmpty(&grip));
    POINT inGrip = orvtest::screenPoint(s.dlg.m_hWnd, {grip.right - 3, grip.bottom - 3});
    EXPECT_EQ(HTBOTTOMRIGHT, s.dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inGrip.x, inGrip.y)));
    POINT outside = orvtest::screenPoint(s.dlg.m_hWnd, {grip.left - 2, grip.top - 2});
    EXPECT_NE(HTBOTTOMRIGHT, s.dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(outside.x, outside.y)));

    // the window manager asks the layer when the window is sized: larger goes, smaller stops
    // at the minimum
    s.dlg.SetWindowPos(NULL, 0, 0, minimum.cx + 60, minimum.cy + 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CSize(minimum.cx + 60, minimum.cy + 40), s.window());
    orvtest::pumpWaiting();
    orvtest::screenshot("dialogs_resized_" + std::to_string(orvtest::DisplayDepth()));
    s.dlg.SetWindowPos(NULL, 0, 0, minimum.cx - 150, minimum.cy - 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(minimum, s.window());
}

TEST(WindowState, PlacementStringsAreReadWithBounds)
{
    Shown s;
    CWinApp& app = dlgtest::App();
    const CRect start(100, 100, 100 + s.window().cx, 100 + s.window().cy);
    struct Case {
        const char* text;
        bool hide;
        bool applied;
        CRect rc;
    } cases[] = {
        {"10,20,410,320,1,0", false, true, CRect(10, 20, 410, 320)},
        {"15,25,415,325,1,0", true, true, CRect(15, 25, 415, 325)},
        {"10,20,410,320,1", false, false, start},
        {"garbage", false, false, start},
        {"10,20,410,320,1,0,7", false, false, start},
        {"10,20,410,3000000000,1,0", false, false, start},
        {"10,20,410,-3000000000,1,0", false, false, start},
        {"410,20,10,320,1,0", false, false, start},
        {" 10,20,410,320,1,0x", false, false, start},
    };
    for (const Case& c : cases) {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        wp.showCmd = SW_SHOWNORMAL;
        wp.rcNormalPosition = start;
        s.dlg.SetWindowPlacement(&wp);
        app.WriteProfileString("Placement", "Case", c.text);
        s.dlg.EnableSaveRestore("Placement", "Case", c.hide);
        ::GetWindowPlacement(s.dlg.m_hWnd, &wp);
        EXPECT_EQ(c.rc, CRect(wp.rcNormalPosition)) << c.text;
        EXPECT_EQ(!(c.applied && c.hide), ::IsWindowVisible(s.dlg.m_hWnd) != FALSE) << c.text;
        s.dlg.ShowWindow(SW_SHOW);
    }

    // on no monitor: moved onto the nearest work area, its size kept
    app.WriteProfileString("Placement", "Case", "5000,5000,5400,5300,1,0");
    s.dlg.LoadWindowRect(false);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(s.dlg.m_hWnd, &wp);
    CRect rc(wp.rcNormalPosition);
    EXPECT_EQ(CSize(400, 300), rc.Size());
    EXPECT_NE(nullptr, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL));

    // saved when the window goes, restored by the next one
    s.dlg.SetWindowPos(NULL, 30, 40, 350, 260, SWP_NOZORDER);
    s.dlg.EnableSaveRestore("Placement", "Saved");
    s.dlg.SetWindowPos(NULL, 31, 41, 351, 261, SWP_NOZORDER);
    s.dlg.DestroyWindow();
    EXPECT_EQ(CString("31,41,382,302,1,0"), app.GetProfileString("Placement", "Saved"));
    ResizableDialog again;
    ASSERT_TRUE(again.Create(IDD_RESIZE));
    again.EnableSaveRestore("Placement", "Saved");
    CRect restored;
    again.GetWindowRect(&restored);
    EXPECT_EQ(CRect(31, 41, 382, 302), restored);
    again.DestroyWindow();
}

TEST(WindowState, AltSpaceOpensTheSystemMenuAsALibraryPopup)
{
    Shown s;
    s.dlg.SetFocus();
    // Alt, Space, and a Shift before Alt goes up: the layer eats the Space, so without another
    // key the system would take Alt as pressed alone and open its own menu mode when it goes up
    // (a real library popup holds the keyboard while it is tracked; the stand-in returns at once)
    orvtest::keyDown(VK_MENU);
    orvtest::pressKey(VK_SPACE);
    orvtest::pressKey(VK_SHIFT);
    orvtest::keyUp(VK_MENU);
    auto& tracked = CExtPopupMenuWnd::standIn().tracked;
    ASSERT_TRUE(orvtest::pumpUntil([&] { return tracked.size() == 1; }));
    const CExtPopupMenuTrackRecord& r = tracked[0];
    EXPECT_EQ(0x46u, r.nFlags);   // from the keyboard: select the first item
    CRect rcWindow, rcClient;
    s.dlg.GetWindowRect(&rcWindow);
    s.dlg.GetClientRect(&rcClient);
    s.dlg.ClientToScreen(&rcClient);
    EXPECT_EQ(CPoint(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), rcClient.top), r.point);
    EXPECT_FALSE(r.bExclude);
    EXPECT_EQ(s.dlg.m_hWnd, r.hWndOwner);
    bool close = false;
    for (const auto& item : r.items)
        close = close || item.nCmdID == SC_CLOSE;
    EXPECT_TRUE(close);
    // the watch timer sees the menu closed and stops
    EXPECT_TRUE(orvtest::pumpUntil([&] { return !s.dlg.IsTrackingSystemMenu(); }));

    // a child dialog takes no part: Alt+Space goes on to its base (the dialog manager, which
    // opens the system's own menu of the top window) and it shows no menu itself
    CExtWS<CExtResDlg> child(IDD_PAGE1, &s.dlg);
    ASSERT_TRUE(child.Create(IDD_PAGE1, &s.dlg));
    EXPECT_FALSE(child.TrackSystemMenu(NULL, true));
    EXPECT_EQ(1u, tracked.size());
    child.DestroyWindow();
}

namespace {

// The GUI's list control (a framework list control) as far as the anchor layer needs it.
class CCommonListCtrl : public CListCtrl {};

}  // namespace

TEST(Anchors, AListControlCarriesAnchoredChildren)
{
    dlgtest::App();
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 350), NULL, 0));
    CExtWA<CCommonListCtrl> list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 150), &host, 1));
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 30, 180, 100, list.m_hWnd, NULL, NULL, NULL);
    const CRect edit0 = dlgtest::RectInParent(edit);
    ASSERT_TRUE(list.AddAnchor(edit, __RDA_LT, __RDA_RB));
    CRect client0;
    list.GetClientRect(&client0);
    list.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(CRect(edit0.left, edit0.top, edit0.right + client.Width() - client0.Width(),
                    edit0.bottom + client.Height() - client0.Height()),
              dlgtest::RectInParent(edit));
    list.DestroyWindow();
    EXPECT_EQ(0, list.GetAnchorCount());
    host.DestroyWindow();
}
