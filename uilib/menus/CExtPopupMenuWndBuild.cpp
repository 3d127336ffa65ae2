// Building a popup menu from a Windows menu (with the recent-file and MDI window lists),
// exporting it back, and refreshing its items' states from the owner's update handlers.
#include "CExtPopupMenuWnd.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtResourceManager.h"

namespace {

const UINT kRecentFileFirst = 0xE110;   // the framework's recent-file command ids
const UINT kRecentFileLast = 0xE11F;
const UINT kMdiChildFirst = 0xFF00;     // document windows' ids in the MDI client
const UINT kMdiMoreWindows = 0xFF09;

bool IsWindowCommand(UINT nCmdID) { return nCmdID >= 0xF000 && nCmdID <= 0xF1EF; }

CString LoadLibraryString(UINT nID, LPCTSTR lpszFallback)
{
    CString str;
    if (!g_ResourceManager->LoadStringDefault(str, nID) || str.IsEmpty())
        str = lpszFallback;
    return str;
}

CString FormatText(const CString& strFormat, int n)
{
    CString str;
    str.Format(strFormat, n);
    return str;
}

}  // namespace

bool CExtPopupMenuWnd::BuildItems(CMenu* pBuildMenu, bool bTopLevel)
{
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.m_pInplaceEditWnd != NULL && ::IsWindow(mi.m_pInplaceEditWnd->GetSafeHwnd()))
            mi.m_pInplaceEditWnd->DestroyWindow();
        mi.m_pInplaceEditWnd = NULL;
        if (mi.IsPopup())
            DeleteChild(mi);
    }
    m_items_all.RemoveAll();
    if (pBuildMenu == NULL)
        return true;
    const bool bWasTopLevel = IsTopLevel();
    if (bTopLevel)
        m_nMenuState |= MENU_TOPLEVEL;
    else
        m_nMenuState &= ~MENU_TOPLEVEL;
    if (bWasTopLevel != bTopLevel)
        m_pWndParentMenu = NULL;

    const HMENU hMenu = pBuildMenu->GetSafeHmenu();
    const int nMenuCount = ::GetMenuItemCount(hMenu);
    int nRecentPos = -1;
    bool bLastSeparator = false;   // the last item appended (or passed over after it) is one
    for (int nPos = 0; nPos < nMenuCount; nPos++) {
        const UINT nID = ::GetMenuItemID(hMenu, nPos);
        if (nID >= kRecentFileFirst && nID <= kRecentFileLast) {
            if (nRecentPos < 0)
                nRecentPos = GetItemCount();
            continue;
        }
        MENUITEMDATA mi;
        mi.m_hWndCmdTarget = m_hWndCmdReceiver;
        if (!mi.UpdateFromMenu(m_hWndCmdReceiver, hMenu, nPos))
            continue;   // an item that cannot be read, or an unknown command, is left out
        if (mi.IsSeparator()) {
            if (bLastSeparator)
                continue;
            bLastSeparator = true;
        } else {
            bLastSeparator = false;
        }
        if (mi.IsPopup()) {
            CExtPopupMenuWnd* pChild = mi.m_pWndChild;
            pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
            CMenu* pSubMenu = CMenu::FromHandle(::GetSubMenu(hMenu, nPos));
            pChild->BuildItems(pSubMenu, false);
            pChild->m_pWndParentMenu = this;
        }
        InsertItemData(-1, mi);
    }
    if (nRecentPos < 0) {
        RecalcItems();
        return true;
    }
    const bool bResult = InsertRecentFiles(nRecentPos);
    RecalcItems();
    return bResult;
}

bool CExtPopupMenuWnd::InsertRecentFiles(int nRecentPos)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != NULL ? pApp->m_pRecentFileList : NULL;
    if (pList == NULL)
        return true;
    char szCurDir[MAX_PATH + 1] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    const int nCurDir = lstrlenA(szCurDir);
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver);
    int nInserted = 0;
    for (int i = 1; i <= pList->GetSize(); i++) {
        CString strName;
        if (!pList->GetDisplayName(strName, i - 1, szCurDir, nCurDir, TRUE) || strName.IsEmpty())
            continue;
        const UINT nCmdID = 0xE10F + i;
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, nCmdID);
        if (pCmd == NULL)
            pCmd = g_CmdManager->AllocCommand(profile, nCmdID);
        if (pCmd == NULL)
            return false;
        if (i < 10)
            pCmd->m_sMenuText.Format("&%d %s", i, (LPCTSTR)strName);
        else
            pCmd->m_sMenuText.Format("%d&%d %s", i / 10, i % 10, (LPCTSTR)strName);
        pCmd->m_sToolbarText = FormatText(LoadLibraryString(30004, "Recent file %d"), i);
        CString strTip;
        strTip.Format(LoadLibraryString(30005, "Recent file %d (\"%s\")"), i, (LPCTSTR)strName);
        pCmd->m_sTipTool = strTip;
        pCmd->m_sTipStatus = strTip;
        if (!InsertItem(nCmdID, nRecentPos + i - 1))
            return false;
        nInserted = i;
    }
    if (nInserted > 0 && !InsertItem(0, nRecentPos + nInserted))
        return false;
    return true;
}

