// The UI library's edit base: it answers its context menu with the library's popup holding the
// six standard edit commands, and handles those commands (and their enabled states) itself.
#pragma once
#include <afxcontrols.h>

class CExtEditBase : public CEdit {
    DECLARE_DYNCREATE(CExtEditBase)
public:
    enum : BYTE { OPT_LIBRARY_MENU = 0x01 };
    CExtEditBase();
    ~CExtEditBase() override;

    BYTE m_nEditOpt;   // OPT_LIBRARY_MENU: the library's menu and command handling

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Whether a command of the edit menu is available now (false for other commands).
    bool IsEditCommandEnabled(UINT nID);

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};
