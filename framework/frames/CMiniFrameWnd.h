// A small floating frame (a tool window with a thin caption), e.g. for floating tool bars.
#pragma once
#include "CFrameWnd.h"

// Mini-frame styles (class-specific bits of the window style)
#define MFS_SYNCACTIVE    0x00000100L  // shows itself active while its owner is active
#define MFS_4THICKFRAME   0x00000200L  // no sizing at the corners
#define MFS_THICKFRAME    0x00000400L  // can be sized
#define MFS_MOVEFRAME     0x00000800L  // moved by its edges
#define MFS_BLOCKSYSMENU  0x00001000L  // no system menu

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = NULL,
                UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = NULL, UINT nID = 0);

protected:
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    DECLARE_MESSAGE_MAP()
};
