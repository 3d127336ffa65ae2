// The resizable property sheet, tabbed and wizard, on the system's own sheet window: what the
// deferred set-up does to the system's children, corner distances over a table of resizes, the
// size limits, the page rectangle kept after Next and Back, Ctrl+Tab and Ctrl+Shift+Tab by real
// keys, the placement saved on close; and the sheets' pictures in the four looks.
#include <orv/TestEnv.h>
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtResizablePropertyPage.h"
#include "CExtResizablePropertySheet.h"
#include "DialogsTestApp.h"
#include "RenderHarness.h"
#include "sheet_test_resources.h"
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <set>

namespace {

// Waits end as soon as what they wait for happened; the bound is for a machine under load.
const DWORD kWaitMs = 20000;

bool WaitFor(const std::function<bool()>& pred)
{
    return orvtest::pumpUntil(pred, kWaitMs);
}

class Page : public CExtResizablePropertyPage {
public:
    Page(UINT nIDTemplate, UINT nIDCaption, DWORD dwWizardButtons = 0)
        : CExtResizablePropertyPage(nIDTemplate, nIDCaption), m_dwWizardButtons(dwWizardButtons)
    {
    }
    BOOL OnInitDialog() override
    {
        CExtResizablePropertyPage::OnInitDialog();
        AddAnchor(IDC_SHEET_LABEL, __RDA_LT);
        AddAnchor(IDC_SHEET_EDIT, __RDA_LT, __RDA_RT);
        AddAnchor(IDC_SHEET_LIST, __RDA_LT, __RDA_RB);
        AddAnchor(IDC_SHEET_CHECK, __RDA_LT);
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        if (m_dwWizardButtons != 0) {
            CPropertySheet* pSheet = GetParentSheet();
            if (pSheet != NULL)
                pSheet->SetWizardButtons(m_dwWizardButtons);
        }
        return CExtResizablePropertyPage::OnSetActive();
    }
    DWORD m_dwWizardButtons;
};

// A child of the sheet window as the system made it, seen just before the deferred set-up.
struct SystemChild {
    HWND hWnd;
    std::string cls;
    int id;
    bool visible;
    CRect rc;   // in the sheet's client coordinates
};

class TestSheet : public CExtResizablePropertySheet {
public:
    explicit TestSheet(const char* caption) : CExtResizablePropertySheet(caption) {}
    std::vector<SystemChild> before;
    CSize windowAtSetUp;
    using CExtResizablePropertySheet::m_nLayoutFlags;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHEET_SET_UP && !IsLayoutSetUp()) {
            for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
                before.push_back({h, orvtest::className(h), ::GetDlgCtrlID(h), ::IsWindowVisible(h) != FALSE,
                                  dlgtest::RectInParent(h)});
            CRect rc;
            GetWindowRect(&rc);
            windowAtSetUp = rc.Size();
        }
        return CExtResizablePropertySheet::WindowProc(message, wParam, lParam);
    }
};

struct Tabbed {
    Page p1{IDD_SHEET_TAB1, IDS_SHEET_TAB1}, p2{IDD_SHEET_TAB2, IDS_SHEET_TAB2}, p3{IDD_SHEET_TAB3, IDS_SHEET_TAB3};
    TestSheet sheet{"Monitor options"};
    explicit Tabbed(bool create = true)
    {
        dlgtest::App();
        sheet.AddPage(&p1);
        sheet.AddPage(&p2);
        sheet.AddPage(&p3);
        if (create)
            Create();
    }
    void Create()
    {
        EXPECT_TRUE(sheet.Create());
        EXPECT_TRUE(WaitFor([&] { return sheet.IsLayoutSetUp(); }));
        sheet.SetWindowPos(&CWnd::wndTop, 60, 60, 0, 0, SWP_NOSIZE);
        sheet.SetForegroundWindow();
        orvtest::pumpWaiting();
    }
    ~Tabbed()
    {
        if (::IsWindow(sheet.m_hWnd))
            sheet.DestroyWindow();
        orvtest::pumpWaiting();
    }
};

