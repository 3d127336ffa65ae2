// The push button driven by real input: which press and release parts click, open the menu or
// do nothing; a double click, Space and Enter; no hover in an inactive window; the look-only
// style change; selector mode; a parent that destroys the button in its WM_COMMAND; and no
// capture that outlives hover or press.
#include "CExtButton.h"
#include "CExtResDlg.h"
#include "DialogsTestApp.h"
#include "dialogs_test_resources.h"

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using orvtest::Expected;

namespace {

// A dialog whose WM_COMMAND handler can destroy the button that sent it.
class ButtonsDialog : public CExtResDlg {
public:
    bool destroyOnCommand = false;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (destroyOnCommand && HIWORD(wParam) == BN_CLICKED)
            ::DestroyWindow((HWND)lParam);
        return CExtResDlg::OnCommand(wParam, lParam);
    }
};

struct Buttons {
    ButtonsDialog dlg;
    CExtButton plain, split;
    Buttons()
    {
        dlgtest::App();
        CExtPopupMenuWnd::ResetStandIn();
        EXPECT_TRUE(dlg.Create(IDD_BUTTONS));
        plain.SubclassDlgItem(IDC_BTN_PLAIN, &dlg);
        split.SubclassDlgItem(IDC_BTN_SPLIT, &dlg);
        split.m_menu.Attach(::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDM_BUTTON)));
        split.m_nStateFlags |= CExtButton::STATE_SPLIT;
        dlg.SetWindowPos(NULL, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        orvtest::pumpUntil([&] { return ::GetActiveWindow() == dlg.m_hWnd; });
        orvtest::pumpWaiting();
    }
    ~Buttons()
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
        CExtPopupMenuWnd::ResetStandIn();
    }
    POINT mainPart(CExtButton& b) { return orvtest::screenPoint(b.m_hWnd, {10, 10}); }
    POINT arrowPart(CExtButton& b)
    {
        CRect rc;
        b.GetClientRect(&rc);
        return orvtest::screenPoint(b.m_hWnd, {rc.right - 5, rc.Height() / 2});
    }
    POINT outside()
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        return orvtest::screenPoint(dlg.m_hWnd, {5, rc.bottom - 3});
    }
    // Leave the buttons alone between cases: the pointer on the dialog's empty part.
    void rest() { orvtest::moveTo(outside(), dlg.m_hWnd); }
};

}  // namespace

TEST(Button, PressAndReleasePartsDecideWhatHappens)
{
    Buttons b;
    enum Part { Main, Arrow, Outside };
    struct Case {
        Part press, release;
        int clicks;     // BN_CLICKED to the parent
        int menus;      // popups tracked
    } cases[] = {
        {Main, Main, 1, 0},
        {Arrow, Arrow, 0, 1},
        {Main, Arrow, 0, 0},
        {Arrow, Main, 0, 0},
        {Main, Outside, 0, 0},
    };
    auto at = [&](Part p) { return p == Main ? b.mainPart(b.split) : p == Arrow ? b.arrowPart(b.split) : b.outside(); };
    for (const Case& c : cases) {
        b.rest();
        CExtPopupMenuWnd::ResetStandIn();
        orvtest::MessageRecorder parent(b.dlg.m_hWnd, {WM_COMMAND});
        if (c.press == c.release)
            ASSERT_TRUE(orvtest::click(at(c.press), b.split.m_hWnd));
        else
            ASSERT_TRUE(orvtest::drag(at(c.press), at(c.release), b.split.m_hWnd));
        orvtest::pumpWaiting();
        std::vector<Expected> expected;
        for (int i = 0; i < c.clicks; i++)
            expected.push_back({WM_COMMAND, MAKEWPARAM(IDC_BTN_SPLIT, BN_CLICKED), (LPARAM)b.split.m_hWnd});
        EXPECT_TRUE(parent.matches(expected)) << c.press << "->" << c.release;
        EXPECT_EQ((size_t)c.menus, CExtPopupMenuWnd::standIn().tracked.size()) << c.press << "->" << c.release;
        // once the pointer leaves, the capture goes with the hover
        b.rest();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetCapture() != b.split.m_hWnd; })) << c.press << "->" << c.release;
    }
    // the menu from the arrow part: its first sub-menu, placed at the button's centre outside
    // the button, with the button's face painted where they touch
    CExtPopupMenuWnd::ResetStandIn();
    ASSERT_TRUE(orvtest::click(b.arrowPart(b.split), b.split.m_hWnd));
    orvtest::pumpWaiting();
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    const CExtPopupMenuTrackRecord& r = CExtPopupMenuWnd::standIn().tracked[0];
    CRect rcButton;
    b.split.GetWindowRect(&rcButton);
    EXPECT_EQ(0x24u, r.nFlags);
    EXPECT_EQ(rcButton.CenterPoint(), r.point);
    EXPECT_EQ(rcButton, r.rcExclude);
    EXPECT_TRUE(r.bPainter);
    ASSERT_EQ(2u, r.items.size());
    EXPECT_EQ((UINT)ID_CMD_ONE, r.items[0].nCmdID);
    EXPECT_EQ(b.dlg.m_hWnd, r.hWndOwner);
}

