// The popup-menu site with real input under Xvfb: a tree of test popups (plain windows that
// record what the site hands them) over an owner window, driven through the system's input queue.
#include "orv/UiTest.h"
#include "CExtPopupMenuSite.h"
#include "ExtToolBarStandIns.h"
#include <string>
#include <vector>

namespace {

const UINT kMsgSetMessageString = 0x362;

CExtPopupMenuSite& Site() { return CExtPopupMenuSite::g_DefPopupMenuSite; }

// ---- windows ----------------------------------------------------------------------------------

struct OwnerWnd {
    HWND hWnd = NULL;
    std::vector<UINT> msgs;            // button, key and non-client button messages received
    std::vector<WPARAM> prompts;       // WM_SETMESSAGESTRING ids
    bool bCaptionEverywhere = false;   // answers HTCAPTION: clicks become non-client clicks

    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        OwnerWnd* p = reinterpret_cast<OwnerWnd*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
        if (p != NULL) {
            if ((m >= WM_LBUTTONDOWN && m <= WM_MBUTTONUP) || (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONUP) ||
                (m >= WM_KEYDOWN && m <= WM_SYSKEYUP))
                p->msgs.push_back(m);
            if (m == kMsgSetMessageString)
                p->prompts.push_back(w);
            if (m == WM_NCHITTEST && p->bCaptionEverywhere)
                return HTCAPTION;
            if (m == WM_SYSCOMMAND || m == WM_SYSKEYUP || m == WM_SYSKEYDOWN)
                return 0;   // no system menu loop of the window's own on Alt
            if (m == WM_NCLBUTTONDOWN)
                return 0;   // no move loop
        }
        return ::DefWindowProcA(h, m, w, l);
    }
    bool Got(UINT m) const
    {
        for (UINT x : msgs)
            if (x == m)
                return true;
        return false;
    }
};

struct TestPopup : IExtPopupSiteMenu {
    HWND hWnd = NULL;
    HWND hWndOwner = NULL;
    HWND hWndTip = NULL;
    TestPopup* pParent = NULL;
    std::vector<std::pair<UINT, CPoint>> mouse;   // handled mouse events, client points
    std::vector<UINT> keys;                       // key-downs handed over
    int nCloseTree = 0;
    int nClearItems = 0;
    bool* pDeleted = NULL;

    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_MOUSEACTIVATE)
            return MA_NOACTIVATE;
        if (m == WM_NCDESTROY) {
            // The end of a popup window closes the tree, unless the site is closing it.
            TestPopup* p = reinterpret_cast<TestPopup*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
            if (p != NULL && Site().IsTopMenu(p) && !Site().IsShutdownMode())
                Site().Done();
        }
        return ::DefWindowProcA(h, m, w, l);
    }
    TestPopup(HWND owner, RECT rcScreen, TestPopup* parent = NULL) : hWndOwner(owner), pParent(parent)
    {
        hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "OrvTestPopup", "", WS_POPUP, rcScreen.left, rcScreen.top,
                                 rcScreen.right - rcScreen.left, rcScreen.bottom - rcScreen.top, owner, NULL, NULL, NULL);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)this);
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    ~TestPopup() override
    {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        if (hWndTip != NULL && ::IsWindow(hWndTip))
            ::DestroyWindow(hWndTip);
        if (pDeleted != NULL)
            *pDeleted = true;
    }
    HWND GetSiteHwnd() const override { return hWnd; }
    bool HandleMouseWheel(UINT, MOUSEHOOKSTRUCT*, bool&) override { return true; }
    bool HandleMouseMove(UINT nMsg, CPoint pt, bool&) override
    {
        if (!IsPointInMenu(pt))
            return false;
        mouse.push_back({nMsg, pt});
        return true;
    }
    bool HandleMouseClick(UINT nMsg, CPoint pt, bool&) override
    {
        if (!IsPointInMenu(pt))
            return false;
        mouse.push_back({nMsg, pt});
        return true;
    }
    bool HandleKeyDown(UINT vk, UINT, UINT, bool&) override
    {
        keys.push_back(vk);
        return true;
    }
    bool IsPointInMenu(CPoint pt) override
    {
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        return ::PtInRect(&rc, pt) != FALSE;
    }
    void CloseMenuTree(bool) override
    {
        ++nCloseTree;
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);   // DefWindowProc destroys it
    }
    void ClearItems() override { ++nClearItems; }
    IExtPopupSiteMenu* GetParentSiteMenu() const override { return pParent; }
    HWND GetTipHwnd() const override { return hWndTip; }
    HWND GetOwnerHwnd() const override { return hWndOwner; }
};

