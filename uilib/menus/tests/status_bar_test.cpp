// The status bar in a test frame under Xvfb: its panes from SetIndicators, one repaint per text
// update of the control, what a pane draws, pane hit tests, the size grip per look, the prompts
// and the bars context menu on a right click.
#include "orv/UiTest.h"
#include "TestLooks.h"
#include "RenderHarness.h"
#include <afxdocking.h>
#include <commctrl.h>
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuSite.h"
#include "CExtPopupMenuWnd.h"
#include "CExtStatusControlBar.h"
#include "status_test_resources.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD kStatusStyle = 0x50008200;   // child, visible, bottom, top border
const UINT kStatusID = 0xE801;


// A resizable bar of the frame, listed in its bars menu under its name.
class Panel : public CExtControlBar {
public:
    int HitTestItem(CPoint) const override { return -1; }
};

// The status bar, counting the WM_PAINT messages it painted for and those it swallowed while
// the control updated itself.
class CountingBar : public CExtStatusControlBar {
public:
    int m_nPainted = 0;
    int m_nSwallowed = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++((m_nStatusFlags & STATUS_UPDATING_CONTROL) ? m_nSwallowed : m_nPainted);
        return CExtStatusControlBar::WindowProc(message, wParam, lParam);
    }
};

// The main frame as the GUI makes it: a view, a docked bar and the status bar with one
// stretching prompt pane.
class StatusFrame : public CFrameWnd {
public:
    bool Build(const CRect& rc, const UINT* pIndicators, int nCount)
    {
        if (!Create(NULL, "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc))
            return false;
        m_pView = new CWnd;
        if (!m_pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                             CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return false;
        if (!g_CmdManager->ProfileSetup("status test", m_hWnd))
            return false;
        if (!CExtControlBar::FrameEnableDocking(this))
            return false;
        if (!m_panel.Create("Watch log", this, ID_STATUS_PANEL,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP))
            return false;
        m_panel.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_panel, AFX_IDW_DOCKBAR_TOP);
        if (!m_status.Create(this, kStatusStyle, kStatusID) || !m_status.SetIndicators(pIndicators, nCount))
            return false;
        RecalcLayout();
        return true;
    }
    CWnd* m_pView = nullptr;
    Panel m_panel;
    CountingBar m_status;
    std::vector<UINT> m_commands;   // commands that reached the frame

protected:
    // the menu's commands have handlers, so their items are enabled
    afx_msg void OnStatusCommand(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_STATUS_CMD_OPEN, ID_STATUS_CMD_SAVE, OnStatusCommand)
END_MESSAGE_MAP()

struct FrameHolder {
    StatusFrame* pFrame = nullptr;
    HWND hWnd = NULL;
    explicit FrameHolder(const std::vector<UINT>& ids = {0}, const CRect& rc = CRect(40, 40, 560, 360))
    {
        orvtest::uiApp("status bar tests");
        pFrame = new StatusFrame;
        EXPECT_TRUE(pFrame->Build(rc, ids.empty() ? NULL : ids.data(), (int)ids.size()));
        hWnd = pFrame->m_hWnd;
        AfxGetApp()->m_pMainWnd = pFrame;
        pFrame->UpdateWindow();
        pFrame->SetForegroundWindow();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == hWnd; }));
        orvtest::pumpWaiting();
    }
    ~FrameHolder()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        if (::IsWindow(hWnd)) {
            g_CmdManager->ProfileWndRemove(hWnd, true);
            pFrame->DestroyWindow();
        }
    }
    CountingBar& Bar() { return pFrame->m_status; }
};

int TextWidth(CWnd& bar, const CString& str)
{
    CClientDC dc(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, (HFONT)bar.SendMessage(WM_GETFONT));
    const int cx = dc.GetTextExtent(str).cx;
    ::SelectObject(dc.m_hDC, hOld);
    return cx;
}

}  // namespace

