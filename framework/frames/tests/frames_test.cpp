// Frames and views under Xvfb: a frame from one resource id, the layout of bars and view read
// back, commands routed view -> frame -> application, form views with data exchange and
// keyboard navigation, prompts in the status line, closing, mini frames.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <orv/UiTest.h>
#include "frames_test_resources.h"
#include "StatusLine.h"
#include <afxwin.h>
#include <afxcontrols.h>
#include <commctrl.h>

namespace {

using orvtest::Script;

}  // namespace

// Rectangles print as such in failures.
void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

std::vector<std::string> g_handled;  // who handled each routed command

class CFramesTestApp : public CWinApp {
public:
    CFramesTestApp() : CWinApp("Orvane frame tests") {}

protected:
    afx_msg void OnAppOnly() { g_handled.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFramesTestApp, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
END_MESSAGE_MAP()

CFramesTestApp& App()
{
    static CFramesTestApp app;
    return app;
}

// A bar along one side of its frame, as the docking module's bars are laid out.
class CSideBar : public CWnd {
public:
    CSideBar(UINT side, int thickness) : m_side(side), m_thickness(thickness) {}
    BOOL Create(CWnd* pParent, UINT nID)
    {
        return CWnd::Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNSHADOW + 1)), "bar", WS_CHILD | WS_VISIBLE,
                            CRect(0, 0, 0, 0), pParent, nID);
    }

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect = pLayout->rect;
        switch (m_side) {
        case CBRS_TOP_SIDE:
            rect.bottom = rect.top + m_thickness;
            pLayout->rect.top += m_thickness;
            break;
        case CBRS_BOTTOM_SIDE:
            rect.top = rect.bottom - m_thickness;
            pLayout->rect.bottom -= m_thickness;
            break;
        case CBRS_LEFT_SIDE:
            rect.right = rect.left + m_thickness;
            pLayout->rect.left += m_thickness;
            break;
        default:
            rect.left = rect.right - m_thickness;
            pLayout->rect.right -= m_thickness;
            break;
        }
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

public:
    enum { CBRS_TOP_SIDE, CBRS_BOTTOM_SIDE, CBRS_LEFT_SIDE, CBRS_RIGHT_SIDE };

private:
    UINT m_side;
    int m_thickness;
};

