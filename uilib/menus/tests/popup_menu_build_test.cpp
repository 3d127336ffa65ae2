// The popup menu's items: built from menu resources (separators, recent files, MDI window list),
// found by access character, inserted, refreshed through the owner's update handlers, exported
// back to a Windows menu; and the recorded tracking the bars and dialogs drive until menus track.
#include "orv/UiTest.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPopupMenuWnd.h"
#include "menus_test_resources.h"
#include <iterator>
#include <string>

namespace {

typedef CExtPopupMenuWnd::MENUITEMDATA MI;

// "text" for a command, "-" for a separator, "text[...]" for a sub-menu; items joined by "|".
std::string Shape(const CExtPopupMenuWnd& menu)
{
    std::string s;
    for (int i = 0; i < menu.GetItemCount(); i++) {
        const MI& mi = menu.GetItemAt(i);
        if (i > 0)
            s += "|";
        if (mi.IsSeparator()) {
            s += "-";
            continue;
        }
        s += (LPCTSTR)mi.m_sItemText;
        if (mi.IsPopup())
            s += "[" + Shape(*mi.m_pWndChild) + "]";
    }
    return s;
}

// A top-level window bound to its own command profile.
struct OwnerFixture : ::testing::Test {
    HWND owner = NULL;
    CString profile;
    void SetUp() override
    {
        orvtest::uiApp();
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        profile.Format("menus-test-%p", (void*)owner);
        ASSERT_TRUE(g_CmdManager->ProfileSetup(profile, owner));
        CExtPopupMenuWnd::ResetStandIn();
        // the commands made here are new, hence rarely used: building is tested with every
        // item shown, as the GUI has it
        bHidingWas = CExtPopupMenuWnd::g_bMenuExpanding;
        CExtPopupMenuWnd::g_bMenuExpanding = false;
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::g_bMenuExpanding = bHidingWas;
        g_CmdManager->ProfileWndRemove(owner, true);
        ::DestroyWindow(owner);
        CExtPopupMenuWnd::ResetStandIn();
    }
    bool bHidingWas = true;
    CExtCmdItem* AddCommand(UINT nID, LPCTSTR lpszText)
    {
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, nID);
        if (pCmd == NULL)
            pCmd = g_CmdManager->AllocCommand(profile, nID);
        pCmd->m_sMenuText = lpszText;
        return pCmd;
    }
};

// ---- building from menus -----------------------------------------------------------------------

// The application's recent-file list for one test.
struct RecentFiles {
    explicit RecentFiles(int nEntries)
    {
        if (nEntries < 0)
            return;
        char dir[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, dir);
        CRecentFileList* pList = new CRecentFileList(0, "Recent File List", "File%d", 16);
        for (int i = nEntries; i >= 1; i--) {
            CString path;
            path.Format("%s\\f%d.txt", dir, i);
            pList->Add(path);
        }
        AfxGetApp()->m_pRecentFileList = pList;
    }
    ~RecentFiles()
    {
        delete AfxGetApp()->m_pRecentFileList;
        AfxGetApp()->m_pRecentFileList = NULL;
    }
};

// A stub MDI client: it names its active child and holds the document windows as children
// with the MDI ids.
struct StubMdiClient {
    HWND hWnd = NULL;
    HWND hWndActive = NULL;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_MDIGETACTIVE) {
            StubMdiClient* p = reinterpret_cast<StubMdiClient*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
            return p != NULL ? (LRESULT)p->hWndActive : 0;
        }
        return ::DefWindowProcA(h, m, w, l);
    }
    StubMdiClient(HWND hWndFrame, int nChildren, int nActive)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "OrvStubMdiClient";
        ::RegisterClassA(&wc);
        hWnd = ::CreateWindowExA(0, "OrvStubMdiClient", "", WS_CHILD, 0, 0, 10, 10, hWndFrame, NULL, NULL, NULL);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)this);
        for (int i = 0; i < nChildren; i++) {
            CString title;
            title.Format("Doc %d", i + 1);
            HWND h = ::CreateWindowExA(0, "STATIC", title, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, hWnd,
                                       (HMENU)(UINT_PTR)(0xFF00 + i), NULL, NULL);
            if (i == nActive)
                hWndActive = h;
        }
    }
};

