// A small program on the window layer, run whole under Xvfb: a top-level window of its own
// (no frame class) with a menu and a list control. It is driven by the keyboard and by its own
// timer, step by step:
//   1. at idle, the Delete command is disabled while no row is selected and enabled once one is;
//   2. Alt+F, R picks File > Refresh: the command reaches its handler through the message map;
//   3. typing into a subclassed edit: the edit's object sees the characters;
//   4. a modal loop runs and ends on a command, with that command's result;
//   5. File > Exit ends the run loop with the program's quit code.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <afxwin.h>
#include <afxcmn.h>
#include <afxcontrols.h>
#include <string>

namespace {

const UINT ID_DEMO_REFRESH = 1001, ID_DEMO_MODAL = 1002, ID_DEMO_DELETE = 1003;
const int IDC_LIST = 10, IDC_EDIT = 11;
const int kQuitCode = 5;
const UINT_PTR kStepTimer = 1;

// Sees every character typed into the edit it subclasses.
class CEditSpy : public CEdit {
public:
    std::string typed;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        typed += (char)nChar;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditSpy, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

// A window that runs a modal loop until it is told IDOK.
class CModalPopup : public CWnd {
protected:
    afx_msg void OnOK() { EndModalLoop(IDOK); }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount)
    {
        if (lCount == 0)
            PostMessage(WM_COMMAND, IDOK);  // as the OK button would
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalPopup, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

void pressKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    for (const auto& key : keys) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key.first;
        in.ki.dwFlags = key.second ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &in, sizeof in);
    }
}

class CDemoWnd : public CWnd {
public:
    CListCtrl list;
    CEditSpy edit;
    CMenu menu;
    int refreshes = 0;
    int modalResult = 0;
    int idleUpdates = 0;
    std::string failure;  // empty while every step holds
    std::vector<std::string> steps;

    BOOL Create()
    {
        menu.CreateMenu();
        CMenu file, edit;
        file.CreatePopupMenu();
        file.AppendMenu(MF_STRING, ID_DEMO_REFRESH, "&Refresh");
        file.AppendMenu(MF_STRING, ID_DEMO_MODAL, "&Modal...");
        file.AppendMenu(MF_SEPARATOR);
        file.AppendMenu(MF_STRING, ID_APP_EXIT, "E&xit");
        edit.CreatePopupMenu();
        edit.AppendMenu(MF_STRING, ID_DEMO_DELETE, "&Delete");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)file.Detach(), "&File");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)edit.Detach(), "&Edit");
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                        "Window layer demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 320, NULL, menu.m_hMenu);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CWnd::OnCreate(lpcs) == -1)
            return -1;
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 460, 200), this,
                    IDC_LIST);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        list.InsertColumn(0, "Item", LVCFMT_LEFT, 150);
        list.InsertColumn(1, "Check", LVCFMT_LEFT, 100);
        list.InsertColumn(2, "State", LVCFMT_LEFT, 100);
        const char* rows[][3] = {{"www.example.org", "HTTP", "OK"}, {"mail.example.org", "SMTP", "OK"},
                                 {"ftp.example.org", "FTP", "Failed"}};
        for (int i = 0; i < 3; i++) {
            list.InsertItem(i, rows[i][0]);
            list.SetItemText(i, 1, rows[i][1]);
            list.SetItemText(i, 2, rows[i][2]);
        }
        // a plain edit made by the system, then taken over by its object
        HWND hWndEdit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 210, 200,
                                          24, m_hWnd, (HMENU)(UINT_PTR)IDC_EDIT, AfxGetInstanceHandle(), NULL);
        edit.SubclassWindow(hWndEdit);
        SetTimer(kStepTimer, 50);
        return 0;
    }

    afx_msg void OnRefresh() { ++refreshes; }
    afx_msg void OnModal()
    {
        CModalPopup popup;
        popup.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "modal", WS_POPUP | WS_CAPTION, 100, 100, 200, 100,
                       m_hWnd, NULL);
        modalResult = popup.RunModalLoop(MLF_SHOWONIDLE);
        popup.DestroyWindow();
    }
    afx_msg void OnExit() { ::PostQuitMessage(kQuitCode); }
    afx_msg void OnDelete() { list.DeleteItem(list.GetNextItem(-1, LVNI_SELECTED)); }
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(list.GetNextItem(-1, LVNI_SELECTED) != -1); }

    // The application's idle work comes here: update the menu's commands.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        ++idleUpdates;
        CCmdUI state;
        for (int nPopup = 0; nPopup < menu.GetMenuItemCount(); nPopup++) {
            CMenu* pPopup = menu.GetSubMenu(nPopup);
            state.m_pMenu = pPopup;
            state.m_nIndexMax = (UINT)pPopup->GetMenuItemCount();
            for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
                state.m_nID = pPopup->GetMenuItemID((int)state.m_nIndex);
                state.DoUpdate(this, (BOOL)wParam);
            }
        }
        return 0;
    }

    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kStepTimer)
            Step();
    }

    DECLARE_MESSAGE_MAP()

