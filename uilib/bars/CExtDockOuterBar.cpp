#include "CExtDockOuterBar.h"
#include "CExtControlBar.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"

#ifndef WM_THEMECHANGED
#define WM_THEMECHANGED 0x031A
#endif

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar() : CExtDockBar(0) {}

void CExtDockOuterBar::SyncBarDockPos(CControlBar* pBar) {
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    CExtControlBar::DockPos_t* pRecord = pExt != NULL ? pExt->GetDockPosRecord() : NULL;
    if (pRecord == NULL || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return;
    CRect rc;
    pBar->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pRecord->m_rcPreferred = rc;
}

void CExtDockOuterBar::ScheduleFrameRelayout() {
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

void CExtDockOuterBar::OnSysColorChange() {
    CExtDockBar::OnSysColorChange();
    g_PaintManager.OnSysColorChange(this);
    g_CmdManager.OnSysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManager.OnSettingChange(this, uFlags, lpszSection);
    g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
}

LRESULT CExtDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = Default();
    g_PaintManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    g_CmdManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    return lResult;
}

LRESULT CExtDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = Default();
    g_PaintManager.OnThemeChanged(this, wParam, lParam);
    g_CmdManager.OnThemeChanged(this, wParam, lParam);
    return lResult;
}
