// The system's colour dialog.
#pragma once
#include <afxwin.h>
#include <CDialog.h>
#include <commdlg.h>

class CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLORA m_cc;

    INT_PTR DoModal() override;  // IDOK or IDCANCEL
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The sixteen custom colours, kept for the program's life.
    static COLORREF* GetSavedCustomColors();
};
