#include "CTimeSpan.h"

CString CTimeSpan::Format(LPCWSTR pszFormat) const
{
    CString result;
    for (const wchar_t* p = pszFormat; p && *p; ++p) {
        if (*p != L'%' || !p[1]) {
            result += *p;
            continue;
        }
        switch (*++p) {
        case L'D':
            result.AppendFormat(L"%I64d", static_cast<long long>(GetDays()));
            break;
        case L'H':
            result.AppendFormat(L"%02ld", GetHours());
            break;
        case L'M':
            result.AppendFormat(L"%02ld", GetMinutes());
            break;
        case L'S':
            result.AppendFormat(L"%02ld", GetSeconds());
            break;
        case L'%':
            result += L'%';
            break;
        default:
            result += L'%';
            result += *p;
            break;
        }
    }
    return result;
}
