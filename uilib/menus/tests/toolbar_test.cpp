// The tool bar in a test frame, driven by the messages a window gets (no real input): button
// measuring, tool tips, editing the buttons, mnemonics and hit tests, the chevron's list, a
// button's command state, the press and release in every way a press ends, and menus that
// could not open. The tests with real input are in toolbar_input_test.cpp.
#include "ToolBarFixture.h"
#include "CExtPaintManagerHolder.h"
#include <cstdlib>
#include <memory>
#include <string>

using tbtest::FrameHolder;

namespace {

LPARAM At(const CPoint& pt) { return MAKELPARAM(pt.x, pt.y); }

int TextWidth(CExtToolControlBar& bar, const char* text) {
    CClientDC dc(&bar);
    CFont* pOld = dc.SelectObject(bar.GetBarFont(false));
    CRect rc(0, 0, 0, 0);
    dc.DrawText(text, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOld);
    return rc.Width();
}

CSize Measure(CExtToolControlBar& bar, CExtBarButton* p, bool bHorz) {
    CClientDC dc(&bar);
    CFont* pOld = dc.SelectObject(bar.GetBarFont(!bHorz));
    const CSize size = p->MeasureButton(&dc, bar.GetButtonDefaultSize(), bHorz);
    dc.SelectObject(pOld);
    return size;
}

}  // namespace

// 1. What a button measures: the icon and the text (an access mark takes no room, "&&" is one
// "&"), the drop-down part, large icons, separators and commands the profile does not know.
TEST(ToolBarButtons, MeasuringTable) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    CExtMenuControlBar menuBar;
    ASSERT_TRUE(menuBar.Create("Menu", f.pFrame, 0xE900, tbtest::kToolBarStyle));
    struct Case {
        const char* name;
        const char* text;
        bool dropDown, menuBar, large, horz;
        int cx, cy;   // -1: computed from the text
    };
    const int cxAmp = TextWidth(bar, "Run & stop");
    const int cxRun = TextWidth(bar, "Run");
    const Case cases[] = {
        {"icon only", "", false, false, false, true, 23, 22},
        {"icon and text", "Run", false, false, false, true, 16 + cxRun + 12, 22},
        {"an access mark takes no room", "&Run", false, false, false, true, 16 + cxRun + 12, 22},
        {"a doubled ampersand is one", "Run && stop", false, false, false, true, 16 + cxAmp + 12, 22},
        {"drop-down part", "", true, false, false, true, 23 + 11, 22},
        {"drop-down part down a vertical bar", "", true, false, false, false, 23, 22 + 11},
        {"no drop-down part on a menu bar", "", true, true, false, true, 23, 22},
        {"large icons are twice the size", "", false, false, true, true, 38, 38},
    };
    for (const Case& c : cases) {
        CExtToolControlBar& host = c.menuBar ? static_cast<CExtToolControlBar&>(menuBar) : bar;
        std::unique_ptr<CExtBarButton> p(new CExtBarButton(&host, ID_TB_RUN_NOW, 0));
        f.Item(ID_TB_RUN_NOW)->m_sToolbarText = c.text;
        if (c.dropDown)
            p->SetMenu(::CreatePopupMenu(), false, true);
        CExtToolControlBar::g_bDisplayLargeIcons = c.large;
        EXPECT_EQ(CSize(c.cx, c.cy), Measure(host, p.get(), c.horz)) << c.name;
        CExtToolControlBar::g_bDisplayLargeIcons = false;
    }
    f.Item(ID_TB_RUN_NOW)->m_sToolbarText = "";
    // separators: 6 along the bar
    CExtBarButton sep(&bar, 0, 0);
    EXPECT_TRUE(sep.IsSeparator());
    EXPECT_EQ(CSize(6, 22), Measure(bar, &sep, true));
    EXPECT_EQ(CSize(23, 6), Measure(bar, &sep, false));
    // a command the profile does not know: the default size, no drop-down part
    CExtBarButton unknown(&bar, 0x7777, 0);
    unknown.SetMenu(::CreatePopupMenu(), false, true);
    EXPECT_EQ(CSize(23, 22), Measure(bar, &unknown, true));
    // the chevron: 11 along the bar
    EXPECT_EQ(CSize(11, 22), Measure(bar, bar.GetChevron(), true));
    menuBar.DestroyWindow();
}