private:
    int m_step = 0;
    DWORD m_stepStart = ::GetTickCount();

    bool Disabled(UINT nID) { return (menu.GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    void Next(const char* what)
    {
        steps.push_back(what);
        m_step++;
        m_stepStart = ::GetTickCount();
    }

    // One step of the script per tick, each waiting for what the previous one caused.
    void Step()
    {
        if (::GetTickCount() - m_stepStart > 10000) {
            failure = "step " + std::to_string(m_step) + " timed out";
            KillTimer(kStepTimer);
            ::PostQuitMessage(99);
            return;
        }
        switch (m_step) {
        case 0:  // nothing selected: idle has disabled Delete
            if (idleUpdates > 0 && Disabled(ID_DEMO_DELETE)) {
                list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                Next("Delete disabled at idle");
            }
            break;
        case 1:  // a row selected: idle has enabled it
            if (!Disabled(ID_DEMO_DELETE)) {
                SetForegroundWindow();
                pressKeys({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}});
                pressKeys({{'R', true}, {'R', false}});
                Next("Delete enabled at idle");
            }
            break;
        case 2:  // the menu command arrived
            if (refreshes == 1) {
                edit.SetFocus();
                pressKeys({{'O', true}, {'O', false}, {'K', true}, {'K', false}});
                Next("File > Refresh handled");
            }
            break;
        case 3:  // the subclassed edit saw the characters and still works
            if (edit.typed == "ok") {
                CString text;
                edit.GetWindowText(text);
                if (text != "ok")
                    failure = "the edit holds '" + std::string((LPCTSTR)text) + "'";
                PostMessage(WM_COMMAND, ID_DEMO_MODAL);
                Next("edit typed into");
            }
            break;
        case 4:  // the modal loop ended on its command
            if (modalResult == IDOK) {
                orvtest::screenshot("framework_window_demo");
                SetForegroundWindow();
                pressKeys({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}});
                pressKeys({{'X', true}, {'X', false}});
                Next("modal loop ended with IDOK");
            }
            break;
        default:
            break;
        }
    }
};

BEGIN_MESSAGE_MAP(CDemoWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_COMMAND(ID_DEMO_REFRESH, OnRefresh)
    ON_COMMAND(ID_DEMO_MODAL, OnModal)
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_COMMAND(ID_DEMO_DELETE, OnDelete)
    ON_UPDATE_COMMAND_UI(ID_DEMO_DELETE, OnUpdateDelete)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp("Window layer demo") {}
    CDemoWnd* pWnd = NULL;

    BOOL InitInstance() override
    {
        pWnd = new CDemoWnd;
        if (!pWnd->Create())
            return FALSE;
        m_pMainWnd = pWnd;
        pWnd->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;

}  // namespace

TEST(WindowDemo, RunsItsScriptAndExitsWithTheQuitCode)
{
    int code = AfxWinMain(::GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOW);
    ASSERT_TRUE(theApp.pWnd != NULL);
    EXPECT_EQ("", theApp.pWnd->failure);
    EXPECT_EQ((std::vector<std::string>{"Delete disabled at idle", "Delete enabled at idle", "File > Refresh handled",
                                        "edit typed into", "modal loop ended with IDOK"}),
              theApp.pWnd->steps);
    EXPECT_EQ(kQuitCode, code);
    EXPECT_EQ(1, theApp.pWnd->refreshes);
    theApp.pWnd->DestroyWindow();
    delete theApp.pWnd;
}
