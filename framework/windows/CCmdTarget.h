// The root of every class that receives commands: it owns a message map and answers
// OnCmdMsg by looking through it (derived entries first, then each base class's).
#pragma once
#include <afx.h>
#include "afxmsg.h"

// Filled by OnCmdMsg when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSGTHUNK pfnThunk;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command, an update request or a control notification:
    //   nCode CN_COMMAND (pExtra NULL), CN_UPDATE_COMMAND_UI (pExtra the CCmdUI*),
    //   a WM_COMMAND notification code, or MAKELONG(code, WM_NOTIFY) (pExtra an AFX_NOTIFY*).
    // With pHandlerInfo set, only says whether a handler exists and fills it in.
    // Answers TRUE when handled. Overrides offer the command to other targets too.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls the handler of the entry that matches, walking the map chain (used by OnCmdMsg and
    // by CWnd::OnWndMsg).
    static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                               void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
};

// What ON_NOTIFY handlers receive through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};
