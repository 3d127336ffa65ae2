#include "CExtCmdManager.h"
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtPaintManagerHolder.h"

LPCTSTR CExtCmdManager::s_szDefaultProfile = "default";

CExtCmdManagerHolder g_CmdManager;

DWORD GetUILibraryVersionDWORD(bool bShort)
{
    static const DWORD dwVersion = []() -> DWORD {
        const BYTE bytes[4] = {2, 2, 7, 1};
        return ((DWORD)bytes[0] << 24) | ((DWORD)bytes[1] << 16) | ((DWORD)bytes[2] << 8) | bytes[3];
    }();  // a function-local static is set once, thread-safely
    return bShort ? (dwVersion >> 16) : dwVersion;
}

void GetUILibraryVersionString(CString& strOut, TCHAR chSeparator)
{
    const DWORD v = GetUILibraryVersionDWORD(false);
    strOut.Format("%d%c%d%c%d%c%d", (int)((v >> 24) & 0xFF), chSeparator, (int)((v >> 16) & 0xFF), chSeparator,
                  (int)((v >> 8) & 0xFF), chSeparator, (int)(v & 0xFF));
}

CExtCmdManagerHolder::CExtCmdManagerHolder() : m_pManager(new CExtCmdManager) {}

CExtCmdManagerHolder::~CExtCmdManagerHolder()
{
    delete m_pManager;
    // Late system messages can reach the forwarders after this; they must find no manager.
    // The store goes through a volatile name so that it is not dropped as a store into an
    // object whose life ends here.
    *static_cast<CExtCmdManager* volatile*>(&m_pManager) = NULL;
}

void CExtCmdManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (m_pManager != NULL && CExtPaintManagerHolder::IsDesignatedForwarder(pWnd))
        m_pManager->OnSysColorChange();
}

void CExtCmdManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (m_pManager != NULL && CExtPaintManagerHolder::IsDesignatedForwarder(pWnd))
        m_pManager->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdManagerHolder::OnDisplayChange(CWnd* pWnd, int nDepthBPP, int cx, int cy)
{
    if (m_pManager != NULL && CExtPaintManagerHolder::IsDesignatedForwarder(pWnd))
        m_pManager->OnDisplayChange(nDepthBPP, cx, cy);
}

void CExtCmdManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (m_pManager != NULL && CExtPaintManagerHolder::IsDesignatedForwarder(pWnd))
        m_pManager->OnThemeChanged(wParam, lParam);
}

CExtCmdManager::CExtCmdManager()
{
    m_wndProfiles.InitHashTable(17);
    m_profiles.SetAt(s_szDefaultProfile, new CExtCmdProfile(s_szDefaultProfile));
}

CExtCmdManager::~CExtCmdManager() { RemoveAllProfiles(); }

void CExtCmdManager::RemoveAllProfiles()
{
    CSingleLockGuard guard(m_cs);
    POSITION pos = m_profiles.GetStartPosition();
    while (pos != NULL) {
        CString name;
        void* p;
        m_profiles.GetNextAssoc(pos, name, p);
        delete (CExtCmdProfile*)p;
    }
    m_profiles.RemoveAll();
    m_wndProfiles.RemoveAll();
}

CExtCmdProfile* CExtCmdManager::LookupProfile(LPCTSTR lpszProfileName)
{
    void* p = NULL;
    if (!m_profiles.Lookup(lpszProfileName != NULL ? lpszProfileName : s_szDefaultProfile, p))
        return NULL;
    return (CExtCmdProfile*)p;
}

#define ORV_FOR_EACH_PROFILE(call)                                                                             \
    CSingleLockGuard guard(m_cs);                                                                            \
    POSITION pos = m_profiles.GetStartPosition();                                                            \
    while (pos != NULL) {                                                                                    \
        CString name;                                                                                        \
        void* p;                                                                                             \
        m_profiles.GetNextAssoc(pos, name, p);                                                               \
        ((CExtCmdProfile*)p)->call;                                                                          \
    }

