#include "CExtBarContentExpandButton.h"
#include "CExtToolControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtResourceManager.h"
#include "ExtToolBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

const UINT CExtBarContentExpandButton::kChevronCmdID = (UINT)-66;

namespace {
// Popup-menu notifications of the chevron's menu (the frame may fill it or its bars sub-menu).
const WORD kEventChevron = 12;
const WORD kEventChevronBarsItem = 13;
const WORD kEventChevronBarsMenu = 14;
}  // namespace

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar) : CExtBarButton(pBar, 0, 0) {
    SetCommandId(kChevronCmdID, false, false);
}

CExtBarContentExpandButton::~CExtBarContentExpandButton() { m_arrHidden.RemoveAll(); }

void CExtBarContentExpandButton::ForgetButton(const CExtBarButton* pButton) {
    for (INT_PTR i = m_arrHidden.GetSize() - 1; i >= 0; i--)
        if (m_arrHidden[i] == pButton)
            m_arrHidden.RemoveAt(i);
}

CSize CExtBarContentExpandButton::MeasureButton(CDC*, CSize sizePreCalc, bool bHorz) {
    m_size = bHorz ? CSize(kDropDownExtent, sizePreCalc.cy) : CSize(sizePreCalc.cx, kDropDownExtent);
    return m_size;
}

void CExtBarContentExpandButton::Paint(CDC* pDC, bool bHorz) {
    if (pDC == NULL || m_rc.IsRectEmpty())
        return;
    const bool bEnabled = !IsDisabled();
    const bool bPushed = bEnabled && IsPressed();
    const bool bHover = bEnabled && IsHover() && !CExtToolControlBar::g_bMenuTracking && !CExtPopupMenuWnd::IsAnyMenuTracked();
    // the painter draws the chevron mark only when buttons are hidden
    g_PaintManager->PaintContentExpandButton(*pDC, m_rc, bHorz, m_arrHidden.GetSize() == 0, bEnabled, bPushed, bHover,
                                            this, false);
}

bool CExtBarContentExpandButton::FillPopup(CExtPopupMenuWnd* pPopup) {
    const int nBefore = pPopup->GetItemCount();
    for (INT_PTR i = 0; i < m_arrHidden.GetSize(); i++) {
        CExtBarButton* pButton = m_arrHidden[i];
        if (i == 0 && pButton->IsSeparator())
            continue;
        if (pButton->IsSeparator())
            pPopup->InsertItem(0, -1);
        else
            pButton->AppendToPopupMenu(pPopup);
    }
    const bool bInDialog = (m_pBar->m_nOptions & CExtControlBar::optInDialog) != 0;
    if (pPopup->GetItemCount() > nBefore && !bInDialog)
        pPopup->InsertItem(0, -1);
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(m_pBar);
    if (!bInDialog && pFrame != NULL) {
        CString sText;
        if (!g_ResourceManager->LoadStringDefault(sText, 30009) || sText.IsEmpty())
            sText = "&Show/hide panels";
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        CExtControlBar::POPUP_MENU_EVENT_DATA data(kEventChevronBarsItem, pPopup, m_pBar, ptCursor, WM_NCLBUTTONDOWN);
        if (!data.NotifyTarget(false) && pPopup->InsertPopupMenu(NULL, -1, sText)) {
            const int nPos = pPopup->GetItemCount() - 1;
            CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(nPos);
            mi.m_nStateFlags |= CExtPopupMenuWnd::MENUITEMDATA::STATE_COMBINE_CHILD |
                                CExtPopupMenuWnd::MENUITEMDATA::STATE_OWN_WIDTH;
            CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nPos);
            if (pSub != NULL)
                CExtControlBar::FillBarsContextMenu(pFrame, pSub, kEventChevronBarsMenu, m_pBar, WM_NCLBUTTONDOWN, 0);
        }
        data.NotifyTarget(true);
    }
    // a separator at the end (nothing after the hidden buttons) is dropped
    while (pPopup->GetItemCount() > nBefore && pPopup->ItemGetCmdID(pPopup->GetItemCount() - 1) == 0)
        pPopup->ItemRemove(pPopup->GetItemCount() - 1);
    return pPopup->GetItemCount() > 0;
}

UINT CExtBarContentExpandButton::TrackDropDownMenu(CPoint point, bool bSelectAny) {
    if (IsDisabled() || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    const int nIndex = m_pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && m_pBar->m_nBtnIdxMenuTracking == nIndex)
        return (UINT)-1;
    const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CloseOpenMenus();
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    if (m_pBar->IsFloating()) {
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        if (pMini != NULL)
            pMini->BringWindowToTop();
    }
    CWnd* pTarget = GetCommandTarget();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (pTarget == NULL || !pPopup->CreatePopupMenu(pTarget->m_hWnd)) {
        DropDownFailed(pPopup);
        return (UINT)-1;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CExtControlBar::POPUP_MENU_EVENT_DATA data(kEventChevron, pPopup, m_pBar, ptCursor, WM_NCLBUTTONDOWN);
    if (!data.NotifyTarget(false))
        FillPopup(pPopup);
    data.NotifyTarget(true);
    if (pPopup->GetItemCount() == 0) {
        delete pPopup;
        CExtToolControlBar::g_bMenuTracking = false;
        return (UINT)-1;
    }
    const HWND hWndBar = m_pBar->m_hWnd;
    if (!TrackDroppedPopup(pPopup, point, nIndex, DropDownTrackFlags(bSelectAny)))
        return (UINT)-1;
    if (::IsWindow(hWndBar) && CExtPopupMenuWnd::IsAnyMenuTracked())
        CExtToolControlBar::g_bMenuTracking = true;
    return (UINT)-1;
}

void CExtBarContentExpandButton::HandleClick(CPoint point, bool bDown) {
    if (!bDown)
        return;
    CExtMenuControlBar::g_bMenusExpanded = false;
    TrackDropDownMenu(point, false);
}

INT_PTR CExtBarContentExpandButton::FillToolTipInfo(CPoint, TOOLINFOA* pTI) {
    if (pTI == NULL)
        return -1;
    CString sText;
    if (!g_ResourceManager->LoadStringDefault(sText, 30045) || sText.IsEmpty())
        sText = "Where are buttons?";
    pTI->rect = GetRect();
    pTI->uId = AFX_IDS_IDLEMESSAGE;
    pTI->hwnd = m_pBar != NULL ? m_pBar->GetSafeHwnd() : NULL;
    pTI->lpszText = CopyTipText(sText);
    return AFX_IDS_IDLEMESSAGE;
}