TEST_F(OwnerFixture, BuildingTableOfMenuShapes)
{
    struct Case {
        const char* name;
        UINT menu;
        int recentFiles;   // -1: the application has no list
        int mdiChildren;   // -1: no window list asked for
        std::string shape;
    };
    const std::string nine = "&1 Doc 1|&2 Doc 2|&3 Doc 3|&4 Doc 4|&5 Doc 5|&6 Doc 6|&7 Doc 7|&8 Doc 8|&9 Doc 9";
    const std::string tenFiles = "&1 f1.txt|&2 f2.txt|&3 f3.txt|&4 f4.txt|&5 f5.txt|&6 f6.txt|&7 f7.txt|&8 f8.txt|"
                                 "&9 f9.txt|1&0 f10.txt";
    const Case cases[] = {
        {"separators in a row collapse, in sub-menus too", IDR_MENU_SEPARATORS, -1, -1,
         "&New|-|&Open|&Edit[Cu&t|-|&Copy]|-|E&xit"},
        {"recent-file placeholder without a list", IDR_MENU_RECENT, -1, -1, "&New|-|E&xit"},
        {"recent-file placeholder, empty list", IDR_MENU_RECENT, 0, -1, "&New|-|E&xit"},
        {"recent-file placeholder, ten files", IDR_MENU_RECENT, 10, -1, "&New|-|" + tenFiles + "|-|E&xit"},
        {"nine MDI children", IDR_MENU_WINDOW, -1, 9, "&Cascade|&Tile|-|" + nine},
        {"ten MDI children", IDR_MENU_WINDOW, -1, 10, "&Cascade|&Tile|-|" + nine + "|-|More Windows"},
    };
    for (const Case& c : cases) {
        RecentFiles recent(c.recentFiles);
        CMDIFrameWnd* pFrame = NULL;
        HWND hWndOwner = owner;
        if (c.mdiChildren >= 0) {
            pFrame = new CMDIFrameWnd;
            ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW)) << c.name;
            ASSERT_TRUE(g_CmdManager->ProfileWndAdd(profile, pFrame->m_hWnd)) << c.name;
            hWndOwner = pFrame->m_hWnd;
        }
        CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
        ASSERT_TRUE(pMenu->LoadMenu(hWndOwner, c.menu)) << c.name;
        if (pFrame != NULL) {
            StubMdiClient client(pFrame->m_hWnd, c.mdiChildren, 1);
            pFrame->m_hWndMDIClient = client.hWnd;
            ASSERT_TRUE(pMenu->UpdateMdiWindowsMenu(pFrame)) << c.name;
            // the active document is marked, on its command and its item
            const int nActive = pMenu->ItemFindPosForCmdID(0xFF01);
            ASSERT_GE(nActive, 0) << c.name;
            EXPECT_TRUE(pMenu->GetItemAt(nActive).IsRadio()) << c.name;
            EXPECT_FALSE(pMenu->GetItemAt(nActive - 1).IsRadio()) << c.name;
            EXPECT_TRUE(g_CmdManager->GetCommand(profile, 0xFF01)->IsRadio()) << c.name;
            EXPECT_FALSE(g_CmdManager->GetCommand(profile, 0xFF00)->IsRadio()) << c.name;
            EXPECT_EQ(CString("Document \"Doc 2\""), g_CmdManager->GetCommand(profile, 0xFF01)->m_sTipStatus) << c.name;
        }
        EXPECT_EQ(c.shape, Shape(*pMenu)) << c.name;
        EXPECT_TRUE(pMenu->IsTopLevel()) << c.name;
        for (int i = 0; i < pMenu->GetItemCount(); i++) {
            EXPECT_EQ(i, pMenu->GetItemAt(i).m_nItemIndex) << c.name;
            EXPECT_TRUE(pMenu->ItemIsDisplayed(i)) << c.name;
        }
        delete pMenu;
        if (pFrame != NULL) {
            g_CmdManager->ProfileWndRemove(pFrame->m_hWnd);
            pFrame->DestroyWindow();   // the frame deletes itself
        }
    }
}

