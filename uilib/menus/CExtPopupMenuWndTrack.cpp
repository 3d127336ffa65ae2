// The popup menu on screen: opening (TrackPopupMenu, OpenPopup, the window and its placement),
// the highlight, the sub-menu delay, scrolling and expanding timers, the handlers the site's
// hooks call, and the ending (CloseMenuTree, EndTracking, the modal loop).
#include "CExtPopupMenuWnd.h"
#include <algorithm>
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuInPlaceEditWnd.h"
#include "CExtSoundPlayer.h"
#include "ExtToolBarStandIns.h"

#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif

extern bool g_bUseWorkArea;

bool CExtPopupMenuWnd::g_bMenuExpanding = true;
bool CExtPopupMenuWnd::g_bMenuHighlightRarely = true;
bool CExtPopupMenuWnd::g_bMenuExpandOnHover = true;
bool CExtPopupMenuWnd::g_bMenuShowItemTips = true;
bool CExtPopupMenuWnd::g_bMenuExpandAnimation = true;
bool CExtPopupMenuWnd::g_bMenuIdleProcessing = false;
bool CExtPopupMenuWnd::g_bMenuLargeIcons = false;
int CExtPopupMenuWnd::g_nMenuAnimation = CExtPopupBaseWnd::__AT_FADE;

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
    ON_WM_TIMER()
    ON_WM_ACTIVATEAPP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

// The prompt of a window command is the framework's string of it.
UINT PromptIdOf(UINT nCmdID)
{
    static const UINT kSys[][2] = {{0xF000, 0xEF00}, {0xF010, 0xEF01}, {0xF020, 0xEF02}, {0xF030, 0xEF03},
                                   {0xF040, 0xEF04}, {0xF050, 0xEF05}, {0xF060, 0xEF06}, {0xF120, 0xEF12},
                                   {0xF130, 0xEF13}};
    if (nCmdID < 0xF000)
        return nCmdID;
    for (const auto& m : kSys)
        if (m[0] == nCmdID)
            return m[1];
    return AFX_IDS_IDLEMESSAGE;
}

bool IsDroppedCombo(HWND hWnd)
{
    if (hWnd == NULL)
        return false;
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, "ComboBox") != 0 || (::GetWindowLongPtrA(hWnd, GWL_STYLE) & 3) == 0)
        return false;
    return ::SendMessageA(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

}  // namespace

HWND CExtPopupMenuWnd::GetPromptHwnd() const
{
    HWND hWnd = m_hWndCmdReceiver;
    if (hWnd == NULL && m_hWnd != NULL)
        hWnd = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWnd == NULL && m_hWnd != NULL)
        hWnd = ::GetParent(m_hWnd);
    return hWnd != NULL && ::IsWindow(hWnd) ? hWnd : NULL;
}

// ---- opening -------------------------------------------------------------------------------------

bool CExtPopupMenuWnd::TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRectExclude, LPVOID pCbPaintCombinedCookie,
                                      pCbPaintCombinedContent pCbPaintCombinedContent, UINT* lpnResultCmdID,
                                      bool bPaintCombinedEnabled)
{
    if (standIn().bRecording)
        return RecordTrack(nFlags, x, y, lpRectExclude, pCbPaintCombinedCookie, pCbPaintCombinedContent, lpnResultCmdID,
                           bPaintCombinedEnabled);
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = 0;
    CWnd* pOwner = CWnd::FromHandlePermanent(m_hWndCmdReceiver);
    if (pOwner != NULL && CExtControlBar::IsFrameInHelpMode(pOwner))
        nFlags |= TMF_HELP_MODE;
    if ((nFlags & TMF_WITHOUT_SITE) != 0) {
        nFlags &= ~(0x00F0u | TMF_OWNER_DRAW);
        nFlags |= TMF_SHOW_ALL | TMF_NO_COMMAND | TMF_NO_CMD_UI | TMF_NO_SHADOW;
    }
    const bool bWithoutSite = (nFlags & TMF_WITHOUT_SITE) != 0;
    // an open combo list would stay over the menu
    HWND hFocus = ::GetFocus();
    if (IsDroppedCombo(hFocus))
        ::SendMessageA(hFocus, CB_SHOWDROPDOWN, FALSE, 0);
    else if (hFocus != NULL && IsDroppedCombo(::GetParent(hFocus)))
        ::SendMessageA(::GetParent(hFocus), CB_SHOWDROPDOWN, FALSE, 0);
    CExtPopupMenuSite& site = GetSite();
    if (!site.IsEmpty()) {
        if (site.IsShutdownMode())
            return false;
        site.Done();
    }
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL && CWnd::FromHandlePermanent(hWndCapture) != NULL) {
        ::ReleaseCapture();
        ::SendMessageA(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    if (!bWithoutSite) {
        site.SetInstance(this);
        site.SetResultCmdPtr(lpnResultCmdID);
    }
    m_dwTrackFlags = nFlags;
    if (!bWithoutSite)
        UpdateCmdUI();
    if (!OpenPopup(nFlags, x, y, lpRectExclude, pCbPaintCombinedCookie, pCbPaintCombinedContent, bPaintCombinedEnabled)) {
        // The caller still owns the menu: the site lets go of it without deleting it.
        if (!bWithoutSite && site.IsTopMenu(this))
            site.LetGo(this);
        if (m_hWnd != NULL)
            DestroyWindow();
        return false;
    }
    if ((nFlags & TMF_MODAL) == 0)
        return true;
    // The modal loop. The site deletes the menu when its tree closes: from here on only the
    // window handle is read.
    const HWND hWndMenu = m_hWnd;
    while (::IsWindow(hWndMenu) && (bWithoutSite || IsAnyMenuTracked())) {
        // Waits while nothing is queued: a message already waiting (a timer due, a post) ends
        // the wait too, not only one that comes later.
        ::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        PumpWaitingMessages(g_bMenuIdleProcessing);
        MSG msg;
        if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
            // the program is ending: the menu closes and the quit message stays for the run loop
            IExtPopupSiteMenu* pTop = site.GetTopMenu();
            if (pTop != NULL && pTop->GetSiteHwnd() == hWndMenu)
                site.CancelTracking();
            else if (bWithoutSite && ::IsWindow(hWndMenu))
                ::DestroyWindow(hWndMenu);
            break;
        }
    }
    if (!CExtToolControlBar::g_bMenuTracking) {
        // Only while the site's top menu is still this one: a handler run inside the loop may
        // have opened another.
        IExtPopupSiteMenu* pTop = site.GetTopMenu();
        if (pTop != NULL && hWndMenu != NULL && pTop->GetSiteHwnd() == hWndMenu)
            site.Done();
    }
    return true;
}