struct Wizard {
    Page p1{IDD_SHEET_WIZ1, IDS_SHEET_WIZ1, PSWIZB_NEXT}, p2{IDD_SHEET_WIZ2, IDS_SHEET_WIZ2, PSWIZB_BACK | PSWIZB_NEXT},
        p3{IDD_SHEET_WIZ3, IDS_SHEET_WIZ3, PSWIZB_BACK | PSWIZB_FINISH};
    TestSheet sheet{"New item"};
    Wizard()
    {
        dlgtest::App();
        sheet.AddPage(&p1);
        sheet.AddPage(&p2);
        sheet.AddPage(&p3);
        sheet.SetWizardMode();
        EXPECT_TRUE(sheet.Create());
        EXPECT_TRUE(WaitFor([&] { return sheet.IsLayoutSetUp(); }));
        sheet.SetWindowPos(&CWnd::wndTop, 60, 60, 0, 0, SWP_NOSIZE);
        sheet.SetForegroundWindow();
        orvtest::pumpWaiting();
    }
    ~Wizard()
    {
        if (::IsWindow(sheet.m_hWnd))
            sheet.DestroyWindow();
        orvtest::pumpWaiting();
    }
};

CSize WindowSize(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc.Size();
}

// Distances of a child's edges from the client's left, top, right and bottom edges.
CRect Distances(HWND hSheet, HWND hChild)
{
    CRect rc = dlgtest::RectInParent(hChild), rcClient;
    ::GetClientRect(hSheet, &rcClient);
    return CRect(rc.left, rc.top, rcClient.right - rc.right, rcClient.bottom - rc.bottom);
}

}  // namespace


namespace {

// The sheet's push buttons (the system's, re-skinned), visible or not.
std::vector<SystemChild> Buttons(const TestSheet& sheet)
{
    std::vector<SystemChild> buttons;
    for (const SystemChild& c : sheet.before)
        if (lstrcmpiA(c.cls.c_str(), "button") == 0)
            buttons.push_back(c);
    return buttons;
}

// Presses a key with modifiers and pumps until the thread has taken all of it: the toggle bit
// of every key involved flips with its press, and none is down any more.
bool PressAndWait(WORD vk, unsigned modifiers)
{
    std::vector<WORD> keys{vk};
    if (modifiers & orvtest::kCtrl)
        keys.push_back(VK_CONTROL);
    if (modifiers & orvtest::kShift)
        keys.push_back(VK_SHIFT);
    std::vector<SHORT> toggles;
    for (WORD k : keys)
        toggles.push_back(::GetKeyState(k) & 1);
    orvtest::pressKey(vk, modifiers);
    return WaitFor([&] {
        for (size_t i = 0; i < keys.size(); i++)
            if ((::GetKeyState(keys[i]) & 1) == toggles[i] || (::GetKeyState(keys[i]) & 0x8000) != 0)
                return false;
        return true;
    });
}

// A real click on a button. Two clicks in a row at one point would be a double click, which a
// library button takes as one click: every other click lands 12 pixels to the left.
bool Click(HWND hButton)
{
    static int s_nClicks = 0;
    POINT pt = orvtest::centreOf(hButton);
    if (s_nClicks++ % 2)
        pt.x -= 12;
    return orvtest::click(pt, hButton);
}

CRect WorkArea(HWND hWnd)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
}

}  // namespace

