// The menu bar in a test frame under Xvfb: the buttons it makes from the frame's menu (and from a
// menu loaded later), the sweep of the pull-down commands, the deferred work collapsing into one
// message, what reaches the frame while the bar is created; then driven by real keys and clicks:
// the keyboard as one table of key scripts, clicks opening, switching and choosing, the caption's
// system menu, and pictures of the bar with a pull-down open in every look.
#include "orv/UiTest.h"
#include "TestLooks.h"
#include "orv/TestEnv.h"
#include <afxdocking.h>
#include "CComboBox.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtCmdProfile.h"
#include "CExtMenuControlBar.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupMenuSite.h"
#include "menubar_test_resources.h"
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kProfile[] = "menubar test";
const UINT kMenuBarID = 32771;
const DWORD kMenuBarStyle = 0x5640283C;
const DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

// The buttons the frame's menu gives.
enum { kFile = 0, kEdit = 1, kView = 2, kRun = 3, kHelp = 4, kButtons = 5 };

bool Is24() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

CExtPopupMenuSite& Site() { return CExtPopupMenuSite::g_DefPopupMenuSite; }
CExtPopupMenuWnd* TopMenu() { return dynamic_cast<CExtPopupMenuWnd*>(Site().GetTopMenu()); }

// Shown, finished opening and holding the input.
bool Ready(const CExtPopupMenuWnd* p) {
    return p != NULL && p->GetSafeHwnd() != NULL && ::IsWindowVisible(p->GetSafeHwnd()) && p->IsAnimationFinished() &&
           Site().GetAnimatedMenu() == NULL && Site().GetCapturedMenu() == p;
}

// A mouse button event at a point (the event carries the point: under Wine a late pointer event
// may have put the cursor back since it was moved there).
void ButtonAt(POINT pt, DWORD dwFlags) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    ::SendInput(1, &in, sizeof in);
}

bool Closed() { return Site().IsEmpty() && !Site().AreHooksInstalled() && !CExtPopupMenuWnd::IsAnyMenuTracked(); }

// The system's own menu window, shown: the menu bar must never let it open.
bool NativeMenuShown() {
    for (HWND h = ::FindWindowA("#32768", NULL); h != NULL; h = ::FindWindowExA(NULL, h, "#32768", NULL))
        if (::IsWindowVisible(h))
            return true;
    return false;
}

// The frame the GUI has: a menu bar made from its menu, a tool bar, a view holding a combo box.
// Its PreTranslateMessage hands the keys to the menu bar as the GUI's frame does. Commands that
// reach it are recorded; the system's keyboard-menu command that gets past the menu bar is counted
// and refused (a lone Alt or F10 that reached the default procedure would start the system's own
// menu loop over ours, and the test would wait inside it).
class MenuFrame : public CFrameWnd {
public:
    bool Build(bool bWithMenu) {
        if (!Create(NULL, "Menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 340), NULL,
                    bWithMenu ? MAKEINTRESOURCE(IDR_MB_MENU) : NULL))
            return false;
        if (!m_view.Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                           CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return false;
        if (!m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 160, 120), &m_view, 100))
            return false;
        m_combo.AddString("one");
        m_combo.AddString("two");
        if (!g_CmdManager->ProfileSetup(kProfile, m_hWnd))
            return false;
        if (bWithMenu && !g_CmdManager->UpdateFromMenu(kProfile, ::GetMenu(m_hWnd)))
            return false;
        CExtCmdItem zoom(ID_MB_ZOOM);
        zoom.m_sToolbarText = "&Zoom";
        g_CmdManager->SetCommand(kProfile, &zoom);
        if (!CExtControlBar::FrameEnableDocking(this))
            return false;
        // a command waiting for the frame while the bar is made: it must find the frame built
        PostMessage(WM_COMMAND, ID_MB_NEW);
        if (!m_menuBar.Create(NULL, this, kMenuBarID, kMenuBarStyle))
            return false;
        if (!m_toolBar.Create("Tools", this, 0xE800, kToolBarStyle))
            return false;
        const UINT ids[] = {ID_MB_ZOOM};
        m_toolBar.SetButtons(ids, 1);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
        DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
        RecalcLayout();
        m_bBuilt = true;
        return true;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (m_bRouteKeys && m_menuBar.GetSafeHwnd() != NULL && m_menuBar.TranslateKeyboardMessage(pMsg))
            return TRUE;
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
        if (nMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
            m_nKeyMenu++;
            return 0;
        }
        return CFrameWnd::WindowProc(nMsg, wParam, lParam);
    }

    CExtMenuControlBar m_menuBar;
    CExtToolControlBar m_toolBar;
    CWnd m_view;
    CComboBox m_combo;
    bool m_bBuilt = false;
    bool m_bRouteKeys = true;       // hand the keys to the menu bar
    std::vector<UINT> m_commands;   // commands that reached the frame, in order
    std::vector<bool> m_builtThen;  // for each: whether the frame was whole when it arrived
    int m_nKeyMenu = 0;

