// The main frame under Xvfb, made as the program makes it (LoadFrame of the main resource) and
// driven by real input: the start-up wizard without items, the bar layout changed by the menu
// bar's keys and a drag, kept in gui_profile.cfg and restored, a damaged layout file; then with
// items: the commands' states per selection, the menu bar by Alt and mnemonics, tool-bar
// buttons, a row's context menu, the tray menu, suspend, activate, run now, clear and delete with
// their questions. A picture is kept per step.
#include "orv/gtest.h"

#include <winsock2.h>

#include <afxwin.h>
#include <afxext.h>

#include <functional>
#include <string>
#include <vector>

#include "BarLayoutFile.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtPopupMenuSite.h"
#include "CExtPopupMenuWnd.h"
#include "CMainFrame.h"
#include "GuiTestSupport.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "ProfileStore.h"
#include "WindowTestSupport.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "resource.h"
#include "workers/WorkerManager.h"

namespace {

using wintest::Picture;

std::vector<std::string> g_opened;   // what the frame asked the shell to open

INT_PTR RecordOpen(HWND, const char* path)
{
    g_opened.push_back(path);
    return 42;
}

// Set up once for the program: the application, the profile and the layout file in a scratch
// folder, an empty item store, the shell's opener recorded, a loopback port that is closed.
int ClosedPort()
{
    static const int port = [] {
        orvtest::uiApp("Orvane");
        WSADATA winsock;
        ::WSAStartup(MAKEWORD(2, 2), &winsock);
        const std::string folder = guitest::scratchProfileFolder();
        CMainFrame::SetDataFolder(folder);
        CMainFrame::SetOpenFunction(RecordOpen);
        ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
        ProfileStore::instance()->setInt(ProfileLargeButtons, 0);
        ProfileStore::instance()->setInt(ProfileMinimizeToTray, 1);
        ProfileStore::instance()->setInt(ProfileColumnPadding, 20);
        ProfileStore::instance()->setColumns({144, 146, 147, 151, 149, 154});
        MonitorItemManager::instance()->load(orvtest::makeScratchFolder("data"));
        SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        ::closesocket(s);
        return static_cast<int>(ntohs(address.sin_port));
    }();
    return port;
}

std::string LayoutPath()
{
    return guitest::scratchProfileFolder() + "gui_profile.cfg";
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The window the frame's modal loop runs for (a dialog, a sheet, a message box), visible and
// taking input; NULL when there is none.
HWND ShownPopup(HWND owner)
{
    HWND hWnd = ::GetLastActivePopup(owner);
    return hWnd != NULL && hWnd != owner && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) ? hWnd : NULL;
}

CExtPopupMenuSite& Site()
{
    return CExtPopupMenuSite::g_DefPopupMenuSite;
}

// The open menu, shown, finished opening and holding the input (keys sent before it holds the
// input go to the focused window); NULL otherwise.
CExtPopupMenuWnd* ReadyMenu()
{
    CExtPopupMenuWnd* p = dynamic_cast<CExtPopupMenuWnd*>(Site().GetTopMenu());
    return p != NULL && p->GetSafeHwnd() != NULL && ::IsWindowVisible(p->GetSafeHwnd()) && p->IsAnimationFinished() &&
                   Site().GetAnimatedMenu() == NULL && Site().GetCapturedMenu() == p
               ? p
               : NULL;
}

void Mouse(POINT screen, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

bool CursorAt(POINT p)
{
    POINT now;
    ::GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
}

// A drag with the left button as script steps: the bar's own drag loop runs while the button is
// down, and the steps go on inside it.
std::vector<std::pair<std::string, orvtest::Script::Step>> DragSteps(POINT from, POINT to, int count)
{
    std::vector<std::pair<std::string, orvtest::Script::Step>> steps;
    steps.push_back({"to the start", [from] { Mouse(from, 0); return true; }});
    steps.push_back({"at the start", [from] { return CursorAt(from); }});
    steps.push_back({"press", [from] { Mouse(from, MOUSEEVENTF_LEFTDOWN); return true; }});
    for (int i = 1; i <= count; ++i) {
        const POINT p = {from.x + (to.x - from.x) * i / count, from.y + (to.y - from.y) * i / count};
        steps.push_back({"move", [p] { Mouse(p, 0); return true; }});
        steps.push_back({"moved", [p] { return CursorAt(p); }});
    }
    steps.push_back({"release", [to] { Mouse(to, MOUSEEVENTF_LEFTUP); return true; }});
    return steps;
}

class MainFrameFixture : public ::testing::Test {
protected:
    void SetUp() override { ClosedPort(); }
    void TearDown() override
    {
        if (frame != NULL && ::IsWindow(hFrame))
            frame->DestroyWindow();
        frame = NULL;
        CExtPopupMenuWnd::CancelMenuTracking();
    }

    // Makes the frame as start-up does and shows it; steps run inside any modal window that
    // opens at once (the start-up wizard).
    void Open(std::vector<std::pair<std::string, orvtest::Script::Step>> whileStarting = {})
    {
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        hFrame = frame->m_hWnd;
        frame->ShowWindow(SW_SHOWNORMAL);
        frame->MoveWindow(40, 40, 900, 480);
        frame->ActivateFrame(SW_SHOW);
        frame->UpdateWindow();
        if (!whileStarting.empty()) {
            orvtest::Script script(whileStarting);
            ASSERT_TRUE(script.run()) << script.failure;
        }
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == hFrame; }, 20000));
        orvtest::pumpWaiting();
    }

    // Esc on the start-up wizard, which opens when there is no item.
    std::vector<std::pair<std::string, orvtest::Script::Step>> CancelStartUpWizard(const std::string& picture)
    {
        return {
            {"wizard shown", [this] { return (wizard = ShownPopup(hFrame)) != NULL; }},
            {"opened at start-up",
             [this, picture] {
                 wizardAtStartUp = CMainFrame::g_bWizardAtStartUp;
                 wintest::PictureOf(wizard, picture);
                 return true;
             }},
            {"Esc", [] { orvtest::pressKey(VK_ESCAPE); return true; }},
            {"wizard gone", [this] { return !::IsWindow(wizard); }},
        };
    }

    // The menu bar's keys: Alt and a letter open the menu, the next letter picks the command.
    void MenuCommand(WORD menuKey, WORD itemKey, const std::string& picture)
    {
        orvtest::pressKey(menuKey, orvtest::kAlt);
        ASSERT_TRUE(orvtest::pumpUntil([] { return ReadyMenu() != NULL; }, 10000));
        if (!picture.empty())
            Picture(picture);
        orvtest::pressKey(itemKey);
        ASSERT_TRUE(orvtest::pumpUntil([] { return !CExtPopupMenuWnd::IsAnyMenuTracked(); }, 10000));
        orvtest::pumpWaiting();
    }

    CExtToolControlBar& ToolBar() { return frame->GetToolBar(); }
    bool ToolBarDockedAt(UINT nDockBarId)
    {
        CControlBar* bar = &ToolBar();
        return bar->m_pDockBar != NULL && !ToolBar().IsFloating() && bar->m_pDockBar->GetDlgCtrlID() == (int)nDockBarId;
    }

    // Whether the running script has read this many message boxes.
    bool script_boxes_seen(size_t n) { return boxes != NULL && boxes->texts.size() >= n; }

    orvtest::MessageBoxes* boxes = NULL;
    CMainFrame* frame = NULL;
    HWND hFrame = NULL;
    HWND wizard = NULL;
    bool wizardAtStartUp = false;
};

