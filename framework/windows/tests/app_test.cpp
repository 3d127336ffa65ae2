// The run loop, modal loops, idle processing and the application's settings.
#include "orv/gtest.h"
#include "WindowTestSupport.h"

namespace {

const UINT ID_END_MODAL = 500;

class CModalWnd : public CWnd {
public:
    int kicks = 0;

protected:
    afx_msg void OnEndModal() { EndModalLoop(ID_END_MODAL); }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        // the queue ran empty: now the command comes
        if (++kicks == 1)
            PostMessage(WM_COMMAND, ID_END_MODAL);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalWnd, CWnd)
    ON_COMMAND(ID_END_MODAL, OnEndModal)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

}  // namespace

TEST(ModalLoop, EndsOnACommandWithItsResult)
{
    wintest::testApp();
    CModalWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "modal", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    EXPECT_EQ((int)ID_END_MODAL, wnd.RunModalLoop(0));
    EXPECT_EQ(1, wnd.kicks);
    EXPECT_FALSE(wnd.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL));
    wnd.DestroyWindow();
}

TEST(RunLoop, QuitCodeSevenEndsTheModalLoopAndThenRunWithSeven)
{
    CWinApp& app = wintest::testApp();
    CModalWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "quit", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    ::PostQuitMessage(7);
    EXPECT_EQ(-1, wnd.RunModalLoop(0));
    // the loop handed the quit on, with its code, and did not spin on it
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_EQ(7, app.Run());
    EXPECT_FALSE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    wnd.DestroyWindow();
}

namespace {

const UINT ID_IDLE_CMD = 600;

// Its idle update reads the enabled state of a command from the application's state.
class CIdleWnd : public CWnd {
public:
    bool commandEnabled = false;
    int updates = 0;
    BOOL lastEnabled = -1;
    int quitCode = 0;  // ends the run loop from the next idle update

protected:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++updates;
        class CStateUI : public CCmdUI {
        public:
            BOOL* pEnabled;
            void Enable(BOOL bOn) override
            {
                *pEnabled = bOn;
                m_bEnableChanged = TRUE;
            }
        } ui;
        ui.pEnabled = &lastEnabled;
        ui.m_nID = ID_IDLE_CMD;
        ui.DoUpdate(this, TRUE);
        if (quitCode != 0)
            ::PostQuitMessage(quitCode);
        return 0;
    }
    afx_msg void OnUpdateIdleCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(commandEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_IDLE_CMD, OnUpdateIdleCmd)
END_MESSAGE_MAP()

}  // namespace

TEST(RunLoop, IdleUpdatesTheVisibleMainWindowOnly)
{
    CWinApp& app = wintest::testApp();
    CIdleWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "idle", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    app.m_pMainWnd = &wnd;
    app.OnIdle(0);
    EXPECT_EQ(0, wnd.updates);  // hidden
    wnd.ShowWindow(SW_SHOWNA);
    wnd.commandEnabled = true;
    app.OnIdle(0);
    EXPECT_EQ(1, wnd.updates);
    EXPECT_EQ(TRUE, wnd.lastEnabled);
    wnd.commandEnabled = false;
    wnd.quitCode = 3;
    EXPECT_EQ(3, app.Run());  // Run's idle updated the command, then the quit came
    EXPECT_EQ(FALSE, wnd.lastEnabled);
    wnd.quitCode = 0;
    // the main window's destruction ends the run loop with 0
    wnd.DestroyWindow();
    EXPECT_EQ(NULL, app.m_pMainWnd);
    EXPECT_EQ(0, app.Run());
}

TEST(Profile, SettingsRoundTripUnderTheRegistryKey)
{
    CWinApp& app = wintest::testApp();
    // before SetRegistryKey every read answers its default and writes fail
    if (app.m_pszRegistryKey == NULL) {
        EXPECT_EQ(9u, app.GetProfileInt("Window", "Width", 9));
        EXPECT_STREQ("dflt", app.GetProfileString("Window", "Title", "dflt"));
        EXPECT_FALSE(app.WriteProfileInt("Window", "Width", 1));
    }
    app.SetRegistryKey("Orvane Tests");
    ASSERT_STREQ("Orvane window tests", app.m_pszProfileName);
    EXPECT_TRUE(app.WriteProfileInt("Window", "Width", -640));
    EXPECT_TRUE(app.WriteProfileString("Window", "Title", "Main window"));
    BYTE blob[5] = {0, 1, 2, 0xFE, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary("Window", "Placement", blob, sizeof blob));

    EXPECT_EQ((UINT)-640, app.GetProfileInt("Window", "Width", 0));
    EXPECT_STREQ("Main window", app.GetProfileString("Window", "Title"));
    EXPECT_STREQ("dflt", app.GetProfileString("Window", "Missing", "dflt"));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("Window", "Placement", &pData, &nBytes));
    EXPECT_EQ(sizeof blob, nBytes);
    EXPECT_EQ(0, memcmp(blob, pData, sizeof blob));
    delete[] pData;
    // a string is not an int
    EXPECT_EQ(4u, app.GetProfileInt("Window", "Title", 4));

    // where it lives
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane Tests\\Orvane window tests\\Window", 0,
                                             KEY_READ, &hKey));
    ::RegCloseKey(hKey);
    EXPECT_TRUE(app.WriteProfileString("Window", "Title", NULL));
    EXPECT_STREQ("gone", app.GetProfileString("Window", "Title", "gone"));
    EXPECT_TRUE(app.WriteProfileString("Window", NULL, NULL));
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvane Tests\\Orvane window tests\\Window", 0,
                                             KEY_READ, &hKey));
}

namespace {

struct BoxWatch {
    HWND hWndOwner = NULL;
    char caption[64] = "";
};

// Closes the first message box of the process with OK and notes its owner and caption.
DWORD WINAPI closeMessageBox(LPVOID p)
{
    BoxWatch* pWatch = static_cast<BoxWatch*>(p);
    for (int i = 0; i < 500; i++) {
        HWND hWndBox = ::FindWindowA("#32770", NULL);
        if (hWndBox != NULL) {
            pWatch->hWndOwner = ::GetWindow(hWndBox, GW_OWNER);
            ::GetWindowTextA(hWndBox, pWatch->caption, sizeof pWatch->caption);
            ::PostMessageA(hWndBox, WM_COMMAND, IDOK, 0);
            return 0;
        }
        ::Sleep(10);
    }
    return 1;
}

}  // namespace

TEST(Globals, MessageBoxIsOwnedByTheMainWindowAndTitledWithTheApplicationsName)
{
    CWinApp& app = wintest::testApp();
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 10, 10), &main, 1));
    app.m_pMainWnd = &main;
    EXPECT_EQ(&main, CWnd::GetSafeOwner(&child));  // a child's owner is its top-level window
    BoxWatch watch;
    HANDLE hThread = ::CreateThread(NULL, 0, closeMessageBox, &watch, 0, NULL);
    EXPECT_EQ(IDOK, AfxMessageBox("Something to say", MB_OKCANCEL));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_EQ(main.m_hWnd, watch.hWndOwner);
    EXPECT_STREQ("Orvane window tests", watch.caption);
    app.m_pMainWnd = NULL;
    main.DestroyWindow();
}