protected:
    afx_msg void OnCommandRange(UINT nID) {
        m_commands.push_back(nID);
        m_builtThen.push_back(m_bBuilt && m_view.GetSafeHwnd() != NULL && m_toolBar.GetSafeHwnd() != NULL);
    }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID != ID_MB_UNDO); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_MB_NEW, ID_MB_OTHER, OnCommandRange)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MB_NEW, ID_MB_OTHER, OnUpdateRange)
END_MESSAGE_MAP()

struct MenuBarTest : ::testing::Test {
    MenuFrame* pFrame = nullptr;
    HWND hFrame = NULL;
    std::vector<UINT> startCommands;   // commands that reached the frame while it opened
    std::vector<bool> startBuilt;

    void Open(bool bWithMenu = true) {
        orvtest::uiApp("menu bar tests");
        CExtToolControlBar::g_bMenuTracking = false;
        pFrame = new MenuFrame;
        ASSERT_TRUE(pFrame->Build(bWithMenu));
        hFrame = pFrame->m_hWnd;
        AfxGetApp()->m_pMainWnd = pFrame;
        pFrame->UpdateWindow();
        pFrame->SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == hFrame; }));
        orvtest::pumpWaiting();
        pFrame->m_view.SetFocus();
        orvtest::pumpWaiting();
        startCommands = pFrame->m_commands;
        startBuilt = pFrame->m_builtThen;
        pFrame->m_commands.clear();
        pFrame->m_builtThen.clear();
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = nullptr;
        CExtPopupMenuWnd::CancelMenuTracking();
        if (::IsWindow(hFrame)) {
            g_CmdManager->ProfileWndRemove(hFrame, true);
            pFrame->DestroyWindow();
        }
        orvtest::pumpWaiting();
        CExtToolControlBar::g_bMenuTracking = false;
        g_PaintManager.InstallPaintManager(NULL);
    }
    CExtMenuControlBar& Bar() { return pFrame->m_menuBar; }
    POINT ButtonPoint(int nIndex, int dx = 0) {
        CRect rc;
        Bar().GetButtonRect(nIndex, &rc);
        POINT pt = {rc.CenterPoint().x + dx, rc.CenterPoint().y};
        return orvtest::screenPoint(Bar().m_hWnd, pt);
    }
    // The open pull-down's button (-1: none), or -2 for the frame's system menu.
    int OpenMenu() {
        if (!Ready(TopMenu()))
            return -1;
        if (Bar().m_nBtnIdxMenuTracking >= 0)
            return Bar().m_nBtnIdxMenuTracking;
        return TopMenu()->GetOwnerHwnd() == hFrame ? -2 : -3;
    }
    // Everything closed: no menu, no highlight, no capture.
    void Quieten() {
        CExtPopupMenuWnd::CancelMenuTracking();
        if (Bar().IsKeyboardTracking())
            Bar().SendMessage(CExtToolControlBar::g_nMsgTrackButtonMenu, (WPARAM)-1);
        CExtToolControlBar::CancelAllBarsTracking();
        EXPECT_TRUE(orvtest::pumpUntil([] { return Closed(); }));
        pFrame->m_commands.clear();
        pFrame->m_builtThen.clear();
    }
};

// Waits until every key sent so far was taken from the queue and what it posted was handled.
void Settle() {
    orvtest::pumpUntil([] { return HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSEBUTTON | QS_POSTMESSAGE)) == 0; }, 3000);
    orvtest::pumpWaiting();
}

