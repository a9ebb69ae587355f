#include "CString.h"

#include "Afx.h"
#include "CMemoryException.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>

CString::CString(LPCSTR psz)
{
    if (!psz || !*psz)
        return;
    const int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1)
        return;
    m_str.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &m_str[0], n);
    m_str.resize(static_cast<size_t>(n - 1));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = std::clamp(iFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - iFirst);
    return CString(m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount)));
}

int CString::Delete(int iIndex, int nCount)
{
    iIndex = std::max(iIndex, 0);
    if (nCount > 0 && iIndex < GetLength())
        m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(std::min(nCount, GetLength() - iIndex)));
    return GetLength();
}

int CString::Insert(int iIndex, LPCWSTR psz)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    m_str.insert(static_cast<size_t>(iIndex), psz ? psz : L"");
    return GetLength();
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart > GetLength())
        return -1;
    const size_t at = m_str.find(ch, static_cast<size_t>(iStart));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    const size_t at = m_str.find(pszSub, static_cast<size_t>(iStart));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t at = m_str.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::wstring from = pszOld;
    const std::wstring to = pszNew ? pszNew : L"";
    int count = 0;
    for (size_t at = m_str.find(from); at != std::wstring::npos; at = m_str.find(from, at + to.size())) {
        m_str.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

void CString::FormatV(LPCWSTR pszFormat, va_list args, bool append)
{
    va_list counting;
    va_copy(counting, args);
    const int n = _vscwprintf(pszFormat, counting);
    va_end(counting);
    if (!append)
        m_str.clear();
    if (n <= 0)
        return;
    const size_t start = m_str.size();
    m_str.resize(start + static_cast<size_t>(n) + 1);
    _vsnwprintf(&m_str[start], static_cast<size_t>(n) + 1, pszFormat, args);
    m_str.resize(start + static_cast<size_t>(n));
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args, false);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args, true);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    // With a zero buffer size the call hands out the resource's own text, which
    // is not zero-terminated.
    LPCWSTR text = nullptr;
    const int n = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (n <= 0 || !text) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(text, static_cast<size_t>(n));
    return TRUE;
}

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufferLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(static_cast<size_t>(std::max(nLength, 0)));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

BSTR CString::AllocSysString() const
{
    BSTR copy = ::SysAllocStringLen(m_str.c_str(), static_cast<UINT>(m_str.size()));
    if (!copy)
        AfxThrowMemoryException();
    return copy;
}
