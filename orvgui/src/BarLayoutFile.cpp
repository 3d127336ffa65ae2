#include "BarLayoutFile.h"

BarLayoutFile::Outcome BarLayoutFile::Load(const CString& strPath, const Serializer& read)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite))
        return Missing;
    bool bRead = false;
    try {
        CArchive ar(&file, CArchive::load, kBufferSize);
        bRead = read(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bRead = false;
    }
    return bRead ? Loaded : Damaged;
}

bool BarLayoutFile::Save(const CString& strPath, const Serializer& write)
{
    const CString strNew = TemporaryPath(strPath);
    bool bWritten = false;
    {
        CFile file;
        if (!file.Open(strNew, CFile::modeCreate | CFile::modeWrite))
            return false;
        try {
            CArchive ar(&file, CArchive::store, kBufferSize);
            bWritten = write(ar);
            ar.Close();   // writes what is buffered
            file.Flush();
        } catch (CException* e) {
            e->Delete();
            bWritten = false;
        }
        try {
            file.Close();
        } catch (CException* e) {
            e->Delete();
            bWritten = false;
        }
    }
    if (bWritten && ::MoveFileExA(strNew, strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(strNew);
    return false;
}
