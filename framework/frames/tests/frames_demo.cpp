// A small program on the framework, run whole under Xvfb: a frame with a form view and a status
// line; a modal dialog with data exchange that refuses an out-of-range number with the
// standard message and stays open; a three-page wizard run to its finish; a property sheet
// with Apply. It is driven by real keys and by the sheets' buttons, one step per timer tick, and
// ends by closing its main frame. Screenshots are kept.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <orv/UiTest.h>
#include "StatusLine.h"
#include "frames_demo_resources.h"
#include <afxwin.h>

namespace {

using orvtest::Script;

// The values the program works on.
struct Settings {
    CString name = "www.example.org";
    int interval = 60;
    int active = BST_CHECKED;
};

class CDemoForm : public CFormView {
    DECLARE_DYNCREATE(CDemoForm)
public:
    CDemoForm() : CFormView(IDD_DEMO_FORM) {}
    Settings settings;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_DEMO_NAME, settings.name);
        DDX_Text(pDX, IDC_DEMO_INTERVAL, settings.interval);
        DDV_MinMaxInt(pDX, settings.interval, 0, 20000);
        DDX_Check(pDX, IDC_DEMO_ACTIVE, settings.active);
    }
};

IMPLEMENT_DYNCREATE(CDemoForm, CFormView)

class CSettingsDlg : public CDialog {
public:
    CSettingsDlg() : CDialog(IDD_DEMO_SETTINGS) {}
    int interval = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_DEMO_INTERVAL, interval);
        DDV_MinMaxInt(pDX, interval, 0, 20000);
    }
};

class CValuePage : public CPropertyPage {
public:
    explicit CValuePage(UINT nID) : CPropertyPage(nID) {}
    CString value;
    int applies = 0;
    BOOL OnApply() override
    {
        ++applies;
        return CPropertyPage::OnApply();
    }
    BOOL OnSetActive() override
    {
        if (CPropertySheet* pSheet = GetParentSheet(); pSheet != NULL && (pSheet->m_psh.dwFlags & PSH_WIZARD)) {
            int nIndex = pSheet->GetPageIndex(this);
            pSheet->SetWizardButtons((nIndex > 0 ? PSWIZB_BACK : 0) |
                                     (nIndex == pSheet->GetPageCount() - 1 ? PSWIZB_FINISH : PSWIZB_NEXT));
        }
        return CPropertyPage::OnSetActive();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_DEMO_VALUE, value); }
};

class CDemoFrame : public CFrameWnd {
public:
    CStatusLine status;
    INT_PTR settingsResult = 0, wizardResult = 0, sheetResult = 0;
    int sheetApplies = 0;
    CString wizardName;
    CSettingsDlg* pSettings = nullptr;   // while it runs
    CPropertySheet* pSheet = nullptr;    // while a sheet or wizard runs