void CExtCmdManager::OnSysColorChange() { ORV_FOR_EACH_PROFILE(OnSysColorChange()) }
void CExtCmdManager::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    ORV_FOR_EACH_PROFILE(OnSettingChange(uFlags, lpszSection))
}
void CExtCmdManager::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    ORV_FOR_EACH_PROFILE(OnDisplayChange(nDepthBPP, cx, cy))
}
void CExtCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    ORV_FOR_EACH_PROFILE(OnThemeChanged(wParam, lParam))
}
#undef ORV_FOR_EACH_PROFILE

bool CExtCmdManager::ProfileSetup(LPCTSTR lpszProfileName, HWND hWnd, CExtCmdProfile* pProfile)
{
    // a copy: the caller's text may be a profile's own name, which a rename below changes
    const CString strName(lpszProfileName != NULL && *lpszProfileName != '\0' ? lpszProfileName
                                                                              : s_szDefaultProfile);
    {
        CSingleLockGuard guard(m_cs);
        if (LookupProfile(strName) == NULL) {
            if (pProfile == NULL) {
                pProfile = new CExtCmdProfile(strName);
            } else {
                // Held under another name already: a second entry would delete it twice.
                if (HoldsProfile(pProfile))
                    return false;
                // The map's name and the profile's own must agree: windows report the profile's
                // name (ProfileNameFromWnd), and callers look it up by that.
                pProfile->m_sName = strName;
            }
            m_profiles.SetAt(strName, pProfile);
        }
    }
    return hWnd != NULL ? ProfileWndAdd(strName, hWnd) : true;
}

bool CExtCmdManager::HoldsProfile(const CExtCmdProfile* pProfile)
{
    POSITION pos = m_profiles.GetStartPosition();
    while (pos != NULL) {
        CString name;
        void* p;
        m_profiles.GetNextAssoc(pos, name, p);
        if (p == pProfile)
            return true;
    }
    return false;
}

bool CExtCmdManager::ProfileWndAdd(LPCTSTR lpszProfileName, HWND hWnd)
{
    if (hWnd == NULL)
        return false;
    CSingleLockGuard guard(m_cs);
    CExtCmdProfile* pProfile = LookupProfile(lpszProfileName);
    if (pProfile == NULL)
        return false;
    CExtCmdProfile* pBound = NULL;
    if (!m_wndProfiles.Lookup(hWnd, pBound))
        m_wndProfiles[hWnd] = pProfile;
    return true;
}

bool CExtCmdManager::ProfileWndRemove(HWND hWnd, bool bRemoveProfileIfLastHWND, bool* pbProfileWasRemoved)
{
    if (pbProfileWasRemoved != NULL)
        *pbProfileWasRemoved = false;
    if (hWnd == NULL)
        return false;
    CSingleLockGuard guard(m_cs);
    CExtCmdProfile* pProfile = NULL;
    if (!m_wndProfiles.Lookup(hWnd, pProfile))
        return false;
    m_wndProfiles.RemoveKey(hWnd);
    if (!bRemoveProfileIfLastHWND)
        return true;
    POSITION pos = m_wndProfiles.GetStartPosition();
    while (pos != NULL) {
        HWND h;
        CExtCmdProfile* p;
        m_wndProfiles.GetNextAssoc(pos, h, p);
        if (p == pProfile)
            return true;
    }
    // the profile is stored under its own name; find the entry by object to be safe
    pos = m_profiles.GetStartPosition();
    while (pos != NULL) {
        CString name;
        void* p;
        m_profiles.GetNextAssoc(pos, name, p);
        if (p == pProfile) {
            m_profiles.RemoveKey(name);
            break;
        }
    }
    delete pProfile;
    if (pbProfileWasRemoved != NULL)
        *pbProfileWasRemoved = true;
    return true;
}

CExtCmdProfile* CExtCmdManager::GetProfile(LPCTSTR lpszProfileName)
{
    CSingleLockGuard guard(m_cs);
    return LookupProfile(lpszProfileName);
}

