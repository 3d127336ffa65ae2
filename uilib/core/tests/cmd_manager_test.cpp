// The command manager with real windows, command delivery, and profile removal racing with
// command calls on another thread.
#include <orv/gtest.h>
#include <afxwin.h>
#include <atomic>
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "ExtBitmapUtil.h"
#include "core_test_resources.h"

namespace {

struct Received {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int count = 0;
} g_received;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND || nMsg == WM_SYSCOMMAND) {
        g_received.msg = nMsg;
        g_received.wParam = wParam;
        g_received.lParam = lParam;
        ++g_received.count;
        return 1;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND MakeWindow(HWND hParent = NULL)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "OrvCmdManagerTest";
        registered = ::RegisterClassA(&wc) != 0;
    }
    return ::CreateWindowExA(0, "OrvCmdManagerTest", "w", hParent != NULL ? WS_CHILD : WS_OVERLAPPED, 0, 0, 40,
                             40, hParent, NULL, ::GetModuleHandleA(NULL), NULL);
}

// Dispatches until the count of received commands reaches n or 5 s pass.
bool PumpUntilReceived(int n)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (g_received.count < n && ::GetTickCount() - start < 5000) {
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    return g_received.count >= n;
}

}  // namespace

TEST(CmdManager, ProfilesAndWindowBindings)
{
    CExtCmdManager mgr;
    ASSERT_NE(nullptr, mgr.GetProfile(NULL));
    EXPECT_EQ(mgr.GetProfile(NULL), mgr.GetProfile("default"));
    EXPECT_EQ(nullptr, mgr.GetProfile(""));
    EXPECT_TRUE(mgr.ProfileSetup(""));
    EXPECT_EQ(nullptr, mgr.GetProfile(""));

    HWND frame = MakeWindow(), child = MakeWindow(frame), other = MakeWindow();
    EXPECT_TRUE(mgr.ProfileSetup("frame", frame));
    const CExtCmdManager::ProfileName ofChild = mgr.ProfileNameFromWnd(child);
    EXPECT_TRUE(ofChild.IsFound());
    EXPECT_STREQ("frame", ofChild);
    // none found: NULL, which the command operations take as "default"
    for (HWND h : {other, (HWND)NULL}) {
        const CExtCmdManager::ProfileName none = mgr.ProfileNameFromWnd(h);
        EXPECT_FALSE(none.IsFound());
        EXPECT_EQ(nullptr, (LPCTSTR)none);
        EXPECT_EQ(mgr.GetProfile(NULL), mgr.GetProfile(none));
    }
    // an existing name keeps its profile; the given object stays the caller's
    CExtCmdProfile mine("frame");
    EXPECT_TRUE(mgr.ProfileSetup("frame", NULL, &mine));
    EXPECT_NE(&mine, mgr.GetProfile("frame"));
    // a window already bound keeps its first profile
    EXPECT_TRUE(mgr.ProfileWndAdd("default", frame));
    EXPECT_STREQ("frame", mgr.ProfileNameFromWnd(frame).GetName());
    EXPECT_FALSE(mgr.ProfileWndAdd("nobody", other));
    EXPECT_FALSE(mgr.ProfileWndAdd("frame", NULL));
    EXPECT_TRUE(mgr.ProfileWndAdd("frame", other));

    bool removed = true;
    EXPECT_TRUE(mgr.ProfileWndRemove(other, true, &removed));
    EXPECT_FALSE(removed);
    EXPECT_NE(nullptr, mgr.GetProfile("frame"));
    EXPECT_FALSE(mgr.ProfileWndRemove(other, true, &removed));
    EXPECT_TRUE(mgr.ProfileWndRemove(frame, true, &removed));
    EXPECT_TRUE(removed);
    EXPECT_EQ(nullptr, mgr.GetProfile("frame"));
    EXPECT_FALSE(mgr.ProfileNameFromWnd(child).IsFound());
    ::DestroyWindow(frame);
    ::DestroyWindow(other);
}

TEST(CmdManager, AWindowsProfileNameOutlivesTheProfile)
{
    CExtCmdManager mgr;
    HWND frame = MakeWindow(), child = MakeWindow(frame);
    ASSERT_TRUE(mgr.ProfileSetup("frame", frame));
    const CExtCmdManager::ProfileName name = mgr.ProfileNameFromWnd(child);
    bool removed = false;
    ASSERT_TRUE(mgr.ProfileWndRemove(frame, true, &removed));
    ASSERT_TRUE(removed);
    // new profiles take the memory the removed one freed
    for (const char* other : {"xyzzy", "plugh", "abcde"})
        ASSERT_TRUE(mgr.ProfileSetup(other));
    EXPECT_TRUE(name.IsFound());
    EXPECT_STREQ("frame", name);
    // the name now finds nothing: no command comes from another profile by mistake
    EXPECT_EQ(nullptr, mgr.GetProfile(name));
    ::DestroyWindow(frame);
}

