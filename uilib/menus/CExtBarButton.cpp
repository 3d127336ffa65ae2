#include "CExtBarButton.h"
#include "CExtToolControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerHolder.h"
#include "ExtToolBarStandIns.h"
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <CButton.h>

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : m_pBar(pBar), m_nCmdID(0), m_nEffectiveCmdID(0), m_dwStyle(dwStyle), m_size(0, 0), m_rc(0, 0, 0, 0),
      m_nLayoutFlags(layVisible), m_nBehaviourFlags(0), m_pCtrl(NULL), m_hMenu(NULL) {
    SetCommandId(nCmdID, false, false);
}

CExtBarButton::~CExtBarButton() {
    if (m_hMenu != NULL && (m_nBehaviourFlags & behOwnsMenu) != 0)
        ::DestroyMenu(m_hMenu);
}

CWnd* CExtBarButton::QueryButtonBar() const { return m_pBar; }

void CExtBarButton::SetBehaviourFlag(BYTE nBit, bool bOn, bool bAlwaysSync) {
    const BYTE nOld = m_nBehaviourFlags;
    m_nBehaviourFlags = (BYTE)(bOn ? (m_nBehaviourFlags | nBit) : (m_nBehaviourFlags & ~nBit));
    if (bAlwaysSync || nOld != m_nBehaviourFlags)
        SyncCtrlState();
}

bool CExtBarButton::IsCtrlShown() const {
    return m_pCtrl != NULL && ((m_nLayoutFlags & layVertDocked) == 0 || IsCtrlVisibleVert());
}

void CExtBarButton::SyncCtrlState() {
    if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL)
        return;
    const bool bShow = IsVisible() && (GetStyle() & TBBS_HIDDEN) == 0 &&
                       ((m_nLayoutFlags & layVertDocked) == 0 || IsCtrlVisibleVert());
    m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_pCtrl->EnableWindow(!IsDisabled());
    if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton))) {
        const DWORD s = GetStyle();
        const WPARAM nCheck = (s & (TBBS_CHECKED | TBBS_PRESSED)) != 0 ? 1 : (s & TBBS_INDETERMINATE) != 0 ? 2 : 0;
        m_pCtrl->SendMessage(BM_SETCHECK, nCheck);
    }
}

bool CExtBarButton::IsLargeIcons() const { return !IsSeparator() && m_pBar != NULL && m_pBar->IsDisplayFirstSwitch(); }
bool CExtBarButton::IsShowTips() const { return !IsSeparator() && m_pBar != NULL && m_pBar->IsDisplayToolTips(); }
bool CExtBarButton::IsShowTipShortcuts() const { return !IsSeparator() && m_pBar != NULL && m_pBar->IsDisplayThirdSwitch(); }

void CExtBarButton::SetCommandId(UINT nCmdID, bool bEffectiveOnly, bool bRelayout) {
    const UINT nOldEffective = m_nEffectiveCmdID;
    m_nEffectiveCmdID = nCmdID;
    if (!bEffectiveOnly) {
        m_nCmdID = nCmdID;
        if (nCmdID == 0)
            m_dwStyle |= TBBS_SEPARATOR;
        else
            m_dwStyle &= ~TBBS_SEPARATOR;
    }
    if (bRelayout && nOldEffective != nCmdID && m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL) {
        m_pBar->Invalidate();
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        else
            m_pBar->RecalcParentFrameLayout();
    }
}

void CExtBarButton::SetCtrl(CWnd* pCtrl, bool bAutoDestroyed) {
    if (m_pCtrl != NULL) {
        if (m_pCtrl->GetSafeHwnd() != NULL)
            m_pCtrl->DestroyWindow();
        if ((m_nLayoutFlags & layCtrlAutoDestroyed) == 0)
            delete m_pCtrl;
    }
    m_pCtrl = pCtrl;
    SetLayoutFlag(layCtrlAutoDestroyed, bAutoDestroyed);
}

