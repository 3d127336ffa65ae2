// The tool bar in a test frame under Xvfb, driven by real input (SendInput): hover and the tool
// tip, clicks delivered on release, check, disabled and drop-down buttons, the chevron after the frame is narrowed by a drag of its
// edge, and the bar dragged by its gripper to another side, floated and docked back. A picture
// of the frame is kept after each step (toolbar_<step>_<depth>.png). After each step no
// capture is held and no menu is open.
#include "ToolBarFixture.h"
#include "CExtPopupMenuSite.h"
#include "orv/TestEnv.h"
#include "RenderHarness.h"
#include <commctrl.h>
#include <string>

using tbtest::FrameHolder;

namespace {

void MouseAt(POINT pt, DWORD dwFlags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

bool ButtonsUp() { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }

CRect WindowOf(CWnd* p) {
    CRect rc;
    p->GetWindowRect(&rc);
    return rc;
}

// A button's point in screen coordinates (offset from its centre).
CPoint ScreenAt(FrameHolder& f, UINT nCmdID, CPoint offset = CPoint(0, 0)) {
    CPoint pt = f.Centre(nCmdID) + offset;
    f.Bar().ClientToScreen(&pt);
    return pt;
}

bool Picture(const std::string& step) { return orvtest::screenshot("toolbar_" + step + "_" + std::to_string(orvtest::DisplayDepth())); }

// The popup menu on top of the open tree, or NULL.
CExtPopupMenuWnd* TopPopup() {
    if (CExtPopupMenuSite::g_DefPopupMenuSite.IsEmpty())
        return NULL;
    return dynamic_cast<CExtPopupMenuWnd*>(CExtPopupMenuSite::g_DefPopupMenuSite.GetTopMenu());
}

// The tip the bar hands the framework's tool tip for a point of its client area.
std::string TipAt(CExtToolControlBar& bar, CPoint pt) {
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    if (bar.OnToolHitTest(pt, &ti) == -1 || ti.lpszText == NULL || ti.lpszText == LPSTR_TEXTCALLBACKA)
        return std::string();
    const std::string text = ti.lpszText;
    ::free(ti.lpszText);
    return text;
}

// The text of the thread's tool tip while it shows a bar's tool, "" while it shows nothing.
std::string ShownTip(CWnd& bar, UINT nToolID) {
    const HWND hWndTip = AfxGetThreadState()->m_hWndToolTip;
    if (hWndTip == NULL || !::IsWindowVisible(hWndTip))
        return std::string();
    char text[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = bar.m_hWnd;
    ti.uId = nToolID;
    ti.lpszText = text;
    ::SendMessageA(hWndTip, TTM_GETTEXTA, sizeof text, (LPARAM)&ti);
    return text;
}

// Moves the pointer to pt and waits until it is there and done() holds (a late pointer event of
// an earlier move may put it back: the move is sent again then).
bool MoveExactly(const CPoint& pt, const std::function<bool()>& done = [] { return true; }) {
    return orvtest::moveUntil(pt, [&] {
        POINT now;
        return ::GetCursorPos(&now) && CPoint(now) == pt && done();
    });
}

// A drag as a user makes it, from Script steps (a drag may run a modal loop of the system's or
// of the bars): press at from(), nudge until started() holds, move to to() until there()
// holds, release, and wait until done() holds with the button up.
::testing::AssertionResult Drag(const std::function<CPoint()>& from, const std::function<bool()>& started,
                                const std::function<CPoint()>& to, const std::function<bool()>& there,
                                const std::function<bool()>& done) {
    CPoint ptFrom, ptTo;
    orvtest::Script script(
        {
            {"to the start", [&] {
                 ptFrom = from();
                 return orvtest::moveTo(ptFrom);
             }},
            {"press", [&] {
                 MouseAt(ptFrom, MOUSEEVENTF_LEFTDOWN);
                 return true;
             }},
            {"started", [&, n = 0]() mutable {
                 if (started())
                     return true;
                 MouseAt(ptFrom + CPoint(3 + ++n % 2, 0), 0);
                 return false;
             }},
            {"at the target", [&, n = 0]() mutable {
                 ptTo = to();
                 POINT pt;
                 if (::GetCursorPos(&pt) && CPoint(pt) == ptTo && there())
                     return true;
                 MouseAt(ptTo + CPoint(0, ++n % 3 == 0 ? 1 : 0), 0);
                 MouseAt(ptTo, 0);
                 return false;
             }},
            {"release", [&] {
                 MouseAt(ptTo, MOUSEEVENTF_LEFTUP);
                 return true;
             }},
            {"done", [&] {
                 if (!ButtonsUp())
                     MouseAt(ptTo, MOUSEEVENTF_LEFTUP);
                 return ButtonsUp() && CExtControlBar::GetCurrentDragBar() == nullptr && done();
             }},
        },
        20000);
    if (!script.run())
        return ::testing::AssertionFailure() << "stuck at: " << script.failure;
    return ::testing::AssertionSuccess();
}

// Opens a drop-down by a real press (its release goes to the open menu).
// The open menu is shown (its opening animation has ended).
bool MenuShown() {
    CExtPopupMenuWnd* p = TopPopup();
    return p != NULL && p->GetSafeHwnd() != NULL && p->IsWindowVisible();
}

bool PressOpens(const CPoint& pt, CWnd& bar) {
    (void)bar;
    if (!MoveExactly(pt))
        return false;
    orvtest::buttonDown();
    const bool bOpen = orvtest::pumpUntil([] { return MenuShown(); });
    orvtest::buttonUp();
    orvtest::pumpUntil([] { return ButtonsUp(); });
    orvtest::pumpWaiting();
    return bOpen;
}

// Moves the pointer away from the bar (onto the view) so that nothing stays hot.
void Away(FrameHolder& f) {
    const CRect rc = WindowOf(f.pFrame->m_pView);
    orvtest::moveUntil(rc.CenterPoint(), [&] { return f.Bar().m_nBtnIdxHover < 0; });
    orvtest::pumpUntil([&] { return ::GetCapture() == NULL; }, 2000);
}

}  // namespace

// 1. Hover and its tip, clicks, check, disabled and drop-down buttons with real input.
TEST(ToolBarInput, ButtonsUnderTheMouse) {
    CExtToolControlBar::g_bDisplayTipShortcuts = true;
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    f.Item(ID_TB_NEW)->m_sAccelText = "Ctrl+N";
    f.pFrame->m_enabled[ID_TB_DELETE] = false;
    CExtPopupMenuWnd::g_bMenuExpanding = false;
    f.SetDropDown(ID_TB_RUN_ALL, IDM_TB_RUN, false);
    f.SetDropDown(ID_TB_LOG, IDM_TB_LOG, true);
    bar.OnUpdateCmdUI(f.pFrame, TRUE);
    ASSERT_TRUE(Picture("start"));

    // hover: the hot look and the tip with its shortcut
    const int nNew = f.Index(ID_TB_NEW);
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_NEW), [&] { return bar.m_nBtnIdxHover == nNew; }));
    EXPECT_TRUE(bar.GetButton(nNew)->IsHover());
    CPoint ptNew = ScreenAt(f, ID_TB_NEW);
    bar.ScreenToClient(&ptNew);
    EXPECT_EQ("New item (Ctrl+N)", TipAt(bar, ptNew));
    // the pointer resting there shows the thread's tool tip with that text
    EXPECT_TRUE(orvtest::pumpUntil([&] { return ShownTip(bar, ID_TB_NEW) == "New item (Ctrl+N)"; }))
        << "shown: \"" << ShownTip(bar, ID_TB_NEW) << "\"";
    EXPECT_TRUE(Picture("hover"));

    // a click delivers on the release, not on the press
    orvtest::buttonDown();
    EXPECT_TRUE(orvtest::pumpUntil([&] { return bar.m_nBtnIdxCapture == nNew; }));
    EXPECT_TRUE(f.pFrame->m_commands.empty());
    EXPECT_TRUE(Picture("pressed"));
    orvtest::buttonUp();
    EXPECT_TRUE(orvtest::pumpUntil([&] { return f.pFrame->m_commands.size() == 1; }));
    EXPECT_EQ(std::vector<UINT>({ID_TB_NEW}), f.pFrame->m_commands);

    // released off the button: nothing
    f.pFrame->m_commands.clear();
    Away(f);
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_NEW, CPoint(2, 1)), [&] { return bar.m_nBtnIdxHover == nNew; }));
    orvtest::buttonDown();
    EXPECT_TRUE(orvtest::pumpUntil([&] { return bar.m_nBtnIdxCapture == nNew; }));
    const CPoint ptOff = WindowOf(f.pFrame->m_pView).CenterPoint();
    EXPECT_TRUE(MoveExactly(ptOff, [&] { return (bar.GetButtonStyle(nNew) & TBBS_PRESSED) == 0; }));
    MouseAt(ptOff, MOUSEEVENTF_LEFTUP);   // the release carries its own point
    EXPECT_TRUE(orvtest::pumpUntil([&] { return bar.m_nBtnIdxCapture < 0; }));
    orvtest::pumpWaiting();
    EXPECT_TRUE(f.pFrame->m_commands.empty()) << orvtest::recentMouseMessages();
    Away(f);
    EXPECT_TRUE(f.Quiet());

    // a check button toggles
    const int nSuspend = f.Index(ID_TB_SUSPEND);
    bar.SetButtonStyle(nSuspend, TBBS_CHECKBOX);
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_SUSPEND)));
    EXPECT_TRUE(orvtest::click(ScreenAt(f, ID_TB_SUSPEND), bar.m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return (bar.GetButtonStyle(nSuspend) & TBBS_CHECKED) != 0; }));
    EXPECT_TRUE(Picture("checked"));
    Away(f);
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_SUSPEND, CPoint(3, 2))));
    EXPECT_TRUE(orvtest::click(ScreenAt(f, ID_TB_SUSPEND, CPoint(3, 2)), bar.m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return (bar.GetButtonStyle(nSuspend) & TBBS_CHECKED) == 0; }));

    // a disabled button neither presses nor delivers
    Away(f);
    f.pFrame->m_commands.clear();
    const int nDelete = f.Index(ID_TB_DELETE);
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_DELETE), [&] { return bar.m_nBtnIdxHover == nDelete; }));
    orvtest::buttonDown();
    orvtest::pumpWaiting();
    EXPECT_EQ(-1, bar.m_nBtnIdxCapture);
    EXPECT_EQ(0u, bar.GetButtonStyle(nDelete) & TBBS_PRESSED);
    orvtest::buttonUp();
    orvtest::pumpWaiting();
    EXPECT_TRUE(f.pFrame->m_commands.empty());
    Away(f);
    EXPECT_TRUE(f.Quiet());

    // a drop-down opens its menu on the press
    const int nRun = f.Index(ID_TB_RUN_ALL);
    EXPECT_TRUE(PressOpens(ScreenAt(f, ID_TB_RUN_ALL), bar));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return TopPopup() != NULL && bar.m_nBtnIdxMenuTracking == nRun; }))
        << orvtest::recentMouseMessages();
    EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ((UINT)ID_TB_RUN_SELECTED, TopPopup()->ItemGetCmdID(0));
    EXPECT_TRUE(Picture("dropdown"));
    CExtPopupMenuWnd::CancelMenuTracking();
    bar.OnUpdateCmdUI(f.pFrame, TRUE);   // the frame's idle update notices the menu is gone
    EXPECT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::IsAnyMenuTracked(); }));
    Away(f);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return f.Quiet(); }));
    EXPECT_TRUE(f.Quiet());

    // a separated drop-down: its main part is a button
    f.pFrame->m_commands.clear();
    const CRect rcLog = f.Button(ID_TB_LOG)->GetRect();
    ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_LOG, CPoint(-rcLog.Width() / 2 + 5, 0))));
    EXPECT_TRUE(orvtest::click(ScreenAt(f, ID_TB_LOG, CPoint(-rcLog.Width() / 2 + 5, 0)), bar.m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return f.pFrame->m_commands.size() == 1; }));
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    Away(f);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return f.Quiet(); }));
    EXPECT_TRUE(f.Quiet());
    CExtToolControlBar::g_bDisplayTipShortcuts = false;
}