// 2. Tool tips: the tip, with the shortcut when the switch asks for it; none without a tip or
// with tips off; the chevron's own. The text is the caller's to free().
TEST(ToolBarButtons, ToolTipTable) {
    FrameHolder f;
    CExtBarButton* p = f.Button(ID_TB_NEW);
    struct Case {
        const char* tip;
        const char* accel;
        bool tips, shortcuts;
        INT_PTR result;
        const char* text;
    };
    const Case cases[] = {
        {"New item", "Ctrl+N", true, false, ID_TB_NEW, "New item"},
        {"New item", "Ctrl+N", true, true, ID_TB_NEW, "New item (Ctrl+N)"},
        {"New item", "", true, true, ID_TB_NEW, "New item"},
        {"", "Ctrl+N", true, true, -1, nullptr},
        {"New item", "Ctrl+N", false, true, -1, nullptr},
    };
    for (const Case& c : cases) {
        f.Item(ID_TB_NEW)->m_sTipTool = c.tip;
        f.Item(ID_TB_NEW)->m_sAccelText = c.accel;
        CExtToolControlBar::g_bDisplayToolTips = c.tips;
        CExtToolControlBar::g_bDisplayTipShortcuts = c.shortcuts;
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        EXPECT_EQ(c.result, p->FillToolTipInfo(CPoint(0, 0), &ti)) << c.tip << c.shortcuts;
        if (c.text != nullptr) {
            EXPECT_STREQ(c.text, ti.lpszText);
            EXPECT_EQ(f.Bar().m_hWnd, ti.hwnd);
            EXPECT_EQ(p->GetRect(), CRect(ti.rect));
            ::free(ti.lpszText);
        }
    }
    CExtToolControlBar::g_bDisplayToolTips = true;
    CExtToolControlBar::g_bDisplayTipShortcuts = false;
    TOOLINFOA ti = {};
    EXPECT_EQ((INT_PTR)0xE001, f.Bar().GetChevron()->FillToolTipInfo(CPoint(0, 0), &ti));
    EXPECT_STREQ("Where are buttons?", ti.lpszText);
    ::free(ti.lpszText);
    EXPECT_EQ(-1, f.Bar().GetChevron()->FillToolTipInfo(CPoint(0, 0), NULL));
}