// One key event after the last one was handled and, for a key-down, once the open menu's least
// interval between two key-downs has passed (a key sooner than that would go to the focused
// window instead of the menu).
DWORD g_nLastKeyDown = 0;
void Key(WORD vk, bool bDown) {
    Settle();
    // an opening menu takes no keys until it has finished opening
    orvtest::pumpUntil([] { return !CExtPopupMenuWnd::IsAnyMenuTracked() || Ready(TopMenu()); }, 3000);
    if (bDown) {
        orvtest::pumpUntil([] { return ::GetTickCount() - g_nLastKeyDown > 2 * CExtPopupMenuSite::g_nPopupMinKeyInterval + 10; });
        g_nLastKeyDown = ::GetTickCount();
    }
    if (bDown)
        orvtest::keyDown(vk);
    else
        orvtest::keyUp(vk);
    Settle();
}

// A key script: "+X" presses X, "-X" releases it, "X" presses and releases it (X a key name).
WORD KeyCode(const std::string& s) {
    if (s == "Alt") return VK_MENU;
    if (s == "Shift") return VK_SHIFT;
    if (s == "Left") return VK_LEFT;
    if (s == "Right") return VK_RIGHT;
    if (s == "Down") return VK_DOWN;
    if (s == "Enter") return VK_RETURN;
    if (s == "Esc") return VK_ESCAPE;
    if (s == "Space") return VK_SPACE;
    if (s == "F10") return VK_F10;
    return (WORD)s[0];
}

void RunKeys(const std::vector<std::string>& keys) {
    for (const std::string& k : keys) {
        if (k[0] == '+') {
            Key(KeyCode(k.substr(1)), true);
        } else if (k[0] == '-') {
            Key(KeyCode(k.substr(1)), false);
        } else {
            Key(KeyCode(k), true);
            Key(KeyCode(k), false);
        }
    }
}

}  // namespace

// 1. The buttons come from the frame's menu (which the frame no longer shows); a frame without a
// menu has an empty bar until one is loaded; a native menu set on the frame again goes.
TEST_F(MenuBarTest, ButtonsFromTheMenu) {
    Open(true);
    EXPECT_EQ(NULL, ::GetMenu(hFrame)) << "the frame still shows its native menu";
    struct Row {
        const char* text;
        bool pullDown;
    };
    const Row rows[kButtons] = {{"&File", true}, {"&Edit", true}, {"&View", true}, {"&Run", false}, {"&Help", true}};
    ASSERT_EQ(kButtons, Bar().GetButtonsCount());
    for (int i = 0; i < kButtons; i++) {
        CExtBarButton* p = Bar().GetButton(i);
        EXPECT_EQ(rows[i].text, std::string((LPCTSTR)p->GetText())) << i;
        EXPECT_EQ(rows[i].pullDown, p->HasDropDownMenu()) << rows[i].text;
        EXPECT_FALSE(Bar().IsChevronButton(i)) << "a menu bar has no chevron";
    }
    EXPECT_EQ(ID_MB_RUN, Bar().GetButtonCommand(kRun));
    EXPECT_EQ(CSize(23, 20), Bar().GetButtonDefaultSize());
    EXPECT_EQ(Bar().FindButtonByMnemonic('H'), kHelp);

    // a native menu that comes back is taken off the frame and the bar is rebuilt once
    CMenu native;
    native.LoadMenu(IDR_MB_OTHER);
    ::SetMenu(hFrame, native.Detach());
    pFrame->SendMessage(WM_NULL);
    EXPECT_EQ(NULL, ::GetMenu(hFrame));
    orvtest::pumpWaiting();
    EXPECT_EQ(kButtons, Bar().GetButtonsCount());
}

TEST_F(MenuBarTest, FrameWithoutMenuHasAnEmptyBarUntilOneIsLoaded) {
    Open(false);
    EXPECT_EQ(0, Bar().GetButtonsCount());
    EXPECT_EQ(NULL, Bar().GetCurrentMenu());
    ASSERT_TRUE(Bar().LoadMenuFromResource(IDR_MB_OTHER));
    ASSERT_EQ(2, Bar().GetButtonsCount());
    EXPECT_EQ("&Tools", std::string((LPCTSTR)Bar().GetButton(0)->GetText()));
    EXPECT_EQ("&Window", std::string((LPCTSTR)Bar().GetButton(1)->GetText()));
    EXPECT_FALSE(Bar().LoadMenuFromResource(0x7FFF)) << "a menu resource that does not exist";
}

