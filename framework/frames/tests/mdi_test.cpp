// The MDI frame and its document windows under Xvfb, over the system's MDI client: children
// made in the client (with their views), activated by a click and by Ctrl+F6, maximised by a
// double click on the caption and restored, the active child answered, the frame's menu swapped
// for the active child's (WM_MDISETMENU) and back, commands routed to the active child first,
// and every object deleted when its window goes.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <orv/UiTest.h>
#include "mdi_test_resources.h"
#include <afxwin.h>

// Rectangles print as such in failures.
void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

std::vector<std::string> g_handled;  // who handled each routed command
std::vector<std::string> g_deleted;  // the children deleted, by title

CWinApp& App()
{
    return orvtest::uiApp("Orvane MDI tests");
}

class CDocView : public CView {
    DECLARE_DYNCREATE(CDocView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, RGB(255, 255, 230));
        pDC->TextOut(4, 4, "view");
    }

protected:
    afx_msg void OnDocCommand() { g_handled.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CDocView, CView)

BEGIN_MESSAGE_MAP(CDocView, CView)
    ON_COMMAND(ID_DOC_COMMAND, OnDocCommand)
END_MESSAGE_MAP()

class CDocFrame : public CMDIChildWnd {
public:
    ~CDocFrame() override { g_deleted.push_back(m_strTitle.str()); }

protected:
    afx_msg void OnShared() { g_handled.push_back("child " + m_strTitle.str()); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocFrame, CMDIChildWnd)
    ON_COMMAND(ID_SHARED_COMMAND, OnShared)
END_MESSAGE_MAP()

class CMainMDIFrame : public CMDIFrameWnd {
protected:
    afx_msg void OnShared() { g_handled.push_back("frame"); }
    afx_msg void OnDocCommand() { g_handled.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainMDIFrame, CMDIFrameWnd)
    ON_COMMAND(ID_SHARED_COMMAND, OnShared)
    ON_COMMAND(ID_DOC_COMMAND, OnDocCommand)
END_MESSAGE_MAP()

// A child made at a place of the client, with a view; by LoadFrame when it has its own menu.
CDocFrame* MakeChild(CMainMDIFrame* pFrame, const char* title, const CRect& rect, bool ownMenu)
{
    auto* pChild = new CDocFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDocView);
    BOOL made = ownMenu ? pChild->LoadFrame(IDR_DOCUMENT, WS_CHILD | WS_OVERLAPPEDWINDOW, pFrame, &context)
                        : pChild->Create(NULL, title, WS_CHILD | WS_OVERLAPPEDWINDOW, rect, pFrame, &context);
    if (!made)
        return nullptr;
    if (ownMenu)
        pChild->SetTitle(title);
    pChild->SetWindowText(title);
    pChild->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pChild->InitialUpdateFrame(NULL, TRUE);  // shows and activates it
    return pChild;
}

CRect ClientRectIn(HWND hWnd, HWND hWndParent)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    ::MapWindowPoints(NULL, hWndParent, (POINT*)&rect, 2);
    return rect;
}

// A picture's name with the display's depth (the test runs at 24 and at 8 bits).
std::string PictureName(const char* name)
{
    HDC hScreen = ::GetDC(NULL);
    int bits = ::GetDeviceCaps(hScreen, BITSPIXEL);
    ::ReleaseDC(NULL, hScreen);
    return std::string(name) + "_" + std::to_string(bits >= 24 ? 24 : bits);  // a 24-bit display reports 32
}

// Titles of the window list the system keeps in a pull-down (ids from AFX_IDM_FIRST_MDICHILD).
std::vector<UINT> WindowListIds(HMENU hPopup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(hPopup); i++) {
        UINT nID = ::GetMenuItemID(hPopup, i);
        if (nID >= AFX_IDM_FIRST_MDICHILD && nID != (UINT)-1)
            ids.push_back(nID);
    }
    return ids;
}

