// Control wrappers: the list control's columns, items, pointer-sized item data and sorting
// (also with a comparison that throws), reflection into CButton, and the file dialog's filter.
#include "orv/gtest.h"
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>
#include <afxcontrols.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A literal with its NULs
template <size_t N>
std::string nuls(const char (&s)[N])
{
    return std::string(s, N - 1);
}

class ListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "list parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                    NULL, NULL));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &parent, 1));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Address", LVCFMT_LEFT, 160);
        list.InsertColumn(2, "State", LVCFMT_RIGHT, 80);
    }
    void TearDown() override { parent.DestroyWindow(); }

    // the Name column from top to bottom
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (int i = 0; i < list.GetItemCount(); i++)
            result.push_back((LPCTSTR)list.GetItemText(i, 0));
        return result;
    }

    CWnd parent;
    CListCtrl list;
};

}  // namespace

TEST_F(ListFixture, ColumnsItemsAndPointerSizedItemData)
{
    EXPECT_EQ(3, list.GetHeaderCtrl()->GetItemCount());
    LVCOLUMNA column = {};
    char text[32];
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(list.GetColumn(2, &column));
    EXPECT_STREQ("State", text);
    EXPECT_EQ(80, column.cx);
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);

    const DWORD_PTR data[] = {0x123456789Aull, 0xFFFFFFFF00000001ull, 0};
    const char* rows[] = {"web", "mail", "ftp"};
    for (int i = 0; i < 3; i++) {
        ASSERT_EQ(i, list.InsertItem(i, rows[i]));
        EXPECT_TRUE(list.SetItemText(i, 1, "10.0.0.1"));
        EXPECT_TRUE(list.SetItemData(i, data[i]));
    }
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(data[i], list.GetItemData(i)) << i;
    EXPECT_STREQ("10.0.0.1", list.GetItemText(1, 1));
    // text longer than the first buffer comes back whole
    std::string longText(700, 'x');
    list.SetItemText(2, 1, longText.c_str());
    EXPECT_EQ(longText, (LPCTSTR)list.GetItemText(2, 1));

    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    CRect rc;
    EXPECT_TRUE(list.GetItemRect(1, &rc, LVIR_BOUNDS));
    EXPECT_GT(rc.Height(), 0);
}

namespace {

void pumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

// One mouse event at absolute screen coordinates, with the queue pumped after it.
void mouseAt(POINT pt, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    pumpFor(40);
}

}  // namespace

TEST_F(ListFixture, ColumnOrderAfterTheUserDragsAHeader)
{
    list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP);
    parent.SetForegroundWindow();
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    CRect first, last;
    pHeader->GetItemRect(0, &first);
    pHeader->GetItemRect(2, &last);
    pHeader->ClientToScreen(&first);
    pHeader->ClientToScreen(&last);
    // drag "Name" by its middle to the right end of "State"
    POINT from = first.CenterPoint(), to = {last.right - 5, last.CenterPoint().y};
    mouseAt(from, 0);
    mouseAt(from, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 10; i++)
        mouseAt({from.x + (to.x - from.x) * i / 10, from.y}, 0);
    mouseAt(to, MOUSEEVENTF_LEFTUP);
    int order[3] = {};
    const DWORD start = ::GetTickCount();
    while (list.GetColumnOrderArray(order) && order[0] == 0 && ::GetTickCount() - start < 5000)
        pumpFor(20);
    EXPECT_EQ((std::vector<int>{1, 2, 0}), std::vector<int>(order, order + 3));
}

TEST_F(ListFixture, ColumnOrderFollowsTheHeader)
{
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(list.SetColumnOrderArray(3, order));
    int got[3] = {};
    ASSERT_TRUE(list.GetColumnOrderArray(got));
    EXPECT_EQ(std::vector<int>(order, order + 3), std::vector<int>(got, got + 3));
}

namespace {

int g_compares = 0;
int g_throwAt = 0;

int CALLBACK compareByData(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    if (++g_compares == g_throwAt)
        throw std::runtime_error("comparison failed on purpose");
    // descending when lParamSort says so; the data are 64-bit
    int nResult = (DWORD_PTR)lParam1 < (DWORD_PTR)lParam2 ? -1 : (DWORD_PTR)lParam1 > (DWORD_PTR)lParam2 ? 1 : 0;
    return lParamSort == (LPARAM)0x100000000ll ? -nResult : nResult;
}

}  // namespace

TEST_F(ListFixture, SortItemsByDataAndSurvivesAComparisonThatThrows)
{
    const DWORD_PTR data[] = {0x300000000ull, 0x100000000ull, 0x200000000ull, 0x400000000ull};
    const char* rows[] = {"c", "a", "b", "d"};
    for (int i = 0; i < 4; i++) {
        list.InsertItem(i, rows[i]);
        list.SetItemData(i, data[i]);
    }
    g_compares = 0;
    g_throwAt = 0;
    EXPECT_TRUE(list.SortItems(compareByData, 0));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), names());
    EXPECT_TRUE(list.SortItems(compareByData, 0x100000000ull));  // the sort's own data arrives whole
    EXPECT_EQ((std::vector<std::string>{"d", "c", "b", "a"}), names());

    g_compares = 0;
    g_throwAt = 3;
    EXPECT_FALSE(list.SortItems(compareByData, 0));
    EXPECT_EQ(3, g_compares);  // no comparison after the failure
    EXPECT_EQ(4, list.GetItemCount());
    // and the control and program go on
    g_throwAt = 0;
    EXPECT_TRUE(list.SortItems(compareByData, 0));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), names());
}

