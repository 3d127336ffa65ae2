// Data exchange both ways, one table of good and bad inputs per routine, on a modeless dialog.
// A refused input must show the framework's standard message, put the focus on the control,
// stop the exchange (later members keep their values) and make UpdateData answer FALSE.
#include "orv/gtest.h"
#include <orv/UiTest.h>
#include "dialogs_test_resources.h"
#include <afxdlgs.h>
#include <afxcontrols.h>

namespace {

// A dialog whose exchange is whatever the test gives it; the member after the exchanged one
// (IDC_AFTER) shows whether the exchange stopped.
class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_DATA) {}
    std::function<void(CDataExchange*)> exchange;
    CString after = "untouched";
    int textChanges = 0;  // EN_CHANGE of IDC_TEXT that reached the dialog

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
        DDX_Text(pDX, IDC_AFTER, after);
    }
    afx_msg void OnTextChange() { ++textChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
    ON_EN_CHANGE(IDC_TEXT, OnTextChange)
END_MESSAGE_MAP()

class DataExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        orvtest::uiApp("Orvane dialog tests");
        ASSERT_TRUE(dlg.Create(IDD_DATA, NULL));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        ::SetDlgItemTextA(dlg, IDC_AFTER, "from the control");
    }
    void TearDown() override { dlg.DestroyWindow(); }

    // Saves with the control holding text; answers UpdateData's result and the message boxes seen.
    BOOL Save(int nIDC, const char* text, std::vector<std::string>& messages)
    {
        ::SetDlgItemTextA(dlg, nIDC, text);
        dlg.after = "untouched";
        orvtest::Script script({});  // closes message boxes while UpdateData shows them
        BOOL bResult = dlg.UpdateData(TRUE);
        messages = script.boxes.texts;
        return bResult;
    }

    CExchangeDlg dlg;
};

TEST_F(DataExchange, TextOfEditsBothWays)
{
    for (const char* text : {"", "hello world", "  blanks kept  ", "x"}) {
        CString value = text;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_TEXT, value); };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        CString shown;
        dlg.GetDlgItemText(IDC_TEXT, shown);
        EXPECT_EQ(CString(text), shown);
        value = "changed";
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(CString(text), value);
    }
}

TEST_F(DataExchange, IntegersTakeDecimalTextAndRefuseTheRest)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"42", true, 42},           {" -7 ", true, -7},           {"+3", true, 3},
        {"2147483647", true, 2147483647}, {"-2147483648", true, (-2147483647 - 1)}, {"0", true, 0},
        {"", false, 0},             {"abc", false, 0},            {"12abc", false, 0},
        {"1 2", false, 0},          {"2147483648", false, 0},     {"-", false, 0},
        {"0x10", false, 0},         {"1.5", false, 0},            {"+-1", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 12345;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_INT, value); };
        std::vector<std::string> messages;
        BOOL bResult = Save(IDC_INT, c.text, messages);
        EXPECT_EQ(c.ok, bResult != FALSE);
        if (c.ok) {
            EXPECT_EQ(c.value, value);
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(CString("from the control"), dlg.after);
        } else {
            EXPECT_EQ(12345, value);
            EXPECT_EQ(std::vector<std::string>{"Please enter an integer."}, messages);
            EXPECT_EQ(::GetDlgItem(dlg, IDC_INT), ::GetFocus());
            EXPECT_EQ(CString("untouched"), dlg.after);  // the exchange stopped there
        }
    }
    // and the other way
    int value = -99;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_INT, value); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    CString shown;
    dlg.GetDlgItemText(IDC_INT, shown);
    EXPECT_EQ(CString("-99"), shown);
}