BEGIN_MESSAGE_MAP(CSideBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class CPlainView : public CView {
    DECLARE_DYNCREATE(CPlainView)
public:
    int initialUpdates = 0;
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
    }
    void OnInitialUpdate() override { ++initialUpdates; }

protected:
    afx_msg void OnViewOnly() { g_handled.push_back("view"); }
    afx_msg void OnViewAndFrame() { g_handled.push_back("view"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnDisabled() { g_handled.push_back("disabled command ran"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPlainView, CView)

BEGIN_MESSAGE_MAP(CPlainView, CView)
    ON_COMMAND(ID_VIEW_ONLY, OnViewOnly)
    ON_COMMAND(ID_VIEW_AND_FRAME, OnViewAndFrame)
    ON_COMMAND(ID_DISABLED_BY_VIEW, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_BY_VIEW, OnUpdateDisabled)
END_MESSAGE_MAP()

class CFormTestView : public CFormView {
    DECLARE_DYNCREATE(CFormTestView)
public:
    CFormTestView() : CFormView(IDD_FORM) {}
    int initialUpdates = 0;
    int number = 1234;
    CListBox list;
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CFormView::OnInitialUpdate();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_FORM_LIST, list);
        DDX_Text(pDX, IDC_FORM_INT, number);
        DDV_MinMaxInt(pDX, number, 0, 9999);
    }
};

IMPLEMENT_DYNCREATE(CFormTestView, CFormView)

bool g_frameDeleted = false;

class CTestFrame : public CFrameWnd {
public:
    CRuntimeClass* pViewClass = RUNTIME_CLASS(CPlainView);
    CSideBar* bars[4] = {};
    CStatusLine status;
    bool withBars = false;
    ~CTestFrame() override
    {
        g_frameDeleted = true;
        for (CSideBar* pBar : bars)
            delete pBar;
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        // as the program's main frame does: bars, then the view, in the creation handler
        if (withBars) {
            int sides[4] = {CSideBar::CBRS_TOP_SIDE, CSideBar::CBRS_BOTTOM_SIDE, CSideBar::CBRS_LEFT_SIDE,
                            CSideBar::CBRS_RIGHT_SIDE};
            int sizes[4] = {20, 15, 30, 25};
            for (int i = 0; i < 4; i++) {
                bars[i] = new CSideBar((UINT)sides[i], sizes[i]);
                if (!bars[i]->Create(this, AFX_IDW_TOOLBAR + 1 + i))
                    return -1;
            }
        }
        status.Create(this);
        CCreateContext context;
        context.m_pNewViewClass = pViewClass;
        CView* pView = static_cast<CView*>(CreateView(&context));
        if (pView == NULL)
            return -1;
        RecalcLayout();
        SetActiveView(pView);
        return 0;
    }
    afx_msg void OnFrameOnly() { g_handled.push_back("frame"); }
    afx_msg void OnViewAndFrame() { g_handled.push_back("frame"); }
    afx_msg void OnAccel() { g_handled.push_back("accelerator"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FRAME_ONLY, OnFrameOnly)
    ON_COMMAND(ID_VIEW_AND_FRAME, OnViewAndFrame)
    ON_COMMAND(ID_TEST_ACCEL, OnAccel)
END_MESSAGE_MAP()

CRect ChildRect(CWnd* pParent, CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

TEST(Frame, LoadFrameTakesTitleMenuIconAndAcceleratorsFromOneId)
{
    App();
    g_handled.clear();
    auto* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAIN));
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_EQ(CString("Frame Test"), title);
    EXPECT_EQ(CString("Frame Test"), pFrame->GetTitle());
    ASSERT_NE(nullptr, pFrame->GetMenu());
    EXPECT_EQ(ID_TEST_ACCEL, (int)pFrame->GetMenu()->GetSubMenu(0)->GetMenuItemID(0));
    EXPECT_NE((ULONG_PTR)0, ::GetClassLongPtrA(pFrame->m_hWnd, GCLP_HICON));
    EXPECT_NE((HACCEL)NULL, pFrame->m_hAccelTable);
    EXPECT_TRUE(pFrame->IsFrameWnd());
    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(pFrame, pView->GetParentFrame());
    EXPECT_EQ(pFrame, pView->GetTopLevelFrame());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());

    // Ctrl+R through the frame's accelerators (real keys, the application's pump)
    pFrame->ActivateFrame();
    pFrame->SetForegroundWindow();
    INPUT in[4] = {};
    for (INPUT& i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = 'R';
    in[2].ki.wVk = 'R';
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_CONTROL;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, in, sizeof(INPUT));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return !g_handled.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"accelerator"}, g_handled);
    // activation: shown, and the focus given to the frame goes on to its active view
    EXPECT_TRUE(pFrame->IsWindowVisible());
    pFrame->SetFocus();
    EXPECT_EQ(pView->m_hWnd, ::GetFocus());
    pFrame->ActivateFrame(SW_MINIMIZE);
    EXPECT_TRUE(pFrame->IsIconic());
    pFrame->ActivateFrame();  // -1: a minimised frame is restored
    EXPECT_FALSE(pFrame->IsIconic());
    pFrame->DestroyWindow();  // deletes the frame
}

TEST(Frame, BarsTakeTheirSidesAndTheViewExactlyTheRest)
{
    App();
    auto* pFrame = new CTestFrame;
    pFrame->withBars = true;
    ASSERT_TRUE(pFrame->Create(NULL, "Layout", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 520, 420)));
    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(nullptr, pView);
    for (CSize size : {CSize(500, 400), CSize(640, 300), CSize(300, 500)}) {
        pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        CRect client;
        pFrame->GetClientRect(&client);
        CRect status = ChildRect(pFrame, &pFrame->status);
        // z-order: top, bottom, left, right, then the status line, each taking what is left
        EXPECT_EQ(CRect(0, 0, client.right, 20), ChildRect(pFrame, pFrame->bars[0]));
        EXPECT_EQ(CRect(0, client.bottom - 15, client.right, client.bottom), ChildRect(pFrame, pFrame->bars[1]));
        EXPECT_EQ(CRect(0, 20, 30, client.bottom - 15), ChildRect(pFrame, pFrame->bars[2]));
        EXPECT_EQ(CRect(client.right - 25, 20, client.right, client.bottom - 15), ChildRect(pFrame, pFrame->bars[3]));
        EXPECT_EQ(CRect(30, status.top, client.right - 25, client.bottom - 15), status);
        EXPECT_EQ(CRect(30, 20, client.right - 25, status.top), ChildRect(pFrame, pView)) << size.cx << "x" << size.cy;
    }
    // a bar hidden at idle: the layout waits for the next idle
    pFrame->bars[0]->ShowWindow(SW_HIDE);
    pFrame->m_rectBorder = CRect(5, 5, 5, 5);
    pFrame->DelayRecalcLayout();
    CRect before = ChildRect(pFrame, pView);
    App().OnIdle(0);
    CRect after = ChildRect(pFrame, pView);
    EXPECT_EQ(before.left + 5, after.left);
    EXPECT_EQ(before.right - 5, after.right);
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    orvtest::screenshot("framework_frames_layout");
    pFrame->DestroyWindow();
}

