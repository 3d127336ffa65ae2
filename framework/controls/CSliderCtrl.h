// A trackbar (slider) control.
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, FALSE, nMin);
        ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
    }
    int GetRangeMin() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return (int)::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0); }
    int GetPos() const { return (int)::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, nPos); }
    int SetPageSize(int nSize) { return (int)::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, nSize); }
};
