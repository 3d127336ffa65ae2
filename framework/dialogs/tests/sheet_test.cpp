// Property sheets and wizards over the system's sheet: every notification reaches its page's
// handler exactly once, OK/Apply/Cancel results, wizard page order and jumps by template id,
// the finish result, modeless and child sheets.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <orv/UiTest.h>
#include "dialogs_test_resources.h"
#include <afxdlgs.h>
#include <map>

namespace {

using orvtest::Script;

class CCountingPage : public CPropertyPage {
public:
    explicit CCountingPage(UINT nID) : CPropertyPage(nID) {}
    std::map<std::string, int> calls;
    CString text;
    LRESULT nextResult = 0;   // what OnWizardNext answers
    LRESULT backResult = 0;
    bool refuseKill = false;  // OnKillActive keeps the page

    BOOL OnInitDialog() override
    {
        ++calls["init"];
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        ++calls["setactive"];
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++calls["killactive"];
        return !refuseKill && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++calls["apply"];
        return CPropertyPage::OnApply();
    }
    void OnOK() override { ++calls["ok"]; }
    void OnReset() override { ++calls["reset"]; }
    BOOL OnQueryCancel() override
    {
        ++calls["querycancel"];
        return TRUE;
    }
    LRESULT OnWizardNext() override
    {
        ++calls["next"];
        return nextResult;
    }
    LRESULT OnWizardBack() override
    {
        ++calls["back"];
        return backResult;
    }
    BOOL OnWizardFinish() override
    {
        ++calls["finish"];
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, text); }
};

class CRecordingSheet : public CPropertySheet {
public:
    explicit CRecordingSheet(LPCTSTR pszCaption) : CPropertySheet(pszCaption) {}
    bool sawCreate = false;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE)
            sawCreate = true;
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
};

// The sheet shows page nPage (and the system agrees).
bool Showing(CPropertySheet& sheet, CPropertyPage& page)
{
    return sheet.m_hWnd != NULL && sheet.GetActivePage() == &page && page.m_hWnd != NULL &&
           ::IsWindowVisible(page.m_hWnd);
}

TEST(Sheet, EachNotificationReachesItsPageOnceAndApplyKeepsTheSheet)
{
    orvtest::uiApp("Orvane dialog tests");
    CCountingPage one(IDD_PAGE1), two(IDD_PAGE2), three(IDD_PAGE3);
    one.text = "first";
    CRecordingSheet sheet("Settings");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.AddPage(&three);
    EXPECT_EQ(3, sheet.GetPageCount());
    Script script({
        {"first page shown",
         [&] {
             if (!Showing(sheet, one))
                 return false;
             CString shown;
             one.GetDlgItemText(IDC_PAGE_EDIT, shown);
             EXPECT_EQ(CString("first"), shown);  // data went to the controls
             one.SetDlgItemText(IDC_PAGE_EDIT, "edited");
             one.SetModified();
             sheet.SetActivePage(1);
             return true;
         }},
        {"second page",
         [&] {
             if (!Showing(sheet, two))
                 return false;
             EXPECT_EQ(CString("edited"), one.text);  // leaving the page took its data
             sheet.SetActivePage(&three);
             return true;
         }},
        {"third page, Apply",
         [&] {
             if (!Showing(sheet, three))
                 return false;
             EXPECT_EQ(2, sheet.GetActiveIndex());
             EXPECT_NE(nullptr, sheet.GetTabControl());
             sheet.PressButton(PSBTN_APPLYNOW);
             return true;
         }},
        {"applied, OK",
         [&] {
             if (three.calls["apply"] != 1)
                 return false;
             EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));  // Apply keeps the sheet
             orvtest::screenshot("framework_dialogs_sheet");
             sheet.PressButton(PSBTN_OK);
             return true;
         }},
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ("", script.failure);
    EXPECT_TRUE(sheet.sawCreate);  // the object had the sheet's window from its creation
    // Apply: the current page is left (kill), every page applies, the current page is entered
    // again (the system's sequence); OK: kill and apply again. Each reached its handler once.
    std::map<std::string, int> oneExpected{{"init", 1}, {"setactive", 1}, {"killactive", 1}, {"apply", 2}, {"ok", 2}};
    std::map<std::string, int> threeExpected{{"init", 1}, {"setactive", 2}, {"killactive", 2}, {"apply", 2}, {"ok", 2}};
    EXPECT_EQ(oneExpected, one.calls);
    EXPECT_EQ(oneExpected, two.calls);
    EXPECT_EQ(threeExpected, three.calls);
    EXPECT_EQ(NULL, sheet.m_hWnd);
}