bool CExtPopupMenuWnd::OpenPopup(UINT nFlags, int x, int y, LPCRECT lpRectExclude, LPVOID pCbPaintCombinedCookie,
                                 pCbPaintCombinedContent pCbPaintCombinedContent, bool bPaintCombinedEnabled)
{
    CExtPopupMenuSite& site = GetSite();
    m_dwTrackFlags = nFlags;
    const bool bWithoutSite = IsTrackedWithoutSite();
    if (m_pWndParentMenu == NULL && !bWithoutSite && site.IsTopMenu(this) && ::IsWindow(m_hWndCmdReceiver)) {
        MsgPrepareMenuData data = {0, this};
        ::SendMessageA(m_hWndCmdReceiver, g_nMsgPrepareMenu, (WPARAM)&data, (LPARAM)this);
        if ((data.nFlags & MsgPrepareMenuData::PREPARE_CANCEL) != 0)
            return false;
        if ((data.nFlags & MsgPrepareMenuData::PREPARE_UPDATE_CMD_UI) != 0)
            UpdateCmdUI();
    }
    if (!bWithoutSite)
        UpdateSystemMenuStates();
    const BYTE nKeep = m_nMenuState & (MENU_TOPLEVEL | MENU_HAS_HIDDEN);
    ResetState();
    m_nMenuState |= nKeep;
    m_dwTrackFlags = nFlags;
    m_pCbPaintCombinedCookie = pCbPaintCombinedCookie;
    m_pCbPaintCombinedContent = pCbPaintCombinedContent;
    m_bPaintCombinedEnabled = bPaintCombinedEnabled;
    m_nHoverIndex = -1;

    // rarely used items
    if (m_pWndParentMenu != NULL) {
        if (m_pWndParentMenu->IsExpanded())
            m_nMenuState |= MENU_EXPANDED;
    } else if (!g_bMenuExpanding || (nFlags & TMF_SHOW_ALL) != 0) {
        m_nMenuState |= MENU_EXPANDED;
    }
    RecalcItems();

    CPoint pt(x, y);
    if (x < 0 || y < 0)
        ::GetCursorPos(&pt);
    m_ptTrack = pt;
    m_bExcludeGiven = lpRectExclude != NULL;
    if (m_bExcludeGiven)
        m_rcExcludeArea = *lpRectExclude;
    else
        m_rcExcludeArea.SetRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
    m_bCombine = false;
    if (m_bExcludeGiven) {
        const UINT nCombine = nFlags & (TMF_COMBINE | TMF_COMBINE_BY_LOOK);
        if (nCombine == TMF_COMBINE)
            m_bCombine = true;
        else if (nCombine == TMF_COMBINE_BY_LOOK && g_PaintManager.GetPaintManager() != NULL)
            m_bCombine = g_PaintManager->IsMenuAttachedToButton();
    }
    HWND hWndOwner = m_hWndCmdReceiver;
    if (!CreatePopupWindow(hWndOwner != NULL && ::IsWindow(hWndOwner) ? CWnd::FromHandle(hWndOwner) : NULL))
        return false;
    if ((nFlags & TMF_SELECT_ANY) != 0) {
        const int n = GetNextItem(GET_CURRENT);
        if (n >= 0)
            ItemFocusSet(n, false, false);
    }
    if (!bWithoutSite) {
        SetAnimationEffect(CExtToolControlBar::g_bMenuTracking ? (int)__AT_NONE : g_nMenuAnimation);
        SetSoundCode(CExtSoundPlayer::__ON_MENU_POPUP_DISPLAYED);
        StartAnimation();
    } else {
        SetAnimationEffect(__AT_NONE);
    }
    if (GetAnimationEffect() == __AT_NONE) {
        SetAnimationEffect(__AT_CONTENT_DISPLAY);
        StartAnimation();
    }
    if (!IsAnimationFinished() && !bWithoutSite)
        site.SetAnimatedMenu(this);
    if (m_rgnWnd.GetSafeHandle() != NULL) {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (hRgn != NULL && ::CombineRgn(hRgn, (HRGN)m_rgnWnd.GetSafeHandle(), NULL, RGN_COPY) != ERROR)
            ::SetWindowRgn(m_hWnd, hRgn, FALSE);
        else if (hRgn != NULL)
            ::DeleteObject(hRgn);
    }
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    if (!bWithoutSite)
        CaptureInput();
    return true;
}

bool CExtPopupMenuWnd::CreatePopupWindow(CWnd* pWndParent)
{
    bool bHadEdits = false;
    for (int i = 0; i < GetItemCount(); i++)
        if (m_items_all[i].IsInplaceEdit()) {
            m_items_all[i].m_pInplaceEditWnd = NULL;
            bHadEdits = true;
        }
    if (bHadEdits)
        RecalcItems();
    const CRect rc = CalcWindowRect();
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_3DFACE + 1));
    const DWORD dwExStyle = IsTrackedWithoutSite() ? 0 : WS_EX_TOPMOST;
    if (!CreateEx(dwExStyle, lpszClass, "", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                  pWndParent != NULL ? pWndParent->GetSafeHwnd() : NULL, NULL))
        return false;
    m_bWindowMade = true;
    RecalcServiceRects();
    if (!IsHelpCursorForced())
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsInplaceEdit())
            continue;
        const CRect rcEdit = GetItemEditRect(i);
        if (::IsWindow(mi.m_hWndCmdTarget)) {
            MsgCreateInplaceEditData data = {&mi.m_pInplaceEditWnd, this, &mi, rcEdit};
            ::SendMessageA(mi.m_hWndCmdTarget, g_nMsgCreateInplaceEdit, (WPARAM)&data, 0);
        }
        if (mi.m_pInplaceEditWnd == NULL) {
            CInPlaceEditWnd* pEdit = new CInPlaceEditWnd(mi.m_pCbInplaceEditValidate, mi.m_pCbInplaceEditCommit,
                                                         mi.m_pCbInplaceEditFilter, mi.m_lInplaceEditCookie,
                                                         mi.m_pInplaceEditStr);
            if (pEdit->Create(this, rcEdit, mi.GetCmdDeliverID()))
                mi.m_pInplaceEditWnd = pEdit;
            else
                delete pEdit;
        }
    }
    return true;
}