TEST_F(OwnerFixture, RecentFilesAndCommandsTakeTheirTextsFromTheProfile)
{
    RecentFiles recent(10);
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(owner, IDR_MENU_RECENT));
    CExtCmdItem* pTenth = g_CmdManager->GetCommand(profile, 0xE119);
    ASSERT_NE(nullptr, pTenth);
    EXPECT_EQ(CString("1&0 f10.txt"), pTenth->m_sMenuText);
    EXPECT_EQ(CString("Recent file 10"), pTenth->m_sToolbarText);
    EXPECT_EQ(CString("Recent file 10 (\"f10.txt\")"), pTenth->m_sTipTool);
    // the tenth file's access character is the digit 0, which no search finds
    const int nTenth = menu.ItemFindPosForCmdID(0xE119);
    EXPECT_EQ('0', menu.GetItemAt(nTenth).m_cAccessChar);
    EXPECT_EQ(-1, menu.ItemFindByAccessChar('0'));
    EXPECT_EQ(menu.ItemFindPosForCmdID(0xE110), menu.ItemFindByAccessChar('1'));

    // commands keep the menu's accelerator text; a command icon shows, an own icon is kept
    CExtPopupMenuWnd shapes;
    ASSERT_TRUE(shapes.LoadMenu(owner, IDR_MENU_SEPARATORS));
    EXPECT_EQ(CString("Ctrl+N"), shapes.ItemGetAccelText(0));
    EXPECT_EQ(CString("Ctrl+N"), g_CmdManager->GetCommand(profile, ID_CMD_NEW)->m_sAccelText);
    EXPECT_EQ(NULL, shapes.ItemGetIcon(0));
    HICON hIcon = ::LoadIconA(NULL, (LPCSTR)IDI_INFORMATION);
    ASSERT_TRUE(g_CmdManager->SetCommandIcon(profile, ID_CMD_NEW, hIcon));
    EXPECT_NE(nullptr, shapes.ItemGetIcon(0));
    EXPECT_FALSE(shapes.ItemSetPopupIcon(0, hIcon)) << "a command item shows its command's icon";
    EXPECT_TRUE(shapes.ItemSetPopupIcon(3, hIcon));
    EXPECT_NE(nullptr, shapes.ItemGetIcon(3));
    EXPECT_EQ((UINT)-1, shapes.ItemGetCmdID(1)) << "a separator delivers nothing";
    EXPECT_EQ((UINT)-1, shapes.ItemGetCmdID(3)) << "nor does a sub-menu";
    EXPECT_EQ((UINT)ID_CMD_OPEN, shapes.ItemGetCmdID(2));
    EXPECT_EQ(0u, shapes.ItemGetCmdID(99));
    EXPECT_EQ(CString(), shapes.ItemGetText(99));
    EXPECT_THROW(shapes.GetItemAt(99), CNotSupportedException*);
}

TEST_F(OwnerFixture, ExportGivesTheItemsBack)
{
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.LoadMenu(owner, IDR_MENU_EXPORT));
    for (bool deep : {true, false}) {
        HMENU hMenu = menu.ExportToMenu(deep);
        ASSERT_NE(nullptr, hMenu);
        ASSERT_EQ(3, ::GetMenuItemCount(hMenu));
        char text[64] = "";
        ::GetMenuStringA(hMenu, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("&Save\tCtrl+S", text);
        EXPECT_EQ((UINT)ID_CMD_SAVE, ::GetMenuItemID(hMenu, 0));
        EXPECT_NE(0u, ::GetMenuState(hMenu, 1, MF_BYPOSITION) & MF_SEPARATOR);
        HMENU hSub = ::GetSubMenu(hMenu, 2);
        ASSERT_NE(nullptr, hSub);
        EXPECT_EQ(deep ? 1 : 0, ::GetMenuItemCount(hSub)) << deep;
        if (deep) {
            EXPECT_EQ((UINT)ID_CMD_COPY, ::GetMenuItemID(hSub, 0));
        }
        ::DestroyMenu(hMenu);
    }
}

// ---- access characters and inserting -----------------------------------------------------------

