// The resizable dialog: Enter and Escape end a top-level dialog but do nothing in a dialog
// embedded as a child window (real keys); anchored children keep their corner distances over a
// table of sizes; a child control bar is offered input and command-UI updates.
#include <orv/TestEnv.h>
#include "CExtResizableDialog.h"
#include "DialogsTestApp.h"
#include "sheet_test_resources.h"

using orvtest::Script;

namespace {

class AnchoredDialog : public CExtResizableDialog {
public:
    AnchoredDialog() : CExtResizableDialog(IDD_SHEET_DIALOG) {}
    BOOL OnInitDialog() override
    {
        CExtResizableDialog::OnInitDialog();
        AddAnchor(IDC_SHEET_LABEL, __RDA_LT);
        AddAnchor(IDC_SHEET_EDIT, __RDA_LT, __RDA_RT);
        AddAnchor(IDC_SHEET_LIST, __RDA_LT, __RDA_RB);
        AddAnchor(IDC_SHEET_CORNER, __RDA_LB);
        AddAnchor(IDOK, __RDA_RB);
        AddAnchor(IDCANCEL, __RDA_RB);
        return TRUE;
    }
};

// A top-level window holding an embedded dialog, as the GUI's panes hold theirs.
struct Host {
    CWnd frame;
    CExtResizableDialog child;
    Host() : child(IDD_SHEET_CHILD)
    {
        dlgtest::App();
        EXPECT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                                   "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 300), NULL, 0));
        EXPECT_TRUE(child.Create(IDD_SHEET_CHILD, &frame));
        child.SetWindowPos(NULL, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        frame.SetForegroundWindow();
        orvtest::pumpWaiting();
    }
    ~Host()
    {
        if (::IsWindow(child.m_hWnd))
            child.DestroyWindow();
        frame.DestroyWindow();
    }
};

}  // namespace

TEST(ResizableDialog, EnterAndEscapeEndATopLevelDialog)
{
    dlgtest::App();
    const struct {
        WORD vk;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        AnchoredDialog dlg;
        Script script({{"dialog up, focus in the edit",
                        [&] {
                            if (dlg.m_hWnd == NULL || !::IsWindowVisible(dlg.m_hWnd))
                                return false;
                            dlg.SetForegroundWindow();
                            ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_SHEET_EDIT));
                            return ::GetFocus() == ::GetDlgItem(dlg.m_hWnd, IDC_SHEET_EDIT);
                        }},
                       {"key", [&] {
                            orvtest::pressKey(c.vk);
                            return true;
                        }}});
        EXPECT_EQ(c.result, dlg.DoModal()) << c.vk;
        EXPECT_TRUE(script.failure.empty()) << script.failure;
    }
}

TEST(ResizableDialog, EnterAndEscapeInAChildDialogDoNothing)
{
    Host host;
    HWND hEdit = ::GetDlgItem(host.child.m_hWnd, IDC_SHEET_EDIT);
    ::SetFocus(hEdit);
    ASSERT_EQ(hEdit, ::GetFocus());
    orvtest::MessageRecorder commands(host.child.m_hWnd, {WM_COMMAND});
    orvtest::pressKey(VK_RETURN);
    orvtest::pressKey(VK_ESCAPE);
    // the dialog manager turned both keys into their commands; the embedded dialog ignored them
    ASSERT_TRUE(commands.waitFor(2));
    EXPECT_TRUE(commands.matches({{WM_COMMAND, (WPARAM)IDOK}, {WM_COMMAND, (WPARAM)IDCANCEL}}));
    orvtest::pumpWaiting();
    EXPECT_TRUE(::IsWindow(host.child.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(host.child.m_hWnd));
    EXPECT_EQ(hEdit, ::GetFocus());
}

TEST(ResizableDialog, CornersKeepTheirDistancesThroughATableOfResizes)
{
    dlgtest::App();
    AnchoredDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SHEET_DIALOG));
    dlg.SetWindowPos(NULL, 80, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    orvtest::pumpWaiting();
    EXPECT_TRUE(dlg.IsSizeGripShown());
    CRect rcWindow0, rcClient0;
    dlg.GetWindowRect(&rcWindow0);
    dlg.GetClientRect(&rcClient0);
    // each child's distances from the client's left, top, right and bottom edges
    auto distances = [&](int id) {
        CRect rc = dlgtest::RectInParent(::GetDlgItem(dlg.m_hWnd, id));
        CRect rcClient;
        dlg.GetClientRect(&rcClient);
        return CRect(rc.left, rc.top, rcClient.right - rc.right, rcClient.bottom - rc.bottom);
    };
    const int ids[] = {IDC_SHEET_LABEL, IDC_SHEET_EDIT, IDC_SHEET_LIST, IDC_SHEET_CORNER, IDOK, IDCANCEL};
    std::vector<CRect> before;
    for (int id : ids)
        before.push_back(distances(id));
    const CSize grows[] = {{120, 0}, {0, 90}, {250, 170}, {1, 1}, {37, 211}, {0, 0}};
    for (const CSize& grow : grows) {
        dlg.SetWindowPos(NULL, 0, 0, rcWindow0.Width() + grow.cx, rcWindow0.Height() + grow.cy, SWP_NOMOVE | SWP_NOZORDER);
        for (size_t i = 0; i < before.size(); i++) {
            const CRect now = distances(ids[i]);
            const CRect was = before[i];
            // which distances stay: the anchored edges
            switch (ids[i]) {
            case IDC_SHEET_LABEL:
                EXPECT_EQ(was.TopLeft(), now.TopLeft());
                EXPECT_EQ(CPoint(was.right + grow.cx, was.bottom + grow.cy), now.BottomRight());
                break;
            case IDC_SHEET_EDIT:
                EXPECT_EQ(was.left, now.left);
                EXPECT_EQ(was.top, now.top);
                EXPECT_EQ(was.right, now.right);
                EXPECT_EQ(was.bottom + grow.cy, now.bottom);
                break;
            case IDC_SHEET_LIST:
                EXPECT_EQ(dlgtest::Text(was), dlgtest::Text(now)) << grow.cx << "x" << grow.cy;
                break;
            case IDC_SHEET_CORNER:
                EXPECT_EQ(was.left, now.left);
                EXPECT_EQ(was.bottom, now.bottom);
                break;
            default:   // OK and Cancel: bottom-right
                EXPECT_EQ(was.right, now.right) << ids[i] << " " << grow.cx << "x" << grow.cy;
                EXPECT_EQ(was.bottom, now.bottom) << ids[i];
                break;
            }
        }
    }
    dlg.DestroyWindow();
}
