#include "CTime.h"
#include "CException.h"
#include <cstdio>
#include <cstring>

namespace {

const char* const kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayLong[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

void AppendNumber(CString& out, int value, int width, bool dropZeros) {
    char buf[16];
    snprintf(buf, sizeof buf, dropZeros ? "%d" : "%0*d", dropZeros ? value : width, value);
    out += buf;
}

// Week of the year with weeks starting on firstDay (0 Sunday, 1 Monday), as strftime's %U/%W.
int WeekOfYear(const struct tm& t, int firstDay) {
    int wday = (t.tm_wday + 7 - firstDay) % 7;
    return (t.tm_yday + 7 - wday) / 7;
}

void FormatTm(CString& out, const char* fmt, const struct tm& t, bool gmt) {
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        bool dropZeros = false;
        if (*p == '#') {
            dropZeros = true;
            ++p;
        }
        switch (*p) {
        case '\0': return;
        case '%': out += '%'; break;
        case 'a': out += kDayShort[t.tm_wday % 7]; break;
        case 'A': out += kDayLong[t.tm_wday % 7]; break;
        case 'b': out += kMonthShort[t.tm_mon % 12]; break;
        case 'B': out += kMonthLong[t.tm_mon % 12]; break;
        case 'c':
            FormatTm(out, "%m/%d/%y %H:%M:%S", t, gmt);
            break;
        case 'x': FormatTm(out, "%m/%d/%y", t, gmt); break;
        case 'X': FormatTm(out, "%H:%M:%S", t, gmt); break;
        case 'd': AppendNumber(out, t.tm_mday, 2, dropZeros); break;
        case 'H': AppendNumber(out, t.tm_hour, 2, dropZeros); break;
        case 'I': AppendNumber(out, t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12, 2, dropZeros); break;
        case 'j': AppendNumber(out, t.tm_yday + 1, 3, dropZeros); break;
        case 'm': AppendNumber(out, t.tm_mon + 1, 2, dropZeros); break;
        case 'M': AppendNumber(out, t.tm_min, 2, dropZeros); break;
        case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
        case 'S': AppendNumber(out, t.tm_sec, 2, dropZeros); break;
        case 'U': AppendNumber(out, WeekOfYear(t, 0), 2, dropZeros); break;
        case 'W': AppendNumber(out, WeekOfYear(t, 1), 2, dropZeros); break;
        case 'w': AppendNumber(out, t.tm_wday, 1, dropZeros); break;
        case 'y': AppendNumber(out, (t.tm_year + 1900) % 100, 2, dropZeros); break;
        case 'Y': AppendNumber(out, t.tm_year + 1900, 4, dropZeros); break;
        case 'z': {
            long off = gmt ? 0 : t.tm_gmtoff;
            long mag = off < 0 ? -off : off;
            char buf[48];
            snprintf(buf, sizeof buf, "%c%02ld%02ld", off < 0 ? '-' : '+', mag / 3600, (mag / 60) % 60);
            out += buf;
            break;
        }
        case 'Z': out += gmt ? "UTC" : (t.tm_zone != NULL ? t.tm_zone : ""); break;
        default:  // unknown codes are kept as written
            out += '%';
            out += *p;
            break;
        }
    }
}

}  // namespace

CTime WINAPI CTime::GetCurrentTime() { return CTime(::time(NULL)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    m_time = mktime(&t);
    if (m_time == (time_t)-1 && !(nYear == 1969 || nYear == 1970))
        AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
    return ptm != NULL ? localtime_r(&m_time, ptm) : NULL;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
    return ptm != NULL ? gmtime_r(&m_time, ptm) : NULL;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
    struct tm t;
    if (GetLocalTm(&t) == NULL || t.tm_year + 1900 < 1601 || t.tm_year + 1900 > 30827)
        return FALSE;
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wDay = (WORD)t.tm_mday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    st.wMilliseconds = 0;
    return TRUE;
}

static int LocalField(time_t time, int tm::*field) {
    struct tm t;
    if (localtime_r(&time, &t) == NULL)
        AfxThrowInvalidArgException();
    return t.*field;
}

int CTime::GetYear() const { return LocalField(m_time, &tm::tm_year) + 1900; }
int CTime::GetMonth() const { return LocalField(m_time, &tm::tm_mon) + 1; }
int CTime::GetDay() const { return LocalField(m_time, &tm::tm_mday); }
int CTime::GetHour() const { return LocalField(m_time, &tm::tm_hour); }
int CTime::GetMinute() const { return LocalField(m_time, &tm::tm_min); }
int CTime::GetSecond() const { return LocalField(m_time, &tm::tm_sec); }
int CTime::GetDayOfWeek() const { return LocalField(m_time, &tm::tm_wday) + 1; }

CString CTime::Format(LPCTSTR pFormat) const {
    CString out;
    struct tm t;
    if (pFormat == NULL || GetLocalTm(&t) == NULL)
        return out;
    FormatTm(out, pFormat, t, false);
    return out;
}

CString CTime::FormatGmt(LPCTSTR pFormat) const {
    CString out;
    struct tm t;
    if (pFormat == NULL || GetGmtTm(&t) == NULL)
        return out;
    FormatTm(out, pFormat, t, true);
    return out;
}