// ---- panes ----------------------------------------------------------------------------------

// Panes, widths, styles and texts from a table of indicator arrays.
TEST(StatusBarPanes, SetIndicatorsTable)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    const int cxQuarter = ::GetSystemMetrics(SM_CXSCREEN) / 4;
    struct Pane {
        UINT id;
        int width;   // -1: the text's width in the bar's font
        UINT style;
        const char* text;
    };
    struct Case {
        const char* name;
        std::vector<UINT> ids;
        bool nullArray;
        std::vector<Pane> panes;
    };
    const std::vector<Case> cases = {
        {"one prompt pane", {0}, false, {{0, cxQuarter, SBPS_STRETCH | SBPS_NOBORDERS, ""}}},
        {"prompt pane and two texts",
         {0, IDS_STATUS_CAPS, IDS_STATUS_LONG},
         false,
         {{0, cxQuarter, SBPS_STRETCH | SBPS_NOBORDERS, ""},
          {IDS_STATUS_CAPS, -1, 0, "CAP"},
          {IDS_STATUS_LONG, -1, 0, "Connections: 12345"}}},
        {"a prompt pane that is not first neither stretches nor loses its border",
         {IDS_STATUS_CAPS, 0},
         false,
         {{IDS_STATUS_CAPS, -1, 0, "CAP"}, {0, cxQuarter, 0, ""}}},
        {"a missing string gives an empty pane of no width", {IDS_STATUS_MISSING}, false, {{IDS_STATUS_MISSING, 0, 0, ""}}},
        {"no array: empty panes", {0, 0}, true, {{0, 0, 0, ""}, {0, 0, 0, ""}}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(bar.SetIndicators(c.nullArray ? NULL : c.ids.data(), (int)c.ids.size())) << c.name;
        ASSERT_EQ((int)c.panes.size(), bar.GetCount()) << c.name;
        for (int i = 0; i < bar.GetCount(); i++) {
            UINT nID = 0, nStyle = 0;
            int cx = 0;
            bar.GetPaneInfo(i, nID, nStyle, cx);
            const Pane& p = c.panes[(size_t)i];
            EXPECT_EQ(p.id, nID) << c.name << " pane " << i;
            EXPECT_EQ(p.style, nStyle) << c.name << " pane " << i;
            EXPECT_EQ(p.width < 0 ? TextWidth(bar, p.text) : p.width, cx) << c.name << " pane " << i;
            EXPECT_EQ(CString(p.text), bar.GetPaneText(i)) << c.name << " pane " << i;
        }
    }
    // an invalid index reads nothing
    UINT nID = 7, nStyle = 7;
    int cx = 7;
    bar.GetPaneInfo(5, nID, nStyle, cx);
    EXPECT_EQ(0u, nID);
    EXPECT_EQ(0, cx);
    EXPECT_FALSE(bar.SetPaneText(5, "x"));
    EXPECT_FALSE(bar.SetIndicators(NULL, -1));
}