void CExtBarButton::SetStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle;
    if ((dwStyle & TBBS_PRESSED) == 0)
        m_nBehaviourFlags &= (BYTE)~behDropDownPressed;
    if ((dwStyle & TBBS_SEPARATOR) != 0)
        m_nCmdID = m_nEffectiveCmdID = 0;
    SyncCtrlState();
}

void CExtBarButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove) {
    SetStyle((GetStyle() & ~dwRemove) | (dwAdd & ~dwRemove));
}

CExtCmdItem* CExtBarButton::GetCmdItem(bool bEffective) const {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return NULL;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_pBar->m_hWnd);
    if (!profile.IsFound())
        return NULL;
    return g_CmdManager->GetCommand(profile, GetCommandId(bEffective));
}

CString CExtBarButton::GetText() const {
    if (IsSeparator())
        return CString();
    const CExtCmdItem* pItem = GetCmdItem(false);
    if (pItem == NULL)
        return CString();
    CString s = pItem->m_sToolbarText;
    const int nTab = s.Find('\t');
    if (nTab >= 0)
        s = s.Left(nTab);
    return s;
}

CString CExtBarButton::StripAccessMarks(const CString& sText) {
    CString s = sText;
    s.Replace("&&", "\x01\x01");
    s.Remove('&');
    s.Replace("\x01\x01", "&");
    return s;
}

CRect CExtBarButton::GetDropDownRect() const {
    CRect rc = m_rc;
    if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL && m_pBar->IsDockedVertically() && !IsAlwaysHorizontal())
        rc.top = rc.bottom - kDropDownExtent;
    else
        rc.left = rc.right - kDropDownExtent;
    return rc;
}

void CExtBarButton::SetRect(const RECT& rc) {
    m_rc = rc;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && IsCtrlShown()) {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        CPoint pt(m_rc.left, m_rc.top);
        if ((m_nLayoutFlags & layVertDocked) != 0)
            pt.x += (m_rc.Width() - rcCtrl.Width()) / 2;
        else
            pt.y += (m_rc.Height() - rcCtrl.Height()) / 2;
        m_pCtrl->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    SyncCtrlState();
}

void CExtBarButton::SetMenu(HMENU hMenu, bool bContainer, bool bOwns) {
    if (m_hMenu != NULL && (m_nBehaviourFlags & behOwnsMenu) != 0 && m_hMenu != hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = hMenu;
    if (hMenu != NULL) {
        if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL) {
            const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_pBar->m_hWnd);
            if (profile.IsFound())
                g_CmdManager->UpdateFromMenu(profile, hMenu);
        }
        SetLayoutFlag(layMenuContainer, bContainer);
        m_dwStyle &= ~TBBS_DISABLED;
        m_nBehaviourFlags = (BYTE)(bOwns ? (m_nBehaviourFlags | behOwnsMenu) : (m_nBehaviourFlags & ~behOwnsMenu));
    }
}

bool CExtBarButton::HasDropDownMenu(bool) const {
    return GetMenu() != NULL || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

static bool IsOnMenuBar(const CExtToolControlBar* pBar) {
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar));
}