// 2. The frame narrowed by a drag of its edge: the chevron lists the hidden buttons and a
// choice from its menu delivers; widened again, the buttons come back.
TEST(ToolBarInput, ChevronAfterNarrowing) {
    FrameHolder f(CRect(40, 40, 640, 380), IDR_TB32);
    CExtToolControlBar& bar = f.Bar();
    CExtPopupMenuWnd::g_bMenuExpanding = false;
    ASSERT_TRUE(f.Hidden().empty());
    const CRect rcStart = WindowOf(f.pFrame);
    auto edge = [&] {
        const CRect rc = WindowOf(f.pFrame);
        return CPoint(rc.right - 2, rc.CenterPoint().y);
    };
    ASSERT_TRUE(Drag(edge, [] { return true; }, [&] { return CPoint(rcStart.left + 260, rcStart.CenterPoint().y); },
                     [&] { return WindowOf(f.pFrame).Width() < 300; },
                     [&] { return !f.Hidden().empty(); }));
    orvtest::pumpWaiting();
    const std::vector<UINT> hidden = f.Hidden();
    ASSERT_FALSE(hidden.empty());
    EXPECT_TRUE(bar.GetChevron()->IsVisible());
    EXPECT_TRUE(Picture("narrow"));
    // the chevron's menu: the hidden buttons in bar order (no leading separator), then the bars
    CExtBarContentExpandButton* pChevron = bar.GetChevron();
    CPoint ptChevron = pChevron->GetRect().CenterPoint();
    bar.ClientToScreen(&ptChevron);
    ASSERT_TRUE(PressOpens(ptChevron, bar)) << orvtest::recentMouseMessages();
    CExtPopupMenuWnd* pPopup = TopPopup();
    std::vector<UINT> listed;
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        listed.push_back(pPopup->ItemGetCmdID(i) == (UINT)-1 ? 0u : pPopup->ItemGetCmdID(i));   // separators as 0
    ASSERT_GE(listed.size(), 3u);
    EXPECT_NE(0u, listed.front());
    EXPECT_EQ(hidden, std::vector<UINT>(listed.begin(), listed.begin() + (long)hidden.size()));
    EXPECT_EQ(CString("&Show/hide panels"), pPopup->ItemGetText(pPopup->GetItemCount() - 1));
    EXPECT_EQ(0u, listed[listed.size() - 2]) << "a separator before the bars";
    EXPECT_TRUE(Picture("chevron_menu"));
    CExtPopupMenuWnd::CancelMenuTracking();
    bar.OnUpdateCmdUI(f.pFrame, TRUE);
    Away(f);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return f.Quiet(); }));
    // widened again: every button back
    ASSERT_TRUE(Drag(edge, [] { return true; }, [&] { return CPoint(rcStart.right + 60, rcStart.CenterPoint().y); },
                     [&] { return WindowOf(f.pFrame).Width() > rcStart.Width(); }, [&] { return f.Hidden().empty(); }));
    EXPECT_TRUE(Picture("wide"));
    EXPECT_TRUE(f.Quiet());
}

