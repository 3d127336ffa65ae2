// The item list's report control: every row drawn by the control itself, off screen, with a
// full-row selection in blends of the system's highlight and window colours; a header click sorts
// by that column (numbers by value, other texts as text) with an arrow in the header, a second
// click reverses; columns can be dragged into a new order, except the first column and the
// leftmost place.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <string>
#include <unordered_map>

class CCommonListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CCommonListCtrl)
public:
    CCommonListCtrl();
    ~CCommonListCtrl() override;

    // How one cell's text sorts: a number when it reads as a non-zero long integer (leading
    // digits, as atol reads them), else a text ("0" and "N/A" are texts).
    struct SortKey {
        bool number;
        long value;
        std::string text;
    };
    static SortKey MakeSortKey(const char* text);
    // -1, 0 or 1: numbers before texts, numbers by value (then by text), texts byte by byte, case
    // counting; descending is the exact reverse.
    static int CompareSortKeys(const SortKey& first, const SortKey& second, bool ascending);
    static int CompareCellTexts(const char* first, const char* second, bool ascending)
    {
        return CompareSortKeys(MakeSortKey(first), MakeSortKey(second), ascending);
    }
    // (a * wa + b * wb + divisor / 2) / divisor per channel, divisor = wa + wb.
    static COLORREF Blend(COLORREF a, int wa, COLORREF b, int wb);

    // Sorts by the column as a header click does: ascending, or reversed when the column is the
    // indicator's and it shows ascending.
    void SortByColumn(int nColumn);
    // Sorts again by the current column and direction; FALSE when the sort failed.
    BOOL Resort();
    // Column 0, descending shown, no sort run (also the state at creation).
    void ResetSort();
    // The header arrow on the column (-1: none) for the direction.
    void SetSortIndicator(int nColumn, bool bAscending);
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }
    int GetIndicatorColumn() const { return m_nIndicatorColumn; }
    // The width kept for the column: its saved width when hidden, else the control's; 0 for a
    // column the control does not have.
    int GetColumnWidthKept(int nColumn) const;
    // The stored display position of the column (-1 outside).
    int GetColumnPosition(int nColumn) const;
    // The first row whose item data is the value, or -1. Answered from a table of the rows' data,
    // made again on the first call after rows were inserted, deleted, sorted or given other data.
    int FindRowByData(DWORD_PTR data) const;

    COLORREF GetSoftHighlight() const { return m_crSoftHighlight; }
    COLORREF GetFaintHighlight() const { return m_crFaintHighlight; }
    COLORREF GetHalfHighlight() const { return m_crHalfHighlight; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct ColumnInfo {
        int width;
        int position;
        bool hidden;
    };

    void ComputeColors();
    void RebuildColumns(int nCount);
    void RebuildRowTable() const;
    // TRUE when the header's drag must be refused.
    BOOL OnHeaderEndDrag(const NMHEADERA* pHeader);
    HBITMAP LoadSortBitmap(bool bAscending) const;
    void ClearIndicator(int nColumn);

    bool m_bSortAscending;
    int m_nSortColumn;
    NMLVCUSTOMDRAW m_lastCustomDraw;
    LRESULT m_nCustomDrawResult;
    COLORREF m_crWindow;
    COLORREF m_crWindowText;
    COLORREF m_crSoftHighlight;
    COLORREF m_crHighlight;
    COLORREF m_crFaintHighlight;
    COLORREF m_crHalfHighlight;
    int m_nColumns;
    ColumnInfo* m_pColumns;
    int m_nIndicatorColumn;
    int m_nIndicatorDirection;   // 1 ascending, 0 descending
    HBITMAP m_hSortBitmap;
    bool m_bWinXP;
    CBrush m_whiteBrush;
    // row of each item data (the first row holding it); valid until the rows change
    mutable std::unordered_map<DWORD_PTR, int> m_rowOfData;
    mutable bool m_bRowTableValid;
    // the margin (two blanks) of the font it was measured in
    HFONT m_hMarginFont;
    int m_nMargin;
};
