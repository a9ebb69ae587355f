#pragma once

#include "CString.h"

// A length of time in whole seconds.
class CTimeSpan
{
public:
    CTimeSpan() = default;
    CTimeSpan(__time64_t seconds) : m_timeSpan(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((static_cast<__time64_t>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs)
    {
    }

    __time64_t GetTimeSpan() const { return m_timeSpan; }
    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }

    // %D whole days, %H hours within the day, %M minutes, %S seconds (two digits
    // each), %% a percent sign; every other character is copied.
    CString Format(LPCWSTR pszFormat) const;

    bool operator==(CTimeSpan other) const { return m_timeSpan == other.m_timeSpan; }
    bool operator!=(CTimeSpan other) const { return m_timeSpan != other.m_timeSpan; }

private:
    __time64_t m_timeSpan = 0;
};
