// The system's colour dialog.
#pragma once
#include <afxwin.h>
#include <commdlg.h>

class CColorDialog : public CWnd {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLORA m_cc;

    virtual INT_PTR DoModal();  // IDOK or IDCANCEL
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The sixteen custom colours, kept for the program's life.
    static COLORREF* GetSavedCustomColors();

private:
    CWnd* m_pParentWnd;
};