// The stretching prompt pane fills the bar up to the size grip; after a resize too.
TEST(StatusBarPanes, PromptPaneStretches)
{
    FrameHolder f({0, IDS_STATUS_CAPS});
    CExtStatusControlBar& bar = f.Bar();
    for (int nWidth : {520, 700}) {
        f.pFrame->SetWindowPos(NULL, 0, 0, nWidth, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        f.pFrame->RecalcLayout();
        orvtest::pumpWaiting();
        CRect rcClient, rc0, rc1;
        bar.GetClientRect(&rcClient);
        bar.GetItemRect(0, &rc0);
        bar.GetItemRect(1, &rc1);
        EXPECT_EQ(0, rc0.left) << nWidth;
        EXPECT_GT(rc0.Width(), rcClient.Width() / 2) << nWidth;
        EXPECT_LE(rc1.right, rcClient.right) << nWidth;
        int aBorders[3] = {0, 0, 0};
        bar.SendMessage(SB_GETBORDERS, 0, (LPARAM)aBorders);
        EXPECT_GE(rc1.left, rc0.right) << nWidth;
        EXPECT_LE(rc1.left - rc0.right, aBorders[2]) << nWidth << ": the control's gap between panes only";
    }
}

// A text or icon update through the control paints the bar once: the control's own paint
// inside the update is swallowed, and nothing is left to paint afterwards.
TEST(StatusBarPaint, OneRepaintPerTextUpdate)
{
    FrameHolder f({0, IDS_STATUS_CAPS});
    CountingBar& bar = f.Bar();
    bar.UpdateWindow();
    orvtest::pumpWaiting();
    orvtest::MessageRecorder paints(bar.m_hWnd, {WM_PAINT});
    struct Case {
        const char* name;
        std::function<void()> update;
    };
    const Case cases[] = {
        {"prompt text", [&] { bar.SetPaneText(0, "Checking 3 items"); }},
        {"indicator text", [&] { bar.SetPaneText(1, "NUM"); }},
        {"the control's own message", [&] { bar.SendMessage(SB_SETTEXTA, 1, (LPARAM)"CAP"); }},
        {"an icon", [&] { bar.SendMessage(SB_SETICON, 1, (LPARAM)::LoadIcon(NULL, IDI_INFORMATION)); }},
        {"the frame's prompt", [&] { f.pFrame->SetMessageText("Connecting"); }},
    };
    for (const Case& c : cases) {
        paints.clear();
        bar.m_nPainted = bar.m_nSwallowed = 0;
        c.update();
        EXPECT_EQ(1, bar.m_nPainted) << c.name << ": painted at once";
        orvtest::pumpWaiting();
        EXPECT_EQ(1, bar.m_nPainted) << c.name << ": nothing left to paint";
        EXPECT_EQ((size_t)(bar.m_nPainted + bar.m_nSwallowed), paints.received().size()) << c.name;
        EXPECT_EQ(0, bar.m_nStatusFlags) << c.name;
    }
    EXPECT_EQ(CString("Connecting"), bar.GetPaneText(0));
}

// What one pane draws: its text in the bar's text colour, a disabled pane nothing unless the
// bar is told to show disabled texts (then in the disabled colour), an empty text nothing.
TEST(StatusBarPaint, PaneItemTable)
{
    FrameHolder f({0, IDS_STATUS_CAPS});
    CExtStatusControlBar& bar = f.Bar();
    const COLORREF kBack = RGB(255, 255, 255);
    struct Case {
        const char* name;
        UINT style;
        bool showDisabled;
        const char* text;
        COLORREF expected;   // the text's colour; kBack: nothing drawn
    };
    const Case cases[] = {
        {"enabled", 0, false, "WWWW", bar.m_clrText},
        {"disabled", SBPS_DISABLED, false, "WWWW", kBack},
        {"disabled, shown", SBPS_DISABLED, true, "WWWW", bar.m_clrTextDisabled},
        {"empty", 0, false, "", kBack},
        {"empty, disabled, shown", SBPS_DISABLED, true, "", kBack},
    };
    const CRect rcPane(0, 0, 80, 20);
    for (const Case& c : cases) {
        bar.m_nPaintFlags = CExtStatusControlBar::PAINT_OWN_PANES |
                            (c.showDisabled ? 0 : CExtStatusControlBar::PAINT_HIDE_DISABLED_TEXT);
        orvtest::RenderCanvas canvas(rcPane.Width(), rcPane.Height(), kBack);
        canvas.dc().SelectObject(&g_PaintManager->GetFont(CExtPaintManager::FontNormal));
        canvas.dc().SetBkMode(TRANSPARENT);
        canvas.dc().SetTextColor(bar.m_clrText);
        // the second pane, borderless: only its text is drawn
        bar.DrawPaneItem(canvas.dc(), 1, rcPane, c.style | SBPS_NOBORDERS, NULL, c.text, DT_SINGLELINE | DT_VCENTER);
        if (c.expected == kBack) {
            EXPECT_EQ(0, canvas.CountOther(kBack, rcPane)) << c.name;
            continue;
        }
        if (orvtest::DisplayDepth() > 8) {
            EXPECT_GT(canvas.Count(c.expected, rcPane), 10) << c.name;
        } else {
            EXPECT_GT(canvas.CountOther(kBack, rcPane), 10) << c.name;
        }
        // left aligned with two pixels of air
        if (orvtest::DisplayDepth() > 8) {
            EXPECT_GE(canvas.Bounds(c.expected, rcPane).left, 2) << c.name;
        }
    }
    bar.m_nPaintFlags = CExtStatusControlBar::PAINT_OWN_PANES | CExtStatusControlBar::PAINT_HIDE_DISABLED_TEXT;

    // a pane with extra data draws with its own flags; without, single line, centred, left
    EXPECT_EQ((UINT)(DT_SINGLELINE | DT_VCENTER | DT_LEFT), bar.GetPaneDrawTextFlags(1));
    bar.SetPaneData(IDS_STATUS_CAPS, DT_SINGLELINE | DT_RIGHT, "Caps lock");
    EXPECT_EQ((UINT)(DT_SINGLELINE | DT_RIGHT), bar.GetPaneDrawTextFlags(1));
    EXPECT_EQ(CString("Caps lock"), bar.GetPaneTipText(1));
    EXPECT_EQ(CString(), bar.GetPaneTipText(0));
}

// ---- hit tests ------------------------------------------------------------------------------

TEST(StatusBarHitTest, PanesTable)
{
    FrameHolder f({0, IDS_STATUS_CAPS, IDS_STATUS_LONG});
    CExtStatusControlBar& bar = f.Bar();
    CRect rc0, rc1, rc2, rcClient;
    bar.GetItemRect(0, &rc0);
    bar.GetItemRect(1, &rc1);
    bar.GetItemRect(2, &rc2);
    bar.GetClientRect(&rcClient);
    // a child control laid over the third pane
    CWnd child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                             CRect(0, 0, 10, 10), &bar, 77));
    ASSERT_TRUE(bar.AddPaneControl(child.m_hWnd, IDS_STATUS_LONG, true));
    CRect rcChild;
    child.GetWindowRect(&rcChild);
    bar.ScreenToClient(&rcChild);
    EXPECT_TRUE(rc2.PtInRect(rcChild.CenterPoint())) << "the control lies over its pane";
    struct Case {
        const char* name;
        CPoint pt;
        int expected;
    };
    const Case cases[] = {
        {"prompt pane", CPoint(rc0.left + 5, rc0.CenterPoint().y), 0},
        {"second pane", rc1.CenterPoint(), 1},
        {"the control over the third pane", rcChild.CenterPoint(), 2},
        {"left of the bar", CPoint(-5, rc0.CenterPoint().y), -1},
        {"above the bar (the view)", CPoint(rc0.left + 5, -10), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, bar.HitTestPane(c.pt)) << c.name;

    // a window over the bar hides its panes from the hit test
    CWnd cover;
    CPoint ptCover = rc1.CenterPoint();
    bar.ClientToScreen(&ptCover);
    ASSERT_TRUE(cover.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "cover", WS_POPUP | WS_VISIBLE,
                               ptCover.x - 5, ptCover.y - 5, 10, 10, NULL, NULL));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::WindowFromPoint(ptCover) == cover.m_hWnd; }));
    EXPECT_EQ(-1, bar.HitTestPane(rc1.CenterPoint()));
    cover.DestroyWindow();

    // tooltips name the pane's id and its tip text
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    bar.SetPaneData(IDS_STATUS_CAPS, DT_SINGLELINE, "Caps lock");
    ASSERT_TRUE(orvtest::pumpUntil([&] { return bar.HitTestPane(rc1.CenterPoint()) == 1; }));
    EXPECT_EQ((INT_PTR)IDS_STATUS_CAPS, bar.OnToolHitTest(rc1.CenterPoint(), &ti));
    ASSERT_NE(LPSTR_TEXTCALLBACKA, ti.lpszText);
    EXPECT_STREQ("Caps lock", ti.lpszText);
    EXPECT_EQ(bar.m_hWnd, ti.hwnd);
    EXPECT_EQ(CRect(rc1), CRect(ti.rect));
    free(ti.lpszText);
    ti = {};
    ti.cbSize = sizeof ti;
    EXPECT_EQ(0, bar.OnToolHitTest(CPoint(rc0.left + 5, rc0.CenterPoint().y), &ti));
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti.lpszText);

    // no panes: nothing is hit
    bar.SetIndicators(NULL, 0);
    EXPECT_EQ(-1, bar.HitTestPane(CPoint(5, 5)));
}

