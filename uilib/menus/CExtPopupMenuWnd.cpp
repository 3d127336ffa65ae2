// The popup menu object: its items and what is asked of them, the statics, and the recording
// seam of TrackPopupMenu.
#include "CExtPopupMenuWnd.h"
#include <algorithm>
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

bool CExtPopupMenuWnd::g_bUseFirstLetterAsAccessChar = false;
bool CExtPopupMenuWnd::g_bFixedFrameSysMenu = false;

const UINT CExtPopupMenuWnd::g_nMsgPrepareMenu = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPrepareMenu");
const UINT CExtPopupMenuWnd::g_nMsgPopupNext = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupNext");
const UINT CExtPopupMenuWnd::g_nMsgPopupPrev = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupPrev");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuClosed = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuClosed");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawItem = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawItem");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea");
const UINT CExtPopupMenuWnd::g_nMsgCreateInplaceEdit =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgCreateInplaceEdit");

namespace {
int g_nTrackingDepth = 0;   // > 0 while a popup's TrackPopupMenu runs

const int kModifierKeys[] = {VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL, VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT};
}  // namespace

CExtPopupMenuWnd::StandIn& CExtPopupMenuWnd::standIn()
{
    static StandIn s;
    return s;
}

void CExtPopupMenuWnd::ResetStandIn()
{
    const int nLive = standIn().nLive;
    const bool bRecording = standIn().bRecording;
    standIn() = StandIn();
    standIn().nLive = nLive;
    standIn().bRecording = bRecording;
}

CExtPopupMenuWnd::CExtPopupMenuWnd()
    : m_nMenuState(0), m_pWndParentMenu(NULL), m_nLeftAreaWidth(0), m_nCombineAreaState(0), m_sizeFullItems(0, 0),
      m_nIconColumnWidth(22), m_nHoverIndex(-1), m_bExcludeGiven(false), m_bCombine(false), m_bWindowMade(false)
{
    standIn().nLive++;
    ResetState();
}

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    CloseMenuTree(true);
    // A sub-menu's items go with its parent's clearing; a menu deleted on its own (a top-level
    // menu, or one never inserted) clears its own.
    BuildItems(NULL, IsTopLevel());
    DestroyWindow();
    standIn().nLive--;
}

void CExtPopupMenuWnd::ResetState()
{
    m_nMenuState &= ~(MENU_TOPLEVEL | MENU_SCROLLING | MENU_HAS_HIDDEN | MENU_EXPANDED);
    m_dwTrackFlags = 0;
    m_nCurIndex = -1;
    m_nDelayedFocusItemIndex = -1;
    m_nLastMousePick = -1;
    m_nWaitingExpandTickCount = 0;
    m_nDyScrollOffset = 0;
    m_nScrollingDirection = 0;
    m_nCombineAreaState = 0;
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    m_rcExpandBtn.SetRectEmpty();
    m_pCbPaintCombinedContent = NULL;
    m_pCbPaintCombinedCookie = NULL;
    m_bPaintCombinedEnabled = false;
}

// ---- items -------------------------------------------------------------------------------------

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount())
        AfxThrowNotSupportedException();
    return m_items_all[nPos];
}

const CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount())
        AfxThrowNotSupportedException();
    return m_items_all[nPos];
}

int CExtPopupMenuWnd::QueryLastItemIconAreaWidth() const
{
    const int nCount = GetItemCount();
    if (nCount == 0)
        return 0;
    const MENUITEMDATA& mi = m_items_all[nCount - 1];
    return (mi.m_nStateFlags & MENUITEMDATA::STATE_OWN_WIDTH) != 0 ? 0 : mi.m_nIconAreaWidth;
}

UINT CExtPopupMenuWnd::ItemGetCmdID(int nPos) const
{
    return nPos >= 0 && nPos < GetItemCount() ? m_items_all[nPos].GetCmdDeliverID() : 0;
}

HICON CExtPopupMenuWnd::ItemGetIcon(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return NULL;
    CExtCmdIcon* pIcon = m_items_all[nPos].GetIconPtr();
    return pIcon != NULL ? pIcon->GetHICON() : NULL;
}

CString CExtPopupMenuWnd::ItemGetText(int nPos) const
{
    return nPos >= 0 && nPos < GetItemCount() ? m_items_all[nPos].m_sItemText : CString();
}

CString CExtPopupMenuWnd::ItemGetAccelText(int nPos) const
{
    return nPos >= 0 && nPos < GetItemCount() ? m_items_all[nPos].m_sAccelText : CString();
}