TEST_F(OwnerFixture, AccessCharacterSearchWraps)
{
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.CreatePopupMenu(owner));
    const CExtCmdIcon none;
    ASSERT_TRUE(menu.InsertCustomItem(11, -1, "&Open", NULL, none));       // 0
    ASSERT_TRUE(menu.InsertCustomItem(12, -1, "&Disabled", NULL, none));   // 1
    ASSERT_TRUE(menu.InsertCustomItem(0, -1, NULL, NULL, none));           // 2 separator
    ASSERT_TRUE(menu.InsertCustomItem(13, -1, "Sh&ow", NULL, none));       // 3
    ASSERT_TRUE(menu.InsertPopupMenu(NULL, -1, "&Sub"));                   // 4
    ASSERT_TRUE(menu.ItemGetPopup(4)->InsertCustomItem(17, -1, "Inner", NULL, none));   // (an empty one is hidden)
    ASSERT_TRUE(menu.InsertCustomItem(14, -1, "&Always", NULL, none));     // 5
    ASSERT_TRUE(menu.InsertCustomItem(15, -1, "&Hidden", NULL, none));     // 6
    ASSERT_TRUE(menu.InsertCustomItem(16, -1, "No mnemonic", NULL, none)); // 7
    menu.GetItemAt(1).m_nKindFlags &= ~MI::KIND_ENABLED;
    menu.GetItemAt(4).m_nKindFlags &= ~MI::KIND_ENABLED;   // a sub-menu matches on its character alone
    menu.GetItemAt(5).m_nKindFlags &= ~MI::KIND_ENABLED;
    menu.GetItemAt(5).m_nStateFlags |= MI::STATE_ALWAYS_ENABLED;
    menu.GetItemAt(6).m_nStateFlags &= ~(MI::STATE_DISPLAYED | MI::STATE_ALWAYS_DISPLAYED);
    struct Case {
        TCHAR ch;
        int start;
        int found;
    } cases[] = {
        {'o', -1, 0}, {'o', 0, 3}, {'o', 3, 0},   // two of a kind: the next, then round to the first
        {'O', 2, 3},                              // upper or lower case alike
        {'o', 7, 0},                              // from the last, round to the top
        {'d', -1, -1},                            // disabled
        {'s', 0, 4},                              // a disabled sub-menu still opens
        {'a', 4, 5},                              // always enabled
        {'h', -1, -1},                            // not displayed
        {'n', -1, -1},                            // no "&": no access character
        {'x', -1, -1}, {'0', -1, -1}, {0, -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, menu.ItemFindByAccessChar(c.ch, c.start)) << c.ch << " from " << c.start;

    // the start item itself never matches, even when it is the only one
    CExtPopupMenuWnd single;
    ASSERT_TRUE(single.CreatePopupMenu(owner));
    ASSERT_TRUE(single.InsertCustomItem(11, -1, "&Only", NULL, none));
    EXPECT_EQ(-1, single.ItemFindByAccessChar('o', 0));
    EXPECT_EQ(0, single.ItemFindByAccessChar('o', -1));
    EXPECT_EQ(3, menu.ItemFindByText("Sh&ow", 0));
    EXPECT_EQ(-1, menu.ItemFindByText("Sh&ow", 3)) << "the start item is excluded";
}

