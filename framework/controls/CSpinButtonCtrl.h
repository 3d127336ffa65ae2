// An up-down (spin) control.
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(int nLower, int nUpper) { ::SendMessageA(m_hWnd, UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
    void GetRange(int& lower, int& upper) const
    {
        ::SendMessageA(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper);
    }
    int SetPos(int nPos) { return (int)::SendMessageA(m_hWnd, UDM_SETPOS32, 0, (LPARAM)nPos); }
    int GetPos() const { return (int)::SendMessageA(m_hWnd, UDM_GETPOS32, 0, 0); }
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0));
    }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0)); }
};