CSize CExtBarButton::MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz) {
    if (IsAlwaysHorizontal())
        bHorz = true;
    if (IsCtrlShown() && m_pCtrl->GetSafeHwnd() != NULL) {
        CRect rc;
        m_pCtrl->GetWindowRect(&rc);
        m_size = CSize(rc.Width(), std::max((int)rc.Height(), (int)sizePreCalc.cy));
        return m_size;
    }
    CSize size = sizePreCalc;
    if (IsSeparator()) {
        if (bHorz)
            size.cx = kSeparatorExtent;
        else
            size.cy = kSeparatorExtent;
    } else {
        if (GetCmdItem(true) == NULL) {
            m_size = sizePreCalc;
            return m_size;
        }
        CSize sizeIcon(0, 0);
        const CExtCmdIcon* pIcon = GetCommandIcon();
        if (pIcon != NULL && !pIcon->IsEmpty()) {
            sizeIcon = pIcon->GetSize();
            if (IsLargeIcons())
                sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
        }
        CSize sizeContent = sizeIcon;
        const CString sText = GetText();
        if (!sText.IsEmpty() && pDC != NULL) {
            CString sShown = StripAccessMarks(sText);
            CRect rcText(0, 0, 0, 0);
            pDC->DrawText(sShown, &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            if (bHorz)
                sizeContent = CSize(sizeIcon.cx + rcText.Width() + 6, std::max((int)sizeIcon.cy, (int)rcText.Height()));
            else
                sizeContent = CSize(std::max((int)sizeIcon.cx, (int)rcText.Height()), sizeIcon.cy + rcText.Width() + 3);
        }
        size = CSize(std::max((int)sizeContent.cx + 6, (int)sizePreCalc.cx), std::max((int)sizeContent.cy + 6, (int)sizePreCalc.cy));
    }
    if (HasDropDownMenu() && !IsOnMenuBar(m_pBar)) {
        if (bHorz)
            size.cx += kDropDownExtent;
        else
            size.cy += kDropDownExtent;
    }
    m_size = size;
    return m_size;
}

CExtCmdIcon* CExtBarButton::GetCommandIcon() const {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return NULL;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_pBar->m_hWnd);
    if (!profile.IsFound())
        return NULL;
    return g_CmdManager->GetCommandIcon(profile, GetCommandId(true));
}

CWnd* CExtBarButton::GetCommandTarget() const {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pOwner = m_pBar->GetOwner();
    return pOwner != NULL ? pOwner : m_pBar->GetParent();
}

void CExtBarButton::Paint(CDC* pDC, bool bHorz) {
    if (IsAlwaysHorizontal())
        bHorz = true;
    if (IsCtrlShown() || pDC == NULL)
        return;
    if (m_rc.IsRectEmpty() || !IsVisible() || (GetStyle() & TBBS_HIDDEN) != 0 || !pDC->RectVisible(&m_rc))
        return;
    const bool bPushed = IsPressed();
    const bool bEnabled = !IsDisabled();
    const bool bIndeterminate = IsIndeterminate();
    bool bHover = IsHover();
    if (CExtToolControlBar::g_bMenuTracking || CExtPopupMenuWnd::IsAnyMenuTracked())
        bHover = false;
    else if (!bHover)
        bHover = IsTrackingPressed();
    const CString sText = GetText();
    CExtCmdIcon* pIcon = GetCommandIcon();
    CExtCmdIcon iconLarge;
    if (pIcon != NULL && !pIcon->IsEmpty() && IsLargeIcons()) {
        const CSize size = pIcon->GetSize();
        if (iconLarge.CreateScaledCopy(*pIcon, size.cx * 2, size.cy * 2))
            pIcon = &iconLarge;
    }
    const bool bDropDown = HasDropDownMenu() && !IsOnMenuBar(m_pBar);
    CFont* pFont = m_pBar != NULL ? m_pBar->GetBarFont(!bHorz) : NULL;
    const bool bIdle = !bEnabled || !(bHover || bPushed);
    CExtPaintManager::PushButtonPaintData data(this, bHorz, m_rc, sText, pIcon, true, bHover, bPushed, bIndeterminate,
                                               bEnabled, true, false, false, 1 | 4,
                                               pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL, bDropDown, 0, false);
    (void)bIdle;
    if (IsSeparatedDropDown()) {
        data.m_bSeparatedDropDown = 1;
        if (bPushed && ((m_nBehaviourFlags & behDropDownPressed) != 0 || CExtToolControlBar::g_bMenuTracking))
            data.m_bPushedDropDown = 1;
    }
    g_PaintManager->PaintPushButton(*pDC, data);
}

