// The header of a report-view list control (or a header of its own).
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem);
    }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem)
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_SETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem);
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
    }
};
