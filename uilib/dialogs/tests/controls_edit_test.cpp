// The edits of the controls dialog: the edit menu opened with the real mouse over a table of
// edit and clipboard states (the enabled commands as the open menu asks for them), the menu
// from the keyboard (context-menu key and Shift+F10) at the edit's centre, the hover frame
// following the display's pointer, and the hover timer stopping when the edit is hidden,
// hidden with its dialog or destroyed.
#include "CExtCmdManager.h"
#include "DialogsTestApp.h"
#include "CExtPopupMenuWnd.h"
#include "controls_dialog.h"
#include "controls_input.h"
#include "orv/DesktopPointer.h"

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using dlgtest::ControlsDialog;

namespace {

class RecordingCmdUI : public CCmdUI {
public:
    bool enabled = false;
    void Enable(BOOL bOn) override { enabled = bOn != FALSE; }
};

const UINT kCommands[] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};

// The enabled commands of a menu as it is open, asked of its owner the way a menu asks: "1" for
// each enabled command, in the order of kCommands.
std::string EnabledCommands(HWND hOwner)
{
    CWnd* pOwner = CWnd::FromHandlePermanent(hOwner);
    if (pOwner == NULL)
        return "no owner";
    std::string s;
    for (UINT id : kCommands) {
        RecordingCmdUI ui;
        ui.m_nID = id;
        pOwner->OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &ui, NULL);
        s += ui.enabled ? '1' : '0';
    }
    return s;
}

void SetClipboardText(HWND hOwner, const char* text)
{
    ASSERT_TRUE(::OpenClipboard(hOwner));
    ::EmptyClipboard();
    if (text != NULL) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        memcpy(::GlobalLock(h), text, strlen(text) + 1);
        ::GlobalUnlock(h);
        ::SetClipboardData(CF_TEXT, h);
    }
    ::CloseClipboard();
}

struct Controls {
    ControlsDialog dlg;
    Controls()
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
    ~Controls()
    {
        if (::IsWindow(dlg.m_hWnd)) {
            g_CmdManager->ProfileWndRemove(dlg.m_hWnd);
            dlg.DestroyWindow();
        }
        CExtPopupMenuWnd::ResetStandIn();
    }
    // The colour of the edit's border at the middle of its left edge, as the screen shows it.
    COLORREF FramePixel(CWnd& edit)
    {
        CRect rc;
        edit.GetWindowRect(&rc);
        HDC hDC = ::GetWindowDC(edit.m_hWnd);
        const COLORREF clr = ::GetPixel(hDC, 0, rc.Height() / 2);
        ::ReleaseDC(edit.m_hWnd, hDC);
        return clr;
    }
    POINT Away() { return orvtest::screenPoint(dlg.m_hWnd, {4, 4}); }
};

}  // namespace

