// Message maps: dispatch of window messages, chaining to base classes, command routing and the
// command-state update (CCmdUI::DoUpdate).
#include "orv/gtest.h"
#include "WindowTestSupport.h"

namespace {

UINT g_regMessage = 0;  // registered after the maps were built: they read it at dispatch time

const UINT WM_BOTH = WM_USER + 1;      // handled by base and derived: the derived entry wins
const UINT WM_BASEONLY = WM_USER + 2;  // only in the base map
const UINT WM_NOBODY = WM_USER + 3;    // in no map: the window's own procedure answers

class CBaseWnd : public CWnd {
public:
    wintest::Recorder rec;
    UINT_PTR lastTimer = 0;
    CPoint lastPoint;

protected:
    afx_msg LRESULT OnBoth(WPARAM wParam, LPARAM lParam)
    {
        rec.add("base both");
        return (LRESULT)(wParam ^ (WPARAM)lParam);
    }
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM)
    {
        rec.add("base only");
        return (LRESULT)wParam;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        lastTimer = nIDEvent;
        rec.add("base timer");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_BOTH, OnBoth)
    ON_MESSAGE(WM_BASEONLY, OnBaseOnly)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg LRESULT OnBothDerived(WPARAM wParam, LPARAM lParam)
    {
        rec.add("derived both");
        return CBaseWnd::OnBoth(wParam, lParam) + 1;
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM lParam)
    {
        rec.add("derived registered");
        return lParam;
    }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        lastPoint = point;
        rec.add("derived lbuttondown");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_BOTH, OnBothDerived)
    ON_REGISTERED_MESSAGE(g_regMessage, OnRegistered)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDerivedWnd* makeDerived()
{
    CDerivedWnd* pWnd = new CDerivedWnd;
    EXPECT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), "msgmap", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    return pWnd;
}

}  // namespace

TEST(MessageMap, DerivedEntriesComeFirstThenTheBaseChainThenTheWindowProcedure)
{
    g_regMessage = ::RegisterWindowMessageA("OrvaneMessageMapTest");
    CDerivedWnd* pWnd = makeDerived();
    // 64-bit values travel whole both ways
    const WPARAM w = (WPARAM)0x123456789ABCDEF0ull;
    const LPARAM l = (LPARAM)0x0FEDCBA987654321ll;
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        std::vector<std::string> events;
    } cases[] = {
        {WM_BOTH, w, l, (LRESULT)(w ^ (WPARAM)l) + 1, {"derived both", "base both"}},
        {WM_BASEONLY, w, 0, (LRESULT)w, {"base only"}},
        {g_regMessage, 0, l, l, {"derived registered"}},
        {WM_NOBODY, 1, 2, 0, {}},
        {WM_TIMER, (WPARAM)0x76617A67, 0, 0, {"base timer"}},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(-5, 7), 0, {"derived lbuttondown"}},
    };
    for (const Case& c : cases) {
        pWnd->rec.events.clear();
        EXPECT_EQ(c.result, pWnd->SendMessage(c.message, c.wParam, c.lParam)) << std::hex << c.message;
        EXPECT_EQ(c.events, pWnd->rec.events) << std::hex << c.message;
    }
    EXPECT_EQ((UINT_PTR)0x76617A67, pWnd->lastTimer);
    // a registered message whose id is not known yet catches nothing (WM_NULL wakes modal loops)
    const UINT saved = g_regMessage;
    g_regMessage = 0;
    pWnd->rec.events.clear();
    EXPECT_EQ(0, pWnd->SendMessage(WM_NULL, 0, 1));
    EXPECT_TRUE(pWnd->rec.events.empty());
    g_regMessage = saved;
    EXPECT_EQ(CPoint(-5, 7), pWnd->lastPoint);  // signed coordinates
    pWnd->DestroyWindow();
    delete pWnd;
}

// ---- Command routing ----------------------------------------------------------------------------

