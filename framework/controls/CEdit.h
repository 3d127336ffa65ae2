// An edit control.
#pragma once
#include <afxwin.h>

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void GetSel(int& nStartChar, int& nEndChar) const
    {
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        nStartChar = (int)dwStart;
        nEndChar = (int)dwEnd;
    }
    DWORD GetSel() const { return (DWORD)::SendMessageA(m_hWnd, EM_GETSEL, 0, 0); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        ::SendMessageA(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, nEndChar);
        if (!bNoScroll)
            ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
    }
    void LimitText(int nChars = 0) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, (WPARAM)nChars, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    BOOL CanUndo() const { return (BOOL)::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)::SendMessageA(m_hWnd, EM_UNDO, 0, 0); }
    void Cut() { ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
    void Copy() { ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
    void Paste() { ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }
    void Clear() { ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
};