CRect CExtPopupMenuWnd::CalcWindowRect()
{
    const CSize size = CalcMenuSize();
    const int nShadow = GetShadowSize();
    CExtPaintManager::MonitorParms mp;
    if (m_bExcludeGiven)
        CExtPaintManager::GetMonitorParmsFromRect(mp, m_rcExcludeArea);
    else if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL)
        CExtPaintManager::GetMonitorParmsFromHwnd(mp, m_pWndParentMenu->GetSafeHwnd());
    else
        CExtPaintManager::GetMonitorParmsFromPoint(mp, m_ptTrack);
    const CRect rcArea = g_bUseWorkArea ? mp.m_rcWorkArea : mp.m_rcMonitor;

    UINT nAlign = m_dwTrackFlags & TMF_ALIGN_MASK;
    if (m_pWndParentMenu != NULL && nAlign == TMF_ALIGN_NONE && !m_bCombine) {
        // A sub-menu opens away from its grandparent: to the left when its parent lies left of
        // the grandparent, else to the right.
        nAlign = TMF_ALIGN_RIGHT;
        const CExtPopupMenuWnd* pParent = m_pWndParentMenu;
        const CExtPopupMenuWnd* pGrand = pParent->m_pWndParentMenu;
        if (pGrand != NULL && pParent->GetSafeHwnd() != NULL && pGrand->GetSafeHwnd() != NULL) {
            CRect rcParent, rcGrand;
            ::GetWindowRect(pParent->GetSafeHwnd(), &rcParent);
            ::GetWindowRect(pGrand->GetSafeHwnd(), &rcGrand);
            if (rcParent.CenterPoint().x < rcGrand.CenterPoint().x)
                nAlign = TMF_ALIGN_LEFT;
        }
        m_dwTrackFlags = (m_dwTrackFlags & ~TMF_ALIGN_MASK) | nAlign;
    }
    if (!m_bExcludeGiven)
        nAlign = TMF_ALIGN_NONE;

    const CRect rcEx = m_rcExcludeArea;
    auto place = [&](UINT a) {
        CPoint pt = m_ptTrack;
        switch (a) {
        case TMF_ALIGN_RIGHT: pt = CPoint(rcEx.right, rcEx.top); break;
        case TMF_ALIGN_HCENTER: pt.x -= size.cx / 2; break;
        case TMF_ALIGN_LEFT: pt = CPoint(rcEx.left - size.cx, rcEx.top); break;
        case TMF_ALIGN_BOTTOM: pt = CPoint(rcEx.left, rcEx.bottom); break;
        case TMF_ALIGN_VCENTER: pt.y -= size.cy / 2; break;
        case TMF_ALIGN_TOP: pt = CPoint(rcEx.left, rcEx.top - size.cy); break;
        default: break;
        }
        CRect rc(pt, size);
        if (m_bCombine) {   // a joined menu overlaps its owner by a pixel
            switch (a) {
            case TMF_ALIGN_BOTTOM: rc.OffsetRect(0, -1); break;
            case TMF_ALIGN_RIGHT: rc.OffsetRect(-1, 0); break;
            case TMF_ALIGN_TOP: rc.OffsetRect(0, nShadow + 1); break;
            case TMF_ALIGN_LEFT: rc.OffsetRect(nShadow + 1, 0); break;
            default: break;
            }
        }
        return rc;
    };
    CRect rc = place(nAlign);
    // flips against the exclude rectangle
    if (nAlign == TMF_ALIGN_BOTTOM && size.cy >= rcArea.bottom - rcEx.bottom && rcEx.top - rcArea.top > rcArea.bottom - rcEx.bottom) {
        nAlign = TMF_ALIGN_TOP;
        rc = place(nAlign);
    } else if (nAlign == TMF_ALIGN_TOP && rc.top < rcArea.top) {
        nAlign = TMF_ALIGN_BOTTOM;
        rc = place(nAlign);
    }
    if (nAlign == TMF_ALIGN_RIGHT && rc.right > rcArea.right) {
        nAlign = TMF_ALIGN_LEFT;
        rc = place(nAlign);
    } else if (nAlign == TMF_ALIGN_LEFT && rc.left < rcArea.left) {
        nAlign = TMF_ALIGN_RIGHT;
        rc = place(nAlign);
    }
    if (m_pWndParentMenu != NULL && (nAlign == TMF_ALIGN_RIGHT || nAlign == TMF_ALIGN_LEFT))
        m_dwTrackFlags = (m_dwTrackFlags & ~TMF_ALIGN_MASK) | nAlign;
    // what still overflows moves back inside (a joined top-level menu then stops joining)
    const bool bTop = m_pWndParentMenu == NULL;
    auto moved = [&]() {
        if (bTop)
            m_bCombine = false;
    };
    if (rc.bottom > rcArea.bottom) {
        rc.OffsetRect(0, rcArea.bottom - rc.bottom);
        moved();
    }
    if (rc.top < rcArea.top) {
        rc.OffsetRect(0, rcArea.top - rc.top);
        moved();
    }
    if (rc.right > rcArea.right) {
        rc.OffsetRect(rcArea.right - rc.right, 0);
        moved();
    }
    if (rc.left < rcArea.left) {
        rc.OffsetRect(rcArea.left - rc.left, 0);
        moved();
    }
    m_nMenuState &= ~MENU_SCROLLING;
    if (rc.Height() > rcArea.Height()) {
        rc.top = rcArea.top;
        rc.bottom = rcArea.bottom;
        m_nMenuState |= MENU_SCROLLING;
        m_nDyScrollOffset = std::max(GetMinScrollPosFor(rc.Height()), std::min(0, m_nDyScrollOffset));
    } else {
        m_nDyScrollOffset = 0;
    }
    m_rcClient = CRect(0, 0, rc.Width(), rc.Height());

    // the side where the menu touches its owner
    m_nCombineAreaState = 0;
    m_rgnWnd.DeleteObject();
    if (m_bCombine) {
        const CRect rcBody(rc.left, rc.top, rc.right - nShadow, rc.bottom - nShadow);
        const bool bOverlapX = rcBody.left < rcEx.right && rcBody.right > rcEx.left;
        const bool bOverlapY = rcBody.top < rcEx.bottom && rcBody.bottom > rcEx.top;
        if (bOverlapX && rcBody.top == rcEx.bottom - 1)
            m_nCombineAreaState = CExtPaintManager::CombineTop;
        else if (bOverlapX && rcBody.bottom == rcEx.top + 1)
            m_nCombineAreaState = CExtPaintManager::CombineBottom;
        else if (bOverlapY && rcBody.left == rcEx.right - 1)
            m_nCombineAreaState = CExtPaintManager::CombineLeft;
        else if (bOverlapY && rcBody.right == rcEx.left + 1)
            m_nCombineAreaState = CExtPaintManager::CombineRight;
        if (m_nCombineAreaState == 0)
            m_bCombine = false;
    }
    if (m_bCombine)
        m_nPopupFlags |= POPUP_FLAG_EXCLUDE_AREA;
    else
        m_nPopupFlags &= ~POPUP_FLAG_EXCLUDE_AREA;
    return rc;
}

// ---- input ---------------------------------------------------------------------------------------

void CExtPopupMenuWnd::CaptureInput()
{
    GetSite().SetCapturedMenu(m_hWnd != NULL && ::IsWindow(m_hWnd) ? this : NULL);
}

void CExtPopupMenuWnd::ReleaseInput()
{
    CExtPopupMenuSite& site = GetSite();
    if (site.GetCapturedMenu() == this && !site.IsEmpty() && !site.IsShutdownMode())
        site.SetCapturedMenu(NULL);
}

bool CExtPopupMenuWnd::IsTipVisible() const
{
    return GetCapturedMenu() == this && m_wndToolTip.GetSafeHwnd() != NULL && ::IsWindowVisible(m_wndToolTip.GetSafeHwnd());
}

void CExtPopupMenuWnd::HideTip(bool bStopDelay)
{
    (void)bStopDelay;   // hiding the tip also drops its pending show
    m_wndToolTip.Hide();
}

bool CExtPopupMenuWnd::IsItemSelectable(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    const MENUITEMDATA& mi = m_items_all[nPos];
    if (mi.IsSeparator())
        return false;
    if (mi.IsPopup())
        return true;
    return mi.IsEnabled() || (mi.m_nStateFlags & MENUITEMDATA::STATE_ALWAYS_ENABLED) != 0;
}

