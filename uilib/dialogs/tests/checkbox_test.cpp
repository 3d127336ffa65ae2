// The check box and radio button: the box state codes handed to the painting hooks, a hook that
// replaces the box, the click cycles, where box and text sit by pixel, and the radio group
// driven by real keys and clicks (the check moves, never doubles), a parent that destroys the
// control in its notification.
#include "CExtCheckBox.h"
#include "CExtPaintManagerHolder.h"
#include "CExtRadioButton.h"
#include "CExtResDlg.h"
#include "DialogsTestApp.h"
#include "dialogs_test_resources.h"
#include <set>

using orvtest::Expected;

namespace {

// Records what the box hooks are handed; replaces the box when asked to.
class HookedCheckBox : public CExtCheckBox {
public:
    bool replace = false;
    int lastCode = -1;
    CRect lastBox;
    bool OnPaintBox(CDC&, const CRect& rcBox, int nCode) override
    {
        lastCode = nCode;
        lastBox = rcBox;
        return replace;
    }
};

class HookedRadio : public CExtRadioButton {
public:
    bool replace = false;
    int lastCode = -1;
    bool OnPaintRadioBox(CDC&, const CRect&, int nCode) override
    {
        lastCode = nCode;
        return replace;
    }
};

class ChecksDialog : public CExtResDlg {
public:
    bool destroyOnCommand = false;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (destroyOnCommand && HIWORD(wParam) == BN_CLICKED)
            ::DestroyWindow((HWND)lParam);
        return CExtResDlg::OnCommand(wParam, lParam);
    }
};

const int kRadioIds[] = {IDC_RAD_A, IDC_RAD_B, IDC_RAD_C, IDC_RAD_D};

struct Checks {
    ChecksDialog dlg;
    HookedCheckBox two, three, left, top, bottom;
    HookedRadio radio[4];
    HookedRadio other;
    Checks()
    {
        dlgtest::App();
        EXPECT_TRUE(dlg.Create(IDD_CHECKS));
        two.SubclassDlgItem(IDC_CHK_TWO, &dlg);
        three.SubclassDlgItem(IDC_CHK_THREE, &dlg);
        left.SubclassDlgItem(IDC_CHK_LEFT, &dlg);
        top.SubclassDlgItem(IDC_CHK_TOP, &dlg);
        bottom.SubclassDlgItem(IDC_CHK_BOTTOM, &dlg);
        for (int i = 0; i < 4; i++)
            radio[i].SubclassDlgItem(kRadioIds[i], &dlg);
        other.SubclassDlgItem(IDC_RAD_OTHER, &dlg);
        dlg.SetWindowPos(NULL, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetActiveWindow() == dlg.m_hWnd; }));
        // the dialog hands the focus to its first control once it is active
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == two.m_hWnd; }));
        orvtest::pumpWaiting();
    }
    ~Checks()
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
    }
    POINT outside()
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        return orvtest::screenPoint(dlg.m_hWnd, {rc.right - 5, 5});
    }
    void rest() { orvtest::moveTo(outside(), dlg.m_hWnd); }
    // A click by the keyboard: Space pressed and released on the focused control.
    void clickOn(CExtButton& b)
    {
        b.SetFocus();
        orvtest::pressKey(VK_SPACE);
    }
    // The radio buttons A to D that are checked, as a string ("AC").
    std::string checked()
    {
        std::string s;
        for (int i = 0; i < 4; i++)
            if (radio[i].SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED)
                s += (char)('A' + i);
        return s;
    }
    void setChecked(const std::string& s)
    {
        for (int i = 0; i < 4; i++) {
            const bool bChecked = s.find((char)('A' + i)) != std::string::npos;
            radio[i].SendMessage(BM_SETCHECK, bChecked, 0);
            radio[i].ModifyStyle(bChecked ? 0 : WS_TABSTOP, bChecked ? WS_TABSTOP : 0);
        }
    }
};

// A control's face painted by itself into a 32-bit picture of its client size.
struct Face {
    int w = 0, h = 0;
    std::vector<DWORD> px;
    DWORD at(int x, int y) const { return px[(size_t)y * w + x] & 0xFFFFFF; }
};

Face PaintFace(CExtButton& button)
{
    CRect rc;
    button.GetClientRect(&rc);
    Face f;
    f.w = rc.Width();
    f.h = rc.Height();
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = f.w;
    bi.bmiHeader.biHeight = -f.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBmp = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBmp);
    button.PaintButton(dc, false);
    ::GdiFlush();
    f.px.assign((DWORD*)pBits, (DWORD*)pBits + (size_t)f.w * f.h);
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hBmp);
    // DIB pixels are BGR: turn them into COLORREF order
    for (DWORD& p : f.px)
        p = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    return f;
}

}  // namespace

