#include "CDockState.h"
#include <CArchiveException.h>
#include <CFile.h>
#include <CFileException.h>

IMPLEMENT_DYNAMIC(CDockState, CObject)

namespace {

enum InfoFlags : BYTE {
    flagVisible = 0x01,
    flagFloating = 0x02,
    flagHorz = 0x04,
    flagDockBar = 0x08,
    flagDocking = 0x10,
    flagsKnown = 0x1F,
};

void WriteInfo(CArchive& ar, const CControlBarInfo& info)
{
    BYTE flags = (info.m_bVisible ? flagVisible : 0) | (info.m_bFloating ? flagFloating : 0) |
                 (info.m_bHorz ? flagHorz : 0) | (info.m_bDockBar ? flagDockBar : 0) |
                 (info.m_bDocking ? flagDocking : 0);
    ar << (DWORD)info.m_nBarID << flags << (POINT)info.m_pointPos << info.m_nMRUWidth << (DWORD)info.m_uMRUDockID
       << (const RECT&)info.m_rectMRUDockPos << info.m_dwMRUFloatStyle << (POINT)info.m_ptMRUFloatPos;
    ar << (DWORD)info.m_arrBarID.GetSize();
    for (INT_PTR i = 0; i < info.m_arrBarID.GetSize(); i++)
        ar << (DWORD)(UINT_PTR)info.m_arrBarID[i];
}

[[noreturn]] void Refuse()
{
    AfxThrowArchiveException(CArchiveException::genericException);
}

// A control bar's id: a 16-bit window id other than 0.
BOOL IsBarID(DWORD dwID)
{
    return dwID != 0 && dwID <= 0xFFFF;
}

// Rows of a dock bar: empty (a bar), or 0, runs of ids and placeholders each ended by 0, and
// no empty row.
void CheckRows(const CPtrArray& arr, BOOL bDockBar)
{
    INT_PTR n = arr.GetSize();
    if (n == 0)
        return;
    if (!bDockBar || (UINT_PTR)arr[0] != 0 || (UINT_PTR)arr[n - 1] != 0)
        Refuse();
    for (INT_PTR i = 1; i < n; i++) {
        DWORD dwID = (DWORD)(UINT_PTR)arr[i];
        if (dwID == 0) {
            if ((UINT_PTR)arr[i - 1] == 0)
                Refuse();
        } else if (!IsBarID(dwID & ~0x10000u) || (dwID & ~0x1FFFFu) != 0) {
            Refuse();
        }
    }
}

CControlBarInfo* ReadInfo(CArchive& ar)
{
    CControlBarInfo* pInfo = new CControlBarInfo;
    try {
        DWORD dwID, dwMRUDockID, dwCount;
        BYTE flags;
        POINT ptPos, ptFloat;
        RECT rectDock;
        ar >> dwID >> flags >> ptPos >> pInfo->m_nMRUWidth >> dwMRUDockID >> rectDock >> pInfo->m_dwMRUFloatStyle >>
            ptFloat >> dwCount;
        if (!IsBarID(dwID) || (flags & ~flagsKnown) != 0 || (dwMRUDockID != 0 && !IsBarID(dwMRUDockID)) ||
            dwCount > CDockState::nMaxBarIDs)
            Refuse();
        pInfo->m_nBarID = dwID;
        pInfo->m_bVisible = (flags & flagVisible) != 0;
        pInfo->m_bFloating = (flags & flagFloating) != 0;
        pInfo->m_bHorz = (flags & flagHorz) != 0;
        pInfo->m_bDockBar = (flags & flagDockBar) != 0;
        pInfo->m_bDocking = (flags & flagDocking) != 0;
        pInfo->m_pointPos = ptPos;
        pInfo->m_uMRUDockID = dwMRUDockID;
        pInfo->m_rectMRUDockPos = rectDock;
        pInfo->m_ptMRUFloatPos = ptFloat;
        // the ids are read one by one: a count beyond the data ends at the data's end
        for (DWORD i = 0; i < dwCount; i++) {
            DWORD dwBarID;
            ar >> dwBarID;
            pInfo->m_arrBarID.Add((void*)(UINT_PTR)dwBarID);
        }
        CheckRows(pInfo->m_arrBarID, pInfo->m_bDockBar);
    } catch (...) {
        delete pInfo;
        throw;
    }
    return pInfo;
}

}  // namespace

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (DWORD)dwSignature << (DWORD)nVersion << (DWORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
            WriteInfo(ar, *static_cast<CControlBarInfo*>(m_arrBarInfo[i]));
        return;
    }
    DWORD dwSig, dwVersion, dwCount;
    ar >> dwSig >> dwVersion >> dwCount;
    if (dwSig != (DWORD)dwSignature || dwVersion != (DWORD)nVersion || dwCount > (DWORD)nMaxBarInfo)
        Refuse();
    // everything is read into a state of its own; it replaces this one only when whole
    CDockState state;
    for (DWORD i = 0; i < dwCount; i++)
        state.m_arrBarInfo.Add(ReadInfo(ar));
    TakeFrom(state);
}

BOOL CDockState::SaveToFile(LPCTSTR lpszPath)
{
    CString strTemp = CString(lpszPath) + ".new";
    try {
        CFile file;
        if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite))
            return FALSE;
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        ::DeleteFileA(strTemp);
        return FALSE;
    }
    if (!::MoveFileExA(strTemp, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(strTemp);
        return FALSE;
    }
    return TRUE;
}

BOOL CDockState::LoadFromFile(LPCTSTR lpszPath)
{
    CDockState state;
    try {
        CFile file;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        CArchive ar(&file, CArchive::load);
        state.Serialize(ar);
        // the form is the whole file: reading on must find its end
        BOOL bWhole = FALSE;
        try {
            BYTE byExtra;
            ar >> byExtra;
        } catch (CArchiveException* e) {
            bWhole = e->m_cause == CArchiveException::endOfFile;
            e->Delete();
        }
        if (!bWhole)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    TakeFrom(state);
    return TRUE;
}

void CDockState::TakeFrom(CDockState& state)
{
    Clear();
    m_arrBarInfo.Append(state.m_arrBarInfo);
    state.m_arrBarInfo.RemoveAll();
}