// 3. Editing the buttons: insertion before the chevron, bad positions refused, the chevron
// cannot be removed, an empty list leaves no chevron, a panel never gets one.
TEST(ToolBarButtons, EditingTable) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    const int n = bar.GetButtonsCount();
    ASSERT_EQ(14, n);   // thirteen from the resource and the chevron
    EXPECT_TRUE(bar.IsChevronButton(n - 1));
    struct Case {
        const char* name;
        int pos;
        bool ok;
        int at;   // where the new button lands
    };
    const Case cases[] = {
        {"-1: before the chevron", -1, true, n - 1},
        {"the count: before the chevron", n + 1, true, n},
        {"the count + 1 fails", n + 3, false, -1},
        {"the first place", 0, true, 0},
    };
    for (const Case& c : cases) {
        const int nBefore = bar.GetButtonsCount();
        EXPECT_EQ(c.ok, bar.InsertButton(c.pos, ID_TB_CLEAR, false)) << c.name;
        EXPECT_EQ(nBefore + (c.ok ? 1 : 0), bar.GetButtonsCount()) << c.name;
        if (c.ok) {
            EXPECT_EQ((UINT)ID_TB_CLEAR, bar.GetButtonCommand(c.at)) << c.name;
        }
        EXPECT_TRUE(bar.IsChevronButton(bar.GetButtonsCount() - 1)) << c.name;
    }
    const int nNow = bar.GetButtonsCount();
    EXPECT_FALSE(bar.RemoveButton(nNow - 1));
    EXPECT_FALSE(bar.RemoveButton(nNow));
    EXPECT_FALSE(bar.RemoveButton(-1));
    EXPECT_EQ(nNow, bar.GetButtonsCount());
    EXPECT_TRUE(bar.RemoveButton(0));
    EXPECT_EQ(nNow - 1, bar.GetButtonsCount());
    EXPECT_EQ(0u, bar.GetButtonCommand(100));
    EXPECT_EQ(0u, bar.GetButtonStyle(-1));
    EXPECT_TRUE(bar.SetButtons(NULL, 0));
    EXPECT_EQ(0, bar.GetButtonsCount());
    EXPECT_EQ(nullptr, bar.GetChevron());
    // with no buttons the bar is the default button's size (and 4 more across without a dock site)
    CExtToolControlBar loose;
    EXPECT_EQ(CSize(23, 22 + 4), loose.CalcFixedLayout(FALSE, TRUE));
    const UINT ids[] = {ID_TB_NEW, 0, ID_TB_LOG};
    CExtToolControlBar panel;
    panel.m_nBarModeFlags |= CExtToolControlBar::modePanel;
    EXPECT_TRUE(panel.SetButtons(ids, 3));
    EXPECT_EQ(3, panel.GetButtonsCount());
    EXPECT_EQ(nullptr, panel.GetChevron());
    EXPECT_TRUE(panel.GetButton(1)->IsSeparator());
}

// 4. The chevron: a narrow bar lists what it hid in bar order (a separator between buttons a
// separator divided), widening brings the buttons back, and a removed button leaves the list.
TEST(ToolBarChevron, HiddenListFollowsTheWidth) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    EXPECT_TRUE(f.Hidden().empty());
    f.SetFrameWidth(200);
    const std::vector<UINT> hidden = f.Hidden();
    ASSERT_FALSE(hidden.empty());
    EXPECT_EQ((UINT)ID_TB_LOG, hidden.back());
    EXPECT_NE(0u, hidden.front()) << "the list does not begin with a separator";
    for (size_t i = 1; i < hidden.size(); i++)
        EXPECT_FALSE(hidden[i] == 0 && hidden[i - 1] == 0);
    CRect rcClient;
    bar.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.right - bar.m_cxRightBorder, bar.GetChevron()->GetRect().right) << "the chevron ends the bar";
    for (int i = 0; i < bar.GetButtonsCount() - 1; i++) {
        if (bar.GetButton(i)->IsVisible()) {
            EXPECT_LE(bar.GetButton(i)->GetRect().right, bar.GetChevron()->GetRect().left);
        }
    }
    // a hidden button is found by no mnemonic
    f.Item(ID_TB_LOG)->m_sToolbarText = "&Log";
    EXPECT_EQ(-1, bar.FindButtonByMnemonic('L'));
    // removing a hidden button without a new layout takes it out of the chevron's list
    const int nLog = f.Index(ID_TB_LOG);
    CExtBarButton* pLog = bar.GetButton(nLog);
    ASSERT_TRUE(bar.RemoveButton(nLog, false));
    const CArray<CExtBarButton*, CExtBarButton*>& list = bar.GetChevron()->GetHiddenButtons();
    for (INT_PTR i = 0; i < list.GetSize(); i++) {
        EXPECT_NE(pLog, list[i]);
        EXPECT_GE(bar.GetButtonIndex(list[i]), 0) << "every listed button is still on the bar";
    }
    f.SetFrameWidth(700);
    EXPECT_TRUE(f.Hidden().empty());
    for (int i = 0; i < bar.GetButtonsCount() - 1; i++)
        EXPECT_TRUE(bar.GetButton(i)->IsVisible()) << i;
}