CExtCmdManager::ProfileName CExtCmdManager::ProfileNameFromWnd(HWND hWnd)
{
    if (hWnd == NULL)
        return ProfileName();
    CSingleLockGuard guard(m_cs);
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        CExtCmdProfile* p = NULL;
        if (m_wndProfiles.Lookup(h, p))
            return ProfileName(p->m_sName);   // copied under the lock
    }
    return ProfileName();
}

void CExtCmdManager::ClearProfile(LPCTSTR lpszProfileName)
{
    WithProfile<int>(lpszProfileName, 0, [](CExtCmdProfile* p) {
        p->Clear();
        return 0;
    });
}

bool CExtCmdManager::SetCommand(LPCTSTR lpszProfileName, const CExtCmdItem* pCmd, bool bReplace, bool* pbWasAddedNew)
{
    if (pbWasAddedNew != NULL)
        *pbWasAddedNew = false;
    return WithProfile<bool>(lpszProfileName, false,
                             [&](CExtCmdProfile* p) { return p->SetCommand(pCmd, bReplace, pbWasAddedNew); });
}

bool CExtCmdManager::RemoveCommand(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbWasRemoved)
{
    if (pbWasRemoved != NULL)
        *pbWasRemoved = false;
    return WithProfile<bool>(lpszProfileName, false,
                             [&](CExtCmdProfile* p) { return p->RemoveCommand(nCmdID, pbWasRemoved); });
}

bool CExtCmdManager::RemoveCommandsByFlags(LPCTSTR lpszProfileName, DWORD dwMask, bool bExact)
{
    return WithProfile<bool>(lpszProfileName, false, [&](CExtCmdProfile* p) {
        p->RemoveCommandsByFlags(dwMask, bExact);
        return true;
    });
}

CExtCmdItem* CExtCmdManager::AllocCommand(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile<CExtCmdItem*>(lpszProfileName, NULL, [&](CExtCmdProfile* p) { return p->AllocCommand(nCmdID); });
}

CExtCmdItem* CExtCmdManager::GetCommand(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile<CExtCmdItem*>(lpszProfileName, NULL, [&](CExtCmdProfile* p) { return p->GetCommand(nCmdID); });
}

bool CExtCmdManager::SetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID, HICON hIcon, bool bCopyIcon)
{
    return WithProfile<bool>(lpszProfileName, false, [&](CExtCmdProfile* p) {
        if (hIcon == NULL)
            return p->SetCommandIcon(nCmdID, NULL, false);
        CExtCmdIcon icon(hIcon, bCopyIcon);
        return p->SetCommandIcon(nCmdID, &icon, false);
    });
}

CExtCmdIcon* CExtCmdManager::GetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile<CExtCmdIcon*>(lpszProfileName, NULL,
                                     [&](CExtCmdProfile* p) { return p->GetCommandIcon(nCmdID); });
}

bool CExtCmdManager::UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplace, bool bRecurse,
                                    bool bLoadTexts)
{
    return WithProfile<bool>(lpszProfileName, false, [&](CExtCmdProfile* p) {
        return p->UpdateFromMenu(hMenu, bReplace, bRecurse, bLoadTexts);
    });
}

bool CExtCmdManager::UpdateFromMenuResource(LPCTSTR lpszProfileName, UINT nMenuResourceID, bool bReplace,
                                            bool bLoadTexts)
{
    return WithProfile<bool>(lpszProfileName, false, [&](CExtCmdProfile* p) {
        return p->UpdateFromMenuResource(nMenuResourceID, bReplace, bLoadTexts);
    });
}

bool CExtCmdManager::UpdateFromToolBarResource(LPCTSTR lpszProfileName, UINT nToolBarResourceID, UINT** ppIDs,
                                               INT* pnCount, bool bReplace, bool bLoadTexts, COLORREF clrTransparent)
{
    return WithProfile<bool>(lpszProfileName, false, [&](CExtCmdProfile* p) {
        return p->UpdateFromToolBarResource(nToolBarResourceID, ppIDs, pnCount, bReplace, bLoadTexts,
                                            clrTransparent);
    });
}