TEST_F(DataExchange, UnsignedNumbersRefuseSigns)
{
    struct Case {
        const char* text;
        bool ok;
        UINT value;
    } cases[] = {
        {"0", true, 0u},       {"4294967295", true, 4294967295u}, {" 17 ", true, 17u}, {"+8", true, 8u},
        {"-1", false, 0u},     {"4294967296", false, 0u},         {"1.5", false, 0u},  {"", false, 0u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        UINT value = 777;
        DWORD dwValue = 777;  // UINT and DWORD are one type here: the same routine serves both
        dlg.exchange = [&](CDataExchange* pDX) {
            DDX_Text(pDX, IDC_UINT, value);
            DDX_Text(pDX, IDC_UINT, dwValue);
        };
        std::vector<std::string> messages;
        BOOL bResult = Save(IDC_UINT, c.text, messages);
        EXPECT_EQ(c.ok, bResult != FALSE);
        EXPECT_EQ(c.ok ? c.value : 777u, value);
        EXPECT_EQ(c.ok ? c.value : 777u, dwValue);
        EXPECT_EQ(c.ok ? std::vector<std::string>{} : std::vector<std::string>{"Please enter a positive integer."},
                  messages);
    }
}

TEST_F(DataExchange, RangeChecksNameTheRangeAndFocusTheEdit)
{
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {{"0", true}, {"20000", true}, {"20001", false}, {"-1", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 5;
        dlg.exchange = [&](CDataExchange* pDX) {
            DDX_Text(pDX, IDC_INT, value);
            DDV_MinMaxInt(pDX, value, 0, 20000);
        };
        std::vector<std::string> messages;
        ::SetFocus(::GetDlgItem(dlg, IDC_TEXT));
        EXPECT_EQ(c.ok, Save(IDC_INT, c.text, messages) != FALSE);
        if (!c.ok) {
            EXPECT_EQ(std::vector<std::string>{"Please enter an integer between 0 and 20000."}, messages);
            EXPECT_EQ(::GetDlgItem(dlg, IDC_INT), ::GetFocus());
            DWORD dwStart = 0, dwEnd = 0;
            ::SendDlgItemMessageA(dlg, IDC_INT, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
            EXPECT_EQ(0u, dwStart);  // the whole text selected, ready to be typed over
            EXPECT_EQ((DWORD)strlen(c.text), dwEnd);
        }
    }
    // unsigned ranges and text lengths
    UINT uValue = 0;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_UINT, uValue);
        DDV_MinMaxUInt(pDX, uValue, 10, 4000000000u);
    };
    std::vector<std::string> messages;
    EXPECT_TRUE(Save(IDC_UINT, "4000000000", messages));
    EXPECT_FALSE(Save(IDC_UINT, "4000000001", messages));
    EXPECT_EQ(std::vector<std::string>{"Please enter an integer between 10 and 4000000000."}, messages);
    CString text;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_TEXT, text);
        DDV_MaxChars(pDX, text, 5);
    };
    EXPECT_TRUE(Save(IDC_TEXT, "abcde", messages));
    EXPECT_FALSE(Save(IDC_TEXT, "abcdef", messages));
    EXPECT_EQ(std::vector<std::string>{"Please enter no more than 5 characters."}, messages);
    // loading limits the edit
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(5, (int)::SendDlgItemMessageA(dlg, IDC_TEXT, EM_GETLIMITTEXT, 0, 0));
}

TEST_F(DataExchange, CheckBoxesAndRadioGroups)
{
    // {loaded, read back}: an impossible check state loads as unchecked
    for (auto c : {std::pair<int, int>{0, 0}, {1, 1}, {2, 2}, {7, 0}, {-1, 0}}) {
        int value = c.first;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Check(pDX, IDC_CHECK, value); };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        value = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.second, value) << "loaded " << c.first;
    }
    for (auto c : {std::pair<int, int>{0, 0}, {1, 1}, {2, 2}, {-1, -1}, {5, -1}}) {
        int value = c.first;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Radio(pDX, IDC_RADIO1, value); };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(i == c.second ? BST_CHECKED : BST_UNCHECKED, (int)dlg.IsDlgButtonChecked(IDC_RADIO1 + i));
        value = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.second, value) << "loaded " << c.first;
    }
}