int CExtPopupMenuWnd::GetNextItem(int nDirection) const
{
    const int nCount = GetItemCount();
    const bool bExpandStop = HasHiddenItems() && !IsExpanded();
    const int nNone = bExpandStop ? (int)HIT_EXPAND : (int)HIT_NOTHING;
    if (bExpandStop && AreAllItemsHidden())
        return HIT_EXPAND;
    if (nCount == 0 || nDirection == GET_NONE)
        return nNone;
    auto ok = [&](int i) { return IsItemSelectable(i) && m_items_all[i].IsDisplayed(); };
    const int nCur = m_nCurIndex >= 0 && m_nCurIndex < nCount ? m_nCurIndex : -1;
    if (nDirection == GET_CURRENT && nCur >= 0)
        return nCur;
    if (nCur < 0) {
        for (int i = 0; i < nCount; i++)
            if (ok(i))
                return i;
        return nNone;
    }
    switch (nDirection) {
    case GET_NEXT:
        for (int i = nCur + 1; i < nCount; i++)
            if (ok(i))
                return i;
        if (bExpandStop)
            return HIT_EXPAND;
        for (int i = 0; i < nCur; i++)
            if (ok(i))
                return i;
        return HIT_NOTHING;
    case GET_PREV:
        if (nCount < 2)
            return HIT_NOTHING;
        for (int i = nCur - 1; i >= 0; i--)
            if (ok(i))
                return i;
        for (int i = nCount - 1; i > nCur; i--)
            if (ok(i))
                return i;
        return HIT_NOTHING;
    default:
        return HIT_NOTHING;
    }
}

void CExtPopupMenuWnd::EnsureItemVisible(int nPos)
{
    if (!IsScrolling() || nPos < 0)
        return;
    const CRect rcItem = GetItemRect(nPos);
    if (rcItem.IsRectEmpty())
        return;
    const int nTop = m_rcScrollTop.IsRectEmpty() ? m_rcClient.top : m_rcScrollTop.bottom;
    int nBottom = m_rcScrollBottom.IsRectEmpty() ? m_rcClient.bottom : m_rcScrollBottom.top;
    if (HasHiddenItems() && !m_rcExpandBtn.IsRectEmpty())
        nBottom = std::min(nBottom, (int)m_rcExpandBtn.top);
    int nOffset = m_nDyScrollOffset;
    if (rcItem.top < nTop)
        nOffset += nTop - rcItem.top;
    else if (rcItem.bottom > nBottom)
        nOffset -= rcItem.bottom - nBottom;
    m_nDyScrollOffset = std::max(GetMinScrollPos(), std::min(0, nOffset));
}

