// The stand-ins' answers.
#include "ExtBarStandIns.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"

IMPLEMENT_DYNAMIC(CExtControlBar, CWnd)
IMPLEMENT_DYNAMIC(CExtToolControlBar, CExtControlBar)
IMPLEMENT_DYNAMIC(CExtMenuControlBar, CExtToolControlBar)
IMPLEMENT_DYNAMIC(CExtPanelControlBar, CExtControlBar)
IMPLEMENT_DYNAMIC(CExtStatusControlBar, CWnd)
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CWnd)
IMPLEMENT_DYNAMIC(CExtBarButton, CObject)
IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CExtBarButton)
IMPLEMENT_DYNAMIC(CExtBarColorButton, CExtBarButton)
IMPLEMENT_DYNAMIC(CExtPopupMenuWnd, CWnd)

bool CExtControlBar::IsDockedHorizontally() const {
    if (m_pDockSite == NULL)
        return (m_dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    return m_nDockBarID == kDockBarTop || m_nDockBarID == kDockBarBottom;
}

bool CExtControlBar::IsDockedVertically() const {
    if (m_pDockSite == NULL)
        return (m_dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    return m_nDockBarID == kDockBarLeft || m_nDockBarID == kDockBarRight;
}

bool CExtControlBar::IsDocked() const {
    return m_pDockSite == NULL || (m_nDockBarID >= kDockBarTop && m_nDockBarID <= kDockBarBottom);
}

bool CExtControlBar::IsFloating() const { return !IsDocked(); }

CExtToolControlBar::~CExtToolControlBar() {
    for (INT_PTR i = 0; i < m_buttons.GetSize(); i++)
        delete m_buttons[i];
}

void CExtToolControlBar::AddButton(CExtBarButton* pButton) {
    pButton->m_pBar = this;
    m_buttons.Add(pButton);
}

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_buttons.GetSize())
        return NULL;
    return m_buttons[nIndex];
}

const CExtPopupMenuWnd::MenuItem& CExtPopupMenuWnd::GetItemAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= ItemGetCount())
        AfxThrowNotSupportedException();
    return m_items[nIndex];
}

// ---- registered messages ----

const UINT CExtControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");
const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");
const UINT CExtPopupMenuWnd::g_nMsgPrepareMenu = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPrepareMenu");
const UINT CExtPopupMenuWnd::g_nMsgPopupNext = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupNext");
const UINT CExtPopupMenuWnd::g_nMsgPopupPrev = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupPrev");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded");
const UINT CExtPopupMenuWnd::g_nMsgNotifyMenuClosed = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgNotifyMenuClosed");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawItem = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawItem");
const UINT CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea");

// ---- tool bars ----

int CExtToolControlBar::g_nCancelAllBarsTrackingCalls = 0;
bool CExtToolControlBar::g_bMenuTracking = false;

void CExtToolControlBar::CancelAllBarsTracking() {
    g_nCancelAllBarsTrackingCalls++;
    g_bMenuTracking = false;
}

// ---- popup menus ----

namespace {
int g_nTrackingDepth = 0;   // > 0 while a popup's TrackPopupMenu runs
}

CExtPopupMenuWnd::StandIn& CExtPopupMenuWnd::standIn() {
    static StandIn s;
    return s;
}

void CExtPopupMenuWnd::ResetStandIn() {
    const int nLive = standIn().nLive;
    standIn() = StandIn();
    standIn().nLive = nLive;
}

CExtPopupMenuWnd::CExtPopupMenuWnd() { standIn().nLive++; }

CExtPopupMenuWnd::~CExtPopupMenuWnd() {
    for (MenuItem& item : m_items) {
        if (item.m_hIcon != NULL)
            ::DestroyIcon(item.m_hIcon);
        delete item.m_pSubMenu;
    }
    standIn().nLive--;
}

bool CExtPopupMenuWnd::CreatePopupMenu(HWND hWndCmdReceiver) {
    if (!::IsWindow(hWndCmdReceiver) || !standIn().bCreateSucceeds)
        return false;
    m_hWndCmdReceiver = hWndCmdReceiver;
    return true;
}

bool CExtPopupMenuWnd::AppendMenu(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    if (nCount < 0)
        return false;
    for (int i = 0; i < nCount; i++) {
        char text[256] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        if (!::GetMenuItemInfoA(hMenu, i, TRUE, &mii))
            return false;
        MenuItem item;
        if (mii.hSubMenu != NULL) {
            item.m_dwFlags = 0x08;
            item.m_pSubMenu = new CExtPopupMenuWnd;
            item.m_pSubMenu->m_hWndCmdReceiver = m_hWndCmdReceiver;
            if (!item.m_pSubMenu->AppendMenu(mii.hSubMenu)) {
                delete item.m_pSubMenu;
                return false;
            }
        } else if ((mii.fType & MFT_SEPARATOR) == 0) {
            item.m_nCmdID = mii.wID;
        }
        item.m_strText = text;
        m_items.push_back(item);
    }
    return true;
}

