// The popup menu tracked for real under Xvfb: a frame with a list control whose right click
// tracks a context menu at the cursor with the modal-loop and show-all flags, as the GUI does,
// driven by real keys and mouse moves and clicks (steps on a thread timer, which go on inside the
// menu's modal loop). After every way a menu ends, no hook is installed and no capture is held.
#include "orv/UiTest.h"
#include "afxcmn.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPopupMenuWnd.h"
#include "menus_track_resources.h"
#include <functional>
#include <string>
#include <vector>

namespace {

CExtPopupMenuSite& Site() { return CExtPopupMenuSite::g_DefPopupMenuSite; }

CExtPopupMenuWnd* TopMenu() { return dynamic_cast<CExtPopupMenuWnd*>(Site().GetTopMenu()); }
CExtPopupMenuWnd* CapturedMenu() { return dynamic_cast<CExtPopupMenuWnd*>(Site().GetCapturedMenu()); }

// Shown, finished opening and holding the input.
bool Ready(const CExtPopupMenuWnd* p)
{
    return p != NULL && p->GetSafeHwnd() != NULL && ::IsWindowVisible(p->GetSafeHwnd()) && p->IsAnimationFinished() &&
           Site().GetAnimatedMenu() == NULL && CapturedMenu() == p;
}

POINT ItemPoint(CExtPopupMenuWnd* p, int nIndex)
{
    CRect rc = p->GetItemRect(nIndex);
    POINT pt = rc.CenterPoint();
    ::ClientToScreen(p->GetSafeHwnd(), &pt);
    return pt;
}

CExtPopupMenuWnd* ChildOf(CExtPopupMenuWnd* p, int nIndex) { return p != NULL ? p->ItemGetPopup(nIndex) : NULL; }

bool ChildShown(CExtPopupMenuWnd* p, int nIndex)
{
    CExtPopupMenuWnd* pChild = ChildOf(p, nIndex);
    return pChild != NULL && pChild->GetSafeHwnd() != NULL && ::IsWindowVisible(pChild->GetSafeHwnd());
}

POINT g_ptLastSent = {0, 0};   // where the pointer was sent last
DWORD g_nLastKeySent = 0;

// Presses a key once the keys sent before were taken and the site's least interval between two
// key-downs has passed (a key sooner than that goes to the focused window, not the menu).
bool PressKeyInTurn(WORD vk)
{
    if (HIWORD(::GetQueueStatus(QS_KEY)) != 0 || ::GetTickCount() - g_nLastKeySent < 2 * CExtPopupMenuSite::g_nPopupMinKeyInterval + 10)
        return false;
    orvtest::pressKey(vk);
    g_nLastKeySent = ::GetTickCount();
    return true;
}

bool CursorAt(POINT pt)
{
    POINT now;
    return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
}

// Moves the pointer there (the menus swallow the moves they handle, so the arrival is read from
// the cursor and from what the menu did).
bool MoveOnto(POINT pt, const std::function<bool()>& done = nullptr, DWORD timeoutMs = 5000)
{
    g_ptLastSent = pt;
    return orvtest::moveUntil(pt, [&] { return CursorAt(pt) && (!done || done()); }, timeoutMs);
}

// A left click at the point where the pointer was last sent (the press and release carry the
// point themselves: under Wine a late pointer event may have put the cursor back meanwhile).

void ClickAt(POINT pt)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in[2] = {};
    for (int i = 0; i < 2; i++) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
        in[i].mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
        in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    }
    ::SendInput(2, in, sizeof in[0]);
}

std::pair<std::string, orvtest::Script::Step> Click(const char* name)
{
    return {name, [] {
                ClickAt(g_ptLastSent);
                return true;
            }};
}

bool Closed()
{
    return Site().IsEmpty() && !Site().AreHooksInstalled() && !CExtPopupMenuWnd::IsAnyMenuTracked();
}

// The items of the test context menu.
enum { kOpen = 0, kSave = 1, kSep1 = 2, kDisabled = 3, kSubmenu = 4, kSep2 = 5, kRename = 6, kProperties = 7 };
enum { kSubFirst = 0, kSubDeeper = 1, kSubSecond = 2 };