TEST(Frame, CommandsGoToTheViewThenTheFrameThenTheApplication)
{
    App();
    auto* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Routing", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320)));
    struct Case {
        UINT nID;
        std::vector<std::string> handled;
        bool routed;
    } cases[] = {
        {ID_VIEW_ONLY, {"view"}, true},      {ID_FRAME_ONLY, {"frame"}, true},
        {ID_APP_ONLY, {"app"}, true},        {ID_VIEW_AND_FRAME, {"view"}, true},
        {ID_NOBODY, {}, false},
        {ID_DISABLED_BY_VIEW, {}, true},  // it has a handler, but its update handler disables it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nID);
        g_handled.clear();
        pFrame->SendMessage(WM_COMMAND, c.nID, 0);  // as a menu sends it
        EXPECT_EQ(c.handled, g_handled);
        AFX_CMDHANDLERINFO info = {};
        EXPECT_EQ(c.routed, pFrame->OnCmdMsg(c.nID, CN_COMMAND, NULL, &info) != FALSE) << "asked whether a handler exists";
    }
    // with no active view the frame and the application still get theirs
    pFrame->SetActiveView(NULL);
    g_handled.clear();
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_AND_FRAME, 0);
    pFrame->SendMessage(WM_COMMAND, ID_APP_ONLY, 0);
    EXPECT_EQ((std::vector<std::string>{"frame", "app"}), g_handled);
    pFrame->DestroyWindow();
}

TEST(Frame, PromptsGoToTheStatusLine)
{
    App();
    auto* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAIN, WS_OVERLAPPEDWINDOW | WS_VISIBLE | FWS_ADDTOTITLE));
    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(CString("Ready"), pFrame->status.Text());
    pFrame->SetMessageText(ID_VIEW_ONLY);  // the text before '\n'
    EXPECT_EQ(CString("Handled by the view"), pFrame->status.Text());
    pFrame->SetMessageText("Any text");
    EXPECT_EQ(CString("Any text"), pFrame->status.Text());
    // a menu item under the mouse shows its prompt; a closed menu the idle prompt
    HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_ONLY, MF_STRING), (LPARAM)hFile);
    EXPECT_EQ(CString("Handled by the view"), pFrame->status.Text());
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString("Ready"), pFrame->status.Text());
    // the system menu's commands show the framework's prompts, or the program's where it has one
    HMENU hSysMenu = ::GetSystemMenu(pFrame->m_hWnd, FALSE);
    struct SysPrompt {
        UINT nCommand;
        const char* prompt;
    } sysPrompts[] = {
        {SC_SIZE, "Change the window size"},
        {SC_MOVE, "Move the test frame"},
        {SC_MINIMIZE, "Reduce the window to an icon"},
        {SC_MAXIMIZE, "Enlarge the window to full size"},
        {SC_NEXTWINDOW, "Switch to the next document window"},
        {SC_PREVWINDOW, "Switch to the previous document window"},
        {SC_CLOSE, "Close the active window and prompts to save the documents"},
        {SC_RESTORE, "Restore the window to normal size"},
        {SC_TASKLIST, "Activate the task list"},
    };
    for (const SysPrompt& p : sysPrompts) {
        pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(p.nCommand, MF_STRING | MF_SYSMENU), (LPARAM)hSysMenu);
        EXPECT_EQ(CString(p.prompt), pFrame->status.Text()) << std::hex << p.nCommand;
        CString message;
        pFrame->GetMessageString(AFX_IDS_SCFIRST + ((p.nCommand - SC_SIZE) >> 4), message);
        EXPECT_EQ(CString(p.prompt), message);
    }
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString("Ready"), pFrame->status.Text());
    // opening the menu disables what has no handler
    pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hFile, 0);
    EXPECT_FALSE(::GetMenuState(hFile, ID_VIEW_ONLY, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hFile, ID_NOBODY, MF_BYCOMMAND) & MF_GRAYED);
    pFrame->DestroyWindow();
}