TEST(CheckBox, BoxStateCodesHandedToTheHooks)
{
    Checks c;
    enum : BYTE { M = CExtCheckBox::INPUT_MOUSE_HELD, S = CExtCheckBox::INPUT_SPACE_HELD };
    struct Case {
        bool isRadio;
        UINT type;
        UINT check;
        bool enabled, hover;
        BYTE input;
        int code;
    } cases[] = {
        {false, BS_AUTOCHECKBOX, 0, true, false, 0, 0},
        {false, BS_AUTOCHECKBOX, 1, true, false, 0, 1},
        {false, BS_AUTO3STATE, 2, true, false, 0, 2},
        {false, BS_AUTOCHECKBOX, 0, true, true, M, 3},    // pressed: hover and button held
        {false, BS_AUTOCHECKBOX, 1, true, false, S, 4},   // pressed: Space held
        {false, BS_AUTO3STATE, 2, true, true, M, 5},
        {false, BS_AUTOCHECKBOX, 0, true, true, 0, 6},    // hot: hover alone
        {false, BS_AUTOCHECKBOX, 1, true, false, M, 7},   // hot: button held off the control
        {false, BS_AUTO3STATE, 2, true, true, 0, 8},
        {false, BS_AUTOCHECKBOX, 0, false, true, M, 9},
        {false, BS_AUTOCHECKBOX, 1, false, false, S, 10},
        {false, BS_AUTO3STATE, 2, false, false, 0, 11},
        {false, BS_AUTO3STATE, 3, true, false, 0, 0},     // outside the table
        {true, BS_AUTORADIOBUTTON, 0, true, false, 0, 0},
        {true, BS_AUTORADIOBUTTON, 1, true, true, M, 3},
        {true, BS_AUTORADIOBUTTON, 0, true, true, 0, 4},
        {true, BS_AUTORADIOBUTTON, 1, true, false, M, 5},
        {true, BS_AUTORADIOBUTTON, 0, false, false, S, 6},
        {true, BS_AUTORADIOBUTTON, 1, false, false, 0, 7},
        {true, BS_AUTORADIOBUTTON, 2, true, false, 0, 0},   // a radio button has no third state
    };
    for (const Case& k : cases) {
        for (bool replace : {false, true}) {
            CExtCheckBox& box = k.isRadio ? static_cast<CExtCheckBox&>(c.other) : c.two;
            box.EnableWindow(k.enabled);
            box.SendMessage(BM_SETSTYLE, k.type, 0);
            box.m_nCheck = k.check;
            box.m_nStateFlags = (BYTE)((box.m_nStateFlags & ~CExtButton::STATE_HOVER) | (k.hover ? CExtButton::STATE_HOVER : 0));
            box.m_nInputFlags = k.input;
            c.two.replace = replace;
            c.other.replace = replace;
            c.two.lastCode = c.other.lastCode = -1;
            const Face f = PaintFace(box);
            const int code = k.isRadio ? c.other.lastCode : c.two.lastCode;
            EXPECT_EQ(k.code, code) << (k.isRadio ? "radio " : "check ") << k.check << " en " << k.enabled << " hover "
                                    << k.hover << " input " << (int)k.input;
            // a hook that answers true is the only painter of the box
            const CRect rcBox(0, (f.h - 13) / 2, 13, (f.h - 13) / 2 + 13);
            const DWORD bg = f.at(f.w - 1, 0);
            int foreign = 0;
            for (int y = rcBox.top; y < rcBox.bottom; y++)
                for (int x = rcBox.left; x < rcBox.right; x++)
                    foreign += f.at(x, y) != bg;
            if (replace)
                EXPECT_EQ(0, foreign) << "code " << k.code;
            else
                EXPECT_LT(0, foreign) << "code " << k.code;
        }
    }
}