// ---- size grip and looks --------------------------------------------------------------------

// The bar in each look, its frame normal and maximised: the grip's sign shows only when the
// frame is not maximised (and never while the fixed-frame switch is on). Pictures per look.
TEST(StatusBarPaint, SizeGripPerLook)
{
    FrameHolder f({0, IDS_STATUS_CAPS});
    CExtStatusControlBar& bar = f.Bar();
    for (const TestLook& look : kTestLooks) {
        orvtest::ScopedPainter painter(look.make());
        for (bool bMaximised : {false, true}) {
            f.pFrame->ShowWindow(bMaximised ? SW_MAXIMIZE : SW_RESTORE);
            f.pFrame->RecalcLayout();
            orvtest::pumpWaiting();
            ASSERT_EQ(bMaximised, f.pFrame->IsZoomed() != FALSE) << look.name;
            bar.SetPaneText(0, "Ready");
            CRect rcClient;
            bar.GetClientRect(&rcClient);
            const COLORREF kMark = RGB(255, 0, 255);
            orvtest::RenderCanvas canvas(rcClient.Width(), rcClient.Height(), kMark);
            bar.DoPaint(&canvas.dc());
            canvas.Keep(std::string("status_bar_") + look.name + (bMaximised ? "_maximised" : ""), 2);
            // the whole bar is painted
            EXPECT_EQ(0, canvas.Count(kMark, rcClient)) << look.name;
            const CRect rcGrip(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL), rcClient.top, rcClient.right,
                               rcClient.bottom);
            const COLORREF clrBack = canvas.At(rcGrip.left + 1, rcGrip.top + 1);
            const int nGripInk = canvas.CountOther(clrBack, rcGrip);
            if (bMaximised)
                EXPECT_EQ(0, nGripInk) << look.name << ": no grip on a maximised frame";
            else
                EXPECT_GT(nGripInk, 4) << look.name << ": the grip's sign";
            if (!bMaximised) {
                CExtPopupMenuWnd::g_bFixedFrameSysMenu = true;
                orvtest::RenderCanvas fixed(rcClient.Width(), rcClient.Height(), kMark);
                bar.DoPaint(&fixed.dc());
                CExtPopupMenuWnd::g_bFixedFrameSysMenu = false;
                EXPECT_EQ(0, fixed.CountOther(fixed.At(rcGrip.left + 1, rcGrip.top + 1), rcGrip))
                    << look.name << ": no grip for a fixed frame";
            }
        }
    }
    f.pFrame->ShowWindow(SW_RESTORE);
}