TEST(Button, ADoubleClickIsOneClick)
{
    Buttons b;
    b.rest();
    orvtest::MessageRecorder parent(b.dlg.m_hWnd, {WM_COMMAND});
    ASSERT_TRUE(orvtest::doubleClick(b.mainPart(b.plain), b.plain.m_hWnd));
    orvtest::pumpWaiting();
    EXPECT_TRUE(parent.matches({{WM_COMMAND, MAKEWPARAM(IDC_BTN_PLAIN, BN_CLICKED)}}));
}

TEST(Button, SpaceClicksWhenReleasedAndEnterWhenPressed)
{
    Buttons b;
    b.plain.SetFocus();
    orvtest::MessageRecorder parent(b.dlg.m_hWnd, {WM_COMMAND});
    orvtest::keyDown(VK_SPACE);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return (b.plain.m_nStateFlags & CExtButton::STATE_PUSHED) != 0; }));
    EXPECT_TRUE(parent.matches({}));   // held: pressed look, no click yet
    EXPECT_EQ(b.plain.m_hWnd, ::GetCapture());
    orvtest::keyUp(VK_SPACE);
    ASSERT_TRUE(parent.waitFor(1));
    EXPECT_EQ(0, b.plain.m_nStateFlags & (CExtButton::STATE_PUSHED | CExtButton::STATE_KEY_PRESS));
    EXPECT_NE(b.plain.m_hWnd, ::GetCapture());
    orvtest::keyDown(VK_RETURN);
    ASSERT_TRUE(parent.waitFor(2));   // on the way down
    orvtest::keyUp(VK_RETURN);
    orvtest::pumpWaiting();
    EXPECT_TRUE(parent.matches({{WM_COMMAND, MAKEWPARAM(IDC_BTN_PLAIN, BN_CLICKED)},
                                {WM_COMMAND, MAKEWPARAM(IDC_BTN_PLAIN, BN_CLICKED)}}));
}

TEST(Button, AnInactiveWindowShowsNoHover)
{
    Buttons b;
    b.rest();
    ASSERT_TRUE(orvtest::moveUntil(b.mainPart(b.plain), [&] { return (b.plain.m_nStateFlags & CExtButton::STATE_HOVER) != 0; }));
    EXPECT_EQ(b.plain.m_hWnd, ::GetCapture());   // hover is tracked through the capture
    EXPECT_TRUE(::IsWindow(b.plain.GetToolTip().m_hWnd));   // made on demand, fed the moves
    ASSERT_TRUE(orvtest::moveUntil(b.outside(), [&] { return (b.plain.m_nStateFlags & CExtButton::STATE_HOVER) == 0; }));
    EXPECT_NE(b.plain.m_hWnd, ::GetCapture());

    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, CRect(700, 600, 800, 700), NULL, 0));
    other.SetForegroundWindow();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetActiveWindow() == other.m_hWnd; }));
    ASSERT_TRUE(orvtest::moveTo(b.mainPart(b.plain), b.plain.m_hWnd));
    orvtest::pumpWaiting();
    EXPECT_EQ(0, b.plain.m_nStateFlags & CExtButton::STATE_HOVER);
    EXPECT_NE(b.plain.m_hWnd, ::GetCapture());
    other.DestroyWindow();
}

