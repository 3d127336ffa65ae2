// A list box.
#pragma once
#include <afxwin.h>

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, LB_SETCURSEL, (WPARAM)nSelect, 0); }
    int AddString(LPCTSTR lpszItem) { return (int)::SendMessageA(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return (int)::SendMessageA(m_hWnd, LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem);
    }
    int DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0); }
    void ResetContent() { ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const
    {
        return (int)::SendMessageA(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer);
    }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return (int)::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
    }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessageA(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return (int)::SendMessageA(m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
    }
};