bool CExtPopupMenuWnd::UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel)
{
    if (pBuildMenu == NULL || !::IsMenu(pBuildMenu->GetSafeHmenu()))
        return false;
    if (hWndCmdReceiver != NULL)
        m_hWndCmdReceiver = hWndCmdReceiver;
    CMenu* pMenu = pBuildMenu;
    if (bPopupMenu) {
        HMENU hSub = ::GetSubMenu(pBuildMenu->GetSafeHmenu(), 0);
        if (hSub == NULL)
            return false;
        pMenu = CMenu::FromHandle(hSub);
    }
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver);
    if (!g_CmdManager->UpdateFromMenu(profile, pMenu->GetSafeHmenu(), false, true, true))
        return false;
    return BuildItems(pMenu, bTopLevel);
}

bool CExtPopupMenuWnd::LoadMenu(HWND hWndCmdReceiver, UINT nIDResource, bool bPopupMenu)
{
    CMenu menu;
    if (!g_ResourceManager->LoadMenuDefault(menu, nIDResource))
        return false;
    return UpdateFromMenu(hWndCmdReceiver, &menu, bPopupMenu, true);
}

bool CExtPopupMenuWnd::UpdateMdiWindowsMenu(CWnd* pWndStartSearchMDIFrame)
{
    CWnd* pWnd = pWndStartSearchMDIFrame != NULL ? pWndStartSearchMDIFrame : CWnd::FromHandle(m_hWndCmdReceiver);
    CMDIFrameWnd* pFrame = NULL;
    for (CWnd* p = pWnd; p != NULL; p = p->GetParentFrame()) {
        pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, p);
        if (pFrame != NULL)
            break;
    }
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL || !::IsWindow(pFrame->m_hWndMDIClient))
        return false;
    const int nCount = GetItemCount();
    if (nCount > 0 && !m_items_all[nCount - 1].IsSeparator())
        InsertItem(0);
    HWND hWndActive = (HWND)::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
    if (hWndActive != NULL) {
        CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWndActive));
        if (pChild != NULL && pChild->m_bPseudoInactive && !::IsWindowVisible(hWndActive))
            hWndActive = NULL;
    }
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(pWnd->GetSafeHwnd());
    for (UINT nID = kMdiChildFirst;; nID++) {
        HWND hWndChild = ::GetDlgItem(pFrame->m_hWndMDIClient, (int)nID);
        if (hWndChild == NULL)
            break;
        if (nID == kMdiMoreWindows) {   // a tenth window: the rest are reached through a dialog
            InsertItem(0);
            CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, nID);
            if (pCmd == NULL)
                pCmd = g_CmdManager->AllocCommand(profile, nID);
            if (pCmd == NULL)
                return false;
            pCmd->m_sMenuText = pCmd->m_sToolbarText = LoadLibraryString(30007, "More Windows");
            pCmd->m_sTipTool = pCmd->m_sTipStatus = LoadLibraryString(30008, "Manage opened document windows");
            if (!InsertItem(nID, -1, NULL, NULL, pWnd->GetSafeHwnd()))
                return false;
            break;
        }
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, nID);
        if (pCmd == NULL)
            pCmd = g_CmdManager->AllocCommand(profile, nID);
        if (pCmd == NULL)
            return false;
        char szTitle[256] = "";
        ::GetWindowTextA(hWndChild, szTitle, sizeof szTitle);
        const int n = (int)(nID - 0xFEFF);
        pCmd->m_sMenuText.Format("&%d %s", n, szTitle);
        pCmd->m_sToolbarText = pCmd->m_sMenuText;
        CString strTip;
        strTip.Format(LoadLibraryString(30006, "Document \"%s\""), szTitle);
        pCmd->m_sTipTool = pCmd->m_sTipStatus = strTip;
        const bool bActive = hWndChild == hWndActive;
        pCmd->SetRadio(bActive);
        if (!InsertItem(nID, -1, NULL, NULL, pWnd->GetSafeHwnd()))
            return false;
        if (bActive)
            m_items_all[GetItemCount() - 1].m_nKindFlags |= MENUITEMDATA::KIND_RADIO;
    }
    RecalcItems();
    return true;
}