TEST(Button, TheStyleMessageChangesOnlyTheLook)
{
    Buttons b;
    EXPECT_EQ((DWORD)BS_OWNERDRAW, b.plain.GetStyle() & 0x0F);
    EXPECT_EQ((UINT)BS_PUSHBUTTON, b.plain.GetButtonType());
    b.plain.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(b.plain.IsDefaultButton());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, b.plain.GetStyle() & 0x0F);
    b.plain.SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, b.plain.SendMessage(BM_GETCHECK, 0, 0));
}

TEST(Button, SelectorModeSendsTheChosenCommand)
{
    Buttons b;
    b.split.m_nStateFlags = (BYTE)((b.split.m_nStateFlags & ~CExtButton::STATE_SPLIT) | CExtButton::STATE_SELECTOR);
    CExtPopupMenuWnd::standIn().nChosenCmdID = ID_CMD_TWO;
    b.rest();
    orvtest::MessageRecorder parent(b.dlg.m_hWnd, {WM_COMMAND});
    ASSERT_TRUE(orvtest::click(b.mainPart(b.split), b.split.m_hWnd));
    ASSERT_TRUE(parent.waitFor(1));
    EXPECT_TRUE(parent.matches({{WM_COMMAND, ID_CMD_TWO, (LPARAM)b.split.m_hWnd}}));
    EXPECT_EQ(ID_CMD_TWO, b.split.GetDlgCtrlID());
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(0x2A4u, CExtPopupMenuWnd::standIn().tracked[0].nFlags);
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked[0].bResultPointer);
}

TEST(Button, AParentThatDestroysTheButtonInItsCommand)
{
    Buttons b;
    b.dlg.destroyOnCommand = true;
    b.rest();
    HWND hButton = b.plain.m_hWnd;
    ASSERT_TRUE(orvtest::click(b.mainPart(b.plain), hButton));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hButton); }));
    EXPECT_EQ(NULL, b.plain.m_hWnd);
    EXPECT_NE(hButton, ::GetCapture());
}

TEST(Button, NoCaptureOutlivesHoverOrPress)
{
    struct Case {
        const char* name;
        std::function<void(CExtButton&)> act;
    } cases[] = {
        {"disabled", [](CExtButton& btn) { btn.EnableWindow(FALSE); }},
        {"hidden", [](CExtButton& btn) { btn.ShowWindow(SW_HIDE); }},
        {"destroyed", [](CExtButton& btn) { btn.DestroyWindow(); }},
    };
    for (const Case& c : cases) {
        Buttons b;
        b.rest();
        HWND hButton = b.plain.m_hWnd;
        ASSERT_TRUE(orvtest::moveTo(b.mainPart(b.plain), hButton)) << c.name;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetCapture() == hButton; })) << c.name;
        c.act(b.plain);
        EXPECT_NE(hButton, ::GetCapture()) << c.name;
        if (::IsWindow(hButton)) {
            EXPECT_EQ(0, b.plain.m_nStateFlags & (CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED)) << c.name;
        }
    }
}

TEST(Button, ASystemCursorOutlivesTheButton)
{
    HCURSOR hHand = ::LoadCursorA(NULL, MAKEINTRESOURCEA(32649));   // IDC_HAND
    {
        CExtButton button;
        EXPECT_TRUE(button.SetBtnCursor(32649));
        EXPECT_EQ(hHand, button.GetBtnCursor());
        EXPECT_TRUE(button.SetBtnCursor(-1));
        EXPECT_TRUE(button.SetBtnCursor(32649));
    }
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hHand, &info));   // still the shared cursor
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    EXPECT_FALSE(CExtButton().SetBtnCursor(31999));   // no such cursor anywhere
}
