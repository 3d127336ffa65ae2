// A date-and-time picker.
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // GDT_VALID, or GDT_NONE when a DTS_SHOWNONE control is unchecked (timeDest unchanged)
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const { return (DWORD)::SendMessageA(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest); }
    BOOL SetTime(const CTime& timeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = NULL);  // NULL: no date (DTS_SHOWNONE)
    BOOL SetFormat(LPCTSTR pstrFormat) { return (BOOL)::SendMessageA(m_hWnd, DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
};
