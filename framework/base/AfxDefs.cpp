#include "AfxDefs.h"
#include <cstdio>

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...) {
    char text[1024];
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(text, sizeof text, lpszFormat, args);
    va_end(args);
    ::OutputDebugStringA(text);
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine) {
    char text[512];
    snprintf(text, sizeof text, "framework: assertion failed at %s(%d)\n", lpszFileName, nLine);
    ::OutputDebugStringA(text);
    fputs(text, stderr);
}
