#include "CCommonListCtrl.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "CMemDC.h"
#include "OsVersion.h"

namespace {

// Resources of the header's sort arrows (below Windows XP).
const UINT kBitmapSortAscending = 186;
const UINT kBitmapSortDescending = 187;

int Sign(long long value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// What one sort passes to the comparison: every row's key in the sort column, by item data, read
// once before the control starts comparing (reading a row's text costs a scan for its data).
struct SortContext {
    std::unordered_map<LPARAM, CCommonListCtrl::SortKey> keys;
    bool ascending;
};

int CALLBACK CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const SortContext* context = reinterpret_cast<const SortContext*>(lParamSort);
    auto first = context->keys.find(lParam1);
    auto second = context->keys.find(lParam2);
    if (first == context->keys.end() || second == context->keys.end())
        return 0;
    return CCommonListCtrl::CompareSortKeys(first->second, second->second, context->ascending);
}

}  // namespace

IMPLEMENT_DYNAMIC(CCommonListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CCommonListCtrl, CListCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CTLCOLOR()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CCommonListCtrl::CCommonListCtrl()
    : m_bSortAscending(false), m_nSortColumn(0), m_lastCustomDraw(), m_nCustomDrawResult(0),
      m_crWindow(0), m_crWindowText(0), m_crSoftHighlight(0), m_crHighlight(0), m_crFaintHighlight(0),
      m_crHalfHighlight(0), m_nColumns(0), m_pColumns(NULL), m_nIndicatorColumn(-1), m_nIndicatorDirection(0),
      m_hSortBitmap(NULL), m_bWinXP(OsVersion::isWinXP()), m_bRowTableValid(false), m_hMarginFont(NULL), m_nMargin(0)
{
    m_whiteBrush.CreateSolidBrush(RGB(255, 255, 255));
    ComputeColors();
}

CCommonListCtrl::~CCommonListCtrl()
{
    delete[] m_pColumns;
    if (m_hSortBitmap != NULL)
        ::DeleteObject(m_hSortBitmap);
}

CCommonListCtrl::SortKey CCommonListCtrl::MakeSortKey(const char* text)
{
    SortKey key;
    key.text = text != NULL ? text : "";
    // atol's reading (blanks, sign, digits), clamped instead of overflowing
    char* end = NULL;
    long long value = std::strtoll(key.text.c_str(), &end, 10);
    if (value > LONG_MAX)
        value = LONG_MAX;
    if (value < LONG_MIN)
        value = LONG_MIN;
    key.value = static_cast<long>(value);
    key.number = key.value != 0;
    return key;
}

int CCommonListCtrl::CompareSortKeys(const SortKey& first, const SortKey& second, bool ascending)
{
    int result;
    if (first.number != second.number)
        result = first.number ? -1 : 1;
    else if (first.number && first.value != second.value)
        result = first.value < second.value ? -1 : 1;
    else
        result = Sign(std::strcmp(first.text.c_str(), second.text.c_str()));
    return ascending ? result : -result;
}

COLORREF CCommonListCtrl::Blend(COLORREF a, int wa, COLORREF b, int wb)
{
    int divisor = wa + wb;
    auto channel = [&](int shift) {
        int value = (((a >> shift) & 0xff) * wa + ((b >> shift) & 0xff) * wb + divisor / 2) / divisor;
        return static_cast<COLORREF>(value > 255 ? 255 : value) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

void CCommonListCtrl::ComputeColors()
{
    m_crWindow = ::GetSysColor(COLOR_WINDOW);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crSoftHighlight = Blend(m_crHighlight, 1, m_crWindow, 3);
    m_crFaintHighlight = Blend(m_crHighlight, 1, m_crWindow, 7);
    m_crHalfHighlight = Blend(m_crHighlight, 1, m_crWindow, 1);
}

void CCommonListCtrl::PreSubclassWindow()
{
    ComputeColors();
    CListCtrl::PreSubclassWindow();
    ModifyStyle(LVS_TYPEMASK, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_HEADERDRAGDROP);
}

void CCommonListCtrl::RebuildColumns(int nCount)
{
    delete[] m_pColumns;
    m_pColumns = NULL;
    m_nColumns = nCount > 0 ? nCount : 0;
    if (m_nColumns == 0)
        return;
    m_pColumns = new ColumnInfo[m_nColumns];
    for (int i = 0; i < m_nColumns; ++i)
        m_pColumns[i] = ColumnInfo{GetColumnWidth(i), i, false};
}

LRESULT CCommonListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // what moves rows or changes their data makes the row table stale (before and after: a
    // notification sent meanwhile may look a row up)
    bool bRowsChange = false;
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
        bRowsChange = true;
        break;
    case LVM_SETITEMA:
    case LVM_SETITEMW:
        bRowsChange = lParam != 0 && (reinterpret_cast<const LVITEMA*>(lParam)->mask & LVIF_PARAM) != 0;
        break;
    default:
        break;
    }
    if (bRowsChange)
        m_bRowTableValid = false;
    if (message == WM_SETFONT)
        m_hMarginFont = NULL;
    if (message == WM_NOTIFY) {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHdr != NULL && pHeader != NULL && pHdr->hwndFrom == pHeader->GetSafeHwnd()) {
            if (pHdr->code == NM_RCLICK) {
                CPoint point;
                ::GetCursorPos(&point);   // no menu on the header
                return TRUE;
            }
            if (pHdr->code == HDN_ENDDRAG && OnHeaderEndDrag(reinterpret_cast<const NMHEADERA*>(lParam)))
                return TRUE;
        }
    }
    LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
    if (bRowsChange)
        m_bRowTableValid = false;
    if (message == LVM_INSERTCOLUMNA || message == LVM_INSERTCOLUMNW || message == LVM_DELETECOLUMN) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        RebuildColumns(pHeader != NULL ? pHeader->GetItemCount() : 0);
    }
    return result;
}

