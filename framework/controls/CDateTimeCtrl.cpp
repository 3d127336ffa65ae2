#include "CDateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(DATETIMEPICK_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD dwResult = GetTime(&st);
    if (dwResult == GDT_VALID)
        timeDest = CTime(st);
    return dwResult;
}

BOOL CDateTimeCtrl::SetTime(const CTime& timeNew)
{
    SYSTEMTIME st = {};
    if (!timeNew.GetAsSystemTime(st))
        return FALSE;
    return SetTime(&st);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return (BOOL)::SendMessageA(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew != NULL ? GDT_VALID : GDT_NONE, (LPARAM)pTimeNew);
}
