#pragma once

#include "CString.h"
#include "CTimeSpan.h"

#include <ctime>

// windows.h names GetTickCount GetCurrentTime; here it is CTime's.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// A moment in whole seconds since 1970 (UTC); shown in local time.
class CTime
{
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // A local date and time; nDST -1 lets the runtime decide on daylight saving.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }

    // The local time through the runtime's wcsftime codes (%Y, %m, %d, %H, %M, %S, ...).
    CString Format(LPCWSTR pszFormat) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }

private:
    std::tm Local() const;

    __time64_t m_time = 0;
};