TEST(ControlsEdit, MenuOpenedWithTheMouseEnablesByState)
{
    Controls c;
    CExtEdit& e = c.dlg.notes;
    struct Case {
        const char* name;
        const char* text;
        bool readOnly;
        int selStart, selEnd;
        bool clipboardText;
        const char* enabled;   // undo, cut, copy, paste, clear, select all
    } cases[] = {
        {"empty", "", false, 0, 0, false, "000000"},
        {"empty, clipboard text", "", false, 0, 0, true, "000100"},
        {"caret only", "abc", false, 1, 1, false, "000001"},
        {"part selected", "abcdef", false, 1, 3, true, "011111"},
        {"all selected", "abcdef", false, 0, 6, true, "011110"},
        {"read-only, part selected", "abcdef", true, 1, 3, true, "001001"},
        {"read-only, all selected", "abcdef", true, 0, 6, false, "001000"},
    };
    CRect rcClient;
    e.GetClientRect(&rcClient);
    for (const Case& k : cases) {
        CExtPopupMenuWnd::ResetStandIn();
        std::string seen = "not tracked";
        CExtPopupMenuWnd::standIn().onTrack = [&](CExtPopupMenuWnd&, const CExtPopupMenuTrackRecord& r) {
            seen = EnabledCommands(r.hWndOwner);
        };
        SetClipboardText(c.dlg.m_hWnd, k.clipboardText ? "clip" : NULL);
        e.SetReadOnly(FALSE);
        e.SetWindowText(k.text);
        e.SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
        e.SetReadOnly(k.readOnly);
        e.SetSel(k.selStart, k.selEnd);
        const POINT pt = orvtest::screenPoint(e.m_hWnd, {rcClient.right - 6, rcClient.Height() / 2});
        ASSERT_TRUE(orvtest::moveTo(c.Away(), c.dlg.m_hWnd)) << k.name;
        ASSERT_TRUE(orvtest::click(pt, e.m_hWnd, orvtest::Button::Right)) << k.name;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() == 1; })) << k.name;
        const CExtPopupMenuTrackRecord r = CExtPopupMenuWnd::standIn().tracked[0];
        EXPECT_EQ(e.m_hWnd, r.hWndOwner) << k.name;
        EXPECT_EQ(CPoint(pt), r.point) << k.name;   // at the pointer
        EXPECT_EQ(0x880u, r.nFlags) << k.name;
        EXPECT_EQ(8u, r.items.size()) << k.name;
        EXPECT_EQ(k.enabled, seen) << k.name;
        EXPECT_EQ(e.m_hWnd, ::GetFocus()) << k.name;   // the edit took the focus for its menu
        int s = -1, t = -1;
        e.GetSel(s, t);
        EXPECT_EQ(k.selStart, s) << k.name;   // the right click left the selection alone
        EXPECT_EQ(k.selEnd, t) << k.name;
    }
    SetClipboardText(c.dlg.m_hWnd, NULL);
}

TEST(ControlsEdit, MenuFromTheKeyboardOpensAtTheCentre)
{
    Controls c;
    CExtEdit& e = c.dlg.name;
    CRect rcClient;
    e.GetClientRect(&rcClient);
    e.ClientToScreen(&rcClient);
    const CPoint centre(rcClient.left + rcClient.Width() / 2, rcClient.top + rcClient.Height() / 2);

    // the context-menu key
    e.SetFocus();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == e.m_hWnd; }));
    orvtest::pressKey(VK_APPS);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() == 1; }));
    EXPECT_EQ(centre, CExtPopupMenuWnd::standIn().tracked[0].point);

    // Shift+F10. The system opens the context menu on F10 going down with Shift held, and enters
    // its own menu mode when F10 goes up unless another key went up in between: a real popup
    // holds the keyboard while it is open, the stand-in returns at once. So Shift goes up first,
    // as it does when a user lets go of the keys in that order. The steps run from a thread timer
    // and the script ends whatever modal loop runs if a step hangs.
    CExtPopupMenuWnd::ResetStandIn();
    GUITHREADINFO gti = {};
    orvtest::Script script({
        {"shift and F10 down",
         [] {
             orvtest::keyDown(VK_SHIFT);
             orvtest::keyDown(VK_F10);
             return true;
         }},
        {"menu asked for", [] { return CExtPopupMenuWnd::standIn().tracked.size() == 1; }},
        {"keys up",
         [] {
             orvtest::keyUp(VK_SHIFT);
             orvtest::keyUp(VK_F10);
             return true;
         }},
        {"keys handled",
         [&] {
             return (::GetAsyncKeyState(VK_F10) & 0x8000) == 0 && (::GetAsyncKeyState(VK_SHIFT) & 0x8000) == 0;
         }},
        {"no menu mode",
         [&] {
             gti.cbSize = sizeof gti;
             ::GetGUIThreadInfo(::GetCurrentThreadId(), &gti);
             if (gti.flags & GUI_INMENUMODE)
                 orvtest::pressKey(VK_ESCAPE);   // leave it, the check below fails
             return true;
         }},
    }, 5000);
    ASSERT_TRUE(script.run()) << script.failure;
    orvtest::pumpWaiting();
    EXPECT_EQ(0u, gti.flags & GUI_INMENUMODE);
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(centre, CExtPopupMenuWnd::standIn().tracked[0].point);
    EXPECT_EQ(e.m_hWnd, CExtPopupMenuWnd::standIn().tracked[0].hWndOwner);
}