// 2. Rebuilding sweeps the commands of the earlier pull-down buttons: however often the bar is
// rebuilt, the profile holds one command per pull-down.
TEST_F(MenuBarTest, RebuildingLeavesNoEarlierPullDownCommands) {
    Open(true);
    CExtCmdProfile* pProfile = g_CmdManager->GetProfile(kProfile);
    ASSERT_NE(nullptr, pProfile);
    const INT_PTR nCommands = pProfile->GetCommandCount();
    std::vector<UINT> first;
    for (int i = 0; i < kButtons; i++)
        if (Bar().GetButton(i)->HasDropDownMenu()) {
            first.push_back(Bar().GetButtonCommand(i));
            CExtCmdItem* pItem = g_CmdManager->GetCommand(kProfile, first.back());
            ASSERT_NE(nullptr, pItem);
            EXPECT_NE(0u, pItem->m_dwStateFlags & 0x40) << "a pull-down's command is flagged";
        }
    ASSERT_EQ(4u, first.size());
    for (int nRound = 0; nRound < 2; nRound++) {
        ASSERT_TRUE(Bar().UpdateMenuBar(true));
        EXPECT_EQ(nCommands, pProfile->GetCommandCount()) << "round " << nRound;
    }
    std::vector<UINT> now;
    for (int i = 0; i < Bar().GetButtonsCount(); i++)
        now.push_back(Bar().GetButtonCommand(i));
    for (UINT id : first)
        if (std::find(now.begin(), now.end(), id) == now.end()) {
            EXPECT_EQ(nullptr, g_CmdManager->GetCommand(kProfile, id)) << "an earlier pull-down's command " << id;
        }
    // the plain commands of the menu stay
    EXPECT_NE(nullptr, g_CmdManager->GetCommand(kProfile, ID_MB_RUN));
    EXPECT_NE(nullptr, g_CmdManager->GetCommand(kProfile, ID_MB_COPY));
}