UINT CExtBarButton::DropDownTrackFlags(bool bSelectAny) const {
    UINT nFlags = GetPopupAlignment() | 0x820;
    if (bSelectAny)
        nFlags |= 0x40;
    if (CExtMenuControlBar::g_bMenusExpanded)
        nFlags |= 0x100;
    return nFlags;
}

void CExtBarButton::DropDownFailed(CExtPopupMenuWnd* pPopup) {
    // the popup was refused: it is still ours, and no bar keeps tracking for it
    delete pPopup;
    CExtToolControlBar::CancelAllBarsTracking();
}

bool CExtBarButton::TrackDroppedPopup(CExtPopupMenuWnd* pPopup, CPoint point, int nIndex, UINT nFlags,
                                      UINT* pResult) {
    pPopup->m_pDroppedFromBar = m_pBar;
    CRect rcExclude = GetRect();
    m_pBar->ClientToScreen(&rcExclude);
    CPoint ptScreen = point;
    m_pBar->ClientToScreen(&ptScreen);
    m_pBar->SetTrackedButton(nIndex);
    if (!pPopup->TrackPopupMenu(nFlags, ptScreen.x, ptScreen.y, &rcExclude, m_pBar, &CExtToolControlBar::DrawTrackedArea,
                                pResult, true)) {
        DropDownFailed(pPopup);
        return false;
    }
    return true;
}

UINT CExtBarButton::TrackDropDownMenu(CPoint point, bool bSelectAny) {
    if (IsDisabled() || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL) {
        m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this, bSelectAny ? 1 : 0);
        return (UINT)-1;
    }
    if (!HasDropDownMenu())
        return (UINT)-1;
    const int nIndex = m_pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && m_pBar->m_nBtnIdxMenuTracking == nIndex)
        return (UINT)-1;
    // a menu moving from another button opens without its animation (the flag stays as it was)
    const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CloseOpenMenus();
    if (m_pBar->IsFloating()) {
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        if (pMini != NULL)
            pMini->BringWindowToTop();
    }
    CWnd* pTarget = GetCommandTarget();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    CMenu menu;
    menu.Attach(m_hMenu);
    const bool bBuilt = pPopup->UpdateFromMenu(pTarget != NULL ? pTarget->m_hWnd : NULL, &menu, IsMenuContainer(), true);
    menu.Detach();
    if (IsAppendDocumentList())
        pPopup->UpdateMdiWindowsMenu(pTarget);
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    if (!bBuilt) {
        DropDownFailed(pPopup);
        return (UINT)-1;
    }
    const UINT nFlags = DropDownTrackFlags(bSelectAny);
    const HWND hWndBar = m_pBar->m_hWnd;
    const HWND hWndTarget = pTarget != NULL ? pTarget->m_hWnd : NULL;
    if (IsAutoChangeCommand() && !CExtControlBar::IsFrameInHelpMode(m_pBar)) {
        CExtToolControlBar::g_bMenuTracking = true;
        UINT nResult = 0;
        if (!TrackDroppedPopup(pPopup, point, nIndex, nFlags | 0x280, &nResult))
            return (UINT)-1;
        // the modal loop has ended: the bar (and this button) may be gone
        if (nResult != 0 && ::IsWindow(hWndBar) && ::IsWindow(hWndTarget)) {
            SetCommandId(nResult, true, true);
            DeliverCommand();
        }
        return (UINT)-1;
    }
    if (!TrackDroppedPopup(pPopup, point, nIndex, nFlags))
        return (UINT)-1;
    if (::IsWindow(hWndBar) && CExtPopupMenuWnd::IsAnyMenuTracked()) {
        CExtToolControlBar::g_bMenuTracking = true;
        m_pBar->SetTrackedButton(m_pBar->GetButtonIndex(this));
    }
    return (UINT)-1;
}

