// A combo box.
#pragma once
#include <afxwin.h>

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return (int)::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, CB_SETCURSEL, (WPARAM)nSelect, 0); }
    int AddString(LPCTSTR lpszString) { return (int)::SendMessageA(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0); }
    void ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
    int GetLBText(int nIndex, LPTSTR lpszText) const
    {
        return (int)::SendMessageA(m_hWnd, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText);
    }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return (int)::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
    }
    int SelectString(int nStartAfter, LPCTSTR lpszString)
    {
        return (int)::SendMessageA(m_hWnd, CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
    }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)::SendMessageA(m_hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return (int)::SendMessageA(m_hWnd, CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
    }
    BOOL GetDroppedState() const { return (BOOL)::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0); }
    void ShowDropDown(BOOL bShowIt = TRUE) { ::SendMessageA(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0); }
    DWORD GetEditSel() const { return (DWORD)::SendMessageA(m_hWnd, CB_GETEDITSEL, 0, 0); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    {
        return (BOOL)::SendMessageA(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
    }
    BOOL LimitText(int nMaxChars) { return (BOOL)::SendMessageA(m_hWnd, CB_LIMITTEXT, (WPARAM)nMaxChars, 0); }
};
