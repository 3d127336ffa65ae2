// The command-update object that lets the application's ordinary update handlers write into a
// command item (enable, check, radio, indeterminate, menu text).
#pragma once
#include <afxwin.h>

class CExtCmdItem;

class CExtCmdItemUI : public CCmdUI {
public:
    CExtCmdItemUI(CExtCmdItem* pCmd, UINT nIndexMax = 0);
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;  // 0, 1, anything else: indeterminate
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;

private:
    CExtCmdItem* m_pCmd;
};