bool CExtPopupMenuWnd::UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu, bool) {
    if (pBuildMenu == NULL || pBuildMenu->GetSafeHmenu() == NULL)
        return false;
    HMENU hMenu = pBuildMenu->GetSafeHmenu();
    if (bPopupMenu) {
        hMenu = ::GetSubMenu(hMenu, 0);
        if (hMenu == NULL)
            return false;
    }
    m_hWndCmdReceiver = hWndCmdReceiver;
    g_CmdManager->UpdateFromMenu(g_CmdManager->ProfileNameFromWnd(hWndCmdReceiver), hMenu);
    return AppendMenu(hMenu);
}

bool CExtPopupMenuWnd::InsertItem(UINT nCmdID, int nPos, LPCTSTR lpszText, HICON hIcon, HWND hWndSpecCmdReceiver) {
    if (nPos < -1 || nPos > ItemGetCount())
        return false;
    MenuItem item;
    item.m_nCmdID = nCmdID;
    if (lpszText != NULL) {
        item.m_strText = lpszText;
    } else if (nCmdID != 0) {
        HWND hWnd = hWndSpecCmdReceiver != NULL ? hWndSpecCmdReceiver : m_hWndCmdReceiver;
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(g_CmdManager->ProfileNameFromWnd(hWnd), nCmdID);
        if (pCmd != NULL)
            item.m_strText = pCmd->m_sMenuText;
    }
    if (hIcon != NULL)
        item.m_hIcon = ::CopyIcon(hIcon);
    m_items.insert(nPos < 0 ? m_items.end() : m_items.begin() + nPos, item);
    return true;
}

bool CExtPopupMenuWnd::InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon) {
    if (pSubMenu == NULL || nPos < -1 || nPos > ItemGetCount())
        return false;
    MenuItem item(0x08);
    item.m_pSubMenu = pSubMenu;
    item.m_strText = lpszText != NULL ? lpszText : "";
    item.m_hIcon = hIcon;
    m_items.insert(nPos < 0 ? m_items.end() : m_items.begin() + nPos, item);
    return true;
}

bool CExtPopupMenuWnd::RemoveItem(int nIndex) {
    if (nIndex < 0 || nIndex >= ItemGetCount())
        return false;
    MenuItem& item = m_items[nIndex];
    if (item.m_hIcon != NULL)
        ::DestroyIcon(item.m_hIcon);
    delete item.m_pSubMenu;
    m_items.erase(m_items.begin() + nIndex);
    return true;
}

void CExtPopupMenuWnd::DescribeItems(std::vector<CExtPopupMenuTrackRecord::Item>& out) const {
    for (const MenuItem& item : m_items)
        out.push_back({item.m_nCmdID, item.m_strText, item.m_hIcon != NULL,
                       item.m_pSubMenu != NULL ? item.m_pSubMenu->ItemGetCount() : -1});
}

bool CExtPopupMenuWnd::TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRectExclude, LPVOID pCbPaintCombinedCookie,
                                      pCbPaintCombinedContent pCbPaintCombinedContent, UINT* lpnResultCmdID, bool) {
    StandIn& s = standIn();
    CExtPopupMenuTrackRecord record;
    record.nFlags = nFlags;
    record.point = CPoint(x, y);
    record.bExclude = lpRectExclude != NULL;
    if (lpRectExclude != NULL)
        record.rcExclude = *lpRectExclude;
    record.hWndOwner = m_hWndCmdReceiver;
    record.nOwnerValue = m_nOwnerValue;
    record.bResultPointer = lpnResultCmdID != NULL;
    record.bPainter = pCbPaintCombinedContent != NULL;
    DescribeItems(record.items);
    s.tracked.push_back(record);
    if (!s.bTrackSucceeds) {
        if (lpnResultCmdID != NULL)
            *lpnResultCmdID = 0;
        return false;   // the caller deletes the popup
    }
    m_pCbPaintCombinedContent = pCbPaintCombinedContent;
    m_pCbPaintCombinedCookie = pCbPaintCombinedCookie;
    g_nTrackingDepth++;
    if (s.onTrack)
        s.onTrack(*this, record);
    g_nTrackingDepth--;
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = s.nChosenCmdID;
    delete this;   // a tracked popup owns itself and goes when it closes
    return true;
}

bool CExtPopupMenuWnd::IsAnyMenuTracked() { return g_nTrackingDepth > 0 || standIn().bAnyMenuTracked; }

void CExtPopupMenuWnd::CancelMenuTracking() {
    standIn().nCancelCalls++;
    standIn().bAnyMenuTracked = false;
}

void CExtPopupMenuWnd::PumpWaitingMessages(bool bIdle) {
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

bool CExtPopupMenuWnd::AreWindowsInSameTopLevel(HWND hWnd1, HWND hWnd2, bool bCheckEnabled, bool bCheckVisible,
                                                bool bFailIfMenuTracked) {
    if (bFailIfMenuTracked && IsAnyMenuTracked())
        return false;
    if (!::IsWindow(hWnd1) || !::IsWindow(hWnd2))
        return false;
    if (bCheckEnabled && (!::IsWindowEnabled(hWnd1) || !::IsWindowEnabled(hWnd2)))
        return false;
    if (bCheckVisible && (!::IsWindowVisible(hWnd1) || !::IsWindowVisible(hWnd2)))
        return false;
    for (HWND hWalk = hWnd1; hWalk != NULL; hWalk = ::GetParent(hWalk))
        for (HWND hUp = hWnd2; hUp != NULL; hUp = ::GetParent(hUp))
            if (hWalk == hUp)
                return true;
    return false;
}