int CExtPopupMenuWnd::ItemFindPosForCmdID(UINT nCmdID, int nPosStart) const
{
    for (int i = nPosStart < 0 ? 0 : nPosStart + 1; i < GetItemCount(); i++)
        if (m_items_all[i].GetCmdDeliverID() == nCmdID)
            return i;
    return -1;
}

bool CExtPopupMenuWnd::ItemSetPopupIcon(int nPos, HICON hIcon)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    MENUITEMDATA& mi = m_items_all[nPos];
    if (!mi.IsPopup() && !mi.IsCustom())
        return false;
    if (hIcon != NULL)
        mi.m_iconPopup.AssignFromHICON(hIcon, true);
    else
        mi.m_iconPopup.Empty();
    return true;
}

bool CExtPopupMenuWnd::ItemSetPopupText(int nPos, LPCTSTR lpszText)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    MENUITEMDATA& mi = m_items_all[nPos];
    mi.SetTextWithAccel(lpszText);
    mi.UpdateAccessChar();
    mi.Measure();
    return true;
}

bool CExtPopupMenuWnd::ItemSetAccelText(int nPos, LPCTSTR lpszText)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    m_items_all[nPos].m_sAccelText = lpszText != NULL ? lpszText : "";
    return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int nPos)
{
    return nPos >= 0 && nPos < GetItemCount() && m_items_all[nPos].IsPopup() ? m_items_all[nPos].m_pWndChild : NULL;
}

const CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopupConst(int nPos) const
{
    return const_cast<CExtPopupMenuWnd*>(this)->ItemGetPopup(nPos);
}

bool CExtPopupMenuWnd::ItemIsDisplayed(int nPos) const
{
    return nPos >= 0 && nPos < GetItemCount() && m_items_all[nPos].IsDisplayed();
}

void CExtPopupMenuWnd::ItemSetDisplayed(int nPos, bool bForceDisplayed)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return;
    BYTE& nState = m_items_all[nPos].m_nStateFlags;
    if (bForceDisplayed)
        nState |= MENUITEMDATA::STATE_ALWAYS_DISPLAYED;
    else
        nState &= ~MENUITEMDATA::STATE_ALWAYS_DISPLAYED;
    GetTopLevelMenu()->RecalcItems();
}

void CExtPopupMenuWnd::DeleteChild(MENUITEMDATA& mi)
{
    CExtPopupMenuWnd* pChild = mi.m_pWndChild;
    mi.m_pWndChild = NULL;
    if (pChild == NULL)
        return;
    pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
    pChild->CloseMenuTree(false);
    pChild->BuildItems(NULL, false);
    pChild->m_pWndParentMenu = NULL;
    delete pChild;
}

bool CExtPopupMenuWnd::ItemRemove(int nPos)
{
    if (nPos < 0) {
        BuildItems(NULL, IsTopLevel());
        GetTopLevelMenu()->RecalcItems();
        return true;
    }
    if (nPos >= GetItemCount())
        return false;
    MENUITEMDATA& mi = m_items_all[nPos];
    if (mi.m_pInplaceEditWnd != NULL && ::IsWindow(mi.m_pInplaceEditWnd->GetSafeHwnd()))
        mi.m_pInplaceEditWnd->DestroyWindow();
    if (mi.IsPopup())
        DeleteChild(mi);
    m_items_all.RemoveAt(nPos);
    m_nCurIndex = -1;
    GetTopLevelMenu()->RecalcItems();
    return true;
}