// 5. Mnemonics and hit tests.
TEST(ToolBarButtons, MnemonicsAndHitTests) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    f.Item(ID_TB_RUN_NOW)->m_sToolbarText = "&Run now";
    f.Item(ID_TB_LOG)->m_sToolbarText = "Log&";
    f.Item(ID_TB_CLEAR)->m_sToolbarText = "C&lear";
    f.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    ASSERT_TRUE(f.Hidden().empty());
    EXPECT_EQ(f.Index(ID_TB_RUN_NOW), bar.FindButtonByMnemonic('R'));
    EXPECT_EQ(f.Index(ID_TB_CLEAR), bar.FindButtonByMnemonic('L')) << "a trailing '&' marks nothing";
    EXPECT_EQ(-1, bar.FindButtonByMnemonic('Q'));
    // exact hits; separators are not hit by HitTestButton
    EXPECT_EQ(f.Index(ID_TB_NEW), bar.HitTestButton(f.Centre(ID_TB_NEW).x, f.Centre(ID_TB_NEW).y));
    const CRect rcSep = bar.GetButton(2)->GetRect();
    ASSERT_TRUE(bar.GetButton(2)->IsSeparator());
    EXPECT_EQ(-1, bar.HitTestButton(rcSep.CenterPoint().x, rcSep.CenterPoint().y));
    // nearest: a point in line with the row wins over a nearer button out of line
    bar.SetButtons(NULL, 0);
    for (int i = 0; i < 3; i++)
        bar.InsertSpecButton(-1, new CExtBarButton(&bar, ID_TB_NEW + i, 0), false);
    bar.GetButton(0)->SetRect(CRect(0, 0, 20, 20));
    bar.GetButton(1)->SetRect(CRect(200, 40, 220, 60));
    bar.GetButton(2)->SetRect(CRect(0, 100, 20, 120));
    EXPECT_EQ(1, bar.HitTestButtons(30, 45, 0, 0, true)) << "in line, though farther than the first";
    EXPECT_EQ(2, bar.HitTestButtons(10, 80, 0, 0, true)) << "none in line: the nearest";
    EXPECT_EQ(-1, bar.HitTestButtons(30, 45, 0, 0, false));
}

// 6. A button's command state from the frame's update handlers; the chevron is left alone.
TEST(ToolBarButtons, CommandStatesFromHandlers) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    f.pFrame->m_enabled[ID_TB_DELETE] = false;
    f.pFrame->m_checks[ID_TB_SUSPEND] = 1;
    f.pFrame->m_checks[ID_TB_ACTIVATE] = 2;
    bar.OnUpdateCmdUI(f.pFrame, TRUE);
    EXPECT_TRUE(f.Button(ID_TB_DELETE)->IsDisabled());
    EXPECT_FALSE(f.Item(ID_TB_DELETE)->IsEnabled());
    EXPECT_EQ((DWORD)(TBBS_CHECKED | TBBS_CHECKBOX), f.Button(ID_TB_SUSPEND)->GetStyle());
    EXPECT_TRUE(f.Item(ID_TB_SUSPEND)->IsChecked());
    EXPECT_EQ((DWORD)(TBBS_INDETERMINATE | TBBS_CHECKBOX), f.Button(ID_TB_ACTIVATE)->GetStyle());
    EXPECT_FALSE(f.Button(ID_TB_NEW)->IsDisabled());
    EXPECT_EQ(0u, bar.GetChevron()->GetStyle() & (TBBS_DISABLED | TBBS_CHECKBOX));
    f.pFrame->m_enabled[ID_TB_DELETE] = true;
    bar.OnUpdateCmdUI(f.pFrame, TRUE);
    EXPECT_FALSE(f.Button(ID_TB_DELETE)->IsDisabled());
}

