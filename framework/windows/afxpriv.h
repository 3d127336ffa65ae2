// The framework's private window messages and the structures they carry.
#pragma once
#include <afx.h>

// Sent by RepositionBars to each child: lParam is an AFX_SIZEPARENTPARAMS*.
#define WM_SIZEPARENT       0x0361
// wParam: string id of a prompt for the status line (or lParam: the text).
#define WM_SETMESSAGESTRING 0x0362
// Sent at idle to the main window and its descendants: update command states (wParam TRUE:
// disable commands without a handler).
#define WM_IDLEUPDATECMDUI  0x0363
#define WM_INITIALUPDATE    0x0364
#define WM_HELPHITTEST      0x0366
// Sent by RunModalLoop to the modal window when the queue is empty.
#define WM_KICKIDLE         0x036A
// The old colour message: every WM_CTLCOLOR... message is dispatched under it to ON_WM_CTLCOLOR.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// A control notification offered back to the control: WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE     0xBC00

struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;      // DeferWindowPos handle; NULL for a query
    RECT rect;      // the parent's client area still free
    SIZE sizeTotal; // what the bars took
    BOOL bStretch;  // bars stretch across the whole side
};

// RepositionBars modes
enum { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
