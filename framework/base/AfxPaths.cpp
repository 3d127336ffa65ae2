#include "AfxPaths.h"
#include <string>

CString AFXAPI AfxGetUnixPath(LPCTSTR lpszWindowsPath) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    static UnixNameFn toUnix = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == NULL || lpszWindowsPath == NULL || *lpszWindowsPath == '\0')
        return CString();
    int n = ::MultiByteToWideChar(CP_ACP, 0, lpszWindowsPath, -1, NULL, 0);
    if (n <= 0)
        return CString();
    std::u16string wide((size_t)n, u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpszWindowsPath, -1, reinterpret_cast<LPWSTR>(&wide[0]), n);
    char* unixPath = toUnix(reinterpret_cast<LPCWSTR>(wide.c_str()));
    if (unixPath == NULL)
        return CString();
    CString result(unixPath);
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

BOOL AFXAPI AfxFileExists(LPCTSTR lpszPath) {
    return lpszPath != NULL && ::GetFileAttributesA(lpszPath) != INVALID_FILE_ATTRIBUTES;
}

void AFXAPI AfxSplitPath(LPCTSTR lpszPath, CString* pDrive, CString* pDir, CString* pFileName, CString* pExt) {
    CString path(lpszPath);
    CString drive;
    if (path.GetLength() >= 2 && path[1] == ':') {
        drive = path.Left(2);
        path = path.Mid(2);
    }
    int lastSep = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/')
            lastSep = i;
    CString dir = path.Left(lastSep + 1);
    CString name = path.Mid(lastSep + 1);
    CString ext;
    int dot = name.ReverseFind('.');
    if (dot >= 0) {
        ext = name.Mid(dot);
        name = name.Left(dot);
    }
    if (pDrive != NULL)
        *pDrive = drive;
    if (pDir != NULL)
        *pDir = dir;
    if (pFileName != NULL)
        *pFileName = name;
    if (pExt != NULL)
        *pExt = ext;
}
