// A document window of a CMDIFrameWnd. A stub (see CMDIFrameWnd.h): it only carries the flag
// the menus read.
#pragma once
#include "CFrameWnd.h"

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    // The window is kept as the active one while it is not shown (it counts as none).
    BOOL m_bPseudoInactive = FALSE;
};