TEST(Sheet, CancelResetsEveryPageOnceAndAnswersCancel)
{
    orvtest::uiApp("Orvane dialog tests");
    CCountingPage one(IDD_PAGE1), two(IDD_PAGE2);
    CPropertySheet sheet("Cancelled");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    Script script({
        {"visit the second page",
         [&] {
             if (!Showing(sheet, one))
                 return false;
             sheet.SetActivePage(1);
             return true;
         }},
        {"Escape",
         [&] {
             if (!Showing(sheet, two))
                 return false;
             sheet.SetForegroundWindow();
             orvtest::pressKey(VK_ESCAPE);
             return true;
         }},
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ("", script.failure);
    EXPECT_EQ(1, one.calls["reset"]);
    EXPECT_EQ(1, two.calls["reset"]);
    EXPECT_EQ(0, one.calls["apply"]);
    EXPECT_EQ(1, two.calls["querycancel"]);  // the current page is asked
}

// One wizard run: presses buttons, each after the page it expects shows; answers the pages
// seen in order and DoModal's answer.
struct WizardStep {
    int button;      // PSBTN_...
    int pageBefore;  // the page (1-3) that must show before the press
};

struct WizardRun {
    std::vector<int> order;
    INT_PTR result = 0;
    std::string failure;
    int firstNextCalls = 0;
    int finishCalls = 0;
};

WizardRun RunWizard(LRESULT firstNext, LRESULT thirdBack, bool refuseFirstKill, const std::vector<WizardStep>& steps)
{
    CCountingPage one(IDD_PAGE1), two(IDD_PAGE2), three(IDD_PAGE3);
    one.nextResult = firstNext;
    one.refuseKill = refuseFirstKill;
    three.backResult = thirdBack;
    CPropertySheet sheet("Wizard");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.AddPage(&three);
    sheet.SetWizardMode();
    CCountingPage* pages[] = {&one, &two, &three};
    WizardRun run;
    auto current = [&]() -> int {
        for (int i = 0; i < 3; i++) {
            if (Showing(sheet, *pages[i]))
                return i + 1;
        }
        return 0;
    };
    std::vector<std::pair<std::string, Script::Step>> scriptSteps;
    int moves = 0;  // Next and Back presses so far: each reaches a page's handler
    auto handled = [&] {
        int n = 0;
        for (CCountingPage* p : pages)
            n += p->calls["next"] + p->calls["back"];
        return n;
    };
    for (const WizardStep& step : steps) {
        scriptSteps.push_back({"press on page " + std::to_string(step.pageBefore), [&, step] {
                                   // the previous press must be through before the next one
                                   if (current() != step.pageBefore || handled() < moves)
                                       return false;
                                   run.order.push_back(step.pageBefore);
                                   if (step.button == PSBTN_FINISH)
                                       orvtest::screenshot("framework_dialogs_wizard");
                                   if (step.button == PSBTN_NEXT || step.button == PSBTN_BACK)
                                       moves++;
                                   sheet.PressButton(step.button);
                                   return true;
                               }});
    }
    Script script(scriptSteps);
    run.result = sheet.DoModal();
    run.failure = script.failure;
    run.firstNextCalls = one.calls["next"];
    run.finishCalls = three.calls["finish"];
    return run;
}

TEST(Wizard, NextBackAndFinishInPageOrder)
{
    orvtest::uiApp("Orvane dialog tests");
    WizardRun run = RunWizard(0, 0, false,
                              {{PSBTN_NEXT, 1}, {PSBTN_NEXT, 2}, {PSBTN_BACK, 3}, {PSBTN_NEXT, 2}, {PSBTN_FINISH, 3}});
    EXPECT_EQ("", run.failure);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 2, 3}), run.order);
    EXPECT_EQ(ID_WIZFINISH, run.result);
    EXPECT_EQ(1, run.finishCalls);
}

TEST(Wizard, PageIdsAnsweredByTheHandlersAreHonoured)
{
    orvtest::uiApp("Orvane dialog tests");
    // Next on page one jumps to page three, Back on page three jumps to page one
    WizardRun run = RunWizard(IDD_PAGE3, IDD_PAGE1, false, {{PSBTN_NEXT, 1}, {PSBTN_BACK, 3}, {PSBTN_CANCEL, 1}});
    EXPECT_EQ("", run.failure);
    EXPECT_EQ((std::vector<int>{1, 3, 1}), run.order);
    EXPECT_EQ(IDCANCEL, run.result);
    // -1 keeps the page, and so does a page that refuses to be left (asked after Next)
    for (bool refuse : {false, true}) {
        WizardRun stay = RunWizard(refuse ? 0 : -1, 0, refuse, {{PSBTN_NEXT, 1}, {PSBTN_CANCEL, 1}});
        EXPECT_EQ("", stay.failure);
        EXPECT_EQ((std::vector<int>{1, 1}), stay.order);
        EXPECT_EQ(1, stay.firstNextCalls);
        EXPECT_EQ(IDCANCEL, stay.result);
    }
}