// Non-client hits become client hits while the grip is not shown.
TEST(StatusBarHitTest, NoSizingWithoutTheGrip)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    CRect rc;
    bar.GetWindowRect(&rc);
    const CPoint ptCorner(rc.right - 3, rc.bottom - 3);
    const LRESULT lGrip = bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y));
    CExtPopupMenuWnd::g_bFixedFrameSysMenu = true;
    const LRESULT lFixed = bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y));
    CExtPopupMenuWnd::g_bFixedFrameSysMenu = false;
    EXPECT_EQ(HTCLIENT, lFixed);
    EXPECT_NE(HTCLIENT, lGrip) << "the control's own grip answers for sizing";
}

// ---- prompts and the context menu ----------------------------------------------------------

// The prompt pane shows "Ready" at idle and a command's prompt while it is shown.
TEST(StatusBarPrompts, ReadyAndCommandPrompts)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    CExtCmdItem cmd(ID_STATUS_CMD_OPEN);
    cmd.UpdateTextsFromResource();
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(f.hWnd);
    ASSERT_TRUE(g_CmdManager->SetCommand(profile, &cmd, true));
    CExtControlBar::ShowCommandPrompt(f.pFrame, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
    CExtControlBar::ShowCommandPrompt(f.pFrame, ID_STATUS_CMD_OPEN);
    EXPECT_EQ(CString("Opens an existing watch list"), bar.GetPaneText(0));
    f.pFrame->SendMessage(WM_SETMESSAGESTRING, ID_STATUS_CMD_SAVE);
    EXPECT_EQ(CString("Saves the watch list"), bar.GetPaneText(0));
    f.pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0));
}