// 3. Deferred requests made within one message post one timer message; a rebuild takes the
// place of a pending re-hook.
TEST_F(MenuBarTest, RepeatedRequestsPostOneTimerMessage) {
    Open(true);
    struct Case {
        const char* name;
        int rebuilds, rehooks;
        bool rehookFirst;
        int expect13, expect14;
    };
    const Case cases[] = {
        {"three rebuilds", 3, 0, false, 0, 1},
        {"three re-hooks", 0, 3, false, 1, 0},
        {"re-hooks, then a rebuild", 1, 2, true, 1, 1},
        {"a rebuild, then re-hooks", 2, 2, false, 0, 1},
    };
    for (const Case& c : cases) {
        orvtest::pumpWaiting();
        auto rebuild = [&] {
            for (int i = 0; i < c.rebuilds; i++)
                Bar().PostUpdateMenuBar();
        };
        auto rehook = [&] {
            for (int i = 0; i < c.rehooks; i++)
                Bar().PostHookActiveMdiChild();
        };
        if (c.rehookFirst) {
            rehook();
            rebuild();
        } else {
            rebuild();
            rehook();
        }
        int n13 = 0, n14 = 0;
        MSG msg;
        while (::PeekMessageA(&msg, Bar().m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            if (msg.wParam == 13)
                n13++;
            if (msg.wParam == 14)
                n14++;
            ::DispatchMessageA(&msg);
        }
        EXPECT_EQ(c.expect13, n13) << c.name << ": re-hook messages";
        EXPECT_EQ(c.expect14, n14) << c.name << ": rebuild messages";
        EXPECT_EQ(kButtons, Bar().GetButtonsCount()) << c.name;
        // once handled, a new request posts again
        Bar().PostUpdateMenuBar();
        EXPECT_TRUE(::PeekMessageA(&msg, Bar().m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) << c.name;
        ::DispatchMessageA(&msg);
    }
}

// 4. A command waiting for the frame while its menu bar is being made reaches it only once the
// frame is whole (the bar's creation lets nothing of the frame's run).
TEST_F(MenuBarTest, NothingReachesAHalfBuiltFrame) {
    Open(true);
    ASSERT_EQ(1u, startCommands.size());
    EXPECT_EQ(ID_MB_NEW, startCommands[0]);
    EXPECT_TRUE(startBuilt[0]) << "the waiting command ran while the frame was half built";
}

// 5. The keyboard, with real keys: what is highlighted, which menu is open and which command
// reached the frame afterwards.
TEST_F(MenuBarTest, KeyScripts) {
    Open(true);
    const int kSys = -2;
    struct Case {
        const char* name;
        std::vector<std::string> keys;
        int highlight;   // the keyboard highlight's button, -1 none
        int open;        // the open pull-down's button, kSys the frame's system menu, -1 none
        UINT command;    // the command that reached the frame, 0 none
        bool comboDropped = false;
        bool notRouted = false;   // a frame that does not hand its keys to the menu bar
    };
    const Case cases[] = {
        {"Alt alone highlights the first item", {"+Alt", "-Alt"}, kFile, -1, 0},
        {"Alt with Shift between does nothing", {"+Alt", "Shift", "-Alt"}, -1, -1, 0},
        {"Alt with a letter of no item between does nothing", {"+Alt", "Q", "-Alt"}, -1, -1, 0},
        {"a second Alt ends the highlight", {"Alt", "Alt"}, -1, -1, 0},
        {"Esc ends the highlight", {"Alt", "Esc"}, -1, -1, 0},
        {"Alt+F opens File", {"+Alt", "F", "-Alt"}, -1, kFile, 0},
        {"Alt+H opens Help", {"+Alt", "H", "-Alt"}, -1, kHelp, 0},
        {"Alt+R delivers the plain command at once", {"+Alt", "R", "-Alt"}, -1, -1, ID_MB_RUN},
        {"Alt+Z acts on the tool bar's button", {"+Alt", "Z", "-Alt"}, -1, -1, ID_MB_ZOOM},
        {"a letter with the highlight on acts as with Alt", {"Alt", "E"}, -1, kEdit, 0},
        {"Left from the first wraps to the last", {"Alt", "Left"}, kHelp, -1, 0},
        {"Right from the last wraps to the first", {"Alt", "Left", "Right"}, kFile, -1, 0},
        {"Right moves on", {"Alt", "Right", "Right"}, kView, -1, 0},
        {"Down opens the highlighted pull-down", {"Alt", "Down"}, -1, kFile, 0},
        {"Enter opens the highlighted pull-down", {"Alt", "Right", "Enter"}, -1, kEdit, 0},
        {"Enter on a plain command delivers it and ends the highlight", {"Alt", "Left", "Left", "Enter"}, -1, -1, ID_MB_RUN},
        {"Right from an open pull-down opens the next", {"+Alt", "F", "-Alt", "Right"}, -1, kEdit, 0},
        {"Right from the last pull-down opens the system menu", {"+Alt", "H", "-Alt", "Right"}, -1, kSys, 0},
        {"Left from the first pull-down opens the system menu", {"+Alt", "F", "-Alt", "Left"}, -1, kSys, 0},
        {"Right from the system menu opens the first pull-down", {"+Alt", "Space", "-Alt", "Right"}, -1, kFile, 0},
        {"Alt+Space opens the system menu", {"+Alt", "Space", "-Alt"}, -1, kSys, 0},
        {"Enter in an open pull-down chooses its item", {"+Alt", "E", "-Alt", "Down", "Enter"}, -1, -1, ID_MB_COPY},
        {"F10 is an ordinary key", {"F10"}, -1, -1, 0},
        {"while a combo box's list is dropped Alt stays with it", {"+Alt", "-Alt"}, -1, -1, 0, true},
        {"while a combo box's list is dropped letters stay with it", {"+Alt", "F", "-Alt"}, -1, -1, 0, true},
        {"a lone Alt the frame did not hand over starts no menu loop", {"Alt"}, -1, -1, 0, false, true},
        {"F10 the frame did not hand over starts no menu loop", {"F10"}, -1, -1, 0, false, true},
        {"Alt+Space the frame did not hand over opens the system menu", {"+Alt", "Space", "-Alt"}, -1, kSys, 0, false, true},
    };
    for (const Case& c : cases) {
        Quieten();
        pFrame->m_nKeyMenu = 0;
        pFrame->m_bRouteKeys = !c.notRouted;
        if (c.comboDropped) {
            pFrame->m_combo.SetFocus();
            pFrame->m_combo.ShowDropDown(TRUE);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return pFrame->m_combo.GetDroppedState() != FALSE; })) << c.name;
        } else {
            pFrame->m_view.SetFocus();
        }
        orvtest::pumpWaiting();
        RunKeys(c.keys);
        orvtest::pumpUntil([&] {
            return (c.open == -1 || OpenMenu() == c.open) && (c.command == 0 || !pFrame->m_commands.empty());
        }, 3000);
        Settle();
        const int nHighlight = Bar().IsKeyboardTracking() ? Bar().GetFlatTrackingIndex() : -1;
        EXPECT_EQ(c.highlight, nHighlight) << c.name;
        EXPECT_EQ(c.open, OpenMenu()) << c.name;
        if (c.command == 0) {
            EXPECT_TRUE(pFrame->m_commands.empty()) << c.name << ": " << (pFrame->m_commands.empty() ? 0 : pFrame->m_commands[0]);
        } else {
            EXPECT_EQ(std::vector<UINT>{c.command}, pFrame->m_commands) << c.name;
        }
        EXPECT_EQ(0, pFrame->m_nKeyMenu) << c.name << ": the system's keyboard menu was asked for";
        EXPECT_FALSE(NativeMenuShown()) << c.name;
        if (c.highlight >= 0) {
            EXPECT_NE(0u, Bar().GetButtonStyle(c.highlight) & TBBS_PRESSED) << c.name << ": the highlight is not drawn";
        }
        pFrame->m_bRouteKeys = true;
        if (c.comboDropped) {
            pFrame->m_combo.ShowDropDown(FALSE);
            pFrame->m_view.SetFocus();
        }
    }
    Quieten();
}