// ---- without items: the start-up wizard and the bar layout ----

TEST_F(MainFrameFixture, LayoutIsKeptRestoredAndADamagedFileReplaced)
{
    ::DeleteFileA(LayoutPath().c_str());
    ASSERT_EQ(0u, MonitorItemWrapperManager::instance()->count());

    // first start: no item, so the wizard opens; Esc leaves the list empty
    Open(CancelStartUpWizard("mainframe_01_wizard_at_start"));
    EXPECT_TRUE(wizardAtStartUp);
    EXPECT_FALSE(CMainFrame::g_bWizardAtStartUp);
    EXPECT_EQ(0u, MonitorItemWrapperManager::instance()->count());
    EXPECT_EQ(0, frame->GetListView()->GetListCtrl().GetItemCount());
    EXPECT_FALSE(frame->LayoutWasDamaged());
    EXPECT_TRUE(ToolBarDockedAt(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(frame->GetStatusBar().IsWindowVisible());
    Picture("mainframe_02_default_layout");

    // View > Status Bar by the menu bar's keys hides the status bar
    MenuCommand('V', 'S', "mainframe_03_view_menu");
    EXPECT_FALSE(frame->GetStatusBar().IsWindowVisible());

    // the tool bar dragged by its gripper to the frame's left side
    CRect bar;
    ToolBar().GetWindowRect(&bar);
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    const POINT grip = {bar.left + 4, bar.top + bar.Height() / 2};
    const POINT left = {client.left + 6, client.top + client.Height() / 2};
    {
        orvtest::Script drag(DragSteps(grip, left, 12), 10000);
        ASSERT_TRUE(drag.run()) << drag.failure;
    }
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ToolBarDockedAt(AFX_IDW_DOCKBAR_LEFT); }, 10000))
        << "the tool bar did not dock on the left";
    Picture("mainframe_04_changed_layout");

    // File > Exit: the layout is written and no temporary file is left
    MenuCommand('F', 'X', "");
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hFrame); }, 10000));
    frame = NULL;
    EXPECT_TRUE(FileExists(LayoutPath()));
    EXPECT_FALSE(FileExists(LayoutPath() + ".new"));

    // the next start puts the bars back where they were
    Open(CancelStartUpWizard("mainframe_05_wizard_again"));
    EXPECT_FALSE(frame->LayoutWasDamaged());
    EXPECT_TRUE(ToolBarDockedAt(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_FALSE(frame->GetStatusBar().IsWindowVisible());
    Picture("mainframe_06_layout_restored");
    MenuCommand('F', 'X', "");
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hFrame); }, 10000));
    frame = NULL;

    // a damaged file: the bars take their default places, and the file is replaced at exit
    for (const std::string& damage : {std::string("\x07\x00\x00\x00garbage", 11), std::string()}) {
        SCOPED_TRACE(damage.empty() ? "empty file" : "garbage");
        {
            HANDLE h = ::CreateFileA(LayoutPath().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            ASSERT_NE(INVALID_HANDLE_VALUE, h);
            DWORD written = 0;
            ::WriteFile(h, damage.data(), static_cast<DWORD>(damage.size()), &written, NULL);
            ::CloseHandle(h);
        }
        Open(CancelStartUpWizard("mainframe_07_wizard_damaged"));
        EXPECT_TRUE(frame->LayoutWasDamaged());
        EXPECT_TRUE(ToolBarDockedAt(AFX_IDW_DOCKBAR_TOP));
        EXPECT_TRUE(frame->GetStatusBar().IsWindowVisible());
        Picture("mainframe_08_damaged_layout_defaults");
        MenuCommand('F', 'X', "");
        ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hFrame); }, 10000));
        frame = NULL;
        CString read;
        EXPECT_EQ(BarLayoutFile::Loaded,
                  BarLayoutFile::Load(LayoutPath().c_str(), [](CArchive& ar) {
                      // a whole archive: the frame's own loader accepts it at the next start
                      return ar.GetFile()->GetLength() > 0;
                  }));
    }
    Open(CancelStartUpWizard("mainframe_09_wizard_after_repair"));
    EXPECT_FALSE(frame->LayoutWasDamaged());
    EXPECT_TRUE(ToolBarDockedAt(AFX_IDW_DOCKBAR_TOP));
}