TEST_F(OwnerFixture, InsertItemRefusesAndLeavesTheMenuAsItWas)
{
    AddCommand(ID_CMD_OPEN, "&Open");
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.CreatePopupMenu(owner));
    ASSERT_TRUE(menu.InsertItem(ID_CMD_OPEN));
    ASSERT_TRUE(menu.InsertItem(0));
    ASSERT_TRUE(menu.InsertItem(0xFFFFFFFF, -1, "&More\tF5"));
    const std::string before = Shape(menu);
    ASSERT_EQ("&Open|-|&More[]", before);
    EXPECT_EQ(CString("F5"), menu.ItemGetAccelText(2));
    struct Case {
        const char* name;
        UINT id;
        int pos;
    } refused[] = {
        {"past the count", ID_CMD_OPEN, 4},
        {"far past the count", ID_CMD_OPEN, 100},
        {"unknown command", ID_CMD_UNKNOWN, -1},
        {"unknown command at a good place", ID_CMD_UNKNOWN, 1},
        {"separator past the count", 0, 4},
        {"sub-menu past the count", 0xFFFFFFFF, 4},
    };
    const int live = CExtPopupMenuWnd::standIn().nLive;
    for (const Case& c : refused) {
        EXPECT_FALSE(menu.InsertItem(c.id, c.pos, "x")) << c.name;
        EXPECT_EQ(before, Shape(menu)) << c.name;
        EXPECT_EQ(live, CExtPopupMenuWnd::standIn().nLive) << c.name << ": no popup left behind";
    }
    // at the count is the end; a command's text comes from the profile
    EXPECT_TRUE(menu.InsertItem(ID_CMD_OPEN, 3));
    EXPECT_EQ("&Open|-|&More[]|&Open", Shape(menu));
    // a sub-menu's items are the child's; removing the item deletes it
    CExtPopupMenuWnd* pSub = menu.ItemGetPopup(2);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(&menu, pSub->GetParentMenu());
    EXPECT_TRUE(pSub->InsertItem(ID_CMD_OPEN));
    EXPECT_EQ("&Open|-|&More[&Open]|&Open", Shape(menu));
    EXPECT_TRUE(menu.ItemRemove(2));
    EXPECT_EQ(live - 1, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_FALSE(menu.ItemRemove(3));
    EXPECT_TRUE(menu.ItemRemove(-1));
    EXPECT_EQ(0, menu.GetItemCount());
    EXPECT_FALSE(menu.CreatePopupMenu(owner)) << "already a top-level menu";
}

// ---- states from the owner's update handlers ---------------------------------------------------

class HandlerFrame : public CFrameWnd {
public:
    int nUpdates = 0;
    void OnUpdateChecked(CCmdUI* pCmdUI)
    {
        nUpdates++;
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
        pCmdUI->SetRadio(TRUE);
        pCmdUI->SetText("Re&named");
    }
    void OnCut() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HandlerFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED, OnUpdateChecked)
    ON_COMMAND(ID_CMD_CUT, OnCut)
END_MESSAGE_MAP()