TEST(Sheet, TheSetUpReskinsThePushButtonsTenPixelsFurtherLeft)
{
    for (int wizard = 0; wizard < 2; wizard++) {
        std::unique_ptr<Tabbed> t;
        std::unique_ptr<Wizard> w;
        TestSheet* sheet;
        if (wizard) {
            w.reset(new Wizard);
            sheet = &w->sheet;
        } else {
            t.reset(new Tabbed);
            sheet = &t->sheet;
        }
        const std::vector<SystemChild> buttons = Buttons(*sheet);
        // tabbed: OK, Cancel, Apply, Help; wizard: Back, Next, Finish, Cancel, Help
        EXPECT_EQ(wizard ? 5u : 4u, buttons.size());
        for (const SystemChild& b : buttons) {
            EXPECT_NE(nullptr, dynamic_cast<CExtResizablePropertySheet::CButtonInSheetHook*>(CWnd::FromHandlePermanent(b.hWnd)))
                << b.id;
            EXPECT_EQ(BS_OWNERDRAW, ::GetWindowLongA(b.hWnd, GWL_STYLE) & 0x0F) << b.id;
            CRect expected = b.rc;
            expected.OffsetRect(-10, 0);
            EXPECT_EQ(dlgtest::Text(expected), dlgtest::Text(dlgtest::RectInParent(b.hWnd))) << wizard << " " << b.id;
        }
        // the smallest size is the size at the set-up
        EXPECT_EQ(sheet->windowAtSetUp, sheet->GetMinTrackSize());
        EXPECT_NE(0, ::GetWindowLongA(sheet->m_hWnd, GWL_STYLE) & WS_THICKFRAME);
    }
}

TEST(Sheet, CornerDistancesStayOverATableOfResizes)
{
    for (int wizard = 0; wizard < 2; wizard++) {
        std::unique_ptr<Tabbed> t;
        std::unique_ptr<Wizard> w;
        TestSheet* sheet;
        if (wizard) {
            w.reset(new Wizard);
            sheet = &w->sheet;
        } else {
            t.reset(new Tabbed);
            sheet = &t->sheet;
        }
        // what must keep which distances: buttons the right and bottom ones, the tab control
        // and the page all four, a separator the left, right and bottom ones
        struct Watched {
            HWND hWnd;
            const char* what;
            bool left, top;
            CRect d0;
        };
        std::vector<Watched> watched;
        for (const SystemChild& c : sheet->before) {
            if (!c.visible)
                continue;
            const std::string cls = c.cls;
            if (lstrcmpiA(cls.c_str(), "button") == 0)
                watched.push_back({c.hWnd, "button", false, false, {}});
            else if (lstrcmpiA(cls.c_str(), "static") == 0)
                watched.push_back({c.hWnd, "separator", true, false, {}});
            else
                watched.push_back({c.hWnd, cls == "#32770" ? "page" : "tab", true, true, {}});
        }
        ASSERT_GE(watched.size(), 4u);
        for (Watched& x : watched)
            x.d0 = Distances(sheet->m_hWnd, x.hWnd);
        const CSize w0 = WindowSize(sheet->m_hWnd);
        const CSize grows[] = {{100, 0}, {0, 80}, {231, 157}, {1, 1}, {-40, -40}, {13, 300}, {0, 0}};
        for (const CSize& g : grows) {
            sheet->SetWindowPos(NULL, 0, 0, w0.cx + g.cx, w0.cy + g.cy, SWP_NOMOVE | SWP_NOZORDER);
            for (const Watched& x : watched) {
                const CRect d = Distances(sheet->m_hWnd, x.hWnd);
                const std::string at = std::string(wizard ? "wizard " : "tabbed ") + x.what + " at " +
                                       std::to_string(g.cx) + "x" + std::to_string(g.cy);
                EXPECT_EQ(x.d0.right, d.right) << at;
                EXPECT_EQ(x.d0.bottom, d.bottom) << at;
                if (x.left) {
                    EXPECT_EQ(x.d0.left, d.left) << at;
                }
                if (x.top) {
                    EXPECT_EQ(x.d0.top, d.top) << at;
                }
            }
        }
    }
}