void CExtPopupMenuWnd::ItemFocusCancel(bool bRepaint)
{
    if (!IsTrackedWithoutSite())
        HideTip();
    if (m_nCurIndex >= 0 && m_nCurIndex < GetItemCount()) {
        MENUITEMDATA& mi = m_items_all[m_nCurIndex];
        mi.m_nStateFlags &= ~MENUITEMDATA::STATE_HIGHLIGHTED;
        // its in-place edit goes inactive (and out of sight)
        mi.m_nEditFlags &= ~MENUITEMDATA::EDIT_ACTIVE;
        mi.m_sInplaceEditText.Empty();
        if (mi.m_pInplaceEditWnd != NULL && ::IsWindowVisible(mi.m_pInplaceEditWnd->GetSafeHwnd()))
            mi.m_pInplaceEditWnd->ShowWindow(SW_HIDE);
        if (mi.IsPopup() && mi.m_pWndChild != NULL)
            mi.m_pWndChild->CloseMenuTree(false);
    }
    m_nCurIndex = -1;
    if (!IsTrackedWithoutSite()) {
        HWND hWndPrompt = GetPromptHwnd();
        if (hWndPrompt != NULL)
            CExtControlBar::ShowCommandPrompt(CWnd::FromHandle(hWndPrompt), AFX_IDS_IDLEMESSAGE);
    }
    if (bRepaint && m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CExtPopupMenuWnd::ItemFocusSet(int nPos, bool bOpenSubMenu, bool bRepaint, bool bSelectAnyInChild)
{
    if (nPos != m_nCurIndex)
        ItemFocusCancel(false);
    if (nPos < 0 || nPos >= GetItemCount())
        return;
    MENUITEMDATA& mi = m_items_all[nPos];
    const bool bSelectable = IsItemSelectable(nPos) && mi.IsDisplayed();
    m_nCurIndex = nPos;
    if (bSelectable) {
        mi.m_nStateFlags |= MENUITEMDATA::STATE_HIGHLIGHTED;
        EnsureItemVisible(nPos);
    }
    if (!IsTrackedWithoutSite()) {
        HWND hWndPrompt = GetPromptHwnd();
        const UINT nDeliver = mi.GetCmdDeliverID();
        const UINT nPrompt = bSelectable && (int)nDeliver > 0 ? PromptIdOf(nDeliver) : AFX_IDS_IDLEMESSAGE;
        if (hWndPrompt != NULL)
            CExtControlBar::ShowCommandPrompt(CWnd::FromHandle(hWndPrompt), nPrompt);
    }
    if (bRepaint && m_hWnd != NULL && ::IsWindowVisible(m_hWnd))
        ::InvalidateRect(m_hWnd, NULL, FALSE);
    if (!bOpenSubMenu || !bSelectable || !mi.IsPopup() || mi.m_pWndChild == NULL)
        return;
    CExtPopupMenuWnd* pChild = mi.m_pWndChild;
    if (!pChild->CanOpenAsSubmenu())
        return;
    if (mi.m_pInplaceEditWnd != NULL && ::IsWindowVisible(mi.m_pInplaceEditWnd->GetSafeHwnd()))
        return;
    if (pChild->GetSafeHwnd() != NULL) {
        if (!pChild->IsWindowVisible()) {
            pChild->SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
            pChild->Invalidate(FALSE);
        }
    } else {
        if (!IsTrackedWithoutSite())
            ReleaseInput();
        CRect rcItem = GetItemRect(nPos);
        ClientToScreen(&rcItem);
        const UINT nChildFlags = ((mi.m_nStateFlags & MENUITEMDATA::STATE_COMBINE_CHILD) != 0 ? (UINT)TMF_COMBINE_BY_LOOK : 0u) |
                                 (m_dwTrackFlags & 0x1600u);
        pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        if (!pChild->OpenPopup(nChildFlags, rcItem.right, rcItem.top, &rcItem, (LPVOID)(INT_PTR)nPos, PaintOwnerItem, true)) {
            if (!IsTrackedWithoutSite())
                CaptureInput();
            return;
        }
    }
    if (bSelectAnyInChild && pChild->GetItemCount() > 0) {
        const int n = pChild->GetNextItem(GET_CURRENT);
        if (n >= 0)
            pChild->ItemFocusSet(n, false, GetSite().GetAnimatedMenu() == NULL);
    }
}

void CExtPopupMenuWnd::ItemFocusDelay(int nPos)
{
    if (m_nDelayedFocusItemIndex != nPos && m_nDelayedFocusItemIndex >= 0 && m_hWnd != NULL)
        KillTimer(ID_TIMER_DELAY_EXPAND);
    if (nPos < 0) {
        m_nDelayedFocusItemIndex = -1;
        return;
    }
    m_nDelayedFocusItemIndex = nPos;
    if (m_hWnd != NULL)
        SetTimer(ID_TIMER_DELAY_EXPAND, 500, NULL);
}

void CExtPopupMenuWnd::OnDelayExpandTick()
{
    if (GetSite().GetAnimatedMenu() != NULL)
        return;
    KillTimer(ID_TIMER_DELAY_EXPAND);
    const int nPos = m_nDelayedFocusItemIndex;
    m_nDelayedFocusItemIndex = -1;
    if (GetSite().IsShutdownMode() || nPos < 0 || nPos >= GetItemCount())
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (GetItemRect(nPos).PtInRect(pt))
        ItemFocusSet(nPos, true, true, true);
}

bool CExtPopupMenuWnd::StartScrolling(int nPseudoIndex)
{
    if (nPseudoIndex != HIT_SCROLL_UP && nPseudoIndex != HIT_SCROLL_DOWN)
        return false;
    ItemFocusDelay(-1);
    ItemFocusCancel(false);
    m_nCurIndex = nPseudoIndex;
    Invalidate(FALSE);
    SetTimer(ID_TIMER_SCROLLING, 15, NULL);
    return true;
}

void CExtPopupMenuWnd::OnScrollTick()
{
    ItemFocusDelay(-1);
    if (m_nCurIndex >= 0) {
        if (m_nCurIndex < GetItemCount())
            m_items_all[m_nCurIndex].m_nStateFlags &= ~MENUITEMDATA::STATE_HIGHLIGHTED;
        m_nCurIndex = -1;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int nStep = 0;
    if (!m_rcScrollTop.IsRectEmpty() && m_rcScrollTop.PtInRect(pt))
        nStep = 5;
    else if (!m_rcScrollBottom.IsRectEmpty() && m_rcScrollBottom.PtInRect(pt))
        nStep = -5;
    m_nDyScrollOffset += nStep;
    const int nMin = GetMinScrollPos();
    bool bStop = nStep == 0;
    if (m_nDyScrollOffset > 0) {
        m_nDyScrollOffset = 0;
        bStop = true;
    } else if (m_nDyScrollOffset < nMin) {
        m_nDyScrollOffset = nMin;
        bStop = true;
    }
    if (bStop) {
        KillTimer(ID_TIMER_SCROLLING);
        if (m_nCurIndex < 0)
            m_nCurIndex = -1;
    }
    Invalidate(FALSE);
}

void CExtPopupMenuWnd::OnExpandHoverTick()
{
    if (m_nWaitingExpandTickCount < 1500) {
        if (m_nWaitingExpandTickCount < 2)
            m_nWaitingExpandTickCount = 0;
        m_nWaitingExpandTickCount += 50;
        if (m_nWaitingExpandTickCount < 1500)
            return;
    }
    KillTimer(ID_TIMER_EXPAND_HOVER);
    m_nWaitingExpandTickCount = 0;
    if (!HasHiddenItems() || IsExpanded() || GetSite().GetAnimatedMenu() != NULL)
        return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) == HIT_EXPAND)
        ExpandHiddenItems();
}

void CExtPopupMenuWnd::ExpandHiddenItems()
{
    ItemFocusDelay(-1);
    HideTip();
    if (GetSite().GetAnimatedMenu() != NULL || IsTipVisible())
        return;
    const CSize sizeOld = m_sizeFullItems;
    m_nMenuState |= MENU_EXPANDED;
    RecalcItems();
    if (m_sizeFullItems == sizeOld) {
        RecalcServiceRects();
        Invalidate(FALSE);
    } else if (m_hWnd != NULL) {
        ReleaseAnimationBitmaps();
        const CRect rc = CalcWindowRect();
        RecalcServiceRects();
        SetAnimationEffect(g_bMenuExpandAnimation ? (int)__AT_CONTENT_EXPAND : (int)__AT_CONTENT_DISPLAY);
        StartAnimation();
        if (!IsAnimationFinished() && !IsTrackedWithoutSite())
            GetSite().SetAnimatedMenu(this);
        SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        Invalidate(FALSE);
    }
    HWND hWndOwner = m_hWndCmdReceiver;
    if (hWndOwner != NULL && ::IsWindow(hWndOwner))
        ::SendMessageA(hWndOwner, g_nMsgNotifyMenuExpanded, 0, (LPARAM)this);
}

void CExtPopupMenuWnd::ShowItemTip(int nPos)
{
    if (!g_bMenuShowItemTips || GetCapturedMenu() != this || nPos < 0 || nPos >= GetItemCount())
        return;
    const MENUITEMDATA& mi = m_items_all[nPos];
    const UINT nCmd = mi.GetCmdDeliverID();
    CString strTip;
    if (nCmd >= 0xF000 && PromptIdOf(nCmd) != AFX_IDS_IDLEMESSAGE) {
        strTip.LoadString(PromptIdOf(nCmd));
        const int nNewLine = strTip.ReverseFind('\n');
        if (nNewLine >= 0)
            strTip = strTip.Left(nNewLine);
    } else if (CExtCmdItem* pCmd = mi.GetCmd()) {
        strTip = pCmd->GetStatusTipText();
    }
    strTip.TrimLeft();
    strTip.TrimRight();
    if (strTip.IsEmpty())
        return;
    CRect rcItem = GetItemRect(nPos);
    ClientToScreen(&rcItem);
    m_wndToolTip.SetText(strTip);
    m_wndToolTip.Show(this, rcItem);
}

bool CExtPopupMenuWnd::HandleMouseWheel(UINT, MOUSEHOOKSTRUCT*, bool&)
{
    return true;   // the wheel never reaches the windows under an open menu
}

bool CExtPopupMenuWnd::HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass)
{
    CExtPopupMenuSite& site = GetSite();
    if (!IsAnimationFinished() || site.IsEmpty() || site.IsShutdownMode() || site.GetAnimatedMenu() != NULL)
        return true;
    bool bInEdit = false;
    if (m_hWnd != NULL) {
        CPoint ptScreen(ptClient);
        ClientToScreen(&ptScreen);
        HWND hWndUnder = ::WindowFromPoint(ptScreen);
        if (hWndUnder != NULL && hWndUnder != m_hWnd && ::GetParent(hWndUnder) == m_hWnd) {
            for (int i = 0; i < GetItemCount(); i++)
                if (m_items_all[i].m_pInplaceEditWnd != NULL && m_items_all[i].m_pInplaceEditWnd->GetSafeHwnd() == hWndUnder) {
                    if (m_nCurIndex != i)
                        ItemFocusSet(i, false, true);
                    break;
                }
            bPass = true;
            return false;
        }
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL && ::GetParent(hWndFocus) == m_hWnd)
            return true;
    }
    if (m_rcClient.PtInRect(ptClient) && IsPointInMenu(ptClient)) {
        const int nHit = HitTest(ptClient, &bInEdit);
        if (nHit == HIT_EXPAND) {
            ItemFocusCancel(true);
            if (g_bMenuExpandOnHover) {
                CaptureInput();
                if (m_nWaitingExpandTickCount == 0) {
                    m_nWaitingExpandTickCount = 1;
                    SetTimer(ID_TIMER_EXPAND_HOVER, 30, NULL);
                }
            }
            return true;
        }
        if (nHit == HIT_SCROLL_UP || nHit == HIT_SCROLL_DOWN) {
            StartScrolling(nHit);
            return true;
        }
        if (m_nWaitingExpandTickCount != 0) {   // left the expand button before it expanded
            KillTimer(ID_TIMER_EXPAND_HOVER);
            m_nWaitingExpandTickCount = 0;
        }
        if (nHit < 0 || !IsItemSelectable(nHit))
            return false;
        if (nHit == m_nCurIndex)
            return false;
        ItemFocusDelay(-1);
        CaptureInput();
        ItemFocusSet(nHit, false, true);
        m_nHoverIndex = nHit;
        const MENUITEMDATA& mi = m_items_all[nHit];
        if (mi.IsPopup()) {
            HideTip();
            if (mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() == NULL)
                ItemFocusDelay(nHit);
        } else {
            ShowItemTip(nHit);
        }
        return true;
    }
    if (m_nWaitingExpandTickCount != 0) {
        KillTimer(ID_TIMER_EXPAND_HOVER);
        m_nWaitingExpandTickCount = 0;
    }
    // outside: a parent menu under the mouse takes the event
    if (m_pWndParentMenu != NULL && m_pWndParentMenu->GetSafeHwnd() != NULL) {
        CPoint ptParent(ptClient);
        ClientToScreen(&ptParent);
        m_pWndParentMenu->ScreenToClient(&ptParent);
        bool bParentPass = false;
        const HWND hWndSelf = m_hWnd;
        if (m_pWndParentMenu->HandleMouseMove(nMsg, ptParent, bParentPass)) {
            if (::IsWindow(hWndSelf) || !site.IsEmpty())
                m_nHoverIndex = -1;
            return true;
        }
        if (bParentPass) {
            bPass = true;
            return false;
        }
    }
    if (m_nHoverIndex >= 0 && GetCapturedMenu() == this) {
        bool bKeep = false;
        if (m_nCurIndex >= 0 && m_nCurIndex < GetItemCount()) {
            const MENUITEMDATA& mi = m_items_all[m_nCurIndex];
            bKeep = mi.IsPopup() && mi.m_pWndChild != NULL && mi.m_pWndChild->GetCurIndex() >= 0 &&
                    mi.m_pWndChild->GetSafeHwnd() != NULL;
        }
        if (!bKeep)
            ItemFocusCancel(true);
    }
    m_nHoverIndex = -1;
    return false;
}