// 6. Clicks: a click opens a pull-down, moving onto another button moves the menu there, a click
// on an item delivers its command and closes everything; a click on the open button closes it.
TEST_F(MenuBarTest, ClicksOpenSwitchAndChoose) {
    Open(true);
    // Copy is shown before the menu is expanded, as a command in use would be
    g_CmdManager->GetCommand(kProfile, ID_MB_COPY)->SetAlwaysVisible(true);
    // the press opens the menu, which takes the release: the click is queued whole
    ASSERT_TRUE(orvtest::queueClick(ButtonPoint(kFile), Bar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == kFile; })) << orvtest::recentMouseMessages();
    ASSERT_TRUE(orvtest::moveUntil(ButtonPoint(kEdit), [&] { return OpenMenu() == kEdit; }))
        << "the menu did not move to Edit: " << OpenMenu();
    ASSERT_TRUE(orvtest::moveUntil(ButtonPoint(kView, 2), [&] { return OpenMenu() == kView; }));
    ASSERT_TRUE(orvtest::moveUntil(ButtonPoint(kEdit, -2), [&] { return OpenMenu() == kEdit; }));
    CExtPopupMenuWnd* pMenu = TopMenu();
    ASSERT_NE(nullptr, pMenu);
    const int nCopy = pMenu->ItemFindPosForCmdID(ID_MB_COPY);
    ASSERT_GE(nCopy, 0);
    ASSERT_TRUE(pMenu->ItemIsDisplayed(nCopy));
    POINT pt = pMenu->GetItemRect(nCopy).CenterPoint();
    ::ClientToScreen(pMenu->GetSafeHwnd(), &pt);
    const HWND hMenu = pMenu->GetSafeHwnd();
    ASSERT_TRUE(orvtest::moveUntil(pt, [&] {
        POINT now;
        return ::IsWindow(hMenu) && ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
    }));
    ButtonAt(pt, MOUSEEVENTF_LEFTDOWN);
    ButtonAt(pt, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !pFrame->m_commands.empty() && Closed(); }))
        << "commands " << pFrame->m_commands.size() << ", open " << OpenMenu() << ", " << orvtest::recentMouseMessages();
    EXPECT_EQ(std::vector<UINT>{ID_MB_COPY}, pFrame->m_commands);
    EXPECT_EQ(-1, Bar().m_nBtnIdxMenuTracking);
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);

    // the plain command button delivers on its click
    pFrame->m_commands.clear();
    ASSERT_TRUE(orvtest::click(ButtonPoint(kRun, 3), Bar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !pFrame->m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_MB_RUN}, pFrame->m_commands);
    EXPECT_TRUE(Closed());
}