TEST(ControlsEdit, HoverFrameFollowsThePointerAndItsTimerStops)
{
    ASSERT_TRUE(ctltest::pointerAvailable());
    Controls c;
    CExtEdit& e = c.dlg.notes;
    ASSERT_NE(e.m_hWnd, ::GetFocus());
    ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd)) << ctltest::recentPointerMessages();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !e.IsHover(); }));
    e.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    const COLORREF idle = c.FramePixel(e);
    auto hoverOn = [&](const char* what) {
        ASSERT_TRUE(ctltest::pointerTo(orvtest::centreOf(e.m_hWnd), e.m_hWnd)) << what;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return e.IsHover(); })) << what;
        EXPECT_TRUE(e.IsHoverTimerRunning()) << what;
    };

    // over the edit: the border lights up; away: it goes back and the timer stops
    hoverOn("first");
    EXPECT_TRUE(orvtest::pumpUntil([&] { return c.FramePixel(e) != idle; }));
    ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !e.IsHover() && !e.IsHoverTimerRunning(); }));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return c.FramePixel(e) == idle; }));
    EXPECT_FALSE(::KillTimer(e.m_hWnd, CExtEdit::HOVER_TIMER_ID));   // no timer left behind

    // hidden while hovered
    hoverOn("before hiding");
    e.ShowWindow(SW_HIDE);
    EXPECT_FALSE(e.IsHover());
    EXPECT_FALSE(e.IsHoverTimerRunning());
    EXPECT_FALSE(::KillTimer(e.m_hWnd, CExtEdit::HOVER_TIMER_ID));

    // hidden with its dialog: the edit hears nothing of it, its next tick stops the timer
    e.ShowWindow(SW_SHOW);
    ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd));
    hoverOn("before its dialog hides");
    orvtest::MessageRecorder ticks(e.m_hWnd, {WM_TIMER});
    c.dlg.ShowWindow(SW_HIDE);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !e.IsHoverTimerRunning(); }));
    EXPECT_FALSE(::KillTimer(e.m_hWnd, CExtEdit::HOVER_TIMER_ID));
    const size_t nTicks = ticks.received().size();
    // a timer of the same period set now ticks; the edit's own does not any more
    ASSERT_TRUE(::SetTimer(c.dlg.m_hWnd, 77, CExtEdit::HOVER_TIMER_PERIOD, NULL) != 0);
    orvtest::MessageRecorder dialogTicks(c.dlg.m_hWnd, {WM_TIMER});
    ASSERT_TRUE(dialogTicks.waitFor(3));
    ::KillTimer(c.dlg.m_hWnd, 77);
    EXPECT_EQ(nTicks, ticks.received().size());

    // destroyed while hovered
    c.dlg.ShowWindow(SW_SHOW);
    c.dlg.SetForegroundWindow();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetActiveWindow() == c.dlg.m_hWnd; }));
    ASSERT_TRUE(ctltest::pointerTo(c.Away(), c.dlg.m_hWnd));
    hoverOn("before destroying");
    HWND hEdit = e.m_hWnd;
    e.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_FALSE(e.IsHover());
    EXPECT_FALSE(e.IsHoverTimerRunning());
}

TEST(ControlsEdit, AParentThatDestroysTheEditInItsNotification)
{
    struct Case {
        const char* name;
        WORD code;
    } cases[] = {{"set focus", EN_SETFOCUS}, {"kill focus", EN_KILLFOCUS}};
    for (const Case& k : cases) {
        Controls c;
        CExtEdit& e = c.dlg.notes;
        HWND hEdit = e.m_hWnd;
        c.dlg.onCommand = [&](WPARAM wParam, LPARAM lParam) {
            if (HIWORD(wParam) == k.code && (HWND)lParam == hEdit) {
                ::DestroyWindow(hEdit);
                return true;
            }
            return false;
        };
        ASSERT_TRUE(ctltest::pointerClick(orvtest::centreOf(hEdit), c.dlg.m_hWnd)) << k.name;
        if (k.code == EN_KILLFOCUS) {
            ASSERT_TRUE(ctltest::pointerClick(orvtest::centreOf(c.dlg.name.m_hWnd), c.dlg.m_hWnd)) << k.name;
        }
        ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hEdit); })) << k.name;
        orvtest::pumpWaiting();
        EXPECT_EQ(NULL, e.m_hWnd) << k.name;
    }
}