namespace {

const UINT ID_IN_CHILD = 101, ID_IN_WINDOW = 102, ID_IN_APP = 103, ID_EX_PASSES = 104, ID_DISABLED = 105,
           ID_NOWHERE = 106, ID_RANGE_FIRST = 110, ID_RANGE_LAST = 119;

wintest::Recorder g_routing;

// Stands for a view: offered commands before the window that owns it.
class CChildTarget : public CCmdTarget {
protected:
    afx_msg void OnInChild() { g_routing.add("child"); }
    afx_msg BOOL OnExPasses(UINT nID)
    {
        g_routing.add("child ex " + std::to_string(nID));
        return FALSE;  // let the next target have it
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildTarget, CCmdTarget)
    ON_COMMAND(ID_IN_CHILD, OnInChild)
    ON_COMMAND_EX(ID_EX_PASSES, OnExPasses)
END_MESSAGE_MAP()

class CAppTarget : public CCmdTarget {
protected:
    afx_msg void OnInApp() { g_routing.add("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAppTarget, CCmdTarget)
    ON_COMMAND(ID_IN_APP, OnInApp)
END_MESSAGE_MAP()

// Routes as a frame does: the child first, then its own map, then the application.
class CRoutingWnd : public CWnd {
public:
    CChildTarget child;
    CAppTarget app;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        return child.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) || CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
               app.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg void OnInWindow() { g_routing.add("window"); }
    afx_msg void OnInChildToo() { g_routing.add("window (hidden by child)"); }
    afx_msg void OnExPassesHere() { g_routing.add("window ex"); }
    afx_msg void OnDisabled() { g_routing.add("disabled ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnRange(UINT nID) { g_routing.add("range " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingWnd, CWnd)
    ON_COMMAND(ID_IN_WINDOW, OnInWindow)
    ON_COMMAND(ID_IN_CHILD, OnInChildToo)
    ON_COMMAND(ID_EX_PASSES, OnExPassesHere)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
END_MESSAGE_MAP()

}  // namespace

TEST(CommandRouting, AMenuCommandGoesToTheFirstTargetWithAHandler)
{
    CRoutingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "routing", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    struct Case {
        UINT nID;
        LRESULT handled;
        std::vector<std::string> events;
    } cases[] = {
        {ID_IN_CHILD, 1, {"child"}},
        {ID_IN_WINDOW, 1, {"window"}},
        {ID_IN_APP, 1, {"app"}},
        {ID_EX_PASSES, 1, {"child ex 104", "window ex"}},
        {ID_DISABLED, 1, {}},  // its update handler disables it: the command does nothing
        {ID_RANGE_FIRST + 3, 1, {"range 113"}},
        {ID_NOWHERE, 0, {}},
    };
    for (const Case& c : cases) {
        g_routing.events.clear();
        // a menu command: WM_COMMAND with no control
        EXPECT_EQ(c.handled, wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.nID, 0), 0)) << c.nID;
        EXPECT_EQ(c.events, g_routing.events) << c.nID;
    }
    wnd.DestroyWindow();
}

// ---- DoUpdate ------------------------------------------------------------------------------------

namespace {

enum UpdateKind { updEnables, updDisables, updNone };
const UINT ID_UPD_ENABLE = 201, ID_UPD_DISABLE = 202, ID_UPD_NONE = 203;  // + 10: also a command handler

class CUpdateTarget : public CCmdTarget {
protected:
    afx_msg void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnCommand() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_UPD_ENABLE, OnUpdateEnable)
    ON_UPDATE_COMMAND_UI(ID_UPD_DISABLE, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(ID_UPD_ENABLE + 10, OnUpdateEnable)
    ON_UPDATE_COMMAND_UI(ID_UPD_DISABLE + 10, OnUpdateDisable)
    ON_COMMAND(ID_UPD_ENABLE + 10, OnCommand)
    ON_COMMAND(ID_UPD_DISABLE + 10, OnCommand)
    ON_COMMAND(ID_UPD_NONE + 10, OnCommand)
END_MESSAGE_MAP()

// Records what the update did to the item.
class CRecordingCmdUI : public CCmdUI {
public:
    int enabled = -1;  // -1: never touched
    void Enable(BOOL bOn) override
    {
        enabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
};

}  // namespace

TEST(CommandUpdate, DoUpdateTable)
{
    CUpdateTarget target;
    struct Case {
        UpdateKind update;
        bool commandHandler;
        bool autoDisable;
        int enabled;   // what the item ends as (-1 untouched)
        BOOL routed;   // DoUpdate's answer
    } cases[] = {
        {updEnables, true, true, 1, TRUE},    {updEnables, true, false, 1, TRUE},
        {updEnables, false, true, 1, TRUE},   {updEnables, false, false, 1, TRUE},
        {updDisables, true, true, 0, TRUE},   {updDisables, true, false, 0, TRUE},
        {updDisables, false, true, 0, TRUE},  {updDisables, false, false, 0, TRUE},
        {updNone, true, true, 1, FALSE},      {updNone, true, false, -1, FALSE},
        {updNone, false, true, 0, FALSE},     {updNone, false, false, -1, FALSE},
    };
    for (const Case& c : cases) {
        CRecordingCmdUI ui;
        ui.m_nID = (c.update == updEnables ? ID_UPD_ENABLE : c.update == updDisables ? ID_UPD_DISABLE : ID_UPD_NONE) +
                   (c.commandHandler ? 10 : 0);
        BOOL routed = ui.DoUpdate(&target, c.autoDisable);
        EXPECT_EQ(c.enabled, ui.enabled) << "id " << ui.m_nID << " auto " << c.autoDisable;
        EXPECT_EQ(c.routed, routed) << "id " << ui.m_nID << " auto " << c.autoDisable;
    }
    // separators and invalid ids are left alone
    for (UINT nID : {0u, 0xFFFFu, 0x1FFFFu}) {
        CRecordingCmdUI ui;
        ui.m_nID = nID;
        EXPECT_TRUE(ui.DoUpdate(&target, TRUE));
        EXPECT_EQ(-1, ui.enabled);
    }
}

TEST(CommandUpdate, MenuItemsTakeTheStateByPosition)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_UPD_DISABLE, "Disabled");
    menu.AppendMenu(MF_STRING, ID_UPD_NONE, "No handler");
    menu.AppendMenu(MF_STRING, ID_UPD_NONE + 10, "Command only");
    CUpdateTarget target;
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nIndexMax = (UINT)menu.GetMenuItemCount();
    for (ui.m_nIndex = 0; ui.m_nIndex < ui.m_nIndexMax; ui.m_nIndex++) {
        ui.m_nID = menu.GetMenuItemID((int)ui.m_nIndex);
        ui.DoUpdate(&target, TRUE);
    }
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    ui.m_nIndex = 2;
    ui.SetCheck(1);
    ui.SetText("Renamed");
    EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_CHECKED);
    CString text;
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ("Renamed", text);
}

namespace {

const int IDC_HANDLED = 801, IDC_UNHANDLED = 802, IDC_AUTOCHECK = 803, IDC_SELFUPDATING = 804;

class CDialogTarget : public CCmdTarget {
protected:
    afx_msg void OnHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDialogTarget, CCmdTarget)
    ON_COMMAND(IDC_HANDLED, OnHandled)
END_MESSAGE_MAP()

// A control that keeps its own state up to date: the target is not asked.
class CSelfUpdatingButton : public CWnd {
protected:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI) { pCmdUI->SetText("self"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CWnd)
    ON_UPDATE_COMMAND_UI(IDC_SELFUPDATING, OnUpdateSelf)
END_MESSAGE_MAP()

}  // namespace

TEST(CommandUpdate, DialogControlsAreEnabledByTheTargetsHandlers)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "controls", WS_OVERLAPPED, 0, 0, 300, 200, NULL, NULL));
    auto button = [&](int nID, DWORD style) {
        return ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD | style, 0, 0, 50, 20, parent.m_hWnd, (HMENU)(UINT_PTR)nID,
                                 NULL, NULL);
    };
    HWND hHandled = button(IDC_HANDLED, BS_PUSHBUTTON);
    HWND hUnhandled = button(IDC_UNHANDLED, BS_PUSHBUTTON);
    HWND hAutoCheck = button(IDC_AUTOCHECK, BS_AUTOCHECKBOX);
    CSelfUpdatingButton self;
    ASSERT_TRUE(self.SubclassWindow(button(IDC_SELFUPDATING, BS_PUSHBUTTON)));
    CDialogTarget target;
    parent.UpdateDialogControls(&target, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hHandled));
    EXPECT_FALSE(::IsWindowEnabled(hUnhandled));
    EXPECT_TRUE(::IsWindowEnabled(hAutoCheck));  // checks itself: needs no handler
    EXPECT_TRUE(::IsWindowEnabled(self.m_hWnd));
    CString text;
    self.GetWindowText(text);
    EXPECT_STREQ("self", text);
    parent.UpdateDialogControls(&target, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hUnhandled));  // left as it was
    self.UnsubclassWindow();
    parent.DestroyWindow();
}