// 7. A right click on the caption opens the frame's system menu as the library's popup at the
// cursor; the system's own menu never opens.
TEST_F(MenuBarTest, CaptionRightClickOpensTheSystemMenuAsALibraryPopup) {
    Open(true);
    CRect rcWnd, rcClient;
    ::GetWindowRect(hFrame, &rcWnd);
    ::GetClientRect(hFrame, &rcClient);
    ::MapWindowPoints(hFrame, NULL, (POINT*)&rcClient, 2);
    if (rcClient.top - rcWnd.top < 8)
        GTEST_SKIP() << "the display gives the frame no caption of its own";
    POINT pt = {rcWnd.CenterPoint().x, rcWnd.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_EQ(HTCAPTION, ::SendMessageA(hFrame, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    ASSERT_TRUE(orvtest::moveTo(pt, hFrame));
    ButtonAt(pt, MOUSEEVENTF_RIGHTDOWN);
    ButtonAt(pt, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == -2; })) << orvtest::recentMouseMessages();
    Settle();
    ASSERT_EQ(-2, OpenMenu()) << "the menu did not stay open after the click";
    EXPECT_FALSE(NativeMenuShown());
    CExtPopupMenuWnd* pMenu = TopMenu();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_GE(pMenu->ItemFindPosForCmdID(SC_CLOSE), 0) << "the system menu's items";
    CRect rcMenu;
    ::GetWindowRect(pMenu->GetSafeHwnd(), &rcMenu);
    EXPECT_LE(std::abs(rcMenu.left - pt.x), 4) << "opened at the cursor";
    orvtest::pressKey(VK_ESCAPE);
    EXPECT_TRUE(orvtest::pumpUntil([] { return Closed(); }));
    EXPECT_FALSE(NativeMenuShown());
}

// 8. Closing the frame while a pull-down is open leaves no menu, hook or capture.
TEST_F(MenuBarTest, ClosingTheFrameWithAPullDownOpen) {
    Open(true);
    ASSERT_TRUE(orvtest::queueClick(ButtonPoint(kHelp), Bar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == kHelp; }));
    AfxGetApp()->m_pMainWnd = nullptr;
    g_CmdManager->ProfileWndRemove(hFrame, true);
    pFrame->DestroyWindow();
    EXPECT_TRUE(orvtest::pumpUntil([] { return Closed(); }));
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
}

// 9. The bar with a pull-down open in each look, kept as menubar_<look>_<depth>.png; the bar and
// the pull-down read as light areas with dark text.
TEST_F(MenuBarTest, PicturesPerLook) {
    Open(true);
    const auto& looks = kTestLooks;
    // every item shown at once (a new profile counts every command as rarely used)
    CExtPopupMenuWnd::g_bMenuExpanding = false;
    int dx = 0;
    for (const TestLook& look : looks) {
        Quieten();
        g_PaintManager.InstallPaintManager(look.make());
        pFrame->RecalcLayout();
        ::RedrawWindow(hFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        orvtest::pumpWaiting();
        dx = dx == 0 ? 2 : 0;   // a press at the same point soon after the last would be a double click
        ASSERT_TRUE(orvtest::queueClick(ButtonPoint(kFile, dx), Bar().m_hWnd)) << look.name;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == kFile; })) << look.name;
        orvtest::pumpWaiting();
        CRect rcMenu, rcBar;
        ::GetWindowRect(TopMenu()->GetSafeHwnd(), &rcMenu);
        Bar().GetWindowRect(&rcBar);
        orvtest::Picture shot;
        const std::string name = std::string("menubar_") + look.name + (Is24() ? "_24" : "_8");
        ASSERT_TRUE(orvtest::screenshot(name, &shot)) << name;
        EXPECT_EQ("", shot.lightAreaProblem(rcMenu.left + 2, rcMenu.top + 2, rcMenu.right - 6, rcMenu.bottom - 6))
            << look.name << ": the pull-down";
        CRect rcButtons;
        Bar().GetButtonRect(kEdit, &rcButtons);
        Bar().ClientToScreen(&rcButtons);
        EXPECT_EQ("", shot.lightAreaProblem(rcButtons.left, rcButtons.top, rcButtons.right, rcButtons.bottom, 5))
            << look.name << ": the bar's Edit button";
        EXPECT_GE(rcMenu.Height(), 5 * 16) << look.name << ": the pull-down shows its items";
    }
    Quieten();
    CExtPopupMenuWnd::g_bMenuExpanding = true;
}