bool CExtPopupMenuWnd::HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass)
{
    CExtPopupMenuSite& site = GetSite();
    if (!IsAnimationFinished() || site.IsEmpty() || site.IsShutdownMode() || site.GetAnimatedMenu() != NULL)
        return true;
    const bool bUp = nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP || nMsg == WM_RBUTTONUP || nMsg == WM_NCRBUTTONUP ||
                     nMsg == WM_MBUTTONUP || nMsg == WM_NCMBUTTONUP;
    const bool bLeftUp = nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP;
    CPoint ptScreen(ptClient);
    ClientToScreen(&ptScreen);
    HWND hWndUnder = ::WindowFromPoint(ptScreen);
    for (int i = 0; i < GetItemCount(); i++)
        if (m_items_all[i].m_pInplaceEditWnd != NULL && m_items_all[i].m_pInplaceEditWnd->GetSafeHwnd() == hWndUnder &&
            hWndUnder != NULL) {
            if (m_nCurIndex != i)
                ItemFocusSet(i, false, true);
            bPass = true;
            return false;
        }
    const bool bInside = m_rcClient.PtInRect(ptClient) && IsPointInMenu(ptClient);
    if (bLeftUp && !bInside) {
        if (m_wndToolTip.GetSafeHwnd() != NULL && hWndUnder == m_wndToolTip.GetSafeHwnd())
            return true;
        if (m_pWndParentMenu == NULL) {
            if (nMsg == WM_NCLBUTTONUP) {
                CloseMenuTree(false);
                return false;
            }
            CloseMenuTree(false);   // the site ends with the window: nothing of this menu is read after
            return true;
        }
        if (m_pWndParentMenu->GetSafeHwnd() != NULL) {
            CPoint ptParent(ptScreen);
            m_pWndParentMenu->ScreenToClient(&ptParent);
            bool bParentPass = false;
            const HWND hWndSelf = m_hWnd;
            if (m_pWndParentMenu->HandleMouseClick(nMsg, ptParent, bParentPass)) {
                // the parent may have ended the whole tree (this menu deleted with it)
                if (!bParentPass && ::IsWindow(hWndSelf) && !site.IsEmpty())
                    CloseMenuTree(false);
                return !bParentPass;
            }
        }
        return false;
    }
    bool bInEdit = false, bInArrow = false;
    const int nHit = bInside ? HitTest(ptClient, &bInEdit, &bInArrow) : (int)HIT_NOTHING;
    if (nHit < 0) {
        if (bUp && bInside) {
            if (nHit == HIT_SCROLL_UP || nHit == HIT_SCROLL_DOWN)
                StartScrolling(nHit);
            else if (nHit == HIT_EXPAND) {
                if (HasHiddenItems() && !IsExpanded())
                    ExpandHiddenItems();
            } else {
                CloseMenuTree(false);
            }
            return true;
        }
        if (!bUp && m_pWndParentMenu == NULL && m_bCombine && m_rcClient.PtInRect(ptClient)) {
            CloseMenuTree(false);
            return true;
        }
        return bInside;
    }
    if (!bUp)
        return true;   // a press on an item waits for its release
    if (!bLeftUp)
        return true;
    MENUITEMDATA& mi = m_items_all[nHit];
    if (mi.IsSeparator() || !IsItemSelectable(nHit)) {
        // a release over a separator or a disabled item ends every open menu
        if (CExtToolControlBar::g_bMenuTracking)
            CExtToolControlBar::CancelAllBarsTracking();
        CancelMenuTracking();
        return true;
    }
    if (mi.IsInplaceEdit() && !mi.IsPopup()) {
        ItemFocusSet(nHit, false, true);
        CaptureInput();
        if (!IsHelpCursorForced() && mi.m_pInplaceEditWnd != NULL && ::IsWindow(mi.m_pInplaceEditWnd->GetSafeHwnd())) {
            mi.m_nEditFlags |= MENUITEMDATA::EDIT_ACTIVE;
            mi.m_pInplaceEditWnd->MoveWindow(GetItemEditRect(nHit), FALSE);
            mi.m_pInplaceEditWnd->ShowWindow(SW_SHOW);
            mi.m_pInplaceEditWnd->SetFocus();
        }
        return true;
    }
    if (mi.IsPopup()) {
        if (mi.m_pWndChild != NULL && (mi.m_pWndChild->GetSafeHwnd() == NULL || !mi.m_pWndChild->IsWindowVisible())) {
            ItemFocusDelay(-1);
            ItemFocusSet(nHit, true, true);
        }
        return true;
    }
    if (mi.m_pCbInplace != NULL) {
        mi.m_pCbInplace(mi);
        Invalidate(FALSE);
        return true;
    }
    if (mi.IsExecutable()) {
        if (mi.m_pCbCmdDeliver != NULL && mi.m_pCbCmdDeliver(mi))
            return true;
        EndTracking(mi.GetCmdDeliverID(), mi.m_hWndCmdTarget);
        return true;
    }
    CloseMenuTree(false);
    return true;
}

