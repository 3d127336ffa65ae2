// Stands in for every program the end-to-end test lets the GUI start: the alarm's command, and
// the handler of pages and addresses the test's prefix registers (instead of a browser). It
// appends the command line it was started with, as one line, to the file named by
// ORV_E2E_RECORD, then ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH];
    const DWORD nLength = ::GetEnvironmentVariableA("ORV_E2E_RECORD", szPath, sizeof szPath);
    if (nLength == 0 || nLength >= sizeof szPath)
        return 2;
    HANDLE hFile = ::CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    // one write per line, so that two recorders started at once never mix their lines
    const char* pszLine = ::GetCommandLineA();
    DWORD nWritten = 0;
    char* pszBuffer = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, lstrlenA(pszLine) + 2));
    if (pszBuffer == NULL) {
        ::CloseHandle(hFile);
        return 4;
    }
    lstrcpyA(pszBuffer, pszLine);
    lstrcatA(pszBuffer, "\n");
    ::WriteFile(hFile, pszBuffer, (DWORD)lstrlenA(pszBuffer), &nWritten, NULL);
    ::HeapFree(::GetProcessHeap(), 0, pszBuffer);
    ::CloseHandle(hFile);
    return 0;
}
