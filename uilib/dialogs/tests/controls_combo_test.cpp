// The combo boxes of the controls dialog (simple, drop-down, drop-down list) driven by real
// input: typed text completed from the list (a table of typed keys and the edit text and
// selection they leave; Backspace and Delete do not complete; Alt+key is swallowed), hover and
// press seen by the painter, a disabled combo never hot or pressed with its edit text still
// readable, the edit menu in the combo's edit, and a parent that destroys the combo in its
// reaction to a click.
#include "CExtCmdManager.h"
#include "CExtPaintManagerXP.h"
#include "DialogsTestApp.h"
#include "CExtPopupMenuWnd.h"
#include "RenderHarness.h"
#include "controls_dialog.h"
#include "controls_input.h"
#include "orv/DesktopPointer.h"

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using dlgtest::ControlsDialog;

namespace {

// The XP look, keeping what every combo frame was painted with.
class FrameRecorder : public CExtPaintManagerXP {
public:
    struct Frame {
        CObject* owner;
        bool hover, pushed, enabled;
    };
    std::vector<Frame> frames;
    void PaintComboFrame(CDC& dc, ComboFramePaintData& data) override
    {
        frames.push_back({data.m_pOwner, data.m_bHover != 0, data.m_bPushed != 0, data.m_bEnabled != 0});
        CExtPaintManagerXP::PaintComboFrame(dc, data);
    }
    int count(CObject* owner, bool (*pred)(const Frame&)) const
    {
        int n = 0;
        for (const Frame& f : frames)
            n += f.owner == owner && pred(f);
        return n;
    }
};

struct Combos {
    FrameRecorder* recorder = new FrameRecorder;
    orvtest::ScopedPainter painter{recorder};
    ControlsDialog dlg;
    Combos()
    {
        dlgtest::App();
        CExtPopupMenuWnd::ResetStandIn();
        // the last test's dialog went from under the pointer: the desktop's program may still
        // pass that on late, as a move onto this dialog
        EXPECT_TRUE(orvtest::parkPointer());
        EXPECT_TRUE(dlg.Open());
        EXPECT_TRUE(g_CmdManager->ProfileSetup("controls test", dlg.m_hWnd));
        dlg.two.SetFocus();
        orvtest::pumpWaiting();
    }
    ~Combos()
    {
        if (::IsWindow(dlg.m_hWnd)) {
            g_CmdManager->ProfileWndRemove(dlg.m_hWnd);
            dlg.DestroyWindow();
        }
        CExtPopupMenuWnd::ResetStandIn();
    }
    POINT Away() { return orvtest::screenPoint(dlg.m_hWnd, {4, 4}); }
    // The drop-down button of a combo on the screen.
    POINT ButtonOf(CExtComboBox& combo)
    {
        CRect rc;
        combo.GetClientRect(&rc);
        return orvtest::screenPoint(combo.m_hWnd, {rc.right - 6, rc.Height() / 2});
    }
    // What the combo's hover depends on, for a failure's message.
    static std::string Why(CExtComboBox& combo, POINT target, const FrameRecorder& rec)
    {
        POINT pt = {};
        ::GetCursorPos(&pt);
        char sz[256];
        HWND hActive = ::GetActiveWindow();
        snprintf(sz, sizeof sz, "cursor %ld,%ld target %ld,%ld flags %02x capture %p focus %p active %p frames %zu",
                 (long)pt.x, (long)pt.y, (long)target.x, (long)target.y, combo.m_nFlags, (void*)::GetCapture(),
                 (void*)::GetFocus(), (void*)hActive, rec.frames.size());
        return std::string(sz) + " active class " + orvtest::className(hActive) + " dialog " +
               (::GetParent(combo.m_hWnd) == hActive ? "active" : "not active") + " foreground " +
               orvtest::className(::GetForegroundWindow());
    }
    static std::string Text(CWnd& w)
    {
        CString s;
        w.GetWindowText(s);
        return (LPCTSTR)s;
    }
};

}  // namespace