BOOL CCommonListCtrl::OnHeaderEndDrag(const NMHEADERA* pHeader)
{
    int nColumn = pHeader->iItem;
    int nNewPos = (pHeader->pitem != NULL && (pHeader->pitem->mask & HDI_ORDER)) ? pHeader->pitem->iOrder : -1;
    if (nColumn <= 0 || nColumn >= m_nColumns || nNewPos <= 0 || nNewPos >= m_nColumns)
        return TRUE;
    int nOldPos = m_pColumns[nColumn].position;
    if (nNewPos == nOldPos)
        return TRUE;
    for (int i = 0; i < m_nColumns; ++i) {
        int& position = m_pColumns[i].position;
        if (nNewPos < nOldPos && position >= nNewPos && position < nOldPos)
            ++position;
        else if (nNewPos > nOldPos && position > nOldPos && position <= nNewPos)
            --position;
    }
    m_pColumns[nColumn].position = nNewPos;
    Invalidate();
    return FALSE;
}

int CCommonListCtrl::GetColumnWidthKept(int nColumn) const
{
    if (nColumn < 0 || nColumn >= m_nColumns)
        return 0;
    return m_pColumns[nColumn].hidden ? m_pColumns[nColumn].width : GetColumnWidth(nColumn);
}

int CCommonListCtrl::GetColumnPosition(int nColumn) const
{
    return nColumn >= 0 && nColumn < m_nColumns ? m_pColumns[nColumn].position : -1;
}

void CCommonListCtrl::RebuildRowTable() const
{
    m_rowOfData.clear();
    int nCount = m_hWnd != NULL ? GetItemCount() : 0;
    m_rowOfData.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        m_rowOfData.emplace(GetItemData(i), i);   // the first row keeps the entry
    m_bRowTableValid = m_hWnd != NULL;
}

int CCommonListCtrl::FindRowByData(DWORD_PTR data) const
{
    if (m_hWnd == NULL)
        return -1;
    if (!m_bRowTableValid)
        RebuildRowTable();
    auto it = m_rowOfData.find(data);
    if (it == m_rowOfData.end())
        return -1;
    return it->second;
}

BOOL CCommonListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != NULL)
            *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code == NM_CUSTOMDRAW) {
            const NMLVCUSTOMDRAW* pDraw = reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam);
            if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                LRESULT result = 0;
                CListCtrl::OnChildNotify(message, wParam, lParam, &result);
                m_nCustomDrawResult = result;
                if (result != 0)
                    m_lastCustomDraw = *pDraw;
                if (pResult != NULL)
                    *pResult = result;
                return TRUE;
            }
        }
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CCommonListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

void CCommonListCtrl::SortByColumn(int nColumn)
{
    m_bSortAscending = !(nColumn == m_nIndicatorColumn && m_nIndicatorDirection == 1);
    m_nSortColumn = nColumn;
    Resort();
    SetSortIndicator(nColumn, m_bSortAscending);
}

BOOL CCommonListCtrl::Resort()
{
    if (m_hWnd == NULL)
        return FALSE;
    SortContext context;
    context.ascending = m_bSortAscending;
    int nCount = GetItemCount();
    context.keys.reserve(nCount);
    std::vector<char> buffer(1024);
    for (int i = 0; i < nCount; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM | LVIF_TEXT;
        item.iItem = i;
        item.iSubItem = m_nSortColumn;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = '\0';
        if (!GetItem(&item))
            continue;
        // LVIF_PARAM is only reported for the item itself: read the row's data on its own
        LPARAM data = m_nSortColumn == 0 ? item.lParam : static_cast<LPARAM>(GetItemData(i));
        context.keys.emplace(data, MakeSortKey(item.pszText));
    }
    return SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(&context));
}