// 7. Press and release by messages: off and back on the button, a release elsewhere changes
// nothing but the pressed look, check buttons toggle only over themselves, an indeterminate one
// becomes checked or unchecked, a disabled one is never pressed, a double click is a release
// and a press.
TEST(ToolBarTracking, PressAndReleaseTable) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    const HWND hBar = bar.m_hWnd;
    struct Case {
        const char* name;
        UINT cmd;
        DWORD styleBefore;
        bool disabled;
        bool releaseOver;
        DWORD styleAfter;
        size_t commands;
    };
    const Case cases[] = {
        {"plain click", ID_TB_NEW, 0, false, true, 0, 1},
        {"released elsewhere", ID_TB_NEW, 0, false, false, 0, 0},
        {"check button on", ID_TB_SUSPEND, TBBS_CHECKBOX, false, true, TBBS_CHECKBOX | TBBS_CHECKED, 1},
        {"check button off", ID_TB_SUSPEND, TBBS_CHECKBOX | TBBS_CHECKED, false, true, TBBS_CHECKBOX, 1},
        {"check button released elsewhere", ID_TB_SUSPEND, TBBS_CHECKBOX | TBBS_CHECKED, false, false,
         TBBS_CHECKBOX | TBBS_CHECKED, 0},
        {"indeterminate becomes checked", ID_TB_ACTIVATE, TBBS_CHECKBOX | TBBS_INDETERMINATE, false, true,
         TBBS_CHECKBOX | TBBS_CHECKED, 1},
        {"checked and indeterminate becomes unchecked", ID_TB_ACTIVATE,
         TBBS_CHECKBOX | TBBS_INDETERMINATE | TBBS_CHECKED, false, true, TBBS_CHECKBOX, 1},
        {"disabled", ID_TB_DELETE, 0, true, true, TBBS_DISABLED, 0},
    };
    for (const Case& c : cases) {
        f.pFrame->m_commands.clear();
        f.pFrame->m_enabled[c.cmd] = !c.disabled;
        // the update handlers keep the check state the test gives
        f.pFrame->m_checks.erase(c.cmd);
        const int nIndex = f.Index(c.cmd);
        bar.SetButtonStyle(nIndex, c.styleBefore | (c.disabled ? TBBS_DISABLED : 0));
        const CPoint pt = f.Centre(c.cmd);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
        if (c.disabled) {
            EXPECT_EQ(-1, bar.m_nBtnIdxCapture) << c.name;
            EXPECT_EQ(0u, bar.GetButtonStyle(nIndex) & TBBS_PRESSED) << c.name;
            EXPECT_NE(hBar, ::GetCapture()) << c.name;
        } else {
            EXPECT_EQ(nIndex, bar.m_nBtnIdxCapture) << c.name;
            EXPECT_NE(0u, bar.GetButtonStyle(nIndex) & TBBS_PRESSED) << c.name;
            EXPECT_EQ(hBar, ::GetCapture()) << c.name;
            // off the button it shows released, back on it pressed again
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y + 200));
            EXPECT_EQ(0u, bar.GetButtonStyle(nIndex) & TBBS_PRESSED) << c.name;
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pt));
            EXPECT_NE(0u, bar.GetButtonStyle(nIndex) & TBBS_PRESSED) << c.name;
        }
        const CPoint ptUp = c.releaseOver ? pt : CPoint(pt.x, pt.y + 200);
        bar.SendMessage(WM_LBUTTONUP, 0, At(ptUp));
        EXPECT_EQ(c.styleAfter, bar.GetButtonStyle(nIndex)) << c.name;
        EXPECT_EQ(c.commands, f.pFrame->m_commands.size()) << c.name;
        EXPECT_TRUE(f.Quiet()) << c.name;
    }
    // a double click: a release and a new press, whose release delivers once more
    f.pFrame->m_commands.clear();
    const CPoint pt = f.Centre(ID_TB_NEW);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
    bar.SendMessage(WM_LBUTTONUP, 0, At(pt));
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt));
    EXPECT_EQ(f.Index(ID_TB_NEW), bar.m_nBtnIdxCapture);
    bar.SendMessage(WM_LBUTTONUP, 0, At(pt));
    EXPECT_EQ(std::vector<UINT>({ID_TB_NEW, ID_TB_NEW}), f.pFrame->m_commands);
    EXPECT_TRUE(f.Quiet());
}