UINT CExtBarButton::GetPopupAlignment() const {
    if (m_pBar == NULL)
        return 4;
    if ((m_pBar->m_nOptions & CExtControlBar::optInDialog) == 0) {
        switch (m_pBar->GetDockSideId()) {
        case kDockBarLeft: return 1;
        case kDockBarRight: return 3;
        case kDockBarBottom: return 6;
        default: return 4;
        }
    }
    const DWORD s = m_pBar->m_dwStyle;
    return (s & CBRS_ALIGN_RIGHT) ? 3 : (s & CBRS_ALIGN_LEFT) ? 1 : (s & CBRS_ALIGN_BOTTOM) ? 6 : 4;
}

void CExtBarButton::HandleHover(CPoint point, bool bOn) {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    CWnd* pTarget = GetCommandTarget();
    if (!bOn) {
        CExtControlBar::ShowCommandPrompt(pTarget, AFX_IDS_IDLEMESSAGE);
        if (CExtMouseCaptureSink::GetCapture() == m_pBar->m_hWnd)
            CExtMouseCaptureSink::ReleaseCapture();
        return;
    }
    if (!CExtToolControlBar::g_bMenuTracking) {
        const UINT nCmd = GetCommandId(true);
        const bool bIdle = IsOnMenuBar(m_pBar) || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) || (int)nCmd <= 0;
        CExtControlBar::ShowCommandPrompt(pTarget, bIdle ? AFX_IDS_IDLEMESSAGE : nCmd);
    } else {
        TrackDropDownMenu(point, false);
        if (!::IsWindow(m_pBar->GetSafeHwnd()))
            return;
    }
    if (!(m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && (m_pCtrl->GetStyle() & WS_VISIBLE) != 0) &&
        CExtMouseCaptureSink::GetCapture() != m_pBar->m_hWnd && !CExtPopupMenuWnd::IsAnyMenuTracked())
        ::SetCapture(m_pBar->m_hWnd);
}

void CExtBarButton::HandleClick(CPoint point, bool bDown) {
    bool bArrow = IsSeparatedDropDown() && GetDropDownRect().PtInRect(point);
    if (bDown) {
        CExtToolControlBar::CancelAllBarsTracking();
        m_nBehaviourFlags &= (BYTE)~behDropDownPressed;
        if (IsSeparatedDropDown() && bArrow)
            m_nBehaviourFlags |= behDropDownPressed;
        if (HasDropDownMenu() && (!IsSeparatedDropDown() || bArrow)) {
            CExtMenuControlBar::g_bMenusExpanded = false;
            TrackDropDownMenu(point, false);
        } else {
            CExtControlBar::ShowCommandPrompt(GetCommandTarget(), GetCommandId(false));
        }
        return;
    }
    CExtControlBar::ShowCommandPrompt(GetCommandTarget(), AFX_IDS_IDLEMESSAGE);
    bArrow = (m_nBehaviourFlags & behDropDownPressed) != 0;
    m_nBehaviourFlags &= (BYTE)~behDropDownPressed;
    if (HasDropDownMenu() && !IsSeparatedDropDown())
        return;
    if (bArrow)
        return;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && (m_pCtrl->GetStyle() & WS_VISIBLE) != 0) {
        if (m_pBar != NULL && CExtMouseCaptureSink::GetCapture() == m_pBar->GetSafeHwnd())
            m_pBar->SendMessage(WM_CANCELMODE);
        return;
    }
    DeliverCommand();
}

