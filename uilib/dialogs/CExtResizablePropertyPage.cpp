// The resizable property page (see CExtResizablePropertyPage.h).
#include "CExtResizablePropertyPage.h"
#include "CExtControlBar.h"
#include "CExtResizableDialog.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertyPage, CExtResPP)

BEGIN_MESSAGE_MAP(CExtResizablePropertyPage, CExtResPP)
END_MESSAGE_MAP()

using CExtResizablePropertyPageLayers = CExtWA<CExtWS<CExtResPP>>;

CExtResizablePropertyPage::CExtResizablePropertyPage() : m_nResizableFlags(0) {}

CExtResizablePropertyPage::CExtResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CExtResizablePropertyPageLayers(nIDTemplate, nIDCaption), m_nResizableFlags(0)
{
}

CExtResizablePropertyPage::~CExtResizablePropertyPage() {}

void CExtResizablePropertyPage::PreSubclassWindow()
{
    CExtResizablePropertyPageLayers::PreSubclassWindow();
    m_nResizableFlags |= RESIZABLE_IDLE_UPDATES;
    EnableToolTips(TRUE);
}

LRESULT CExtResizablePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        m_nResizableFlags &= ~RESIZABLE_IDLE_UPDATES;
    const bool bIdle = (m_nResizableFlags & RESIZABLE_IDLE_UPDATES) != 0 && CExtResizableHelpers::IsCurrentMessageIdle();
    const HWND hWndOwn = m_hWnd;
    LRESULT lResult = CExtResizablePropertyPageLayers::WindowProc(message, wParam, lParam);
    // a handler may have destroyed the window, and with it this object: touch nothing then
    if (hWndOwn == NULL || !::IsWindow(hWndOwn) || CWnd::FromHandlePermanent(hWndOwn) != this)
        return lResult;
    switch (message) {
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
        if ((GetStyle() & WS_VISIBLE) != 0)
            OnPageShownOrMoved();
        break;
    case WM_INITDIALOG:
        OnPageInitialized();
        break;
    default:
        break;
    }
    if (bIdle && ::IsWindow(hWndOwn))
        CExtResizableHelpers::UpdateChildBars(this, m_nResizableFlags);
    return lResult;
}

void CExtResizablePropertyPage::OnPageShownOrMoved()
{
    // arranging moves this page, which comes back here: once is enough
    if (m_nResizableFlags & RESIZABLE_IN_ARRANGE)
        return;
    m_nResizableFlags |= RESIZABLE_IN_ARRANGE;
    ArrangeLayout(-1, -1);
    m_nResizableFlags &= ~RESIZABLE_IN_ARRANGE;
}

void CExtResizablePropertyPage::OnPageInitialized() {}

BOOL CExtResizablePropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (CExtControlBar::PreTranslateChildBars(this, pMsg))
        return TRUE;
    return CExtResizablePropertyPageLayers::PreTranslateMessage(pMsg);
}

void CExtResizablePropertyPage::OnOK()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtResizablePropertyPageLayers::OnOK();
}

void CExtResizablePropertyPage::OnCancel()
{
    if ((GetStyle() & WS_CHILD) == 0)
        CExtResizablePropertyPageLayers::OnCancel();
}