// 3. The bar dragged by its gripper to the left side, floated (it wraps) and docked back at the
// top, through the control bars' drag path.
TEST(ToolBarInput, GripperDragsToASideFloatsAndDocksBack) {
    FrameHolder f(CRect(40, 40, 640, 420));
    CExtToolControlBar& bar = f.Bar();
    auto grip = [&] { return WindowOf(&bar).TopLeft() + CPoint(4, 6); };
    auto dragging = [] { return CExtControlBar::GetCurrentDragBar() != nullptr; };
    auto client = [&] {
        CRect rc;
        f.pFrame->GetClientRect(&rc);
        f.pFrame->ClientToScreen(&rc);
        return rc;
    };
    ASSERT_TRUE(Drag(grip, dragging, [&] { return CPoint(client().left + 6, client().CenterPoint().y); },
                     [&] { return bar.IsDockedAtLeft(); }, [&] { return bar.IsDockedAtLeft(); }));
    f.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    EXPECT_TRUE(bar.IsDockedVertically());
    const CRect rcLeft = WindowOf(&bar);
    EXPECT_GT(rcLeft.Height(), rcLeft.Width());
    EXPECT_TRUE(Picture("left"));
    // floated in the middle of the view: the rows wrap
    ASSERT_TRUE(Drag(grip, dragging, [&] { return WindowOf(f.pFrame->m_pView).CenterPoint() + CPoint(40, 30); },
                     [&] { return bar.IsFloating(); }, [&] { return bar.IsFloating(); }));
    orvtest::pumpWaiting();
    EXPECT_TRUE(bar.IsFloating());
    EXPECT_GE(WindowOf(&bar).Width(), 2 * 23);
    EXPECT_TRUE(Picture("floating"));
    // docked back at the top by the floating frame's caption
    auto caption = [&] {
        const CRect rc = WindowOf(bar.GetParentFrame());
        return CPoint(rc.left + 12, rc.top + 5);
    };
    ASSERT_TRUE(Drag(caption, [] { return true; }, [&] { return CPoint(client().left + 40, client().top + 4); },
                     [&] { return bar.IsDockedAtTop(); }, [&] { return bar.IsDockedAtTop(); }));
    f.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    EXPECT_TRUE(bar.IsDockedHorizontally());
    EXPECT_TRUE(Picture("docked_back"));
    EXPECT_TRUE(f.Quiet());
}