// ---- with items: the commands ----

MonitorItemSettings* AddItem(const std::string& name, int type)
{
    MonitorItemSettings* item = MonitorItemManager::instance()->createItem();
    item->getGeneral().name = name;
    item->getGeneral().address = "127.0.0.1";
    item->getGeneral().type = type;
    item->getGeneral().port = ClosedPort();
    item->getGeneral().interval = 1;
    item->getGeneral().intervalUnit = 3;   // hours: only the first cycle and Run now check
    item->getGeneral().timeoutMs = 5000;
    item->getStatus().active = true;
    item->getAlarmTrigger().enabled = false;
    MonitorItemWrapperManager::instance()->add(item);
    return item;
}

class MainFrameCommandsTest : public MainFrameFixture {
protected:
    CItemListCtrl& List() { return frame->GetListView()->GetListCtrl(); }
    int RowOf(MonitorItemSettings* item)
    {
        for (int row = 0; row < List().GetItemCount(); ++row) {
            MonitorItemWrapper* w = reinterpret_cast<MonitorItemWrapper*>(List().GetItemData(row));
            if (w != NULL && w->getItem() == item)
                return row;
        }
        return -1;
    }
    POINT RowPoint(MonitorItemSettings* item)
    {
        CRect rc;
        List().GetItemRect(RowOf(item), &rc, LVIR_BOUNDS);
        POINT p = {rc.left + 60, rc.CenterPoint().y};
        ::ClientToScreen(List().m_hWnd, &p);
        return p;
    }
    // dx moves the point aside: two clicks on one spot in quick succession are a double click
    POINT ButtonPoint(UINT id, int dx = 0)
    {
        for (int i = 0; i < ToolBar().GetButtonsCount(); i++)
            if (ToolBar().GetButtonCommand(i) == id) {
                POINT p = ToolBar().GetButton(i)->GetRect().CenterPoint();
                p.x += dx;
                ::ClientToScreen(ToolBar().m_hWnd, &p);
                return p;
            }
        ADD_FAILURE() << "no button " << id;
        return POINT{0, 0};
    }
    bool Enabled(UINT id) { return frame->IsCommandEnabled(id); }
    // The item's check count after its worker has finished the check it is in.
    bool Idle(MonitorItemSettings* item) { return !item->getStatus().busy && item->getStatus().totalChecks > 0; }
    void Select(MonitorItemSettings* item)
    {
        ASSERT_TRUE(orvtest::click(RowPoint(item), List().m_hWnd));
        ASSERT_TRUE(orvtest::pumpUntil([&] { return frame->GetSelectedWrapper() != NULL &&
                                                    frame->GetSelectedWrapper()->getItem() == item; }, 10000));
        orvtest::pumpWaiting();
    }
};

