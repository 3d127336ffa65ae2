#include "orv/gtest.h"
#include "BarsFixture.h"
#include "ExtDockRows.h"
#include "orv/UiTest.h"

namespace barstest {

CWinApp& App() { return orvtest::uiApp("Orvane bar tests"); }

bool ColourPanel::CreateIn(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName) {
    if (!Create(lpszName, pFrame, nID, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP))
        return false;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, NULL, ::CreateSolidBrush(m_clr));
    if (!m_child.Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, 1))
        return false;
    EnableDocking(CBRS_ALIGN_ANY);
    return true;
}

void ColourPanel::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    m_nUpdates++;
    CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

BEGIN_MESSAGE_MAP(BarsFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_PANEL_FIRST, ID_BAR_LAST, OnBarCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PANEL_FIRST, ID_BAR_LAST, OnUpdateBarCommand)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, OnConstructPopupMenu)
END_MESSAGE_MAP()

BOOL BarsFrame::CreateAt(const CRect& rect, LPCTSTR lpszTitle) {
    if (!Create(NULL, lpszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect))
        return FALSE;
    m_pView = new CWnd;
    return m_pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                           CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
}

bool BarsFrame::CreateStatusBar() {
    static const UINT indicators[] = {0};
    return m_status.Create(this) && m_status.SetIndicators(indicators, 1);
}

void BarsFrame::OnBarCommand(UINT nID) { CExtControlBar::ShowHideBarCommand(this, nID, true); }

void BarsFrame::OnUpdateBarCommand(CCmdUI* pCmdUI) { CExtControlBar::ShowHideBarUpdate(this, pCmdUI, true); }

LRESULT BarsFrame::OnSetMessageString(WPARAM wParam, LPARAM) {
    m_messageStrings.push_back((UINT)wParam);
    return 0;
}

LRESULT BarsFrame::OnConstructPopupMenu(WPARAM wParam, LPARAM) {
    auto* pData = reinterpret_cast<CExtControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
    m_menuEvents.push_back(pData->m_nEventId);
    return (m_bBuildMenuItself && (pData->m_nBits & 1) != 0) ? 1 : 0;
}

Docking::Docking(const CRect& rect) {
    App();
    pFrame = new BarsFrame;
    EXPECT_TRUE(pFrame->CreateAt(rect));
    hWndFrame = pFrame->m_hWnd;
    App().m_pMainWnd = pFrame;
    EXPECT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
}

Docking::~Docking() {
    if (::IsWindow(hWndFrame))
        pFrame->DestroyWindow();
    App().m_pMainWnd = nullptr;
    for (auto& pBar : bars)
        EXPECT_EQ(nullptr, pBar->m_pDockSite) << "the frame let its bars know it went";
}

ColourPanel* Docking::AddPanel(UINT nID, LPCTSTR lpszName, COLORREF clr) {
    auto* pBar = new ColourPanel(clr);
    bars.emplace_back(pBar);
    EXPECT_TRUE(pBar->CreateIn(pFrame, nID, lpszName));
    return pBar;
}

void Docking::CreateTool(CExtToolControlBar* pBar, UINT nID, LPCTSTR lpszName) {
    bars.emplace_back(pBar);
    EXPECT_TRUE(pBar->Create(lpszName, pFrame, nID,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
}

CExtDockBar* Docking::Dock(UINT nSide, UINT nCircle) {
    return CExtDockBar::FindFrameDockBar(pFrame, nCircle, nSide, true);
}

std::string Rows(const CDockBar* pDockBar) {
    std::string text;
    const CPtrArray& arr = pDockBar->m_arrBars;
    for (INT_PTR i = 1; i < arr.GetSize(); i++) {
        void* p = arr[i];
        if (!text.empty())
            text += " ";
        if (p == NULL) {
            text += "|";
        } else if (ExtDockRows::IsPlaceholder(p)) {
            text += "(" + std::to_string((UINT_PTR)p) + ")";
        } else {
            CString str;
            static_cast<CWnd*>(p)->GetWindowText(str);
            text += (LPCTSTR)str;
        }
    }
    return text;
}

CRect ChildRect(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pWnd->GetParent()->ScreenToClient(&rc);
    return rc;
}

void Repaint(CWnd* pWnd) {
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Idle() {
    for (LONG n = 0; App().OnIdle(n) && n < 10; n++) {
    }
}

}  // namespace barstest