TEST(Sheet, SizeStaysBetweenTheSizeAtSetUpAndTheWorkArea)
{
    Tabbed t;
    const CSize minimum = t.sheet.windowAtSetUp;
    const CRect work = WorkArea(t.sheet.m_hWnd);
    ASSERT_EQ(minimum, WindowSize(t.sheet.m_hWnd));
    const struct {
        CSize asked;
        CSize got;
    } cases[] = {
        {{minimum.cx - 100, minimum.cy - 50}, minimum},
        {{minimum.cx + 50, minimum.cy - 1}, {minimum.cx + 50, minimum.cy}},
        {{work.Width() + 300, work.Height() + 200}, work.Size()},
        {{minimum.cx + 7, work.Height() + 1}, {minimum.cx + 7, work.Height()}},
        {{minimum.cx + 7, minimum.cy + 9}, {minimum.cx + 7, minimum.cy + 9}},
    };
    for (const auto& c : cases) {
        t.sheet.SetWindowPos(NULL, 0, 0, c.asked.cx, c.asked.cy, SWP_NOMOVE | SWP_NOZORDER);
        const CSize got = WindowSize(t.sheet.m_hWnd);
        EXPECT_EQ(c.got.cx, got.cx) << c.asked.cx << "x" << c.asked.cy;
        EXPECT_EQ(c.got.cy, got.cy) << c.asked.cx << "x" << c.asked.cy;
    }
    // maximised: the work area exactly, and the buttons still at their corner distance
    HWND hOk = ::GetDlgItem(t.sheet.m_hWnd, IDOK);
    const CRect dOk = Distances(t.sheet.m_hWnd, hOk);
    const CPoint cornerOk(dOk.right, dOk.bottom);
    t.sheet.ShowWindow(SW_MAXIMIZE);
    orvtest::pumpWaiting();
    CRect rc;
    t.sheet.GetWindowRect(&rc);
    EXPECT_EQ(dlgtest::Text(work), dlgtest::Text(rc));
    const CRect dMax = Distances(t.sheet.m_hWnd, hOk);
    EXPECT_EQ(cornerOk, CPoint(dMax.right, dMax.bottom));
    t.sheet.ShowWindow(SW_RESTORE);
}

TEST(Sheet, WizardPagesKeepTheRectangleAfterNextAndBack)
{
    Wizard w;
    CSize size = WindowSize(w.sheet.m_hWnd);
    w.sheet.SetWindowPos(NULL, 0, 0, size.cx + 90, size.cy + 70, SWP_NOMOVE | SWP_NOZORDER);
    orvtest::pumpWaiting();
    const CRect r1 = dlgtest::RectInParent(w.p1.m_hWnd);
    HWND hNext = ::GetDlgItem(w.sheet.m_hWnd, ID_WIZNEXT), hBack = ::GetDlgItem(w.sheet.m_hWnd, ID_WIZBACK);

    // Next by a real click: the new page is made by the system at its own place, then takes the
    // first page's rectangle
    ASSERT_TRUE(Click(hNext));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p2; }));
    orvtest::pumpWaiting();
    EXPECT_EQ(dlgtest::Text(r1), dlgtest::Text(dlgtest::RectInParent(w.p2.m_hWnd)));
    // and follows the sheet's size from then on
    w.sheet.SetWindowPos(NULL, 0, 0, size.cx + 30, size.cy + 20, SWP_NOMOVE | SWP_NOZORDER);
    const CRect r2 = dlgtest::RectInParent(w.p2.m_hWnd);
    EXPECT_EQ(dlgtest::Text(CRect(r1.left, r1.top, r1.right - 60, r1.bottom - 50)), dlgtest::Text(r2));

    // Back: the first page, hidden while the sheet was sized, is on the same rectangle
    ASSERT_TRUE(Click(hBack));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p1; }));
    orvtest::pumpWaiting();
    EXPECT_EQ(dlgtest::Text(r2), dlgtest::Text(dlgtest::RectInParent(w.p1.m_hWnd)));

    // Next twice, to the last page
    ASSERT_TRUE(Click(hNext));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p2; }));
    ASSERT_TRUE(Click(hNext));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p3; }));
    orvtest::pumpWaiting();
    EXPECT_EQ(dlgtest::Text(r2), dlgtest::Text(dlgtest::RectInParent(w.p3.m_hWnd)));
}

