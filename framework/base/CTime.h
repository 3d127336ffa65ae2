// A point in time: seconds since 1970-01-01 UTC in a 64-bit time_t. Broken-down values are in
// local time unless the name says Gmt.
#pragma once
#include "CString.h"
#include "CTimeSpan.h"

class CTime {
public:
    static CTime WINAPI GetCurrentTime();

    CTime() = default;
    CTime(time_t time) : m_time(time) {}
    // Local time. nDST: 0 standard time, positive daylight time, negative let the zone rules
    // decide. Out-of-range fields are normalised (month 13 is January of the next year).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);

    time_t GetTime() const { return m_time; }
    // NULL when the time cannot be broken down (far outside the calendar's range).
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    // strftime-style codes. Day and month names (%a %A %b %B), AM/PM (%p) and the %c/%x/%X
    // forms are English whatever the process locale, because mail headers depend on them.
    // "%#d"-style codes drop leading zeros.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.GetTimeSpan()); }
    CTime operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    time_t m_time = 0;
};
