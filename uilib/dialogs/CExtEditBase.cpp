// Edit with the library's context menu (see CExtEditBase.h).
#include "CExtEditBase.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtResourceManager.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtEditBase, CEdit)

BEGIN_MESSAGE_MAP(CExtEditBase, CEdit)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()


namespace {

struct EditMenuRow {
    UINT nCmdID;   // 0: a separator
    const char* text;
};
const EditMenuRow kEditMenu[] = {
    {ID_EDIT_UNDO, "&Undo"}, {0, NULL},          {ID_EDIT_CUT, "Cu&t"},   {ID_EDIT_COPY, "&Copy"},
    {ID_EDIT_PASTE, "&Paste"}, {ID_EDIT_CLEAR, "Cl&ear"}, {0, NULL}, {ID_EDIT_SELECT_ALL, "Select &All"},
};

}  // namespace

CExtEditBase::CExtEditBase() : m_nEditOpt(OPT_LIBRARY_MENU)
{
}

CExtEditBase::~CExtEditBase()
{
}

void CExtEditBase::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if ((m_nEditOpt & OPT_LIBRARY_MENU) == 0) {
        CEdit::OnContextMenu(pWnd, point);
        return;
    }
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
    LPCTSTR lpszProfile = profile;
    if (lpszProfile == NULL) {
        Default();
        return;
    }
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->CreatePopupMenu(m_hWnd)) {
        delete pPopup;
        Default();
        return;
    }
    for (const EditMenuRow& row : kEditMenu) {
        if (row.nCmdID == 0) {
            pPopup->InsertItem(0);
            continue;
        }
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(lpszProfile, row.nCmdID);
        if (pCmd == NULL)
            pCmd = g_CmdManager->AllocCommand(lpszProfile, row.nCmdID);
        if (pCmd == NULL)
            continue;
        if (pCmd->m_sMenuText.IsEmpty()) {
            CString strText;
            if (g_ResourceManager->LoadStringDefault(strText, row.nCmdID)) {
                strText.Replace('\t', ' ');
                strText.Remove('\r');
                strText.Trim();
                const int nNewLine = strText.ReverseFind('\n');
                if (nNewLine >= 0)
                    strText = strText.Mid(nNewLine + 1);
                strText.Trim();
            }
            pCmd->m_sMenuText = strText.IsEmpty() ? CString(row.text) : strText;
        }
        pPopup->InsertItem(row.nCmdID);
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (!rcClient.PtInRect(point))   // from the keyboard: the edit's centre
        point = CPoint(rcClient.left + rcClient.Width() / 2, rcClient.top + rcClient.Height() / 2);
    HWND hWnd = m_hWnd;
    SetFocus();
    if (!pPopup->TrackPopupMenu(0x880, point.x, point.y)) {
        delete pPopup;
        if (::IsWindow(hWnd))
            Default();
        return;
    }
    if (::IsWindow(hWnd))
        ::RedrawWindow(hWnd, NULL, NULL, 0x785);
}

bool CExtEditBase::IsEditCommandEnabled(UINT nID)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const bool bSel = nStart != nEnd;
    const bool bWritable = (GetStyle() & ES_READONLY) == 0;
    switch (nID) {
    case ID_EDIT_UNDO:
        return CanUndo() && bWritable;
    case ID_EDIT_CUT:
    case ID_EDIT_CLEAR:
        return bSel && bWritable;
    case ID_EDIT_COPY:
        return bSel;
    case ID_EDIT_PASTE:
        return ::IsClipboardFormatAvailable(CF_TEXT) && bWritable;
    case ID_EDIT_SELECT_ALL: {
        const int nLen = GetWindowTextLength();
        return nLen > 0 && !(nStart == 0 && nEnd == nLen);
    }
    default:
        return false;
    }
}

BOOL CExtEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool bOurs = nID == ID_EDIT_UNDO || nID == ID_EDIT_CUT || nID == ID_EDIT_COPY || nID == ID_EDIT_PASTE ||
                       nID == ID_EDIT_CLEAR || nID == ID_EDIT_SELECT_ALL;
    if ((m_nEditOpt & OPT_LIBRARY_MENU) == 0 || !bOurs || (nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI))
        return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (nCode == (int)CN_UPDATE_COMMAND_UI) {
        if (pExtra != NULL)
            static_cast<CCmdUI*>(pExtra)->Enable(IsEditCommandEnabled(nID));
        return TRUE;
    }
    if (pHandlerInfo != NULL)
        return TRUE;   // only asked whether a handler exists
    switch (nID) {
    case ID_EDIT_UNDO:
        SendMessage(EM_UNDO, 0, 0);
        break;
    case ID_EDIT_CUT:
        SendMessage(WM_CUT, 0, 0);
        break;
    case ID_EDIT_COPY:
        SendMessage(WM_COPY, 0, 0);
        break;
    case ID_EDIT_PASTE:
        SendMessage(WM_PASTE, 0, 0);
        break;
    case ID_EDIT_CLEAR:
        SendMessage(WM_CLEAR, 0, 0);
        break;
    default:
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET, 0, 0);
        break;
    }
    return TRUE;
}