bool CExtPopupMenuWnd::InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon)
{
    // the stand-in took the icon handle over; the menu copies it
    if (pSubMenu == NULL || !InsertPopupMenu(pSubMenu, nPos, lpszText, hIcon))
        return false;
    if (hIcon != NULL)
        ::DestroyIcon(hIcon);
    return true;
}

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::InsertItemData(int nPos, MENUITEMDATA& mi)
{
    if (nPos < 0 || nPos > GetItemCount())
        nPos = GetItemCount();
    m_items_all.InsertAt(nPos, mi);
    return m_items_all[nPos];
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetTopLevelMenu()
{
    CExtPopupMenuWnd* p = this;
    while (p->m_pWndParentMenu != NULL)
        p = p->m_pWndParentMenu;
    return p;
}

bool CExtPopupMenuWnd::InsertItem(UINT nCmdID, int nPos, LPCTSTR lpszText, HICON hIcon, HWND hWndSpecCmdReceiver)
{
    if (nPos < 0)
        nPos = GetItemCount();
    if (nPos > GetItemCount())
        return false;
    MENUITEMDATA mi;
    mi.m_hWndCmdTarget = hWndSpecCmdReceiver != NULL ? hWndSpecCmdReceiver : m_hWndCmdReceiver;
    if (nCmdID == 0) {
        mi.m_nCmdID = 0;
        mi.Measure();
    } else if (nCmdID == 0xFFFFFFFF) {
        mi.m_nCmdID = nCmdID;
        mi.m_sItemText.Empty();
        mi.m_sAccelText.Empty();
        if (hIcon != NULL)
            mi.m_iconPopup.AssignFromHICON(hIcon, true);
        else
            mi.m_iconPopup.Empty();
        mi.SetTextWithAccel(lpszText);
        mi.UpdateAccessChar();
        mi.m_pWndChild = new CExtPopupMenuWnd;
        mi.m_pWndChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        mi.m_pWndChild->m_pWndParentMenu = this;
        mi.Measure();
    } else {
        if (!mi.UpdateFromCmd(nCmdID, nPos))
            return false;
        if (lpszText != NULL) {   // a text given overrides the command's menu text
            mi.SetTextWithAccel(lpszText);
            mi.UpdateAccessChar();
            mi.Measure();
        }
    }
    InsertItemData(nPos, mi);
    GetTopLevelMenu()->RecalcItems();
    return true;
}

bool CExtPopupMenuWnd::InsertCustomItem(UINT nCmdID, int nPos, LPCTSTR lpszText, LPCTSTR lpszAccelText,
                                        const CExtCmdIcon& icon, int nCheck, HWND hWndSpecCmdReceiver)
{
    if (nPos < 0)
        nPos = GetItemCount();
    if (nPos > GetItemCount())
        return false;
    MENUITEMDATA mi;
    mi.m_nKindFlags |= MENUITEMDATA::KIND_CUSTOM;
    mi.m_nStateFlags |= MENUITEMDATA::STATE_DISPLAYED;
    mi.m_hWndCmdTarget = hWndSpecCmdReceiver != NULL ? hWndSpecCmdReceiver : m_hWndCmdReceiver;
    mi.m_nCmdID = nCmdID;
    if (nCmdID == 0xFFFFFFFF) {
        mi.m_pWndChild = new CExtPopupMenuWnd;
        mi.m_pWndChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        mi.m_pWndChild->m_pWndParentMenu = this;
    }
    if (nCmdID != 0) {
        mi.m_sItemText = lpszText != NULL ? lpszText : "";
        mi.m_sAccelText = lpszAccelText != NULL ? lpszAccelText : "";
        mi.UpdateAccessChar();
        if (!icon.IsEmpty())
            mi.m_iconPopup = icon;
        if (nCmdID != 0xFFFFFFFF) {
            if (nCheck == 1)
                mi.m_nStateFlags |= MENUITEMDATA::STATE_CHECKED;
            else if (nCheck == 2)
                mi.m_nKindFlags |= MENUITEMDATA::KIND_INDETERMINATE;
            else if (nCheck == 3)
                mi.m_nKindFlags |= MENUITEMDATA::KIND_RADIO;
        }
    }
    mi.Measure();
    InsertItemData(nPos, mi);
    GetTopLevelMenu()->RecalcItems();
    return true;
}

bool CExtPopupMenuWnd::InsertPopupMenu(CExtPopupMenuWnd* pPopup, int nPos, LPCTSTR lpszText, HICON hIcon)
{
    if (nPos < 0)
        nPos = GetItemCount();
    if (nPos > GetItemCount() || pPopup == this)
        return false;
    if (pPopup == NULL)
        pPopup = new CExtPopupMenuWnd;
    pPopup->m_nMenuState &= ~MENU_TOPLEVEL;
    pPopup->m_hWndCmdReceiver = m_hWndCmdReceiver;
    pPopup->m_pWndParentMenu = this;
    MENUITEMDATA mi;
    mi.m_hWndCmdTarget = m_hWndCmdReceiver;
    mi.m_nCmdID = 0xFFFFFFFF;
    mi.m_pWndChild = pPopup;
    mi.m_nStateFlags |= MENUITEMDATA::STATE_DISPLAYED;
    if (hIcon != NULL)
        mi.m_iconPopup.AssignFromHICON(hIcon, true);
    mi.SetTextWithAccel(lpszText);
    mi.UpdateAccessChar();
    mi.Measure();
    InsertItemData(nPos, mi);
    GetTopLevelMenu()->RecalcItems();
    return true;
}

int CExtPopupMenuWnd::ItemFindByAccessChar(TCHAR chrAccess, int nStartIdx) const
{
    if (chrAccess == 0 || chrAccess == '0')
        return -1;
    chrAccess = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)chrAccess);
    const int nCount = GetItemCount();
    if (nCount == 0)
        return -1;
    // after the start to the end, then from the top round to the item before the start; the
    // start itself never matches
    const int nFirst = nStartIdx < 0 ? 0 : nStartIdx + 1;
    const int nSpan = nStartIdx < 0 || nStartIdx >= nCount ? nCount : nCount - 1;
    for (int n = 0; n < nSpan; n++) {
        const int i = (nFirst + n) % nCount;
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.m_cAccessChar == 0 || mi.m_cAccessChar != chrAccess || !mi.IsDisplayed() || mi.IsSeparator())
            continue;
        if (mi.IsPopup())
            return i;
        if (mi.IsEnabled() || (mi.m_nStateFlags & MENUITEMDATA::STATE_ALWAYS_ENABLED) != 0)
            return i;
    }
    return -1;
}