void CExtBarButton::DeliverCommand() {
    if ((int)m_nCmdID <= 0 || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    CExtCmdItem* pItem = GetCmdItem(true);
    if (pItem == NULL)
        return;
    CWnd* pTarget = GetCommandTarget();
    if (pTarget != NULL)
        pItem->Deliver(pTarget->m_hWnd, true);
}

LPSTR CExtBarButton::CopyTipText(const CString& sText) {
    const size_t n = (size_t)sText.GetLength() + 1;
    char* p = static_cast<char*>(::calloc(n, 1));
    if (p == NULL)
        return LPSTR_TEXTCALLBACKA;
    ::memcpy(p, (LPCTSTR)sText, n - 1);
    return p;
}

INT_PTR CExtBarButton::FillToolTipInfo(CPoint, TOOLINFOA* pTI) {
    if (!IsShowTips())
        return -1;
    const CExtCmdItem* pItem = GetCmdItem(true);
    if (pItem == NULL || pItem->m_sTipTool.IsEmpty())
        return -1;
    if (pTI != NULL) {
        CString sTip = pItem->m_sTipTool;
        if (IsShowTipShortcuts() && !pItem->m_sAccelText.IsEmpty()) {
            if (!sTip.IsEmpty())
                sTip += " ";
            sTip += "(" + pItem->m_sAccelText + ")";
        }
        pTI->rect = GetRect();
        pTI->uId = GetCommandId(true);
        pTI->hwnd = m_pBar->GetSafeHwnd();
        pTI->lpszText = CopyTipText(sTip);
    }
    return (INT_PTR)GetCommandId(true);
}

int CExtBarButton::GetHelpHitId(CPoint point) {
    if (IsSeparator())
        return -1;
    if (HasDropDownMenu()) {
        CFrameWnd* pFrame = m_pBar != NULL ? CExtControlBar::GetDockSiteFrame(m_pBar) : NULL;
        if (pFrame == NULL || !CExtControlBar::IsFrameInHelpMode(pFrame))
            return -3;
        TrackDropDownMenu(point, false);
        return CExtToolControlBar::TrackHelpModeInBars(m_pBar);
    }
    return GetCmdItem(false) != NULL ? (int)m_nCmdID : -1;
}

bool CExtBarButton::AppendToPopupMenu(CExtPopupMenuWnd* pPopup) {
    if (pPopup == NULL)
        return false;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL &&
        m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)pPopup) != 0)
        return true;
    if (!HasDropDownMenu())
        return pPopup->InsertItem(GetCommandId(true), -1);
    const CExtCmdItem* pItem = GetCmdItem(true);
    CString sText;
    if (pItem != NULL)
        sText = pItem->m_sMenuText.IsEmpty() ? pItem->m_sToolbarText : pItem->m_sMenuText;
    CExtCmdIcon* pIcon = GetCommandIcon();
    if (!pPopup->InsertPopupMenu(NULL, -1, sText, pIcon != NULL ? pIcon->GetHICON() : NULL))
        return false;
    CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(pPopup->GetItemCount() - 1);
    if (pSub != NULL && m_hMenu != NULL) {
        CWnd* pTarget = GetCommandTarget();
        CMenu menu;
        menu.Attach(m_hMenu);
        pSub->UpdateFromMenu(pTarget != NULL ? pTarget->m_hWnd : NULL, &menu, IsMenuContainer(), false);
        menu.Detach();
    }
    return true;
}

void CExtBarButton::UpdateCommandUI(CWnd* pTarget, BOOL bDisableIfNoHandler, int nIndex) {
    if (IsSeparator() || (IsOnMenuBar(m_pBar) && HasDropDownMenu()) || pTarget == NULL || m_pBar == NULL)
        return;
    CExtToolControlBar::CExtToolControlBarCmdUI state;
    state.m_pOther = m_pBar;
    state.m_nIndex = (UINT)nIndex;
    state.m_nIndexMax = (UINT)m_pBar->GetButtonsCount();
    state.m_nID = m_nCmdID;
    state.DoUpdate(pTarget, bDisableIfNoHandler);
}

bool CExtBarButton::IsCommandButton() const {
    return !IsSeparator() && !(m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL);
}

void CExtBarButton::RefreshButton(bool bUpdateNow) {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    if (IsVisible() && (GetStyle() & TBBS_HIDDEN) == 0)
        m_pBar->InvalidateButton(m_pBar->GetButtonIndex(this));
    if (bUpdateNow)
        m_pBar->UpdateWindow();
}