TEST(MDIFrame, ChildrenAreActivatedMaximisedRestoredAndSwapTheFrameMenu)
{
    CWinApp& app = App();
    g_deleted.clear();
    auto* pFrame = new CMainMDIFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDIFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE | FWS_ADDTOTITLE));
    app.m_pMainWnd = pFrame;
    pFrame->SetWindowPos(NULL, 10, 10, 640, 480, SWP_NOZORDER);
    HMENU hFrameMenu = ::GetMenu(pFrame->m_hWnd);
    ASSERT_NE((HMENU)NULL, hFrameMenu);
    EXPECT_EQ(hFrameMenu, pFrame->m_hMenuDefault);

    // the client fills the frame as its pane
    HWND hClient = pFrame->m_hWndMDIClient;
    ASSERT_NE((HWND)NULL, hClient);
    EXPECT_STRCASEEQ("MDIClient", orvtest::className(hClient).c_str());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(hClient));
    CRect frameClient;
    pFrame->GetClientRect(&frameClient);
    EXPECT_EQ(frameClient, ClientRectIn(hClient, pFrame->m_hWnd));
    BOOL bMaximized = TRUE;
    EXPECT_EQ(nullptr, pFrame->MDIGetActive(&bMaximized));
    EXPECT_FALSE(bMaximized);
    EXPECT_EQ(pFrame, pFrame->GetActiveFrame());

    // two children: the first with the frame's menu, the second with its own
    CDocFrame* pPlain = MakeChild(pFrame, "Plain", CRect(0, 0, 250, 200), false);
    ASSERT_NE(nullptr, pPlain);
    CDocFrame* pOwn = MakeChild(pFrame, "Own menu", CRect(270, 0, 520, 200), true);
    ASSERT_NE(nullptr, pOwn);
    ASSERT_NE((HMENU)NULL, pOwn->m_hMenuShared);
    for (CDocFrame* pChild : {pPlain, pOwn}) {
        EXPECT_EQ(hClient, ::GetParent(pChild->m_hWnd));
        EXPECT_TRUE(pChild->GetExStyle() & WS_EX_MDICHILD);
        EXPECT_EQ(pFrame, pChild->GetMDIFrame());
        EXPECT_EQ(pFrame, pChild->GetParentFrame());
        // the view made from the context fills the child
        CView* pView = pChild->GetActiveView();
        ASSERT_NE(nullptr, pView);
        EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CDocView)));
        CRect childClient;
        pChild->GetClientRect(&childClient);
        EXPECT_EQ(childClient, ClientRectIn(pView->m_hWnd, pChild->m_hWnd));
    }
    EXPECT_EQ(AFX_IDM_FIRST_MDICHILD, ::GetDlgCtrlID(pPlain->m_hWnd));
    EXPECT_EQ(AFX_IDM_FIRST_MDICHILD + 1, ::GetDlgCtrlID(pOwn->m_hWnd));
    // the last made is active, and the frame shows its menu with the window list
    EXPECT_EQ(pOwn, pFrame->MDIGetActive(&bMaximized));
    EXPECT_FALSE(bMaximized);
    EXPECT_EQ(pOwn, pFrame->GetActiveFrame());
    EXPECT_EQ(pOwn->m_hMenuShared, ::GetMenu(pFrame->m_hWnd));
    HMENU hOwnWindowMenu = CMDIFrameWnd::FindWindowMenuPopup(pOwn->m_hMenuShared);
    EXPECT_EQ(::GetSubMenu(pOwn->m_hMenuShared, 2), hOwnWindowMenu);
    EXPECT_EQ((std::vector<UINT>{AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + 1}), WindowListIds(hOwnWindowMenu));

    // commands: the active child (its view, itself) before the frame
    struct Route {
        CDocFrame* active;
        UINT nID;
        std::vector<std::string> handled;
    } routes[] = {
        {pOwn, ID_DOC_COMMAND, {"view"}},
        {pOwn, ID_SHARED_COMMAND, {"child Own menu"}},
        {pPlain, ID_SHARED_COMMAND, {"child Plain"}},
    };
    for (const Route& route : routes) {
        pFrame->MDIActivate(route.active);
        g_handled.clear();
        pFrame->SendMessage(WM_COMMAND, route.nID, 0);
        EXPECT_EQ(route.handled, g_handled) << route.nID;
    }
    // the window list's commands are the system's: the routing leaves them to the client
    pFrame->MDIActivate(pOwn);
    pFrame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD, 0);
    EXPECT_EQ(pPlain, pFrame->MDIGetActive());
    pFrame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1, 0);
    EXPECT_EQ(pOwn, pFrame->MDIGetActive());

    pFrame->ActivateFrame();
    pFrame->SetForegroundWindow();
    // a click in the other child's view activates it (real input); its menu comes
    pFrame->MDIActivate(pPlain);
    EXPECT_EQ(hFrameMenu, ::GetMenu(pFrame->m_hWnd));
    HWND hOwnView = pOwn->GetActiveView()->m_hWnd;
    ASSERT_TRUE(orvtest::click(orvtest::screenPoint(hOwnView, {60, 60}), hOwnView)) << orvtest::recentMouseMessages();
    EXPECT_TRUE(orvtest::pumpUntil([&] { return pFrame->MDIGetActive() == pOwn; }));
    EXPECT_EQ(pOwn->m_hMenuShared, ::GetMenu(pFrame->m_hWnd));
    EXPECT_EQ(hOwnView, ::GetFocus());

    // Ctrl+F6 (the frame's translation of the client's keys) goes to the next child, whose
    // menu is the frame's own
    orvtest::pressKey(VK_F6, orvtest::kCtrl);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return pFrame->MDIGetActive() == pPlain; }));
    EXPECT_EQ(hFrameMenu, ::GetMenu(pFrame->m_hWnd));
    orvtest::pressKey(VK_F6, orvtest::kCtrl);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return pFrame->MDIGetActive() == pOwn; }));
    EXPECT_EQ(pOwn->m_hMenuShared, ::GetMenu(pFrame->m_hWnd));

    // a double click on the caption maximises the child
    CRect ownRect;
    pOwn->GetWindowRect(&ownRect);
    CRect restoredRect = ClientRectIn(pOwn->m_hWnd, hClient);
    POINT caption = {ownRect.left + 60 + 3, ownRect.top + ::GetSystemMetrics(SM_CYFRAME) +
                                                ::GetSystemMetrics(SM_CYCAPTION) / 2};
    // the first press starts the system's move loop: the whole double click is queued at once,
    // each event at the caption's point, so that a late pointer event of the earlier click
    // cannot carry a press or a release elsewhere (the loop would move the window)
    ASSERT_TRUE(orvtest::moveUntil(caption, [&] {
        POINT now = {};
        ::GetCursorPos(&now);
        return orvtest::lastMouseTarget() == pOwn->m_hWnd && now.x == caption.x && now.y == caption.y;
    })) << orvtest::recentMouseMessages();
    INPUT clicks[4] = {};
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    for (int i = 0; i < 4; i++) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dx = (LONG)(((LONGLONG)caption.x * 65536 + 32768) / cxScreen);
        clicks[i].mi.dy = (LONG)(((LONGLONG)caption.y * 65536 + 32768) / cyScreen);
        clicks[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                               (i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    }
    ASSERT_EQ(4u, ::SendInput(4, clicks, sizeof(INPUT)));
    EXPECT_TRUE(orvtest::pumpUntil([&] {
        BOOL bMax = FALSE;
        return pFrame->MDIGetActive(&bMax) == pOwn && bMax;
    })) << orvtest::recentMouseMessages();
    EXPECT_TRUE(pOwn->IsZoomed());
    CRect clientArea;
    ::GetClientRect(hClient, &clientArea);
    CRect ownClient;
    pOwn->GetClientRect(&ownClient);
    ::MapWindowPoints(pOwn->m_hWnd, hClient, (POINT*)&ownClient, 2);
    EXPECT_EQ(clientArea, ownClient);  // the caption and frame lie outside the client
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    orvtest::screenshot(PictureName("framework_frames_mdi_maximised"));

    // activating the other child keeps the maximised state (the system's rule) and swaps menus
    pFrame->MDINext();
    EXPECT_EQ(pPlain, pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_EQ(hFrameMenu, ::GetMenu(pFrame->m_hWnd));
    pFrame->MDIActivate(pOwn);
    EXPECT_EQ(pOwn, pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);

    // restoring puts it back where it was
    pFrame->MDIRestore(pOwn);
    EXPECT_EQ(pOwn, pFrame->MDIGetActive(&bMaximized));
    EXPECT_FALSE(bMaximized);
    EXPECT_FALSE(pOwn->IsZoomed());
    EXPECT_EQ(restoredRect, ClientRectIn(pOwn->m_hWnd, hClient));
    pOwn->MDIMaximize();
    EXPECT_TRUE(pOwn->IsZoomed());
    pOwn->MDIRestore();
    EXPECT_FALSE(pOwn->IsZoomed());
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    orvtest::screenshot(PictureName("framework_frames_mdi_restored"));

    // WM_MDISETMENU straight to the client: answers the menu shown before
    HMENU hOther = ::CreateMenu();
    ::AppendMenuA(hOther, MF_STRING, ID_SHARED_COMMAND, "&Other");
    CMenu* pOld = pFrame->MDISetMenu(CMenu::FromHandle(hOther), NULL);
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(pOwn->m_hMenuShared, pOld->m_hMenu);
    EXPECT_EQ(hOther, ::GetMenu(pFrame->m_hWnd));
    pFrame->OnUpdateFrameMenu(NULL);  // the active child's again
    EXPECT_EQ(pOwn->m_hMenuShared, ::GetMenu(pFrame->m_hWnd));
    ::DestroyMenu(hOther);

    // closing the child with its own menu: the next one is active and the frame menu comes
    // back; the object is deleted with its window
    HMENU hOwnMenu = pOwn->m_hMenuShared;
    pOwn->SendMessage(WM_CLOSE);
    EXPECT_EQ(std::vector<std::string>{"Own menu"}, g_deleted);
    EXPECT_FALSE(::IsMenu(hOwnMenu));
    EXPECT_EQ(pPlain, pFrame->MDIGetActive());
    EXPECT_EQ(hFrameMenu, ::GetMenu(pFrame->m_hWnd));
    EXPECT_EQ(std::vector<UINT>{AFX_IDM_FIRST_MDICHILD}, WindowListIds(::GetSubMenu(hFrameMenu, 1)));

    // a new child with its own menu, then the frame closes while that menu shows: both menus
    // are destroyed once, with their owners
    CDocFrame* pLast = MakeChild(pFrame, "Last", CRect(40, 40, 300, 240), true);
    ASSERT_NE(nullptr, pLast);
    HMENU hLastMenu = pLast->m_hMenuShared;
    EXPECT_EQ(hLastMenu, ::GetMenu(pFrame->m_hWnd));
    pPlain->DestroyWindow();  // through the client
    EXPECT_EQ((std::vector<std::string>{"Own menu", "Plain"}), g_deleted);
    EXPECT_EQ(pLast, pFrame->MDIGetActive());
    pFrame->PostMessage(WM_CLOSE);
    EXPECT_EQ(0, app.Run());
    EXPECT_EQ((std::vector<std::string>{"Own menu", "Plain", "Last"}), g_deleted);
    EXPECT_FALSE(::IsMenu(hLastMenu));
    EXPECT_FALSE(::IsMenu(hFrameMenu));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST(MDIFrame, LastChildClosedBringsBackTheFrameMenu)
{
    App();
    g_deleted.clear();
    auto* pFrame = new CMainMDIFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Created", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 520, 400), NULL,
                               MAKEINTRESOURCEA(IDR_MDIFRAME)));
    HMENU hFrameMenu = ::GetMenu(pFrame->m_hWnd);
    EXPECT_EQ(hFrameMenu, pFrame->m_hMenuDefault);  // taken at creation without LoadFrame
    CDocFrame* pChild = MakeChild(pFrame, "Only", CRect(10, 10, 200, 150), true);
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(pChild->m_hMenuShared, ::GetMenu(pFrame->m_hWnd));
    pChild->MDIMaximize();
    pChild->DestroyWindow();
    EXPECT_EQ(std::vector<std::string>{"Only"}, g_deleted);
    EXPECT_EQ(nullptr, pFrame->MDIGetActive());
    EXPECT_EQ(hFrameMenu, ::GetMenu(pFrame->m_hWnd));
    // the maximised child's additions to the menu went with it
    EXPECT_EQ(2, ::GetMenuItemCount(hFrameMenu));
    // a child made maximised is shown maximised and active
    auto* pBig = new CDocFrame;
    ASSERT_TRUE(pBig->Create(NULL, "Big", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
                             CRect(0, 0, 100, 80), pFrame));
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pBig, pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pBig->IsWindowVisible());
    pFrame->DestroyWindow();
    EXPECT_EQ((std::vector<std::string>{"Only", "Big"}), g_deleted);
}

TEST(MDIChild, MadeOnlyInAnMDIFrame)
{
    App();
    g_deleted.clear();
    // no frame given and the main window is no MDI frame: refused, the object gets its last call
    auto* pChild = new CDocFrame;
    pChild->SetTitle("Orphan");
    EXPECT_FALSE(pChild->Create(NULL, "Orphan"));
    EXPECT_EQ(std::vector<std::string>{"Orphan"}, g_deleted);
    // a frame whose creation made no client refuses as well
    auto* pPlainFrame = new CFrameWnd;
    ASSERT_TRUE(pPlainFrame->Create(NULL, "Plain frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CMDIFrameWnd, pPlainFrame));
    pPlainFrame->DestroyWindow();
}

}  // namespace
