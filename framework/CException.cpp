#include "CException.h"

#include "Afx.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError > 0)
        lpszError[0] = L'\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    wchar_t text[256];
    if (GetErrorMessage(text, 256))
        return AfxMessageBox(text, nType);
    if (nMessageID)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(L"发生了未知错误，操作没有完成。", nType);
}