TEST_F(MainFrameCommandsTest, CommandsFollowTheSelectionAndActOnTheItem)
{
    MonitorItemSettings* port = AddItem("Closed port", 6);
    MonitorItemSettings* web = AddItem("Web page", 1);
    Open();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return List().GetItemCount() == 2; }, 10000));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return Idle(port) && Idle(web); }, 20000)) << "the first checks";
    EXPECT_EQ(NULL, ShownPopup(hFrame)) << "no wizard when there are items";

    // nothing selected: the item commands are off, Run all is on (every command is in the profile
    // from the start, so its state is set before a bar or a menu shows it)
    for (UINT id : {ID_PROPERTIES_TB, ID_DELETE_TB, ID_SUSPEND_TB, ID_ACTIVATE_TB, ID_RUN_NOW_TB, ID_CLEAR_STATS_TB,
                    ID_PROPERTIES, ID_DELETE, ID_LAST_PAGE}) {
        EXPECT_NE(nullptr, g_CmdManager->GetCommand(frame->GetProfileName(), id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(ID_RUN_ALL_TB));
    Picture("mainframe_10_items_none_selected");

    // an HTTP item selected: its commands on, Activate off, the last page on
    Select(web);
    for (UINT id : {ID_PROPERTIES_TB, ID_DELETE_TB, ID_SUSPEND_TB, ID_RUN_NOW_TB, ID_PROPERTIES, ID_LAST_PAGE})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(ID_ACTIVATE_TB));
    // a Port item: no downloaded page
    Select(port);
    EXPECT_FALSE(Enabled(ID_LAST_PAGE));
    Select(web);

    // Edit > Suspend by the menu bar's keys
    MenuCommand('E', 'S', "mainframe_11_edit_menu");
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !web->getStatus().active; }, 10000));
    EXPECT_TRUE(Enabled(ID_ACTIVATE_TB));
    EXPECT_FALSE(Enabled(ID_SUSPEND_TB));
    EXPECT_FALSE(Enabled(ID_RUN_NOW_TB)) << "a suspended item does not run";
    Picture("mainframe_12_suspended");

    // the tool bar's Activate button
    ASSERT_TRUE(orvtest::click(ButtonPoint(ID_ACTIVATE_TB), ToolBar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return web->getStatus().active; }, 10000));
    EXPECT_TRUE(Enabled(ID_SUSPEND_TB));
    EXPECT_FALSE(Enabled(ID_ACTIVATE_TB));

    // the tool bar's Run now button: one more check
    const int before = web->getStatus().totalChecks;
    ASSERT_TRUE(orvtest::click(ButtonPoint(ID_RUN_NOW_TB), ToolBar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return web->getStatus().totalChecks > before && Idle(web); }, 20000));
    Picture("mainframe_13_run_now");

    // a row's context menu: Suspend, then Activate, each clicked
    Select(port);
    const struct {
        UINT id;
        std::function<bool()> done;
        const char* picture;
    } context[] = {
        {ID_CTX_SUSPEND, [&] { return !port->getStatus().active; }, "mainframe_14_context_menu"},
        {ID_CTX_ACTIVATE, [&] { return port->getStatus().active; }, ""},
    };
    POINT itemPoint = {0, 0};
    for (const auto& c : context) {
        orvtest::Script script({
            {"right click", [&] {
                 if (!orvtest::moveTo(RowPoint(port), List().m_hWnd))
                     return false;
                 orvtest::buttonDown(orvtest::Button::Right);
                 orvtest::buttonUp(orvtest::Button::Right);
                 return true;
             }},
            {"menu open", [] { return ReadyMenu() != NULL; }},
            {"picture", [&] {
                 if (*c.picture != '\0')
                     Picture(c.picture);
                 return true;
             }},
            {"to the item", [&] {
                 CExtPopupMenuWnd* menu = ReadyMenu();
                 if (menu == NULL)
                     return false;
                 CRect rc = menu->GetItemRect(menu->ItemFindPosForCmdID(c.id));
                 itemPoint = rc.CenterPoint();
                 ::ClientToScreen(menu->GetSafeHwnd(), &itemPoint);
                 Mouse(itemPoint, 0);
                 return true;
             }},
            {"on the item", [&] { return CursorAt(itemPoint); }},
            {"click", [&] {
                 Mouse(itemPoint, MOUSEEVENTF_LEFTDOWN);
                 Mouse(itemPoint, MOUSEEVENTF_LEFTUP);
                 return true;
             }},
            {"closed", [] { return !CExtPopupMenuWnd::IsAnyMenuTracked(); }},
        }, 10000);
        ASSERT_TRUE(script.run()) << script.failure;
        ASSERT_TRUE(orvtest::pumpUntil(c.done, 10000)) << c.id;
    }

    // Clear stats asks first: No keeps the statistics, Yes clears them
    ASSERT_TRUE(orvtest::pumpUntil([&] { return Idle(port); }, 20000));
    const int checks = port->getStatus().totalChecks;
    ASSERT_GT(checks, 0);
    {
        orvtest::Script script({
            {"clear", [&] { return orvtest::queueClick(ButtonPoint(ID_CLEAR_STATS_TB), ToolBar().m_hWnd); }},
            {"asked", [&] { return script_boxes_seen(1); }},
            {"again", [&] { return orvtest::queueClick(ButtonPoint(ID_CLEAR_STATS_TB, 4), ToolBar().m_hWnd); }},
            {"asked again", [&] { return script_boxes_seen(2); }},
        }, 10000);
        boxes = &script.boxes;
        script.boxes.answers = {IDNO, IDYES};
        ASSERT_TRUE(script.run()) << script.failure;
        EXPECT_EQ(std::vector<std::string>(2, CMainFrame::kClearStatsQuestion), script.boxes.texts);
    }
    EXPECT_EQ(0, port->getStatus().totalChecks);

    // Delete asks with the item's name: No keeps it, Yes removes its row and switches the
    // commands off
    {
        orvtest::Script script({
            {"delete", [&] { return orvtest::queueClick(ButtonPoint(ID_DELETE_TB), ToolBar().m_hWnd); }},
            {"asked", [&] { return script_boxes_seen(1); }},
            {"kept", [&] { return List().GetItemCount() == 2; }},
            {"delete again", [&] { return orvtest::queueClick(ButtonPoint(ID_DELETE_TB, 4), ToolBar().m_hWnd); }},
            {"asked again", [&] { return script_boxes_seen(2); }},
            {"gone", [&] { return List().GetItemCount() == 1; }},
        }, 10000);
        boxes = &script.boxes;
        script.boxes.answers = {IDNO, IDYES};
        ASSERT_TRUE(script.run()) << script.failure;
        EXPECT_EQ(std::vector<std::string>(2, CMainFrame::DeleteQuestion("Closed port")), script.boxes.texts);
    }
    EXPECT_EQ(-1, RowOf(port));
    EXPECT_FALSE(Enabled(ID_DELETE_TB));
    EXPECT_TRUE(Enabled(ID_RUN_ALL_TB)) << "one item is left";
    Picture("mainframe_15_deleted");

    // the tray icon, in the task bar Wine shows: a minimise with the tray preference hides the
    // window, a double click on the icon shows it again
    ASSERT_TRUE(frame->HasTrayIcon());
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), frame->GetTrayIconData().cbSize);
    HWND tray = ::FindWindowA("Shell_TrayWnd", NULL);
    ASSERT_NE(HWND(NULL), tray) << "no task bar";
    CRect bar;
    ::GetWindowRect(tray, &bar);
    const POINT icon = {bar.right - 10, bar.CenterPoint().y};
    frame->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(frame->IsWindowVisible()) << "hidden in the tray";
    EXPECT_FALSE(frame->IsIconic());
    Picture("mainframe_17_hidden_in_tray");
    ASSERT_TRUE(orvtest::doubleClick(icon, NULL));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return frame->IsWindowVisible() != FALSE; }, 10000));
    Picture("mainframe_18_shown_from_tray");
}

}  // namespace

// The program ends without running the destructors of its statics (in a Winelib GUI process they
// run after ntdll has detached); the workers are stopped, the items and the profile saved here.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    WorkerManager::instance()->stopAll();
    MonitorItemManager::instance()->unloadAll();
    MonitorItemManager::instance()->release();
    ProfileStore::instance()->save();
    std::fflush(stdout);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