TEST(Sheet, ChildAndModelessSheets)
{
    orvtest::uiApp("Orvane dialog tests");
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "Sheet holder",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, NULL, NULL));
    CCountingPage one(IDD_PAGE1), two(IDD_PAGE2);
    CPropertySheet child;
    child.AddPage(&one);
    child.AddPage(&two);
    ASSERT_TRUE(child.Create(&parent, WS_CHILD | WS_VISIBLE));
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
    EXPECT_FALSE(child.GetStyle() & WS_CAPTION);
    EXPECT_EQ(parent.m_hWnd, ::GetParent(child.m_hWnd));
    EXPECT_EQ(&one, child.GetActivePage());
    EXPECT_TRUE(child.SetActivePage(1));
    EXPECT_EQ(&two, child.GetActivePage());
    EXPECT_EQ(1, one.calls["killactive"]);
    // a page added while the sheet runs is the system's too
    CCountingPage three(IDD_PAGE3);
    child.AddPage(&three);
    EXPECT_TRUE(child.SetActivePage(2));
    EXPECT_EQ(&three, child.GetActivePage());
    EXPECT_EQ(1, three.calls["init"]);
    child.DestroyWindow();
    EXPECT_EQ(NULL, child.m_hWnd);

    CCountingPage alone(IDD_PAGE1);
    CPropertySheet modeless("Modeless");
    modeless.AddPage(&alone);
    ASSERT_TRUE(modeless.Create(&parent));
    EXPECT_TRUE(modeless.GetStyle() & WS_CAPTION);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return modeless.IsWindowVisible() && Showing(modeless, alone); }));
    modeless.DestroyWindow();
    parent.DestroyWindow();
}

// A page that gives its template another font, as a library's pages do for the sheet's font.
class CFontPage : public CCountingPage {
public:
    CFontPage() : CCountingPage(IDD_PAGE2) {}
    void PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard) override
    {
        CPropertyPage::PreProcessPageTemplate(psp, bWizard);
        CDialogTemplate dlgTemplate(psp.pResource);
        dlgTemplate.SetFont("Courier New", 10);
        HGLOBAL hCopy = dlgTemplate.Detach();
        SetTemplateCopy(hCopy);  // the page keeps it while the sheet runs
        psp.pResource = static_cast<const DLGTEMPLATE*>(::GlobalLock(hCopy));
    }
};

TEST(PropertyPage, TemplatesArePreProcessedByThePage)
{
    orvtest::uiApp("Orvane dialog tests");
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "holder", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL));
    CCountingPage plain(IDD_PAGE1);
    CFontPage changed;
    CPropertySheet sheet;
    sheet.AddPage(&plain);
    sheet.AddPage(&changed);
    ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(sheet.SetActivePage(1));
    auto face = [](CWnd& page) {
        LOGFONTA lf = {};
        ::GetObjectA((HFONT)page.SendMessage(WM_GETFONT), sizeof lf, &lf);
        return std::string(lf.lfFaceName);
    };
    EXPECT_EQ("MS Shell Dlg", face(plain));
    EXPECT_EQ("Courier New", face(changed));
    EXPECT_NE((HWND)NULL, ::GetDlgItem(changed, IDC_PAGE_EDIT));  // every control still there
    // the system was given the pages' own copies, by pointer
    EXPECT_TRUE(sheet.m_psh.ppsp[0].dwFlags & PSP_DLGINDIRECT);
    EXPECT_TRUE(sheet.m_psh.ppsp[1].dwFlags & PSP_DLGINDIRECT);
    sheet.DestroyWindow();
    parent.DestroyWindow();
}

TEST(PropertyPage, RunsAloneAsAModalDialog)
{
    orvtest::uiApp("Orvane dialog tests");
    CCountingPage page(IDD_TAB);  // any dialog template
    Script script({{"shown, Escape", [&] {
                        if (page.m_hWnd == NULL || !page.IsWindowVisible())
                            return false;
                        page.SetForegroundWindow();
                        orvtest::pressKey(VK_ESCAPE);
                        return true;
                    }}});
    EXPECT_EQ(IDCANCEL, page.DoModal());
    EXPECT_EQ("", script.failure);
}

}  // namespace
