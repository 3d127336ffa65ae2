// The resizable dialog: Enter and Escape end a top-level dialog but do nothing in a dialog
// embedded as a child window (real keys); anchored children keep their corner distances over a
// table of sizes; a child control bar is offered input and command-UI updates.
#include <orv/TestEnv.h>
#include "CExtControlBar.h"
#include "CExtResizableDialog.h"
#include "DialogsTestApp.h"
#include "sheet_test_resources.h"
#include <functional>
#include <algorithm>

using orvtest::Script;

namespace {

// Waits end as soon as what they wait for happened; the bound is for a machine under load.
const DWORD kWaitMs = 20000;

bool WaitFor(const std::function<bool()>& pred)
{
    return orvtest::pumpUntil(pred, kWaitMs);
}

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
    ASSERT_TRUE(commands.waitFor(2, kWaitMs));
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

namespace {

// A bar that eats F7 and counts its command-UI updates; each update sends its parent a
// message, as a bar asking its dialog for state does.
class CountingBar : public CExtControlBar {
public:
    int keys = 0;
    int updates = 0;
    int depth = 0;
    int deepest = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F7) {
            keys++;
            return TRUE;
        }
        return CExtControlBar::PreTranslateMessage(pMsg);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
        updates++;
        deepest = std::max(deepest, ++depth);
        ::SendMessageA(::GetParent(m_hWnd), WM_NULL, 0, 0);
        depth--;
    }
};

}  // namespace

TEST(ResizableDialog, BarsInsideAndAroundGetKeysFirstAndBarsInsideGetUpdates)
{
    dlgtest::App();
    // a bar inside the dialog
    {
        AnchoredDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_SHEET_DIALOG));
        CountingBar bar;
        ASSERT_TRUE(bar.Create("Inside", &dlg, 1150, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        dlg.SetWindowPos(&CWnd::wndTop, 80, 80, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        dlg.SetForegroundWindow();
        HWND hEdit = ::GetDlgItem(dlg.m_hWnd, IDC_SHEET_EDIT);
        ::SetFocus(hEdit);
        orvtest::MessageRecorder editKeys(hEdit, {WM_KEYDOWN});
        orvtest::pressKey(VK_F7);
        ASSERT_TRUE(WaitFor([&] { return bar.keys == 1; }));
        orvtest::pressKey(VK_F8);
        ASSERT_TRUE(editKeys.waitFor(1, kWaitMs));
        EXPECT_TRUE(editKeys.matches({{WM_KEYDOWN, (WPARAM)VK_F8}}));   // F7 never reached the edit
        // a key is an idle-making message: the next message the dialog handles updates the bar,
        // once, though the update itself sends the dialog a message
        bar.updates = 0;
        dlg.SendMessage(WM_NULL);
        EXPECT_EQ(1, bar.updates);
        EXPECT_EQ(1, bar.deepest);
        bar.DestroyWindow();
        dlg.DestroyWindow();
    }
    // a dialog embedded in a bar: the bar sees its keys first
    {
        Host host;
        CountingBar bar;
        ASSERT_TRUE(bar.Create("Around", &host.frame, 1151, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        bar.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOZORDER);
        CExtResizableDialog inBar(IDD_SHEET_CHILD);
        ASSERT_TRUE(inBar.Create(IDD_SHEET_CHILD, &bar));
        inBar.ShowWindow(SW_SHOW);
        HWND hEdit = ::GetDlgItem(inBar.m_hWnd, IDC_SHEET_EDIT);
        ::SetFocus(hEdit);
        ASSERT_EQ(hEdit, ::GetFocus());
        orvtest::MessageRecorder editKeys(hEdit, {WM_KEYDOWN});
        orvtest::pressKey(VK_F7);
        ASSERT_TRUE(WaitFor([&] { return bar.keys == 1; }));
        orvtest::pressKey(VK_F8);
        ASSERT_TRUE(editKeys.waitFor(1, kWaitMs));
        EXPECT_TRUE(editKeys.matches({{WM_KEYDOWN, (WPARAM)VK_F8}}));
        inBar.DestroyWindow();
        bar.DestroyWindow();
    }
}
