// The program's one application object: the main thread's CWinThread plus the program's name,
// its settings in the registry and the start-up sequence (AfxWinMain).
#pragma once
#include "CWinThread.h"

class CRecentFileList;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName NULL: the string AFX_IDS_APP_TITLE, else the program file's name
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;
    LPCTSTR m_pszRegistryKey;    // NULL until SetRegistryKey: settings then answer their defaults
    LPCTSTR m_pszProfileName;    // the application's key under the registry key
    CRecentFileList* m_pRecentFileList;  // NULL unless the program makes one; the application deletes it

    virtual BOOL InitApplication();
    int ExitInstance() override;
    // Settings live in HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // lpszValue NULL deletes the entry; lpszEntry NULL deletes the whole section
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is new[]'d for the caller
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // The key of a section (created if needed), or NULL before SetRegistryKey; close with RegCloseKey.
    HKEY GetSectionKey(LPCTSTR lpszSection);
    HKEY GetAppRegistryKey();

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
    // Enables or disables the main window while a modal window of another kind runs.
    virtual void EnableModeless(BOOL bEnable);
    BOOL Enable3dControls() { return TRUE; }  // the system draws 3-D controls itself

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strRegistryKey;
};

CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
// Registers the common controls, sets the instance handle and keeps the command line.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// InitInstance, then Run; when InitInstance fails, ExitInstance still runs and its code is answered.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
