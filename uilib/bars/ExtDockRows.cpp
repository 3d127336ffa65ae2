#include "ExtDockRows.h"

namespace ExtDockRows {

bool IsWellFormed(const CPtrArray& arr, CString* pstrWhy) {
    auto fail = [pstrWhy](LPCTSTR lpsz) {
        if (pstrWhy != NULL)
            *pstrWhy = lpsz;
        return false;
    };
    const INT_PTR n = arr.GetSize();
    if (n == 0 || arr[0] != NULL)
        return fail("entry 0 is not NULL");
    if (arr[n - 1] != NULL)
        return fail("the last entry is not NULL");
    for (INT_PTR i = 1; i < n; i++)
        if (arr[i] == NULL && arr[i - 1] == NULL)
            return fail("an empty row");
    return true;
}

void RowOf(const CPtrArray& arr, int nPos, int& nStart, int& nEnd) {
    nStart = nPos;
    while (nStart > 0 && arr[nStart - 1] != NULL)
        nStart--;
    nEnd = nPos;
    while (nEnd < (int)arr.GetSize() && arr[nEnd] != NULL)
        nEnd++;
}

int Find(const CPtrArray& arr, const void* p, int nPosExclude) {
    for (int i = 0; i < (int)arr.GetSize(); i++)
        if (i != nPosExclude && arr[i] == p)
            return i;
    return -1;
}

void RemoveEmptyRow(CPtrArray& arr, int nPos) {
    if (nPos > 0 && nPos < (int)arr.GetSize() && arr[nPos] == NULL && arr[nPos - 1] == NULL)
        arr.RemoveAt(nPos);
}

void RemoveAt(CPtrArray& arr, int nPos) {
    if (nPos <= 0 || nPos >= (int)arr.GetSize())
        return;
    arr.RemoveAt(nPos);
    RemoveEmptyRow(arr, nPos);
}

int AppendRow(CPtrArray& arr, void* p) {
    if (arr.GetSize() == 0)
        arr.Add(NULL);
    arr.Add(p);
    arr.Add(NULL);
    return (int)arr.GetSize() - 2;
}

int JoinLastRow(CPtrArray& arr, void* p) {
    const int n = (int)arr.GetSize();
    if (n <= 1)
        return AppendRow(arr, p);
    // the NULL that ended the old last row goes; p and a final NULL follow the old end
    arr.InsertAt(n - 1, p);
    return n - 1;
}

int InsertAtStart(CPtrArray& arr, void* p) {
    if (arr.GetSize() == 0)
        arr.Add(NULL);
    arr.InsertAt(1, p);
    if (arr.GetSize() <= 2 || arr[2] != NULL)
        arr.InsertAt(2, (void*)NULL);
    return 1;
}

int InsertOwnRow(CPtrArray& arr, int nAnchor, bool bBefore, void* p) {
    int nStart, nEnd;
    RowOf(arr, nAnchor, nStart, nEnd);
    if (bBefore) {
        // [.. NULL] p NULL [row of the anchor]
        arr.InsertAt(nStart, (void*)NULL);
        arr.InsertAt(nStart, p);
        return nStart;
    }
    // [row of the anchor] NULL p NULL
    arr.InsertAt(nEnd + 1, (void*)NULL);
    arr.InsertAt(nEnd + 1, p);
    return nEnd + 1;
}

void ReplaceWithPlaceholder(CPtrArray& arr, int nPos, UINT nID) {
    if (nPos <= 0 || nPos >= (int)arr.GetSize())
        return;
    void* pID = PlaceholderOf(nID);
    arr[nPos] = pID;
    const int nOther = Find(arr, pID, nPos);
    if (nOther > 0)
        RemoveAt(arr, nPos);
}

bool RemovePlaceholder(CPtrArray& arr, UINT nID) {
    const int nPos = Find(arr, PlaceholderOf(nID));
    if (nPos < 1)
        return false;
    RemoveAt(arr, nPos);
    return true;
}

int GiveOwnRow(CPtrArray& arr, int nPos) {
    int nStart, nEnd;
    RowOf(arr, nPos, nStart, nEnd);
    if (nEnd - nStart <= 1)
        return nPos;
    if (nPos == nEnd - 1) {
        // the last of the row: a break before it
        arr.InsertAt(nPos, (void*)NULL);
        return nPos + 1;
    }
    // move it before the rest of its row
    void* p = arr[nPos];
    arr.RemoveAt(nPos);
    arr.InsertAt(nStart, (void*)NULL);
    arr.InsertAt(nStart, p);
    return nStart;
}

bool IsEmpty(const CPtrArray& arr) {
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (arr[i] != NULL)
            return false;
    return true;
}

}  // namespace ExtDockRows