TEST(ControlsCombo, TypedTextIsCompletedFromTheList)
{
    Combos c;
    struct Case {
        const char* name;
        const char* typed;          // letters typed, then the key below
        WORD key;                   // 0: none
        const char* typedAfter;     // letters typed after the key
        const char* text;
        int selStart, selEnd;
    } cases[] = {
        {"one letter", "a", 0, "", "Apple", 1, 5},
        {"two letters", "ap", 0, "", "Apple", 2, 5},
        {"three letters", "apr", 0, "", "Apricot", 3, 7},
        {"another item", "ch", 0, "", "Cherry", 2, 6},
        {"no item begins so", "x", 0, "", "x", 1, 1},
        // "b" completed to "Banana" with "anana" selected: "x" takes the selection's place
        {"a letter that leaves the items", "bx", 0, "", "Bx", 2, 2},
        {"Backspace does not complete", "a", VK_BACK, "", "A", 1, 1},
        {"Delete does not complete", "ap", VK_DELETE, "", "Ap", 2, 2},
        {"a letter after Backspace completes again", "a", VK_BACK, "p", "Apple", 2, 5},
        {"Backspace after three letters", "apr", VK_BACK, "", "Apr", 3, 3},
        {"Backspace after another item", "ch", VK_BACK, "", "Ch", 2, 2},
    };
    for (CExtComboBox* pCombo : {&c.dlg.simple, &c.dlg.dropDown}) {
        CExtComboBox& combo = *pCombo;
        HWND hEdit = combo.GetEditWindow();
        ASSERT_TRUE(hEdit != NULL);
        ASSERT_EQ(hEdit, combo.m_wndInnerEditHook.m_hWnd);
        for (const Case& k : cases) {
            const std::string what = std::string(k.name) + (pCombo == &c.dlg.simple ? " (simple)" : " (drop-down)");
            combo.SetCurSel(-1);
            combo.SetWindowText("");
            combo.SetFocus();
            ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == hEdit; })) << what;
            orvtest::typeText(k.typed);
            if (k.key != 0)
                orvtest::pressKey(k.key);
            orvtest::typeText(k.typedAfter);
            auto state = [&] {
                const DWORD sel = combo.GetEditSel();
                return Combos::Text(combo) + " " + std::to_string(LOWORD(sel)) + "-" + std::to_string(HIWORD(sel));
            };
            const std::string expected = std::string(k.text) + " " + std::to_string(k.selStart) + "-" + std::to_string(k.selEnd);
            EXPECT_TRUE(orvtest::pumpUntil([&] { return state() == expected; }, 3000)) << what << ": " << state();
            orvtest::pumpWaiting();
            EXPECT_EQ(expected, state()) << what;
        }
    }
}

TEST(ControlsCombo, AltKeyIsSwallowedWhileCompleting)
{
    struct Case {
        const char* name;
        bool complete;
        bool swallowed;
    } cases[] = {{"completing", true, true}, {"completion off", false, false}};
    for (const Case& k : cases) {
        Combos c;
        CExtComboBox& combo = c.dlg.dropDown;
        if (!k.complete)
            combo.m_nFlags &= ~CExtComboBox::FLAG_AUTOCOMPLETE;
        combo.SetWindowText("Banana");
        combo.SetFocus();
        HWND hEdit = combo.GetEditWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == hEdit; })) << k.name;
        // Alt+N is the mnemonic of the "&Name:" label, which hands the focus to the name edit
        orvtest::MessageRecorder keys(hEdit, {WM_KEYUP, WM_SYSKEYUP});
        orvtest::pressKey('N', orvtest::kAlt);
        if (k.swallowed) {
            // Alt going up is the last message of the keys: once it came, the rest was handled
            ASSERT_TRUE(orvtest::pumpUntil([&] {
                for (const orvtest::Message& m : keys.received())
                    if (m.wParam == VK_MENU)
                        return true;
                return false;
            })) << k.name;
            orvtest::pumpWaiting();
            EXPECT_EQ(hEdit, ::GetFocus()) << k.name;
        } else {
            EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == c.dlg.name.m_hWnd; })) << k.name;
        }
        EXPECT_EQ("Banana", Combos::Text(combo)) << k.name;
        GUITHREADINFO gti = {};
        gti.cbSize = sizeof gti;
        ::GetGUIThreadInfo(::GetCurrentThreadId(), &gti);
        EXPECT_EQ(0u, gti.flags & GUI_INMENUMODE) << k.name;
    }
}