TEST_F(OwnerFixture, CmdUIWithAndWithoutUpdateHandlers)
{
    struct Case {
        const char* name;
        bool handlers;
    };
    for (const Case& c : {Case{"frame with handlers", true}, Case{"frame without handlers", false}}) {
        CFrameWnd* pFrame = c.handlers ? new HandlerFrame : new CFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW)) << c.name;
        ASSERT_TRUE(g_CmdManager->ProfileWndAdd(profile, pFrame->m_hWnd)) << c.name;
        AddCommand(ID_CMD_CHECKED, "&Checked");
        AddCommand(ID_CMD_CUT, "Cu&t")->m_sAccelText = "Ctrl+X";
        AddCommand(ID_CMD_NOHANDLER, "&None");
        AddCommand(SC_CLOSE, "&Close");
        CExtPopupMenuWnd menu;
        ASSERT_TRUE(menu.CreatePopupMenu(pFrame->m_hWnd)) << c.name;
        for (UINT id : {(UINT)ID_CMD_CHECKED, (UINT)ID_CMD_CUT, (UINT)ID_CMD_NOHANDLER, (UINT)SC_CLOSE})
            ASSERT_TRUE(menu.InsertItem(id)) << c.name;
        ASSERT_TRUE(menu.InsertItem(0xFFFFFFFF, -1, "&Sub"));
        ASSERT_TRUE(menu.ItemGetPopup(4)->InsertItem(ID_CMD_NOHANDLER));
        menu.UpdateCmdUI();
        const MI& checked = menu.GetItemAt(0);
        const MI& cut = menu.GetItemAt(1);
        const MI& none = menu.GetItemAt(2);
        EXPECT_FALSE(checked.IsEnabled()) << c.name << ": disabled by its handler, or for want of one";
        EXPECT_EQ(c.handlers, checked.IsChecked()) << c.name;
        EXPECT_EQ(c.handlers, checked.IsRadio()) << c.name;
        EXPECT_EQ(CString(c.handlers ? "Re&named" : "&Checked"), checked.m_sItemText) << c.name;
        EXPECT_EQ(c.handlers ? 'N' : 'C', checked.m_cAccessChar) << c.name;
        EXPECT_EQ(c.handlers, cut.IsEnabled()) << c.name << ": enabled by its command handler";
        EXPECT_EQ(CString("Ctrl+X"), cut.m_sAccelText) << c.name;
        EXPECT_FALSE(none.IsEnabled()) << c.name << ": no handler at all";
        EXPECT_TRUE(menu.GetItemAt(3).IsEnabled()) << c.name << ": window commands keep their state";
        EXPECT_FALSE(menu.ItemGetPopup(4)->GetItemAt(0).IsEnabled()) << c.name << ": sub-menus are updated too";
        if (c.handlers) {
            EXPECT_EQ(1, static_cast<HandlerFrame*>(pFrame)->nUpdates);
        }

        // a sub-menu item and an always-enabled item keep what they are
        CExtPopupMenuWnd::CExtPopupMenuCmdUI subUI(menu, 4);
        subUI.SetCheck(1);
        subUI.Enable(FALSE);
        subUI.SetText("changed");
        EXPECT_FALSE(menu.GetItemAt(4).IsChecked()) << c.name;
        EXPECT_TRUE(menu.GetItemAt(4).IsEnabled()) << c.name;
        EXPECT_EQ(CString("&Sub"), menu.GetItemAt(4).m_sItemText) << c.name;
        menu.GetItemAt(2).m_nStateFlags |= MI::STATE_ALWAYS_ENABLED;
        CExtPopupMenuWnd::CExtPopupMenuCmdUI noneUI(menu, 2);
        noneUI.Enable(FALSE);
        EXPECT_TRUE(menu.GetItemAt(2).IsEnabled()) << c.name;
        noneUI.SetText(NULL);
        EXPECT_EQ(CString("&None"), menu.GetItemAt(2).m_sItemText) << c.name;

        // a menu tracked without the update does not refresh: flag 0x400 is the caller's say
        g_CmdManager->ProfileWndRemove(pFrame->m_hWnd);
        pFrame->DestroyWindow();
    }
}

TEST_F(OwnerFixture, WindowCommandsFollowTheOwnerWindow)
{
    HWND frame = ::CreateWindowExA(WS_EX_CONTEXTHELP, "STATIC", "frame", WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX,
                                   0, 0, 80, 80, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(g_CmdManager->ProfileWndAdd(profile, frame));
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.CreatePopupMenu(frame));
    const UINT ids[] = {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, SC_CONTEXTHELP};
    for (UINT id : ids) {
        AddCommand(id, "x");
        ASSERT_TRUE(menu.InsertItem(id));
    }
    menu.UpdateSystemMenuStates();
    // a normal window with a minimise box and no maximise box
    const bool expected[] = {true, true, true, false, false, true, true};
    for (size_t i = 0; i < std::size(ids); i++) {
        EXPECT_EQ(expected[i], menu.GetItemAt((int)i).IsEnabled()) << std::hex << ids[i];
        EXPECT_EQ(expected[i], g_CmdManager->GetCommand(profile, ids[i])->IsEnabled()) << std::hex << ids[i];
    }
    CExtPopupMenuWnd::g_bFixedFrameSysMenu = true;
    menu.UpdateSystemMenuStates();
    CExtPopupMenuWnd::g_bFixedFrameSysMenu = false;
    EXPECT_FALSE(menu.GetItemAt(0).IsEnabled());
    EXPECT_FALSE(menu.GetItemAt(1).IsEnabled());
    g_CmdManager->ProfileWndRemove(frame);
    ::DestroyWindow(frame);
}

// ---- the recording seam of tracking (tests of callers read what was asked for) ------------------

