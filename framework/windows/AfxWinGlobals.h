// Global functions of the window layer: message boxes, window classes, string formatting with
// placeholders, and the few system values the drawing code reads.
#pragma once
#include <afx.h>

class CWnd;

// A message box owned by the active top-level window of the program (the main window when there
// is no other); the caption is the application's name.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Registers (once per set of arguments) a window class whose procedure is DefWindowProc (the
// framework subclasses every window it creates) and answers its name, valid for the process.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                                   HICON hIcon = NULL);
BOOL AFXAPI AfxRegisterClass(WNDCLASSA* lpWndClass);

// Replaces %1 (and %2) in the string nIDS with the arguments.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);

// A framework text (the idle prompt, the data-exchange prompts, the prompts of the system menu's
// commands AFX_IDS_SCSIZE..AFX_IDS_SCTASKLIST): the program's string nID when
// its string table has one, else the framework's English text ("" for an id it does not know).
CString AFXAPI AfxLoadFrameworkString(UINT nID);

// The module holding a resource: the resource module first, then the program.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

inline BOOL AfxHelpEnabled() { return FALSE; }  // no help files
inline void AfxEnableControlContainer() {}      // no embedded controls

// System values the drawing code uses.
struct AUX_DATA {
    int cxBorder2;
    int cyBorder2;
};
extern const AUX_DATA afxData;