TEST(Frame, FormViewFillsTheFrameUpdatesOnceAndNavigatesByKeyboard)
{
    App();
    auto* pFrame = new CTestFrame;
    pFrame->pViewClass = RUNTIME_CLASS(CFormTestView);
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    auto* pView = DYNAMIC_DOWNCAST(CFormTestView, pFrame->GetActiveView());
    ASSERT_NE(nullptr, pView);
    pFrame->InitialUpdateFrame(NULL, TRUE);
    pFrame->InitialUpdateFrame(NULL, TRUE);
    EXPECT_EQ(1, pView->initialUpdates);
    CString shown;
    pView->GetDlgItemText(IDC_FORM_INT, shown);
    EXPECT_EQ(CString("1234"), shown);
    EXPECT_EQ(::GetDlgItem(pView->m_hWnd, IDC_FORM_LIST), pView->list.m_hWnd);  // bound by DDX_Control
    EXPECT_TRUE(pView->GetStyle() & WS_CHILD);
    // the view takes everything above the status line
    CRect client;
    pFrame->GetClientRect(&client);
    CRect status = ChildRect(pFrame, &pFrame->status);
    EXPECT_EQ(CRect(0, 0, client.right, status.top), ChildRect(pFrame, pView));

    Script script({
        {"focus in the first edit",
         [&] {
             if (!pFrame->IsWindowVisible())
                 return false;
             pFrame->SetForegroundWindow();
             pView->GetDlgItem(IDC_FORM_INT)->SetFocus();
             if (::GetFocus() != ::GetDlgItem(pView->m_hWnd, IDC_FORM_INT))
                 return false;
             orvtest::pressKey(VK_TAB);
             return true;
         }},
        {"Tab to the second edit",
         [&] {
             if (::GetFocus() != ::GetDlgItem(pView->m_hWnd, IDC_FORM_TEXT))
                 return false;
             orvtest::pressKey(VK_TAB);
             return true;
         }},
        {"Tab to the list",
         [&] {
             if (::GetFocus() != pView->list.m_hWnd)
                 return false;
             orvtest::screenshot("framework_frames_form");
             ::PostQuitMessage(0);
             return true;
         }},
    });
    EXPECT_EQ(0, App().Run());
    EXPECT_EQ("", script.failure);
    // refused data keeps the focus on the control
    pView->SetDlgItemText(IDC_FORM_INT, "12345");
    Script boxes({});
    EXPECT_FALSE(pView->UpdateData(TRUE));
    EXPECT_EQ(std::vector<std::string>{"Please enter an integer between 0 and 9999."}, boxes.boxes.texts);
    EXPECT_EQ(::GetDlgItem(pView->m_hWnd, IDC_FORM_INT), ::GetFocus());
    pFrame->DestroyWindow();
}

TEST(Frame, CloseDeletesTheMainFrameAndEndsTheRunLoop)
{
    CFramesTestApp& app = App();
    g_frameDeleted = false;
    auto* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAIN, WS_OVERLAPPEDWINDOW | WS_VISIBLE | FWS_ADDTOTITLE));
    app.m_pMainWnd = pFrame;
    HWND hWnd = pFrame->m_hWnd;
    pFrame->PostMessage(WM_CLOSE);
    EXPECT_EQ(0, app.Run());
    EXPECT_TRUE(g_frameDeleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

// Print preview, ActiveX controls and editing in place do not exist here: asking whether a
// window is one always hears no, and the classes sit where such code expects them.
TEST(Frame, NoViewIsAPreviewNoWindowAnActiveXControlAndNothingEditedInPlace)
{
    App();
    auto* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Kinds", WS_OVERLAPPEDWINDOW, CRect(20, 20, 220, 220)));
    CView* pView = pFrame->GetActiveView();
    ASSERT_NE(nullptr, pView);
    struct Kind {
        const CObject* pObject;
        CRuntimeClass* pClass;
        bool is;
    } kinds[] = {
        {pView, RUNTIME_CLASS(CPreviewView), false},
        {pView, RUNTIME_CLASS(CView), true},
        {pFrame, RUNTIME_CLASS(COleControl), false},
        {pView, RUNTIME_CLASS(COleControl), false},
    };
    for (const Kind& k : kinds)
        EXPECT_EQ(k.is, k.pObject->IsKindOf(k.pClass) != FALSE) << k.pClass->m_lpszClassName;
    EXPECT_TRUE(RUNTIME_CLASS(CPreviewView)->IsDerivedFrom(RUNTIME_CLASS(CView)));
    EXPECT_TRUE(RUNTIME_CLASS(COleControl)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    // nor is any item edited in place: views have no document, and a document of embedded
    // items has no item active in any view
    EXPECT_EQ(nullptr, pView->GetDocument());
    COleDocument document;
    EXPECT_TRUE(document.IsKindOf(RUNTIME_CLASS(CDocument)));
    EXPECT_EQ(nullptr, document.GetInPlaceActiveItem(pView));
    pFrame->DestroyWindow();
}

TEST(MiniFrame, AToolWindowThatIsAFrame)
{
    App();
    auto* pOwner = new CTestFrame;
    ASSERT_TRUE(pOwner->Create(NULL, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320)));
    auto* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->Create(NULL, "Palette", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | MFS_SYNCACTIVE |
                                                   MFS_THICKFRAME,
                              CRect(450, 40, 600, 200), pOwner));
    EXPECT_TRUE(pMini->IsFrameWnd());
    EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(pOwner->m_hWnd, ::GetWindow(pMini->m_hWnd, GW_OWNER));
    // a child of the mini frame finds it as its frame
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pMini, 1));
    EXPECT_EQ(pMini, child.GetParentFrame());
    child.DestroyWindow();
    pMini->DestroyWindow();  // deletes it
    pOwner->DestroyWindow();
}

}  // namespace