// Sees every mouse and key event the thread takes from its queue, ahead of the site's hooks
// (installed after them); also the peeks (HC_NOREMOVE).
struct Observer {
    static Observer* s_p;
    HHOOK hMouse = NULL, hKey = NULL;
    std::vector<std::pair<UINT, HWND>> mouse;
    std::vector<WPARAM> keys;        // HC_ACTION key events: vk | 0x10000 for key-up
    int nKeyPeeks = 0;

    Observer()
    {
        s_p = this;
        hMouse = ::SetWindowsHookExA(WH_MOUSE, MouseProc, NULL, ::GetCurrentThreadId());
        hKey = ::SetWindowsHookExA(WH_KEYBOARD, KeyProc, NULL, ::GetCurrentThreadId());
    }
    ~Observer()
    {
        ::UnhookWindowsHookEx(hMouse);
        ::UnhookWindowsHookEx(hKey);
        s_p = NULL;
    }
    static LRESULT CALLBACK MouseProc(int c, WPARAM w, LPARAM l)
    {
        if (c == HC_ACTION && l != 0)
            s_p->mouse.push_back({(UINT)w, reinterpret_cast<MOUSEHOOKSTRUCT*>(l)->hwnd});
        return ::CallNextHookEx(s_p->hMouse, c, w, l);
    }
    static LRESULT CALLBACK KeyProc(int c, WPARAM w, LPARAM l)
    {
        if (c == HC_ACTION)
            s_p->keys.push_back(w | ((l & 0x80000000) ? 0x10000 : 0));
        else if (c == HC_NOREMOVE)
            ++s_p->nKeyPeeks;
        return ::CallNextHookEx(s_p->hKey, c, w, l);
    }
    bool SawMouse(UINT m, HWND h) const
    {
        for (const auto& e : mouse)
            if (e.first == m && e.second == h)
                return true;
        return false;
    }
    bool SawKey(WPARAM k) const
    {
        for (WPARAM x : keys)
            if (x == k)
                return true;
        return false;
    }
};
Observer* Observer::s_p = NULL;

void SendMouse(POINT pt, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// Sends a mouse event and pumps until the thread has taken a message of it for that window (a
// move is sent again while the display does not yet know the window).
bool MouseUntilSeen(Observer& obs, POINT pt, DWORD flags, UINT nMsg, HWND hWnd)
{
    obs.mouse.clear();
    SendMouse(pt, flags);
    DWORD nLastSend = ::GetTickCount();
    return orvtest::pumpUntil([&] {
        if (obs.SawMouse(nMsg, hWnd))
            return true;
        if (flags == 0 && ::GetTickCount() - nLastSend > 200) {
            SendMouse(pt, 0);
            nLastSend = ::GetTickCount();
        }
        return false;
    });
}

POINT ScreenOf(HWND h, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(h, &pt);
    return pt;
}

// ---- fixture ------------------------------------------------------------------------------------

class PopupSiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        orvtest::uiApp();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnerWnd::Proc;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "OrvTestOwner";
        ::RegisterClassA(&wc);
        wc.lpfnWndProc = TestPopup::Proc;
        wc.hbrBackground = (HBRUSH)(COLOR_MENU + 1);
        wc.lpszClassName = "OrvTestPopup";
        ::RegisterClassA(&wc);
    }
    void SetUp() override
    {
        m_owner.hWnd = ::CreateWindowExA(0, "OrvTestOwner", "owner", WS_POPUP | WS_VISIBLE, 50, 50, 500, 400, NULL, NULL,
                                         NULL, NULL);
        ::SetWindowLongPtrA(m_owner.hWnd, GWLP_USERDATA, (LONG_PTR)&m_owner);
        ::SetForegroundWindow(m_owner.hWnd);
        ::SetFocus(m_owner.hWnd);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == m_owner.hWnd; }));
    }
    void TearDown() override
    {
        Site().CancelTracking();
        CExtToolControlBar::g_bMenuTracking = false;
        CExtPopupMenuSite::g_nPopupMinKeyInterval = 20;
        EXPECT_FALSE(Site().AreHooksInstalled());
        EXPECT_EQ(NULL, ::GetCapture());
        ::DestroyWindow(m_owner.hWnd);
        orvtest::pumpWaiting();
    }
    // Opens a popup over the owner (owner client 100,100 - 250,250) and gives it the input.
    TestPopup* Open(bool* pDeleted = NULL)
    {
        RECT rc = {150, 150, 300, 300};
        TestPopup* p = new TestPopup(m_owner.hWnd, rc);
        p->pDeleted = pDeleted;
        Site().SetInstance(p);
        Site().SetCapturedMenu(p);
        orvtest::pumpWaiting();
        return p;
    }
    OwnerWnd m_owner;
};