HMENU CExtPopupMenuWnd::ExportToMenu(bool bDeep) const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    for (int i = 0; i < GetItemCount(); i++) {
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsSeparator()) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        CString strText = mi.m_sItemText;
        if (!mi.m_sAccelText.IsEmpty()) {
            strText += '\t';
            strText += mi.m_sAccelText;
        }
        if (mi.IsPopup()) {
            HMENU hSub = bDeep && mi.m_pWndChild != NULL ? mi.m_pWndChild->ExportToMenu(true) : ::CreatePopupMenu();
            if (hSub != NULL && ::IsMenu(hSub))
                ::AppendMenuA(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hSub, strText);
            continue;
        }
        ::AppendMenuA(hMenu, MF_STRING, mi.GetCmdDeliverID(), strText);
    }
    return hMenu;
}

void CExtPopupMenuWnd::UpdateCmdUI()
{
    if (IsTopLevel() && (m_dwTrackFlags & TMF_NO_CMD_UI) != 0)
        return;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver);
    bool bRecalc = false;
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        const UINT nDeliverID = mi.GetCmdDeliverID();
        const bool bCommand = !mi.IsSeparator() && !mi.IsPopup();
        if (bCommand && !IsWindowCommand(nDeliverID) && !mi.IsCustom()) {
            CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, mi.m_nCmdID);
            if (pCmd != NULL) {
                mi.m_sAccelText = pCmd->m_sAccelText;
                mi.Measure();
            }
        }
        if (mi.IsCustom() || mi.IsSeparator())
            continue;
        if (mi.IsPopup()) {
            if (mi.m_pWndChild != NULL)
                mi.m_pWndChild->UpdateCmdUI();
            continue;
        }
        if (mi.m_pCbInplace != NULL) {
            bRecalc = true;
            continue;
        }
        const UINT nID = mi.m_nCmdID;
        if (IsWindowCommand(nID) || (nID >= kMdiChildFirst && nID <= kMdiMoreWindows))
            continue;
        CWnd* pTarget = CWnd::FromHandle(mi.m_hWndCmdTarget != NULL ? mi.m_hWndCmdTarget : m_hWndCmdReceiver);
        if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
            continue;
        CExtPopupMenuCmdUI cmdUI(*this, i);
        cmdUI.DoUpdate(pTarget, TRUE);
    }
    if (bRecalc)
        RecalcItems();
}

void CExtPopupMenuWnd::UpdateSystemMenuStates()
{
    HWND hWndOwner = m_hWndCmdReceiver;
    if (hWndOwner == NULL || !::IsWindow(hWndOwner))
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ::GetWindowPlacement(hWndOwner, &wp);
    const bool bMin = wp.showCmd == SW_SHOWMINIMIZED || ::IsIconic(hWndOwner);
    const bool bMax = wp.showCmd == SW_SHOWMAXIMIZED || ::IsZoomed(hWndOwner);
    const LONG_PTR dwStyle = ::GetWindowLongPtrA(hWndOwner, GWL_STYLE);
    const LONG_PTR dwExStyle = ::GetWindowLongPtrA(hWndOwner, GWL_EXSTYLE);
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(hWndOwner);
    for (int i = 0; i < GetItemCount(); i++) {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsSeparator() || mi.IsPopup() || !IsWindowCommand(mi.m_nCmdID))
            continue;
        bool bEnabled;
        switch (mi.m_nCmdID & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE:
            bEnabled = !bMin && !bMax && !g_bFixedFrameSysMenu;
            break;
        case SC_MINIMIZE:
            bEnabled = (dwStyle & WS_MINIMIZEBOX) != 0 && !bMin;
            break;
        case SC_MAXIMIZE:
            bEnabled = (dwStyle & WS_MAXIMIZEBOX) != 0 && !bMax && !g_bFixedFrameSysMenu;
            break;
        case SC_CLOSE: {
            HMENU hSys = ::GetSystemMenu(hWndOwner, FALSE);
            const UINT nState = hSys != NULL ? ::GetMenuState(hSys, SC_CLOSE, MF_BYCOMMAND) : 0;
            bEnabled = nState == (UINT)-1 || (nState & (MFS_GRAYED | MFS_DISABLED)) == 0;
            break;
        }
        case SC_RESTORE:
            bEnabled = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMin || bMax);
            break;
        case SC_CONTEXTHELP:
            bEnabled = (dwExStyle & WS_EX_CONTEXTHELP) != 0;
            break;
        default:
            continue;   // other window commands keep their state
        }
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, mi.m_nCmdID);
        if (pCmd != NULL)
            pCmd->Enable(bEnabled);
        if (bEnabled)
            mi.m_nKindFlags |= MENUITEMDATA::KIND_ENABLED;
        else
            mi.m_nKindFlags &= ~MENUITEMDATA::KIND_ENABLED;
    }
}
