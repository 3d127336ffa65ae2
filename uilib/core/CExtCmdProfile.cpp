#include "CExtCmdProfile.h"
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtResourceManager.h"
#include "ExtBitmapUtil.h"
#include "ExtRegistryArchive.h"
#include <commctrl.h>
#include <vector>

CExtCmdProfile::CExtCmdProfile(LPCTSTR lpszName) : m_sName(lpszName != NULL ? lpszName : "")
{
    m_cmds.InitHashTable(17);
}

CExtCmdProfile::~CExtCmdProfile()
{
    DeleteAllIcons();
    DeleteAllItems();
}

void CExtCmdProfile::DeleteAllIcons()
{
    for (INT_PTR i = 0; i < m_icons.GetSize(); ++i)
        delete m_icons[i];
    m_icons.RemoveAll();
}

void CExtCmdProfile::DeleteAllItems()
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        delete p;
    }
    m_cmds.RemoveAll();
}

void CExtCmdProfile::GetCommandIDs(CArray<UINT, UINT>& ids) const
{
    ids.RemoveAll();
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        ids.Add(id);
    }
}

void CExtCmdProfile::RemoveIconAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_icons.GetSize())
        return;
    delete m_icons[nIndex];
    m_icons.RemoveAt(nIndex);
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        if (p->m_nIconIdx == nIndex)
            p->m_nIconIdx = -1;
        else if (p->m_nIconIdx > nIndex)
            --p->m_nIconIdx;
    }
}

bool CExtCmdProfile::SetCommand(const CExtCmdItem* pCmd, bool bReplace, bool* pbWasAddedNew)
{
    if (pbWasAddedNew != NULL)
        *pbWasAddedNew = false;
    if (pCmd == NULL || !IsValidID(pCmd->m_nCmdID))
        return false;
    // Icon indexes point into one profile's icon array: an item from elsewhere brings none.
    CExtCmdItem given(*pCmd);
    if (pCmd->m_pProfile != this)
        given.m_nIconIdx = -1;
    CExtCmdItem* pStored = NULL;
    if (m_cmds.Lookup(pCmd->m_nCmdID, pStored)) {
        if (bReplace)
            pStored->AssignNonEmpty(given);
        else
            pStored->FillMissingFrom(given);
        return true;
    }
    CExtCmdItem* pNew = CreateItemCopy(&given);
    pNew->m_pProfile = this;
    m_cmds[pNew->m_nCmdID] = pNew;
    if (pbWasAddedNew != NULL)
        *pbWasAddedNew = true;
    return true;
}

bool CExtCmdProfile::RemoveCommand(UINT nCmdID, bool* pbWasRemoved)
{
    if (pbWasRemoved != NULL)
        *pbWasRemoved = false;
    if ((int)nCmdID < 1)
        return false;
    CExtCmdItem* p = NULL;
    if (!m_cmds.Lookup(nCmdID, p))
        return true;
    const int nIcon = p->m_nIconIdx;
    m_cmds.RemoveKey(nCmdID);
    delete p;
    if (pbWasRemoved != NULL)
        *pbWasRemoved = true;
    if (nIcon >= 0)
        RemoveIconAt(nIcon);
    return true;
}

void CExtCmdProfile::Clear()
{
    DeleteAllIcons();
    DeleteAllItems();
}

void CExtCmdProfile::RemoveCommandsByFlags(DWORD dwMask, bool bExact)
{
    CArray<UINT, UINT> ids;
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        const DWORD f = p->m_dwStateFlags & dwMask;
        if (bExact ? f == dwMask : f != 0)
            ids.Add(id);
    }
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
        RemoveCommand(ids[i]);
}

CExtCmdItem* CExtCmdProfile::AllocCommand(UINT nCmdID)
{
    if (nCmdID == 0) {
        for (UINT id = 0xFFFE; id >= 1; --id) {
            if (!IsCommand(id)) {
                nCmdID = id;
                break;
            }
        }
        if (nCmdID == 0)
            return NULL;
    } else if (IsCommand(nCmdID)) {
        return NULL;
    }
    CExtCmdItem item(nCmdID);
    if (!SetCommand(&item, false))
        return NULL;
    return GetCommand(nCmdID);
}