int CExtPopupMenuWnd::ItemFindByText(LPCTSTR lpszText, int nStartIdx) const
{
    if (lpszText == NULL || *lpszText == '\0')
        return -1;
    const int nCount = GetItemCount();
    if (nCount == 0)
        return -1;
    const int nFirst = nStartIdx < 0 ? 0 : nStartIdx + 1;
    const int nSpan = nStartIdx < 0 || nStartIdx >= nCount ? nCount : nCount - 1;
    for (int n = 0; n < nSpan; n++) {
        const int i = (nFirst + n) % nCount;
        if (strcmp(m_items_all[i].m_sItemText, lpszText) == 0)   // byte-exact
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::AreAllItemsHidden() const
{
    for (int i = 0; i < GetItemCount(); i++) {
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsDisplayed() || (mi.m_nCmdID != 0 && mi.m_pCbInplace != NULL))
            return false;
    }
    return true;
}

bool CExtPopupMenuWnd::CreatePopupMenu(HWND hWndCmdReceiver)
{
    if (IsTopLevel() || m_pWndParentMenu != NULL || GetItemCount() != 0)
        return false;
    // a menu without a window to send its commands to could never deliver one
    if (!::IsWindow(hWndCmdReceiver) || !standIn().bCreateSucceeds)
        return false;
    m_nMenuState |= MENU_TOPLEVEL;
    m_pWndParentMenu = NULL;
    m_hWndCmdReceiver = hWndCmdReceiver;
    return true;
}

void CExtPopupMenuWnd::SetCmdTargetToAllItems(HWND hWndSpecCmdReceiver, bool bOnlyThisLevel)
{
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsPopup()) {
            if (!bOnlyThisLevel && mi.m_pWndChild != NULL)
                mi.m_pWndChild->SetCmdTargetToAllItems(hWndSpecCmdReceiver, true);
            continue;
        }
        if (!mi.IsSeparator())
            mi.m_hWndCmdTarget = hWndSpecCmdReceiver;
    }
}

BOOL CExtPopupMenuWnd::DestroyWindow()
{
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.m_pInplaceEditWnd != NULL) {
            if (::IsWindow(mi.m_pInplaceEditWnd->GetSafeHwnd()))
                mi.m_pInplaceEditWnd->DestroyWindow();
            mi.m_pInplaceEditWnd = NULL;
        }
    }
    return CExtPopupBaseWnd::DestroyWindow();
}

bool CExtPopupMenuWnd::IsTrackedWithoutSite() const
{
    for (const CExtPopupMenuWnd* p = this; p != NULL; p = p->m_pWndParentMenu)
        if ((p->m_dwTrackFlags & TMF_WITHOUT_SITE) != 0)
            return true;
    return false;
}

bool CExtPopupMenuWnd::IsHelpCursorForced() const
{
    for (const CExtPopupMenuWnd* p = this; p != NULL; p = p->m_pWndParentMenu)
        if ((p->m_dwTrackFlags & TMF_HELP_MODE) != 0)
            return true;
    return false;
}

bool CExtPopupMenuWnd::IsShadowWanted() const
{
    return CExtPopupBaseWnd::IsShadowWanted() && (m_dwTrackFlags & TMF_NO_SHADOW) == 0;
}

// ---- tracking, recorded ------------------------------------------------------------------------

