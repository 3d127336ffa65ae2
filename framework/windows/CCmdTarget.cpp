#include "CCmdTarget.h"
#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, NULL, NULL}};
    static const AFX_MSGMAP messageMap = {NULL, entries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMessage, UINT nCode,
                                                   UINT nID)
{
    for (; lpEntry->pfnThunk != NULL; ++lpEntry) {
        // a registered message not registered yet (still 0) must not catch WM_NULL
        const UINT entryMessage = lpEntry->pnRegMessage ? *lpEntry->pnRegMessage : lpEntry->nMessage;
        if (entryMessage == nMessage && (lpEntry->pnRegMessage == NULL || entryMessage != 0) && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                                void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pfnThunk = pEntry->pfnThunk;
        return TRUE;
    }
    AFX_MSGARGS args = {};
    args.message = pEntry->nMessage;
    args.nID = nID;
    args.nCode = (UINT)nCode;
    if (pEntry->nMessage == WM_NOTIFY || pEntry->nMessage == WM_REFLECT_BASE + WM_NOTIFY) {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        args.pExtra = pNotify ? pNotify->pNMHDR : NULL;
        args.pResult = pNotify ? pNotify->pResult : NULL;
    } else {
        args.pExtra = pExtra;
    }
    if ((UINT)nCode == CN_UPDATE_COMMAND_UI) {
        // the handler may call ContinueRouting to let later targets update the command too
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        pEntry->pfnThunk(pTarget, args);
        return !pCmdUI->m_bContinueRouting;
    }
    return pEntry->pfnThunk(pTarget, args) != 0;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Notifications come as MAKELONG(code, message); commands and updates as plain codes.
    UINT nMsg = 0;
    UINT nEntryCode = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD((UINT)nCode);
        nEntryCode = LOWORD((UINT)nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
        if (const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nEntryCode, nID))
            return DispatchCmdMsg(this, nID, nCode, pEntry, pExtra, pHandlerInfo);
    }
    return FALSE;
}
