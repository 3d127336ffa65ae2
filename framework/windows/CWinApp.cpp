#include "CWinApp.h"
#include "CRecentFileList.h"
#include "CWnd.h"
#include "afxres.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_pApp = NULL;
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(NULL), m_pszExeName(NULL),
      m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_pRecentFileList(NULL)
{
    ASSERT(g_pApp == NULL);  // one application object per program
    g_pApp = this;
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitApplication()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(m_hInstance, path, sizeof path);
    CString strName = path;
    int nSlash = strName.ReverseFind('\\');
    if (nSlash >= 0)
        strName = strName.Mid(nSlash + 1);
    int nDot = strName.Find('.');
    if (nDot > 0)
        strName = strName.Left(nDot);
    m_strExeName = strName;
    m_pszExeName = m_strExeName;
    if (m_pszAppName == NULL) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    if (m_pszProfileName == NULL)
        m_pszProfileName = m_pszAppName;
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    if (m_pszProfileName == NULL)
        m_pszProfileName = m_pszAppName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    CString strPath;
    strPath.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = NULL;
    DWORD dwDisposition;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, strPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hKey, &dwDisposition) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dwDisposition;
    if (::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hSectionKey, &dwDisposition) != ERROR_SUCCESS)
        hSectionKey = NULL;
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, dwSize = sizeof dwValue;
    LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwSize);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwSize != sizeof dwValue)
        return (UINT)nDefault;
    return (UINT)dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strDefault = lpszDefault != NULL ? lpszDefault : "";
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return strDefault;
    DWORD dwType = 0, dwSize = 0;
    LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &dwSize);
    CString strValue;
    if (lResult == ERROR_SUCCESS && dwType == REG_SZ) {
        LPSTR p = strValue.GetBuffer((int)dwSize);
        lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(p), &dwSize);
        p[lResult == ERROR_SUCCESS ? dwSize : 0] = '\0';
        strValue.ReleaseBuffer();
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return strDefault;
    return strValue;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszEntry == NULL) {
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        LONG lResult = ::RegDeleteTreeA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    LONG lResult;
    if (lpszValue == NULL) {
        lResult = ::RegDeleteValueA(hKey, lpszEntry);
        if (lResult == ERROR_FILE_NOT_FOUND)
            lResult = ERROR_SUCCESS;
    } else {
        lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                   (DWORD)lstrlenA(lpszValue) + 1);
    }
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    DWORD dwType = 0, dwSize = 0;
    LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &dwSize);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
        *ppData = new BYTE[dwSize == 0 ? 1 : dwSize];
        lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, *ppData, &dwSize);
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_BINARY) {
        delete[] *ppData;
        *ppData = NULL;
        return FALSE;
    }
    *pBytes = dwSize;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    HCURSOR hCursor = ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
    return hCursor != NULL ? hCursor : ::LoadCursorA(AfxGetInstanceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
    return hIcon != NULL ? hIcon : ::LoadIconA(AfxGetInstanceHandle(), lpszResourceName);
}

void CWinApp::EnableModeless(BOOL bEnable)
{
    if (m_pMainWnd != NULL && m_pMainWnd->m_hWnd != NULL)
        ::EnableWindow(m_pMainWnd->m_hWnd, bEnable);
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return g_pApp != NULL ? g_pApp->m_pszAppName : "";
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    // comctl32 before any window or dialog: its classes and the sheet fonts need it loaded
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    AfxSetInstanceHandle(hInstance);
    if (CWinApp* pApp = AfxGetApp()) {
        // the application object is made during static initialisation, perhaps on another
        // thread: the thread that runs it is this one
        pApp->m_nThreadID = ::GetCurrentThreadId();
        AfxGetThreadState()->m_pCurrentWinThread = pApp;
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL && pApp->m_pMainWnd->m_hWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
