// The resizable property page on its own (on a plain framework sheet): its anchored children
// follow its size, and it shows no size grip.
#include "CExtResizablePropertyPage.h"
#include "DialogsTestApp.h"
#include "sheet_test_resources.h"

namespace {

class ListPage : public CExtResizablePropertyPage {
public:
    ListPage() : CExtResizablePropertyPage(IDD_SHEET_TAB1, IDS_SHEET_TAB1) {}
    BOOL OnInitDialog() override
    {
        CExtResizablePropertyPage::OnInitDialog();
        AddAnchor(IDC_SHEET_EDIT, __RDA_LT, __RDA_RT);
        AddAnchor(IDC_SHEET_LIST, __RDA_LT, __RDA_RB);
        return TRUE;
    }
};

}  // namespace

TEST(ResizablePage, ChildrenFollowThePageOnAPlainSheet)
{
    dlgtest::App();
    ListPage page;
    EXPECT_FALSE(page.IsSizeGripShown());
    CPropertySheet sheet("Plain");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    orvtest::pumpWaiting();
    ASSERT_TRUE(::IsWindow(page.m_hWnd));
    EXPECT_NE(0, page.GetResizableFlags() & CExtResizablePropertyPage::RESIZABLE_IDLE_UPDATES);
    HWND hList = ::GetDlgItem(page.m_hWnd, IDC_SHEET_LIST), hEdit = ::GetDlgItem(page.m_hWnd, IDC_SHEET_EDIT);
    CRect page0;
    page.GetClientRect(&page0);
    const CRect list0 = dlgtest::RectInParent(hList), edit0 = dlgtest::RectInParent(hEdit);
    const CSize grows[] = {{40, 30}, {-20, -10}, {0, 55}, {0, 0}};
    for (const CSize& grow : grows) {
        page.SetWindowPos(NULL, 0, 0, page0.Width() + grow.cx, page0.Height() + grow.cy, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(dlgtest::Text(CRect(list0.left, list0.top, list0.right + grow.cx, list0.bottom + grow.cy)),
                  dlgtest::Text(dlgtest::RectInParent(hList)))
            << grow.cx << "x" << grow.cy;
        EXPECT_EQ(dlgtest::Text(CRect(edit0.left, edit0.top, edit0.right + grow.cx, edit0.bottom)),
                  dlgtest::Text(dlgtest::RectInParent(hEdit)));
    }
    sheet.DestroyWindow();
    EXPECT_EQ(0, page.GetResizableFlags() & CExtResizablePropertyPage::RESIZABLE_IDLE_UPDATES);
}
