#include "CFileDialog.h"
#include <vector>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// "a|b|c|d||" -> "a\0b\0c\0d\0\0"; a field without its pair serves as both description and pattern.
CString MakeFilter(LPCTSTR lpszFilter)
{
    std::vector<CString> fields;
    CString strField;
    for (LPCTSTR p = lpszFilter;; ++p) {
        if (*p == '|' || *p == '\0') {
            if (!strField.IsEmpty())
                fields.push_back(strField);
            strField.Empty();
            if (*p == '\0')
                break;
        } else {
            strField += *p;
        }
    }
    if (fields.size() % 2 != 0)
        fields.push_back(fields.back());
    CString strResult;
    for (const CString& field : fields) {
        strResult += field;
        strResult += '\0';
    }
    strResult += '\0';
    if (fields.empty())
        strResult += '\0';
    return strResult;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog((LPCTSTR)NULL, pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_szFileTitle()
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
    if (lpszFilter != NULL) {
        m_strFilter = MakeFilter(lpszFilter);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bOK ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString strPath = m_szFileName;
    int nSlash = strPath.ReverseFind('\\');
    return nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}