bool CExtPopupMenuWnd::HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass)
{
    (void)nRepCnt;
    CExtPopupMenuSite& site = GetSite();
    if (!IsAnimationFinished() || site.IsEmpty() || site.IsShutdownMode() || site.GetAnimatedMenu() != NULL)
        return true;
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    const bool bAlt = ::GetKeyState(VK_MENU) < 0 || (nFlags & KF_ALTDOWN) != 0;
    // an in-place edit of the menu with the focus
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && m_hWnd != NULL && ::GetParent(hWndFocus) == m_hWnd) {
        const bool bCurEdit = m_nCurIndex >= 0 && m_nCurIndex < GetItemCount() && m_items_all[m_nCurIndex].IsInplaceEdit() &&
                              m_items_all[m_nCurIndex].m_pInplaceEditWnd != NULL &&
                              m_items_all[m_nCurIndex].m_pInplaceEditWnd->GetSafeHwnd() == hWndFocus;
        if (!(nVirtKey == VK_RETURN && bCurEdit)) {
            if (bAlt)
                PostMessage(WM_CANCELMODE);
            else if (nVirtKey == VK_ESCAPE)
                ::SetFocus(NULL);
            else if (bCtrl && (nVirtKey == 'C' || nVirtKey == VK_INSERT))
                ::SendMessageA(hWndFocus, WM_COPY, 0, 0);
            else if ((bCtrl && nVirtKey == 'X') || (bShift && nVirtKey == VK_DELETE))
                ::SendMessageA(hWndFocus, WM_CUT, 0, 0);
            else if ((bCtrl && nVirtKey == 'V') || (bShift && nVirtKey == VK_INSERT))
                ::SendMessageA(hWndFocus, WM_PASTE, 0, 0);
            else if (nVirtKey == VK_DELETE)
                ::SendMessageA(hWndFocus, CInPlaceEditWnd::g_nMsgDeleteSelection, 0, 0);
            else if (bCtrl && nVirtKey == 'A')
                ::SendMessageA(hWndFocus, CInPlaceEditWnd::g_nMsgSelectAll, 0, 0);
            else
                bPass = true;
            return !bPass;
        }
    }
    // Enter (or a chosen mnemonic) on the item at nPos.
    auto choose = [&](int nPos) -> bool {
        if (nPos < 0 || nPos >= GetItemCount())
            return true;
        MENUITEMDATA& mi = m_items_all[nPos];
        if (mi.IsInplaceEdit() && !mi.IsPopup()) {
            if (mi.m_pInplaceEditWnd != NULL && ::IsWindowVisible(mi.m_pInplaceEditWnd->GetSafeHwnd())) {
                bPass = true;
                return false;
            }
            if (mi.m_pInplaceEditWnd != NULL && ::IsWindow(mi.m_pInplaceEditWnd->GetSafeHwnd())) {
                if (m_nCurIndex != nPos)
                    ItemFocusSet(nPos, false, true);
                mi.m_nEditFlags |= MENUITEMDATA::EDIT_ACTIVE;
                mi.m_pInplaceEditWnd->MoveWindow(GetItemEditRect(nPos), FALSE);
                mi.m_pInplaceEditWnd->ShowWindow(SW_SHOW);
                mi.m_pInplaceEditWnd->SetFocus();
            }
            return true;
        }
        if (!mi.IsPopup() && mi.m_pCbInplace != NULL) {
            mi.m_pCbInplace(mi);
            Invalidate(FALSE);
            return true;
        }
        if (!mi.IsPopup() && mi.IsExecutable() && IsItemSelectable(nPos)) {
            if (mi.m_pCbCmdDeliver != NULL && mi.m_pCbCmdDeliver(mi))
                return true;
            EndTracking(mi.GetCmdDeliverID(), mi.m_hWndCmdTarget);
            return true;
        }
        if (mi.IsPopup() && mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() == NULL) {
            ItemFocusDelay(-1);
            ItemFocusSet(nPos, true, true, true);
        }
        return true;
    };
    switch (nVirtKey) {
    case VK_RETURN:
        return choose(m_nCurIndex);
    case VK_MENU:
    case VK_ESCAPE:
        EndTracking(0);
        return true;
    case VK_SPACE:
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (nVirtKey == VK_DOWN && bCtrl && HasHiddenItems() && !IsExpanded()) {
            ExpandHiddenItems();
            return true;
        }
        const int nDir = nVirtKey == VK_UP ? GET_PREV : nVirtKey == VK_DOWN ? GET_NEXT : nVirtKey == VK_PRIOR ? GET_PAGE_UP : GET_PAGE_DOWN;
        const int nNext = GetNextItem(nDir);
        if (nNext == HIT_EXPAND) {
            const int nCur = m_nCurIndex;
            ExpandHiddenItems();
            if (nCur >= 0)
                ItemFocusSet(nCur, false, true);
            const int nBelow = GetNextItem(GET_NEXT);
            if (nBelow >= 0 && nBelow != m_nCurIndex)
                ItemFocusSet(nBelow, false, true);
            return true;
        }
        if (nNext >= 0 && nNext != m_nCurIndex) {
            ItemFocusDelay(-1);
            ItemFocusSet(nNext, false, true);
        }
        return true;
    }
    case VK_LEFT:
        if (m_pWndParentMenu != NULL) {
            CExtPopupMenuWnd* pParent = m_pWndParentMenu;
            const int nParentCur = pParent->m_nCurIndex;
            pParent->ItemFocusCancel(false);   // closes this menu's window
            pParent->ItemFocusSet(nParentCur, false, true);
            pParent->CaptureInput();
            return true;
        }
        if (CExtToolControlBar::g_bMenuTracking && ::IsWindow(m_hWndCmdReceiver))
            ::PostMessageA(m_hWndCmdReceiver, g_nMsgPopupPrev, 0, (LPARAM)this);
        return true;
    case VK_RIGHT:
        if (m_nCurIndex >= 0 && m_nCurIndex < GetItemCount() && m_items_all[m_nCurIndex].IsPopup() &&
            m_items_all[m_nCurIndex].m_pWndChild != NULL && m_items_all[m_nCurIndex].m_pWndChild->GetSafeHwnd() == NULL) {
            ItemFocusDelay(-1);
            ItemFocusSet(m_nCurIndex, true, true, true);
            return true;
        }
        if (CExtToolControlBar::g_bMenuTracking && ::IsWindow(m_hWndCmdReceiver))
            ::PostMessageA(m_hWndCmdReceiver, g_nMsgPopupNext, 0, (LPARAM)this);
        return true;
    default:
        break;
    }
    if (bShift || bCtrl)
        return true;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    WORD wChar = 0;
    const UINT nScan = (nFlags & 0xFF);
    if (::ToAsciiEx(nVirtKey, nScan, keys, &wChar, 1, ::GetKeyboardLayout(0)) != 1)
        return true;
    const TCHAR ch = (TCHAR)(wChar & 0xFF);
    const int nFound = ItemFindByAccessChar(ch, m_nCurIndex);
    if (nFound < 0) {
        // only the current item carries it
        if (m_nCurIndex >= 0 && m_nCurIndex < GetItemCount() &&
            m_items_all[m_nCurIndex].m_cAccessChar == (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch))
            return choose(m_nCurIndex);
        return true;
    }
    const int nOther = ItemFindByAccessChar(ch, nFound);
    if (nOther >= 0 && nOther != nFound) {
        // several items carry it: move to the next one
        ItemFocusDelay(-1);
        ItemFocusSet(nFound, true, true);
        return true;
    }
    if (m_items_all[nFound].IsPopup()) {
        ItemFocusDelay(-1);
        ItemFocusSet(nFound, true, true, true);
        return true;
    }
    ItemFocusSet(nFound, false, true);
    return choose(nFound);
}

