// The system's open and save dialogs. The filter is given as "Text|pattern|Text|pattern||";
// it always reaches the system as description/pattern pairs ended by two NULs: a pattern given
// alone ("*.html") serves as its own description, and a missing final "||" is supplied.
#pragma once
#include <afxwin.h>
#include <CDialog.h>
#include <commdlg.h>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);

    OPENFILENAMEA m_ofn;  // callers may set lpstrInitialDir, lpstrTitle, Flags before DoModal

    // IDOK with the chosen path, or IDCANCEL
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_szFileName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

private:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;   // the pairs with their NULs
    CString m_strDefExt;
    char m_szFileName[MAX_PATH * 4];
    char m_szFileTitle[MAX_PATH];
};
