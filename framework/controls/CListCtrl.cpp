#include "CListCtrl.h"
#include <CImageList.h>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (iCount == -1) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == NULL)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    HWND hWndHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    // the permanent object if the program has one, else a temporary that stands for it
    return static_cast<CHeaderCtrl*>(CWnd::FromHandle(hWndHeader));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // grow the buffer until the text fits (the control truncates silently)
    CString strText;
    for (int nLen = 256;; nLen *= 2) {
        int nRes = GetItemText(nItem, nSubItem, strText.GetBuffer(nLen), nLen + 1);
        strText.ReleaseBuffer(nRes);
        if (nRes < nLen)
            return strText;
    }
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (!GetItem(&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return nItem;
}

namespace {

struct SortCall {
    PFNLVCOMPARE pfnCompare;
    DWORD_PTR dwData;
    bool failed;
};

int CALLBACK SortTrampoline(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    SortCall* pCall = reinterpret_cast<SortCall*>(lParamSort);
    if (pCall->failed)
        return 0;  // one failure is enough: the rest of the sort only finishes quickly
    return AfxCallbackBarrier(0, [&] {
        pCall->failed = true;  // until the comparison returns
        int nResult = pCall->pfnCompare(lParam1, lParam2, (LPARAM)pCall->dwData);
        pCall->failed = false;
        return nResult;
    });
}

}  // namespace

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    SortCall call = {pfnCompare, dwData, false};
    BOOL bSorted = (BOOL)::SendMessageA(m_hWnd, LVM_SORTITEMS, (WPARAM)&call, (LPARAM)SortTrampoline);
    return bSorted && !call.failed;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, (WPARAM)nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST hOld = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_SETIMAGELIST, (WPARAM)nImageListType,
                                                 (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL));
    return CImageList::FromHandle(hOld);
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);  // an owner-drawn list must draw itself
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}