CExtCmdItem* CExtCmdProfile::GetCommand(UINT nCmdID)
{
    CExtCmdItem* p = NULL;
    return m_cmds.Lookup(nCmdID, p) ? p : NULL;
}

bool CExtCmdProfile::SetCommandIcon(UINT nCmdID, CExtCmdIcon* pIcon, bool bTakeOwnership)
{
    if (!IsValidID(nCmdID)) {
        if (bTakeOwnership)
            delete pIcon;
        return false;
    }
    if (pIcon != NULL && pIcon->IsEmpty()) {
        if (bTakeOwnership)
            delete pIcon;
        pIcon = NULL;
    }
    CExtCmdItem* pCmd = GetCommand(nCmdID);
    if (pCmd == NULL) {
        if (bTakeOwnership)
            delete pIcon;
        return false;
    }
    const bool bHasIcon = pCmd->m_nIconIdx >= 0 && pCmd->m_nIconIdx < m_icons.GetSize();
    if (pIcon == NULL) {
        if (bHasIcon)
            RemoveIconAt(pCmd->m_nIconIdx);
        pCmd->m_nIconIdx = -1;
        return true;
    }
    if (!bHasIcon) {
        CExtCmdIcon* pStored = bTakeOwnership ? pIcon : new CExtCmdIcon(*pIcon);
        pCmd->m_nIconIdx = (int)m_icons.Add(pStored);
        return true;
    }
    if (bTakeOwnership) {
        delete m_icons[pCmd->m_nIconIdx];
        m_icons[pCmd->m_nIconIdx] = pIcon;
    } else {
        m_icons[pCmd->m_nIconIdx]->AssignFromOther(*pIcon);
    }
    return true;
}

CExtCmdIcon* CExtCmdProfile::GetCommandIcon(UINT nCmdID)
{
    CExtCmdItem* p = GetCommand(nCmdID);
    if (p == NULL || p->m_nIconIdx < 0 || p->m_nIconIdx >= m_icons.GetSize())
        return NULL;
    return m_icons[p->m_nIconIdx];
}

bool CExtCmdProfile::IsCommand(UINT nCmdID) { return GetCommand(nCmdID) != NULL; }

bool CExtCmdProfile::UpdateFromMenuResource(UINT nMenuResourceID, bool bReplace, bool bLoadTexts)
{
    CMenu menu;
    if (!g_ResourceManager->LoadMenuDefault(menu, nMenuResourceID))
        return false;
    const bool ok = UpdateFromMenu(menu.GetSafeHmenu(), bReplace, true, bLoadTexts);
    menu.DestroyMenu();
    return ok;
}

bool CExtCmdProfile::UpdateFromMenu(HMENU hMenu, bool bReplace, bool bRecurse, bool bLoadTexts)
{
    if (hMenu == NULL || !::IsMenu(hMenu))
        return false;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char text[1024] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = text;
        mii.cch = sizeof(text) - 1;
        if (!::GetMenuItemInfoA(hMenu, i, TRUE, &mii))
            continue;
        if ((mii.fType & MFT_SEPARATOR) != 0)
            continue;
        if (mii.hSubMenu != NULL) {
            if (bRecurse)
                UpdateFromMenu(mii.hSubMenu, bReplace, true, true);
            continue;
        }
        if (!IsValidID(mii.wID))
            continue;
        CExtCmdItem item(mii.wID);
        CString s((mii.fType & MFT_BITMAP) != 0 ? "" : text);
        s.Remove('\n');
        s.Remove('\r');
        s.Trim();
        if (!s.IsEmpty()) {
            const int nTab = s.ReverseFind('\t');
            if (nTab >= 0) {
                item.m_sMenuText = s.Left(nTab);
                item.m_sMenuText.Trim();
                item.m_sAccelText = s.Mid(nTab + 1);
                item.m_sAccelText.Trim();
            } else {
                item.m_sMenuText = s;
            }
        }
        if (bLoadTexts)
            item.UpdateTextsFromResource();
        SetCommand(&item, bReplace);
    }
    return true;
}

