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
    int InsertItem(int nPos, HDITEMA* phdi) { return (int)::SendMessageA(m_hWnd, HDM_INSERTITEMA, (WPARAM)nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)::SendMessageA(m_hWnd, HDM_DELETEITEM, (WPARAM)nPos, 0); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
    }
    BOOL GetOrderArray(LPINT piArray, int iCount) const
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
    }
    BOOL SetOrderArray(int iCount, LPINT piArray)
    {
        return (BOOL)::SendMessageA(m_hWnd, HDM_SETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
    }
};