void CCommonListCtrl::ResetSort()
{
    m_nSortColumn = 0;
    m_bSortAscending = false;
    SetSortIndicator(0, false);
}

HBITMAP CCommonListCtrl::LoadSortBitmap(bool bAscending) const
{
    UINT nId = bAscending ? kBitmapSortAscending : kBitmapSortDescending;
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nId), IMAGE_BITMAP,
                                                        0, 0, LR_LOADMAP3DCOLORS));
    if (hBitmap == NULL && AfxGetResourceHandle() != AfxGetInstanceHandle())
        hBitmap = static_cast<HBITMAP>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nId), IMAGE_BITMAP, 0, 0,
                                                    LR_LOADMAP3DCOLORS));
    return hBitmap;
}

void CCommonListCtrl::ClearIndicator(int nColumn)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || nColumn < 0 || nColumn >= pHeader->GetItemCount())
        return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(nColumn, &item);
    if (m_bWinXP) {
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    } else {
        item.fmt &= ~(HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
        item.mask |= HDI_BITMAP;
        item.hbm = NULL;
    }
    pHeader->SetItem(nColumn, &item);
}

void CCommonListCtrl::SetSortIndicator(int nColumn, bool bAscending)
{
    if (m_hWnd == NULL)
        return;
    if (nColumn != m_nIndicatorColumn)
        ClearIndicator(m_nIndicatorColumn);
    if (m_hSortBitmap != NULL) {
        // the header holds the handle only while it shows it
        if (nColumn == m_nIndicatorColumn || m_nIndicatorColumn < 0)
            ClearIndicator(nColumn);
        ::DeleteObject(m_hSortBitmap);
        m_hSortBitmap = NULL;
    }
    m_nIndicatorColumn = nColumn;
    m_nIndicatorDirection = bAscending ? 1 : 0;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (nColumn < 0 || pHeader == NULL || nColumn >= pHeader->GetItemCount())
        return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(nColumn, &item);
    if (m_bWinXP) {
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        item.fmt |= HDF_STRING | (bAscending ? HDF_SORTUP : HDF_SORTDOWN);
    } else {
        m_hSortBitmap = LoadSortBitmap(bAscending);
        item.mask |= HDI_BITMAP;
        item.hbm = m_hSortBitmap;
        item.fmt |= HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    }
    pHeader->SetItem(nColumn, &item);
}

void CCommonListCtrl::OnSysColorChange()
{
    CListCtrl::Default();
    ComputeColors();
    if (m_nIndicatorColumn >= 0 && m_hSortBitmap != NULL) {
        int nColumn = m_nIndicatorColumn;
        SetSortIndicator(nColumn, m_nIndicatorDirection == 1);
    }
    Invalidate();
}

HBRUSH CCommonListCtrl::OnCtlColor(CDC*, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_whiteBrush.GetSafeHandle());
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CCommonListCtrl::OnEraseBkgnd(CDC* pDC)
{
    int nCount = GetItemCount();
    if (nCount == 0)
        return static_cast<BOOL>(Default());
    COLORREF crBack = ListView_GetBkColor(m_hWnd);
    CRect client;
    GetClientRect(&client);
    int nTop = ListView_GetTopIndex(m_hWnd);
    int nLast = nTop + ListView_GetCountPerPage(m_hWnd);
    if (nLast >= nCount)
        nLast = nCount - 1;
    CRect first, last;
    GetItemRect(nTop, &first, LVIR_BOUNDS);
    GetItemRect(nLast, &last, LVIR_BOUNDS);
    if (first.top > client.top)
        pDC->FillSolidRect(client.left, client.top, client.Width(), first.top - client.top, crBack);
    if (last.bottom < client.bottom)
        pDC->FillSolidRect(client.left, last.bottom, client.Width(), client.bottom - last.bottom, crBack);
    if (first.right < client.right)
        pDC->FillSolidRect(first.right, client.top, client.right - first.right, client.Height(), crBack);
    return TRUE;
}

void CCommonListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    int nItem = static_cast<int>(lpDrawItemStruct->itemID);
    pDC->SetBkColor(m_crWindow);
    CRect rcRow = lpDrawItemStruct->rcItem;
    CMemDC dc(pDC, &rcRow);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(WM_GETFONT, 0, 0));
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hFont);
    dc.SetTextColor(m_nCustomDrawResult != 0 ? m_lastCustomDraw.clrText : m_crWindowText);
    if (m_hMarginFont != hFont || m_hMarginFont == NULL) {
        SIZE blank = {};
        ::GetTextExtentPoint32A(dc.m_hDC, " ", 1, &blank);
        m_nMargin = blank.cx * 2;
        m_hMarginFont = hFont;
    }
    const int nMargin = m_nMargin;

    char text[1024];
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_STATE | LVIF_TEXT;
    item.iItem = nItem;
    item.stateMask = 0xFFFF;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    text[0] = '\0';
    GetItem(&item);
    bool bHighlight = (item.state & (LVIS_SELECTED | LVIS_DROPHILITED)) != 0;
    bool bListFocus = ::GetFocus() == m_hWnd || (GetStyle() & LVS_SHOWSELALWAYS) != 0;

    CRect rcBounds, rcLabel, rcIcon;
    GetItemRect(nItem, &rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    CRect rcFill(rcBounds.left + 1, rcBounds.top, rcBounds.right - 1, rcBounds.bottom);
    COLORREF crFill = !bHighlight ? m_crWindow : (bListFocus ? m_crSoftHighlight : m_crFaintHighlight);
    dc.SetBkColor(bHighlight ? crFill : ListView_GetTextBkColor(m_hWnd));
    dc.FillSolidRect(rcFill, crFill);
    rcLabel.right = rcBounds.left + GetColumnWidth(0);

    UINT nStateImage = (item.state & LVIS_STATEIMAGEMASK) >> 12;
    HIMAGELIST hState = ListView_GetImageList(m_hWnd, LVSIL_STATE);
    if (nStateImage > 0 && hState != NULL) {
        COLORREF old = ImageList_SetBkColor(hState, CLR_NONE);
        ImageList_Draw(hState, static_cast<int>(nStateImage) - 1, dc.m_hDC, rcIcon.left, rcIcon.top, ILD_TRANSPARENT);
        ImageList_SetBkColor(hState, old);
    }
    HIMAGELIST hSmall = ListView_GetImageList(m_hWnd, LVSIL_SMALL);
    if (hSmall != NULL && item.iImage >= 0) {
        COLORREF old = ImageList_SetBkColor(hSmall, CLR_NONE);
        ImageList_Draw(hSmall, item.iImage, dc.m_hDC, rcIcon.left, rcIcon.top, ILD_TRANSPARENT);
        ImageList_SetBkColor(hSmall, old);
    }

    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    CRect rcText = rcLabel;
    rcText.left += nMargin / 2;
    rcText.right -= nMargin;
    ::DrawTextA(dc.m_hDC, text, -1, &rcText, nFormat | DT_NOCLIP);

    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = pHeader != NULL ? pHeader->GetItemCount() : 0;
    if (nColumns > 1) {
        int fixedOrder[32];
        std::vector<int> moreOrder;
        int* order = fixedOrder;
        if (nColumns > 32) {
            moreOrder.resize(nColumns);
            order = moreOrder.data();
        }
        GetColumnOrderArray(order, nColumns);
        CRect rcCol(rcLabel.right, rcBounds.top, rcLabel.right, rcBounds.bottom);
        for (int pos = 1; pos < nColumns; ++pos) {
            int nColumn = order[pos];
            if (nColumn == 0)
                continue;
            int nWidth = GetColumnWidth(nColumn);
            if (nWidth == 0)
                continue;
            rcCol.left = rcCol.right;
            rcCol.right = rcCol.left + nWidth;
            int nLen = GetItemText(nItem, nColumn, text, sizeof text);
            if (nLen <= 0)
                continue;
            LVCOLUMNA column = {};
            column.mask = LVCF_FMT;
            GetColumn(nColumn, &column);
            UINT nAlign = DT_LEFT;
            if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
                nAlign = DT_RIGHT;
            else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
                nAlign = DT_CENTER;
            CRect rcCell(rcCol.left + nMargin, rcCol.top, rcCol.right - nMargin, rcCol.bottom);
            ::DrawTextA(dc.m_hDC, text, nLen, &rcCell, nFormat | nAlign);
        }
    }

    if ((item.state & LVIS_FOCUSED) != 0 || (item.state & LVIS_SELECTED) != 0) {
        bool bSelected = (item.state & LVIS_SELECTED) != 0;
        HBRUSH hBrush = ::CreateSolidBrush(!bListFocus || !bSelected ? m_crHalfHighlight : m_crHighlight);
        ::FrameRect(dc.m_hDC, &rcFill, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(dc.m_hDC, hOldFont);
}