namespace {

// A profile that counts how often it is deleted.
int g_nProfilesDeleted = 0;
class CountedProfile : public CExtCmdProfile {
public:
    explicit CountedProfile(LPCTSTR lpszName) : CExtCmdProfile(lpszName) {}
    ~CountedProfile() override { ++g_nProfilesDeleted; }
};

}  // namespace

TEST(CmdManager, AGivenProfileIsHeldOnceUnderItsOwnName)
{
    g_nProfilesDeleted = 0;
    CExtCmdManager* pMgr = new CExtCmdManager;
    HWND frame = MakeWindow();
    // given under another name: it takes the name asked for, so lookups by its name find it
    CountedProfile* pGiven = new CountedProfile("elsewhere");
    ASSERT_TRUE(pMgr->ProfileSetup("frame", frame, pGiven));
    EXPECT_EQ(pGiven, pMgr->GetProfile("frame"));
    EXPECT_STREQ("frame", pGiven->m_sName);
    EXPECT_EQ(nullptr, pMgr->GetProfile("elsewhere"));
    const CExtCmdManager::ProfileName name = pMgr->ProfileNameFromWnd(frame);
    EXPECT_EQ(pGiven, pMgr->GetProfile(name));
    EXPECT_TRUE(pMgr->UpdateFromMenuResource(name, IDR_MENU_BOTH));
    EXPECT_NE(nullptr, pGiven->GetCommand(ID_CMD_SAVE));

    // the same object again under a second name is refused: it is never held twice
    HWND other = MakeWindow();
    EXPECT_FALSE(pMgr->ProfileSetup("second", other, pGiven));
    EXPECT_EQ(nullptr, pMgr->GetProfile("second"));
    EXPECT_FALSE(pMgr->ProfileNameFromWnd(other).IsFound());
    EXPECT_STREQ("frame", pGiven->m_sName);
    // under its own name again: nothing changes, and the window is bound
    EXPECT_TRUE(pMgr->ProfileSetup("frame", other, pGiven));
    EXPECT_STREQ("frame", pMgr->ProfileNameFromWnd(other).GetName());

    // deleted exactly once: with the last window's removal, then nothing at the manager's end
    bool removed = false;
    EXPECT_TRUE(pMgr->ProfileWndRemove(frame, true, &removed));
    EXPECT_FALSE(removed);
    EXPECT_TRUE(pMgr->ProfileWndRemove(other, true, &removed));
    EXPECT_TRUE(removed);
    EXPECT_EQ(1, g_nProfilesDeleted);
    // a second given profile stays with the manager until it ends
    ASSERT_TRUE(pMgr->ProfileSetup("third", NULL, new CountedProfile(NULL)));
    EXPECT_FALSE(pMgr->ProfileSetup("fourth", NULL, pMgr->GetProfile("third")));
    delete pMgr;
    EXPECT_EQ(2, g_nProfilesDeleted);
    ::DestroyWindow(frame);
    ::DestroyWindow(other);
}