TEST_F(OwnerFixture, TrackingIsRecordedAndAFailureLeavesThePopupToItsCaller)
{
    struct Recording {
        Recording() { CExtPopupMenuWnd::standIn().bRecording = true; }
        ~Recording() { CExtPopupMenuWnd::standIn().bRecording = false; }
    } recording;
    const int live = CExtPopupMenuWnd::standIn().nLive;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenu(owner, IDR_MENU_SEPARATORS));
    pPopup->SetOwnerValue(7);
    bool trackedInside = false;
    CExtPopupMenuWnd::standIn().nChosenCmdID = ID_CMD_OPEN;
    CExtPopupMenuWnd::standIn().onTrack = [&](CExtPopupMenuWnd&, const CExtPopupMenuTrackRecord&) {
        trackedInside = CExtPopupMenuWnd::IsAnyMenuTracked();
    };
    UINT chosen = 0;
    CRect exclude(10, 20, 110, 45);
    EXPECT_TRUE(pPopup->TrackPopupMenu(0x2A4, 60, 32, &exclude, NULL, NULL, &chosen, true));
    EXPECT_EQ(live, CExtPopupMenuWnd::standIn().nLive) << "the tracked popup and its sub-menu went";
    EXPECT_TRUE(trackedInside);
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    EXPECT_EQ((UINT)ID_CMD_OPEN, chosen);
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    const CExtPopupMenuTrackRecord& r = CExtPopupMenuWnd::standIn().tracked[0];
    EXPECT_EQ(0x2A4u, r.nFlags);
    EXPECT_EQ(CPoint(60, 32), r.point);
    EXPECT_TRUE(r.bExclude);
    EXPECT_EQ(exclude, r.rcExclude);
    EXPECT_EQ(owner, r.hWndOwner);
    EXPECT_EQ(7, r.nOwnerValue);
    EXPECT_TRUE(r.bResultPointer);
    ASSERT_EQ(6u, r.items.size());
    EXPECT_EQ(CString("&Open"), r.items[2].strText);
    EXPECT_EQ(0u, r.items[3].nCmdID);
    EXPECT_EQ(3, r.items[3].nSubItems);
    EXPECT_EQ(-1, r.items[0].nSubItems);

    pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->CreatePopupMenu(owner));
    ASSERT_TRUE(pPopup->InsertSubMenu(new CExtPopupMenuWnd, 0, "Sub"));
    EXPECT_FALSE(pPopup->RemoveItem(1));
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    chosen = 99;
    EXPECT_FALSE(pPopup->TrackPopupMenu(4, 0, 0, NULL, NULL, NULL, &chosen));
    EXPECT_EQ(0u, chosen);
    EXPECT_EQ(live + 2, CExtPopupMenuWnd::standIn().nLive);
    delete pPopup;   // the sub-popup goes with it
    EXPECT_EQ(live, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_FALSE(CExtPopupMenuWnd().CreatePopupMenu(NULL));
}

TEST_F(OwnerFixture, WindowsInOneTopLevel)
{
    ::ShowWindow(owner, SW_SHOWNA);
    HWND child = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner, NULL, NULL, NULL);
    HWND inner = ::CreateWindowExA(0, "STATIC", "inner", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, child, NULL, NULL, NULL);
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    struct Case {
        HWND a, b;
        bool checkVisible;
        bool tracked;
        bool expected;
    } cases[] = {
        {child, owner, false, false, true},
        {inner, owner, false, false, true},
        {inner, child, false, false, true},    // the child's visible ancestors meet the inner one's
        {child, child, false, false, true},
        {owner, child, false, false, false},   // the first has no parent
        {child, other, false, false, false},
        {child, owner, false, true, false},    // a menu is tracked
        {child, (HWND)0x1234, false, false, false},
    };
    for (const Case& c : cases) {
        CExtPopupMenuWnd::standIn().bAnyMenuTracked = c.tracked;
        EXPECT_EQ(c.expected, CExtPopupMenuWnd::AreWindowsInSameTopLevel(c.a, c.b, false, c.checkVisible, true))
            << (&c - cases);
    }
    ::ShowWindow(owner, SW_HIDE);
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsInSameTopLevel(child, owner, false, true, false)) << "hidden";
    CExtPopupMenuWnd::CancelMenuTracking();
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    EXPECT_TRUE(CExtPopupMenuWnd::IsKeyEventWithModifier(0x20000000));
    ::DestroyWindow(other);
}

}  // namespace