bool CExtCmdProfile::UpdateFromToolBarResource(UINT nToolBarResourceID, UINT** ppIDs, INT* pnCount, bool bReplace,
                                               bool bLoadTexts, COLORREF clrTransparent)
{
    if (ppIDs != NULL)
        *ppIDs = NULL;
    if (pnCount != NULL)
        *pnCount = 0;
    if (nToolBarResourceID == 0)
        return false;
    LPCTSTR lpszName = MAKEINTRESOURCEA(nToolBarResourceID);
    HRSRC hRsrcToolBar = NULL, hRsrcBitmap = NULL;
    HINSTANCE hInstToolBar = g_ResourceManager->FindResourceDefault(RT_TOOLBAR, lpszName, NULL, &hRsrcToolBar);
    HINSTANCE hInstBitmap = g_ResourceManager->FindResourceDefault(RT_BITMAP, lpszName, NULL, &hRsrcBitmap);
    if (hInstToolBar == NULL || hInstBitmap == NULL)
        return false;
    // version, width, height, count, then one command per button (0: separator)
    HGLOBAL hGlobal = ::LoadResource(hInstToolBar, hRsrcToolBar);
    const DWORD nSize = ::SizeofResource(hInstToolBar, hRsrcToolBar);
    const WORD* pData = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
    if (pData == NULL || nSize < 8)
        return false;
    const WORD nWidth = pData[1], nHeight = pData[2], nButtons = pData[3];
    if (nSize < 8u + 2u * nButtons)
        return false;
    std::vector<UINT> all, images;
    for (WORD i = 0; i < nButtons; ++i) {
        all.push_back(pData[4 + i]);
        if (pData[4 + i] != 0)
            images.push_back(pData[4 + i]);
    }
    HBITMAP hBitmap = CExtBitmapUtil::LoadBitmapResource(hInstBitmap, hRsrcBitmap);
    if (hBitmap == NULL)
        return false;
    // Every image is cut from the strip: one that is too narrow or too low for the buttons (or
    // a resource with no button size) would give images cut from outside the bitmap. Refuse it
    // before anything changes.
    if (!images.empty()) {
        BITMAP bm = {};
        const bool bFits = ::GetObjectA(hBitmap, sizeof bm, &bm) == (int)sizeof bm && nWidth > 0 &&
                           nHeight > 0 && (ULONGLONG)nWidth * images.size() <= (ULONGLONG)bm.bmWidth &&
                           nHeight <= bm.bmHeight;
        if (!bFits) {
            ::DeleteObject(hBitmap);
            return false;
        }
    }
    for (size_t i = 0; i < images.size(); ++i) {
        const RECT rc = {(LONG)(nWidth * i), 0, (LONG)(nWidth * (i + 1)), (LONG)nHeight};
        CExtCmdIcon* pIcon = new CExtCmdIcon;
        pIcon->AssignFromHBITMAP(hBitmap, clrTransparent, &rc, true);
        bool bStored = false;
        if (!pIcon->IsEmpty()) {
            CExtCmdItem item(images[i]);
            if (bLoadTexts)
                item.UpdateTextsFromResource();
            if (SetCommand(&item, bReplace)) {
                SetCommandIcon(images[i], pIcon, true);
                bStored = true;
            }
        }
        if (!bStored)
            delete pIcon;
    }
    ::DeleteObject(hBitmap);
    if (ppIDs != NULL) {
        *ppIDs = new UINT[all.size() > 0 ? all.size() : 1];
        for (size_t i = 0; i < all.size(); ++i)
            (*ppIDs)[i] = all[i];
    }
    if (pnCount != NULL)
        *pnCount = (INT)all.size();
    return true;
}

