#include "CExtBarColorButton.h"
#include "CExtToolControlBar.h"
#include "CExtPopupColorMenuWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtCmdIcon.h"
#include "ExtToolBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, DWORD dwStyle, COLORREF clrSelected,
                                       COLORREF clrDefault, LPARAM lParamNotify, int nIconKind)
    : CExtBarButton(pBar, nCmdID, dwStyle), m_nIconKind(nIconKind), m_clrSelected(clrSelected),
      m_clrDefault(clrDefault), m_lParamNotify(lParamNotify), m_nPopupFlags(0x03) {
    RefreshColorIcon();
}

CExtBarColorButton::~CExtBarColorButton() {}

HICON CExtBarColorButton::GenerateColorIcon() {
    switch (m_nIconKind) {
    case iconSwatch:
        return CExtPaintManager::CreateColorSwatchIcon(m_clrSelected);
    case iconLetter: {
        LOGFONT lf = {};
        CFont& fontMenu = g_PaintManager->GetFont(CExtPaintManager::FontNormal);
        if (fontMenu.GetSafeHandle() == NULL || !fontMenu.GetLogFont(&lf))
            ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
        lf.lfHeight = ::MulDiv(lf.lfHeight, 3, 2);
        lf.lfWeight = 900;
        const HFONT hFont = ::CreateFontIndirectA(&lf);
        const HICON hIcon = CExtPaintManager::CreateColorTextIcon(m_clrSelected, "A", hFont);
        if (hFont != NULL)
            ::DeleteObject(hFont);
        return hIcon;
    }
    default:
        return CExtPaintManager::CreateColorFilledIcon(m_clrSelected);
    }
}

void CExtBarColorButton::RefreshColorIcon() {
    const HICON hIcon = GenerateColorIcon();
    if (hIcon == NULL)
        return;
    if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL) {
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_pBar->m_hWnd);
        if (profile.IsFound())
            g_CmdManager->SetCommandIcon(profile.GetName(), GetCommandId(true), hIcon, true);
    }
    ::DestroyIcon(hIcon);
}

void CExtBarColorButton::SetColor(COLORREF clr, bool bSetDefault) {
    COLORREF& clrField = bSetDefault ? m_clrDefault : m_clrSelected;
    if (clrField == clr)
        return;
    clrField = clr;
    RefreshColorIcon();
}

CExtPopupColorMenuWnd* CExtBarColorButton::NewColorPopup(bool bTopLevel) {
    CWnd* pTarget = GetCommandTarget();
    CExtPopupColorMenuWnd* pPopup = new CExtPopupColorMenuWnd;
    if (bTopLevel && (pTarget == NULL || !pPopup->CreatePopupMenu(pTarget->m_hWnd))) {
        delete pPopup;
        return NULL;
    }
    pPopup->m_lParamCookie = m_lParamNotify;
    pPopup->m_bEnableBtnColorDefault = IsDefaultColorItemShown();
    pPopup->m_bEnableBtnColorCustom = IsCustomColorItemShown();
    pPopup->m_clrDefaultColor = m_clrDefault;
    pPopup->m_clrInitial = m_clrSelected;
    if (!m_sDefaultColorText.IsEmpty())
        pPopup->m_sBtnTextColorDefault = m_sDefaultColorText;
    if (!m_sCustomColorText.IsEmpty())
        pPopup->m_sBtnTextColorCustom = m_sCustomColorText;
    return pPopup;
}

UINT CExtBarColorButton::TrackDropDownMenu(CPoint point, bool bSelectAny) {
    if (IsDisabled() || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    const int nIndex = m_pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && m_pBar->m_nBtnIdxMenuTracking == nIndex)
        return (UINT)-1;
    const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CancelAllBarsTracking();
    if (m_pBar->IsFloating()) {
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        if (pMini != NULL)
            pMini->BringWindowToTop();
    }
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    CExtPopupColorMenuWnd* pPopup = NewColorPopup(true);
    if (pPopup == NULL) {
        CExtToolControlBar::CancelAllBarsTracking();
        return (UINT)-1;
    }
    const HWND hWndBar = m_pBar->m_hWnd;
    if (!TrackDroppedPopup(pPopup, point, nIndex, DropDownTrackFlags(bSelectAny)))
        return (UINT)-1;
    if (::IsWindow(hWndBar) && CExtPopupMenuWnd::IsAnyMenuTracked()) {
        CExtToolControlBar::g_bMenuTracking = true;
        m_pBar->SetTrackedButton(m_pBar->GetButtonIndex(this));
    }
    return (UINT)-1;
}

bool CExtBarColorButton::AppendToPopupMenu(CExtPopupMenuWnd* pPopup) {
    if (pPopup == NULL)
        return false;
    if (IsDisabled())
        return pPopup->InsertItem(GetCommandId(true), -1);
    CExtPopupColorMenuWnd* pColor = NewColorPopup(false);
    if (pColor == NULL)
        return false;
    const CExtCmdItem* pItem = GetCmdItem(false);
    const CString sText = pItem != NULL ? pItem->m_sMenuText : CString();
    CExtCmdIcon* pIcon = GetCommandIcon();
    const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetHICON() : NULL;
    if (!pPopup->InsertPopupMenu(pColor, -1, sText, hIcon)) {
        delete pColor;
        return false;
    }
    return true;
}

void CExtBarColorButton::DeliverCommand() {
    CWnd* pTarget = GetCommandTarget();
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL)
        pTarget->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected,
                             m_lParamNotify);
}

int CExtBarColorButton::GetHelpHitId(CPoint point) {
    (void)point;
    return (int)GetCommandId(true);
}
