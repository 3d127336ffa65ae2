// The resizable dialog (see CExtResizableDialog.h).
#include "CExtResizableDialog.h"
#include "CExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtResizableDialog, CExtResDlg)

BEGIN_MESSAGE_MAP(CExtResizableDialog, CExtResDlg)
END_MESSAGE_MAP()

using CExtResizableDialogLayers = CExtWA<CExtWS<CExtResDlg>>;

bool CExtResizableHelpers::IsCurrentMessageIdle()
{
    return AfxIsIdleMessage(&AfxGetThreadState()->m_msgCur) != FALSE;
}

void CExtResizableHelpers::UpdateChildBars(CWnd* pWnd, BYTE& nFlags)
{
    if (nFlags & CExtResizableDialog::RESIZABLE_IN_UPDATE)
        return;
    nFlags |= CExtResizableDialog::RESIZABLE_IN_UPDATE;
    CExtControlBar::UpdateChildBarsCmdUI(pWnd, TRUE);
    nFlags &= ~CExtResizableDialog::RESIZABLE_IN_UPDATE;
}

CExtResizableDialog::CExtResizableDialog() : m_nResizableFlags(0)
{
    ShowSizeGrip(true);
}

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtResizableDialogLayers(nIDTemplate, pParentWnd), m_nResizableFlags(0)
{
    ShowSizeGrip(true);
}

CExtResizableDialog::CExtResizableDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CExtResizableDialogLayers(lpszTemplateName, pParentWnd), m_nResizableFlags(0)
{
    ShowSizeGrip(true);
}

CExtResizableDialog::~CExtResizableDialog() {}

void CExtResizableDialog::PreSubclassWindow()
{
    CExtResizableDialogLayers::PreSubclassWindow();
    m_nResizableFlags |= RESIZABLE_IDLE_UPDATES;
    EnableToolTips(TRUE);
}

LRESULT CExtResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_nResizableFlags &= ~RESIZABLE_IDLE_UPDATES;
    const bool bIdle = (m_nResizableFlags & RESIZABLE_IDLE_UPDATES) != 0 && CExtResizableHelpers::IsCurrentMessageIdle();
    const HWND hWndOwn = m_hWnd;
    LRESULT lResult = CExtResizableDialogLayers::WindowProc(message, wParam, lParam);
    // a handler may have destroyed the window, and with it this object: touch nothing then
    if (bIdle && hWndOwn != NULL && ::IsWindow(hWndOwn) && CWnd::FromHandlePermanent(hWndOwn) == this)
        CExtResizableHelpers::UpdateChildBars(this, m_nResizableFlags);
    return lResult;
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= 0x108 &&
        (GetStyle() & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
        if (pBar != NULL && pBar->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (CExtControlBar::PreTranslateChildBars(this, pMsg))
        return TRUE;
    return CExtResizableDialogLayers::PreTranslateMessage(pMsg);
}

void CExtResizableDialog::OnOK()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtResizableDialogLayers::OnOK();
}

void CExtResizableDialog::OnCancel()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtResizableDialogLayers::OnCancel();
}
