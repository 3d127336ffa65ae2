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
    if (pTimeNew != NULL)
        return (BOOL)::SendMessageA(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)pTimeNew);
    // "no date" still needs a time to point at: the control refuses a NULL one
    SYSTEMTIME none = {};
    return (BOOL)::SendMessageA(m_hWnd, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&none);
}