TEST(CheckBox, ClicksCycleThroughTheStates)
{
    Checks c;
    struct Case {
        HookedCheckBox* box;
        std::vector<UINT> after;   // the state after each click
    } cases[] = {
        {&c.three, {1, 2, 0, 1}},
        {&c.two, {1, 0, 1}},
    };
    for (const Case& k : cases) {
        orvtest::MessageRecorder parent(c.dlg.m_hWnd, {WM_COMMAND});
        const UINT id = (UINT)k.box->GetDlgCtrlID();
        k.box->SendMessage(BM_SETCHECK, 0, 0);
        k.box->SetFocus();
        for (size_t i = 0; i < k.after.size(); i++) {
            // Space clicks on release and shows the pressed box while it is held
            orvtest::keyDown(VK_SPACE);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return (k.box->m_nInputFlags & CExtCheckBox::INPUT_SPACE_HELD) != 0; }));
            PaintFace(*k.box);
            const int before = i == 0 ? 0 : (int)k.after[i - 1];
            EXPECT_EQ(before + 3, k.box->lastCode) << id << " click " << i;   // pressed
            orvtest::keyUp(VK_SPACE);
            ASSERT_TRUE(parent.waitFor(i + 1)) << id << " click " << i;
            EXPECT_EQ(k.after[i], (UINT)k.box->SendMessage(BM_GETCHECK, 0, 0)) << id << " click " << i;
            EXPECT_EQ(MAKEWPARAM(id, BN_CLICKED), parent.received()[i].wParam);
            EXPECT_EQ(0, k.box->m_nInputFlags);
        }
        orvtest::pumpWaiting();
        EXPECT_EQ(k.after.size(), parent.received().size()) << id;
    }
}

