// The UI library's one process-wide command registry: named command profiles, and the windows
// bound to them, so that a toolbar button, menu item or status pane finds its command's
// description from its own window handle and the command identifier. Every operation takes the
// profile name first (NULL: "default") and runs under the manager's one re-entrant lock.
#pragma once
#include <afxwin.h>
#include "CExtCmdProfile.h"

class CExtCmdItem;
class CExtCmdIcon;

// The library's version: 2.2.7.1, packed 0x02020701; the short form is 0x0202.
DWORD GetUILibraryVersionDWORD(bool bShort = false);
// The four version bytes, most significant first, joined by the separator ("2.2.7.1" with '.').
void GetUILibraryVersionString(CString& strOut, TCHAR chSeparator = '.');

class CExtCmdManager {
public:
    CExtCmdManager();
    CExtCmdManager(const CExtCmdManager&) = delete;
    CExtCmdManager& operator=(const CExtCmdManager&) = delete;
    virtual ~CExtCmdManager();

    virtual void ClearProfile(LPCTSTR lpszProfileName);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // A profile's name handed out as a copy, so that it stays valid when the profile is removed
    // (by another window's teardown, or another thread). It reads as NULL when no profile was
    // found, and can be passed on as the profile name of the other operations, where NULL means
    // "default". Keep it in a variable: a temporary one does not turn into a text pointer,
    // which would dangle at the end of the statement.
    class ProfileName {
    public:
        ProfileName() = default;
        explicit ProfileName(const CString& strName) : m_strName(strName), m_bFound(true) {}
        bool IsFound() const { return m_bFound; }
        const CString& GetName() const { return m_strName; }
        operator LPCTSTR() const& { return m_bFound ? (LPCTSTR)m_strName : NULL; }
        operator LPCTSTR() const&& = delete;

    private:
        CString m_strName;
        bool m_bFound = false;
    };

    // Stores the given profile (or a new one) under the name unless the name exists; a given
    // object under an existing name stays the caller's. A given object is stored under the
    // name asked for and takes that name, so that lookups by its own name find it; one the
    // manager already holds under another name is refused (false): it is never held twice.
    // With a window, binds it too.
    bool ProfileSetup(LPCTSTR lpszProfileName = NULL, HWND hWnd = NULL, CExtCmdProfile* pProfile = NULL);
    bool ProfileWndAdd(LPCTSTR lpszProfileName, HWND hWnd);
    bool ProfileWndRemove(HWND hWnd, bool bRemoveProfileIfLastHWND = false, bool* pbProfileWasRemoved = NULL);
    CExtCmdProfile* GetProfile(LPCTSTR lpszProfileName);
    // The name of the profile bound to the window or its nearest bound ancestor; not found
    // (NULL) for none.
    ProfileName ProfileNameFromWnd(HWND hWnd);
    void RemoveAllProfiles();

    bool SetCommand(LPCTSTR lpszProfileName, const CExtCmdItem* pCmd, bool bReplace = false,
                    bool* pbWasAddedNew = NULL);
    bool RemoveCommand(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbWasRemoved = NULL);
    bool RemoveCommandsByFlags(LPCTSTR lpszProfileName, DWORD dwMask, bool bExact = false);
    CExtCmdItem* AllocCommand(LPCTSTR lpszProfileName, UINT nCmdID = 0);
    CExtCmdItem* GetCommand(LPCTSTR lpszProfileName, UINT nCmdID);
    // A NULL icon removes the command's icon; otherwise a copy is stored.
    bool SetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID, HICON hIcon, bool bCopyIcon = true);
    CExtCmdIcon* GetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID);
    bool UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplace = false, bool bRecurse = true,
                        bool bLoadTexts = true);
    bool UpdateFromMenuResource(LPCTSTR lpszProfileName, UINT nMenuResourceID, bool bReplace = false,
                                bool bLoadTexts = true);
    bool UpdateFromToolBarResource(LPCTSTR lpszProfileName, UINT nToolBarResourceID, UINT** ppIDs = NULL,
                                   INT* pnCount = NULL, bool bReplace = false, bool bLoadTexts = true,
                                   COLORREF clrTransparent = RGB(192, 192, 192));

    // Runs fn with the named profile while holding the lock (the profile cannot be removed by
    // another thread in between); answers fail when there is no such profile.
    template <class R, class Fn>
    R WithProfile(LPCTSTR lpszProfileName, R fail, Fn fn)
    {
        CSingleLockGuard guard(m_cs);
        CExtCmdProfile* p = LookupProfile(lpszProfileName);
        return p != NULL ? fn(p) : fail;
    }

    static LPCTSTR s_szDefaultProfile;

private:
    struct CSingleLockGuard {
        explicit CSingleLockGuard(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
        ~CSingleLockGuard() { m_cs.Unlock(); }
        CCriticalSection& m_cs;
    };
    // under the lock
    CExtCmdProfile* LookupProfile(LPCTSTR lpszProfileName);
    bool HoldsProfile(const CExtCmdProfile* pProfile);

    CMapStringToPtr m_profiles;                             // name -> CExtCmdProfile*
    CMap<HWND, HWND, CExtCmdProfile*, CExtCmdProfile*> m_wndProfiles;  // window -> its profile
    CCriticalSection m_cs;
};

// The global holder of the one command manager, made during static initialisation and deleted
// at exit.
class CExtCmdManagerHolder {
public:
    CExtCmdManagerHolder();
    ~CExtCmdManagerHolder();
    CExtCmdManager* operator->() { return m_pManager; }
    CExtCmdManager* GetManager() { return m_pManager; }

    // Called by skinned frame-level windows from their system-change handlers: each passes the
    // change on to the manager only when pWnd is the designated forwarder of its frame.
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, int nDepthBPP, int cx, int cy);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

private:
    CExtCmdManager* m_pManager;
};

extern CExtCmdManagerHolder g_CmdManager;
