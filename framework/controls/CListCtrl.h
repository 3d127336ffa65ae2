// A list-view control. Item data is pointer-sized (DWORD_PTR) all the way through, and the
// comparison function given to SortItems may throw: the exception stops at the call-back and
// the sort is reported as failed.
#pragma once
#include <afxwin.h>
#include <commctrl.h>
#include "CHeaderCtrl.h"

class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Columns ----
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn)
    {
        return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn);
    }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETECOLUMN, (WPARAM)nCol, 0); }
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const
    {
        return (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn);
    }
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn)
    {
        return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn);
    }
    int GetColumnWidth(int nCol) const { return (int)::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, (WPARAM)nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray)
    {
        return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
    }
    CHeaderCtrl* GetHeaderCtrl() const;

    // ---- Items ----
    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    int InsertItem(const LVITEMA* pItem) { return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEITEM, (WPARAM)nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
    BOOL GetItem(LVITEMA* pItem) const { return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEMA* pItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const
    {
        return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, (WPARAM)nItem, (LPARAM)nMask);
    }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, (WPARAM)nItem, bPartialOK); }
    int GetNextItem(int nItem, int nFlags) const
    {
        return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0));
    }
    UINT GetSelectedCount() const { return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    // The first row shown (list and report views), and how many rows fit whole in the client.
    int GetTopIndex() const { return (int)::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    COLORREF GetBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, (LPARAM)cr); }
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;

    // Sorts with pfnCompare(data1, data2, dwData), the items' data. FALSE when the sort failed
    // (the comparison threw: the order is then whatever the control left).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // ---- Look ----
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    {
        return (DWORD)::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle);
    }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);

    // Owner-drawn report views (LVS_OWNERDRAWFIXED) override this.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