TEST(CheckBox, BoxAndTextPlacementByPixel)
{
    Checks c;
    enum Where { Left, Right };
    enum Vert { Top, Middle, Bottom };
    struct Case {
        HookedCheckBox* box;
        Where where;
        Vert vert;
    } cases[] = {
        {&c.two, Left, Middle},
        {&c.left, Right, Middle},
        {&c.top, Left, Top},
        {&c.bottom, Left, Bottom},
    };
    const DWORD white = ::GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    for (const Case& k : cases) {
        const int id = k.box->GetDlgCtrlID();
        const Face f = PaintFace(*k.box);
        const int x0 = k.where == Left ? 0 : f.w - 13;
        const int y0 = k.vert == Top ? 0 : k.vert == Bottom ? f.h - 13 : (f.h - 13) / 2;
        EXPECT_EQ(CRect(x0, y0, x0 + 13, y0 + 13), k.box->lastBox) << id;
        // the system's box: a sunken frame around the window colour
        EXPECT_EQ(white, f.at(x0 + 6, y0 + 6)) << id;
        EXPECT_NE(f.at(x0 + 6, y0 + 6), f.at(x0, y0)) << id;
        // the text's ink lies beside the box, on the side away from it, and in the box's rows
        int inkLeft = f.w, inkRight = -1, inkTop = f.h, inkBottom = -1;
        const DWORD bg = f.at(k.where == Left ? f.w - 1 : 0, k.vert == Top ? f.h - 1 : 0);
        for (int y = 0; y < f.h; y++)
            for (int x = 0; x < f.w; x++) {
                if ((x >= x0 && x < x0 + 13) || f.at(x, y) == bg)
                    continue;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        ASSERT_LE(0, inkRight) << id;
        if (k.where == Left)
            EXPECT_LE(17, inkLeft) << id;
        else
            EXPECT_GE(x0 - 2, inkRight) << id;
        if (k.vert == Top)
            EXPECT_GE(8, inkTop) << id;
        else if (k.vert == Bottom)
            EXPECT_LE(f.h - 8, inkBottom) << id;
        else
            EXPECT_GE(3, std::abs((inkTop + inkBottom) / 2 - f.h / 2)) << id;
    }
}

TEST(RadioButton, ArrowKeysMoveTheCheckWithinTheGroup)
{
    struct Case {
        const char* name;
        int focus;             // index of the focused radio button
        WORD key;
        const char* disabled;  // letters of disabled radio buttons
        const char* hidden;
        int focusAfter;
        const char* checkedAfter;
        bool notified;
    } cases[] = {
        {"down", 0, VK_DOWN, "", "", 1, "B", true},
        {"right", 1, VK_RIGHT, "", "", 2, "C", true},
        {"up", 2, VK_UP, "", "", 1, "B", true},
        {"right wraps", 3, VK_RIGHT, "", "", 0, "A", true},
        {"left wraps", 0, VK_LEFT, "", "", 3, "D", true},
        {"skips disabled", 0, VK_DOWN, "B", "", 2, "C", true},
        {"skips hidden and disabled", 0, VK_DOWN, "C", "B", 3, "D", true},
        {"skips backwards", 3, VK_UP, "C", "B", 0, "A", true},
        {"nothing else available", 0, VK_DOWN, "BD", "C", 0, "A", false},
    };
    for (const Case& k : cases) {
        Checks c;
        for (int i = 0; i < 4; i++) {
            const char letter = (char)('A' + i);
            c.radio[i].EnableWindow(strchr(k.disabled, letter) == NULL);
            c.radio[i].ShowWindow(strchr(k.hidden, letter) == NULL ? SW_SHOW : SW_HIDE);
        }
        c.setChecked(std::string(1, (char)('A' + k.focus)));
        c.radio[k.focus].SetFocus();
        orvtest::pumpWaiting();
        orvtest::MessageRecorder parent(c.dlg.m_hWnd, {WM_COMMAND});
        orvtest::pressKey(k.key);
        if (k.notified) {
            ASSERT_TRUE(parent.waitFor(1)) << k.name;
        }
        orvtest::pumpWaiting();
        EXPECT_EQ(c.radio[k.focusAfter].m_hWnd, ::GetFocus()) << k.name;
        EXPECT_EQ(k.checkedAfter, c.checked()) << k.name;
        std::vector<Expected> expected;
        if (k.notified)
            expected.push_back({WM_COMMAND, MAKEWPARAM(kRadioIds[k.focusAfter], BN_CLICKED),
                                (LPARAM)c.radio[k.focusAfter].m_hWnd});
        EXPECT_TRUE(parent.matches(expected)) << k.name;
        // the check and the tab stop go together
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(i == k.focusAfter, (c.radio[i].GetStyle() & WS_TABSTOP) != 0) << k.name << " " << i;
        EXPECT_EQ((DWORD)BST_UNCHECKED, (DWORD)c.other.SendMessage(BM_GETCHECK, 0, 0)) << k.name;
    }
}

TEST(RadioButton, AClickChecksItAndClearsTheRestOfTheGroup)
{
    Checks c;
    c.other.SendMessage(BM_SETCHECK, 1, 0);   // another group keeps its own check
    c.setChecked("A");
    c.rest();
    orvtest::MessageRecorder parent(c.dlg.m_hWnd, {WM_COMMAND});
    c.clickOn(c.radio[1]);
    ASSERT_TRUE(parent.waitFor(1));
    EXPECT_EQ("B", c.checked());
    // clicked again: stays checked, and still notifies
    c.rest();
    c.clickOn(c.radio[1]);
    ASSERT_TRUE(parent.waitFor(2));
    EXPECT_EQ("B", c.checked());
    EXPECT_TRUE(parent.matches({{WM_COMMAND, MAKEWPARAM(IDC_RAD_B, BN_CLICKED)},
                                {WM_COMMAND, MAKEWPARAM(IDC_RAD_B, BN_CLICKED)}}));
    EXPECT_EQ((DWORD)BST_CHECKED, (DWORD)c.other.SendMessage(BM_GETCHECK, 0, 0));

    // a click run from code on a disabled radio button moves the check as well, and a checked
    // radio button that is disabled or hidden is cleared like the others
    struct Case {
        const char* name;
        const char* before;
        int clicked;
        bool disableClicked;
        int unavailable;   // a checked member made disabled (-1: none)
        bool hide;
    } cases[] = {
        {"disabled clicked", "B", 2, true, -1, false},
        {"disabled member", "BD", 0, false, 3, false},
        {"hidden member", "BD", 0, false, 1, true},
    };
    for (const Case& k : cases) {
        Checks d;
        d.setChecked(k.before);
        if (k.disableClicked)
            d.radio[k.clicked].EnableWindow(FALSE);
        if (k.unavailable >= 0) {
            if (k.hide)
                d.radio[k.unavailable].ShowWindow(SW_HIDE);
            else
                d.radio[k.unavailable].EnableWindow(FALSE);
        }
        d.radio[k.clicked].DoClick(false, false);
        EXPECT_EQ(std::string(1, (char)('A' + k.clicked)), d.checked()) << k.name;
    }
}

TEST(RadioButton, AParentThatDestroysTheControlInItsNotification)
{
    struct Case {
        const char* name;
        WORD key;   // 0: a click
    } cases[] = {{"click", 0}, {"arrow", VK_DOWN}};
    for (const Case& k : cases) {
        Checks c;
        c.setChecked("A");
        c.dlg.destroyOnCommand = true;
        HWND hA = c.radio[0].m_hWnd, hB = c.radio[1].m_hWnd;
        if (k.key == 0) {
            c.rest();
            c.clickOn(c.radio[1]);
        } else {
            c.radio[0].SetFocus();
            orvtest::pressKey(k.key);
        }
        ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hB); })) << k.name;
        EXPECT_EQ(NULL, c.radio[1].m_hWnd) << k.name;
        EXPECT_TRUE(::IsWindow(hA)) << k.name;
        EXPECT_NE(hB, ::GetCapture()) << k.name;
    }
}
