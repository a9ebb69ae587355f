#include "CMemoryException.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    wcsncpy(lpszError, L"内存不足，操作没有完成。", nMaxError - 1);
    lpszError[nMaxError - 1] = L'\0';
    return TRUE;
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}
