// A test frame with the library's docking and a tool bar loaded from toolbar_test.rc, as the
// GUI's main frame has one: commands reaching the frame are recorded, and update handlers give
// the commands the states a test sets.
#pragma once
#include "orv/UiTest.h"
#include <afxdocking.h>
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPopupMenuWnd.h"
#include "ExtToolBarStandIns.h"
#include "toolbar_test_resources.h"
#include <map>
#include <vector>

namespace tbtest {

const UINT kToolBarID = 0xE800;
const DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

class ToolFrame : public CFrameWnd {
public:
    bool Build(const CRect& rc, UINT nToolBarResource) {
        if (!Create(NULL, "Tool bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc))
            return false;
        m_pView = new CWnd;
        if (!m_pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                             CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return false;
        if (!g_CmdManager->ProfileSetup("toolbar test", m_hWnd))
            return false;
        if (!CExtControlBar::FrameEnableDocking(this))
            return false;
        if (!m_bar.Create("ToolBar", this, kToolBarID, kToolBarStyle) || !m_bar.LoadToolBar(nToolBarResource))
            return false;
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        RecalcLayout();
        return true;
    }
    CWnd* m_pView = nullptr;
    CExtToolControlBar m_bar;
    std::vector<UINT> m_commands;        // commands that reached the frame, in order
    std::map<UINT, bool> m_enabled;      // update handlers' enable states (absent: enabled)
    std::map<UINT, int> m_checks;        // update handlers' check states (absent: not set)

protected:
    afx_msg void OnToolCommand(UINT nID) { m_commands.push_back(nID); }
    afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI) {
        const auto e = m_enabled.find(pCmdUI->m_nID);
        pCmdUI->Enable(e == m_enabled.end() || e->second);
        const auto c = m_checks.find(pCmdUI->m_nID);
        if (c != m_checks.end())
            pCmdUI->SetCheck(c->second);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_TB_NEW, ID_TB_LOG_WEEK, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TB_NEW, ID_TB_LOG_WEEK, OnUpdateToolCommand)
END_MESSAGE_MAP()

struct FrameHolder {
    ToolFrame* pFrame = nullptr;
    HWND hWnd = NULL;
    explicit FrameHolder(const CRect& rc = CRect(40, 40, 640, 380), UINT nToolBar = IDR_TB16) {
        orvtest::uiApp("tool bar tests");
        CExtToolControlBar::g_bMenuTracking = false;
        pFrame = new ToolFrame;
        EXPECT_TRUE(pFrame->Build(rc, nToolBar));
        hWnd = pFrame->m_hWnd;
        AfxGetApp()->m_pMainWnd = pFrame;
        pFrame->UpdateWindow();
        pFrame->SetForegroundWindow();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == hWnd; }));
        orvtest::pumpWaiting();
    }
    ~FrameHolder() {
        AfxGetApp()->m_pMainWnd = nullptr;
        CExtPopupMenuWnd::CancelMenuTracking();
        if (::IsWindow(hWnd)) {
            g_CmdManager->ProfileWndRemove(hWnd, true);
            pFrame->DestroyWindow();
        }
        CExtToolControlBar::g_bMenuTracking = false;
    }
    CExtToolControlBar& Bar() { return pFrame->m_bar; }
    int Index(UINT nCmdID) {
        for (int i = 0; i < Bar().GetButtonsCount(); i++)
            if (Bar().GetButtonCommand(i) == nCmdID && !Bar().IsChevronButton(i))
                return i;
        return -1;
    }
    CExtBarButton* Button(UINT nCmdID) { return Bar().GetButton(Index(nCmdID)); }
    CExtCmdItem* Item(UINT nCmdID) { return g_CmdManager->GetCommand("toolbar test", nCmdID); }
    CPoint Centre(UINT nCmdID) { return Button(nCmdID)->GetRect().CenterPoint(); }
    // Gives a button the frame's menu resource as its drop-down.
    void SetDropDown(UINT nCmdID, UINT nMenu, bool bSeparated) {
        CMenu menu;
        menu.LoadMenu(nMenu);
        HMENU hSub = ::GetSubMenu(menu.m_hMenu, 0);
        ::RemoveMenu(menu.m_hMenu, 0, MF_BYPOSITION);
        Button(nCmdID)->SetMenu(hSub, false, true);
        Button(nCmdID)->SetSeparatedDropDown(bSeparated);
        pFrame->RecalcLayout();
        Bar().AdjustButtonsLayout();
    }
    // Lays the frame out at a client width (the tool bar follows).
    void SetFrameWidth(int cx) {
        CRect rc;
        pFrame->GetWindowRect(&rc);
        pFrame->SetWindowPos(NULL, 0, 0, cx, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout();
        orvtest::pumpWaiting();
        Bar().AdjustButtonsLayout();
    }
    std::vector<UINT> Hidden() {
        std::vector<UINT> ids;
        CExtBarContentExpandButton* p = Bar().GetChevron();
        if (p != NULL)
            for (INT_PTR i = 0; i < p->GetHiddenButtons().GetSize(); i++)
                ids.push_back(p->GetHiddenButtons()[i]->GetCommandId());
        return ids;
    }
    // No button of the bar pressed or hot, no capture, no tracking left.
    ::testing::AssertionResult Quiet() {
        if (::GetCapture() != NULL)
            return ::testing::AssertionFailure() << "a window holds the capture: " << orvtest::className(::GetCapture());
        if (CExtToolControlBar::g_bMenuTracking)
            return ::testing::AssertionFailure() << "the menu-tracking flag is set";
        if (CExtPopupMenuWnd::IsAnyMenuTracked())
            return ::testing::AssertionFailure() << "a popup menu is open";
        if (::IsWindow(hWnd)) {
            if (Bar().m_nBtnIdxCapture != -1 || Bar().m_nBtnIdxMenuTracking != -1)
                return ::testing::AssertionFailure() << "pressed " << Bar().m_nBtnIdxCapture << ", tracked "
                                                     << Bar().m_nBtnIdxMenuTracking;
            for (int i = 0; i < Bar().GetButtonsCount(); i++)
                if ((Bar().GetButtonStyle(i) & TBBS_PRESSED) != 0)
                    return ::testing::AssertionFailure() << "button " << i << " is drawn pressed";
        }
        return ::testing::AssertionSuccess();
    }
};

}  // namespace tbtest
