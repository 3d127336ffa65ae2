// Stands in for a browser in the hyperlink tests: the test's own prefix registers this program
// as the page handler and protocol handler, and it only appends the command line it was started
// with, as one line, to the file named by ORV_LINK_RECORD, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH];
    const DWORD nLength = ::GetEnvironmentVariableA("ORV_LINK_RECORD", szPath, sizeof szPath);
    if (nLength == 0 || nLength >= sizeof szPath)
        return 2;
    HANDLE hFile = ::CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    const char* pszLine = ::GetCommandLineA();
    DWORD nWritten = 0;
    ::WriteFile(hFile, pszLine, (DWORD)lstrlenA(pszLine), &nWritten, NULL);
    ::WriteFile(hFile, "\n", 1, &nWritten, NULL);
    ::CloseHandle(hFile);
    return 0;
}