// The frame of the GUI's shape: a list control filling it; its right click tracks the context
// menu at the cursor and runs the modal loop.
class TrackFrame : public CFrameWnd {
public:
    CListCtrl list;
    UINT nFlags = 0x0180;
    std::function<void(CExtPopupMenuWnd&)> build;   // the menu, else IDR_MENU_CONTEXT
    CExtPopupMenuWnd* pMenu = NULL;                 // the menu while its TrackPopupMenu runs
    UINT nResult = 99;
    int nTracks = 0;
    int nReturned = 0;
    bool bAnswer = false;
    std::vector<UINT> handled;    // commands that reached the handler
    std::vector<UINT> commands;   // every WM_COMMAND id
    bool bDropQuit = false;

    bool Make()
    {
        if (!Create(NULL, "Menu tracking", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 460)))
            return false;
        CRect rc;
        GetClientRect(&rc);
        if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, rc, this, 100))
            return false;
        list.InsertColumn(0, "Item", LVCFMT_LEFT, 200);
        list.InsertItem(0, "first row");
        ShowWindow(SW_SHOW);
        UpdateWindow();
        SetForegroundWindow();
        return true;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    afx_msg void OnTrkCommand(UINT nID) { handled.push_back(nID); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnContextMenu(CWnd*, CPoint)
    {
        CExtPopupMenuWnd* p = new CExtPopupMenuWnd;
        if (build) {
            ASSERT_TRUE(p->CreatePopupMenu(m_hWnd));
            build(*p);
        } else {
            ASSERT_TRUE(p->LoadMenu(m_hWnd, IDR_MENU_CONTEXT));
        }
        ++nTracks;
        pMenu = p;
        nResult = 99;
        bAnswer = p->TrackPopupMenu(nFlags, -1, -1, NULL, NULL, NULL, &nResult);
        pMenu = NULL;
        if (!bAnswer)
            delete p;
        ++nReturned;
        if (bDropQuit) {
            MSG msg;
            ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TrackFrame, CFrameWnd)
    ON_WM_CONTEXTMENU()
    ON_COMMAND_RANGE(ID_TRK_OPEN, ID_TRK_LONG_FIRST + 200, OnTrkCommand)
    ON_UPDATE_COMMAND_UI(ID_TRK_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

struct TrackTest : ::testing::Test {
    TrackFrame* frame = NULL;
    int nOpened = 0;
    void SetUp() override
    {
        orvtest::uiApp();
        CExtPopupMenuWnd::ResetStandIn();
        CExtPopupBaseWnd::g_nDefaultAnimation = CExtPopupBaseWnd::__AT_NONE;
        frame = new TrackFrame;
        ASSERT_TRUE(frame->Make());
        orvtest::pumpWaiting();
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelMenuTracking();
        EXPECT_TRUE(Closed()) << "no hook left behind";
        EXPECT_EQ(NULL, ::GetCapture()) << "no capture left held";
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();   // the frame deletes itself
        orvtest::pumpWaiting();
    }
    POINT ListPoint() const { return orvtest::centreOf(frame->list.GetSafeHwnd()); }

    // Steps that open the context menu by a right click on the list and wait until it holds the
    // input.
    std::vector<std::pair<std::string, orvtest::Script::Step>> Open()
    {
        return {
            {"move onto the list",
             [this] {
                 // a point the list has not heard of yet, so its arrival there is seen
                 POINT pt = ListPoint();
                 pt.x += (nOpened++ % 2 == 0) ? 5 : -5;
                 return orvtest::moveTo(pt, frame->list.GetSafeHwnd());
             }},
            {"right click",
             [] {
                 orvtest::buttonDown(orvtest::Button::Right);
                 orvtest::buttonUp(orvtest::Button::Right);
                 return true;
             }},
            {"menu ready", [this] { return frame->pMenu != NULL && Ready(frame->pMenu); }},
        };
    }
    static std::pair<std::string, orvtest::Script::Step> Key(WORD vk, const char* name)
    {
        return {name, [vk] { return PressKeyInTurn(vk); }};
    }
    std::pair<std::string, orvtest::Script::Step> WaitCur(int nIndex, const char* name)
    {
        return {name, [this, nIndex] { return frame->pMenu != NULL && frame->pMenu->GetCurIndex() == nIndex; }};
    }
    std::pair<std::string, orvtest::Script::Step> WaitReturned(const char* name = "the loop returned")
    {
        return {name, [this] { return frame->nReturned == frame->nTracks && frame->nTracks > 0; }};
    }
    bool Run(std::vector<std::pair<std::string, orvtest::Script::Step>> steps)
    {
        std::vector<std::pair<std::string, orvtest::Script::Step>> all = Open();
        all.insert(all.end(), steps.begin(), steps.end());
        orvtest::Script script(all, 20000);
        const bool bOk = script.run();
        EXPECT_TRUE(bOk) << script.failure;
        return bOk;
    }
};

// ---- keyboard -----------------------------------------------------------------------------------

TEST_F(TrackTest, ArrowsWrapAndSkipWhatCannotBeChosenEscEndsWithNoCommand)
{
    Run({
        Key(VK_DOWN, "down"), WaitCur(kOpen, "first item"),
        Key(VK_UP, "up"), WaitCur(kProperties, "up on the first wraps to the last"),
        Key(VK_DOWN, "down"), WaitCur(kOpen, "down on the last wraps to the first"),
        Key(VK_DOWN, "down"), WaitCur(kSave, "second"),
        Key(VK_DOWN, "down"), WaitCur(kSubmenu, "the separator and the disabled item skipped"),
        Key(VK_ESCAPE, "esc"), WaitReturned(),
    });
    EXPECT_TRUE(frame->bAnswer);
    EXPECT_EQ(0u, frame->nResult);
    orvtest::pumpUntil([this] { return !frame->commands.empty(); });
    EXPECT_EQ(std::vector<UINT>{0}, frame->commands) << "Esc posts a command 0 to the target";
    EXPECT_TRUE(frame->handled.empty());
    EXPECT_TRUE(Closed());
}

TEST_F(TrackTest, RightOpensTheSubmenuLeftClosesIt)
{
    CExtPopupMenuWnd* pChild = NULL;
    Run({
        Key(VK_DOWN, "down"), Key(VK_DOWN, "down"), Key(VK_DOWN, "down"), WaitCur(kSubmenu, "on the submenu"),
        Key(VK_RIGHT, "right"),
        {"the submenu opened and holds the input",
         [&] {
             pChild = ChildOf(frame->pMenu, kSubmenu);
             return ChildShown(frame->pMenu, kSubmenu) && Ready(pChild) && pChild->GetCurIndex() == kSubFirst;
         }},
        {"it opened beside its item",
         [&] {
             CRect rcChild, rcParent;
             ::GetWindowRect(pChild->GetSafeHwnd(), &rcChild);
             ::GetWindowRect(frame->pMenu->GetSafeHwnd(), &rcParent);
             EXPECT_TRUE(rcChild.left >= rcParent.right - 8 || rcChild.right <= rcParent.left + 8)
                 << "a submenu opens to one side of its parent";
             return true;
         }},
        Key(VK_LEFT, "left"),
        {"the submenu closed, the parent holds the input again",
         [&] { return !ChildShown(frame->pMenu, kSubmenu) && CapturedMenu() == frame->pMenu; }},
        WaitCur(kSubmenu, "its item still highlighted"),
        Key(VK_ESCAPE, "esc"), WaitReturned(),
    });
    EXPECT_EQ(0u, frame->nResult);
}

TEST_F(TrackTest, KeysChooseCommands)
{
    const struct {
        const char* name;
        std::vector<WORD> keys;
        UINT chosen;
    } cases[] = {
        {"a mnemonic chooses its item", {'O'}, ID_TRK_OPEN},
        {"a mnemonic two items share moves between them", {'R', 'R', VK_RETURN}, ID_TRK_PROPERTIES},
        {"Enter chooses the highlighted item", {VK_DOWN, VK_DOWN, VK_RETURN}, ID_TRK_SAVE},
        {"a mnemonic opens a submenu, another chooses in it", {'U', 'E'}, ID_TRK_SUB_SECOND},
        {"Esc in a submenu ends the whole tree", {'U', VK_ESCAPE}, 0},
        {"the disabled item's mnemonic finds nothing", {'D', VK_ESCAPE}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frame->handled.clear();
        frame->commands.clear();
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps;
        for (size_t i = 0; i < c.keys.size(); i++) {
            const WORD vk = c.keys[i];
            steps.push_back({"key " + std::to_string(vk), [vk] { return PressKeyInTurn(vk); }});
            if (vk == 'U')
                steps.push_back({"submenu ready", [this] { return Ready(ChildOf(frame->pMenu, kSubmenu)); }});
        }
        steps.push_back(WaitReturned());
        Run(steps);
        EXPECT_EQ(c.chosen, frame->nResult) << "the result pointer";
        orvtest::pumpUntil([this] { return !frame->commands.empty(); });
        EXPECT_EQ(std::vector<UINT>{c.chosen}, frame->commands);
        if (c.chosen != 0) {
            EXPECT_EQ(std::vector<UINT>{c.chosen}, frame->handled) << "the command reached the frame's handler";
        } else {
            EXPECT_TRUE(frame->handled.empty());
        }
        EXPECT_TRUE(Closed());
    }
}

// ---- mouse --------------------------------------------------------------------------------------

TEST_F(TrackTest, HoverOpensTheSubmenuAfterTheDelayAndAClickChooses)
{
    DWORD nHoverStart = 0;
    Run({
        {"onto the submenu item",
         [&] {
             const bool bOk = MoveOnto(ItemPoint(frame->pMenu, kSubmenu), [&] { return frame->pMenu->GetCurIndex() == kSubmenu; });
             nHoverStart = ::GetTickCount();
             return bOk;
         }},
        {"the submenu opens after the delay",
         [&] {
             if (!ChildShown(frame->pMenu, kSubmenu))
                 return false;
             EXPECT_GE(::GetTickCount() - nHoverStart, 400u) << "not before the delay";
             return true;
         }},
        {"the submenu holds the input", [&] { return Ready(ChildOf(frame->pMenu, kSubmenu)); }},
        {"onto its last item (the first is highlighted already)",
         [&] {
             CExtPopupMenuWnd* pChild = ChildOf(frame->pMenu, kSubmenu);
             return MoveOnto(ItemPoint(pChild, kSubSecond), [&] { return pChild->GetCurIndex() == kSubSecond; });
         }},
        Click("click it"),
        WaitReturned(),
    });
    EXPECT_EQ((UINT)ID_TRK_SUB_SECOND, frame->nResult);
    orvtest::pumpUntil([this] { return !frame->handled.empty(); });
    EXPECT_EQ(std::vector<UINT>{ID_TRK_SUB_SECOND}, frame->handled);
}

TEST_F(TrackTest, HoverLeftBeforeTheDelayOpensNothing)
{
    DWORD nLeft = 0;
    Run({
        {"onto the submenu item",
         [&] { return MoveOnto(ItemPoint(frame->pMenu, kSubmenu), [&] { return frame->pMenu->GetCurIndex() == kSubmenu; }); }},
        {"on at once to another item",
         [&] {
             const bool bOk = MoveOnto(ItemPoint(frame->pMenu, kRename), [&] { return frame->pMenu->GetCurIndex() == kRename; });
             nLeft = ::GetTickCount();
             return bOk;
         }},
        {"the delay passes with nothing opened",
         [&] {
             EXPECT_FALSE(ChildShown(frame->pMenu, kSubmenu));
             return ::GetTickCount() - nLeft > 900;
         }},
        Key(VK_ESCAPE, "esc"), WaitReturned(),
    });
}

TEST_F(TrackTest, AReleaseOverASeparatorOrADisabledItemClosesTheTree)
{
    for (int nItem : {kSep1, kDisabled}) {
        SCOPED_TRACE(nItem);
        frame->commands.clear();
        Run({
            {"open the submenu too", [&] {
                 return PressKeyInTurn('U');
             }},
            {"submenu ready", [this] { return Ready(ChildOf(frame->pMenu, kSubmenu)); }},
            // the menus hand a move over an item that cannot be chosen on to the window
            {"onto the item",
             [&] {
                 g_ptLastSent = ItemPoint(frame->pMenu, nItem);
                 return orvtest::moveTo(g_ptLastSent, frame->pMenu->GetSafeHwnd());
             }},
            {"the submenu still open", [&] { return ChildShown(frame->pMenu, kSubmenu); }},
            Click("click it"),
            WaitReturned(),
        });
        EXPECT_EQ(0u, frame->nResult);
        EXPECT_TRUE(Closed());
        orvtest::pumpWaiting();
        EXPECT_TRUE(frame->handled.empty());
    }
}

TEST_F(TrackTest, AClickOutsideClosesTheTree)
{
    Run({
        {"onto the frame's caption, away from the menu",
         [&] {
             CRect rcFrame;
             frame->GetWindowRect(&rcFrame);
             g_ptLastSent = POINT{rcFrame.left + 30, rcFrame.top + 8};
             return orvtest::moveTo(g_ptLastSent, frame->GetSafeHwnd());
         }},
        Click("click there"),
        WaitReturned(),
    });
    EXPECT_EQ(0u, frame->nResult);
    EXPECT_TRUE(frame->handled.empty());
}

TEST_F(TrackTest, RestingOnTheExpandButtonShowsTheRarelyUsedItems)
{
    struct Hiding {
        bool bOld = CExtPopupMenuWnd::g_bMenuExpanding;
        Hiding() { CExtPopupMenuWnd::g_bMenuExpanding = true; }
        ~Hiding() { CExtPopupMenuWnd::g_bMenuExpanding = bOld; }
    } hiding;
    frame->nFlags = 0x0080;   // no show-all: the rarely used items hide
    frame->build = [this](CExtPopupMenuWnd& menu) {
        ASSERT_TRUE(menu.LoadMenu(frame->m_hWnd, IDR_MENU_CONTEXT));
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(frame->m_hWnd);
        for (UINT id : {ID_TRK_OPEN, ID_TRK_SAVE, ID_TRK_DISABLED, ID_TRK_SUB_FIRST, ID_TRK_SUB_SECOND, ID_TRK_DEEP})
            g_CmdManager->GetCommand(profile, id)->SetAlwaysVisible(true);
        for (UINT id : {ID_TRK_RENAME, ID_TRK_PROPERTIES}) {   // never chosen: rarely used
            g_CmdManager->GetCommand(profile, id)->SetAlwaysVisible(false);
            g_CmdManager->GetCommand(profile, id)->ResetUsageCount();
        }
    };
    DWORD nRestStart = 0;
    Run({
        {"Rename hidden, the expand button shown",
         [&] {
             EXPECT_FALSE(frame->pMenu->ItemIsDisplayed(kRename));
             EXPECT_FALSE(frame->pMenu->ItemIsDisplayed(kSep2)) << "a separator with nothing after it goes";
             EXPECT_TRUE(frame->pMenu->HasHiddenItems());
             return true;
         }},
        {"rest on the expand button until it expands",
         [&] {
             if (nRestStart == 0)
                 nRestStart = ::GetTickCount();
             return MoveOnto(ItemPoint(frame->pMenu, CExtPopupMenuWnd::HIT_EXPAND), [&] { return frame->pMenu->IsExpanded(); });
         }},
        {"after about thirty ticks of 30 ms, with the rarely used items shown",
         [&] {
             EXPECT_GE(::GetTickCount() - nRestStart, 800u);
             EXPECT_TRUE(frame->pMenu->ItemIsDisplayed(kRename));
             EXPECT_TRUE(frame->pMenu->ItemIsDisplayed(kSep2));
             EXPECT_TRUE(frame->pMenu->IsItemRarelyShown(kRename));
             EXPECT_FALSE(frame->pMenu->IsItemRarelyShown(kOpen));
             return true;
         }},
        {"menu ready", [&] { return Ready(frame->pMenu); }},
        Key('R', "its mnemonic now finds it"), WaitCur(kRename, "highlighted"), Key(VK_RETURN, "choose it"),
        WaitReturned(),
    });
    EXPECT_EQ((UINT)ID_TRK_RENAME, frame->nResult);
}

TEST_F(TrackTest, ATallMenuScrollsAndItsOffsetStopsAtBothEnds)
{
    frame->build = [](CExtPopupMenuWnd& menu) {
        for (int i = 0; i < 90; i++) {
            CString s;
            s.Format("Line %d", i);
            ASSERT_TRUE(menu.InsertCustomItem(ID_TRK_LONG_FIRST + i, -1, s, NULL, CExtCmdIcon()));
        }
    };
    int nMin = 0;
    Run({
        {"it scrolls",
         [&] {
             EXPECT_TRUE(frame->pMenu->IsScrolling());
             nMin = frame->pMenu->GetMinScrollPos();
             EXPECT_LT(nMin, 0);
             EXPECT_EQ(0, frame->pMenu->GetScrollOffset());
             return true;
         }},
        // 5 pixels every 15 ms: a few seconds for the whole way
        {"rest on the scroll-down button until it scrolled to the end",
         [&] {
             return MoveOnto(ItemPoint(frame->pMenu, CExtPopupMenuWnd::HIT_SCROLL_DOWN),
                             [&] { return frame->pMenu->GetScrollOffset() == nMin; }, 15000);
         }},
        {"it stops at the minimum",
         [&] {
             EXPECT_EQ(nMin, frame->pMenu->GetScrollOffset());
             return true;
         }},
        {"onto the scroll-up button until it scrolled back to the top",
         [&] {
             return MoveOnto(ItemPoint(frame->pMenu, CExtPopupMenuWnd::HIT_SCROLL_UP), [&] { return frame->pMenu->GetScrollOffset() == 0; },
                             15000);
         }},
        {"it stops at 0",
         [&] {
             EXPECT_EQ(0, frame->pMenu->GetScrollOffset());
             return true;
         }},
        Key(VK_UP, "up with nothing highlighted"), WaitCur(0, "starts at the top"),
        Key(VK_UP, "up again"),
        {"wraps to the last line, brought into view at the end",
         [&] { return frame->pMenu->GetCurIndex() == 89 && frame->pMenu->GetScrollOffset() == nMin; }},
        Key(VK_RETURN, "choose it"), WaitReturned(),
    });
    EXPECT_EQ((UINT)(ID_TRK_LONG_FIRST + 89), frame->nResult);
}

// ---- how menus end ------------------------------------------------------------------------------

TEST_F(TrackTest, ASecondMenuClosesTheFirstAndTheFirstLoopLeavesItOpen)
{
    const int nLive = CExtPopupMenuWnd::standIn().nLive;
    CExtPopupMenuWnd* pSecond = NULL;
    Run({
        {"a second menu opens while the first runs its loop",
         [&] {
             pSecond = new CExtPopupMenuWnd;
             EXPECT_TRUE(pSecond->LoadMenu(frame->m_hWnd, IDR_MENU_CONTEXT));
             EXPECT_TRUE(pSecond->TrackPopupMenu(0x0100, 20, 20));
             return true;
         }},
        WaitReturned("the first loop returned"),
        {"the second menu is still open", [&] { return Ready(pSecond); }},
        {"the first menu is gone",
         [&] {
             EXPECT_EQ(pSecond, TopMenu()) << "the first loop did not end the second tree";
             // the second menu lives: itself, its submenu and the submenu's own
             EXPECT_EQ(nLive + 3, CExtPopupMenuWnd::standIn().nLive);
             return true;
         }},
        Key(VK_ESCAPE, "esc"),
        {"the second closed", [] { return Closed(); }},
    });
    EXPECT_EQ(nLive, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_TRUE(frame->bAnswer);
}

TEST_F(TrackTest, ACommandForAWindowThatIsGoneStillClosesTheTree)
{
    CWnd* pTarget = new CWnd;
    ASSERT_TRUE(pTarget->CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    const HWND hWndTarget = pTarget->m_hWnd;
    frame->build = [&](CExtPopupMenuWnd& menu) {
        ASSERT_TRUE(menu.InsertCustomItem(ID_TRK_RENAME, -1, "&Rename", NULL, CExtCmdIcon()));
        menu.SetCmdTargetToAllItems(hWndTarget);
    };
    Run({
        {"the target goes",
         [&] {
             pTarget->DestroyWindow();
             return !::IsWindow(hWndTarget);
         }},
        Key('R', "choose the item"), WaitReturned(),
    });
    delete pTarget;
    EXPECT_EQ((UINT)ID_TRK_RENAME, frame->nResult);
    EXPECT_TRUE(Closed());
    orvtest::pumpWaiting();
    EXPECT_TRUE(frame->commands.empty()) << "nothing went elsewhere";
}

TEST_F(TrackTest, TheOwnerGoingEndsTheMenu)
{
    const int nLive = CExtPopupMenuWnd::standIn().nLive;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 300, 300, 60, 60, NULL, NULL));
    CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
    ASSERT_TRUE(pMenu->LoadMenu(owner.m_hWnd, IDR_MENU_CONTEXT));
    ASSERT_TRUE(pMenu->TrackPopupMenu(0x0100, 320, 320));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return Ready(pMenu); }));
    owner.DestroyWindow();
    EXPECT_TRUE(orvtest::pumpUntil([] { return Closed(); })) << "the menu went with its owner";
    EXPECT_EQ(nLive, CExtPopupMenuWnd::standIn().nLive) << "and was deleted";
}

TEST_F(TrackTest, TheProgramEndingEndsTheMenu)
{
    frame->bDropQuit = true;
    Run({
        {"the program is asked to end", [] {
             ::PostQuitMessage(0);
             return true;
         }},
        WaitReturned(),
    });
    EXPECT_TRUE(Closed());
    EXPECT_EQ(0u, frame->nResult);
}

}  // namespace