TEST(Sheet, CtrlTabAndCtrlShiftTabSwitchPagesWithoutWrappingRound)
{
    Tabbed t;
    const struct {
        int start;
        unsigned modifiers;
        int expected;
    } cases[] = {
        {0, orvtest::kCtrl, 1},
        {1, orvtest::kCtrl, 2},
        {2, orvtest::kCtrl, 2},                    // the last page: consumed, nothing happens
        {2, orvtest::kCtrl | orvtest::kShift, 1},
        {1, orvtest::kCtrl | orvtest::kShift, 0},
        {0, orvtest::kCtrl | orvtest::kShift, 0},  // the first page: consumed, nothing happens
    };
    HWND hTab = t.sheet.GetTabControl()->GetSafeHwnd();
    for (const auto& c : cases) {
        t.sheet.SetActivePage(c.start);
        orvtest::pumpWaiting();
        ASSERT_EQ(c.start, t.sheet.GetActiveIndex());
        t.sheet.SetForegroundWindow();
        ::SetFocus(hTab);
        ASSERT_EQ(hTab, ::GetFocus());
        orvtest::MessageRecorder keys(hTab, {WM_KEYDOWN});
        ASSERT_TRUE(PressAndWait(VK_TAB, c.modifiers));
        orvtest::pumpWaiting();
        const std::string what = std::to_string(c.start) + (c.modifiers & orvtest::kShift ? " Ctrl+Shift+Tab" : " Ctrl+Tab");
        EXPECT_EQ(c.expected, t.sheet.GetActiveIndex()) << what;
        EXPECT_EQ(&t.sheet, CWnd::FromHandlePermanent(::GetParent(t.sheet.GetActivePage()->m_hWnd))) << what;
        // the Tab never reached the control
        for (const orvtest::Message& m : keys.received())
            EXPECT_NE((WPARAM)VK_TAB, m.wParam) << what;
        // the shown page sits where the first did
        EXPECT_EQ(dlgtest::Text(dlgtest::RectInParent(t.p1.m_hWnd)),
                  dlgtest::Text(dlgtest::RectInParent(t.sheet.GetActivePage()->m_hWnd)))
            << what;
    }
}

TEST(Sheet, CtrlTabOnAWizardTakesOnlyTheStepsItsButtonsOffer)
{
    Wizard w;
    HWND hNext = ::GetDlgItem(w.sheet.m_hWnd, ID_WIZNEXT);
    const CRect r0 = dlgtest::RectInParent(w.p1.m_hWnd);
    ::SetFocus(::GetDlgItem(w.p1.m_hWnd, IDC_SHEET_EDIT));
    ASSERT_TRUE(PressAndWait(VK_TAB, orvtest::kCtrl));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p2; }));
    orvtest::pumpWaiting();
    EXPECT_EQ(dlgtest::Text(r0), dlgtest::Text(dlgtest::RectInParent(w.p2.m_hWnd)));
    // the page disables Next until its input is complete: Ctrl+Tab does not get past it
    w.sheet.SetWizardButtons(PSWIZB_BACK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowEnabled(hNext); }));
    ::SetFocus(::GetDlgItem(w.p2.m_hWnd, IDC_SHEET_LIST));
    ASSERT_TRUE(PressAndWait(VK_TAB, orvtest::kCtrl));
    orvtest::pumpWaiting();
    EXPECT_EQ(&w.p2, w.sheet.GetActivePage());
    // Back is offered
    ASSERT_TRUE(PressAndWait(VK_TAB, orvtest::kCtrl | orvtest::kShift));
    ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActivePage() == &w.p1; }));
}

TEST(Sheet, AModalSheetSetsItselfUpAndEndsByItsKeys)
{
    CWinApp& app = dlgtest::App();
    const struct {
        WORD vk;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        Tabbed t(false);
        t.sheet.EnableSaveRestore("Sheets", "Modal");
        app.WriteProfileString("Sheets", "Modal", NULL);
        bool reskinned = false;
        orvtest::Script script({{"set up and shown",
                                 [&] {
                                     if (!t.sheet.IsLayoutSetUp() || !::IsWindowVisible(t.sheet.m_hWnd))
                                         return false;
                                     reskinned = dynamic_cast<CExtButton*>(CWnd::FromHandlePermanent(
                                                     ::GetDlgItem(t.sheet.m_hWnd, IDOK))) != nullptr;
                                     t.sheet.SetForegroundWindow();
                                     ::SetFocus(::GetDlgItem(t.p1.m_hWnd, IDC_SHEET_EDIT));
                                     return true;
                                 }},
                                {"key", [&] {
                                     orvtest::pressKey(c.vk);
                                     return true;
                                 }}},
                               kWaitMs);
        EXPECT_EQ(c.result, t.sheet.DoModal()) << c.vk;
        EXPECT_TRUE(script.failure.empty()) << script.failure;
        EXPECT_TRUE(reskinned);
        EXPECT_FALSE(app.GetProfileString("Sheets", "Modal").IsEmpty()) << c.vk;   // saved on the way out
    }
}

