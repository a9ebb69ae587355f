#pragma once

#include "CDialog.h"

#include <commdlg.h>

// The system's file dialog in its newer (Vista) form. DoModal returns IDOK with
// the chosen path in GetPathName, or IDCANCEL (also when the dialog cannot be
// shown), after which GetPathName is empty.
class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)

public:
    // lpszFilter: pairs of "description|patterns|", ending in "|".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    INT_PTR DoModal() override;
    CString GetPathName() const { return m_strPath; }
    CString GetFileName() const;

protected:
    // FOS_* options added to those that the OFN_* flags give.
    DWORD m_dwPickerOptions = 0;
    BOOL m_bOpenFileDialog;
    DWORD m_dwFlags;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    CString m_strPath;
};
