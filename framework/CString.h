#pragma once

#include <windows.h>
#include <wtypes.h>

#include <string>

// A wide string of the user interface. Pass it to printf-style functions as
// GetString() (or a cast to LPCTSTR), never as the object itself.
class CString
{
public:
    CString() = default;
    CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}
    CString(LPCWSTR pch, int nLength) : m_str(pch, nLength > 0 ? static_cast<size_t>(nLength) : 0) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? static_cast<size_t>(nRepeat) : 0, ch) {}
    // Text in the ANSI code page.
    explicit CString(LPCSTR psz);
    CString(const std::wstring& str) : m_str(str) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    operator LPCWSTR() const { return m_str.c_str(); }
    wchar_t GetAt(int nIndex) const { return m_str.at(static_cast<size_t>(nIndex)); }
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, wchar_t ch) { m_str.at(static_cast<size_t>(nIndex)) = ch; }

    // Parts of the text; counts and positions out of range are clamped to it.
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    // Removes nCount characters from iIndex on; returns the new length.
    int Delete(int iIndex, int nCount = 1);
    int Insert(int iIndex, LPCWSTR psz);
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);

    // printf-style formatting with the runtime's wide conventions (%s is a wide string).
    void Format(LPCWSTR pszFormat, ...);
    void AppendFormat(LPCWSTR pszFormat, ...);
    // The string-table entry nID of the program's resources; FALSE when there is none.
    BOOL LoadString(UINT nID);

    int Compare(LPCWSTR psz) const { return wcscmp(m_str.c_str(), psz ? psz : L""); }
    int CompareNoCase(LPCWSTR psz) const { return _wcsicmp(m_str.c_str(), psz ? psz : L""); }

    // A system string (SysAllocStringLen) with the text, for the caller to free
    // with SysFreeString; raises the framework's memory exception when there is
    // no memory for it.
    BSTR AllocSysString() const;

    // A writable buffer of at least nMinBufferLength characters; ReleaseBuffer ends
    // the text at nNewLength, or at its first zero character when that is -1.
    LPWSTR GetBuffer(int nMinBufferLength = 0);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator=(LPCWSTR psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator=(wchar_t ch) { m_str.assign(1, ch); return *this; }
    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(LPCWSTR psz) { m_str += psz ? psz : L""; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCWSTR b) { return CString(a.m_str + (b ? b : L"")); }
    friend CString operator+(LPCWSTR a, const CString& b) { return CString((a ? a : L"") + b.m_str); }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_str + b); }
    friend CString operator+(wchar_t a, const CString& b) { return CString(a + b.m_str); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    void FormatV(LPCWSTR pszFormat, va_list args, bool append);

    std::wstring m_str;
};