// A right click on the bar opens the frame's bars context menu at the click, owner-drawn items
// offered (flag 0x800); Esc closes it, and no hook or capture is left.
TEST(StatusBarPrompts, RightClickShowsTheBarsMenu)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    CRect rc0;
    bar.GetItemRect(0, &rc0);
    const POINT pt = orvtest::screenPoint(bar.m_hWnd, {rc0.left + 30, rc0.CenterPoint().y});
    ASSERT_TRUE(orvtest::click(pt, bar.m_hWnd, orvtest::Button::Right));
    ASSERT_TRUE(orvtest::pumpUntil([] { return CExtPopupMenuWnd::IsAnyMenuTracked(); }));
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    CExtPopupMenuWnd* pMenu = dynamic_cast<CExtPopupMenuWnd*>(site.GetTopMenu());
    ASSERT_NE(nullptr, pMenu);
    const HWND hWndMenu = pMenu->m_hWnd;
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::IsWindowVisible(hWndMenu) != FALSE; }));
    EXPECT_EQ(0x800u, pMenu->GetTrackFlags() & 0x800u);
    EXPECT_EQ(f.hWnd, pMenu->GetOwnerHwnd());
    ASSERT_EQ(1, pMenu->GetItemCount());
    EXPECT_EQ((UINT)ID_STATUS_PANEL, pMenu->ItemGetCmdID(0));
    EXPECT_EQ(CString("Watch log"), pMenu->ItemGetText(0));
    // at the click: the menu's corner is there, or it flipped to stay on the screen
    CRect rcMenu;
    ::GetWindowRect(hWndMenu, &rcMenu);
    EXPECT_TRUE(rcMenu.left == pt.x || rcMenu.right == pt.x || abs(rcMenu.left - pt.x) <= 3) << rcMenu.left << " " << pt.x;
    EXPECT_TRUE(rcMenu.top == pt.y || rcMenu.bottom <= pt.y + 3 || abs(rcMenu.top - pt.y) <= 3) << rcMenu.top << " " << pt.y;
    // keys reach the menu once its opening animation is over
    ASSERT_TRUE(orvtest::pumpUntil([&] { return site.GetAnimatedMenu() == NULL; }));
    EXPECT_EQ(pMenu, dynamic_cast<CExtPopupMenuWnd*>(site.GetCapturedMenu()));
    orvtest::pressKey(VK_ESCAPE);
    ASSERT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::IsAnyMenuTracked(); }));
    EXPECT_FALSE(::IsWindow(hWndMenu));
    EXPECT_FALSE(site.AreHooksInstalled());
    EXPECT_EQ(NULL, ::GetCapture());
}

