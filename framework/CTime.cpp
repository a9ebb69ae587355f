#include "CTime.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    std::tm local = {};
    local.tm_year = nYear - 1900;
    local.tm_mon = nMonth - 1;
    local.tm_mday = nDay;
    local.tm_hour = nHour;
    local.tm_min = nMin;
    local.tm_sec = nSec;
    local.tm_isdst = nDST;
    m_time = _mktime64(&local);
}

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

std::tm CTime::Local() const
{
    std::tm local = {};
    _localtime64_s(&local, &m_time);
    return local;
}

CString CTime::Format(LPCWSTR pszFormat) const
{
    const std::tm local = Local();
    wchar_t buffer[256];
    const size_t n = wcsftime(buffer, 256, pszFormat, &local);
    return CString(buffer, static_cast<int>(n));
}