TEST_F(DataExchange, ComboAndListBoxesByIndexAndText)
{
    for (int nIDC : {IDC_CBLIST, IDC_CBEDIT}) {
        for (const char* item : {"Alpha", "Beta", "Gamma"})
            ::SendDlgItemMessageA(dlg, nIDC, CB_ADDSTRING, 0, (LPARAM)item);
    }
    for (const char* item : {"Alpha", "Beta", "Gamma"})
        ::SendDlgItemMessageA(dlg, IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);

    for (auto c : {std::pair<int, int>{1, 1}, {0, 0}, {-1, -1}, {9, -1}}) {
        int cb = c.first, lb = c.first;
        dlg.exchange = [&](CDataExchange* pDX) {
            DDX_CBIndex(pDX, IDC_CBLIST, cb);
            DDX_LBIndex(pDX, IDC_LIST, lb);
        };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        cb = lb = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.second, cb) << "index " << c.first;
        EXPECT_EQ(c.second, lb) << "index " << c.first;
    }

    // {loaded, read back from the drop-down list, from the combo with an edit, from the list}
    struct Case {
        const char* loaded;
        const char* list;
        const char* edit;
        const char* listBox;
    } cases[] = {
        {"Beta", "Beta", "Beta", "Beta"},
        {"Gam", "Gamma", "Gamma", "Gamma"},  // the first item starting with it
        {"zzz", "", "zzz", ""},              // none: the edit keeps the text, the lists select nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loaded);
        CString list = c.loaded, edit = c.loaded, listBox = c.loaded;
        dlg.exchange = [&](CDataExchange* pDX) {
            DDX_CBString(pDX, IDC_CBLIST, list);
            DDX_CBString(pDX, IDC_CBEDIT, edit);
            DDX_LBString(pDX, IDC_LIST, listBox);
        };
        ::SendDlgItemMessageA(dlg, IDC_CBLIST, CB_SETCURSEL, (WPARAM)-1, 0);
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(CString(c.list), list);
        EXPECT_EQ(CString(c.edit), edit);
        EXPECT_EQ(CString(c.listBox), listBox);
    }
    // the exact forms do not take a prefix
    CString exact = "Gam", exactList = "Gam";
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_CBStringExact(pDX, IDC_CBEDIT, exact);
        DDX_LBStringExact(pDX, IDC_LIST, exactList);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString("Gam"), exact);
    EXPECT_EQ(CString(""), exactList);
}

TEST_F(DataExchange, SlidersAndDatePickers)
{
    ::SendDlgItemMessageA(dlg, IDC_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    // {loaded, read back}: the control keeps its position within its range
    for (auto c : {std::pair<int, int>{40, 40}, {0, 0}, {100, 100}, {150, 100}, {-5, 0}}) {
        int value = c.first;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Slider(pDX, IDC_SLIDER, value); };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        value = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(c.second, value) << "loaded " << c.first;
    }
    for (CTime time : {CTime(2026, 3, 4, 5, 6, 7), CTime(1999, 12, 31, 23, 59, 59), CTime(0)}) {
        CTime value = time;
        dlg.exchange = [&](CDataExchange* pDX) { DDX_DateTimeCtrl(pDX, IDC_DATE, value); };
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        value = CTime(2000, 1, 1, 0, 0, 0);
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(time.GetTime(), value.GetTime());  // CTime(0) is the picker's "none"
    }
}

class CCountingEdit : public CEdit {
public:
    int chars = 0;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++chars;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(DataExchange, ControlsAreBoundOnceAndNotificationsOfTheExchangeAreDropped)
{
    CCountingEdit edit;
    CString text = "first";
    dlg.textChanges = 0;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_TEXT, edit);
        DDX_Text(pDX, IDC_TEXT, text);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(0, dlg.textChanges);  // the exchange's own change is not the user's
    ::SetDlgItemTextA(dlg, IDC_TEXT, "typed");
    EXPECT_EQ(1, dlg.textChanges);
    HWND hWndBound = edit.m_hWnd;
    EXPECT_EQ(::GetDlgItem(dlg, IDC_TEXT), hWndBound);
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hWndBound));
    ASSERT_TRUE(dlg.UpdateData(FALSE));  // a second exchange binds nothing again
    EXPECT_EQ(hWndBound, edit.m_hWnd);
    ::SendMessageA(hWndBound, WM_CHAR, 'x', 0);
    EXPECT_EQ(1, edit.chars);  // the object sees the control's messages
    // a missing control is a program error, reported as a failed exchange
    int missing = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, missing); };
    EXPECT_FALSE(dlg.UpdateData(FALSE));
    edit.UnsubclassWindow();
}

}  // namespace