bool CExtPopupMenuWnd::IsPointInMenu(CPoint ptClient)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return false;
    CPoint pt(ptClient);
    ::ClientToScreen(m_hWnd, &pt);
    return ::WindowFromPoint(pt) == m_hWnd;
}

// ---- ending --------------------------------------------------------------------------------------

void CExtPopupMenuWnd::CloseMenuTree(bool bKeepOwnWindow)
{
    // (a menu that never showed leaves the prompt as it is; one whose window is already gone
    // still gives it back)
    HWND hWndMain = AfxGetMainWnd() != NULL ? AfxGetMainWnd()->GetSafeHwnd() : NULL;
    if (hWndMain != NULL && ::IsWindow(hWndMain) && m_pWndParentMenu == NULL && m_bWindowMade)
        CExtControlBar::ShowCommandPrompt(CWnd::FromHandle(hWndMain), AFX_IDS_IDLEMESSAGE);
    const bool bWithoutSite = IsTrackedWithoutSite();
    if (!bWithoutSite) {
        m_wndToolTip.Hide();
        if (m_hWnd != NULL)
            CExtPopupBaseWnd::ReleaseAnimationBitmaps();
        ReleaseInput();
    }
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        mi.m_nStateFlags &= ~MENUITEMDATA::STATE_HIGHLIGHTED;
        if (mi.IsPopup() && mi.m_pWndChild != NULL)
            mi.m_pWndChild->CloseMenuTree(false);
    }
    m_nCurIndex = -1;
    m_nDelayedFocusItemIndex = -1;
    if (bKeepOwnWindow || m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    const bool bTop = m_pWndParentMenu == NULL;
    ShowWindow(SW_HIDE);
    KillTimer(ID_TIMER_DELAY_EXPAND);
    // A top-level menu of the site is deleted as its window goes: nothing of it is read after.
    DestroyWindow();
    if (bTop && CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllBarsTracking();
}

void CExtPopupMenuWnd::EndTracking(UINT nCmdID, HWND hWndTarget)
{
    CExtPopupMenuSite& site = GetSite();
    const bool bWithoutSite = IsTrackedWithoutSite();
    UINT* pResult = site.GetResultCmdPtr();
    if (pResult != NULL)
        *pResult = nCmdID;
    const bool bNoCommand = (m_dwTrackFlags & TMF_NO_COMMAND) != 0;
    if (hWndTarget == NULL)
        hWndTarget = m_hWndCmdReceiver;
    CExtCmdItem* pCmd = NULL;
    if (!bNoCommand && nCmdID != 0 && hWndTarget != NULL && ::IsWindow(hWndTarget)) {
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(hWndTarget);
        pCmd = g_CmdManager->GetCommand(profile, nCmdID);
    }
    // every menu of the chain goes out of sight, and what they covered is painted at once
    CRect rcUnion(0, 0, 0, 0);
    HWND hWndTopMenu = NULL;
    for (CExtPopupMenuWnd* p = this; p != NULL; p = p->m_pWndParentMenu) {
        if (p->GetSafeHwnd() == NULL)
            continue;
        hWndTopMenu = p->GetSafeHwnd();
        CRect rc;
        p->GetWindowRect(&rc);
        rcUnion.UnionRect(rcUnion, rc);
        HWND hWndTip = p->m_wndToolTip.GetSafeHwnd();
        if (hWndTip != NULL && ::IsWindowVisible(hWndTip)) {
            ::GetWindowRect(hWndTip, &rc);
            rcUnion.UnionRect(rcUnion, rc);
            p->m_wndToolTip.Hide();
        }
        p->ShowWindow(SW_HIDE);
    }
    HWND hWndRoot = m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver) ? ::GetAncestor(m_hWndCmdReceiver, GA_ROOT) : NULL;
    if (hWndRoot != NULL && !rcUnion.IsRectEmpty()) {
        ::ScreenToClient(hWndRoot, (POINT*)&rcUnion.left);
        ::ScreenToClient(hWndRoot, (POINT*)&rcUnion.right);
        if ((::GetWindowLongPtrA(hWndRoot, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
            std::swap(rcUnion.left, rcUnion.right);
        ::RedrawWindow(hWndRoot, &rcUnion, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    }
    IExtPopupSiteMenu* pTop = site.GetTopMenu();
    HWND hWndClose = !bWithoutSite && pTop != NULL ? pTop->GetSiteHwnd() : hWndTopMenu;
    if (hWndClose != NULL && ::IsWindow(hWndClose))
        ::PostMessageA(hWndClose, WM_CLOSE, 0, 0);
    if (CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllBarsTracking();
    // a target that is gone receives nothing; the tree still closes
    if (hWndTarget != NULL && ::IsWindow(hWndTarget) && !bWithoutSite && !bNoCommand) {
        if (pCmd != NULL)
            pCmd->Deliver(hWndTarget, false);
        else
            ::PostMessageA(hWndTarget, WM_COMMAND, nCmdID, 0);
    }
    if (!bWithoutSite && g_pExtSoundPlayer != NULL)
        g_pExtSoundPlayer->PlayMenuSound(CExtSoundPlayer::__ON_MENU_CMD_CLICKED);
}

// ---- window messages -----------------------------------------------------------------------------

void CExtPopupMenuWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case ID_TIMER_DELAY_EXPAND:
        OnDelayExpandTick();
        return;
    case ID_TIMER_SCROLLING:
        OnScrollTick();
        return;
    case ID_TIMER_EXPAND_HOVER:
        OnExpandHoverTick();
        return;
    default:
        CExtPopupBaseWnd::OnTimer(nIDEvent);
    }
}

void CExtPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        CloseMenuTree(false);
}

void CExtPopupMenuWnd::OnCancelMode()
{
    CExtPopupBaseWnd::OnCancelMode();
    if (IsTrackedWithoutSite())
        return;
    GetSite().Done();
    if (CExtToolControlBar::g_bMenuTracking)
        CExtToolControlBar::CancelAllBarsTracking();
}

BOOL CExtPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!IsHelpCursorForced()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        bool bInEdit = false;
        const int nHit = HitTest(pt, &bInEdit);
        if (nHit >= 0 && bInEdit && (m_items_all[nHit].m_nEditFlags & MENUITEMDATA::EDIT_ENABLED) != 0) {
            ::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
            return TRUE;
        }
    }
    return CExtPopupBaseWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupMenuWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    if (bShow && IsTrackedWithoutSite())
        Invalidate(FALSE);
}

void CExtPopupMenuWnd::PostNcDestroy()
{
    CExtPopupBaseWnd::PostNcDestroy();
    // The top menu's window going ends the site, which deletes the menu: the last use of this.
    CExtPopupMenuSite& site = GetSite();
    if (site.IsTopMenu(this) && !site.IsShutdownMode())
        site.Done();
}