bool CExtCmdProfile::UpdateFromToolBar(CWnd& wndToolBar, bool bReplace, bool bLoadTexts)
{
    const HWND hWnd = wndToolBar.GetSafeHwnd();
    if (hWnd == NULL || !::IsWindow(hWnd))
        return false;
    const HIMAGELIST hImages = (HIMAGELIST)::SendMessageA(hWnd, TB_GETIMAGELIST, 0, 0);
    if (hImages == NULL)
        return false;
    const int nButtons = (int)::SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nButtons; ++i) {
        TBBUTTON button = {};
        if (!::SendMessageA(hWnd, TB_GETBUTTON, (WPARAM)i, (LPARAM)&button))
            continue;
        const UINT nCmdID = (UINT)button.idCommand;
        if (nCmdID == 0 || (button.fsStyle & BTNS_SEP) != 0)
            continue;
        // the image and text as the control tells them; the button's own image index when it
        // will not
        char text[1024] = "";
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_IMAGE | TBIF_TEXT | TBIF_BYINDEX;
        info.pszText = text;
        info.cchText = (int)sizeof text;
        int nImage = button.iBitmap;
        if (::SendMessageA(hWnd, TB_GETBUTTONINFOA, (WPARAM)i, (LPARAM)&info) >= 0)
            nImage = info.iImage;
        else
            text[0] = '\0';
        text[sizeof text - 1] = '\0';
        // the button information carries only a text given as a pointer; one from the control's
        // string list is the button's text as the control reads it
        if (text[0] == '\0') {
            const LRESULT nLength = ::SendMessageA(hWnd, TB_GETBUTTONTEXTA, (WPARAM)nCmdID, 0);
            if (nLength > 0 && nLength < (LRESULT)sizeof text)
                ::SendMessageA(hWnd, TB_GETBUTTONTEXTA, (WPARAM)nCmdID, (LPARAM)text);
            else
                text[0] = '\0';
        }
        CExtCmdItem item(nCmdID);
        item.m_sToolbarText = text;
        if (bLoadTexts)
            item.UpdateTextsFromResource();
        if (!SetCommand(&item, bReplace) || nImage < 0 || GetCommandIcon(nCmdID) != NULL)
            continue;
        const HICON hIcon = ::ImageList_GetIcon(hImages, nImage, ILD_NORMAL);
        if (hIcon == NULL)
            continue;
        CExtCmdIcon* pIcon = new CExtCmdIcon;
        pIcon->AssignFromHICON(hIcon, false);   // the icon is the new object's own
        SetCommandIcon(nCmdID, pIcon, true);
    }
    return true;
}

bool CExtCmdProfile::SetCommandsAlwaysVisible(const UINT* pIDs, bool bOn)
{
    if (pIDs == NULL)
        return false;
    bool ok = true;
    for (; *pIDs != 0; ++pIDs) {
        CExtCmdItem* p = CExtCmdItem::IsWindowSystemCommand(*pIDs) ? NULL : GetCommand(*pIDs);
        if (p == NULL) {
            ok = false;
            continue;
        }
        p->SetAlwaysVisible(bOn);
    }
    return ok;
}

