// The status line of the frame tests and the demo: the system's status bar along the bottom,
// laid out by the frame (WM_SIZEPARENT) and showing its prompts (AFX_IDW_STATUS_BAR).
#pragma once
#include <afxwin.h>

class CStatusLine : public CWnd {
public:
    BOOL Create(CWnd* pParent);
    CString Text() const;  // the text of its pane

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