TEST(Sheet, ThePlacementIsSavedOnClose)
{
    CWinApp& app = dlgtest::App();
    enum How { Escape, CancelClick, SysClose, Close };
    const struct {
        How how;
        const char* entry;
    } cases[] = {{Escape, "ByEscape"}, {CancelClick, "ByCancel"}, {SysClose, "BySysClose"}, {Close, "ByClose"}};
    for (const auto& c : cases) {
        std::string expected;
        {
            Tabbed t(false);
            t.sheet.EnableSaveRestore("Sheets", c.entry);
            t.Create();
            const CSize size = WindowSize(t.sheet.m_hWnd);
            t.sheet.SetWindowPos(NULL, 70 + c.how, 80, size.cx + 40 + c.how, size.cy + 30, SWP_NOZORDER);
            orvtest::pumpWaiting();
            CRect rc;
            t.sheet.GetWindowRect(&rc);
            expected = dlgtest::Text(rc) + ",1,0";
            switch (c.how) {
            case Escape:
                ::SetFocus(t.sheet.GetTabControl()->GetSafeHwnd());
                ASSERT_TRUE(PressAndWait(VK_ESCAPE, 0));
                break;
            case CancelClick:
                ASSERT_TRUE(Click(::GetDlgItem(t.sheet.m_hWnd, IDCANCEL)));
                break;
            case SysClose:
                t.sheet.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case Close:
                t.sheet.SendMessage(WM_CLOSE, 0, 0);
                break;
            }
            ASSERT_TRUE(WaitFor([&] { return !app.GetProfileString("Sheets", c.entry).IsEmpty(); }))
                << c.entry;
        }
        EXPECT_EQ(expected, std::string(app.GetProfileString("Sheets", c.entry))) << c.entry;
        // the next sheet with that entry comes up there
        Tabbed again(false);
        again.sheet.EnableSaveRestore("Sheets", c.entry);
        ASSERT_TRUE(again.sheet.Create());
        ASSERT_TRUE(WaitFor([&] { return again.sheet.IsLayoutSetUp(); }));
        CRect rc;
        again.sheet.GetWindowRect(&rc);
        EXPECT_EQ(expected, dlgtest::Text(rc) + ",1,0") << c.entry;
    }
}

