// Paths at the edge between Win32 and the Unix libraries. The framework's files take Windows
// paths; only code that hands a path to glibc, libstdc++ or a Unix library (log4cxx, Xerces)
// converts it, with AfxGetUnixPath.
#pragma once
#include "CString.h"

// The Unix path of a Windows path ("Z:\tmp\x" gives "/tmp/x"); empty when Wine cannot map it
// (its folder must exist).
CString AFXAPI AfxGetUnixPath(LPCTSTR lpszWindowsPath);
// TRUE when the file or folder exists.
BOOL AFXAPI AfxFileExists(LPCTSTR lpszPath);
// Splits a Windows path into drive ("C:"), folder (with its trailing backslash), file name and
// extension (with its dot); any output may be NULL.
void AFXAPI AfxSplitPath(LPCTSTR lpszPath, CString* pDrive, CString* pDir, CString* pFileName, CString* pExt);