// The bar deletes a popup that could not be tracked, and one with nothing to show.
TEST(StatusBarPrompts, AnUntrackedMenuIsDeleted)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    CExtPopupMenuWnd::standIn().bRecording = true;
    CExtPopupMenuWnd::ResetStandIn();
    const int nLiveBefore = CExtPopupMenuWnd::standIn().nLive;
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.m_hWnd, MAKELPARAM(100, 100));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(0x800u, CExtPopupMenuWnd::standIn().tracked[0].nFlags);
    EXPECT_EQ(CPoint(100, 100), CExtPopupMenuWnd::standIn().tracked[0].point);
    EXPECT_EQ(nLiveBefore, CExtPopupMenuWnd::standIn().nLive) << "the untracked popup was deleted";
    // no bar with a name: nothing to show, nothing tracked, nothing left
    f.pFrame->m_panel.SetWindowText("");
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.m_hWnd, MAKELPARAM(100, 100));
    EXPECT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(nLiveBefore, CExtPopupMenuWnd::standIn().nLive);
    CExtPopupMenuWnd::ResetStandIn();
    CExtPopupMenuWnd::standIn().bRecording = false;
}

// While a menu item is highlighted (by keys or by the mouse) the prompt pane shows its command's
// prompt; when the menu closes, "Ready" again.
TEST(StatusBarPrompts, MenuItemPromptsWhileHighlighted)
{
    FrameHolder f;
    CExtStatusControlBar& bar = f.Bar();
    const DWORD nKeyInterval = CExtPopupMenuSite::g_nPopupMinKeyInterval;
    CExtPopupMenuSite::g_nPopupMinKeyInterval = 0;   // keys as fast as the test sends them
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    CExtControlBar::ShowCommandPrompt(f.pFrame, AFX_IDS_IDLEMESSAGE);
    ASSERT_EQ(CString("Ready"), bar.GetPaneText(0));

    CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->LoadMenu(f.hWnd, IDR_STATUS_MENU));
    const POINT ptOpen = orvtest::screenPoint(f.hWnd, {60, 60});
    ASSERT_TRUE(orvtest::moveTo(orvtest::screenPoint(f.hWnd, {400, 60}), NULL));
    ASSERT_TRUE(pMenu->TrackPopupMenu(CExtPopupMenuWnd::TMF_SHOW_ALL, ptOpen.x, ptOpen.y));
    const HWND hWndMenu = pMenu->m_hWnd;
    ASSERT_TRUE(orvtest::pumpUntil([&] { return site.GetAnimatedMenu() == NULL; }));
    struct Step {
        const char* name;
        std::function<void()> act;
        const char* prompt;
    };
    const Step steps[] = {
        {"Down highlights Open", [] { orvtest::pressKey(VK_DOWN); }, "Opens an existing watch list"},
        {"Down highlights Save", [] { orvtest::pressKey(VK_DOWN); }, "Saves the watch list"},
        {"the mouse on Open",
         [&] {
             const POINT pt = orvtest::screenPoint(hWndMenu, pMenu->GetItemRect(0).CenterPoint());
             orvtest::moveUntil(pt, [&] { return pMenu->GetCurIndex() == 0; });
         },
         "Opens an existing watch list"},
    };
    for (const Step& s : steps) {
        s.act();

        EXPECT_TRUE(orvtest::pumpUntil([&] { return bar.GetPaneText(0) == s.prompt; })) << s.name << ": "
                                                                                        << (LPCTSTR)bar.GetPaneText(0);
    }
    orvtest::pressKey(VK_ESCAPE);
    ASSERT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::IsAnyMenuTracked(); }));
    EXPECT_FALSE(::IsWindow(hWndMenu));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return bar.GetPaneText(0) == "Ready"; })) << (LPCTSTR)bar.GetPaneText(0);
    CExtPopupMenuSite::g_nPopupMinKeyInterval = nKeyInterval;
}
