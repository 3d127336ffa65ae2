// The check boxes and radio buttons of the controls dialog clicked with the real mouse: every
// kind of check box (two and three states, text on the left, top, bottom, several lines,
// push-like) steps through its states one click at a time; the radio groups keep one check each.
#include "DialogsTestApp.h"
#include "controls_dialog.h"

using dlgtest::ControlsDialog;

namespace {

// The middle of a control on the screen.
POINT Middle(CWnd& w)
{
    return orvtest::centreOf(w.m_hWnd);
}

}  // namespace

TEST(ControlsChecks, EveryKindOfCheckBoxClickedWithTheMouse)
{
    dlgtest::App();
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    struct Case {
        CExtCheckBox* box;
        std::vector<UINT> after;   // the state after each click
    } cases[] = {
        {&dlg.two, {1, 0, 1, 0}},       {&dlg.three, {1, 2, 0, 1}},  {&dlg.leftText, {1, 0, 1}},
        {&dlg.top, {1, 0, 1}},          {&dlg.bottom, {1, 0, 1}},    {&dlg.multiLine, {1, 0, 1}},
        {&dlg.pushLike, {1, 0, 1}},
    };
    for (const Case& k : cases) {
        const int id = k.box->GetDlgCtrlID();
        k.box->SendMessage(BM_SETCHECK, 0, 0);
        orvtest::MessageRecorder parent(dlg.m_hWnd, {WM_COMMAND});
        for (size_t i = 0; i < k.after.size(); i++) {
            // away first, so no two clicks make a double click
            ASSERT_TRUE(orvtest::moveTo(orvtest::screenPoint(dlg.m_hWnd, {2, 2}), dlg.m_hWnd)) << id;
            ASSERT_TRUE(orvtest::click(Middle(*k.box), k.box->m_hWnd)) << id << " click " << i;
            ASSERT_TRUE(parent.waitFor(i + 1)) << id << " click " << i;
            EXPECT_EQ(k.after[i], (UINT)k.box->SendMessage(BM_GETCHECK, 0, 0)) << id << " click " << i;
            EXPECT_EQ(MAKEWPARAM(id, BN_CLICKED), parent.received()[i].wParam) << id;
        }
        orvtest::pumpWaiting();
        EXPECT_EQ(k.after.size(), parent.received().size()) << id;
        EXPECT_EQ(0, k.box->m_nInputFlags) << id;
        // the box holds the capture while the pointer hovers over it, and lets go when it leaves
        ASSERT_TRUE(orvtest::moveTo(orvtest::screenPoint(dlg.m_hWnd, {2, 2}), dlg.m_hWnd)) << id;
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetCapture() != k.box->m_hWnd; })) << id;
    }
}

TEST(ControlsChecks, RadioGroupsKeepOneCheckEach)
{
    dlgtest::App();
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    CExtRadioButton* colours[] = {&dlg.red, &dlg.green, &dlg.blue};
    CExtRadioButton* sizes[] = {&dlg.smallSize, &dlg.largeSize};
    auto checked = [](CExtRadioButton* const* group, int n) {
        std::string s;
        for (int i = 0; i < n; i++)
            s += group[i]->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
        return s;
    };
    struct Step {
        const char* name;
        CExtRadioButton* clicked;   // NULL: the key below goes to the focused radio button
        WORD key;
        const char* colours;
        const char* sizes;
    } steps[] = {
        {"click red", &dlg.red, 0, "100", "00"},
        {"click green", &dlg.green, 0, "010", "00"},
        {"click largeSize", &dlg.largeSize, 0, "010", "01"},
        {"click green again", &dlg.green, 0, "010", "01"},
        {"down from green", NULL, VK_DOWN, "001", "01"},
        {"down wraps to red", NULL, VK_DOWN, "100", "01"},
        {"click smallSize", &dlg.smallSize, 0, "100", "10"},
    };
    CExtRadioButton* pFocus = NULL;
    orvtest::MessageRecorder parent(dlg.m_hWnd, {WM_COMMAND});
    size_t nNotes = 0;
    for (const Step& s : steps) {
        if (s.clicked != NULL) {
            ASSERT_TRUE(orvtest::moveTo(orvtest::screenPoint(dlg.m_hWnd, {2, 2}), dlg.m_hWnd)) << s.name;
            ASSERT_TRUE(orvtest::click(Middle(*s.clicked), s.clicked->m_hWnd)) << s.name;
            pFocus = s.clicked;
        } else {
            ASSERT_EQ(pFocus->m_hWnd, ::GetFocus()) << s.name;
            orvtest::pressKey(s.key);
        }
        ASSERT_TRUE(parent.waitFor(++nNotes)) << s.name;
        EXPECT_EQ(s.colours, checked(colours, 3)) << s.name;
        EXPECT_EQ(s.sizes, checked(sizes, 2)) << s.name;
        if (s.clicked == NULL)
            pFocus = CWnd::FromHandlePermanent(::GetFocus()) == &dlg.blue ? &dlg.blue : &dlg.red;
    }
}