TEST_F(PopupSiteTest, InputInsideReachesTheCapturedPopup)
{
    TestPopup* p = Open();
    Observer obs;
    ASSERT_TRUE(MouseUntilSeen(obs, ScreenOf(p->hWnd, 20, 30), 0, WM_MOUSEMOVE, p->hWnd));
    ASSERT_TRUE(MouseUntilSeen(obs, ScreenOf(p->hWnd, 20, 30), MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, p->hWnd));
    ASSERT_TRUE(MouseUntilSeen(obs, ScreenOf(p->hWnd, 20, 30), MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, p->hWnd));
    ASSERT_GE(p->mouse.size(), 3u);
    EXPECT_EQ((UINT)WM_MOUSEMOVE, p->mouse.front().first);
    EXPECT_EQ(CPoint(20, 30), p->mouse.front().second);
    EXPECT_EQ((UINT)WM_LBUTTONDOWN, p->mouse[p->mouse.size() - 2].first);
    EXPECT_EQ((UINT)WM_LBUTTONUP, p->mouse.back().first);

    orvtest::pressKey('A');
    ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey('A' | 0x10000); }));
    EXPECT_EQ(std::vector<UINT>{'A'}, p->keys);
    EXPECT_TRUE(m_owner.msgs.empty());   // the focused window saw neither the key nor the clicks
    EXPECT_TRUE(Site().IsTopMenu(p));
}

// The hooks act when a message is taken, not when it is peeked at: a key peeked first is handed
// to the popup once, when it is taken.
TEST_F(PopupSiteTest, PeekedKeyIsHandedOverOnceWhenTaken)
{
    TestPopup* p = Open();
    Observer obs;
    orvtest::keyDown('B');
    // Only peek until the key is there: nothing is taken from the queue meanwhile.
    MSG msg;
    const DWORD nStart = ::GetTickCount();
    while (!::PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) {
        ASSERT_LT(::GetTickCount() - nStart, 5000u);
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_KEY);
    }
    EXPECT_GT(obs.nKeyPeeks, 0);   // the hooks were asked at the peek
    EXPECT_TRUE(p->keys.empty());
    ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey('B'); }));
    orvtest::keyUp('B');
    ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey('B' | 0x10000); }));
    EXPECT_EQ(std::vector<UINT>{'B'}, p->keys);
}

TEST_F(PopupSiteTest, KeyTooSoonAfterTheLastGoesToTheFocusedWindow)
{
    TestPopup* p = Open();
    Observer obs;
    orvtest::pressKey('C');
    ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey('C' | 0x10000); }));
    CExtPopupMenuSite::g_nPopupMinKeyInterval = 600000;   // every later key comes "too soon"
    orvtest::keyDown('D');
    ASSERT_TRUE(orvtest::pumpUntil([&] { return m_owner.Got(WM_KEYDOWN); }));
    orvtest::keyUp('D');
    ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey('D' | 0x10000); }));
    EXPECT_EQ(std::vector<UINT>{'C'}, p->keys);
    EXPECT_FALSE(m_owner.Got(WM_KEYUP));   // a key-up is never passed while a popup holds the input
}

// A click outside every open popup closes the tree; a button press still reaches the window
// under it, a release or a non-client click does not.
TEST_F(PopupSiteTest, ClickOutsideClosesTheTree)
{
    struct Case {
        const char* name;
        DWORD dwDown, dwUp;
        UINT nSeen;                // the message the site decides on
        bool bCaption;             // the window under answers HTCAPTION
        bool bPressInside;         // pressed in the popup, released outside
        bool bReaches;             // the message reaches the window under the mouse
    } cases[] = {
        {"left down", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, WM_LBUTTONDOWN, false, false, true},
        {"right down", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, WM_RBUTTONDOWN, false, false, true},
        {"middle down", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, WM_MBUTTONDOWN, false, false, true},
        {"left up", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, false, true, false},
        {"non-client left down", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, WM_NCLBUTTONDOWN, true, false, false},
    };
    int nCase = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++nCase;
        m_owner.msgs.clear();
        m_owner.prompts.clear();
        m_owner.bCaptionEverywhere = c.bCaption;
        bool bDeleted = false;
        TestPopup* p = Open(&bDeleted);
        HWND hPopup = p->hWnd;
        Observer obs;
        const POINT ptOutside = ScreenOf(m_owner.hWnd, 20 + 10 * nCase, 30);   // a move each time
        if (c.bPressInside) {
            ASSERT_TRUE(MouseUntilSeen(obs, ScreenOf(hPopup, 10, 10), c.dwDown, WM_LBUTTONDOWN, hPopup));
            ASSERT_TRUE(MouseUntilSeen(obs, ptOutside, c.dwUp, c.nSeen, m_owner.hWnd));
        } else {
            ASSERT_TRUE(MouseUntilSeen(obs, ptOutside, 0, c.bCaption ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, m_owner.hWnd));
            ASSERT_TRUE(MouseUntilSeen(obs, ptOutside, c.dwDown, c.nSeen, m_owner.hWnd));
        }
        ASSERT_TRUE(orvtest::pumpUntil([&] { return Site().IsEmpty(); }));
        EXPECT_TRUE(bDeleted);
        EXPECT_FALSE(::IsWindow(hPopup));
        EXPECT_FALSE(Site().AreHooksInstalled());
        EXPECT_EQ(c.bReaches, m_owner.Got(c.nSeen));
        if (!c.bPressInside) {   // the release, with the hooks gone, reaches the window
            SendMouse(ptOutside, c.dwUp);
            const UINT nUp = c.bCaption ? WM_NCLBUTTONUP : c.nSeen + 1;
            ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawMouse(nUp, m_owner.hWnd); }));
        }
    }
}