TEST(ControlsCombo, HoverAndPressAreSeenButNeverOnADisabledCombo)
{
    ASSERT_TRUE(ctltest::pointerAvailable());
    Combos c;
    auto hot = [](const FrameRecorder::Frame& f) { return f.hover; };
    auto pushed = [](const FrameRecorder::Frame& f) { return f.pushed; };
    CExtComboBox* combos[] = {&c.dlg.simple, &c.dlg.dropDown, &c.dlg.dropList};
    for (CExtComboBox* pCombo : combos) {
        CExtComboBox& combo = *pCombo;
        const int id = combo.GetDlgCtrlID();
        const bool bDrops = (combo.GetStyle() & 3) != CBS_SIMPLE;
        // enabled: the pointer over it paints it hot, a click on its button pressed and dropped
        ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd)) << id;
        c.recorder->frames.clear();
        ASSERT_TRUE(ctltest::pointerTo(c.ButtonOf(combo), combo.m_hWnd)) << id;
        // (a simple combo is covered by its edit and list: only its focus makes it hot)
        if (bDrops) {
            EXPECT_TRUE(orvtest::pumpUntil([&] { return c.recorder->count(&combo, hot) > 0; }))
                << id << ": " << Combos::Why(combo, c.ButtonOf(combo), *c.recorder);
        }
        if (bDrops) {
            ASSERT_TRUE(ctltest::pointerButton(true, true, combo.m_hWnd)) << id;
            EXPECT_TRUE(orvtest::pumpUntil([&] { return combo.GetDroppedState() != FALSE; })) << id;
            EXPECT_LT(0, c.recorder->count(&combo, pushed)) << id;
            ASSERT_TRUE(ctltest::pointerButton(true, false, NULL)) << id;
            orvtest::pressKey(VK_ESCAPE);
            EXPECT_TRUE(orvtest::pumpUntil([&] { return combo.GetDroppedState() == FALSE; })) << id;
        }
        // away, with the focus elsewhere (a focused combo keeps its timer): the timer stops
        c.dlg.two.SetFocus();
        ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd)) << id;
        EXPECT_TRUE(orvtest::pumpUntil([&] { return (combo.m_nFlags & CExtComboBox::FLAG_TIMER) == 0; })) << id;

        // disabled: pointer over it, a click, the focus in the dialog moving: never hot nor pressed
        c.dlg.two.SetFocus();
        combo.EnableWindow(FALSE);
        c.recorder->frames.clear();
        ASSERT_TRUE(ctltest::pointerTo(c.ButtonOf(combo), c.dlg.m_hWnd)) << id;
        ASSERT_TRUE(ctltest::pointerButton(true, true, c.dlg.m_hWnd)) << id;
        ASSERT_TRUE(ctltest::pointerButton(true, false, c.dlg.m_hWnd)) << id;
        combo.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        orvtest::pumpWaiting();
        EXPECT_LT(0, (int)c.recorder->frames.size()) << id;
        EXPECT_EQ(0, c.recorder->count(&combo, hot)) << id;
        EXPECT_EQ(0, c.recorder->count(&combo, pushed)) << id;
        EXPECT_FALSE(combo.GetDroppedState()) << id;
        combo.EnableWindow(TRUE);
        ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd)) << id;
    }
}