    CDemoForm* Form() { return DYNAMIC_DOWNCAST(CDemoForm, GetActiveView()); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1 || !status.Create(this))
            return -1;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CDemoForm);
        CView* pView = static_cast<CView*>(CreateView(&context));
        if (pView == NULL)
            return -1;
        SetActiveView(pView);
        RecalcLayout();
        return 0;
    }
    afx_msg void OnSettings()
    {
        CSettingsDlg dlg;
        dlg.interval = Form()->settings.interval;
        pSettings = &dlg;
        settingsResult = dlg.DoModal();
        pSettings = nullptr;
        if (settingsResult == IDOK) {
            Form()->settings.interval = dlg.interval;
            Form()->UpdateData(FALSE);
        }
    }
    afx_msg void OnWizard()
    {
        CValuePage address(IDD_DEMO_PAGE1), check(IDD_DEMO_PAGE2), name(IDD_DEMO_PAGE3);
        address.value = "mail.example.org";
        check.value = "300";
        name.value = "Mail server";
        CPropertySheet sheet("New item", this);
        sheet.AddPage(&address);
        sheet.AddPage(&check);
        sheet.AddPage(&name);
        sheet.SetWizardMode();
        pSheet = &sheet;
        wizardResult = sheet.DoModal();
        pSheet = nullptr;
        wizardName = name.value;
    }
    afx_msg void OnSheet()
    {
        CValuePage address(IDD_DEMO_PAGE1), check(IDD_DEMO_PAGE2);
        address.value = Form()->settings.name;
        check.value = "60";
        CPropertySheet sheet("Properties", this);
        sheet.AddPage(&address);
        sheet.AddPage(&check);
        pSheet = &sheet;
        sheetResult = sheet.DoModal();
        pSheet = nullptr;
        sheetApplies = address.applies;
        if (sheetResult == IDOK) {
            Form()->settings.name = address.value;
            Form()->UpdateData(FALSE);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_DEMO_SETTINGS, OnSettings)
    ON_COMMAND(ID_DEMO_WIZARD, OnWizard)
    ON_COMMAND(ID_DEMO_SHEET, OnSheet)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp("Framework Demo") {}
    CDemoFrame* pFrame = nullptr;
    std::unique_ptr<Script> script;
    std::vector<std::string> screens;

    BOOL InitInstance() override
    {
        pFrame = new CDemoFrame;
        if (!pFrame->LoadFrame(IDR_DEMO, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->SetWindowPos(NULL, 30, 30, 460, 260, SWP_NOZORDER);
        pFrame->InitialUpdateFrame(NULL, TRUE);
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
        script = std::make_unique<Script>(Steps());
        return TRUE;
    }

private:
    HWND Focus() { return ::GetFocus(); }
    bool Shot(const char* name)
    {
        ::RedrawWindow(NULL, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        screens.push_back(name);
        return orvtest::screenshot(name);
    }
    bool SheetShows(int nPage)
    {
        CPropertySheet* pSheet = pFrame->pSheet;
        return pSheet != nullptr && pSheet->m_hWnd != NULL && pSheet->GetActivePage() == pSheet->GetPage(nPage) &&
               pSheet->GetPage(nPage)->IsWindowVisible();
    }

    std::vector<std::pair<std::string, Script::Step>> Steps()
    {
        return {
            {"the frame shows the form and Ready",
             [this] {
                 if (!pFrame->IsWindowVisible() || pFrame->status.Text() != "Ready")
                     return false;
                 Shot("framework_demo_frame");
                 pFrame->PostMessage(WM_COMMAND, ID_DEMO_SETTINGS);
                 return true;
             }},
            {"the settings dialog: type 20001, Enter",
             [this] {
                 CSettingsDlg* pDlg = pFrame->pSettings;
                 HWND hWndEdit = pDlg != nullptr ? ::GetDlgItem(pDlg->m_hWnd, IDC_DEMO_INTERVAL) : NULL;
                 if (hWndEdit == NULL || !pDlg->IsWindowVisible() || Focus() != hWndEdit)
                     return false;
                 pDlg->SetForegroundWindow();
                 ::SendMessageA(hWndEdit, EM_SETSEL, 0, -1);
                 orvtest::typeText("20001");
                 orvtest::pressKey(VK_RETURN);
                 return true;
             }},
            {"refused with the standard message, the dialog stays",
             [this] {
                 CSettingsDlg* pDlg = pFrame->pSettings;
                 if (script->boxes.texts.empty() || pDlg == nullptr ||
                     Focus() != ::GetDlgItem(pDlg->m_hWnd, IDC_DEMO_INTERVAL))
                     return false;
                 Shot("framework_demo_refused");
                 orvtest::typeText("1500");
                 orvtest::pressKey(VK_RETURN);
                 return true;
             }},
            {"accepted: the form shows it",
             [this] {
                 if (pFrame->pSettings != nullptr || pFrame->settingsResult != IDOK)
                     return false;
                 pFrame->PostMessage(WM_COMMAND, ID_DEMO_WIZARD);
                 return true;
             }},
            {"wizard page 1: Next",
             [this] {
                 if (!SheetShows(0))
                     return false;
                 pFrame->pSheet->PressButton(PSBTN_NEXT);
                 return true;
             }},
            {"wizard page 2: Next",
             [this] {
                 if (!SheetShows(1))
                     return false;
                 pFrame->pSheet->PressButton(PSBTN_NEXT);
                 return true;
             }},
            {"wizard page 3: Finish",
             [this] {
                 if (!SheetShows(2))
                     return false;
                 Shot("framework_demo_wizard");
                 pFrame->pSheet->PressButton(PSBTN_FINISH);
                 return true;
             }},
            {"wizard finished: the sheet",
             [this] {
                 if (pFrame->pSheet != nullptr || pFrame->wizardResult != ID_WIZFINISH)
                     return false;
                 pFrame->PostMessage(WM_COMMAND, ID_DEMO_SHEET);
                 return true;
             }},
            {"sheet: change the address, Apply",
             [this] {
                 if (!SheetShows(0))
                     return false;
                 CPropertyPage* pPage = pFrame->pSheet->GetPage(0);
                 pPage->SetDlgItemText(IDC_DEMO_VALUE, "www.example.net");
                 pPage->SetModified();
                 pFrame->pSheet->PressButton(PSBTN_APPLYNOW);
                 return true;
             }},
            {"applied: OK",
             [this] {
                 if (pFrame->pSheet == nullptr ||
                     static_cast<CValuePage*>(pFrame->pSheet->GetPage(0))->applies != 1)
                     return false;
                 Shot("framework_demo_sheet");
                 pFrame->pSheet->PressButton(PSBTN_OK);
                 return true;
             }},
            {"sheet closed: close the frame",
             [this] {
                 if (pFrame->pSheet != nullptr || pFrame->sheetResult != IDOK)
                     return false;
                 CString name;
                 pFrame->Form()->GetDlgItemText(IDC_DEMO_NAME, name);
                 CString interval;
                 pFrame->Form()->GetDlgItemText(IDC_DEMO_INTERVAL, interval);
                 if (name != "www.example.net" || interval != "1500")
                     return false;
                 Shot("framework_demo_done");
                 pFrame->PostMessage(WM_CLOSE);
                 return true;
             }},
        };
    }
};

CDemoApp theApp;

}  // namespace

TEST(FrameworkDemo, FrameDialogWizardAndSheetRunToTheEnd)
{
    int code = AfxWinMain(::GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOW);
    EXPECT_EQ(0, code);
    ASSERT_TRUE(theApp.script != nullptr);
    EXPECT_EQ("", theApp.script->failure);
    EXPECT_TRUE(theApp.script->finished());
    EXPECT_EQ(std::vector<std::string>{"Please enter an integer between 0 and 20000."}, theApp.script->boxes.texts);
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);  // the frame is gone, and with it the run loop
    theApp.script.reset();
}
