// The wait box shown while the program shuts down: a borderless popup (dialog 168) with one line
// of text.
#pragma once

#include "CExtLabel.h"
#include "CExtResizableDialog.h"

class CWaitDlg : public CExtResizableDialog {
public:
    enum { IDD = 168, IDC_TEXT = 1084 };

    explicit CWaitDlg(CWnd* pParent = NULL);

    // Creates the box over the parent (the main window, if any) showing the text, and shows it.
    BOOL Show(const CString& text, CWnd* pParent);
    // Ends and destroys it.
    void Close();

    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CExtLabel m_label;
};