TEST(CmdManager, CommandsForwardToTheNamedProfile)
{
    CExtCmdManager mgr;
    ASSERT_TRUE(mgr.UpdateFromMenuResource(NULL, IDR_MENU_BOTH));
    EXPECT_STREQ("&Save", mgr.GetCommand("default", ID_CMD_SAVE)->m_sMenuText);
    EXPECT_EQ(nullptr, mgr.GetCommand("nobody", ID_CMD_SAVE));
    EXPECT_FALSE(mgr.UpdateFromMenuResource("nobody", IDR_MENU_BOTH));
    UINT* pIDs = NULL;
    INT n = 0;
    ASSERT_TRUE(mgr.UpdateFromToolBarResource(NULL, IDR_TOOLBAR, &pIDs, &n));
    delete[] pIDs;
    EXPECT_EQ(3, n);
    EXPECT_NE(nullptr, mgr.GetCommandIcon(NULL, ID_CMD_OPEN));

    HICON hIcon = CExtBitmapUtil::CreateIconFromBitmap(CExtBitmapUtil::CreateFilled32(8, 8, RGB(1, 2, 3)),
                                                       RGB(255, 0, 255));
    ASSERT_TRUE(mgr.SetCommandIcon(NULL, ID_CMD_RECENT, hIcon, true));
    ::DestroyIcon(hIcon);  // a copy was stored
    ASSERT_NE(nullptr, mgr.GetCommandIcon(NULL, ID_CMD_RECENT));
    EXPECT_EQ(CSize(8, 8), mgr.GetCommandIcon(NULL, ID_CMD_RECENT)->GetSize());
    EXPECT_TRUE(mgr.SetCommandIcon(NULL, ID_CMD_RECENT, NULL));
    EXPECT_EQ(nullptr, mgr.GetCommandIcon(NULL, ID_CMD_RECENT));

    CExtCmdItem* pNew = mgr.AllocCommand(NULL);
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(0xFFFEu, pNew->m_nCmdID);
    bool flag = true;
    EXPECT_TRUE(mgr.RemoveCommand(NULL, 0xFFFE, &flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(mgr.RemoveCommand("nobody", 1, &flag));
    EXPECT_FALSE(flag);
    mgr.ClearProfile(NULL);
    EXPECT_EQ(nullptr, mgr.GetCommand(NULL, ID_CMD_SAVE));

    CString version;
    GetUILibraryVersionString(version, '.');
    EXPECT_STREQ("2.2.7.1", version);
    GetUILibraryVersionString(version, '-');
    EXPECT_STREQ("2-2-7-1", version);
    EXPECT_EQ(0x02020701u, GetUILibraryVersionDWORD(false));
    EXPECT_EQ(0x0202u, GetUILibraryVersionDWORD(true));
    EXPECT_NE(nullptr, g_CmdManager->GetProfile(NULL));
}

TEST(CmdManager, CommandsAreDeliveredSentOrPosted)
{
    CExtCmdProfile profile("p");
    CExtCmdItem open(ID_CMD_OPEN), sys(0xF1E0);
    profile.SetCommand(&open);
    profile.SetCommand(&sys);
    CExtCmdItem* pOpen = profile.GetCommand(ID_CMD_OPEN);
    CExtCmdItem* pSys = profile.GetCommand(0xF1E0);
    HWND h = MakeWindow();
    g_received = Received();

    EXPECT_TRUE(pOpen->Deliver(h, true));  // sent: handled before the call returns
    EXPECT_EQ(1, g_received.count);
    EXPECT_EQ((UINT)WM_COMMAND, g_received.msg);
    EXPECT_EQ((WPARAM)ID_CMD_OPEN, g_received.wParam);
    EXPECT_EQ(1u, pOpen->GetUsageCount());

    EXPECT_TRUE(pOpen->Deliver(h, false));  // posted: arrives through the queue
    EXPECT_EQ(1, g_received.count);
    ASSERT_TRUE(PumpUntilReceived(2));
    EXPECT_EQ(2u, profile.m_nTotalTickCount);

    ASSERT_TRUE(::SetCursorPos(123, 45));
    EXPECT_TRUE(pSys->Deliver(h, true));
    EXPECT_EQ((UINT)WM_SYSCOMMAND, g_received.msg);
    EXPECT_EQ((WPARAM)0xF1E0, g_received.wParam);
    POINT pt;
    ::GetCursorPos(&pt);
    EXPECT_EQ(MAKELPARAM(pt.x, pt.y), g_received.lParam);
    EXPECT_EQ(0u, pSys->GetUsageCount());
    EXPECT_EQ(2u, profile.m_nTotalTickCount);

    EXPECT_FALSE(pOpen->Deliver(NULL));
    CWnd* pWnd = CWnd::FromHandle(h);
    EXPECT_TRUE(pOpen->DeliverTo(pWnd, true));
    EXPECT_EQ(4, g_received.count);
    HWND child = MakeWindow(h);
    EXPECT_TRUE(pOpen->DeliverToOwner(CWnd::FromHandle(child), true));  // no owner: the parent
    EXPECT_EQ(5, g_received.count);
    ::DestroyWindow(h);
}

namespace {

struct RaceState {
    CExtCmdManager* mgr;
    std::atomic<bool> stop{false};
    std::atomic<long> calls{0};
    HANDLE started = ::CreateEventA(NULL, TRUE, FALSE, NULL);   // the first calls were made
    ~RaceState() { ::CloseHandle(started); }
};

DWORD WINAPI CallCommands(LPVOID pv)
{
    RaceState* s = (RaceState*)pv;
    CExtCmdItem item(7);
    while (!s->stop) {
        s->mgr->SetCommand("racing", &item);
        s->mgr->GetCommand("racing", 7);
        s->mgr->RemoveCommand("racing", 7);
        if (++s->calls == 1)
            ::SetEvent(s->started);
    }
    return 0;
}

}  // namespace

TEST(CmdManager, AProfileRemovedOnAnotherThreadIsNeverUsedAfterItsRemoval)
{
    CExtCmdManager mgr;
    RaceState state;
    state.mgr = &mgr;
    HANDLE hThread = ::CreateThread(NULL, 0, CallCommands, &state, 0, NULL);
    ASSERT_NE((HANDLE)NULL, hThread);
    const HWND fake = (HWND)(UINT_PTR)0x12340;
    // The other thread is calling before the first set-up: on a busy machine it may otherwise
    // not run at all while this loop does.
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(state.started, 30000));
    // set up and remove the profile over and over while the other thread calls into it
    const DWORD dwStart = ::GetTickCount();
    for (int i = 0; i < 3000 || state.calls < 1000; ++i) {
        ASSERT_TRUE(mgr.ProfileSetup("racing", fake));
        bool removed = false;
        ASSERT_TRUE(mgr.ProfileWndRemove(fake, true, &removed));
        ASSERT_TRUE(removed);
        if (::GetTickCount() - dwStart > 30000) {
            ADD_FAILURE() << "the other thread made only " << state.calls << " calls in 30 s";
            break;
        }
    }
    state.stop = true;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_GE(state.calls.load(), 1000);
}