// 8. Every way a press ends without a release leaves no capture and no button drawn pressed.
TEST(ToolBarTracking, APressEndsCleanlyOnEveryPath) {
    struct Case {
        const char* name;
        std::function<void(FrameHolder&)> end;
    };
    const std::vector<Case> cases = {
        {"Esc", [](FrameHolder&) {
             orvtest::pressKey(VK_ESCAPE);
             orvtest::pumpUntil([] { return ::GetCapture() == NULL; });
         }},
        {"cancel mode", [](FrameHolder& f) { f.Bar().SendMessage(WM_CANCELMODE); }},
        {"capture taken by another window", [](FrameHolder& f) { ::SetCapture(f.pFrame->m_pView->m_hWnd); ::ReleaseCapture(); }},
        {"the bar destroyed", [](FrameHolder& f) { f.Bar().DestroyWindow(); }},
    };
    for (const Case& c : cases) {
        FrameHolder f;
        const int nIndex = f.Index(ID_TB_NEW);
        f.Bar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(f.Centre(ID_TB_NEW)));
        ASSERT_EQ(nIndex, f.Bar().m_nBtnIdxCapture) << c.name;
        c.end(f);
        orvtest::pumpWaiting();
        EXPECT_TRUE(f.Quiet()) << c.name;
        if (f.Bar().GetSafeHwnd() != NULL) {
            EXPECT_EQ(-1, f.Bar().m_nBtnIdxCapture) << c.name;
            // the release that may still come delivers nothing
            f.Bar().SendMessage(WM_LBUTTONUP, 0, At(f.Centre(ID_TB_NEW)));
        }
        EXPECT_TRUE(f.pFrame->m_commands.empty()) << c.name;
    }
}