namespace {

class COwnerDrawnButton : public CButton {
public:
    int draws = 0;
    UINT lastAction = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++draws;
        lastAction = lpDrawItemStruct->itemAction;
    }
};

}  // namespace

TEST(Controls, AnOwnerDrawnButtonDrawsItselfThroughTheParentsDrawItem)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "buttons", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL));
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create("draw me", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 100, 40), &parent, 5));
    button.UpdateWindow();
    EXPECT_GE(button.draws, 1);
    EXPECT_EQ((UINT)ODA_DRAWENTIRE, button.lastAction);

    CButton check;
    ASSERT_TRUE(check.Create("check", WS_CHILD | BS_AUTOCHECKBOX, CRect(10, 50, 100, 70), &parent, 6));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    EXPECT_EQ((UINT)BS_AUTOCHECKBOX, check.GetButtonStyle() & 0x0F);
    parent.DestroyWindow();
}

// The rows shown: the first one and how many fit whole below the header, as the list scrolls.
TEST_F(ListFixture, TopIndexAndRowsPerPageFollowTheScrolling)
{
    EXPECT_EQ(0, list.GetTopIndex());
    for (int i = 0; i < 50; i++)
        list.InsertItem(i, ("row " + std::to_string(i)).c_str());
    CRect client, header, row;
    list.GetClientRect(&client);
    list.GetHeaderCtrl()->GetWindowRect(&header);
    ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
    ASSERT_GT(row.Height(), 0);
    const int perPage = (client.Height() - header.Height()) / row.Height();
    EXPECT_EQ(perPage, list.GetCountPerPage());
    EXPECT_EQ(0, list.GetTopIndex());
    for (int target : {40, 49, 3}) {
        list.EnsureVisible(target, FALSE);
        int top = list.GetTopIndex();
        EXPECT_LE(top, target) << target;
        EXPECT_GT(top + list.GetCountPerPage(), target) << target;
    }
    EXPECT_TRUE(list.SetBkColor(RGB(12, 34, 56)));
    EXPECT_EQ(RGB(12, 34, 56), list.GetBkColor());
}

TEST(Controls, ComboAndListBoxesKeepTextAndData)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "boxes", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 1));
    combo.AddString("HTTP");
    combo.AddString("SMTP");
    combo.SetItemData(1, 0xABCDEF0123ull);
    EXPECT_EQ(1, combo.SelectString(-1, "SM"));
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_STREQ("SMTP", text);
    EXPECT_EQ(0xABCDEF0123ull, combo.GetItemData(1));
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD, CRect(0, 100, 100, 200), &parent, 2));
    box.AddString("one");
    box.AddString("two");
    EXPECT_EQ(1, box.FindStringExact(-1, "two"));
    EXPECT_EQ(LB_ERR, box.FindStringExact(-1, "tw"));
    box.GetText(0, text);
    EXPECT_STREQ("one", text);
    parent.DestroyWindow();
}

TEST(Controls, DateTimeControlTakesAndGivesCTime)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "date", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | DTS_SHORTDATEFORMAT | DTS_SHOWNONE, CRect(0, 0, 150, 25), &parent, 1));
    CTime when(2026, 3, 14, 15, 9, 26);
    EXPECT_TRUE(date.SetTime(when));
    CTime got;
    EXPECT_EQ((DWORD)GDT_VALID, date.GetTime(got));
    EXPECT_EQ(when.GetTime(), got.GetTime());
    EXPECT_TRUE(date.SetTime((LPSYSTEMTIME)NULL));
    EXPECT_EQ((DWORD)GDT_NONE, date.GetTime(got));
    parent.DestroyWindow();
}

TEST(FileDialog, TheFilterAlwaysReachesTheSystemAsPairsEndedByTwoNuls)
{
    struct Case {
        const char* filter;
        std::string expected;  // NULs included; "" with a null filter
    } cases[] = {
        {"Pages (*.html)|*.html|All files|*.*||", nuls("Pages (*.html)\0*.html\0All files\0*.*\0\0")},
        {"a|b||", nuls("a\0b\0\0")},
        {"a|b", nuls("a\0b\0\0")},
        {"*.html", nuls("*.html\0*.html\0\0")},
        {"a|b|c||", nuls("a\0b\0c\0c\0\0")},
        {"", nuls("\0\0")},
        {NULL, ""},
    };
    for (const Case& c : cases) {
        CFileDialog dlg(TRUE, "html", NULL, OFN_HIDEREADONLY, c.filter);
        if (c.filter == NULL) {
            EXPECT_EQ(NULL, dlg.m_ofn.lpstrFilter);
            continue;
        }
        const char* p = dlg.m_ofn.lpstrFilter;
        ASSERT_TRUE(p != NULL) << c.filter;
        size_t n = 0;
        while (!(p[n] == '\0' && p[n + 1] == '\0'))
            n++;
        EXPECT_EQ(c.expected, std::string(p, n + 2)) << c.filter;
    }
    CFileDialog save(FALSE, NULL, "C:\\data\\report.final.html");
    EXPECT_STREQ("C:\\data\\report.final.html", save.GetPathName());
    EXPECT_STREQ("report.final.html", save.GetFileName());
    EXPECT_STREQ("html", save.GetFileExt());
    EXPECT_STREQ("report.final", save.GetFileTitle());
}