TEST(Sheet, TheDefaultLookFollowsTheDialogManager)
{
    // wizard: the last page makes Finish the default
    {
        Wizard w;
        HWND hNext = ::GetDlgItem(w.sheet.m_hWnd, ID_WIZNEXT), hFinish = ::GetDlgItem(w.sheet.m_hWnd, ID_WIZFINISH);
        auto button = [](HWND h) { return static_cast<CExtButton*>(CWnd::FromHandlePermanent(h)); };
        ASSERT_TRUE(button(hNext)->IsDefaultButton());
        orvtest::MessageRecorder styles(hFinish, {BM_SETSTYLE});
        for (int i = 1; i <= 2; i++) {
            ASSERT_TRUE(Click(hNext));
            ASSERT_TRUE(WaitFor([&] { return w.sheet.GetActiveIndex() == i; }));
        }
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(hFinish) != FALSE; }));
        orvtest::pumpWaiting();
        EXPECT_EQ(MAKELONG(ID_WIZFINISH, DC_HASDEFID), w.sheet.SendMessage(DM_GETDEFID));
        EXPECT_TRUE(button(hFinish)->IsDefaultButton());
        EXPECT_FALSE(button(hNext)->IsDefaultButton());
        bool toDefault = false;
        for (const orvtest::Message& m : styles.received())
            toDefault = toDefault || (m.wParam & 0x0F) == BS_DEFPUSHBUTTON;
        EXPECT_TRUE(toDefault);
    }
    // tabbed: Tab from OK to Cancel moves the default with the focus, and Enter presses Cancel
    {
        Tabbed t;
        HWND hOk = ::GetDlgItem(t.sheet.m_hWnd, IDOK), hCancel = ::GetDlgItem(t.sheet.m_hWnd, IDCANCEL);
        t.sheet.SendMessage(WM_NEXTDLGCTL, (WPARAM)hOk, TRUE);
        ASSERT_EQ(hOk, ::GetFocus());
        orvtest::pressKey(VK_TAB);
        ASSERT_TRUE(WaitFor([&] { return ::GetFocus() == hCancel; }));
        EXPECT_TRUE(static_cast<CExtButton*>(CWnd::FromHandlePermanent(hCancel))->IsDefaultButton());
        EXPECT_FALSE(static_cast<CExtButton*>(CWnd::FromHandlePermanent(hOk))->IsDefaultButton());
        orvtest::MessageRecorder commands(t.sheet.m_hWnd, {WM_COMMAND});
        orvtest::pressKey(VK_RETURN);
        ASSERT_TRUE(commands.waitFor(1, kWaitMs));
        EXPECT_EQ(IDCANCEL, LOWORD(commands.received()[0].wParam));
    }
}

namespace {

class ChildSheet : public CExtResizablePropertySheet {
public:
    ChildSheet() : CExtResizablePropertySheet("Embedded") {}
    int hooks = 0;

protected:
    void OnLayoutHook() override { hooks++; }
};

}  // namespace