// 9. Drop-down menus by messages with the popup's recording seam: a refused popup leaves no
// index, capture or flag and is deleted once; the open button's menu is not opened again; the
// popup is aligned by the bar's side and joined to the button.
TEST(ToolBarTracking, DropDownMenus) {
    FrameHolder f;
    CExtToolControlBar& bar = f.Bar();
    CExtPopupMenuWnd::standIn().bRecording = true;
    CExtPopupMenuWnd::ResetStandIn();
    f.SetDropDown(ID_TB_RUN_ALL, IDM_TB_RUN, false);
    f.SetDropDown(ID_TB_LOG, IDM_TB_LOG, true);
    const int nRun = f.Index(ID_TB_RUN_ALL);
    const int nLive = CExtPopupMenuWnd::standIn().nLive;
    // a refused popup
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(f.Centre(ID_TB_RUN_ALL)));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    EXPECT_EQ(nLive, CExtPopupMenuWnd::standIn().nLive) << "the refused popup was deleted";
    EXPECT_NE(bar.m_hWnd, ::GetCapture());
    bar.SendMessage(WM_LBUTTONUP, 0, At(f.Centre(ID_TB_RUN_ALL)));
    EXPECT_TRUE(f.Quiet());
    EXPECT_TRUE(f.pFrame->m_commands.empty());
    // a popup that opens: top-aligned (4) with the drop-down flags, the button's rectangle excluded
    CExtPopupMenuWnd::ResetStandIn();
    bool bMarkedWhileOpen = false;
    CExtPopupMenuWnd::standIn().onTrack = [&](CExtPopupMenuWnd& popup, const CExtPopupMenuTrackRecord&) {
        bMarkedWhileOpen = bar.m_nBtnIdxMenuTracking == nRun && (bar.GetButtonStyle(nRun) & TBBS_PRESSED) != 0 &&
                           popup.m_pDroppedFromBar == &bar;
    };
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(f.Centre(ID_TB_RUN_ALL)));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    const CExtPopupMenuTrackRecord r = CExtPopupMenuWnd::standIn().tracked[0];
    EXPECT_EQ(4u | 0x820u, r.nFlags);
    CRect rcButton = bar.GetButton(nRun)->GetRect();
    bar.ClientToScreen(&rcButton);
    EXPECT_EQ(rcButton, r.rcExclude);
    EXPECT_TRUE(bMarkedWhileOpen);
    bar.SendMessage(WM_LBUTTONUP, 0, At(f.Centre(ID_TB_RUN_ALL)));
    EXPECT_TRUE(f.pFrame->m_commands.empty()) << "a drop-down's release delivers nothing";
    // the separated drop-down: its main part is a button, its arrow opens the menu
    CExtPopupMenuWnd::ResetStandIn();
    const CRect rcLog = f.Button(ID_TB_LOG)->GetRect();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(rcLog.left + 4, rcLog.top + 4)));
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked.empty());
    bar.SendMessage(WM_LBUTTONUP, 0, At(CPoint(rcLog.left + 4, rcLog.top + 4)));
    EXPECT_EQ(std::vector<UINT>({ID_TB_LOG}), f.pFrame->m_commands);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(rcLog.right - 4, rcLog.top + 4)));
    EXPECT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    bar.SendMessage(WM_LBUTTONUP, 0, At(CPoint(rcLog.right - 4, rcLog.top + 4)));
    EXPECT_EQ(1u, f.pFrame->m_commands.size()) << "the arrow's release delivers nothing";
    // while a tool-bar menu is open, the mouse on another drop-down button moves the menu there
    CExtPopupMenuWnd::ResetStandIn();
    const int nLog = f.Index(ID_TB_LOG);
    CExtPopupMenuWnd::standIn().bAnyMenuTracked = true;
    CExtToolControlBar::g_bMenuTracking = true;
    bar.SetTrackedButton(nRun);
    bar.SendMessage(WM_MOUSEMOVE, 0, At(f.Centre(ID_TB_LOG)));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    ASSERT_FALSE(CExtPopupMenuWnd::standIn().tracked[0].items.empty());
    EXPECT_EQ((UINT)ID_TB_LOG_TODAY, CExtPopupMenuWnd::standIn().tracked[0].items[0].nCmdID);
    EXPECT_EQ(nLog, bar.m_nBtnIdxMenuTracking);
    EXPECT_EQ(0u, bar.GetButtonStyle(nRun) & TBBS_PRESSED) << "the first button is released";
    EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
    // a plain button under the mouse opens nothing
    bar.SendMessage(WM_MOUSEMOVE, 0, At(f.Centre(ID_TB_NEW)));
    EXPECT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    CExtPopupMenuWnd::standIn().bAnyMenuTracked = false;
    CExtToolControlBar::CancelAllBarsTracking();
    bar.SendMessage(WM_CANCELMODE);
    // the button whose menu is open: nothing opens again
    CExtPopupMenuWnd::ResetStandIn();
    CExtPopupMenuWnd::standIn().bAnyMenuTracked = true;
    CExtToolControlBar::g_bMenuTracking = true;
    bar.m_nBtnIdxMenuTracking = nRun;
    EXPECT_TRUE(bar.TrackButtonMenu(nRun));
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked.empty());
    CExtPopupMenuWnd::standIn().bAnyMenuTracked = false;
    CExtToolControlBar::CancelAllBarsTracking();
    EXPECT_EQ(-1, bar.m_nBtnIdxMenuTracking);
    EXPECT_FALSE(bar.TrackButtonMenu(f.Index(ID_TB_NEW))) << "a button without a menu";
    CExtPopupMenuWnd::standIn().onTrack = nullptr;
    CExtPopupMenuWnd::ResetStandIn();
    EXPECT_TRUE(f.Quiet());
}