TEST(ControlsCombo, DisabledComboKeepsItsEditReadable)
{
    Combos c;
    for (CExtComboBox* pCombo : {&c.dlg.simple, &c.dlg.dropDown}) {
        CExtComboBox& combo = *pCombo;
        const int id = combo.GetDlgCtrlID();
        HWND hEdit = combo.GetEditWindow();
        combo.SetCurSel(2);
        combo.EnableWindow(FALSE);
        EXPECT_FALSE(combo.IsWindowEnabled()) << id;
        EXPECT_TRUE(::IsWindowEnabled(hEdit)) << id;
        EXPECT_NE(0u, (DWORD)::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY) << id;
        // the text is drawn in the window-text colour, not greyed
        ::RedrawWindow(hEdit, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        orvtest::pumpWaiting();
        HDC hDC = ::GetDC(hEdit);
        const COLORREF ink = ::GetNearestColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
        const COLORREF grey = ::GetNearestColor(hDC, ::GetSysColor(COLOR_GRAYTEXT));
        CRect rc;
        ::GetClientRect(hEdit, &rc);
        int nInk = 0, nGrey = 0;
        for (int y = 0; y < rc.bottom; y++)
            for (int x = 0; x < rc.right; x++) {
                const COLORREF clr = ::GetPixel(hDC, x, y);
                nInk += clr == ink;
                nGrey += clr == grey;
            }
        ::ReleaseDC(hEdit, hDC);
        EXPECT_LT(10, nInk) << id;
        EXPECT_EQ(0, nGrey) << id;
        // typing changes nothing while disabled; enabled again, the edit is writable
        EXPECT_EQ("Banana", Combos::Text(combo)) << id;
        combo.EnableWindow(TRUE);
        EXPECT_TRUE(::IsWindowEnabled(hEdit)) << id;
        EXPECT_EQ(0u, (DWORD)::GetWindowLongA(hEdit, GWL_STYLE) & ES_READONLY) << id;
    }
}

TEST(ControlsCombo, EditMenuInTheComboEdit)
{
    Combos c;
    CExtComboBox& combo = c.dlg.dropDown;
    HWND hEdit = combo.GetEditWindow();
    combo.SetWindowText("Cherry");
    CRect rc;
    ::GetClientRect(hEdit, &rc);
    const POINT pt = orvtest::screenPoint(hEdit, {rc.right / 2, rc.bottom / 2});
    ASSERT_TRUE(orvtest::click(pt, hEdit, orvtest::Button::Right));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() == 1; }));
    const CExtPopupMenuTrackRecord r = CExtPopupMenuWnd::standIn().tracked[0];
    EXPECT_EQ(hEdit, r.hWndOwner);
    EXPECT_EQ(CPoint(pt), r.point);
    EXPECT_EQ(8u, r.items.size());
    EXPECT_EQ(hEdit, ::GetFocus());
    // an edit command run from the menu disarms the completion: it is not typing
    combo.m_nFlags |= CExtComboBox::FLAG_COMPLETE_ARMED;
    ::SendMessageA(hEdit, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    EXPECT_EQ(0, combo.m_nFlags & CExtComboBox::FLAG_COMPLETE_ARMED);

}

TEST(ControlsCombo, AParentThatDestroysTheComboInItsReaction)
{
    struct Case {
        const char* name;
        bool onCancelMode;   // else on the combo's set-focus notification
        bool dropList;
    } cases[] = {
        {"cancel mode, drop-down list", true, true},
        {"cancel mode, drop-down", true, false},
        {"set focus, drop-down list", false, true},
    };
    for (const Case& k : cases) {
        Combos c;
        CExtComboBox& combo = k.dropList ? c.dlg.dropList : c.dlg.dropDown;
        HWND hCombo = combo.m_hWnd;
        if (k.onCancelMode) {
            c.dlg.onCancelMode = [&] {
                if (::IsWindow(hCombo))
                    ::DestroyWindow(hCombo);
            };
        } else {
            c.dlg.onCommand = [&](WPARAM wParam, LPARAM lParam) {
                if (HIWORD(wParam) == CBN_SETFOCUS && (HWND)lParam == hCombo) {
                    ::DestroyWindow(hCombo);
                    return true;
                }
                return false;
            };
        }
        // the display's own pointer: a press sent through SendInput is placed where Wine reads
        // the pointer, which is the display's once the last input is over 100 ms old
        ASSERT_TRUE(ctltest::pointerTo(c.ButtonOf(combo), hCombo)) << k.name;
        ASSERT_TRUE(ctltest::pointerButton(true, true, c.dlg.m_hWnd)) << k.name;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hCombo); })) << k.name;
        ASSERT_TRUE(ctltest::pointerButton(true, false, NULL)) << k.name;
        orvtest::pumpWaiting();
        EXPECT_EQ(NULL, combo.m_hWnd) << k.name;
        EXPECT_TRUE(::IsWindow(c.dlg.m_hWnd)) << k.name;
    }
}