namespace {

// Shown, finished opening and holding the input.
bool MenuReady() {
    CExtPopupMenuWnd* p = TopPopup();
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    return MenuShown() && p->IsAnimationFinished() && site.GetAnimatedMenu() == NULL && site.GetCapturedMenu() == p;
}

// Where keys and activation are: for a failure message.
std::string KeyState() {
    char text[200];
    snprintf(text, sizeof text, "foreground %s, active %s, focus %s",
             orvtest::className(::GetForegroundWindow()).c_str(), orvtest::className(::GetActiveWindow()).c_str(),
             orvtest::className(::GetFocus()).c_str());
    return text;
}

// A key press and release once the open menu is ready for it and the menu's least interval
// between two key-downs has passed (a key sooner than that goes to the focused window).
DWORD g_nLastKeyDown = 0;
void MenuKey(WORD vk) {
    orvtest::pumpUntil([] { return MenuReady(); }, 3000);
    orvtest::pumpUntil([] { return ::GetTickCount() - g_nLastKeyDown > 2 * CExtPopupMenuSite::g_nPopupMinKeyInterval + 10; });
    g_nLastKeyDown = ::GetTickCount();
    orvtest::pressKey(vk);
}

}  // namespace

// 4. An open drop-down menu moves to the drop-down button the mouse moves onto, and back; the
// menu that moved there takes the keys: arrows choose its item and Enter delivers it.
TEST(ToolBarInput, OpenMenuMovesToTheNextDropDownAndTakesKeys) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    CExtPopupMenuWnd::g_bMenuExpanding = false;
    f.SetDropDown(ID_TB_RUN_ALL, IDM_TB_RUN, false);
    f.SetDropDown(ID_TB_LOG, IDM_TB_LOG, false);
    bar.OnUpdateCmdUI(f.pFrame, TRUE);
    const int nRun = f.Index(ID_TB_RUN_ALL), nLog = f.Index(ID_TB_LOG);
    auto tracked = [&](int nIndex, UINT nFirst) {
        return [&bar, nIndex, nFirst] {
            return MenuReady() && bar.m_nBtnIdxMenuTracking == nIndex && TopPopup()->ItemGetCmdID(0) == nFirst;
        };
    };
    for (const UINT nChoice : {ID_TB_LOG_WEEK, ID_TB_RUN_FAILED}) {
        SCOPED_TRACE(nChoice);
        f.pFrame->m_commands.clear();
        ASSERT_TRUE(PressOpens(ScreenAt(f, ID_TB_RUN_ALL), bar)) << orvtest::recentMouseMessages();
        ASSERT_TRUE(orvtest::pumpUntil(tracked(nRun, ID_TB_RUN_SELECTED)));
        // over the buttons without a menu on the way the menu stays; on the next drop-down it moves
        ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_CLEAR)));
        orvtest::pumpWaiting();
        EXPECT_TRUE(tracked(nRun, ID_TB_RUN_SELECTED)());
        ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_LOG), tracked(nLog, ID_TB_LOG_TODAY))) << orvtest::recentMouseMessages();
        EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
        EXPECT_EQ(0u, bar.GetButtonStyle(nRun) & TBBS_PRESSED) << "the button the menu left is drawn pressed";
        EXPECT_NE(0u, bar.GetButtonStyle(nLog) & TBBS_PRESSED);
        if (nChoice == ID_TB_LOG_WEEK)
            EXPECT_TRUE(Picture("menu_moved"));
        else   // and back again
            ASSERT_TRUE(MoveExactly(ScreenAt(f, ID_TB_RUN_ALL), tracked(nRun, ID_TB_RUN_SELECTED)));
        // the keys go to the menu now open: Down twice selects the second item, Enter chooses it
        for (int nItem : {0, 1}) {
            MenuKey(VK_DOWN);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return MenuReady() && TopPopup()->GetCurIndex() == nItem; }))
                << "Down did not reach the menu: " << KeyState();
        }
        MenuKey(VK_RETURN);
        EXPECT_TRUE(orvtest::pumpUntil([&] { return f.pFrame->m_commands.size() == 1; })) << KeyState();
        EXPECT_EQ(std::vector<UINT>({nChoice}), f.pFrame->m_commands);
        bar.OnUpdateCmdUI(f.pFrame, TRUE);
        Away(f);
        EXPECT_TRUE(orvtest::pumpUntil([&] { return f.Quiet(); })) << f.Quiet();
    }
}