void CExtPopupMenuWnd::DescribeItems(std::vector<CExtPopupMenuTrackRecord::Item>& out) const
{
    for (int i = 0; i < GetItemCount(); i++) {
        const MENUITEMDATA& mi = m_items_all[i];
        const bool bIcon = !mi.m_iconPopup.IsEmpty() || const_cast<MENUITEMDATA&>(mi).GetIconPtr() != NULL;
        out.push_back({mi.IsPopup() ? 0u : mi.m_nCmdID, mi.m_sItemText, bIcon,
                       mi.IsPopup() && mi.m_pWndChild != NULL ? mi.m_pWndChild->GetItemCount() : -1});
    }
}

bool CExtPopupMenuWnd::RecordTrack(UINT nFlags, int x, int y, LPCRECT lpRectExclude, LPVOID pCbPaintCombinedCookie,
                                   pCbPaintCombinedContent pCbPaintCombinedContent, UINT* lpnResultCmdID,
                                   bool bPaintCombinedEnabled)
{
    StandIn& s = standIn();
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = 0;
    CExtPopupMenuTrackRecord record;
    record.nFlags = nFlags;
    record.point = CPoint(x, y);
    record.bExclude = lpRectExclude != NULL;
    if (lpRectExclude != NULL)
        record.rcExclude = *lpRectExclude;
    record.hWndOwner = m_hWndCmdReceiver;
    record.nOwnerValue = m_nLeftAreaWidth;
    record.bResultPointer = lpnResultCmdID != NULL;
    record.bPainter = pCbPaintCombinedContent != NULL;
    m_dwTrackFlags = nFlags;
    DescribeItems(record.items);
    s.tracked.push_back(record);
    if (!s.bTrackSucceeds)
        return false;   // the caller deletes the popup
    m_pCbPaintCombinedContent = pCbPaintCombinedContent;
    m_pCbPaintCombinedCookie = pCbPaintCombinedCookie;
    m_bPaintCombinedEnabled = bPaintCombinedEnabled;
    g_nTrackingDepth++;
    if (s.onTrack)
        s.onTrack(*this, record);
    g_nTrackingDepth--;
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = s.nChosenCmdID;
    delete this;   // a tracked popup is gone when it closes
    return true;
}

// ---- statics -----------------------------------------------------------------------------------

bool CExtPopupMenuWnd::IsAnyMenuTracked()
{
    return !CExtPopupMenuSite::g_DefPopupMenuSite.IsEmpty() || g_nTrackingDepth > 0 || standIn().bAnyMenuTracked;
}

void CExtPopupMenuWnd::CancelMenuTracking()
{
    standIn().nCancelCalls++;
    standIn().bAnyMenuTracked = false;
    CExtPopupMenuSite::g_DefPopupMenuSite.CancelTracking();
}

void CExtPopupMenuWnd::PumpWaitingMessages(bool bIdle)
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (bIdle) {
        CWinThread* pThread = AfxGetThread();
        if (pThread != NULL)
            for (LONG nCount = 0; pThread->OnIdle(nCount); nCount++) {
            }
    }
}

bool CExtPopupMenuWnd::IsKeyEventWithModifier(LPARAM lKeyFlags)
{
    if ((lKeyFlags & 0x20000000) != 0)
        return true;
    for (int vk : kModifierKeys)
        if (::GetKeyState(vk) < 0)
            return true;
    return false;
}

bool CExtPopupMenuWnd::AreWindowsInSameTopLevel(HWND hWnd1, HWND hWnd2, bool bCheckEnabled, bool bCheckVisible,
                                                bool bFailIfMenuTracked)
{
    if (bFailIfMenuTracked && IsAnyMenuTracked())
        return false;
    if (!::IsWindow(hWnd1) || !::IsWindow(hWnd2))
        return false;
    if (bCheckEnabled && (!::IsWindowEnabled(hWnd1) || !::IsWindowEnabled(hWnd2)))
        return false;
    if (bCheckVisible && (!::IsWindowVisible(hWnd1) || !::IsWindowVisible(hWnd2)))
        return false;
    if (::GetParent(hWnd1) == NULL)
        return false;
    const LONG_PTR kMask = WS_POPUP | WS_VISIBLE;
    for (HWND hUp1 = ::GetParent(hWnd1); hUp1 != NULL; hUp1 = ::GetParent(hUp1)) {
        if ((::GetWindowLongPtrA(hUp1, GWL_STYLE) & kMask) == 0)
            continue;
        if (hUp1 == hWnd2)
            return true;
        for (HWND hUp2 = ::GetParent(hWnd2); hUp2 != NULL; hUp2 = ::GetParent(hUp2))
            if (hUp2 == hUp1 && (::GetWindowLongPtrA(hUp2, GWL_STYLE) & kMask) != 0)
                return true;
    }
    return false;
}