TEST(Sheet, AnEmbeddedSheetFillsItsWindowWithTheTabControl)
{
    dlgtest::App();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                               "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, CRect(40, 40, 700, 600), NULL, 0));
    Page p1(IDD_SHEET_TAB1, IDS_SHEET_TAB1), p2(IDD_SHEET_TAB2, IDS_SHEET_TAB2);
    ChildSheet sheet;
    sheet.AddPage(&p1);
    sheet.AddPage(&p2);
    ASSERT_TRUE(sheet.Create(&frame, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(WaitFor([&] { return sheet.IsLayoutSetUp(); }));
    EXPECT_GE(sheet.hooks, 1);
    HWND hTab = sheet.GetTabControl()->GetSafeHwnd();
    const CRect list0 = dlgtest::RectInParent(::GetDlgItem(p1.m_hWnd, IDC_SHEET_LIST));
    CRect client0;
    sheet.GetClientRect(&client0);
    const CSize sizes[] = {{520, 400}, {400, 330}, {610, 500}};
    for (const CSize& size : sizes) {
        const int hooks = sheet.hooks;
        sheet.SetWindowPos(NULL, 5, 5, size.cx, size.cy, SWP_NOZORDER);
        CRect client;
        sheet.GetClientRect(&client);
        EXPECT_EQ(dlgtest::Text(client), dlgtest::Text(dlgtest::RectInParent(hTab))) << size.cx << "x" << size.cy;
        EXPECT_GT(sheet.hooks, hooks);
        // the page's list follows the page, which follows the tab control
        const CRect list = dlgtest::RectInParent(::GetDlgItem(p1.m_hWnd, IDC_SHEET_LIST));
        EXPECT_EQ(list0.Width() + client.Width() - client0.Width(), list.Width()) << size.cx << "x" << size.cy;
    }
    orvtest::pumpWaiting();
    orvtest::screenshot("dialogs_sheet_embedded_" + std::to_string(orvtest::DisplayDepth()));
    sheet.DestroyWindow();
    frame.DestroyWindow();
}

namespace {

// The part of a picture of the screen a window covers, as BGRX words; false for a part that
// shows fewer than four colours (no window there).
bool Crop(const orvtest::Picture& shot, HWND hWnd, CRect& rc, std::vector<unsigned>& bgrx)
{
    ::GetWindowRect(hWnd, &rc);
    rc.IntersectRect(rc, CRect(0, 0, shot.width, shot.height));
    bgrx.assign((size_t)rc.Width() * rc.Height(), 0);
    std::set<unsigned> colours;
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++) {
            const unsigned clr = shot.pixel(rc.left + x, rc.top + y);
            colours.insert(clr);
            bgrx[(size_t)y * rc.Width() + x] = ((clr & 0xFF) << 16) | (clr & 0xFF00) | ((clr >> 16) & 0xFF);
        }
    return colours.size() > 3;
}

}  // namespace

TEST(SheetPictures, TabbedAndWizardSheetsInTheFourLooks)
{
    const std::string depth = std::to_string(orvtest::DisplayDepth());
    const struct {
        const char* name;
        CRuntimeClass* look;
    } looks[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)},
                 {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                 {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
                 {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)}};
    orvtest::moveTo({1270, 1010});   // no hover in the pictures
    for (const auto& l : looks) {
        orvtest::ScopedPainter painter(static_cast<CExtPaintManager*>(l.look->CreateObject()));
        // both sheets side by side, grown beyond their set-up size, in one picture of the screen
        Tabbed t;
        Wizard w;
        CSize size = WindowSize(t.sheet.m_hWnd);
        t.sheet.SetWindowPos(NULL, 20, 20, size.cx + 80, size.cy + 40, SWP_NOZORDER);
        const int right = 20 + size.cx + 80;
        size = WindowSize(w.sheet.m_hWnd);
        w.sheet.SetWindowPos(NULL, right + 20, 20, size.cx + 80, size.cy + 40, SWP_NOZORDER);
        w.sheet.SetActivePage(1);
        orvtest::pumpWaiting();
        ::SendDlgItemMessageA(t.p1.m_hWnd, IDC_SHEET_LIST, LB_ADDSTRING, 0, (LPARAM) "mail.example.test:25");
        ::SendDlgItemMessageA(t.p1.m_hWnd, IDC_SHEET_LIST, LB_ADDSTRING, 0, (LPARAM) "www.example.test:80");
        ::SendDlgItemMessageA(w.p2.m_hWnd, IDC_SHEET_LIST, LB_ADDSTRING, 0, (LPARAM) "pop3.example.test:110");
        for (HWND h : {t.sheet.m_hWnd, w.sheet.m_hWnd})
            ::RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        orvtest::pumpWaiting();
        orvtest::Picture shot;
        ASSERT_TRUE(orvtest::screenshot("dialogs_sheet_screen_" + depth, &shot));
        const struct {
            HWND hWnd;
            const char* kind;
        } sheets[] = {{t.sheet.m_hWnd, "tabbed"}, {w.sheet.m_hWnd, "wizard"}};
        for (const auto& s : sheets) {
            CRect rc;
            std::vector<unsigned> bgrx;
            const std::string name = std::string("dialogs_sheet_") + s.kind + "_" + l.name + "_" + depth;
            EXPECT_TRUE(Crop(shot, s.hWnd, rc, bgrx)) << name;
            EXPECT_TRUE(orvtest::savePicture(name, rc.Width(), rc.Height(), bgrx.data())) << name;
            // the sheet reads at either depth: a light face, tabs and page with dark text on it
            EXPECT_EQ("", shot.lightAreaProblem(rc.left, rc.top, rc.right, rc.bottom)) << name;
        }
        // every tab, the chosen one and the others, shows its name dark on light
        HWND hTab = t.sheet.GetTabControl()->GetSafeHwnd();
        const int nTabs = (int)::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0);
        EXPECT_EQ(3, nTabs);
        for (int i = 0; i < nTabs; i++) {
            CRect rcItem;
            ASSERT_TRUE(::SendMessageA(hTab, TCM_GETITEMRECT, i, (LPARAM)&rcItem));
            ::MapWindowPoints(hTab, NULL, (POINT*)&rcItem, 2);
            EXPECT_EQ("", shot.lightAreaProblem(rcItem.left, rcItem.top, rcItem.right, rcItem.bottom, 10))
                << l.name << ", tab " << i;
        }
    }
}