bool CExtCmdProfile::Serialize(CArchive& ar)
{
    try {
        CString version, header;
        GetUILibraryVersionString(version, '.');
        if (ar.IsStoring()) {
            header.Format("Orvel-UI (v. %s) command profile", (LPCTSTR)version);
            ar << header;
            ar << (DWORD)GetUILibraryVersionDWORD(false);
            ar << (DWORD)GetUILibraryVersionDWORD(true);
            for (int i = 0; i < 4; ++i)
                ar << (DWORD)0;
            ar << (DWORD)m_nTotalTickCount;
            POSITION pos = m_cmds.GetStartPosition();
            while (pos != NULL) {
                UINT id;
                CExtCmdItem* p;
                m_cmds.GetNextAssoc(pos, id, p);
                if (!p->IsUsageStored())
                    continue;
                ar << (DWORD)id;
                ar << (DWORD)p->m_nUsageTickCount;
            }
            ar << (DWORD)0;
            return true;
        }
        DWORD dwFull = 0, dwShort = 0, dwReserved = 0, dwTotal = 0;
        ar >> header;
        ar >> dwFull;
        ar >> dwShort;
        for (int i = 0; i < 4; ++i)
            ar >> dwReserved;
        if (dwShort != GetUILibraryVersionDWORD(true))
            return false;
        ar >> dwTotal;
        // Read the whole record first: a record cut short must leave the profile as it was.
        std::vector<std::pair<DWORD, DWORD>> counts;
        for (;;) {
            DWORD id = 0, count = 0;
            ar >> id;
            if (id == 0)
                break;
            ar >> count;
            counts.emplace_back(id, count);
        }
        m_nTotalTickCount = dwTotal;
        for (const auto& c : counts) {
            // entries for commands this profile does not hold are skipped
            CExtCmdItem* p = GetCommand(c.first);
            if (p != NULL)
                p->m_nUsageTickCount = c.second;
        }
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CExtCmdProfile::SerializeToRegistry(LPCTSTR lpszCompany, LPCTSTR lpszApplication, bool bSave)
{
    const CString key = RegistryKeyPath("CommandManager", m_sName, lpszCompany, lpszApplication);
    try {
        CMemFile file(1024);
        if (bSave) {
            {
                CArchive ar(&file, CArchive::store, 4096);
                if (!Serialize(ar)) {
                    ar.Abort();
                    return false;
                }
                ar.Flush();
                ar.Close();
            }
            file.SeekToBegin();
            return RegistryArchiveWrite(file, key, HKEY_CURRENT_USER);
        }
        if (!RegistryArchiveRead(file, key, HKEY_CURRENT_USER))
            return false;
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        const bool ok = Serialize(ar);
        ar.Abort();
        return ok;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

void CExtCmdProfile::OnSysColorChange()
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->OnSysColorChange();
    }
}

void CExtCmdProfile::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->OnSettingChange(uFlags, lpszSection);
    }
}

void CExtCmdProfile::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->OnDisplayChange(nDepthBPP, cx, cy);
    }
}

void CExtCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->OnThemeChanged(wParam, lParam);
    }
}

void CExtCmdProfile::ResetUsageStatistics()
{
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->ResetUsageCount();
    }
    m_nTotalTickCount = 0;
}

void CExtCmdProfile::AssignFrom(const CExtCmdProfile& other)
{
    if (&other == this)
        return;
    m_sName = other.m_sName;
    m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
    m_nTotalTickCount = other.m_nTotalTickCount;
    m_dwUserData = other.m_dwUserData;
    DeleteAllItems();
    POSITION pos = other.m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        other.m_cmds.GetNextAssoc(pos, id, p);
        CExtCmdItem* pCopy = CreateItemCopy(p);
        pCopy->m_pProfile = this;  // its icon index refers to the copied array below
        m_cmds[id] = pCopy;
    }
    DeleteAllIcons();
    for (INT_PTR i = 0; i < other.m_icons.GetSize(); ++i)
        m_icons.Add(new CExtCmdIcon(*other.m_icons[i]));
}

CExtCmdItem* CExtCmdProfile::CreateItemCopy(const CExtCmdItem* pCmd) { return new CExtCmdItem(*pCmd); }

void CExtCmdProfile::NormalizeUsage()
{
    if (m_nTotalTickCount < 0xFFFFFFFEu)
        return;
    m_nTotalTickCount /= 2;
    POSITION pos = m_cmds.GetStartPosition();
    while (pos != NULL) {
        UINT id;
        CExtCmdItem* p;
        m_cmds.GetNextAssoc(pos, id, p);
        p->m_nUsageTickCount /= 2;
    }
}