TEST_F(PopupSiteTest, ClickOnTheTipOrAParentPopupKeepsTheTree)
{
    TestPopup* p = Open();
    RECT rcChild = {300, 200, 400, 300};
    TestPopup* pChild = new TestPopup(m_owner.hWnd, rcChild, p);
    pChild->hWndTip = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "OrvTestPopup", "", WS_POPUP | WS_VISIBLE, 420, 200, 60, 40,
                                        m_owner.hWnd, NULL, NULL, NULL);
    Site().SetCapturedMenu(pChild);
    Observer obs;
    const POINT ptTip = {450, 220}, ptParent = ScreenOf(p->hWnd, 10, 10);
    ASSERT_TRUE(MouseUntilSeen(obs, ptTip, 0, WM_MOUSEMOVE, pChild->hWndTip));
    ASSERT_TRUE(MouseUntilSeen(obs, ptTip, MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, pChild->hWndTip));
    ASSERT_TRUE(MouseUntilSeen(obs, ptTip, MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, pChild->hWndTip));
    ASSERT_TRUE(MouseUntilSeen(obs, ptParent, MOUSEEVENTF_LEFTDOWN, WM_LBUTTONDOWN, p->hWnd));
    ASSERT_TRUE(MouseUntilSeen(obs, ptParent, MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, p->hWnd));
    EXPECT_TRUE(Site().IsTopMenu(p));
    EXPECT_EQ(0, p->nCloseTree);
    EXPECT_TRUE(m_owner.msgs.empty());
    delete pChild;   // not the site's: the popup menu deletes its sub-menus itself
}

// Releasing Alt while no popup can take the input ends the menu, unless the tool bars are
// tracking their menus.
TEST_F(PopupSiteTest, AltReleasedWithoutCapturedPopupCancels)
{
    for (bool bBarsTracking : {false, true}) {
        SCOPED_TRACE(bBarsTracking);
        bool bDeleted = false;
        Open(&bDeleted);
        Site().SetCapturedMenu(NULL);
        CExtToolControlBar::g_bMenuTracking = bBarsTracking;
        Observer obs;
        orvtest::pressKey(VK_MENU);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return obs.SawKey(VK_MENU | 0x10000); }));
        orvtest::pumpWaiting();
        EXPECT_EQ(!bBarsTracking, bDeleted);
        EXPECT_EQ(bBarsTracking, !Site().IsEmpty());
        CExtToolControlBar::g_bMenuTracking = false;
        Site().CancelTracking();
    }
}

TEST_F(PopupSiteTest, SecondTreeClosesTheFirst)
{
    bool bFirstDeleted = false;
    TestPopup* p1 = Open(&bFirstDeleted);
    HWND h1 = p1->hWnd;
    m_owner.prompts.clear();
    TestPopup* p2 = Open();
    EXPECT_TRUE(bFirstDeleted);
    EXPECT_FALSE(::IsWindow(h1));
    EXPECT_EQ(std::vector<WPARAM>{0xE001}, m_owner.prompts);   // the owner's idle prompt is back
    EXPECT_TRUE(Site().IsTopMenu(p2));
    EXPECT_TRUE(Site().AreHooksInstalled());
    Site().SetInstance(p2);   // the same tree again: nothing happens
    EXPECT_TRUE(Site().IsTopMenu(p2));
    EXPECT_EQ(0, p2->nClearItems);
    Site().Done();
    EXPECT_TRUE(Site().IsEmpty());
    EXPECT_EQ(NULL, Site().GetCapturedMenu());
}

}  // namespace
