// The operations on a dock bar's array of rows (CDockBar::m_arrBars), apart from any window so
// that each step can be checked: entry 0 is NULL, each row is a run of entries ended by NULL,
// the array ends with NULL, an entry below 0x10000 is a placeholder (the control id of a bar
// that is away), and no operation leaves two NULLs side by side (an empty row).
#pragma once
#include <afxwin.h>

namespace ExtDockRows {

inline bool IsPlaceholder(const void* p) { return p != NULL && (UINT_PTR)p < 0x10000; }
inline void* PlaceholderOf(UINT nID) { return (void*)(UINT_PTR)nID; }

// Whether the array keeps its rules (the reason in pstrWhy when not).
bool IsWellFormed(const CPtrArray& arr, CString* pstrWhy = NULL);
// The row holding nPos: [nStart, nEnd) with nEnd the row's NULL.
void RowOf(const CPtrArray& arr, int nPos, int& nStart, int& nEnd);
int Find(const CPtrArray& arr, const void* p, int nPosExclude = -1);
// Drops the NULL at nPos when it ends an empty row.
void RemoveEmptyRow(CPtrArray& arr, int nPos);
// Removes the entry at nPos and an empty row it leaves.
void RemoveAt(CPtrArray& arr, int nPos);
// p becomes a new last row.
int AppendRow(CPtrArray& arr, void* p);
// p joins the end of the last row (a new row when there is none).
int JoinLastRow(CPtrArray& arr, void* p);
// p is entry 1, in a row of its own unless a NULL follows already.
int InsertAtStart(CPtrArray& arr, void* p);
// p gets a row of its own right before or after the row holding nAnchor; answers its index.
int InsertOwnRow(CPtrArray& arr, int nAnchor, bool bBefore, void* p);
// The entry at nPos becomes the placeholder of nID; a second placeholder of nID is dropped.
void ReplaceWithPlaceholder(CPtrArray& arr, int nPos, UINT nID);
// Removes the placeholder of nID (at index 1 or later); answers whether there was one.
bool RemovePlaceholder(CPtrArray& arr, UINT nID);
// The entry at nPos takes a row of its own when it shares one: before the rest of the row
// unless it is the row's last entry, then after it. Answers its new index.
int GiveOwnRow(CPtrArray& arr, int nPos);
// Whether no entry is a bar or a placeholder.
bool IsEmpty(const CPtrArray& arr);

}  // namespace ExtDockRows
