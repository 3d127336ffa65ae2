// Modal and modeless dialogs: the framework's modal loop with keyboard navigation, ending during
// initialisation, refused input keeping the dialog open, failures inside the dialog procedure.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include <orv/UiTest.h>
#include "dialogs_test_resources.h"
#include <afxdlgs.h>

namespace {

using orvtest::Script;

HWND Focus()
{
    return ::GetFocus();
}

class CTabDlg : public CDialog {
public:
    CTabDlg() : CDialog(IDD_TAB) {}
    int value = 20001;
    int kicks = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_EDIT1, value);
        DDV_MinMaxInt(pDX, value, 0, 20000);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kicks;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTabDlg, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

TEST(ModalDialog, TabAndShiftTabMoveTheFocusThroughOurModalLoop)
{
    orvtest::uiApp("Orvane dialog tests");
    CTabDlg dlg;
    dlg.value = 5;
    auto item = [&](int nID) { return ::GetDlgItem(dlg.m_hWnd, nID); };
    Script script({
        {"shown with the first edit focused",
         [&] {
             if (dlg.m_hWnd == NULL || !dlg.IsWindowVisible() || Focus() != item(IDC_EDIT1))
                 return false;
             dlg.SetForegroundWindow();
             orvtest::pressKey(VK_TAB);
             return true;
         }},
        {"Tab to the second",
         [&] {
             if (Focus() != item(IDC_EDIT2))
                 return false;
             orvtest::pressKey(VK_TAB);
             return true;
         }},
        {"Tab to the third",
         [&] {
             if (Focus() != item(IDC_EDIT3))
                 return false;
             orvtest::pressKey(VK_TAB, orvtest::kShift);
             return true;
         }},
        {"Shift+Tab back to the second",
         [&] {
             if (Focus() != item(IDC_EDIT2))
                 return false;
             dlg.NextDlgCtrl();
             return true;
         }},
        {"NextDlgCtrl to the third",
         [&] {
             if (Focus() != item(IDC_EDIT3))
                 return false;
             dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_EDIT1));
             return true;
         }},
        {"GotoDlgCtrl to the first, Escape cancels",
         [&] {
             if (Focus() != item(IDC_EDIT1))
                 return false;
             orvtest::pressKey(VK_ESCAPE);
             return true;
         }},
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("", script.failure);
    EXPECT_TRUE(script.finished());
    EXPECT_GT(dlg.kicks, 0);  // the framework's loop ran (WM_KICKIDLE), not the system's
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

TEST(ModalDialog, AnOutOfRangeNumberIsRefusedWithTheStandardMessageAndTheDialogStays)
{
    orvtest::uiApp("Orvane dialog tests");
    CTabDlg dlg;
    dlg.value = 7;
    HWND hWndEdit = NULL;
    Script script({
        {"type 20001 and press Enter",
         [&] {
             if (dlg.m_hWnd == NULL || !dlg.IsWindowVisible())
                 return false;
             hWndEdit = ::GetDlgItem(dlg, IDC_EDIT1);
             dlg.SetForegroundWindow();
             ::SendMessageA(hWndEdit, EM_SETSEL, 0, -1);
             orvtest::typeText("20001");
             orvtest::pressKey(VK_RETURN);
             return true;
         }},
        {"refused: message shown, dialog open, edit focused",
         [&] {
             if (script.boxes.texts.empty() || Focus() != hWndEdit)
                 return false;
             orvtest::screenshot("framework_dialogs_refused");
             orvtest::typeText("20000");  // the refused text is selected: typing replaces it
             orvtest::pressKey(VK_RETURN);
             return true;
         }},
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("", script.failure);
    EXPECT_EQ(std::vector<std::string>{"Please enter an integer between 0 and 20000."}, script.boxes.texts);
    EXPECT_EQ(20000, dlg.value);
}

class CEndAtInitDlg : public CDialog {
public:
    CEndAtInitDlg() : CDialog(IDD_TAB) {}
    bool bThrow = false;
    bool bShown = false;
    HWND hWndMade = NULL;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        hWndMade = m_hWnd;
        if (bThrow)
            throw new CNotSupportedException;
        EndDialog(42);
        return TRUE;
    }

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus)
    {
        bShown = bShown || bShow;
        CDialog::OnShowWindow(bShow, nStatus);
    }
    afx_msg void OnWindowPosChanged(WINDOWPOS* pPos)
    {
        bShown = bShown || (pPos->flags & SWP_SHOWWINDOW) != 0;
        CDialog::OnWindowPosChanged(pPos);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEndAtInitDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

TEST(ModalDialog, EndDialogDuringInitialisationGivesItsResultAndNoWindow)
{
    orvtest::uiApp("Orvane dialog tests");
    CEndAtInitDlg dlg;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_NE((HWND)NULL, dlg.hWndMade);
    EXPECT_FALSE(dlg.bShown);
    EXPECT_FALSE(::IsWindow(dlg.hWndMade));
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

TEST(ModalDialog, AFailureInOnInitDialogEndsTheDialogWithMinusOne)
{
    orvtest::uiApp("Orvane dialog tests");
    CEndAtInitDlg dlg;
    dlg.bThrow = true;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.bShown);
    EXPECT_FALSE(::IsWindow(dlg.hWndMade));
}

TEST(ModalDialog, TemplatesByNameRunModalAndModeless)
{
    orvtest::uiApp("Orvane dialog tests");
    CDialog modeless;
    ASSERT_TRUE(modeless.Create("NAMED_DIALOG"));
    CString caption;
    modeless.GetWindowText(caption);
    EXPECT_EQ(CString("Named"), caption);
    EXPECT_NE((HWND)NULL, ::GetDlgItem(modeless, IDC_EDIT1));
    modeless.DestroyWindow();

    CDialog modal("NAMED_DIALOG");
    Script script({{"shown, Enter", [&] {
                        if (modal.m_hWnd == NULL || !modal.IsWindowVisible())
                            return false;
                        modal.SetForegroundWindow();
                        orvtest::pressKey(VK_RETURN);  // the default button
                        return true;
                    }}});
    EXPECT_EQ(IDOK, modal.DoModal());
    EXPECT_EQ("", script.failure);
}

TEST(ModalDialog, AMissingTemplateAnswersMinusOne)
{
    orvtest::uiApp("Orvane dialog tests");
    CDialog dlg(4711);
    EXPECT_EQ(-1, dlg.DoModal());
    CDialog modeless;
    EXPECT_FALSE(modeless.Create(4711));
}

class CCreateSeenDlg : public CDialog {
public:
    CCreateSeenDlg() : CDialog(IDD_TAB) {}
    std::vector<UINT> firstMessages;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (firstMessages.size() < 64)
            firstMessages.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(ModelessDialog, TheObjectSeesTheWindowFromItsCreationAndOkHidesIt)
{
    orvtest::uiApp("Orvane dialog tests");
    CCreateSeenDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TAB));
    auto has = [&](UINT m) {
        return std::find(dlg.firstMessages.begin(), dlg.firstMessages.end(), m) != dlg.firstMessages.end();
    };
    EXPECT_TRUE(has(WM_NCCREATE));
    EXPECT_TRUE(has(WM_CREATE));
    EXPECT_TRUE(has(WM_INITDIALOG));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CDialog)));
    dlg.DestroyWindow();
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

}  // namespace
